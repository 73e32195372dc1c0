#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "Recorder.h"
#include "graph/GlyphInt.h"
#include "graph/GlyphText.h"

using namespace ovgGraph;

namespace {

using ovgGraph::test::Recorder;

// A glyph that fills its area with one colour, to see where it was drawn.
class Swatch : public GlyphInt {
public:
    using GlyphInt::GlyphInt;
    void Draw(QPainter& painter) override
    {
        const Rect a = GetArea();
        painter.fillRect(QRect(a.left, a.top, a.Width(), a.Height()), Qt::red);
    }
};

}  // namespace

TEST(Glyph, SettersNotifyOnlyOnARealChange)
{
    GlyphInt glyph(nullptr);
    Recorder recorder;
    glyph.Attach(&recorder);
    const struct {
        const char* what;
        std::function<void()> change;
        int expectedCalls;
    } rows[] = {
        {"origin to a new value", [&] { glyph.SetOrigin(3, 4); }, 1},
        {"origin to the same value", [&] { glyph.SetOrigin(Point{3, 4}); }, 0},
        {"origin x unchanged", [&] { glyph.SetOriginX(3); }, 0},
        {"origin y changed", [&] { glyph.SetOriginY(5); }, 1},
        {"area to a new value", [&] { glyph.SetArea(0, 0, 10, 20); }, 1},
        {"area to the same value", [&] { glyph.SetArea(Rect{0, 0, 10, 20}); }, 0},
        {"area right unchanged", [&] { glyph.SetAreaRight(10); }, 0},
        {"area bottom changed", [&] { glyph.SetAreaBottom(21); }, 1},
    };
    for (const auto& row : rows) {
        recorder.calls = 0;
        row.change();
        EXPECT_EQ(row.expectedCalls, recorder.calls) << row.what;
    }
    EXPECT_EQ(uint32_t(kChanged), recorder.flags);
    EXPECT_EQ(10, glyph.GetWidth());
    EXPECT_EQ(21, glyph.GetHeight());
}

TEST(Glyph, ChangesTravelUpToTheRoot)
{
    GlyphInt root(nullptr);
    GlyphInt middle(&root);
    GlyphInt leaf(&middle);
    Recorder recorder;
    root.Attach(&recorder);
    root.Attach(&recorder);  // no duplicates
    EXPECT_EQ(1u, root.Observers().size());

    leaf.SetOrigin(1, 1);
    EXPECT_EQ(1, recorder.calls);
    for (const Glyph* glyph : {static_cast<Glyph*>(&leaf), static_cast<Glyph*>(&middle), static_cast<Glyph*>(&root)})
        EXPECT_EQ(uint32_t(kVisible | kChanged), glyph->GetState());

    middle.Detach(&leaf);  // not an observer of middle: nothing happens
    leaf.Detach(&middle);
    leaf.SetOrigin(2, 2);
    EXPECT_EQ(1, recorder.calls);
}

TEST(Glyph, HitTestExcludesRightAndBottomEdges)
{
    GlyphInt glyph(nullptr);
    glyph.SetArea(10, 20, 30, 40);
    const struct {
        Point p;
        bool inside;
    } rows[] = {{{10, 20}, true}, {{29, 39}, true}, {{30, 20}, false}, {{10, 40}, false}, {{9, 25}, false}};
    for (const auto& row : rows) EXPECT_EQ(row.inside, glyph.HitTest(row.p)) << row.p.x << "," << row.p.y;
}

TEST(Glyph, DrawChildTranslatesSkipsHiddenAndClearsBits)
{
    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    GlyphInt root(nullptr);
    Swatch child(&root);
    child.SetArea(0, 0, 5, 5);
    child.SetOrigin(20, 10);
    child.Notify(kRedraw | kRelayout);
    {
        QPainter painter(&image);
        DrawChild(painter, child);
    }
    EXPECT_EQ(QColor(Qt::red), image.pixelColor(20, 10));
    EXPECT_EQ(QColor(Qt::red), image.pixelColor(24, 14));
    EXPECT_EQ(QColor(Qt::white), image.pixelColor(25, 10));
    EXPECT_EQ(QColor(Qt::white), image.pixelColor(0, 0));
    EXPECT_EQ(0u, child.GetState() & (kRedraw | kRelayout));

    image.fill(Qt::white);
    child.ClearStateBits(kVisible);
    {
        QPainter painter(&image);
        DrawChild(painter, child);
    }
    EXPECT_EQ(QColor(Qt::white), image.pixelColor(20, 10));
}

