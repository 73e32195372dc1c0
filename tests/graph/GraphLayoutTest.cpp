#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <functional>

#include "Common/Library/SeriousError.h"
#include "Recorder.h"
#include "filelib/ChConstants.h"
#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/GdiDrawLine.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/GdiDrawRect.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphBack.h"
#include "graph/GraphFactory.h"
#include "graph/GraphFrame.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/PlotGenerateLineGraph3.h"

namespace ovgGraph {
// Readable failures for the geometry types.
[[maybe_unused]] static void PrintTo(const Rect& r, std::ostream* os) { *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")"; }
[[maybe_unused]] static void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace ovgGraph

using namespace ovgGraph;
using orvel::fixtures::SeriesChannel;
using ovgGraph::test::Recorder;

namespace {

constexpr double kInvalid = OvGraphFileLib::INVALID_VALUE;

// Edges of a glyph's area in its parent's coordinates.
int32_t LeftOf(const Glyph& g) { return g.GetOriginX() + g.GetAreaLeft(); }
int32_t RightOf(const Glyph& g) { return g.GetOriginX() + g.GetAreaRight(); }
int32_t TopOf(const Glyph& g) { return g.GetOriginY() + g.GetAreaTop(); }
int32_t BottomOf(const Glyph& g) { return g.GetOriginY() + g.GetAreaBottom(); }

// The most any value axis reaches above its length, or the tallest axis above the plot.
int32_t Overhang(GraphAxes& axes)
{
    int32_t o = 0;
    for (const uint8_t type : {Axis::kLeft, Axis::kRight})
        for (const auto& axis : axes.List(type)) o = std::max(o, axis->GetHeight() - axis->GetLength());
    for (const auto& axis : axes.List(Axis::kAbove)) o = std::max(o, axis->GetHeight());
    return o;
}

bool Near(QColor c, QColor want) { return std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) + std::abs(c.blue() - want.blue()) < 90; }

QImage Canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

}  // namespace

TEST(Graph, AxesStackOutwardsFromThePlotAndTheTopGivesWayToTheOverhang)
{
    const struct {
        const char* what;
        int left, right, below, above;
        const char* unit;  // on the outermost left axis
    } rows[] = {
        {"one left, one below", 1, 0, 1, 0, ""},
        {"two on each side", 2, 2, 1, 0, "°C"},
        {"three left, one right, two below, one above", 3, 1, 2, 1, "m/s\n(avg)\nmax"},
        {"no left axis: 40 pixels on the left instead", 0, 1, 1, 0, ""},
        {"an axis above the plot", 1, 1, 1, 1, ""},
    };
    const int32_t W = 900, H = 600;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Graph graph;
        graph.Initialize(nullptr);
        GraphFactory factory;
        GraphAxes& axes = graph.GetAxes();
        for (int i = 0; i < row.below; ++i) axes.Insert(factory.CreateTimeAxis(&graph));
        for (int i = 0; i < row.left; ++i) axes.Insert(factory.CreateLeftAxis(&graph));
        for (int i = 0; i < row.right; ++i) axes.Insert(factory.CreateRightAxis(&graph));
        for (int i = 0; i < row.above; ++i) axes.Insert(std::make_shared<Axis>(&graph, Axis::kAbove));
        if (row.left > 0) axes.List(Axis::kLeft).back()->GetUnit().SetText(QString::fromUtf8(row.unit));
        graph.SetArea(0, 0, W, H);
        graph.Layout(1);

        // The legend is empty (no channels), so the right side or else the left gives 40 pixels.
        Rect work{8, 16, W - 8, H - 8};
        if (row.right == 0)
            work.right -= 40;
        else if (row.left == 0)
            work.left += 40;
        const Rect plot = graph.GetPlotArea();

        // Each list from its last axis to its first: the first one stands next to the plot.
        const auto& left = axes.List(Axis::kLeft);
        for (size_t i = 0; i < left.size(); ++i) {
            EXPECT_EQ(i + 1 < left.size() ? RightOf(*left[i + 1]) : work.left, LeftOf(*left[i])) << "left " << i;
            if (i == 0) {
                EXPECT_EQ(plot.left, RightOf(*left[i]));
            }
        }
        if (left.empty()) {
            EXPECT_EQ(work.left, plot.left);
        }
        const auto& right = axes.List(Axis::kRight);
        for (size_t i = 0; i < right.size(); ++i) {
            EXPECT_EQ(i + 1 < right.size() ? LeftOf(*right[i + 1]) : work.right, RightOf(*right[i])) << "right " << i;
            if (i == 0) {
                EXPECT_EQ(plot.right, LeftOf(*right[i]));
            }
        }
        if (right.empty()) {
            EXPECT_EQ(work.right, plot.right);
        }
        const auto& below = axes.List(Axis::kBelow);
        for (size_t i = 0; i < below.size(); ++i) {
            EXPECT_EQ(i + 1 < below.size() ? TopOf(*below[i + 1]) : work.bottom, BottomOf(*below[i])) << "below " << i;
            if (i == 0) {
                EXPECT_EQ(plot.bottom, TopOf(*below[i]));
            }
        }
        for (const auto& axis : axes.List(Axis::kAbove)) EXPECT_EQ(work.top, TopOf(*axis));
        const int32_t overhang = Overhang(axes);
        EXPECT_EQ(work.top + overhang, plot.top);
        if (row.unit[0] != '\0') {
            EXPECT_GT(overhang, left.back()->GetUnit().GetHeight());
        }

        // The axes follow the plot area.
        for (const auto& axis : axes.All()) {
            if (axis->IsVertical()) {
                EXPECT_EQ(plot.Height(), axis->GetLength());
                EXPECT_EQ(plot.bottom - 1, axis->GetOriginY());
            } else {
                EXPECT_EQ(plot.Width(), axis->GetLength());
                EXPECT_EQ(plot.left, axis->GetOriginX());
            }
        }
        EXPECT_EQ(plot, graph.GetFrame().GetArea());
    }
}

