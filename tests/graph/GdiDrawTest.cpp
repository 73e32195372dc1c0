#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "graph/GdiDrawLine.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/GdiDrawRect.h"
#include "graph/GdiDrawStr.h"
#include "graph/GdiDrawSymbol.h"
#include "graph/GlyphInt.h"

using namespace ovgGraph;

namespace {

QImage Canvas(int w = 40, int h = 40)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

constexpr uint32_t kBlue = 0xFF0000;   // 0x00BBGGRR
constexpr uint32_t kGreen = 0x00FF00;

int CountColour(const QImage& image, QColor colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

}  // namespace

TEST(GdiDrawRect, FrameInsideFillWithinAndAllFrameWhenNarrow)
{
    const struct {
        const char* what;
        uint32_t frameColor;
        int32_t frameWidth;
        Rect rect;
        int framePixels;
        int fillPixels;
    } rows[] = {
        {"framed 10x10, width 1", kBlue, 1, {5, 5, 15, 15}, 36, 64},
        {"framed 10x10, width 2", kBlue, 2, {5, 5, 15, 15}, 64, 36},
        {"narrower than twice the frame", kBlue, 3, {5, 5, 10, 25}, 100, 0},
        {"zero width still covers a pixel", kBlue, 1, {5, 5, 5, 15}, 10, 0},
        {"no frame colour: fill only", kNoColour, 1, {5, 5, 15, 15}, 0, 100},
        {"frame width 0: fill only", kBlue, 0, {5, 5, 15, 15}, 0, 100},
    };
    for (const auto& row : rows) {
        GdiDrawRect rect;
        rect.SetFrameColor(row.frameColor);
        rect.SetFrameWidth(row.frameWidth);
        rect.SetBackColor1(kGreen);
        QImage image = Canvas();
        {
            QPainter painter(&image);
            rect.Draw(painter, row.rect);
        }
        EXPECT_EQ(row.framePixels, CountColour(image, Qt::blue)) << row.what;
        EXPECT_EQ(row.fillPixels, CountColour(image, Qt::green)) << row.what;
    }
}

TEST(GdiDrawRect, SettersNotifyTheOwnerOnce)
{
    GlyphInt owner(nullptr);
    GdiDrawRect rect(&owner);
    rect.SetFrameWidth(1);  // unchanged
    EXPECT_EQ(0u, owner.GetState() & kChanged);
    rect.SetBackColor1(kGreen);
    EXPECT_NE(0u, owner.GetState() & kChanged);
    EXPECT_EQ(Qt::SolidPattern, rect.GetBrush().style());
    rect.SetBackGradation(true);  // a gradient replaces the solid brush
    EXPECT_EQ(Qt::NoBrush, rect.GetBrush().style());
    rect.SetFrameColor(kNoColour);
    EXPECT_EQ(Qt::NoPen, rect.GetPen().style());
}

TEST(GdiDrawRect, GradientRunsFromTheFirstColourToTheSecond)
{
    GdiDrawRect rect;
    rect.SetFrameColor(kNoColour);
    rect.SetBackColor1(0x0000FF);  // red
    rect.SetBackColor2(0xFF0000);  // blue
    rect.SetBackGradation(true);
    QImage image = Canvas(100, 10);
    {
        QPainter painter(&image);
        rect.Draw(painter, {0, 0, 100, 10});
    }
    EXPECT_GT(image.pixelColor(1, 5).red(), 240);
    EXPECT_GT(image.pixelColor(98, 5).blue(), 240);
    EXPECT_NEAR(image.pixelColor(50, 5).red(), 128, 10);
}

TEST(GdiDrawSymbol, EveryKindStaysInItsNineByNineBox)
{
    for (int kind = 0; kind <= 8; ++kind) {
        GdiDrawSymbol symbol;
        symbol.SetKind(kind);
        symbol.SetLogPen({0, 1, 0, 0});
        QImage image = Canvas(30, 30);
        {
            QPainter painter(&image);
            symbol.Draw(painter, 15, 15);
        }
        int inside = 0, outside = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                if (image.pixelColor(x, y) == QColor(Qt::white)) continue;
                (x >= 11 && x <= 19 && y >= 11 && y <= 19 ? inside : outside)++;
            }
        EXPECT_EQ(0, outside) << kind;
        EXPECT_EQ(kind >= 1 && kind <= 7, inside > 0) << kind;
    }
}

