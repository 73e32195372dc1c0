#include <gtest/gtest.h>

#include <QDir>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <cmath>
#include <functional>
#include <limits>

#include "Common/Library/SeriousError.h"
#include "filelib/ChConstants.h"
#include "fixtures/SeriesChannel.h"
#include "graph/Axis.h"
#include "graph/FitAxisToData.h"
#include "graph/Colour.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/GraphFrame.h"
#include "graph/GraphBack.h"
#include "graph/GraphLegend.h"
#include "graph/GraphTitle.h"
#include "graph/PlotGenerateLineGraph3.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/shapes/ShapeLine.h"

using namespace ovgGraph;
using orvel::fixtures::SeriesChannel;

TEST(GraphAxes, IdentifiersNameListAndIndex)
{
    Graph graph;
    graph.Initialize(nullptr);
    GraphFactory factory;
    GraphAxes& axes = graph.GetAxes();
    std::vector<std::shared_ptr<Axis>> left;
    for (int i = 0; i < 5; ++i) {
        left.push_back(factory.CreateLeftAxis(&graph));
        axes.Insert(left.back());
    }
    const auto time = factory.CreateTimeAxis(&graph);
    axes.Insert(time);
    const auto moved = factory.CreateRightAxis(&graph);
    axes.Insert(moved, 25);  // the end of the left list: becomes a left axis

    const struct {
        const Axis* axis;
        int32_t identifier;
    } rows[] = {{left[0].get(), 20}, {left[4].get(), 24}, {moved.get(), 25}, {time.get(), 10}};
    for (const auto& row : rows) {
        EXPECT_EQ(row.identifier, axes.IndexOf(row.axis));
        EXPECT_EQ(row.axis, axes.GetAxis(row.identifier).get());
    }
    EXPECT_EQ(Axis::kLeft, moved->GetType());
    EXPECT_TRUE(moved->IsVertical());
    const Axis stray(nullptr, Axis::kLeft);
    EXPECT_EQ(0, axes.IndexOf(&stray));

    for (const int32_t bad : {0, 9, 11, 27, 30, 50})
        EXPECT_THROW(axes.GetAxis(bad), orvel::SeriousError) << bad;
    EXPECT_THROW(axes.Insert(factory.CreateLeftAxis(&graph), 27), orvel::SeriousError);  // beyond the list's end
}

TEST(Graph, FewerThanTenValueAxes)
{
    EXPECT_TRUE(Graph::CheckValueAxisCount(9, 5505).Ok());
    const OvGraphFileLib::Result refused = Graph::CheckValueAxisCount(10, 5505);
    EXPECT_EQ(57, refused.code);
    EXPECT_EQ("Y軸の数を減らして下さい。(5505)", refused.Message());
}

TEST(GraphLegend, GridFromRowsAndColumns)
{
    const struct {
        int32_t rows, columns, n;
        int32_t shown, gridColumns, gridRows;
    } table[] = {
        {0, 0, 7, 7, 1, 7},   // neither: one column
        {2, 3, 7, 6, 3, 2},   // both: n limited to rows x columns
        {2, 3, 4, 4, 3, 2},
        {0, 3, 7, 7, 3, 3},   // columns only
        {0, 3, 2, 2, 2, 1},
        {4, 0, 3, 3, 1, 3},   // rows only, all fit one column
        {3, 0, 7, 7, 3, 3},   // rows only: c = ceil(7 / 3) = 3 columns, ceil(7 / 3) = 3 rows
        {4, 0, 10, 10, 3, 4},
    };
    for (const auto& row : table) {
        int32_t n = row.n, columns = 0, rows = 0;
        GraphLegend::GridFor(row.rows, row.columns, n, columns, rows);
        EXPECT_EQ(row.shown, n) << row.rows << "x" << row.columns << " n=" << row.n;
        EXPECT_EQ(row.gridColumns, columns) << row.rows << "x" << row.columns << " n=" << row.n;
        EXPECT_EQ(row.gridRows, rows) << row.rows << "x" << row.columns << " n=" << row.n;
    }
}

