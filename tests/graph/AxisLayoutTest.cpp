#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <functional>
#include <optional>

#include "Recorder.h"
#include "graph/Axis.h"
#include "graph/GdiDrawStr.h"

namespace ovgGraph {
// Readable failures for the geometry types.
[[maybe_unused]] static void PrintTo(const Rect& r, std::ostream* os) { *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")"; }
[[maybe_unused]] static void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace ovgGraph

using namespace ovgGraph;

namespace {

using ovgGraph::test::Recorder;

bool Inked(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return c.red() < 200 || c.green() < 200 || c.blue() < 200;
}

// The device pixel `inward` pixels from the axis line towards the plot, `along` pixels along the
// axis, for an axis whose origin sits at (ox, oy).
QPoint Device(uint8_t type, int ox, int oy, int along, int inward)
{
    switch (type) {
        case Axis::kLeft: return {ox + inward, oy - along};
        case Axis::kRight: return {ox - inward, oy - along};
        case Axis::kAbove: return {ox + along, oy + inward};
        default: return {ox + along, oy - inward};
    }
}

const char* TypeName(uint8_t type)
{
    switch (type) {
        case Axis::kLeft: return "left";
        case Axis::kRight: return "right";
        case Axis::kAbove: return "above";
        default: return "below";
    }
}

}  // namespace

TEST(Axis, LayoutPlacesTitleScrollBarAndCursorByType)
{
    const struct {
        const char* what;
        uint8_t type;
        int32_t length;
        bool barShown;
        int32_t margin;
        const char* title;  // null: hidden
    } rows[] = {
        {"left", Axis::kLeft, 200, false, 0, "Temperature"},
        {"left with its bar shown and margins", Axis::kLeft, 200, true, 3, "Temperature"},
        {"left, a title longer than the axis overhangs its ends", Axis::kLeft, 40, false, 0,
         "A title far longer than its axis"},
        {"left, title hidden", Axis::kLeft, 200, false, 0, nullptr},
        {"right with its bar shown", Axis::kRight, 200, true, 0, "Humidity"},
        {"right, title hidden, margins", Axis::kRight, 200, false, 2, nullptr},
        {"above", Axis::kAbove, 300, false, 0, "Pressure"},
        {"above, title hidden, margins", Axis::kAbove, 300, false, 4, nullptr},
        {"below with its bar shown", Axis::kBelow, 300, true, 0, "Time"},
        {"below, title hidden, margins", Axis::kBelow, 300, false, 1, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Axis axis(nullptr, row.type);
        axis.SetLength(row.length);
        axis.SetRange(0, 100);
        axis.marginLeft = axis.marginTop = axis.marginRight = axis.marginBottom = row.margin;
        if (row.barShown) axis.GetScrollBar().SetViewMode(ScrollBar::kShown);
        if (row.title) {
            axis.GetTitle().SetText(QString::fromUtf8(row.title));
            axis.GetTitle().SetStateBits(kVisible);
        }
        axis.Layout(0);

        const int32_t w = axis.GetLabelExtentWidth(), h = axis.GetLabelExtentHeight(), g = 5, L = row.length;
        const int32_t m = row.margin, bar = row.barShown ? 16 : 0, cursor = 16;
        ASSERT_GT(w, 8);
        ASSERT_GT(h, 8);
        const AxisTitle& title = axis.GetTitle();
        const Point o = title.GetOrigin();
        const Rect t = row.title ? title.GetArea() : Rect{};
        Point titleOrigin, barOrigin, cursorOrigin;
        Rect area;
        std::optional<int32_t> titleNearEdge, expectedNearEdge;  // the title's edge towards the labels
        switch (row.type) {
            case Axis::kLeft:
                titleOrigin = {-(w + g), -L / 2};
                barOrigin = {1, 1 - L};
                cursorOrigin = {bar + 1, 1 - L};
                area = {std::min(-m, o.x + t.left), -m - (L - 1) - h / 2, m + 1 + bar + cursor, m};
                titleNearEdge = o.x + t.right;
                expectedNearEdge = 1 - (w + g);
                break;
            case Axis::kRight:
                titleOrigin = {w + g, -L / 2};
                barOrigin = {-bar, 1 - L};
                cursorOrigin = {-(bar + cursor), 1 - L};
                area = {-m - bar - cursor, -m - (L - 1) - h / 2, std::max(m, o.x + t.right), m};
                titleNearEdge = o.x + t.left;
                expectedNearEdge = w + g;
                break;
            case Axis::kAbove:
                titleOrigin = {L / 2, -(h + g)};
                barOrigin = {0, 1};
                cursorOrigin = {0, 1};  // the rows keep the bar hidden
                area = {-m, std::min(-m, o.y + t.top), m + L, m + 1 + bar + cursor};
                titleNearEdge = o.y + t.bottom;
                expectedNearEdge = 1 - (h + g);
                break;
            default:
                titleOrigin = {L / 2, h + g};
                barOrigin = {0, -bar};
                cursorOrigin = {0, -(bar + cursor)};
                area = {-m, -m - bar - cursor, m + L, std::max(m, o.y + t.bottom)};
                titleNearEdge = o.y + t.top;
                expectedNearEdge = h + g;
                break;
        }
        EXPECT_EQ(titleOrigin, title.GetOrigin());
        EXPECT_EQ(barOrigin, axis.GetScrollBar().GetOrigin());
        EXPECT_EQ(cursorOrigin, axis.GetCursor().GetOrigin());
        EXPECT_EQ(area, axis.GetArea());
        if (row.title) {
            EXPECT_GT(t.Width(), 0);
            EXPECT_EQ(*expectedNearEdge, *titleNearEdge);
        }
        // Bar and cursor are a 16-pixel strip along the whole axis.
        const Rect strip = axis.IsVertical() ? Rect{0, 0, 16, L} : Rect{0, 0, L, 16};
        EXPECT_EQ(strip, axis.GetScrollBar().GetArea());
        EXPECT_EQ(strip, axis.GetCursor().GetArea());
        if (row.length == 40) {
            EXPECT_LT(o.y + t.top, area.top);  // the title does stick out
        }
    }
}

TEST(Axis, UnitStandsAboveTheAxisEndAwayFromThePlot)
{
    const struct {
        const char* what;
        uint8_t type;
        const char* unit;
        bool visible;
        bool shown;
    } rows[] = {
        {"left: right-aligned on the axis line, outside", Axis::kLeft, "°C", true, true},
        {"right: left-aligned on the axis line, outside", Axis::kRight, "%RH", true, true},
        {"two-line unit", Axis::kLeft, "m/s\n(avg)", true, true},
        {"hidden unit: only the half label", Axis::kLeft, "°C", false, false},
        {"empty unit: only the half label", Axis::kRight, "", true, false},
        {"horizontal axes have no unit", Axis::kBelow, "s", true, false},
        {"nor above", Axis::kAbove, "s", true, false},
    };
    const int32_t L = 150;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Axis axis(nullptr, row.type);
        axis.SetLength(L);
        axis.SetRange(0, 100);
        AxisUnit& unit = axis.GetUnit();
        unit.SetText(QString::fromUtf8(row.unit));
        if (!row.visible) unit.ClearStateBits(kVisible);
        axis.Layout(0);
        const int32_t h = axis.GetLabelExtentHeight();
        const Rect area = axis.GetArea();
        const Rect u = unit.GetArea();
        const Point o = unit.GetOrigin();
        if (!row.shown) {
            EXPECT_EQ((Rect{0, 0, 0, 0}), u);
            // Vertical axes keep half a label above their end; horizontal ones make no room at all.
            const int32_t top = row.type == Axis::kBelow ? -16 : row.type == Axis::kAbove ? -(h + 5) : -(L - 1) - h / 2;
            EXPECT_EQ(top, area.top);
            continue;
        }
        std::vector<TextLine> lines;
        const Point size = unit.GetDrawStr().Measure(lines, unit.GetText());
        EXPECT_EQ(size.x, u.Width());
        EXPECT_EQ(size.y, u.Height());
        // Its last row stands half a label above the axis end; the area takes in both.
        EXPECT_EQ(-(L - 1) - h / 2 + 1, o.y + u.bottom);
        EXPECT_EQ(-(L - 1) - h / 2 - size.y, area.top);
        if (row.type == Axis::kLeft) {
            EXPECT_EQ(1, o.x + u.right);  // its last column on the axis line
            EXPECT_LE(area.left, o.x + u.left);
        } else {
            EXPECT_EQ(0, o.x + u.left);
            EXPECT_GE(area.right, o.x + u.right);
        }
    }
}

TEST(AxisDrawer, TicksSpanByPenWidthAndDrawTypeMirroredOnEverySide)
{
    // Tick length 5. Spans in pixels from the axis line towards the plot, both ends drawn.
    const struct {
        int32_t drawType;
        int32_t width;
        int32_t from, to;
    } rows[] = {
        {AxisDrawer::kInside, 1, 0, 5},    {AxisDrawer::kInside, 2, -1, 6},   {AxisDrawer::kInside, 3, -1, 6},
        {AxisDrawer::kInside, 4, -2, 7},   {AxisDrawer::kOutside, 1, -5, 0},  {AxisDrawer::kOutside, 2, -11, 1},
        {AxisDrawer::kOutside, 3, -16, 1}, {AxisDrawer::kOutside, 4, -22, 2}, {AxisDrawer::kCross, 1, -5, 5},
        {AxisDrawer::kCross, 2, -11, 6},   {AxisDrawer::kCross, 4, -22, 7},
    };
    for (const auto& row : rows) {
        for (const uint8_t type : {Axis::kLeft, Axis::kRight, Axis::kAbove, Axis::kBelow}) {
            Axis axis(nullptr, type);
            axis.SetLength(60);
            AxisDrawer& drawer = axis.GetDrawer();
            drawer.SetScaleLength(5);
            drawer.SetScaleDrawType(row.drawType);
            drawer.SetLogPen({0, row.width, 0, 0});
            QImage image(160, 160, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                painter.translate(80, 80);
                drawer.Draw(painter, axis, {30}, {});
            }
            int from = 1000, to = -1000;
            for (int inward = -40; inward <= 40; ++inward) {
                const QPoint p = Device(type, 80, 80, 30, inward);
                if (Inked(image, p.x(), p.y())) from = std::min(from, inward), to = std::max(to, inward);
            }
            EXPECT_EQ(row.from, from) << TypeName(type) << " type " << row.drawType << " width " << row.width;
            EXPECT_EQ(row.to, to) << TypeName(type) << " type " << row.drawType << " width " << row.width;
        }
    }
}

TEST(AxisDrawer, EveryScalePositionGetsATickAndTheLineCoversTheLength)
{
    for (const uint8_t type : {Axis::kLeft, Axis::kRight, Axis::kAbove, Axis::kBelow}) {
        SCOPED_TRACE(TypeName(type));
        Axis axis(nullptr, type);
        axis.SetLength(200);
        axis.SetRange(0, 100);
        axis.Layout(0);
        const std::vector<int32_t>& ticks = axis.GetScalePixels();
        // 0, 20, ..., 100: the displayed maximum falls on the pixel just past the line's end.
        ASSERT_EQ((std::vector<int32_t>{0, 40, 80, 120, 160, 200}), ticks);
        QImage image(440, 440, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.translate(220, 220);
            axis.GetDrawer().Draw(painter, axis, ticks, axis.GetSubscalePixels());
        }
        for (int along = -2; along <= 202; ++along) {
            const bool tick = std::find(ticks.begin(), ticks.end(), along) != ticks.end();
            const QPoint outside = Device(type, 220, 220, along, -3);
            EXPECT_EQ(tick, Inked(image, outside.x(), outside.y())) << "tick at " << along;
            const QPoint line = Device(type, 220, 220, along, 0);
            EXPECT_EQ((along >= 0 && along < 200) || tick, Inked(image, line.x(), line.y())) << "line at " << along;
        }
    }
}

TEST(Axis, SetRangeOrdersTheEndsAndPutsTheCursorsOnThem)
{
    const struct {
        double a, b;
        double lo, hi;
    } rows[] = {{0, 100, 0, 100}, {100, 0, 0, 100}, {-50, 50, -50, 50}, {7.5, 7.5, 7.5, 7.5}, {1e6, -2e6, -2e6, 1e6}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.a << ", " << row.b);
        Axis axis(nullptr, Axis::kLeft);
        axis.SetLength(100);
        axis.SetDisplayRange(0, 10);  // a narrower view that the new range replaces
        axis.SetRange(row.a, row.b);
        const ScrollBar& bar = axis.GetScrollBar();
        const AxisCursor& cursor = axis.GetCursor();
        EXPECT_EQ(row.lo, bar.GetRangeMin());
        EXPECT_EQ(row.hi, bar.GetRangeMax());
        EXPECT_EQ(row.lo, bar.GetDisplayMin());
        EXPECT_EQ(row.hi, bar.GetDisplayMax());
        EXPECT_EQ(row.lo, cursor.GetLowerLimit());
        EXPECT_EQ(row.hi, cursor.GetUpperLimit());
        EXPECT_EQ(row.lo, cursor.GetDisplayMin());
        EXPECT_EQ(row.hi, cursor.GetDisplayMax());
        EXPECT_EQ(row.a, cursor.GetCursor1());
        EXPECT_EQ(row.b, cursor.GetCursor2());
        EXPECT_DOUBLE_EQ((row.hi - row.lo) / 100, axis.GetValuePerPixel());
    }
}

