#include <gtest/gtest.h>

#include <QString>
#include <array>
#include <bit>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/CmdHistory.h"
#include "App/DewPointMaker.h"
#include "App/PrmScaleExpr.h"
#include "Cmd/AppContext.h"
#include "Cmd/McrChData.h"
#include "Cmd/McrGraphCmds.h"
#include "Cmd/McrLoadFiles.h"
#include "Common/Library/SeriousError.h"
#include "filelib/CalcCh.h"
#include "filelib/GCh.h"
#include "filelib/RawDataValidInterval.h"
#include "graph/Axis.h"
#include "graph/Graph.h"
#include "graph/GraphChannels.h"
#include "graph/Observer.h"

using namespace ovgApp;
using OvGraphFileLib::BREAK_VALUE;
using OvGraphFileLib::INVALID_VALUE;

namespace {

constexpr int64_t kStart = 1'780'000'000'000;  // ms
constexpr int64_t kMinute = 60'000, kHour = 3'600'000, kDay = 86'400'000;

// A recording: fixed-interval blocks of doubles, each `gap` after the previous one's start.
struct Series {
    std::vector<std::vector<double>> blocks;
    uint16_t type = 0x41;
    int64_t start = kStart;
    int64_t interval = kMinute;
    int64_t timeDiff = 9 * kHour;
    int64_t gap = kHour;
    bool calculated = false;  // held by a channel the tools derived earlier (not editable)
};

std::shared_ptr<AppCh> Channel(AppDocument& document, const Series& s)
{
    OvGraphFileLib::RawDataList blocks;
    for (size_t b = 0; b < s.blocks.size(); ++b)
        blocks.push_back(
            OvGraphFileLib::RawDataValidInterval::Create(s.type, s.start + int64_t(b) * s.gap, s.interval, s.blocks[b]));
    const auto fill = [&](auto file) {
        file->SetChType(s.type);
        file->SetInterval(s.interval);
        file->SetAuxText(s.type == 0x41 ? u"V" : u"");
        file->SetTimeDiff(s.timeDiff);
        file->SetRawData(std::move(blocks));
        return std::make_shared<AppCh>(&document, file);
    };
    return s.calculated ? fill(std::make_shared<OvGraphFileLib::CalcCh>()) : fill(std::make_shared<OvGraphFileLib::GCh>());
}

std::vector<std::pair<int64_t, double>> Samples(const AppCh& channel)
{
    std::vector<std::pair<int64_t, double>> samples;
    for (const auto& s : channel.GetSamples(13)) samples.emplace_back(s.time, s.value);
    return samples;
}

// Samples and points with every number as bits, so that equal means exactly equal.
using Data = std::vector<std::pair<uint64_t, uint64_t>>;
Data DataOf(const AppCh& channel)
{
    Data data;
    for (const auto& [time, value] : Samples(channel)) data.emplace_back(uint64_t(time), std::bit_cast<uint64_t>(value));
    const AppPoints& p = channel.GetPoints();
    for (size_t i = 0; i < p.Size(); ++i) data.emplace_back(std::bit_cast<uint64_t>(p.X(i)), std::bit_cast<uint64_t>(p.Y(i)));
    return data;
}

using Order = std::vector<const AppCh*>;
std::pair<Order, Order> Both(const Order& order) { return {order, order}; }

// A document with its graph and history, as the application owns them.
struct App {
    App() { graph.Initialize(nullptr); }
    void Load(AppChList channels)
    {
        history.Add(true, std::make_shared<McrLoadFiles>(context, std::vector<AppChList>{channels}));
    }
    // Executes the command through the history; true when it was recorded.
    bool Run(std::shared_ptr<orvel::Cmd> cmd)
    {
        const uint32_t done = history.DoneCount();
        history.Add(true, std::move(cmd));
        return history.DoneCount() == done + 1;
    }
    // The document's channels and the graph's, which must be the same objects in the same order.
    std::pair<Order, Order> Lists()
    {
        std::pair<Order, Order> lists;
        for (const auto& channel : document.GetChannels()) lists.first.push_back(channel.get());
        for (const auto& channel : graph.GetChannels().List())
            lists.second.push_back(dynamic_cast<const AppCh*>(channel.get()));
        return lists;
    }

    AppDocument document;
    ovgGraph::Graph graph;
    CmdHistory history;
    AppContext context{document, graph, history};
};

}  // namespace

