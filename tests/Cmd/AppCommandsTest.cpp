#include <gtest/gtest.h>

#include <set>

#include <QString>
#include <algorithm>
#include <array>
#include <functional>
#include <bit>
#include <iomanip>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "App/AppCh.h"
#include "App/AppGraphArrangement.h"
#include "App/AppDocument.h"
#include "App/CmdHistory.h"
#include "Cmd/AppContext.h"
#include "Cmd/CmdAppChangeMemoStr.h"
#include "Cmd/CmdAppSetVisibleDataTable.h"
#include "Cmd/McrChDelete.h"
#include "Cmd/McrGraphCmds.h"
#include "Cmd/McrInitApp.h"
#include "Cmd/McrLoadFiles.h"
#include "Cmd/McrSettings.h"
#include "App/PrmScaleExpr.h"
#include "Cmd/McrViewTemperatureUnit.h"
#include "Common/Library/SeriousError.h"
#include "filelib/GCh.h"
#include "filelib/RawDataValidInterval.h"
#include "graph/Axis.h"
#include "graph/LabelFormatValue.h"
#include "graph/shapes/GraphShapes.h"
#include "graph/GdiDrawLineGraphGDIP.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
#include "graph/GraphFactory.h"
#include "graph/GraphLegend.h"

using namespace ovgApp;

namespace {

constexpr int64_t kStart = 1'780'000'000'000;  // ms
constexpr uint16_t kCelsius = 13;

// An application channel over one block of samples a minute apart; the unit comes from the file
// channel's auxiliary text unless it is a temperature channel without one.
std::shared_ptr<AppCh> Channel(AppDocument& document, const char* name, const char* unit,
                               std::vector<double> values, uint16_t type = 0x41)
{
    auto file = std::make_shared<OvGraphFileLib::GCh>();
    file->SetChType(type);
    file->SetChName(QString::fromUtf8(name).toStdU16String());
    file->SetAuxText(QString::fromUtf8(unit).toStdU16String());
    file->SetInterval(60000);
    file->SetTimeDiff(0);
    file->AddRawData(OvGraphFileLib::RawDataValidInterval::Create(type, kStart, 60000, values));
    file->SetDataCount(int32_t(values.size()));
    return std::make_shared<AppCh>(&document, file);
}

// A document with its graph and history, as the application owns them.
struct App {
    App() { graph.Initialize(nullptr); }

    std::shared_ptr<AppCh> Channel(const char* name, const char* unit = "%",
                                   std::vector<double> values = {1, 2, 3})
    {
        return ::Channel(document, name, unit, std::move(values));
    }
    void Load(std::vector<std::vector<std::shared_ptr<AppCh>>> files)
    {
        history.Add(true, std::make_shared<McrLoadFiles>(context, std::move(files)));
    }

    std::vector<const AppCh*> DocumentOrder() const
    {
        std::vector<const AppCh*> order;
        for (const auto& channel : document.GetChannels()) order.push_back(channel.get());
        return order;
    }
    std::vector<const ovgGraph::GCh*> GraphOrder()
    {
        std::vector<const ovgGraph::GCh*> order;
        for (const auto& channel : graph.GetChannels().List()) order.push_back(channel.get());
        return order;
    }
    std::vector<const ovgGraph::GCh*> LegendOrder()
    {
        std::vector<const ovgGraph::GCh*> order;
        for (const auto& item : graph.GetLegend().GetItems()) order.push_back(item->GetChannel().get());
        return order;
    }