TEST(Axis, ValueToPixelAndDisplayRangeClamping)
{
    Axis axis(nullptr, Axis::kLeft);
    axis.SetLength(200);
    axis.SetRange(0, 100);
    const struct {
        double value;
        int32_t pixel;
    } pixels[] = {{0, 0}, {0.5, 1}, {0.49999, 0}, {50, 100}, {99.9, 199}, {100, 200}, {-1, -2}};
    for (const auto& row : pixels) EXPECT_EQ(row.pixel, axis.ValueToPixel(row.value)) << row.value;
    axis.SetInsets(10, 10);  // 180 usable pixels, counted from the start inset
    EXPECT_EQ(10, axis.ValueToPixel(0));
    EXPECT_EQ(190, axis.ValueToPixel(100));

    const struct {
        double a, b;
        double displayMin, displayMax;
    } ranges[] = {
        {20, 40, 20, 40},
        {-50, 40, 0, 40},      // clamped into the range
        {60, 500, 60, 100},
        {30, 30, 60, 60 + 1e-9},  // narrower than the minimum span: from the current minimum
    };
    for (const auto& row : ranges) {
        axis.SetDisplayRange(row.a, row.b);
        EXPECT_DOUBLE_EQ(row.displayMin, axis.GetDisplayMin()) << row.a << ".." << row.b;
        EXPECT_DOUBLE_EQ(row.displayMax, axis.GetDisplayMax()) << row.a << ".." << row.b;
        EXPECT_EQ(axis.GetDisplayMin(), axis.GetCursor().GetDisplayMin());
    }
}

TEST(Axis, LabelsThinUntilTheyDoNotOverlap)
{
    GraphFactory factory;
    const auto probe = factory.CreateLeftAxis(nullptr);
    probe->SetLength(600);
    probe->SetRange(0, 100);
    probe->Layout(0);
    const int32_t d = probe->GetLabelExtentHeight() - 4;  // the closest two labels may stand
    ASSERT_GT(d, 4);
    const struct {
        int32_t length;
        size_t labels;
    } rows[] = {
        {10 * d, 6},    // labels 0, 20, ..., 100 two label heights apart: all kept
        {3 * d, 3},     // 0.6 d apart: every second one goes, 1.2 d apart remain
        {2 * d - 1, 0}, // shorter than two labels: none
    };
    for (const auto& row : rows) {
        const auto axis = factory.CreateLeftAxis(nullptr);
        axis->SetLength(row.length);
        axis->SetRange(0, 100);
        axis->Layout(0);
        const auto& labels = axis->GetLabels();
        EXPECT_EQ(row.labels, labels.size()) << row.length;
        for (size_t i = 1; i < labels.size(); ++i) EXPECT_GT(labels[i - 1].pixel, labels[i].pixel);
        if (!labels.empty()) {
            EXPECT_EQ(QStringLiteral("100.0"), labels.front().text);
        }
    }
}

namespace {

// A graph of 640 x 400 with a time axis, a left and a right value axis and one channel on each.
struct TwoAxisGraph {
    Graph graph;
    std::shared_ptr<Axis> time, left, right;
    std::shared_ptr<SeriesChannel> temperature, humidity;

    TwoAxisGraph()
    {
        graph.Initialize(nullptr);
        GraphFactory factory;
        time = factory.CreateTimeAxis(&graph);
        left = factory.CreateLeftAxis(&graph);
        right = factory.CreateRightAxis(&graph);
        for (const auto& axis : {time, left, right}) graph.GetAxes().Insert(axis);
        const double day = 86400, start = 1780272000;  // 2026-06-01 00:00
        time->SetRange(start, start + 2 * day);
        left->SetRange(0, 40);
        right->SetRange(0, 100);
        left->GetTitle().SetText(QStringLiteral("Temperature"));
        left->GetUnit().SetText(QStringLiteral("°C"));
        right->GetTitle().SetText(QStringLiteral("Humidity"));
        right->GetUnit().SetText(QStringLiteral("%"));
        std::vector<SeriesChannel::Sample> t, h;
        for (int i = 0; i <= 2 * 144; ++i) {
            const double when = start + i * 600;
            t.push_back({when, 20 + 10 * std::sin(i / 144.0 * 2 * M_PI)});
            h.push_back({when, 50 + 30 * std::cos(i / 144.0 * 2 * M_PI)});
        }
        temperature = std::make_shared<SeriesChannel>(&graph, t);
        humidity = std::make_shared<SeriesChannel>(&graph, h);
        temperature->GetDrawer().SetColor(0x0000FF);  // red
        temperature->GetDrawer().SetWidth(2);
        humidity->GetDrawer().SetColor(0xFF0000);  // blue
        humidity->GetDrawer().SetWidth(2);
        graph.AddChannel(temperature, time, left, QStringLiteral("Temperature"));
        graph.AddChannel(humidity, time, right, QStringLiteral("Humidity"));
    }
};

bool Reddish(QColor c) { return c.red() > 150 && c.green() < 110 && c.blue() < 110; }
bool Bluish(QColor c) { return c.blue() > 150 && c.red() < 110 && c.green() < 110; }

}  // namespace

