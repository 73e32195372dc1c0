#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "filelib/ChConstants.h"
#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/PlotGenerateLineGraph3.h"

using namespace ovgGraph;
using orvel::fixtures::SeriesChannel;

namespace {

constexpr double kInvalid = OvGraphFileLib::INVALID_VALUE;
constexpr double kBreak = OvGraphFileLib::BREAK_VALUE;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kLargestData = std::nextafter(kBreak, 0.0);  // the largest value that is data

// A time axis and a value axis of 100 pixels over 0 to 100: one unit per pixel.
struct Axes {
    std::shared_ptr<Axis> time = std::make_shared<Axis>(nullptr, Axis::kBelow);
    std::shared_ptr<Axis> value = std::make_shared<Axis>(nullptr, Axis::kLeft);
    Axes(int32_t timeLength = 100, double timeMax = 100)
    {
        time->SetLength(timeLength);
        time->SetRange(0, timeMax);
        value->SetLength(100);
        value->SetRange(0, 100);
    }
};

Segments Plot(const std::vector<SeriesChannel::Sample>& samples, int32_t reduce = 1, const Axes& axes = Axes())
{
    SeriesChannel channel(nullptr, samples);
    channel.SetAxes(axes.time, axes.value);
    channel.GetPlotGenerator().SetReduce(reduce);
    channel.Layout(0);
    return channel.GetSegments();
}

}  // namespace

TEST(PlotGenerate, InvalidSamplesSplitTheLine)
{
    const struct {
        const char* what;
        std::vector<double> values;  // one sample per pixel column
        std::vector<size_t> segmentSizes;
    } rows[] = {
        {"no gap", {10, 20, 30}, {3}},
        {"largest double splits", {10, 20, kInvalid, 30, 40}, {2, 2}},
        {"break marker splits", {10, kBreak, 30}, {1, 1}},
        {"a run of invalid samples makes no empty segment", {10, kInvalid, kInvalid, kBreak, 30}, {1, 1}},
        {"leading and trailing invalid samples", {kInvalid, 10, 20, kInvalid}, {2}},
        {"all invalid", {kInvalid, kInvalid}, {}},
        // Everything that is no data splits alike, whether a file or an expression gave it.
        {"minus invalid splits", {10, -kInvalid, 30}, {1, 1}},
        {"minus break splits", {10, -kBreak, 30}, {1, 1}},
        {"infinities split", {10, kInf, 30, -kInf, 50}, {1, 1, 1}},
        {"NaN splits", {10, kNaN, 30}, {1, 1}},
        {"the largest ordinary values are samples", {10, kLargestData, -kLargestData, 30}, {4}},
    };
    for (const auto& row : rows) {
        std::vector<SeriesChannel::Sample> samples;
        for (size_t i = 0; i < row.values.size(); ++i) samples.push_back({double(i + 1), row.values[i]});
        const Segments segments = Plot(samples);
        std::vector<size_t> sizes;
        for (const Segment& s : segments) sizes.push_back(s.size());
        EXPECT_EQ(row.segmentSizes, sizes) << row.what;
    }
}

TEST(PlotGenerate, PixelsFollowTheAxesFromTheBottomLeft)
{
    const Segments segments = Plot({{0, 0}, {10, 25}, {99.5, 100}});
    ASSERT_EQ(1u, segments.size());
    const struct {
        int32_t x, y;
    } expected[] = {{0, 0}, {10, -25}, {99, -100}};
    ASSERT_EQ(3u, segments[0].size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i].x, segments[0][i].x) << i;
        EXPECT_EQ(expected[i].y, segments[0][i].y) << i;
    }
    EXPECT_EQ(25, segments[0][1].value);
}

TEST(PlotGenerate, ColumnsKeepDistinctHeightsOnceAndLeaveFromTheLast)
{
    // Ten thousand samples in one pixel column alternating between two heights, then one more column.
    std::vector<SeriesChannel::Sample> samples;
    for (int i = 0; i < 10000; ++i) samples.push_back({50 + i * 1e-5, i % 2 ? 40.0 : 60.0});
    samples.push_back({51.5, 50});
    const Segments reduced = Plot(samples, 1);
    ASSERT_EQ(1u, reduced.size());
    std::vector<std::pair<int32_t, int32_t>> vertices;
    for (const PointRecord& p : reduced[0]) vertices.emplace_back(p.x, p.y);
    // 60 then 40, the column left from its last sample (40, already the last vertex), then the next column.
    EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{50, -60}, {50, -40}, {51, -50}}), vertices);

    EXPECT_EQ(10001u, Plot(samples, 0)[0].size());  // reduce off: every sample is a vertex

    // A column whose last sample is not its last new height gets that sample appended.
    const Segments flushed = Plot({{10.1, 20}, {10.2, 30}, {10.3, 20}, {11.1, 25}});
    std::vector<int32_t> ys;
    for (const PointRecord& p : flushed[0]) ys.push_back(p.y);
    EXPECT_EQ((std::vector<int32_t>{-20, -30, -20, -25}), ys);
}