    AppDocument document;
    ovgGraph::Graph graph;
    CmdHistory history;
    AppContext context{document, graph, history};
};

template <typename T>
std::vector<const T*> Pointers(const std::vector<std::shared_ptr<T>>& list)
{
    std::vector<const T*> order;
    for (const auto& item : list) order.push_back(item.get());
    return order;
}

std::vector<const ovgGraph::GCh*> AsGraphChannels(const std::vector<const AppCh*>& channels)
{
    return {channels.begin(), channels.end()};
}

// What an axis shows, with its values as bits so that equal means exactly equal.
struct AxisFacts {
    const ovgGraph::Axis* axis;
    int32_t identifier;
    std::array<uint64_t, 6> values;  // range, displayed range, cursors A and B
    QString title, unit;
    bool operator==(const AxisFacts&) const = default;
};

AxisFacts FactsOf(ovgGraph::Graph& graph, ovgGraph::Axis& axis)
{
    const auto bits = [](double v) { return std::bit_cast<uint64_t>(v); };
    return {&axis,
            graph.GetAxes().IndexOf(&axis),
            {bits(axis.GetRangeMin()), bits(axis.GetRangeMax()), bits(axis.GetDisplayMin()),
             bits(axis.GetDisplayMax()), bits(axis.GetCursor().GetCursor1()), bits(axis.GetCursor().GetCursor2())},
            axis.GetTitle().GetText(),
            axis.GetUnit().GetText()};
}

void PrintTo(const AxisFacts& facts, std::ostream* os)
{
    *os << "axis " << facts.identifier << " \"" << facts.title.toStdString() << "\" \"" << facts.unit.toStdString()
        << "\" range/display/cursors" << std::setprecision(17);
    for (const uint64_t value : facts.values) *os << ' ' << std::bit_cast<double>(value);
}

std::vector<AxisFacts> Axes(ovgGraph::Graph& graph)
{
    std::vector<AxisFacts> facts;
    for (const auto& axis : graph.GetAxes().All()) facts.push_back(FactsOf(graph, *axis));
    return facts;
}

// Moves an axis away from what fitting gives it: a zoomed display and cursors inside it.
void Zoom(ovgGraph::Axis& axis)
{
    const double lo = axis.GetRangeMin(), span = axis.GetRangeMax() - lo;
    axis.SetDisplayRange(lo + span * 0.1, lo + span * 0.7);
    axis.GetCursor().SetCursor1(lo + span * 0.3);
    axis.GetCursor().SetCursor2(lo + span * 0.55);
}

}  // namespace

TEST(McrLoadFiles, AddsChannelsInFileOrderThenChannelOrderWithAxesPerUnit)
{
    App app;
    const auto a = app.Channel("a", "%"), b = app.Channel("b", "hPa"), c = app.Channel("c", "%");
    app.Load({{a, b}, {c}});

    const std::vector<const AppCh*> expected{a.get(), b.get(), c.get()};
    EXPECT_EQ(expected, app.DocumentOrder());
    EXPECT_EQ(AsGraphChannels(expected), app.GraphOrder());
    EXPECT_EQ(AsGraphChannels(expected), app.LegendOrder());
    EXPECT_FALSE(app.document.IsFresh());
    EXPECT_EQ(1u, app.graph.GetAxes().List(ovgGraph::Axis::kBelow).size());
    EXPECT_EQ(2u, app.graph.GetAxes().ValueAxisCount());
    EXPECT_EQ(a->GetValueAxis(), c->GetValueAxis()) << "one value axis per unit";
    EXPECT_EQ(QStringLiteral("No.3"), c->GetChNumberText());
}

// A new value axis gets decimal places that tell its labels apart, as part of the same step.
TEST(McrLoadFiles, NewValueAxesLabelWithDecimalsThatTellNeighboursApart)
{
    const struct {
        std::vector<double> values;
        int32_t places;
    } rows[] = {{{0.100, 0.104, 0.108}, 3}, {{15, 22.5, 30}, 1}, {{0, 500, 1000}, 1}, {{1e-5, 3e-5}, 6}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.places);
        App app;
        app.Load({{app.Channel("a", "V", row.values)}});
        const auto axis = app.graph.GetAxes().List(ovgGraph::Axis::kLeft).front();
        const auto* format = dynamic_cast<const ovgGraph::LabelFormatValue*>(&axis->GetLabelFormat());
        ASSERT_TRUE(format);
        EXPECT_EQ(format->GetDecimalPlaces(), row.places);
        app.graph.Render(800, 600);
        std::set<QString> texts;
        for (const auto& label : axis->GetLabels()) EXPECT_TRUE(texts.insert(label.text).second) << label.text.toStdString();
        EXPECT_GE(texts.size(), 3u);
    }
    // The channels' own decimal places are the least an axis gets.
    EXPECT_EQ(ovgApp::AxisDecimalPlaces(0, 100, 2), 2);
    EXPECT_EQ(ovgApp::AxisDecimalPlaces(5, 5, 1), 1);
}

// Deleting a value axis that a shape is tied to ties the shape to another value axis where it is
// drawn, in the same step; undo gives both back.
TEST(McrAxisDelete, ShapesTiedToTheAxisStayWhereTheyAre)
{
    App app;
    app.Load({{app.Channel("a", "%")}, {app.Channel("b", "hPa", {1000, 1010, 1020})}});
    const auto left = app.graph.GetAxes().List(ovgGraph::Axis::kLeft).front();
    const auto right = app.graph.GetAxes().List(ovgGraph::Axis::kRight).front();
    app.history.Add(true, std::make_shared<ovgApp::McrChSetAxisY>(app.context, app.document.GetChannels(), left));
    app.graph.Render(800, 600);
    auto shape = ovgGraph::CreateShape(ovgGraph::ShapeBase::Kind::kRect, &app.graph);
    app.graph.GetShapes().Append(shape);
    shape->SetAssociationAxes(app.graph.GetAxes().List(ovgGraph::Axis::kBelow).front(), right);
    shape->SetOrigin(ovgGraph::Point{300, 200});
    const double stored = shape->GetOriginValueY();
    const double leftThere = left->PixelToValue(left->GetOriginY() - 200);  // what the left axis shows there

    app.history.Add(true, std::make_shared<ovgApp::McrAxisDelete>(app.context, right));
    EXPECT_EQ(app.graph.GetAxes().IndexOf(right.get()), 0);
    EXPECT_EQ(shape->GetAxisY(), left);
    EXPECT_EQ(shape->GetOriginValueY(), leftThere);
    ASSERT_TRUE(app.history.Undo());
    EXPECT_EQ(shape->GetAxisY(), right);
    EXPECT_EQ(shape->GetOriginValueY(), stored);
}