TEST(Graph, RendersTwoAxesChannelsAndLegend)
{
    TwoAxisGraph g;
    const QImage image = g.graph.Render(640, 400);
    const QString folder = QStringLiteral(ORVEL_TEST_OUTPUT_DIR);
    QDir().mkpath(folder);
    ASSERT_TRUE(image.save(folder + QStringLiteral("/graph-two-axes.png")));

    const Rect plot = g.graph.GetPlotArea();
    ASSERT_GT(plot.Width(), 300);
    ASSERT_GT(plot.Height(), 200);
    // The plot frame's border lies on the plot area's edges.
    const QColor border = QColor(0x80, 0x80, 0x80);
    EXPECT_EQ(border, image.pixelColor(plot.left + plot.Width() / 2, plot.top));
    EXPECT_EQ(border, image.pixelColor(plot.left, plot.top + plot.Height() / 2));
    EXPECT_EQ(border, image.pixelColor(plot.right - 1, plot.top + plot.Height() / 2));
    // Each channel's colour appears in the column where its sample lies.
    const auto columnHas = [&](int x, bool (*match)(QColor)) {
        for (int y = plot.top; y < plot.bottom; ++y)
            if (match(image.pixelColor(x, y))) return true;
        return false;
    };
    for (const int x : {plot.left + plot.Width() / 4, plot.left + plot.Width() / 2, plot.left + 3 * plot.Width() / 4}) {
        EXPECT_TRUE(columnHas(x, Reddish)) << x;
        EXPECT_TRUE(columnHas(x, Bluish)) << x;
    }
    // The temperature at noon of day one (sin = 1 at a quarter day: 30 degrees) sits at its axis pixel.
    const int x = plot.left + g.time->ValueToPixel(1780272000 + 86400 / 4.0);
    const int y = plot.bottom - 1 - g.left->ValueToPixel(30);
    bool near = false;
    for (int dy = -3; dy <= 3; ++dy) near = near || Reddish(image.pixelColor(x, y + dy));
    EXPECT_TRUE(near);
    // The legend sits at the right of the plot, outside it, showing both line colours.
    const Rect legend = g.graph.GetLegend().GetArea();
    const int legendX = g.graph.GetLegend().GetOriginX();
    EXPECT_GE(legendX, plot.right);
    bool legendRed = false, legendBlue = false;
    for (int ly = 0; ly < legend.Height(); ++ly)
        for (int lx = 0; lx < 50; ++lx) {
            const QColor c = image.pixelColor(legendX + lx, g.graph.GetLegend().GetOriginY() + ly);
            legendRed = legendRed || Reddish(c);
            legendBlue = legendBlue || Bluish(c);
        }
    EXPECT_TRUE(legendRed);
    EXPECT_TRUE(legendBlue);
}

TEST(Graph, SideReservesFollowAxesAndLegend)
{
    const struct {
        bool rightAxis;
        int32_t legendPosition;
        bool legendVisible;
        int32_t rightReserve, leftReserve;
    } rows[] = {
        {false, 0, true, 40, 0},   // no right axis, legend at the left: 40 pixels at the right
        {false, 2, false, 40, 0},  // hidden legend counts as not at the right
        {true, 0, true, 0, 0},
    };
    for (const auto& row : rows) {
        Graph graph;
        graph.Initialize(nullptr);
        GraphFactory factory;
        const auto time = factory.CreateTimeAxis(&graph);
        const auto left = factory.CreateLeftAxis(&graph);
        graph.GetAxes().Insert(time);
        graph.GetAxes().Insert(left);
        std::shared_ptr<Axis> right;
        if (row.rightAxis) {
            right = factory.CreateRightAxis(&graph);
            graph.GetAxes().Insert(right);
        }
        graph.GetLegend().SetPosition(row.legendPosition);
        if (!row.legendVisible) graph.GetLegend().ClearStateBits(kVisible);
        auto channel = std::make_shared<SeriesChannel>(&graph, std::vector<SeriesChannel::Sample>{{0, 1}, {1, 2}});
        graph.AddChannel(channel, time, left, QStringLiteral("ch"));
        graph.SetArea(0, 0, 500, 300);
        graph.Layout(1);
        const int32_t rightEdge = 500 - graph.paddingRight - (right ? right->GetArea().Width() : 0);
        EXPECT_EQ(rightEdge - row.rightReserve, graph.GetPlotArea().right) << row.rightAxis << row.legendPosition;
    }
}