TEST(Axis, DisplayRangeKeepsTheMinimumSpanInsideTheRange)
{
    const struct {
        const char* what;
        double rangeMin, rangeMax;
        double a, b;
        double displayMin, displayMax;
    } rows[] = {
        {"inside", 0, 100, 10, 20, 10, 20},
        {"below the range", 0, 100, -30, 20, 0, 20},
        {"above the range", 0, 100, 90, 300, 90, 100},
        {"wholly above: the last span", 0, 100, 150, 300, 99, 100},
        {"wholly below: the first span", 0, 100, -300, -200, 0, 1},
        {"narrower than the span: from the current minimum", 0, 100, 70, 70.5, 25, 26},
        {"reversed: from the current minimum", 0, 100, 60, 10, 25, 26},
        {"the span at the top end", 0, 100, 99.5, 200, 99, 100},
        {"a range of no width: the span past it", 5, 5, 0, 10, 5, 6},
        {"the whole range", 0, 100, 0, 100, 0, 100},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Axis axis(nullptr, Axis::kBelow);
        axis.SetLength(100);
        axis.SetMinimumSpan(1);
        axis.SetRange(row.rangeMin, row.rangeMax);
        if (row.rangeMax > row.rangeMin) axis.SetDisplayRange(25, 50);
        axis.SetDisplayRange(row.a, row.b);
        EXPECT_DOUBLE_EQ(row.displayMin, axis.GetDisplayMin());
        EXPECT_DOUBLE_EQ(row.displayMax, axis.GetDisplayMax());
        EXPECT_EQ(axis.GetDisplayMin(), axis.GetCursor().GetDisplayMin());
        EXPECT_EQ(axis.GetDisplayMax(), axis.GetCursor().GetDisplayMax());
        EXPECT_DOUBLE_EQ((row.displayMax - row.displayMin) / 100, axis.GetValuePerPixel());
    }
}