TEST(McrLoadFiles, UndoRemovesTheChannelsAndSetsFreshBackRedoAddsTheSameObjects)
{
    App app;
    const auto a = app.Channel("a", "%"), b = app.Channel("b", "hPa"), c = app.Channel("c", "%");
    app.Load({{a}, {b, c}});
    const std::vector<AxisFacts> axesAfterLoad = Axes(app.graph);

    ASSERT_TRUE(app.history.Undo());
    EXPECT_TRUE(app.document.GetChannels().empty());
    EXPECT_TRUE(app.graph.GetChannels().List().empty());
    EXPECT_TRUE(app.graph.GetLegend().GetItems().empty());
    EXPECT_TRUE(app.graph.GetAxes().All().empty()) << "the arranged axes go with the channels";
    EXPECT_TRUE(app.document.IsFresh());

    ASSERT_TRUE(app.history.Redo());
    const std::vector<const AppCh*> expected{a.get(), b.get(), c.get()};
    EXPECT_EQ(expected, app.DocumentOrder());
    EXPECT_EQ(AsGraphChannels(expected), app.GraphOrder());
    EXPECT_EQ(AsGraphChannels(expected), app.LegendOrder());
    EXPECT_EQ(axesAfterLoad, Axes(app.graph)) << "the same axis objects with the same ranges";
    EXPECT_FALSE(app.document.IsFresh());
}

TEST(McrLoadFiles, UndoPutsBackTheFreshFlagItFound)
{
    for (const bool fresh : {true, false}) {
        App app;
        app.document.SetFresh(fresh);
        app.Load({{app.Channel("a")}});
        app.history.Undo();
        EXPECT_EQ(fresh, app.document.IsFresh());
    }
}

TEST(McrLoadFiles, UndoGivesTheGraphItsEarlierAxesAndRanges)
{
    App app;
    app.Load({{app.Channel("a", "%", {1, 2, 3})}});
    for (const auto& axis : app.graph.GetAxes().All()) Zoom(*axis);  // refitting moves these
    const std::vector<AxisFacts> before = Axes(app.graph);
    // A new unit adds a value axis; the longer recording refits the time axis.
    app.Load({{app.Channel("b", "hPa", std::vector<double>(600, 1000.0))}});
    ASSERT_NE(before, Axes(app.graph));

    app.history.Undo();
    EXPECT_EQ(before, Axes(app.graph));
    EXPECT_EQ(1u, app.graph.GetLegend().GetItems().size());
}

TEST(McrLoadFiles, NothingLoadedOrTooManyAxesRecordsNothing)
{
    App app;
    app.Load({});
    EXPECT_FALSE(app.history.CanUndo());

    std::vector<std::shared_ptr<AppCh>> tenUnits;
    for (const char* unit : {"u0", "u1", "u2", "u3", "u4", "u5", "u6", "u7", "u8", "u9"})
        tenUnits.push_back(app.Channel(unit, unit));
    auto load = std::make_shared<McrLoadFiles>(app.context,
                                               std::vector<std::vector<std::shared_ptr<AppCh>>>{tenUnits});
    app.history.Add(true, load);
    ASSERT_EQ(1u, load->GetLeftOutFiles().size());
    EXPECT_EQ(57, load->GetLeftOutFiles()[0].result.code);
    EXPECT_FALSE(app.history.CanUndo());
    EXPECT_TRUE(app.document.GetChannels().empty());
    EXPECT_TRUE(app.graph.GetAxes().All().empty());
    EXPECT_TRUE(app.document.IsFresh());
}

// Units of one channel each: prefix0 ... prefix(n-1), one file per unit.
std::vector<std::vector<std::string>> OneUnitPerFile(const std::string& prefix, int n)
{
    std::vector<std::vector<std::string>> files;
    for (int i = 0; i < n; ++i) files.push_back({prefix + std::to_string(i)});
    return files;
}