TEST(GlyphText, AnchorsTheBlockByAlignmentAndPadding)
{
    GlyphText text(nullptr);
    text.SetText(QStringLiteral("Hg"));
    text.paddingLeft = 3;
    text.paddingRight = 5;
    text.paddingTop = 7;
    text.paddingBottom = 11;
    text.Layout(0);
    const int32_t w = text.GetWidth(), h = text.GetHeight();
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    const struct {
        uint8_t alignment;
        int32_t left, top;
    } rows[] = {
        {kTop | kLeft, 3, 7},
        {kTop | kHCentre, -w / 2, 7},
        {kTop | kRight, 1 - w - 5, 7},
        {kVCentre | kLeft, 3, -h / 2},
        {kBottom | kRight, 1 - w - 5, 1 - h - 11},
        {0, 0, 0},  // no bits: as measured
    };
    for (const auto& row : rows) {
        text.GetDrawStr().SetAlignment(row.alignment);
        text.Layout(0);
        EXPECT_EQ((Rect{row.left, row.top, row.left + w, row.top + h}), text.GetArea()) << int(row.alignment);
        EXPECT_EQ((Point{row.left, row.top}), text.GetDrawPoint());
    }
}

TEST(GlyphText, RotationTurnsTheBlockAboutTheAnchor)
{
    GlyphText text(nullptr);
    text.SetText(QStringLiteral("Label"));
    text.GetDrawStr().SetAlignment(kTop | kLeft);
    text.Layout(0);
    const int32_t w = text.GetWidth(), h = text.GetHeight();
    const struct {
        uint8_t rotation;
        Rect area;
        Point point;
        int32_t escapement;
    } rows[] = {
        {0, {0, 0, w, h}, {0, 0}, 0},
        {1, {0, 1 - w, h, 1}, {0, 0}, 900},
        {2, {1 - w, 1 - h, 1, 1}, {0, 0}, 1800},
        {3, {1 - h, 0, 1, w}, {0, 0}, 2700},
        {9, {0, 0, w, h}, {0, 0}, 0},
    };
    for (const auto& row : rows) {
        text.GetDrawStr().SetRotation(row.rotation);
        text.Layout(0);
        EXPECT_EQ(row.area, text.GetArea()) << int(row.rotation);
        EXPECT_EQ(row.escapement, text.GetDrawStr().GetLogFont().escapement);
    }
}

TEST(GlyphText, HiddenTextHasAnEmptyArea)
{
    GlyphText text(nullptr);
    text.SetText(QStringLiteral("visible"));
    text.Layout(0);
    EXPECT_GT(text.GetWidth(), 0);
    text.ClearStateBits(kVisible);
    text.Layout(0);
    EXPECT_EQ((Rect{0, 0, 0, 0}), text.GetArea());
}

// The tree's links never dangle: a child leaves its parent's list when it goes or moves, the
// children of a destroyed glyph are left without a parent, and a replaced child takes no more part.
TEST(Glyph, ChildLinksFollowRemovalReplacementAndDestruction)
{
    auto root = std::make_unique<GlyphInt>(nullptr);
    auto a = std::make_shared<GlyphInt>(root.get());
    auto b = std::make_shared<GlyphInt>(root.get());
    auto c = std::make_shared<GlyphInt>(nullptr);
    EXPECT_EQ(root->GetChildren(), (std::vector<Glyph*>{a.get(), b.get()}));

    root->ReplaceChild(*a, *c);
    EXPECT_EQ(root->GetChildren(), (std::vector<Glyph*>{c.get(), b.get()}));
    EXPECT_EQ(a->GetParent(), nullptr);
    root->ClearStateBits(kChanged);
    a->SetOrigin(5, 5);  // out of the tree: the root hears nothing
    EXPECT_FALSE(root->GetState() & kChanged);
    c->SetOrigin(5, 5);
    EXPECT_TRUE(root->GetState() & kChanged);

    std::vector<Glyph*> walked;
    root->Walk([&](Glyph& g) { walked.push_back(&g); });
    EXPECT_EQ(walked, (std::vector<Glyph*>{root.get(), c.get(), b.get()}));

    b.reset();  // destroyed: gone from the list
    EXPECT_EQ(root->GetChildren(), (std::vector<Glyph*>{c.get()}));
    root.reset();  // the child outlives its parent and points nowhere
    EXPECT_EQ(c->GetParent(), nullptr);
    EXPECT_TRUE(c->Observers().empty());
    c->SetOrigin(7, 7);  // and notifies nobody (a dangling parent would crash here under ASan)
}
