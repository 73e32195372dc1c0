#include <gtest/gtest.h>

#include "Common/Library/SeriousError.h"
#include "graph/AxisCursor.h"
#include "graph/ScrollBar.h"

using namespace ovgGraph;

namespace {

struct Span {
    int32_t from, to;
    bool operator==(const Span&) const = default;
};

Span Along(const Rect& r, bool vertical) { return vertical ? Span{r.top, r.bottom} : Span{r.left, r.right}; }

}  // namespace

TEST(ScrollBar, GeometryOfThumbAndParts)
{
    const struct {
        const char* what;
        bool vertical;
        int32_t length;
        double displayMin, displayMax;  // of the range 0 to 100
        int32_t thumbUpper, thumbLower;
        Span decreaseButton, centre, increaseButton;
    } rows[] = {
        // Shorter than 4 + 2 * (16 + 4): the thumb fills the track, the lower parts reach beyond the bar.
        {"too short", true, 40, 0, 100, 16, 23, {28, 44}, {20, 20}, {0, 16}},
        {"whole range shown", true, 200, 0, 100, 16, 183, {184, 200}, {20, 180}, {0, 16}},
        {"lower half shown", true, 200, 0, 50, 100, 183, {184, 200}, {104, 180}, {0, 16}},
        {"tiny range keeps a 12-pixel thumb", true, 200, 50, 50.001, 88, 99, {184, 200}, {92, 96}, {0, 16}},
        {"horizontal mirrors: minimum on the left", false, 200, 0, 50, 100, 183, {0, 16}, {20, 96}, {184, 200}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ScrollBar bar(nullptr);
        bar.SetOrientation(row.vertical ? ScrollBar::kVertical : ScrollBar::kHorizontal);
        bar.SetArea(row.vertical ? Rect{0, 0, 16, row.length} : Rect{0, 0, row.length, 16});
        bar.SetRangeValues(0, 100);
        bar.SetDisplayValues(row.displayMin, row.displayMax);
        bar.Layout(0);
        EXPECT_EQ(row.thumbUpper, bar.GetThumbUpper());
        EXPECT_EQ(row.thumbLower, bar.GetThumbLower());
        EXPECT_EQ(row.decreaseButton, Along(bar.GetPart(ScrollBar::kDecreaseButton), row.vertical));
        EXPECT_EQ(row.centre, Along(bar.GetPart(ScrollBar::kCentre), row.vertical));
        EXPECT_EQ(row.increaseButton, Along(bar.GetPart(ScrollBar::kIncreaseButton), row.vertical));
    }
}

TEST(ScrollBar, ViewModesSetTheStateBits)
{
    const struct {
        int32_t mode;
        bool visible, automatic, shown;
    } rows[] = {{1, true, false, true}, {2, false, true, false}, {0, false, false, false}, {1, true, false, true}};
    ScrollBar bar(nullptr);
    for (const auto& row : rows) {
        bar.SetViewMode(row.mode);
        EXPECT_EQ(row.visible, bar.IsVisible()) << row.mode;
        EXPECT_EQ(row.automatic, (bar.GetState() & kAutoView) != 0) << row.mode;
        EXPECT_EQ(row.shown, bar.IsShown()) << row.mode;
        EXPECT_NE(0u, bar.GetState() & kRelayout);
    }
    EXPECT_THROW(bar.SetViewMode(3), orvel::SeriousError);
}

TEST(AxisCursor, HandlesStayWithinTheLimits)
{
    const struct {
        double cursor;
        Span handle;
    } rows[] = {
        {50, {92, 109}},   // centred on pixel 100
        {100, {0, 17}},    // not above the upper limit's pixel
        {0, {183, 200}},   // not below the lower limit's pixel
        {250, {0, 17}},    // clamped to the upper limit first
        {-5, {183, 200}},
    };
    for (const auto& row : rows) {
        AxisCursor cursor(nullptr);
        cursor.SetOrientation(1);
        cursor.SetArea(0, 0, 16, 200);
        cursor.SetLimits(0, 100);
        cursor.SetDisplayRange(100, 0);  // ordered on storing
        cursor.SetCursor1(row.cursor);
        cursor.Layout(0);
        EXPECT_EQ(row.handle, Along(cursor.GetHandle1(), true)) << row.cursor;
    }
}

TEST(AxisCursor, BandLiesBetweenTheHandlesAndIsEmptyWhenTheyMeet)
{
    AxisCursor cursor(nullptr);
    cursor.SetOrientation(0);
    cursor.SetArea(0, 0, 200, 16);
    cursor.SetLimits(0, 100);
    cursor.SetDisplayRange(0, 100);
    cursor.SetCursor1(20);
    cursor.SetCursor2(80);
    cursor.Layout(0);
    EXPECT_EQ((Span{32, 49}), Along(cursor.GetHandle1(), false));
    EXPECT_EQ((Span{152, 169}), Along(cursor.GetHandle2(), false));
    EXPECT_EQ((Span{49, 152}), Along(cursor.GetBand(), false));

    cursor.SetCursor2(20);
    cursor.Layout(0);
    EXPECT_EQ(cursor.GetHandle1(), cursor.GetHandle2());
    EXPECT_EQ(0, cursor.GetBand().Width());
}

TEST(AxisCursor, ClampsAndNotifiesOnlyOnChange)
{
    GlyphInt parent(nullptr);
    AxisCursor cursor(&parent);
    cursor.SetLimits(-10, 10);
    parent.ClearStateBits(kChanged);
    cursor.SetCursor1(99);
    EXPECT_EQ(10, cursor.GetCursor1());
    EXPECT_NE(0u, parent.GetState() & kChanged);
    parent.ClearStateBits(kChanged);
    cursor.SetCursor1(10);
    cursor.SetCursor1(42);  // clamps to the value it has
    EXPECT_EQ(0u, parent.GetState() & kChanged);
}