template <typename T>
std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(McrLoadFiles, TheValueAxisLimitLeavesOutWholeFilesAndLoadsTheOthers)
{
    using Files = std::vector<std::vector<std::string>>;
    const struct {
        const char* name;
        Files earlier;  // loaded in a step of its own before
        Files files;    // one list of channel units per file
        std::vector<size_t> leftOut;
        size_t valueAxes;
    } rows[] = {
        {"twelve files of a unit each", {}, OneUnitPerFile("u", 12), {9, 10, 11}, 9},
        {"nine units fit", {}, OneUnitPerFile("u", 9), {}, 9},
        {"files after a refused one are still tried",
         {}, OneUnitPerFile("u", 10) + Files{{"u0"}, {"x"}, {"u3", "u4"}}, {9, 11}, 9},
        {"a file needing two axes where one is left",
         {}, OneUnitPerFile("u", 8) + Files{{"a", "b"}, {"c"}, {"d"}}, {8, 10}, 9},
        {"a file is refused whole", {}, Files{{"u0", "u1", "u2", "u3", "u4", "u5", "u6", "u7", "u8", "u9"}}, {0}, 0},
        {"axes already there count",
         OneUnitPerFile("e", 8), Files{{"u0"}, {"e0"}, {"u1"}, {"e1", "u2"}, {"e2", "e3"}}, {2, 3}, 9},
        {"files that failed to load carry nothing",
         {}, Files{{}} + OneUnitPerFile("u", 9) + Files{{}, {"u9"}}, {11}, 9},
    };
    for (const auto& row : rows) {
        App app;
        std::vector<std::shared_ptr<AppCh>> earlier;
        for (const auto& file : row.earlier)
            for (const auto& unit : file) earlier.push_back(app.Channel(unit.c_str(), unit.c_str()));
        if (!earlier.empty()) app.Load({earlier});
        const std::vector<AxisFacts> axesBefore = Axes(app.graph);
        const uint32_t doneBefore = app.history.DoneCount();

        std::vector<std::vector<std::shared_ptr<AppCh>>> files;
        std::vector<const AppCh*> expected = Pointers(earlier), leftOutChannels;
        for (size_t i = 0; i < row.files.size(); ++i) {
            const bool out = std::find(row.leftOut.begin(), row.leftOut.end(), i) != row.leftOut.end();
            files.emplace_back();
            for (const auto& unit : row.files[i]) {
                files.back().push_back(app.Channel(unit.c_str(), unit.c_str()));
                (out ? leftOutChannels : expected).push_back(files.back().back().get());
            }
        }
        auto load = std::make_shared<McrLoadFiles>(app.context, files);
        app.history.Add(true, load);

        std::vector<size_t> leftOut;
        for (const auto& file : load->GetLeftOutFiles()) {
            leftOut.push_back(file.fileIndex);
            EXPECT_EQ(57, file.result.code) << row.name;
            EXPECT_EQ("Y軸の数を減らして下さい。(0)", file.result.Message()) << row.name;
        }
        EXPECT_EQ(row.leftOut, leftOut) << row.name;
        EXPECT_EQ(expected, app.DocumentOrder()) << row.name;
        EXPECT_EQ(AsGraphChannels(expected), app.GraphOrder()) << row.name;
        EXPECT_EQ(row.valueAxes, app.graph.GetAxes().ValueAxisCount()) << row.name;
        for (const AppCh* channel : expected) {
            ovgGraph::Axis& axis = *channel->GetValueAxis();
            EXPECT_EQ(channel->GetUnitText(), axis.GetTitle().GetText()) << row.name;
            // The unit shows once: above the axis, the title (its name) hidden.
            EXPECT_TRUE(axis.GetUnit().IsVisible() && !axis.GetTitle().IsVisible()) << row.name;
        }
        for (const AppCh* channel : leftOutChannels)
            EXPECT_FALSE(channel->GetValueAxis()) << row.name << ": a left-out file contributes nothing";
        const bool added = expected.size() > earlier.size();
        EXPECT_EQ(doneBefore + (added ? 1 : 0), app.history.DoneCount()) << row.name;
        if (!added) continue;

        const std::vector<AxisFacts> axesAfter = Axes(app.graph);
        ASSERT_TRUE(app.history.Undo());
        EXPECT_EQ(Pointers(earlier), app.DocumentOrder()) << row.name;
        EXPECT_EQ(AsGraphChannels(Pointers(earlier)), app.GraphOrder()) << row.name;
        EXPECT_EQ(axesBefore, Axes(app.graph)) << row.name;
        ASSERT_TRUE(app.history.Redo());
        EXPECT_EQ(expected, app.DocumentOrder()) << row.name;
        EXPECT_EQ(axesAfter, Axes(app.graph)) << row.name;
    }
}