TEST(Graph, LegendTakesItsSideOfTheWorkingRectangle)
{
    const struct {
        const char* what;
        int32_t position;
        Point stored;  // where a free legend was put
    } rows[] = {
        {"left", 0, {}},       {"above", 1, {}}, {"right", 2, {}}, {"below", 3, {}},
        {"free, inside", 4, {300, 200}}, {"free, outside: kept inside", 4, {-50, 900}},
    };
    const int32_t W = 800, H = 600;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Graph graph;
        graph.Initialize(nullptr);
        GraphFactory factory;
        const auto time = factory.CreateTimeAxis(&graph), left = factory.CreateLeftAxis(&graph),
                   right = factory.CreateRightAxis(&graph);
        for (const auto& axis : {time, left, right}) graph.GetAxes().Insert(axis);
        graph.AddChannel(std::make_shared<SeriesChannel>(&graph, std::vector<SeriesChannel::Sample>{{0, 1}, {60, 2}}), time,
                         left, QStringLiteral("Temperature"));
        GraphLegend& legend = graph.GetLegend();
        legend.SetPosition(row.position);
        legend.SetOrigin(row.stored);
        graph.SetArea(0, 0, W, H);
        graph.Layout(1);

        const int32_t lw = legend.GetWidth(), lh = legend.GetHeight();
        const int32_t gw = lw + 8, gh = lh + 8;  // grown by its margins of 4
        ASSERT_GT(lw, 50);
        const Rect work{8, row.position == 1 ? 8 : 16, W - 8, H - 8};
        Point origin;
        Rect inner = work;  // what is left for the axes and the plot
        switch (row.position) {
            case 0:
                origin = {work.left + 4, work.top + 4};
                inner.left += gw;
                break;
            case 1:
                origin = {work.left + (work.Width() - gw) / 2 + 4, work.top + 4};
                inner.top += gh;
                break;
            case 2:
                origin = {work.right - gw + 4, work.top + 4};
                inner.right -= gw;
                break;
            case 3:
                origin = {work.left + (work.Width() - gw) / 2 + 4, work.bottom - gh + 4};
                inner.bottom -= gh;
                break;
            default:
                origin = {std::clamp(row.stored.x, work.left, work.right - lw), std::clamp(row.stored.y, work.top, work.bottom - lh)};
                break;
        }
        EXPECT_EQ(origin, legend.GetOrigin());
        EXPECT_EQ(inner.left, LeftOf(*left));
        EXPECT_EQ(inner.right, RightOf(*right));
        EXPECT_EQ(inner.bottom, BottomOf(*time));
        EXPECT_EQ(inner.top + Overhang(graph.GetAxes()), graph.GetPlotArea().top);
    }
}