TEST(FitAxisToData, ValueAxesFitTheirChannelsPlusOneLabelStep)
{
    const struct {
        const char* what;
        std::vector<double> values;
        double min, max;
    } rows[] = {
        {"10 to 30: step 2", {10, 30, 20}, 8, 32},
        {"invalid samples ignored", {10, OvGraphFileLib::INVALID_VALUE, 30}, 8, 32},
        // Whatever is no data stays out of the extremes, negative marks and infinities included.
        {"every kind of no data ignored",
         {10, OvGraphFileLib::BREAK_VALUE, -OvGraphFileLib::INVALID_VALUE, -OvGraphFileLib::BREAK_VALUE,
          std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN(), 30},
         8, 32},
        {"one value widened by 10 %", {5, 5}, 4.4, 5.6},
        {"all zero: -1 to 1", {0, 0}, -1.2, 1.2},
        {"no channel data: 0 to 100", {}, -20, 120},
    };
    for (const auto& row : rows) {
        Graph graph;
        graph.Initialize(nullptr);
        GraphFactory factory;
        const auto time = factory.CreateTimeAxis(&graph);
        const auto value = factory.CreateLeftAxis(&graph);
        graph.GetAxes().Insert(time);
        graph.GetAxes().Insert(value);
        std::vector<SeriesChannel::Sample> samples;
        for (size_t i = 0; i < row.values.size(); ++i) samples.push_back({double(i), row.values[i]});
        if (!samples.empty()) graph.AddChannel(std::make_shared<SeriesChannel>(&graph, samples), time, value, QStringLiteral("ch"));
        FitAxisToData(graph, *value);
        EXPECT_NEAR(row.min, value->GetRangeMin(), 1e-9) << row.what;
        EXPECT_NEAR(row.max, value->GetRangeMax(), 1e-9) << row.what;
    }
}

TEST(FitAxisToData, TimeAxesRoundOutToWholeMinutes)
{
    Graph graph;
    graph.Initialize(nullptr);
    GraphFactory factory;
    const auto time = factory.CreateTimeAxis(&graph);
    const auto value = factory.CreateLeftAxis(&graph);
    graph.GetAxes().Insert(time);
    graph.GetAxes().Insert(value);
    graph.AddChannel(std::make_shared<SeriesChannel>(&graph, std::vector<SeriesChannel::Sample>{{1000030, 1}, {1000500, 2}}),
                     time, value, QStringLiteral("ch"));
    FitAxisToData(graph, *time);
    EXPECT_DOUBLE_EQ(1000020, time->GetRangeMin());  // 1000030 - 10 s, the minute before
    EXPECT_DOUBLE_EQ(1000560, time->GetRangeMax());  // 1000500 + 60 - 20 s
}