TEST(McrChDelete, UndoRestoresEveryChannelAtItsPlace)
{
    const struct {
        std::vector<size_t> deleted;
        std::vector<size_t> remaining;
    } rows[] = {
        {{1, 3}, {0, 2}}, {{0, 3}, {1, 2}}, {{2, 0}, {1, 3}},  // given out of order
        {{3, 2}, {0, 1}}, {{1, 2}, {0, 3}},                    // neighbours
    };
    for (const auto& row : rows) {
        App app;
        std::vector<std::shared_ptr<AppCh>> channels{app.Channel("a", "%"), app.Channel("b", "hPa"),
                                                     app.Channel("c", "%"), app.Channel("d", "m/s")};
        app.Load({channels});
        const std::vector<const AppCh*> all = Pointers(channels);
        std::vector<std::shared_ptr<AppCh>> deleted;
        for (const size_t i : row.deleted) deleted.push_back(channels[i]);
        std::vector<const AppCh*> remaining;
        for (const size_t i : row.remaining) remaining.push_back(channels[i].get());
        const auto valueAxis = channels[row.deleted[0]]->GetValueAxis();

        app.history.Add(true, std::make_shared<McrChDelete>(app.context, deleted));
        EXPECT_EQ(remaining, app.DocumentOrder()) << row.deleted[0] << row.deleted[1];
        EXPECT_EQ(AsGraphChannels(remaining), app.GraphOrder());
        EXPECT_EQ(AsGraphChannels(remaining), app.LegendOrder());

        app.history.Undo();
        EXPECT_EQ(all, app.DocumentOrder()) << row.deleted[0] << row.deleted[1];
        EXPECT_EQ(AsGraphChannels(all), app.GraphOrder());
        EXPECT_EQ(AsGraphChannels(all), app.LegendOrder());
        EXPECT_EQ(valueAxis, channels[row.deleted[0]]->GetValueAxis());
        EXPECT_EQ(channels[row.deleted[0]]->GetDisplayName(),
                  app.graph.GetLegend().GetItems()[row.deleted[0]]->GetLabel().GetText());

        app.history.Redo();
        EXPECT_EQ(remaining, app.DocumentOrder());
        EXPECT_EQ(AsGraphChannels(remaining), app.GraphOrder());

        // A channel added after the deletion takes a colour no remaining channel draws with.
        auto added = app.Channel("e", "%");
        app.Load({{added}});
        for (const size_t i : row.remaining)
            EXPECT_NE(added->GetDrawer().GetColor(), channels[i]->GetDrawer().GetColor()) << row.deleted[0] << row.deleted[1];
    }
}

TEST(McrChDelete, ChannelsNotInTheDocumentRecordNothing)
{
    App app;
    app.Load({{app.Channel("a")}});
    const auto stranger = app.Channel("b");
    app.history.Add(true, std::make_shared<McrChDelete>(app.context, std::vector{stranger}));
    ASSERT_TRUE(app.history.Undo());
    EXPECT_FALSE(app.history.CanUndo()) << "only the load was recorded";
}

TEST(McrViewTemperatureUnit, SwitchingToTheUnitShownRecordsNothing)
{
    const struct {
        int32_t shown, requested;
        bool recorded;
    } rows[] = {{13, 13, false}, {14, 14, false}, {13, 14, true}, {14, 13, true}};
    for (const auto& row : rows) {
        App app;
        app.document.SetTemperatureDisplayType(row.shown);
        // An undone memo edit leaves a redo entry, which a dropped command must not discard.
        app.history.Add(true, std::make_shared<CmdAppChangeMemoStr>(app.context, QStringLiteral("memo")));
        app.history.Undo();

        app.history.Add(true, std::make_shared<McrViewTemperatureUnit>(app.context, row.requested));
        EXPECT_EQ(row.recorded, app.history.CanUndo()) << row.shown << "->" << row.requested;
        EXPECT_EQ(!row.recorded, app.history.CanRedo()) << row.shown << "->" << row.requested;
        EXPECT_EQ(row.requested, app.document.GetTemperatureDisplayType());
    }
}

TEST(McrViewTemperatureUnit, UndoGivesDocumentAndTemperatureChannelsTheirUnitBack)
{
    App app;
    const auto temperature = Channel(app.document, "t", "", {20, 30}, kCelsius);
    const auto humidity = app.Channel("h", "%", {50, 60});
    app.Load({{temperature, humidity}});

    app.history.Add(true, std::make_shared<McrViewTemperatureUnit>(app.context, 14));
    EXPECT_EQ(14, temperature->GetTemperatureDisplayType());
    EXPECT_DOUBLE_EQ(86, temperature->GetMaxValue());
    EXPECT_DOUBLE_EQ(60, humidity->GetMaxValue());

    app.history.Undo();
    EXPECT_EQ(13, app.document.GetTemperatureDisplayType());
    EXPECT_EQ(13, temperature->GetTemperatureDisplayType());
    EXPECT_DOUBLE_EQ(30, temperature->GetMaxValue());

    app.history.Redo();
    EXPECT_DOUBLE_EQ(86, temperature->GetMaxValue());
}