// Six value axes and a long legend in ever smaller windows: the plot keeps its minimum size, the
// axes stay on their sides without crossing (outer ones fold away), and the legend is clipped to
// the room it was given instead of covering the axes.
TEST(Graph, SmallWindowsKeepAPlotAndNeverCrossTheAxes)
{
    const struct {
        int32_t width, height, legendAt;
    } rows[] = {{1280, 800, 2}, {800, 600, 2}, {800, 600, 0}, {640, 480, 2}, {640, 480, 1}, {640, 480, 3}, {400, 300, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height) + " legend " + std::to_string(row.legendAt));
        Graph graph;
        graph.Initialize(nullptr);
        GraphFactory factory;
        const auto time = factory.CreateTimeAxis(&graph);
        graph.GetAxes().Insert(time);
        std::vector<std::shared_ptr<Axis>> values;
        for (int i = 0; i < 6; ++i) {
            values.push_back(i % 2 ? factory.CreateRightAxis(&graph) : factory.CreateLeftAxis(&graph));
            graph.GetAxes().Insert(values.back());
            values.back()->SetRange(-1000 * (i + 1), 100000.5 * (i + 1));
            values.back()->GetUnit().SetText(QStringLiteral("°C"));
            graph.AddChannel(std::make_shared<SeriesChannel>(&graph, std::vector<SeriesChannel::Sample>{{0, 1}, {60, 2}}), time,
                             values.back(), QStringLiteral("Warehouse north wall sensor %1").arg(i));
        }
        graph.GetLegend().SetPosition(row.legendAt);
        graph.GetLegend().GetDrawRect().SetBackColor1(0xFF00FF);
        graph.GetLegend().GetDrawRect().SetBackColor2(0xFF00FF);
        const QImage picture = graph.Render(row.width, row.height);

        const Rect plot = graph.GetPlotArea();
        EXPECT_GE(plot.Width(), std::min(Graph::kMinPlotWidth, row.width / 4));
        EXPECT_GT(plot.Height(), 0);
        int32_t leftEdge = plot.left, rightEdge = plot.right, folded = 0;
        const auto& lefts = graph.GetAxes().List(Axis::kLeft);
        const auto& rights = graph.GetAxes().List(Axis::kRight);
        for (const auto& axis : lefts) {  // from the plot outwards, each left of the one before
            if (graph.IsFolded(axis.get())) {
                ++folded;
                continue;
            }
            EXPECT_LE(RightOf(*axis), leftEdge);
            EXPECT_GE(LeftOf(*axis), 0);
            leftEdge = LeftOf(*axis);
        }
        for (const auto& axis : rights) {
            if (graph.IsFolded(axis.get())) {
                ++folded;
                continue;
            }
            EXPECT_GE(LeftOf(*axis), rightEdge);
            EXPECT_LE(RightOf(*axis), row.width);
            rightEdge = RightOf(*axis);
        }
        EXPECT_FALSE(graph.IsFolded(lefts.front().get()));
        if (row.width >= 1280) {
            EXPECT_EQ(folded, 0);
        }
        // The legend's room lies beside the axes and the plot, never over them.
        const Rect clip = graph.GetLegendClip();
        const auto apart = [](const Rect& a, int32_t left, int32_t top, int32_t right, int32_t bottom) {
            return a.right <= left || right <= a.left || a.bottom <= top || bottom <= a.top;
        };
        EXPECT_TRUE(apart(clip, leftEdge, plot.top, rightEdge, plot.bottom));
        EXPECT_TRUE(apart(clip, plot.left, BottomOf(*time) - time->GetHeight(), plot.right, BottomOf(*time)) || row.legendAt != 3);
        int outside = 0;  // the legend's background never shows outside its room
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixel(x, y) == qRgb(255, 0, 255) && (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom)) ++outside;
        EXPECT_EQ(outside, 0);
    }
}

TEST(Graph, TitleTakesItsPlaceAtTheTopOrBottom)
{
    const struct {
        const char* what;
        int32_t position;
        Point stored;
    } rows[] = {
        {"free, inside: stays", 0, {100, 100}},
        {"free, outside: kept inside", 0, {2000, -50}},
        {"top left", 1, {}},
        {"top centre", 2, {}},
        {"top right", 3, {}},
        {"bottom left", 4, {}},
        {"bottom centre", 5, {}},
        {"bottom right", 6, {}},
    };
    const int32_t W = 800, H = 600;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Graph graph;
        graph.Initialize(nullptr);
        GraphFactory factory;
        const auto time = factory.CreateTimeAxis(&graph), left = factory.CreateLeftAxis(&graph);
        graph.GetAxes().Insert(time);
        graph.GetAxes().Insert(left);
        GraphTitle& title = graph.GetTitle();
        title.SetText(QStringLiteral("Readings of June"));
        title.SetStateBits(kVisible);
        title.SetPosition(row.position);
        title.SetOrigin(row.stored);
        graph.SetArea(0, 0, W, H);
        graph.Layout(1);

        const Rect t = title.GetArea();
        ASSERT_GT(t.Width(), 0);
        const Rect work{8, 16, W - 8 - 40, H - 8};  // no right axis, no legend: 40 pixels at the right
        const bool top = row.position >= 1 && row.position <= 3, bottom = row.position >= 4;
        if (row.position == 0) {
            EXPECT_EQ(std::clamp(row.stored.x, work.left - t.left, work.right - t.right), title.GetOriginX());
            EXPECT_EQ(std::clamp(row.stored.y, work.top - t.top, work.bottom - t.bottom), title.GetOriginY());
        } else {
            const int32_t x = row.position % 3 == 1 ? 0 : row.position % 3 == 2 ? (W - t.Width()) / 2 : W - t.Width();
            EXPECT_EQ(x, LeftOf(title));
            EXPECT_EQ(top ? work.top : work.bottom - t.Height(), TopOf(title));
        }
        EXPECT_EQ(work.top + (top ? t.Height() : 0) + Overhang(graph.GetAxes()), graph.GetPlotArea().top);
        EXPECT_EQ(work.bottom - (bottom ? t.Height() : 0), BottomOf(*time));
    }
}

