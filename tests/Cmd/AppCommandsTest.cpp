#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <vector>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/CmdHistory.h"
#include "Cmd/AppContext.h"
#include "Cmd/CmdAppChangeMemoStr.h"
#include "Cmd/CmdAppSetVisibleDataTable.h"
#include "Cmd/McrChDelete.h"
#include "Cmd/McrInitApp.h"
#include "Cmd/McrLoadFiles.h"
#include "Cmd/McrViewTemperatureUnit.h"
#include "Common/Library/SeriousError.h"
#include "filelib/GCh.h"
#include "filelib/RawDataValidInterval.h"
#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphAxes.h"
#include "graph/GraphChannels.h"
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

struct AxisFacts {
    const ovgGraph::Axis* axis;
    int32_t identifier;
    double displayMin, displayMax;
    bool operator==(const AxisFacts&) const = default;
};

std::vector<AxisFacts> Axes(ovgGraph::Graph& graph)
{
    std::vector<AxisFacts> facts;
    for (const auto& axis : graph.GetAxes().All())
        facts.push_back(
            {axis.get(), graph.GetAxes().IndexOf(axis.get()), axis->GetDisplayMin(), axis->GetDisplayMax()});
    return facts;
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
    EXPECT_EQ(57, load->GetResult().code);
    EXPECT_FALSE(app.history.CanUndo());
    EXPECT_TRUE(app.document.GetChannels().empty());
    EXPECT_TRUE(app.graph.GetAxes().All().empty());
    EXPECT_TRUE(app.document.IsFresh());
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