TEST(McrViewTemperatureUnit, TemperatureAxesChangeUnitWithTheirChannelsAndUndoGivesTheSavedValues)
{
    const auto toFahrenheit = [](double c) { return c * 9 / 5 + 32; };
    const auto toCelsius = [](double f) { return (f - 32) * 5 / 9; };
    const struct {
        int32_t from, to;
        const char *oldUnit, *newUnit;
        double (*convert)(double);
    } rows[] = {{13, 14, "°C", "°F", +toFahrenheit}, {14, 13, "°F", "°C", +toCelsius}};
    for (const auto& row : rows) {
        App app;
        app.document.SetTemperatureDisplayType(row.from);
        const auto temperature = Channel(app.document, "t", "", {20, 30, 25}, kCelsius);
        const auto humidity = app.Channel("h", "%", {50, 60, 55});
        app.Load({{temperature, humidity}});
        ovgGraph::Axis& temperatureAxis = *temperature->GetValueAxis();
        ASSERT_NE(&temperatureAxis, humidity->GetValueAxis().get());
        ASSERT_EQ(QString::fromUtf8(row.oldUnit), temperatureAxis.GetTitle().GetText());
        for (const auto& axis : app.graph.GetAxes().All()) Zoom(*axis);
        app.graph.Render(800, 600);
        const int32_t pixelBefore = temperatureAxis.ValueToPixel(temperature->GetMaxValue());
        const std::vector<AxisFacts> before = Axes(app.graph);

        app.history.Add(true, std::make_shared<McrViewTemperatureUnit>(app.context, row.to));
        std::vector<AxisFacts> expected = before;
        for (AxisFacts& facts : expected) {
            if (facts.axis != &temperatureAxis) continue;
            for (uint64_t& value : facts.values)
                value = std::bit_cast<uint64_t>(row.convert(std::bit_cast<double>(value)));
            facts.title = facts.unit = QString::fromUtf8(row.newUnit);
        }
        const std::vector<AxisFacts> after = Axes(app.graph);
        EXPECT_EQ(expected, after) << row.from << "->" << row.to << ": only the temperature axis changes";
        EXPECT_EQ(QString::fromUtf8(row.newUnit), temperature->GetUnitText());
        app.graph.Render(800, 600);
        EXPECT_NEAR(pixelBefore, temperatureAxis.ValueToPixel(temperature->GetMaxValue()), 1)
            << "the curve stays where it was";

        ASSERT_TRUE(app.history.Undo());
        EXPECT_EQ(before, Axes(app.graph)) << row.from << "->" << row.to << ": undo gives the saved values";
        EXPECT_EQ(QString::fromUtf8(row.oldUnit), temperature->GetUnitText());
        ASSERT_TRUE(app.history.Redo());
        EXPECT_EQ(after, Axes(app.graph)) << row.from << "->" << row.to << ": redo gives the first execution's values";

        const uint32_t done = app.history.DoneCount();
        app.history.Add(true, std::make_shared<McrViewTemperatureUnit>(app.context, row.to));
        EXPECT_EQ(done, app.history.DoneCount()) << "the unit already shown records nothing";
        EXPECT_EQ(after, Axes(app.graph));
    }
}