TEST(GraphLegend, ItemsFillTheGridFromPaddingAndFrame)
{
    const struct {
        const char* what;
        int items, maxCh, rows, columns;
        int32_t frameWidth;
        uint32_t frameColour;
        int32_t padLeft, padTop, padRight, padBottom;
        int shown, gridColumns, gridRows;
    } rows[] = {
        {"defaults: one column", 3, 10, 0, 1, 1, 0x808080, 4, 4, 4, 4, 3, 1, 3},
        {"at most the maximum channels", 12, 10, 0, 1, 1, 0x808080, 4, 4, 4, 4, 10, 1, 10},
        {"rows and columns limit the count", 5, 10, 2, 2, 1, 0x808080, 4, 4, 4, 4, 4, 2, 2},
        {"columns only", 4, 10, 0, 3, 1, 0x808080, 4, 4, 4, 4, 4, 3, 2},
        {"rows only, more items than rows", 5, 10, 2, 0, 1, 0x808080, 4, 4, 4, 4, 5, 3, 2},
        {"neither: one column", 4, 10, 0, 0, 1, 0x808080, 4, 4, 4, 4, 4, 1, 4},
        {"wide frame, uneven padding", 4, 10, 0, 2, 3, 0x808080, 2, 6, 4, 1, 4, 2, 2},
        {"a frame without colour keeps its room", 2, 10, 0, 1, 2, kNoColour, 4, 4, 4, 4, 2, 1, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        GraphLegend legend(nullptr);
        legend.SetGrid(row.maxCh, row.rows, row.columns);
        legend.GetDrawRect().SetFrameWidth(row.frameWidth);
        legend.GetDrawRect().SetFrameColor(row.frameColour);
        legend.paddingLeft = row.padLeft;
        legend.paddingTop = row.padTop;
        legend.paddingRight = row.padRight;
        legend.paddingBottom = row.padBottom;
        std::vector<std::pair<std::shared_ptr<GCh>, QString>> channels;
        for (int i = 0; i < row.items; ++i)
            channels.emplace_back(std::make_shared<SeriesChannel>(nullptr), QString(i % 4 + 1, QLatin1Char('W')));
        legend.SetItems(channels);
        legend.SetArea(7, 9, 7, 9);  // its left and top stay
        legend.Layout(0);

        int32_t cellWidth = 0, cellHeight = 0;
        for (const auto& item : legend.GetItems()) {
            EXPECT_EQ(GraphLegendItemLineGraph::kSampleWidth + item->GetLabel().GetWidth(), item->GetWidth());
            cellWidth = std::max(cellWidth, item->GetWidth());
            cellHeight = std::max(cellHeight, item->GetHeight());
        }
        ASSERT_GT(cellHeight, 0);
        const int32_t fw = row.frameWidth;
        for (int i = 0; i < row.items; ++i) {
            const auto& item = *legend.GetItems()[size_t(i)];
            EXPECT_EQ(i < row.shown, item.IsVisible()) << i;
            if (i >= row.shown) continue;
            const Point at{row.padLeft + fw + (i % row.gridColumns) * cellWidth, row.padTop + fw + (i / row.gridColumns) * cellHeight};
            EXPECT_EQ(at, item.GetOrigin()) << i;
        }
        EXPECT_EQ((Rect{7, 9, 7 + row.gridColumns * cellWidth + row.padLeft + row.padRight + 2 * fw,
                        9 + row.gridRows * cellHeight + row.padTop + row.padBottom + 2 * fw}),
                  legend.GetArea());
    }
}

// A hidden channel has no legend item on show: the others close up and the legend shrinks.
TEST(GraphLegend, HiddenChannelsTakeNoCell)
{
    GraphLegend legend(nullptr);
    std::vector<std::pair<std::shared_ptr<GCh>, QString>> channels;
    for (int i = 0; i < 3; ++i) channels.emplace_back(std::make_shared<SeriesChannel>(nullptr), QStringLiteral("W"));
    legend.SetItems(channels);
    legend.Layout(0);
    const Rect all = legend.GetArea();
    const Point third = legend.GetItems()[2]->GetOrigin(), second = legend.GetItems()[1]->GetOrigin();
    channels[1].first->ClearStateBits(kVisible);
    legend.Layout(0);
    EXPECT_FALSE(legend.GetItems()[1]->IsVisible());
    EXPECT_EQ(second, legend.GetItems()[2]->GetOrigin());
    EXPECT_EQ(all.Height() - (third.y - second.y), legend.GetArea().Height());
    for (const auto& channel : channels) channel.first->ClearStateBits(kVisible);
    EXPECT_FALSE(legend.HasShownItems());
}

TEST(Graph, DrawRendersEachLayerOnlyWhenItsBitIsSet)
{
    const struct {
        const char* what;
        uint32_t bits;
        bool legendRedrawn, linesRedrawn;
    } rows[] = {
        {"no bit: the overlays only", 0, false, false},
        {"redraw: axes, legend and title over the old lines", kRedraw, true, false},
        {"relayout: everything", kRelayout, true, true},
    };
    const QColor red(255, 0, 0), blue(0, 0, 255), green(0, 255, 0);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Graph graph;
        graph.Initialize(nullptr);
        GraphFactory factory;
        const auto time = factory.CreateTimeAxis(&graph), left = factory.CreateLeftAxis(&graph);
        graph.GetAxes().Insert(time);
        graph.GetAxes().Insert(left);
        time->SetRange(0, 100);
        left->SetRange(0, 100);
        auto channel = std::make_shared<SeriesChannel>(&graph, std::vector<SeriesChannel::Sample>{{0, 50}, {100, 50}});
        channel->GetDrawer().SetColor(0x0000FF);  // red
        channel->GetDrawer().SetWidth(3);
        graph.AddChannel(channel, time, left, QStringLiteral("Level"));
        graph.Render(640, 400);
        ASSERT_EQ(uint32_t(kVisible), graph.GetState());

        // Change the legend's box and the line's colour behind the graph's back, then paint with the bits.
        GraphLegend& legend = graph.GetLegend();
        legend.Detach(&graph);
        channel->Detach(&graph);
        legend.GetDrawRect().SetBackColor1(0x00FF00);
        channel->GetDrawer().SetColor(0xFF0000);  // blue
        graph.SetStateBits(row.bits);
        QImage image = Canvas(640, 400);
        {
            QPainter painter(&image);
            graph.Draw(painter);
        }
        const QColor box = image.pixelColor(legend.GetOriginX() + legend.GetWidth() - 3, legend.GetOriginY() + 3);
        EXPECT_EQ(row.legendRedrawn ? green : QColor(Qt::white), box);
        const Rect plot = graph.GetPlotArea();
        bool sawRed = false, sawBlue = false;
        for (int y = plot.top; y < plot.bottom; ++y) {
            const QColor c = image.pixelColor(plot.left + plot.Width() / 2, y);
            sawRed = sawRed || Near(c, red);
            sawBlue = sawBlue || Near(c, blue);
        }
        EXPECT_EQ(!row.linesRedrawn, sawRed);
        EXPECT_EQ(row.linesRedrawn, sawBlue);
    }
}