TEST(Axis, RangeChangesNotifyTheGraphOnlyWhenSomethingChanged)
{
    const struct {
        const char* what;
        std::function<void(Axis&)> change;
        bool notifies;
        bool relayout;
    } rows[] = {
        {"the same range again", [](Axis& a) { a.SetRange(0, 100); }, false, false},
        {"the same range reversed: the cursors swap", [](Axis& a) { a.SetRange(100, 0); }, true, false},
        {"a new range", [](Axis& a) { a.SetRange(0, 50); }, true, true},
        {"the displayed range it has", [](Axis& a) { a.SetDisplayRange(0, 100); }, false, false},
        {"fitting a fitted axis", [](Axis& a) { a.Fit(); }, false, false},
        {"a new displayed range", [](Axis& a) { a.SetDisplayRange(10, 20); }, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Axis axis(nullptr, Axis::kLeft);
        axis.SetRange(0, 100);
        Recorder graph;
        axis.Attach(&graph);
        row.change(axis);
        EXPECT_EQ(row.notifies, graph.calls > 0);
        EXPECT_EQ(row.relayout, (graph.flags & kRelayout) != 0);
    }
}

TEST(Axis, ScrollBarRangeChangesMoveTheCursorsDisplayedRange)
{
    const struct {
        const char* what;
        std::function<void(Axis&)> change;
        double cursorMin, cursorMax;
    } rows[] = {
        {"the bar's displayed range is scrolled", [](Axis& a) { a.GetScrollBar().SetDisplayValues(20, 30); }, 20, 30},
        {"the bar's range grows", [](Axis& a) { a.GetScrollBar().SetRangeValues(-100, 200); }, 0, 100},
        {"the bar, still marked for layout, reports another change",
         [](Axis& a) {
             a.GetScrollBar().SetStateBits(kRelayout);
             a.GetScrollBar().SetArea(0, 0, 16, 77);
         },
         0, 100},
        {"the bar reports a change without the layout mark",
         [](Axis& a) {
             a.GetScrollBar().ClearStateBits(kRelayout);
             a.GetScrollBar().SetArea(0, 0, 16, 77);
         },
         1, 2},
        {"another child reports a layout change", [](Axis& a) { a.GetUnit().Notify(kChanged | kRelayout); }, 1, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Axis axis(nullptr, Axis::kLeft);
        axis.SetRange(0, 100);
        axis.GetCursor().SetDisplayRange(1, 2);  // out of step with the bar, to see whether it follows
        row.change(axis);
        EXPECT_EQ(row.cursorMin, axis.GetCursor().GetDisplayMin());
        EXPECT_EQ(row.cursorMax, axis.GetCursor().GetDisplayMax());
    }
}

TEST(GdiDrawStr, DrawAtStacksTheLinesAndTurnsThemAboutThePoint)
{
    enum Flush { kStart, kEnd, kMiddle };
    const struct {
        const char* what;
        uint8_t rotation;
        uint8_t alignment;
        int sideX, sideY;          // the ink lies right of (+1), left of (-1) or around (0) the point
        int stepX, stepY;          // where the second line lies from the first
        bool flushAlongX;          // the lines run along x (else along y)
        Flush flush;               // which screen edge of the two lines agrees: low, high or middle
    } rows[] = {
        {"top left", 0, kTop | kLeft, 1, 1, 0, 1, true, kStart},
        {"top right", 0, kTop | kRight, -1, 1, 0, 1, true, kEnd},
        {"top centre", 0, kTop | kHCentre, 0, 1, 0, 1, true, kMiddle},
        {"bottom right", 0, kBottom | kRight, -1, -1, 0, 1, true, kEnd},
        {"a quarter turn: lines run upwards, stacked to the right", 1, kTop | kLeft, 1, -1, 1, 0, false, kEnd},
        {"a half turn: upside down, stacked upwards", 2, kTop | kLeft, -1, -1, 0, -1, true, kEnd},
        {"a half turn, right-aligned", 2, kTop | kRight, 1, -1, 0, -1, true, kStart},
        {"three quarters: lines run downwards, stacked to the left", 3, kTop | kLeft, -1, 1, -1, 0, false, kStart},
    };
    const int anchor = 150;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        GdiDrawStr text;
        text.SetTextColor(0x000000);
        text.SetAlignment(row.alignment);
        text.SetRotation(row.rotation);
        QImage image(300, 300, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            text.DrawAt(painter, QStringLiteral("MMMMMMMM\nMM"), anchor, anchor);
        }
        QRect ink;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                if (Inked(image, x, y)) ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isEmpty());
        const auto side = [](int sign, int low, int high, int at) {
            if (sign > 0) return low >= at - 1;
            if (sign < 0) return high <= at + 1;
            return std::abs((low + high) / 2 - at) <= 3;
        };
        EXPECT_TRUE(side(row.sideX, ink.left(), ink.right(), anchor)) << ink.left() << ".." << ink.right();
        EXPECT_TRUE(side(row.sideY, ink.top(), ink.bottom(), anchor)) << ink.top() << ".." << ink.bottom();

        // Split the ink between the two lines across the stacking direction and compare them.
        const bool stackAlongY = row.stepY != 0;
        const int middle = stackAlongY ? (ink.top() + ink.bottom()) / 2 : (ink.left() + ink.right()) / 2;
        QRect first, second;
        for (int y = ink.top(); y <= ink.bottom(); ++y)
            for (int x = ink.left(); x <= ink.right(); ++x) {
                if (!Inked(image, x, y)) continue;
                const int across = stackAlongY ? y : x;
                const bool low = across < middle;
                const bool isFirst = (stackAlongY ? row.stepY : row.stepX) > 0 ? low : !low;
                (isFirst ? first : second) |= QRect(x, y, 1, 1);
            }
        ASSERT_FALSE(first.isEmpty());
        ASSERT_FALSE(second.isEmpty());
        const int firstLength = row.flushAlongX ? first.width() : first.height();
        const int secondLength = row.flushAlongX ? second.width() : second.height();
        EXPECT_GT(firstLength, 2 * secondLength);
        const int firstLow = row.flushAlongX ? first.left() : first.top();
        const int firstHigh = row.flushAlongX ? first.right() : first.bottom();
        const int secondLow = row.flushAlongX ? second.left() : second.top();
        const int secondHigh = row.flushAlongX ? second.right() : second.bottom();
        switch (row.flush) {
            case kStart: EXPECT_NEAR(firstLow, secondLow, 2); break;
            case kEnd: EXPECT_NEAR(firstHigh, secondHigh, 2); break;
            case kMiddle: EXPECT_NEAR(firstLow + firstHigh, secondLow + secondHigh, 4); break;
        }
    }
}