TEST(McrViewTemperatureUnit, OnlyAxesWhoseChannelsAreAllTemperaturesChange)
{
    struct ChannelSpec {
        uint16_t type;
        const char* aux;
        int32_t overrideCode;  // 0: own type
    };
    const struct {
        const char* name;
        std::vector<ChannelSpec> channels;  // all on one axis
        bool converted;
    } rows[] = {
        {"a Celsius channel", {{13, "", 0}}, true},
        {"two Celsius channels", {{13, "", 0}, {13, "", 0}}, true},
        {"a Fahrenheit channel", {{14, "", 0}}, true},
        {"another kind shown as Celsius", {{0x41, "", 1}}, true},
        {"another kind shown as Fahrenheit", {{0x41, "", 2}}, true},
        {"a temperature shown as humidity", {{13, "", 3}}, false},
        {"a temperature beside another kind", {{13, "", 0}, {0x41, "°C", 0}}, false},
        {"no channels", {}, false},
    };
    for (const auto& row : rows) {
        App app;
        std::vector<std::shared_ptr<AppCh>> channels;
        for (const ChannelSpec& spec : row.channels) {
            channels.push_back(Channel(app.document, "c", spec.aux, {10, 20}, spec.type));
            if (spec.overrideCode != 0) channels.back()->SetTypeOverride(true, spec.overrideCode);
        }
        if (channels.empty()) {
            // A Celsius channel elsewhere, so that the switch has something to convert.
            auto axis = ovgGraph::GraphFactory().CreateLeftAxis(&app.graph);
            axis->GetTitle().SetText(QStringLiteral("°C"));
            axis->GetUnit().SetText(QStringLiteral("°C"));
            app.graph.GetAxes().Insert(axis);
            app.Load({{app.Channel("h", "%")}});
        } else {
            app.Load({channels});
            ASSERT_EQ(1u, app.graph.GetAxes().ValueAxisCount()) << row.name;
        }
        ovgGraph::Axis& axis = *app.graph.GetAxes().List(ovgGraph::Axis::kLeft).front();
        const AxisFacts before = FactsOf(app.graph, axis);

        app.history.Add(true, std::make_shared<McrViewTemperatureUnit>(app.context, 14));
        const AxisFacts after = FactsOf(app.graph, axis);
        EXPECT_EQ(row.converted, after != before) << row.name;
        EXPECT_EQ(row.converted, after.title == QStringLiteral("°F")) << row.name;
        if (row.converted) {
            EXPECT_DOUBLE_EQ(std::bit_cast<double>(before.values[0]) * 9 / 5 + 32, axis.GetRangeMin()) << row.name;
        }
        app.history.Undo();
        EXPECT_EQ(before, FactsOf(app.graph, axis)) << row.name;
    }
}

TEST(McrViewTemperatureUnit, OnlyCelsiusOrFahrenheit)
{
    App app;
    for (const int32_t type : {0, 12, 15})
        EXPECT_THROW(McrViewTemperatureUnit(app.context, type), orvel::SeriousError) << type;
}

TEST(CmdAppChangeMemoStr, EditsUndoAndRedoOneStepAtATime)
{
    App app;
    for (const char* text : {"a", "ab", "ab", "abc"})  // the repeated text is no step
        app.history.Add(true, std::make_shared<CmdAppChangeMemoStr>(app.context, QString::fromLatin1(text)));

    for (const char* expected : {"ab", "a", ""}) {
        ASSERT_TRUE(app.history.Undo());
        EXPECT_EQ(QString::fromLatin1(expected), app.document.GetMemo());
    }
    EXPECT_FALSE(app.history.CanUndo());
    for (const char* expected : {"a", "ab", "abc"}) {
        ASSERT_TRUE(app.history.Redo());
        EXPECT_EQ(QString::fromLatin1(expected), app.document.GetMemo());
    }
}

TEST(CmdAppSetVisibleDataTable, TogglesAndUndoesEachToggle)
{
    const struct {
        bool initial;
        std::vector<bool> requests;
        std::vector<bool> afterEachUndo;  // newest first
    } rows[] = {
        {false, {true, false}, {true, false}},
        {true, {false, true}, {false, true}},
        {false, {false, true}, {false}},  // the first request changes nothing: not a step
    };
    for (const auto& row : rows) {
        App app;
        const auto channel = app.Channel("a");
        channel->SetVisibleInTable(row.initial);
        for (const bool visible : row.requests) {
            app.history.Add(true, std::make_shared<CmdAppSetVisibleDataTable>(channel, visible));
            EXPECT_EQ(visible, channel->IsVisibleInTable());
        }
        for (const bool expected : row.afterEachUndo) {
            ASSERT_TRUE(app.history.Undo());
            EXPECT_EQ(expected, channel->IsVisibleInTable());
        }
        EXPECT_FALSE(app.history.CanUndo());
    }
}

TEST(McrInitApp, LeavesAnEmptyFreshDocumentAndNothingToUndo)
{
    App app;
    app.Load({{app.Channel("a"), app.Channel("b", "hPa")}});
    app.history.Add(true, std::make_shared<CmdAppChangeMemoStr>(app.context, QStringLiteral("note")));

    const auto init = std::make_shared<McrInitApp>(app.context);
    app.history.Add(true, init);
    EXPECT_TRUE(app.document.GetChannels().empty());
    EXPECT_TRUE(app.document.GetMemo().isEmpty());
    EXPECT_TRUE(app.document.IsFresh());
    EXPECT_TRUE(app.graph.GetChannels().List().empty());
    EXPECT_TRUE(app.graph.GetLegend().GetItems().empty());
    EXPECT_TRUE(app.graph.GetAxes().All().empty());
    EXPECT_FALSE(app.history.CanUndo());
    EXPECT_FALSE(app.history.CanRedo());
    EXPECT_THROW(orvel::UndoCmd(*init), orvel::SeriousError);
}