// Re-plotting in parallel, each task with its own copy of the axes' mappings, gives exactly the
// segments of a plain serial re-plot.
TEST(Graph, ParallelReplotGivesTheSerialSegments)
{
    Graph graph;
    graph.Initialize(nullptr);
    GraphFactory factory;
    auto time = factory.CreateTimeAxis(&graph), left = factory.CreateLeftAxis(&graph), right = factory.CreateRightAxis(&graph);
    for (const auto& axis : {time, left, right}) graph.GetAxes().Insert(axis);
    const double start = 1780272000;
    time->SetRange(start, start + 86400);
    left->SetRange(-20, 20);
    right->SetRange(0, 200);
    std::vector<std::shared_ptr<SeriesChannel>> channels;
    for (int c = 0; c < 8; ++c) {
        std::vector<SeriesChannel::Sample> samples;
        for (int i = 0; i <= 20000; ++i) samples.push_back({start + i * 4.32, (c + 1) * std::sin(i / (50.0 + c))});
        channels.push_back(std::make_shared<SeriesChannel>(&graph, samples));
        graph.AddChannel(channels.back(), time, c % 2 ? right : left, QStringLiteral("c"));
    }
    time->SetDisplayRange(start + 3600, start + 7200);
    graph.Render(1000, 600);
    for (const auto& channel : channels) {
        const Segments parallel = channel->GetSegments();
        ASSERT_FALSE(parallel.empty());
        channel->Replot(channel->GetTimeAxis()->GetMapping(), channel->GetValueAxis()->GetMapping());
        EXPECT_EQ(channel->GetSegments(), parallel);
    }
}

// Changes that leave the plot area and the axes' mappings as they were redraw the channels from
// the vertices they have; the others re-plot exactly the channels they move.
TEST(Graph, ReplotsOnlyTheChannelsAChangeMoves)
{
    Graph graph;
    graph.Initialize(nullptr);
    GraphFactory factory;
    auto time = factory.CreateTimeAxis(&graph), left = factory.CreateLeftAxis(&graph), right = factory.CreateRightAxis(&graph);
    for (const auto& axis : {time, left, right}) graph.GetAxes().Insert(axis);
    time->SetRange(0, 1000);
    left->SetRange(-2, 2);
    right->SetRange(-2, 2);
    std::vector<std::shared_ptr<SeriesChannel>> channels;
    const auto wave = [](double phase) {
        std::vector<SeriesChannel::Sample> samples;
        for (int i = 0; i <= 1000; ++i) samples.push_back({double(i), std::sin(i / 20.0 + phase)});
        return samples;
    };
    for (int c = 0; c < 3; ++c) {
        channels.push_back(std::make_shared<SeriesChannel>(&graph, wave(c)));
        graph.AddChannel(channels.back(), time, c == 2 ? right : left, QStringLiteral("c%1").arg(c));
    }
    graph.GetLegend().SetPosition(4);  // floating
    graph.GetTitle().SetPosition(0);
    graph.GetTitle().SetText(QStringLiteral("温度"));
    const auto generations = [&] {
        uint64_t total = 0;
        for (const auto& channel : channels) total += channel->GetPlotGenerator().GetGenerationCount();
        return total;
    };
    const struct {
        const char* change;
        std::function<void()> apply;
        uint64_t replotted;
    } rows[] = {
        {"line colour", [&] { channels[0]->GetDrawer().SetColor(0x00FF00); }, 0},
        {"line width", [&] { channels[1]->GetDrawer().SetWidth(3); }, 0},
        {"line style", [&] { channels[1]->GetDrawer().SetStyle(2); }, 0},
        {"axis label colour", [&] { left->GetLabelFont().SetTextColor(0x0000FF); }, 0},
        {"floating legend moved", [&] { graph.GetLegend().SetOrigin(120, 90); }, 0},
        {"floating title text", [&] { graph.GetTitle().SetText(QStringLiteral("湿度と温度")); }, 0},
        {"shape added", [&] { graph.GetShapes().Append(std::make_shared<ShapeLine>(&graph)); }, 0},
        {"symbols on one channel", [&] { channels[0]->GetDrawer().SetSymbol(2); }, 1},
        {"samples of one channel", [&] { channels[1]->SetSamples(wave(7)); }, 1},
        {"right axis zoomed", [&] { right->SetDisplayRange(-1, 1); }, 1},
        {"time axis scrolled", [&] { time->SetDisplayRange(100, 900); }, 3},
        {"left axis labels grow", [&] { left->GetLabelFont().SetFontSize(30); }, 3},
    };
    graph.Render(800, 500);
    for (const auto& row : rows) {
        const uint64_t before = generations();
        row.apply();
        graph.Render(800, 500);
        EXPECT_EQ(row.replotted, generations() - before) << row.change;
    }
}