TEST(GdiDrawLine, ArrowHeadsSitAtTheirEnds)
{
    GdiDrawLine line;
    line.SetLogPen({0, 1, 0, 0});
    line.SetEndPointStyle(3);
    line.SetEndPointSize(4);
    QImage image = Canvas(60, 30);
    {
        QPainter painter(&image);
        line.Draw(painter, 5, 15, 50, 15);
    }
    // The filled head widens the line just before its end, and nothing lies beyond the tip.
    EXPECT_EQ(QColor(Qt::black), image.pixelColor(45, 13));
    EXPECT_EQ(QColor(Qt::black), image.pixelColor(45, 17));
    EXPECT_EQ(QColor(Qt::white), image.pixelColor(10, 13));
    EXPECT_EQ(QColor(Qt::white), image.pixelColor(53, 15));
}

// A 1-pixel channel line covers one pixel row in full colour (not two pale ones), and a lone
// sample is a visible dot.
TEST(GdiDrawLineGraph, CrispLinesAndVisibleLoneSamples)
{
    GdiDrawLineGraphGDIP drawer;
    drawer.SetColor(kBlue);
    drawer.SetWidth(1);
    QImage image = Canvas(80, 60);
    {
        QPainter painter(&image);
        drawer.Draw(painter, {{{10, 20, 0, 0}, {60, 20, 0, 0}}, {{30, 40, 0, 0}}});
    }
    const QColor blue(0, 0, 255);
    for (const int x : {15, 30, 55}) {
        EXPECT_EQ(image.pixelColor(x, 20), blue) << x;
        EXPECT_EQ(image.pixelColor(x, 19), QColor(Qt::white)) << x;
        EXPECT_EQ(image.pixelColor(x, 21), QColor(Qt::white)) << x;
    }
    int dot = 0;
    for (int y = 37; y <= 43; ++y)
        for (int x = 27; x <= 33; ++x) dot += image.pixelColor(x, y).red() < 128;  // clearly blue
    EXPECT_GE(dot, 9) << "the lone sample shows";
}

TEST(GdiDrawStr, FontPropertiesRoundTripThroughTheRecord)
{
    GdiDrawStr text;
    EXPECT_EQ(-16, text.GetLogFont().height);
    EXPECT_EQ(0xC0C0C0u, text.GetTextColor());
    EXPECT_EQ(0x11, text.GetAlignment());
    text.SetFontSize(11);
    text.SetFontStyle(3);
    EXPECT_EQ(-11, text.GetLogFont().height);
    EXPECT_EQ(700, text.GetLogFont().weight);
    EXPECT_EQ(3, text.GetFontStyle());
    EXPECT_EQ(11, text.GetFont().pixelSize());
    text.SetFontStyle(0);
    EXPECT_EQ(400, text.GetLogFont().weight);
    text.SetFontName(QString(40, QLatin1Char('x')));
    EXPECT_EQ(31, text.GetLogFont().faceName.size());
}

TEST(GdiDrawStr, MeasureSplitsLinesAndStacksThem)
{
    GdiDrawStr text;
    std::vector<TextLine> lines;
    const Point one = text.Measure(lines, QStringLiteral("Temperature"));
    ASSERT_EQ(1u, lines.size());
    const Point two = text.Measure(lines, QStringLiteral("Temperature\n°C"));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(one.x, two.x);
    EXPECT_EQ(2 * one.y, two.y);
    EXPECT_LT(lines[1].width, lines[0].width);
}