TEST(McrChSetOffsetTime, ShiftsEveryTimeAndUndoGivesThemBackExactly)
{
    const Series series[] = {{{{1, 2, INVALID_VALUE, 4}}},
                             {{{5, 6}, {7, 8, 9}}, 0x41, kStart, 2 * kMinute, OvGraphFileLib::NOT_GIVEN},
                             {{{10, 11, 12}}, 0x41, kStart, kMinute, 9 * kHour, kHour, true}};
    const struct {
        const char* name;
        std::array<int64_t, 3> offsets;  // of the series above
    } rows[] = {
        {"a day on two channels", {kDay, kDay, 0}},
        {"a day on a calculated channel", {0, 0, kDay}},
        {"odd amounts both ways", {-kDay - 500, 1500, 7 * kDay + 1}},
        {"no offset records nothing", {0, 0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        App app;
        AppChList channels;
        McrChSetOffsetTime::Offsets offsets;
        std::vector<Data> before, shifted;
        for (size_t i = 0; i < 3; ++i) {
            channels.push_back(Channel(app.document, series[i]));
            offsets.emplace_back(channels[i], row.offsets[i]);
            before.push_back(DataOf(*channels[i]));
            Series moved = series[i];  // the same recording made that much later
            moved.start += row.offsets[i];
            shifted.push_back(DataOf(*Channel(app.document, moved)));
        }
        app.Load(channels);
        const OvGraphFileLib::ICh* calcFile = &channels[2]->GetFileCh();
        const bool moves = row.offsets != std::array<int64_t, 3>{};
        EXPECT_EQ(moves, app.Run(std::make_shared<McrChSetOffsetTime>(app.context, offsets)));
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(shifted[i], DataOf(*channels[i])) << "channel " << i;
        if (!moves) {
            EXPECT_EQ(calcFile, &channels[2]->GetFileCh()) << "a command without effect leaves the data alone";
            continue;
        }
        ASSERT_TRUE(app.history.Undo());
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(before[i], DataOf(*channels[i])) << "undo, channel " << i;
        ASSERT_TRUE(app.history.Redo());
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(shifted[i], DataOf(*channels[i])) << "redo, channel " << i;
    }
}

// The graph hears of the shift (it must lay out again), and what the user set on a calculated
// channel still applies once the shift gave it editable data.
TEST(McrChSetOffsetTime, TellsTheGraphAndKeepsTheUsersDecimalPlaces)
{
    struct Heard : ovgGraph::Observer {
        uint32_t flags = 0;
        void Update(ovgGraph::Subject*, uint32_t f) override { flags |= f; }
    } heard;
    App app;
    const auto channel = Channel(app.document, Series{{{10, 11, 12}}, 0x41, kStart, kMinute, 9 * kHour, kHour, true});
    app.Load({channel});
    channel->SetDecimalPlaces(3);
    channel->Attach(&heard);
    ASSERT_TRUE(app.Run(std::make_shared<McrChSetOffsetTime>(app.context, McrChSetOffsetTime::Offsets{{channel, kHour}})));
    EXPECT_TRUE(heard.flags & ovgGraph::kRelayout);
    EXPECT_EQ(3, channel->GetDecimalPlaces());
    channel->SetDecimalPlaces(2);
    EXPECT_EQ(2, channel->GetDecimalPlaces());
    channel->Detach(&heard);
}

TEST(McrChDeleteData, KeepsTheRangeWithItsBoundsAndUndoGivesTheDataBack)
{
    // a: 10 records a minute apart; b: 5 records two minutes apart; both shown from x0 (local time).
    const double x0 = kStart / 1000.0 + 9 * 3600;
    const struct {
        const char* name;
        std::optional<double> from, to;   // seconds after x0
        bool outside;                     // the time axis shows [from, to]; the data outside it go
        std::array<int, 2> keptA, keptB;  // first and last record kept; all of them: nothing recorded
    } rows[] = {
        {"before", 180, {}, false, {3, 9}, {2, 4}},
        {"after", {}, 360, false, {0, 6}, {0, 3}},
        {"both sides", 120, 420, false, {2, 7}, {1, 3}},
        {"bounds between records", 150, 390, false, {3, 6}, {2, 3}},
        {"outside the displayed range", 120, 480, true, {2, 8}, {1, 4}},
        {"a range holding every record", 0, 540, false, {0, 9}, {0, 4}},
        {"a range around every record", -600, 1200, false, {0, 9}, {0, 4}},
        {"a displayed range around every record", -60, 600, true, {0, 9}, {0, 4}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        App app;
        const auto a = Channel(app.document, {{{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}});
        const auto b = Channel(app.document, {{{0, 1, 2, 3, 4}}, 0x41, kStart, 2 * kMinute});
        app.Load({a, b});
        // What the user set on a, which trimming must not lose.
        a->SetDisplayName(QStringLiteral("Renamed"));
        const auto expr = PrmScaleExpr::FromChannelText(QStringLiteral("2\n1\n4\nkV"));  // 2 y + 1
        a->SetScaleExpr(expr);
        a->SetVisibleInTable(true);
        ASSERT_TRUE(app.Run(std::make_shared<McrChSetVisibleGraph>(app.context, AppChList{a}, false)));
        const Data beforeA = DataOf(*a), beforeB = DataOf(*b);
        const OvGraphFileLib::ICh* fileA = &a->GetFileCh();
        const auto settings = [&] {
            return std::tuple(a->GetDisplayName().toStdString(), a->GetScaleExpr(), a->IsVisible(), a->IsVisibleInTable(),
                              b->IsVisible(), b->IsVisibleInTable());
        };
        const auto userSettings = std::tuple(std::string("Renamed"), expr, false, true, true, false);
        ASSERT_EQ(userSettings, settings());

        std::shared_ptr<orvel::Cmd> cmd;
        if (row.outside) {
            a->GetTimeAxis()->SetDisplayRange(x0 + *row.from, x0 + *row.to);
            cmd = std::make_shared<McrChDeleteOutsideData>(app.context, AppChList{a, b});
        } else {
            const auto at = [&](std::optional<double> s) { return s ? std::optional<double>(x0 + *s) : std::nullopt; };
            cmd = std::make_shared<McrChDeleteData>(app.context, AppChList{a, b}, at(row.from), at(row.to));
        }
        const bool deletes = row.keptA != std::array<int, 2>{0, 9};
        ASSERT_EQ(deletes, app.Run(cmd));
        for (const auto& [ch, kept, interval] : {std::tuple{a, row.keptA, kMinute}, std::tuple{b, row.keptB, 2 * kMinute}}) {
            const auto samples = Samples(*ch);
            EXPECT_EQ(kept[1] - kept[0] + 1, ch->GetDataCount());
            ASSERT_EQ(size_t(kept[1] - kept[0] + 1), samples.size());
            EXPECT_EQ(kStart + kept[0] * interval, samples.front().first);
            EXPECT_EQ(kStart + kept[1] * interval, samples.back().first);
            EXPECT_DOUBLE_EQ(x0 + double(kept[0] * interval) / 1000, ch->GetFirstTime());
        }
        EXPECT_EQ(2.0 * row.keptA[0] + 1, Samples(*a).front().second) << "the expression still applies";
        EXPECT_EQ(userSettings, settings());
        if (!deletes) continue;
        const Data afterA = DataOf(*a), afterB = DataOf(*b);

        ASSERT_TRUE(app.history.Undo());
        EXPECT_EQ(beforeA, DataOf(*a));
        EXPECT_EQ(beforeB, DataOf(*b));
        EXPECT_EQ(fileA, &a->GetFileCh()) << "the kept file channel is put back";
        EXPECT_EQ(userSettings, settings());
        ASSERT_TRUE(app.history.Redo());
        EXPECT_EQ(afterA, DataOf(*a));
        EXPECT_EQ(afterB, DataOf(*b));
        EXPECT_EQ(userSettings, settings());
    }
}

TEST(McrChMerge, MergesIntoANewOrTheFirstChannelAndUndoRestoresBothLists)
{
    const struct {
        std::string merged;  // of the document a, c, b (c is humidity)
        bool keepSources;
        std::string after;  // the document's order; M the merged channel
    } rows[] = {
        {"ab", true, "acbM"}, {"ba", true, "acbM"},
        {"ab", false, "Mc"},  {"ba", false, "Mc"},  // the place of the first of them in the document
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.merged + (row.keepSources ? " kept" : " removed"));
        App app;
        const auto a = Channel(app.document, {{{1, 2, 3}}, 13});
        const auto c = Channel(app.document, {{{50, 60}}, 209});
        const auto b = Channel(app.document, {{{4, 5}}, 13, kStart + kHour});
        app.Load({a, c, b});
        a->SetDisplayName(QStringLiteral("a"));
        b->SetDisplayName(QStringLiteral("b"));
        const auto byName = [&](char name) { return name == 'a' ? a : name == 'b' ? b : c; };
        const Order original{a.get(), c.get(), b.get()};
        const auto first = a;  // of the merged channels, the first in the document
        const auto timeAxis = first->GetTimeAxis(), valueAxis = first->GetValueAxis();
        AppChList sources;
        for (const char name : row.merged) sources.push_back(byName(name));
        EXPECT_EQ(QString(), McrChMerge::Check(sources));
        EXPECT_EQ(QStringLiteral("結合するチャンネルを2つ以上選択して下さい。"), McrChMerge::Check({a}));
        EXPECT_EQ(QStringLiteral("種類の異なるデータのチャンネルは結合できません。"), McrChMerge::Check({a, b, c}));
        EXPECT_FALSE(app.Run(std::make_shared<McrChMerge>(app.context, AppChList{a, c}, row.keepSources)));
        EXPECT_FALSE(app.Run(std::make_shared<McrChMerge>(app.context, AppChList{b}, row.keepSources)));

        ASSERT_TRUE(app.Run(std::make_shared<McrChMerge>(app.context, sources, row.keepSources)));
        const Order after = app.Lists().first;
        ASSERT_EQ(row.after.size(), after.size());
        const AppCh* merged = after[row.after.find('M')];
        Order expected;
        for (const char name : row.after) expected.push_back(name == 'M' ? merged : byName(name).get());
        EXPECT_EQ(Both(expected), app.Lists());
        EXPECT_EQ(first->GetDisplayName(), merged->GetDisplayName());
        if (!row.keepSources) {  // in the first channel's place, on its axes
            EXPECT_EQ(std::pair(timeAxis, valueAxis), std::pair(merged->GetTimeAxis(), merged->GetValueAxis()));
        }
        // a's records, the break, b's records, whatever order they were given in.
        const std::vector<std::pair<int64_t, double>> data{{kStart, 1}, {kStart + kMinute, 2}, {kStart + 2 * kMinute, 3},
                                                           {kStart + 2 * kMinute + 1, BREAK_VALUE}, {kStart + kHour, 4},
                                                           {kStart + kHour + kMinute, 5}};
        EXPECT_EQ(data, Samples(*merged));

        ASSERT_TRUE(app.history.Undo());
        EXPECT_EQ(Both(original), app.Lists());
        EXPECT_EQ(std::pair(timeAxis, valueAxis), std::pair(first->GetTimeAxis(), first->GetValueAxis()));
        ASSERT_TRUE(app.history.Redo());
        EXPECT_EQ(Both(expected), app.Lists()) << "redo brings the same merged channel back";
    }
}

TEST(McrDewPointMaker, AddsTheDewPointInCelsiusWithGapsOrRecordsNothingAndSaysWhy)
{
    const std::vector<double> humidity = {100, 50, 60, INVALID_VALUE, 30, 0};
    const std::vector<double> celsius = {25, 25, INVALID_VALUE, 20, 5, 30}, fahrenheit = {77, 77, INVALID_VALUE, 68, 41, 86};
    const struct {
        const char* name;
        int32_t documentUnit;
        std::optional<Series> temperature;  // none: no channel; no blocks: a channel without data
        Series humidity;
        const char* refusal;
    } rows[] = {
        {"Celsius", 13, Series{{celsius}, 13}, {{humidity}, 209}, nullptr},
        {"Celsius shown in Fahrenheit", 14, Series{{celsius}, 13}, {{humidity}, 209}, nullptr},
        {"a Fahrenheit recording", 13, Series{{fahrenheit}, 14}, {{humidity}, 209}, nullptr},
        {"a Fahrenheit recording shown in Fahrenheit", 14, Series{{fahrenheit}, 14}, {{humidity}, 209}, nullptr},
        // The same records at the same times, in two blocks split where a value is missing anyway.
        {"temperature in two blocks", 13,
         Series{{{25, 25, INVALID_VALUE}, {20, 5, 30}}, 13, kStart, kMinute, 9 * kHour, 3 * kMinute}, {{humidity}, 209}, nullptr},
        {"no temperature channel", 13, std::nullopt, {{humidity}, 209}, "温度と湿度のデータがありません。"},
        {"a channel without data", 13, Series{{}, 13}, {{humidity}, 209}, "温度と湿度のデータがありません。"},
        {"different numbers of data", 13, Series{{celsius}, 13}, {{{50, 50, 50}}, 209}, "温度と湿度のデータ数が異なります。"},
        {"later times", 13, Series{{celsius}, 13}, {{humidity}, 209, kStart + kMinute}, "温度と湿度のデータの時刻が異なります。"},
        {"another interval", 13, Series{{celsius}, 13}, {{humidity}, 209, kStart, 2 * kMinute}, "温度と湿度のデータの時刻が異なります。"},
    };
    // The valid pairs, a gap for the missing ones, and no dew point for a humidity of 0.
    const std::vector<std::pair<int64_t, double>> expected{{kStart, DewPoint::Of(25, 100)},
                                                           {kStart + kMinute, DewPoint::Of(25, 50)},
                                                           {kStart + kMinute + 1, BREAK_VALUE},
                                                           {kStart + 4 * kMinute, DewPoint::Of(5, 30)},
                                                           {kStart + 5 * kMinute, INVALID_VALUE}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        App app;
        app.document.SetTemperatureDisplayType(row.documentUnit);
        const auto t = row.temperature ? Channel(app.document, *row.temperature) : nullptr;
        const auto h = Channel(app.document, row.humidity);
        app.Load(t ? AppChList{t, h} : AppChList{h});
        const Order sources = app.Lists().first;

        const auto maker = std::make_shared<McrDewPointMaker>(app.context, t, h);
        if (row.refusal) {
            EXPECT_FALSE(app.Run(maker));
            EXPECT_EQ(QString::fromUtf8(row.refusal), maker->GetError());
            EXPECT_EQ(sources, app.Lists().first);
            continue;
        }
        EXPECT_TRUE(app.Run(maker)) << maker->GetError().toStdString();
        const auto dewPoint = maker->GetChannel();
        if (!dewPoint) continue;
        EXPECT_EQ(Both({t.get(), h.get(), dewPoint.get()}), app.Lists());
        EXPECT_EQ(13, dewPoint->GetFileCh().GetChType());
        EXPECT_EQ(kMinute, dewPoint->GetInterval());
        EXPECT_EQ(expected, Samples(*dewPoint));
        // Shown like every temperature of the document.
        const double shown = row.documentUnit == 14 ? DewPoint::Of(25, 100) * 9 / 5 + 32 : DewPoint::Of(25, 100);
        EXPECT_DOUBLE_EQ(shown, dewPoint->GetPoints().Y(0));

        ASSERT_TRUE(app.history.Undo());
        EXPECT_EQ(Both(sources), app.Lists());
        ASSERT_TRUE(app.history.Redo());
        EXPECT_EQ(dewPoint.get(), app.Lists().second.back());
    }
}

// A block boundary in either source ends the dew point's block, even between valid pairs.
TEST(McrDewPointMaker, EitherSourcesBlockBoundaryEndsTheBlock)
{
    for (const bool splitHumidity : {false, true}) {
        App app;
        const Series whole{{{20, 20, 20, 20}}, 13}, split{{{20, 20}, {20, 20}}, 13, kStart, kMinute, 9 * kHour, 2 * kMinute};
        Series humidity = splitHumidity ? split : whole, temperature = splitHumidity ? whole : split;
        humidity.type = 209;
        const auto t = Channel(app.document, temperature), h = Channel(app.document, humidity);
        app.Load({t, h});
        const auto maker = std::make_shared<McrDewPointMaker>(app.context, t, h);
        ASSERT_TRUE(app.Run(maker)) << maker->GetError().toStdString();
        EXPECT_EQ(2u, maker->GetChannel()->GetFileCh().GetRawData().size()) << splitHumidity;
    }
}

// Windows start at the origin on the logger's clock, so days and hours are those the graph shows;
// the thinned data become a new channel or replace the channel's own, and undo gives them back.
TEST(McrThinData, WindowsFollowTheLocalClockIntoANewChannelOrInPlace)
{
    constexpr int64_t kLocalMidnight = 1'780'272'000;  // seconds, a 00:00 as shown
    using Output = McrThinData::Output;
    const struct {
        int64_t timeDiff;
        int32_t computerBias;  // minutes, for channels without a time difference
        int64_t window;        // hours
        int64_t origin;        // ms as shown
        Output output;
    } rows[] = {
        {9 * kHour, 0, 24, 0, Output::kNewChannels},
        {9 * kHour, 0, 1, kLocalMidnight * 1000, Output::kReplaceData},
        {11 * kHour / 2, 0, 24, kLocalMidnight * 1000, Output::kReplaceData},
        {11 * kHour / 2, 0, 1, 0, Output::kNewChannels},
        {-7 * kHour / 2, 0, 6, kLocalMidnight * 1000 - 2 * kDay, Output::kNewChannels},
        {OvGraphFileLib::NOT_GIVEN, -540, 24, 0, Output::kReplaceData},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.timeDiff) + " ms, window " + std::to_string(row.window) + " h");
        App app;
        app.document.SetTimeZoneBias(row.computerBias);
        const int64_t toLocal = row.timeDiff == OvGraphFileLib::NOT_GIVEN ? -60'000 * row.computerBias : row.timeDiff;
        // Two days every half hour from local midnight; the value counts the records.
        std::vector<double> values;
        for (int i = 0; i < 96; ++i) values.push_back(i);
        const auto channel =
            Channel(app.document, {{values}, 0x41, kLocalMidnight * 1000 - toLocal, 30 * kMinute, row.timeDiff});
        app.Load({channel});
        channel->SetDisplayName(QStringLiteral("a"));
        ASSERT_DOUBLE_EQ(double(kLocalMidnight), channel->GetFirstTime());
        const Data before = DataOf(*channel);
        const OvGraphFileLib::ICh* file = &channel->GetFileCh();
        const auto thin = [&](int64_t hours) {
            const OvGraphFileLib::ThinDataPrm prm{hours * kHour, row.origin, 2, 0};  // maxima
            return std::make_shared<McrThinData>(app.context, AppChList{channel}, prm, row.output);
        };
        const auto refused = thin(0);
        EXPECT_FALSE(app.Run(refused));
        EXPECT_EQ(56, refused->GetResult().code);
        EXPECT_EQ(20020, refused->GetResult().location);

        ASSERT_TRUE(app.Run(thin(row.window)));
        const Order after = app.Lists().first;
        EXPECT_EQ(Both(after), app.Lists());
        const bool added = row.output == Output::kNewChannels;
        ASSERT_EQ(added ? 2u : 1u, after.size()) << "a new channel at the end, or the same one";
        EXPECT_EQ(added ? QStringLiteral("a (最大値)") : QStringLiteral("a"), after.back()->GetDisplayName());
        EXPECT_EQ(added, before == DataOf(*channel)) << "a new channel leaves the source as it was";
        const AppPoints& points = after.back()->GetPoints();
        ASSERT_EQ(size_t(48 / row.window), points.Size());
        for (size_t k = 0; k < points.Size(); ++k) {
            // The maximum of each window is its last record, stamped with that record's time.
            const int64_t end = int64_t(k + 1) * row.window;
            EXPECT_DOUBLE_EQ(double(kLocalMidnight + end * 3600 - 1800), points.X(k)) << "window " << k;
            EXPECT_EQ(double(2 * end - 1), points.Y(k)) << "window " << k;
        }
        ASSERT_TRUE(app.history.Undo());
        EXPECT_EQ(Both({channel.get()}), app.Lists());
        EXPECT_EQ(before, DataOf(*channel));
        EXPECT_EQ(file, &channel->GetFileCh());
        ASSERT_TRUE(app.history.Redo());
        EXPECT_EQ(Both(after), app.Lists()) << "redo brings the same channels back";
    }
}

// A command given a channel that is no longer in the document is a programming error.
TEST(AnalysisTools, AChannelNotInTheDocumentIsAnInternalError)
{
    for (size_t i = 0; i < 6; ++i) {
        App app;
        const auto kept = Channel(app.document, {{{50, 60}}, 209}), gone = Channel(app.document, {{{20, 21}}, 209});
        app.Load({kept});
        const std::shared_ptr<orvel::Cmd> tools[] = {
            std::make_shared<McrChSetOffsetTime>(app.context, McrChSetOffsetTime::Offsets{{gone, kDay}}),
            std::make_shared<McrChDeleteData>(app.context, AppChList{gone}, 0.0, std::nullopt),
            std::make_shared<McrChDeleteOutsideData>(app.context, AppChList{gone}),
            std::make_shared<McrChMerge>(app.context, AppChList{kept, gone}, true),
            std::make_shared<McrDewPointMaker>(app.context, gone, kept),
            std::make_shared<McrThinData>(app.context, AppChList{gone}, OvGraphFileLib::ThinDataPrm{kHour, 0, 0, 0},
                                          McrThinData::Output::kNewChannels),
        };
        EXPECT_THROW(app.history.Add(true, tools[i]), orvel::SeriousError) << "tool " << i;
        EXPECT_EQ(Both({kept.get()}), app.Lists()) << "tool " << i;
    }
}