namespace {

// Three channels of different widths, a title and a line shape on a time and a value axis.
void BuildSampleGraph(Graph& graph)
{
    graph.Initialize(nullptr);
    GraphFactory factory;
    auto time = factory.CreateTimeAxis(&graph), left = factory.CreateLeftAxis(&graph);
    for (const auto& axis : {time, left}) graph.GetAxes().Insert(axis);
    time->SetRange(0, 500);
    left->SetRange(-2, 2);
    for (int c = 0; c < 3; ++c) {
        std::vector<SeriesChannel::Sample> samples;
        for (int i = 0; i <= 500; ++i) samples.push_back({double(i), std::sin(i / (7.0 + c))});
        auto channel = std::make_shared<SeriesChannel>(&graph, samples);
        channel->GetDrawer().SetWidth(1 + c);
        graph.AddChannel(channel, time, left, QStringLiteral("c%1").arg(c));
    }
    graph.GetTitle().SetText(QStringLiteral("温度"));
    graph.GetShapes().Append(std::make_shared<ShapeLine>(&graph));
}

}  // namespace

// The command line's one-off picture is the window's, pixel for pixel: with rounded, shadowed and
// half-transparent backgrounds, a gradient, overlapping lines, a legend and a title.
TEST(Graph, RenderOnceGivesTheLayeredPicture)
{
    const struct {
        const char* look;
        std::function<void(Graph&)> set;
    } rows[] = {
        {"plain", [](Graph&) {}},
        {"rounded shadowed background", [](Graph& g) {
             g.GetBack().GetDrawRect().SetFrameRound(30);
             g.GetBack().GetDrawRect().SetShadowDepth(6);
         }},
        {"no background colour", [](Graph& g) { g.GetBack().GetDrawRect().SetBackColor1(kNoColour); }},
        {"gradient", [](Graph& g) {
             g.GetBack().GetDrawRect().SetBackGradation(true);
             g.GetBack().GetDrawRect().SetBackColor2(0x203040);
             g.GetBack().GetDrawRect().SetBackAngle(30);
         }},
    };
    for (const auto& row : rows) {
        Graph graph;
        BuildSampleGraph(graph);
        row.set(graph);
        const QImage once = graph.RenderOnce(420, 260).convertToFormat(QImage::Format_RGB32);
        const QImage layered = graph.Render(420, 260).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(layered, once) << row.look;
    }
}

// On a screen at 200 % the window's layers have the screen's pixels: what it paints is the graph
// drawn at twice the resolution, not a picture of it scaled up.
TEST(Graph, ADoubleDensityScreenGetsTheGraphAtItsOwnResolution)
{
    Graph graph;
    BuildSampleGraph(graph);
    const QImage sharp = graph.RenderOnce(420, 260, 2.0).convertToFormat(QImage::Format_RGB32);
    QImage screen(840, 520, QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(2.0);
    screen.fill(Qt::white);
    {
        QPainter painter(&screen);
        graph.SetArea(0, 0, 420, 260);
        graph.Draw(painter);
    }
    EXPECT_EQ(sharp, screen.convertToFormat(QImage::Format_RGB32));
}

// A graph painted onto an SVG keeps its lines as paths and its texts as text, and drawn back it
// is the image the window shows, but for antialiasing at the edges.
TEST(Graph, ASvgPictureIsTheImageInVectors)
{
    Graph graph;
    BuildSampleGraph(graph);
    graph.GetBack().GetDrawRect().SetBackGradation(true);
    graph.GetBack().GetDrawRect().SetBackColor2(0x203040);
    const QImage image = graph.RenderOnce(420, 260).convertToFormat(QImage::Format_RGB32);
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setSize(QSize(420, 260));
        generator.setViewBox(QRect(0, 0, 420, 260));
        QPainter painter(&generator);
        graph.PaintOnto(painter, 420, 260);
    }
    const QString text = QString::fromUtf8(svg.data());
    EXPECT_GE(text.count(QStringLiteral("<text")), 5) << "the axis labels are texts";
    EXPECT_FALSE(text.contains(QStringLiteral("<image"))) << "nothing is a picture of itself";
    QSvgRenderer renderer(svg.data());
    QImage drawn(420, 260, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        renderer.render(&painter);
    }
    int differing = 0;
    for (int y = 0; y < 260; ++y)
        for (int x = 0; x < 420; ++x) {
            const QColor a = image.pixelColor(x, y), b = drawn.pixelColor(x, y);
            differing += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 96;
        }
    EXPECT_LT(differing, 420 * 260 / 50) << "of " << 420 * 260 << " pixels";
}