// The Settings menu's changes: each a step only when it changes something, undone exactly.
TEST(SettingsCommands, ChangeOnlyWhatDiffersAndUndoExactly)
{
    App app;
    auto channel = app.Channel("p", "mA", {4, 20});
    app.Load({{channel}});
    AppDateInfo& info = app.document.GetDateInfo();
    struct State {
        int32_t kind;
        bool msec, daylight;
        bool operator==(const State&) const = default;
    };
    const auto state = [&] { return State{info.GetDateTimeFormat(), info.GetEnableMsec(), info.GetDaylight()}; };
    struct Case {
        const char* name;
        std::function<std::shared_ptr<orvel::Cmd>()> make;
        State after;
        size_t steps;
    };
    const Case cases[] = {
        {"same date settings", [&] { return std::make_shared<McrSetDateInfo>(app.context, 0, false, false); }, {0, false, false}, 0},
        {"format only", [&] { return std::make_shared<McrSetDateInfo>(app.context, 4, true, false); }, {4, true, false}, 1},
        {"format and daylight", [&] { return std::make_shared<McrSetDateInfo>(app.context, 5, false, true); }, {5, false, true}, 2},
        {"daylight", [&] { return std::make_shared<McrDaylightSaving>(app.context, true); }, {0, false, true}, 1},
        {"daylight as it is", [&] { return std::make_shared<McrDaylightSaving>(app.context, false); }, {0, false, false}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t before = app.history.DoneCount();
        auto cmd = std::dynamic_pointer_cast<orvel::Mcr>(c.make());
        app.history.Add(true, cmd);
        EXPECT_EQ(state(), c.after);
        EXPECT_EQ(cmd->GetChildren().size(), c.steps);
        EXPECT_EQ(app.history.DoneCount(), before + (c.steps ? 1 : 0));
        if (c.steps) app.history.Undo();
        EXPECT_EQ(state(), (State{0, false, false}));
    }
    EXPECT_THROW(McrSetDateInfo(app.context, 6, false, false), orvel::SeriousError);

    // The list of expressions: another list is a step, the same objects in the same order none.
    auto line = std::make_shared<PrmScaleExpr>();
    line->SetName(QStringLiteral("4-20 mA"));
    line->SetUnit(QStringLiteral("kPa"));
    line->SetInputMode(PrmScaleExpr::kInputTwoPoints);
    line->SetInputX1(QStringLiteral("4"));
    line->SetInputY1(QStringLiteral("0"));
    line->SetInputX2(QStringLiteral("20"));
    line->SetInputY2(QStringLiteral("100"));
    ASSERT_EQ(line->ComputeCoefficients(), PrmScaleExpr::kOk);
    app.history.Add(true, std::make_shared<McrSetupScaleExpr>(app.context, ScaleExprList{line}));
    EXPECT_EQ(app.document.GetScaleExprs(), ScaleExprList{line});
    const uint32_t listed = app.history.DoneCount();
    app.history.Add(true, std::make_shared<McrSetupScaleExpr>(app.context, ScaleExprList{line}));
    EXPECT_EQ(app.history.DoneCount(), listed);

    // Applying it converts the channel through its own copy; editing the list later does not.
    line->SetSignificantFigures(4);
    ASSERT_EQ(line->ComputeCoefficients(), PrmScaleExpr::kOk);
    const int32_t placesBefore = channel->GetDecimalPlaces();
    app.history.Add(true, std::make_shared<McrChSetScaleExpr>(app.context, AppChList{channel}, line));
    EXPECT_EQ(channel->GetDecimalPlaces(), 1);  // 100.0 kPa: four figures
    EXPECT_EQ(channel->GetUnitText(), QStringLiteral("kPa"));
    EXPECT_NE(channel->GetScaleExpr(), line);
    EXPECT_TRUE(channel->GetScaleExpr()->IsApplied());
    EXPECT_DOUBLE_EQ(channel->GetPoints().Y(1), 100);
    line->SetName(QStringLiteral("edited"));
    EXPECT_EQ(channel->GetScaleExpr()->GetName(), QStringLiteral("4-20 mA"));
    const uint32_t applied = app.history.DoneCount();
    line->SetName(QStringLiteral("4-20 mA"));
    app.history.Add(true, std::make_shared<McrChSetScaleExpr>(app.context, AppChList{channel}, line));
    EXPECT_EQ(app.history.DoneCount(), applied);
    app.history.Undo();
    EXPECT_EQ(channel->GetUnitText(), QStringLiteral("mA"));
    EXPECT_EQ(channel->GetDecimalPlaces(), placesBefore);
    EXPECT_DOUBLE_EQ(channel->GetPoints().Y(1), 20);
    app.history.Undo();
    EXPECT_TRUE(app.document.GetScaleExprs().empty());
}