TEST(PlotGenerate, HiddenOrUnboundChannelsPlotNothing)
{
    Axes axes;
    SeriesChannel channel(nullptr, {{1, 1}, {2, 2}});
    channel.Layout(0);
    EXPECT_TRUE(channel.GetSegments().empty());
    channel.SetAxes(axes.time, axes.value);
    channel.ClearStateBits(kVisible);
    channel.Layout(0);
    EXPECT_TRUE(channel.GetSegments().empty());
}

TEST(GdiDrawLineGraph, ColumnsReduceToAtMostFourVertices)
{
    const auto segment = [](std::vector<std::pair<int32_t, int32_t>> xy) {
        Segment s;
        for (auto [x, y] : xy) s.push_back({x, y, 0, 0});
        return s;
    };
    const struct {
        const char* what;
        Segment in;
        std::vector<QPointF> out;
    } rows[] = {
        {"one vertex: a one-pixel vertical line", segment({{5, -7}}), {{5, -7}, {5, -6}}},
        {"two vertices: one line", segment({{1, 0}, {1, -9}}), {{1, 0}, {1, -9}}},
        {"first, largest, smallest, last",
         segment({{3, -5}, {3, -1}, {3, -9}, {3, -4}, {4, -2}}),
         {{3, -5}, {3, -1}, {3, -9}, {3, -4}, {4, -2}}},
        {"flat column stays one vertex", segment({{2, -3}, {2, -3}, {2, -3}, {3, -1}}), {{2, -3}, {3, -1}}},
    };
    for (const auto& row : rows) {
        const QPolygonF polygon = GdiDrawLineGraphGDIP::ReduceColumns(row.in);
        EXPECT_EQ(QList<QPointF>(row.out.begin(), row.out.end()), QList<QPointF>(polygon.begin(), polygon.end())) << row.what;
    }
}

TEST(GdiDrawLineGraph, VerticesHandedToThePainterFollowThePlotWidth)
{
    // 200,000 noisy samples over a 300-pixel axis: at most 4 vertices per column, plus 2.
    const int32_t width = 300;
    Axes axes(width, 1000);
    std::vector<SeriesChannel::Sample> samples;
    uint32_t state = 1;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        samples.push_back({i * 0.005, double(state >> 25)});
    }
    for (const int32_t reduce : {1, 0}) {
        const Segments segments = Plot(samples, reduce, axes);
        ASSERT_EQ(1u, segments.size());
        EXPECT_LE(GdiDrawLineGraphGDIP::ReduceColumns(segments[0]).size(), 4 * width + 2) << reduce;
    }
}

TEST(GdiDrawLineGraph, SymbolsKeepTheirDistanceAcrossSegments)
{
    Segments segments(2);
    for (int32_t x = 0; x < 30; x += 3) segments[0].push_back({x, 0, 0, 0});
    for (int32_t x = 31; x < 40; x += 3) segments[1].push_back({x, 0, 0, 0});
    std::vector<int32_t> xs;
    for (const PointRecord* p : GdiDrawLineGraphGDIP::SymbolVertices(segments, 10)) xs.push_back(p->x);
    EXPECT_EQ((std::vector<int32_t>{0, 12, 24, 34}), xs);
}

TEST(GdiDrawLineGraph, StylesOutsideTheTableDrawSolid)
{
    const struct {
        int32_t style;
        Qt::PenStyle pen;
    } rows[] = {{0, Qt::SolidLine}, {1, Qt::DashLine}, {2, Qt::DotLine}, {3, Qt::DashDotLine},
                {4, Qt::DashDotDotLine}, {5, Qt::CustomDashLine}, {7, Qt::SolidLine}, {-1, Qt::SolidLine}};
    for (const auto& row : rows) {
        GdiDrawLineGraphGDIP drawer;
        drawer.SetStyle(row.style);
        EXPECT_EQ(row.pen, drawer.GetPen().style()) << row.style;
    }
}

TEST(GCh, HitTestPrefersVertexThenColumnThenLine)
{
    Axes axes;
    SeriesChannel channel(nullptr, {{10, 10}, {30, 50}, {31, 52}});
    channel.SetAxes(axes.time, axes.value);
    channel.Layout(0);
    const struct {
        Point point;
        int result;
        int32_t vertexX;
    } rows[] = {
        {{11, -12}, 2, 10},   // within 3 of the first vertex
        {{10, -40}, 1, 10},   // same column, far in y
        {{20, -30}, 3, 10},   // on the line between (10,-10) and (30,-50)
        {{20, -45}, 0, 0},    // off the line
        {{90, -50}, 0, 0},    // beyond the segment
    };
    for (const auto& row : rows) {
        PointRecord hit;
        EXPECT_EQ(row.result, channel.HitTestLine(row.point, &hit)) << row.point.x << "," << row.point.y;
        if (row.result) {
            EXPECT_EQ(row.vertexX, hit.x);
        }
    }
    channel.ClearStateBits(kVisible);
    EXPECT_EQ(0, channel.HitTestLine({11, -12}, nullptr));
}