TEST(Graph, OnlyBackgroundChangesAskForANewLayout)
{
    const struct {
        const char* what;
        std::function<void(Graph&)> change;
        bool relayout;
    } rows[] = {
        {"graph background", [](Graph& g) { g.GetBack().GetDrawRect().SetBackColor1(0x00FFFF); }, true},
        {"legend box", [](Graph& g) { g.GetLegend().GetDrawRect().SetBackColor1(0x00FFFF); }, false},
        {"plot border", [](Graph& g) { g.GetFrame().GetBorderRect().SetFrameColor(0x0000FF); }, false},
        {"title text", [](Graph& g) { g.GetTitle().SetText(QStringLiteral("New")); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Graph graph;
        graph.Initialize(nullptr);
        graph.Render(200, 100);
        ASSERT_EQ(uint32_t(kVisible), graph.GetState());
        row.change(graph);
        EXPECT_NE(0u, graph.GetState() & kChanged);
        EXPECT_EQ(row.relayout, (graph.GetState() & kRelayout) != 0);
    }
}

TEST(GraphAxes, InsertPlacesTheAxisByIdentifier)
{
    const struct {
        const char* what;
        uint8_t createdAs;
        int32_t identifier;
        int32_t expected;
        uint8_t type;
        int32_t first, second;  // the two left axes already there
    } rows[] = {
        {"0: the end of its own list", Axis::kLeft, 0, 22, Axis::kLeft, 20, 21},
        {"0 for a right axis: the right list", Axis::kRight, 0, 30, Axis::kRight, 20, 21},
        {"20: first, the others move along", Axis::kLeft, 20, 20, Axis::kLeft, 21, 22},
        {"21: between, taking the left type", Axis::kRight, 21, 21, Axis::kLeft, 20, 22},
        {"22: just past the end", Axis::kLeft, 22, 22, Axis::kLeft, 20, 21},
        {"30: a left axis becomes a right one", Axis::kLeft, 30, 30, Axis::kRight, 20, 21},
        {"40: above the plot, horizontal", Axis::kLeft, 40, 40, Axis::kAbove, 20, 21},
        {"10: the time axis list", Axis::kRight, 10, 10, Axis::kBelow, 20, 21},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Graph graph;
        graph.Initialize(nullptr);
        GraphAxes& axes = graph.GetAxes();
        const auto a = std::make_shared<Axis>(&graph, Axis::kLeft), b = std::make_shared<Axis>(&graph, Axis::kLeft);
        axes.Insert(a);
        axes.Insert(b);
        const auto c = std::make_shared<Axis>(&graph, row.createdAs);
        graph.ClearStateBits(kChanged | kRelayout);
        c->ClearStateBits(kChanged);
        axes.Insert(c, row.identifier);
        EXPECT_EQ(row.expected, axes.IndexOf(c.get()));
        EXPECT_EQ(c, axes.GetAxis(row.expected));
        EXPECT_EQ(row.type, c->GetType());
        EXPECT_EQ(row.type == Axis::kLeft || row.type == Axis::kRight, c->IsVertical());
        EXPECT_EQ(c->IsVertical(), c->GetScrollBar().GetOrientation() == ScrollBar::kVertical);
        EXPECT_EQ(row.first, axes.IndexOf(a.get()));
        EXPECT_EQ(row.second, axes.IndexOf(b.get()));
        EXPECT_NE(0u, c->GetState() & kChanged);
        EXPECT_NE(0u, graph.GetState() & kRelayout);
    }
}

TEST(GraphAxes, InsertRefusesWhatTheListsCannotHold)
{
    const struct {
        const char* what;
        uint8_t type;
        int32_t identifier;
    } rows[] = {
        {"past the end of the left list", Axis::kLeft, 23},
        {"past the end of the empty right list", Axis::kRight, 31},
        {"below the table", Axis::kLeft, 9},
        {"above the table", Axis::kLeft, 50},
        {"negative", Axis::kLeft, -5},
        {"an axis of no list's type", 3, 0},
        {"a vertical type without a list", 32, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Graph graph;
        graph.Initialize(nullptr);
        GraphAxes& axes = graph.GetAxes();
        axes.Insert(std::make_shared<Axis>(&graph, Axis::kLeft));
        axes.Insert(std::make_shared<Axis>(&graph, Axis::kLeft));
        EXPECT_THROW(axes.Insert(std::make_shared<Axis>(&graph, row.type), row.identifier), orvel::SeriousError);
    }
}

TEST(GraphAxes, AnAxisInsertedIntoAnotherGraphReportsToIt)
{
    Graph first, second;
    first.Initialize(nullptr);
    second.Initialize(nullptr);
    const auto axis = std::make_shared<Axis>(&first, Axis::kLeft);
    first.GetAxes().Insert(axis);
    second.GetAxes().Insert(axis, 30);
    EXPECT_EQ(&second, axis->GetParent());
    EXPECT_EQ(30, second.GetAxes().IndexOf(axis.get()));
    const struct {
        Graph* graph;
        bool notified;
    } rows[] = {{&first, false}, {&second, true}};
    for (const auto& row : rows) row.graph->ClearStateBits(kChanged | kRelayout | kRedraw);
    axis->GetTitle().SetText(QStringLiteral("Moved"));
    for (const auto& row : rows) EXPECT_EQ(row.notified, (row.graph->GetState() & kChanged) != 0) << (row.graph == &first ? "first" : "second");
}

TEST(PlotGenerate, ColumnFlushAddsTheLastSampleOnlyWhenTheLineLeavesFromElsewhere)
{
    using Vertices = std::vector<std::vector<std::pair<int32_t, int32_t>>>;
    const struct {
        const char* what;
        int32_t reduce;
        std::vector<double> column;  // values in pixel column 10, then 25 in column 11 when `next`
        bool next;
        Vertices expected;
    } rows[] = {
        {"one height: one vertex", 1, {20, 20, 20}, true, {{{10, -20}, {11, -25}}}},
        {"ending on the last new height: nothing added", 1, {20, 30}, true, {{{10, -20}, {10, -30}, {11, -25}}}},
        {"ending on an earlier height: the last sample added", 1, {20, 30, 20}, true,
         {{{10, -20}, {10, -30}, {10, -20}, {11, -25}}}},
        {"ending on a middle height", 1, {20, 40, 30, 40}, true, {{{10, -20}, {10, -40}, {10, -30}, {10, -40}, {11, -25}}}},
        {"the last height repeated", 1, {20, 30, 30}, true, {{{10, -20}, {10, -30}, {11, -25}}}},
        {"an invalid sample flushes before the break", 1, {20, 30, 20, kInvalid}, true,
         {{{10, -20}, {10, -30}, {10, -20}}, {{11, -25}}}},
        {"the last column is flushed as well", 1, {20, 30, 20}, false, {{{10, -20}, {10, -30}, {10, -20}}}},
        {"reduce off: every sample, nothing added", 0, {20, 30, 30, 20, 30}, true,
         {{{10, -20}, {10, -30}, {10, -30}, {10, -20}, {10, -30}, {11, -25}}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const auto time = std::make_shared<Axis>(nullptr, Axis::kBelow), value = std::make_shared<Axis>(nullptr, Axis::kLeft);
        for (const auto& axis : {time, value}) {
            axis->SetLength(100);
            axis->SetRange(0, 100);
        }
        std::vector<SeriesChannel::Sample> samples;
        for (size_t i = 0; i < row.column.size(); ++i) samples.push_back({10.05 + 0.1 * double(i), row.column[i]});
        if (row.next) samples.push_back({11.5, 25});
        SeriesChannel channel(nullptr, samples);
        channel.SetAxes(time, value);
        channel.GetPlotGenerator().SetReduce(row.reduce);
        channel.Layout(0);
        Vertices got;
        // The vertices of every sample, as hit tests see them (the plot may keep fewer).
        for (const Segment& segment : channel.ExactSegments(0, 100)) {
            got.emplace_back();
            for (const PointRecord& p : segment) got.back().emplace_back(p.x, p.y);
        }
        EXPECT_EQ(row.expected, got);
    }
}

TEST(GdiDrawLineGraph, SettersThatChangeAValueAskForReplotAndRedraw)
{
    const struct {
        const char* what;
        std::function<void(GdiDrawLineGraphGDIP&)> change;
        bool notifies;
    } rows[] = {
        {"new colour", [](GdiDrawLineGraphGDIP& d) { d.SetColor(0x00FF00); }, true},
        {"same colour", [](GdiDrawLineGraphGDIP& d) { d.SetColor(0xFF0000); }, false},
        {"new width", [](GdiDrawLineGraphGDIP& d) { d.SetWidth(3); }, true},
        {"same width", [](GdiDrawLineGraphGDIP& d) { d.SetWidth(1); }, false},
        {"new style", [](GdiDrawLineGraphGDIP& d) { d.SetStyle(2); }, true},
        {"same style", [](GdiDrawLineGraphGDIP& d) { d.SetStyle(0); }, false},
        {"new symbol", [](GdiDrawLineGraphGDIP& d) { d.SetSymbol(5); }, true},
        {"same symbol", [](GdiDrawLineGraphGDIP& d) { d.SetSymbol(0); }, false},
        {"new symbol distance", [](GdiDrawLineGraphGDIP& d) { d.SetSymbolDist(10); }, true},
        {"same symbol distance", [](GdiDrawLineGraphGDIP& d) { d.SetSymbolDist(0); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Recorder channel;
        GdiDrawLineGraphGDIP drawer(&channel);
        row.change(drawer);
        EXPECT_EQ(row.notifies ? 1 : 0, channel.calls);
        EXPECT_EQ(row.notifies ? uint32_t(kRelayout | kRedraw) : 0u, channel.flags);
    }
}

TEST(GdiDrawLineGraph, SymbolsTakeTheLineColour)
{
    const struct {
        uint32_t colour;
        QColor expected;
    } rows[] = {{0x0000FF, QColor(255, 0, 0)}, {0x00FF00, QColor(0, 255, 0)}, {0xFF0000, QColor(0, 0, 255)}};
    for (const auto& row : rows) {
        GdiDrawLineGraphGDIP drawer;
        drawer.SetSymbol(2);  // a filled square
        drawer.SetColor(row.colour);
        QImage image = Canvas(30, 30);
        {
            QPainter painter(&image);
            drawer.Draw(painter, Segments{Segment{{15, 15, 0, 0}}});
        }
        EXPECT_EQ(row.expected, image.pixelColor(12, 18)) << std::hex << row.colour;
    }
}

TEST(GdiDrawRect, FrameGradientShadowAndRoundedCorners)
{
    const QColor frame(0, 0, 255), white(Qt::white);
    const struct {
        const char* what;
        int32_t round, shadow;
        bool gradient;
        uint32_t frameColour;
        Rect rect;
        std::vector<std::pair<QPoint, QColor>> exact;  // pixels of a known colour
        std::vector<QPoint> shaded;                     // pixels neither white nor of a known colour
    } rows[] = {
        {"the frame lies over the gradient", 0, 0, true, 0xFF0000, {10, 10, 90, 30},
         {{{10, 20}, frame}, {{89, 20}, frame}, {{50, 10}, frame}, {{11, 20}, QColor(255, 0, 0)}, {{88, 20}, QColor(0, 255, 0)}},
         {{50, 20}}},
        {"a gradient without a frame fills to the edges", 0, 0, true, kNoColour, {10, 10, 90, 30},
         {{{10, 20}, QColor(255, 0, 0)}, {{89, 20}, QColor(0, 255, 0)}},
         {}},
        {"rounded corners stay clear, the edges are frame", 12, 0, false, 0xFF0000, {10, 10, 90, 50},
         {{{10, 10}, white}, {{89, 49}, white}, {{50, 10}, frame}, {{10, 30}, frame}, {{50, 30}, QColor(255, 0, 0)}},
         {}},
        {"a narrow rounded one is frame colour", 12, 0, false, 0xFF0000, {10, 10, 90, 12},
         {{{50, 10}, frame}, {{50, 11}, frame}},
         {}},
        {"the shadow falls right and below, inside the rectangle", 0, 4, false, 0xFF0000, {10, 10, 90, 50},
         {{{10, 10}, frame}, {{89, 10}, white}, {{10, 49}, white}, {{30, 30}, QColor(255, 0, 0)}},
         {{88, 40}, {50, 48}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        GdiDrawRect rect;
        rect.SetFrameColor(row.frameColour);
        rect.SetFrameWidth(1);
        rect.SetFrameRound(row.round);
        rect.SetBackColor1(0x0000FF);  // red
        rect.SetBackColor2(0x00FF00);  // green
        rect.SetBackGradation(row.gradient);
        rect.SetShadowDepth(row.shadow);
        QImage image = Canvas(100, 60);
        {
            QPainter painter(&image);
            rect.Draw(painter, row.rect);
        }
        for (const auto& [p, colour] : row.exact) {
            const QColor got = image.pixelColor(p);
            if (colour == frame || colour == white)
                EXPECT_EQ(colour, got) << p.x() << "," << p.y();
            else
                EXPECT_TRUE(Near(got, colour)) << p.x() << "," << p.y() << " " << got.name().toStdString();
        }
        for (const QPoint& p : row.shaded) {
            const QColor got = image.pixelColor(p);
            EXPECT_NE(white, got) << p.x() << "," << p.y();
            EXPECT_NE(frame, got) << p.x() << "," << p.y();
            EXPECT_FALSE(Near(got, QColor(255, 0, 0)) && got.green() < 30) << p.x() << "," << p.y();
        }
    }
}

TEST(GdiDrawLine, EndMarksSitOnTheirEndsScaledByThePenWidth)
{
    // The line runs from (20, 30) to (80, 30).
    const struct {
        const char* what;
        uint8_t startStyle, startSize, endStyle, endSize;
        int32_t width;
        std::vector<QPoint> ink, clear;
    } rows[] = {
        {"no marks", 0, 0, 0, 0, 1, {{50, 30}}, {{80, 27}, {20, 27}, {81, 30}}},
        {"a style without a size draws nothing", 0, 0, 1, 0, 1, {}, {{80, 27}}},
        {"a round dot of radius 3 on the end", 0, 0, 1, 3, 1, {{80, 27}, {80, 33}, {83, 30}}, {{80, 25}, {85, 30}, {20, 27}}},
        {"the dot grows with the pen: radius 6", 1, 3, 0, 0, 2, {{20, 25}, {20, 35}, {14, 30}}, {{20, 21}, {20, 39}, {80, 25}}},
        {"an open head on the end: two strokes back from the tip", 0, 0, 2, 4, 1, {{74, 26}, {74, 34}, {77, 28}},
         {{75, 28}, {75, 32}, {81, 30}}},
        {"a filled head on the start points backwards", 3, 4, 0, 0, 1, {{25, 28}, {25, 32}, {24, 29}, {24, 31}},
         {{19, 30}, {28, 24}, {80, 26}}},
        {"the head grows with the pen", 0, 0, 3, 2, 2, {{74, 26}, {75, 32}}, {{70, 24}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        GdiDrawLine line;
        line.SetLogPen({0, row.width, 0, 0});
        line.SetStartPointStyle(row.startStyle);
        line.SetStartPointSize(row.startSize);
        line.SetEndPointStyle(row.endStyle);
        line.SetEndPointSize(row.endSize);
        QImage image = Canvas(100, 60);
        {
            QPainter painter(&image);
            line.Draw(painter, 20, 30, 80, 30);
        }
        for (const QPoint& p : row.ink) EXPECT_NE(QColor(Qt::white), image.pixelColor(p)) << "ink at " << p.x() << "," << p.y();
        for (const QPoint& p : row.clear) EXPECT_EQ(QColor(Qt::white), image.pixelColor(p)) << "clear at " << p.x() << "," << p.y();
    }
}
