#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QJSEngine>
#include <chrono>
#include <thread>
#include <memory>
#include <vector>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/CmdHistory.h"
#include "Cmd/AppContext.h"
#include "Cmd/McrLoadFiles.h"
#include "ext/AppMacroCallbacks.h"
#include "ext/AppMacroCh.h"
#include "ext/AppMacroManager.h"
#include "ext/MacroWatchdog.h"
#include "filelib/ChConstants.h"
#include "filelib/GCh.h"
#include "filelib/RawDataValidInterval.h"
#include "graph/Graph.h"
#include "graph/GraphChannels.h"

using namespace ovgApp;

namespace {

constexpr int64_t kStart = 1'780'000'000'000;  // ms, 26 minutes into an hour
constexpr uint16_t kCelsius = 13;
constexpr uint16_t kHumidity = 208;

std::shared_ptr<AppCh> Channel(AppDocument& document, const char* name, uint16_t type, std::vector<double> values,
                               int64_t interval = 60000)
{
    auto file = std::make_shared<OvGraphFileLib::GCh>();
    file->SetChType(type);
    file->SetChName(QString::fromUtf8(name).toStdU16String());
    file->SetInterval(interval);
    file->SetTimeDiff(0);
    file->AddRawData(OvGraphFileLib::RawDataValidInterval::Create(type, kStart, interval, values));
    file->SetDataCount(int32_t(values.size()));
    return std::make_shared<AppCh>(&document, file);
}

// A document with two temperature channels and one humidity channel in its graph, and a macro
// manager over it, with its scripts in a temporary folder.
struct Session {
    Session()
    {
        graph.Initialize(nullptr);
        history.Add(true, std::make_shared<McrLoadFiles>(
                              context, std::vector<std::vector<std::shared_ptr<AppCh>>>{
                                           {Channel(document, "t1", kCelsius, {20, 21, 22}),
                                            Channel(document, "rh", kHumidity, {50, OvGraphFileLib::INVALID_VALUE, 52}),
                                            Channel(document, "t2", kCelsius, {5, 6})}}));
        history.SetSavedPosition(history.DoneCount());
        callbacks = std::make_shared<AppMacroCallbacks>(context, [this] { ++refreshes; });
        manager = std::make_unique<AppMacroManager>(callbacks, folder.path());
    }

    std::optional<AppMacroManager::Error> Run(const QString& script)
    {
        const QString path = folder.filePath(QStringLiteral("script.js"));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(script.toUtf8());
        file.close();
        return manager->RunFile(path);
    }
    std::vector<QString> Names() const
    {
        std::vector<QString> names;
        for (const auto& channel : document.GetChannels()) names.push_back(channel->GetDisplayName());
        return names;
    }
    std::vector<double> Values(size_t index) const
    {
        std::vector<double> values;
        for (const auto& sample : document.GetChannels().at(index)->GetSamples(13)) values.push_back(sample.value);
        return values;
    }

    QTemporaryDir folder;
    AppDocument document;
    ovgGraph::Graph graph;
    CmdHistory history;
    AppContext context{document, graph, history};
    int refreshes = 0;
    std::shared_ptr<AppMacroCallbacks> callbacks;
    std::unique_ptr<AppMacroManager> manager;
};

const std::vector<QString> kAll = {QStringLiteral("t1"), QStringLiteral("rh"), QStringLiteral("t2")};

// Each script's effect on the document, on the history and its report. Whatever a script did
// before failing stays, as one undo step that gives everything back.
TEST(Macro, RunsAreOneStepOrNoneAndFailuresKeepWhatWasDone)
{
    struct Case {
        const char* name;
        const char* script;
        std::vector<QString> namesAfter;
        uint32_t steps;        // history entries the run adds
        int errorLine;         // 0: no error
        const char* message;   // part of the error message
        const char* detail = "";  // the failing line's text
    };
    const Case cases[] = {
        {"reads only", "var n = app.channelCount(); var c = app.channel(1); c.block(0).sample(1);", kAll, 0, 0, ""},
        {"deletes two, then fails", "app.remove([app.channel(0), app.channel(2)]);\nnoSuchFunction();", {QStringLiteral("rh")}, 1, 2,
         "ReferenceError", "noSuchFunction();"},
        {"index outside a block", "var b = app.channel(0).block(0);\nb.sample(2);\nb.sample(3);", kAll, 0, 3, "RangeError"},
        {"a stale channel", "var c = app.channel(0); app.remove(c);\napp.replace(c, {times: [1], values: [1]});", {QStringLiteral("rh"), QStringLiteral("t2")}, 1, 2,
         "no longer"},
        {"not a channel", "app.remove([{}]);", kAll, 0, 1, "TypeError"},
        {"a thrown text", "throw 'stop';", kAll, 0, 1, "stop"},
        {"deleting nothing", "app.remove([]);", kAll, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session session;
        const uint32_t before = session.history.DoneCount();
        const auto error = session.Run(QString::fromUtf8(c.script));
        EXPECT_EQ(session.Names(), c.namesAfter);
        EXPECT_EQ(session.history.DoneCount(), before + c.steps);
        EXPECT_EQ(session.refreshes, c.steps > 0 ? 1 : 0);
        ASSERT_EQ(error.has_value(), c.errorLine != 0) << (error ? error->message.toStdString() : "");
        if (error) {
            EXPECT_EQ(error->line, c.errorLine);
            EXPECT_TRUE(error->message.contains(QString::fromUtf8(c.message))) << error->message.toStdString();
            if (*c.detail) {
                EXPECT_EQ(error->detail, QString::fromUtf8(c.detail));
            }
        }
        if (c.steps == 0) continue;
        session.history.Undo();
        EXPECT_EQ(session.Names(), kAll);
        EXPECT_EQ(session.graph.GetChannels().List().size(), 3u);
        session.history.Redo();
        EXPECT_EQ(session.Names(), c.namesAfter);
    }
}

TEST(Macro, ReplaceTakesTheScriptsDataAndUndoGivesTheRecordingBack)
{
    Session session;
    const auto original = session.Values(0);
    const auto error = session.Run(QStringLiteral(
        "var c = app.channel(0);\n"
        "app.replace(c, {blocks: [{start: c.block(0).startTime, interval: 60000, values: [1, null, 3]},\n"
        "                         {times: [c.block(0).startTime + 600000], values: [NaN]}]});\n"
        "var d = app.channel(0);\n"
        "if (d.name !== 't1' || d.blockCount !== 2 || d.block(0).sample(1).valid) throw 'wrong view';"));
    ASSERT_FALSE(error) << error->message.toStdString() << " " << error->detail.toStdString();
    const double invalid = OvGraphFileLib::INVALID_VALUE, gap = OvGraphFileLib::BREAK_VALUE;
    EXPECT_EQ(session.Values(0), (std::vector<double>{1, invalid, 3, gap, invalid}));
    // The replacement takes the old channel's place in the graph.
    EXPECT_EQ(session.graph.GetChannels().List().front(), session.document.GetChannels().front());
    session.history.Undo();
    EXPECT_EQ(session.Values(0), original);

    struct Bad {
        const char* data;
        const char* message;
    };
    for (const Bad& bad : {Bad{"{times: [2, 1], values: [1, 2]}", "before"}, Bad{"{times: [1, 2], values: [1]}", "differ"},
                           Bad{"{start: 0, interval: 0, values: [1]}", "interval"}, Bad{"{times: [1.5], values: [1]}", "whole"},
                           Bad{"{values: 3}", "values"},
                           Bad{"(function () { var a = []; a.length = 4294967295; return {start: 0, interval: 1000, values: a}; })()", "at most"},}) {
        SCOPED_TRACE(bad.data);
        const uint32_t before = session.history.DoneCount();
        const auto failed = session.Run(QStringLiteral("app.replace(app.channel(0), %1);").arg(QString::fromUtf8(bad.data)));
        ASSERT_TRUE(failed);
        EXPECT_TRUE(failed->message.contains(QString::fromUtf8(bad.message))) << failed->message.toStdString();
        EXPECT_EQ(session.history.DoneCount(), before);
        EXPECT_EQ(session.Values(0), original);
    }
}

TEST(Macro, ARunawayScriptIsStoppedAndWhatItDidStays)
{
    Session session;
    session.manager->SetTimeLimit(std::chrono::milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    const auto error = session.Run(QStringLiteral("app.remove(app.channel(1));\nwhile (true) {}"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->message.contains(QStringLiteral("中断"))) << error->message.toStdString();
    EXPECT_EQ(session.Names(), (std::vector<QString>{QStringLiteral("t1"), QStringLiteral("t2")}));
    session.history.Undo();
    EXPECT_EQ(session.Names(), kAll);
    // The next run starts with a fresh engine that is not interrupted.
    EXPECT_FALSE(session.Run(QStringLiteral("var x = 1;")));
}

// Only the script's own time counts: time the application spends for it is not held against it.
TEST(Macro, TheWatchdogStopsItsClockWhileTheApplicationWorks)
{
    using namespace std::chrono_literals;
    for (const bool suspended : {true, false}) {
        SCOPED_TRACE(suspended);
        QJSEngine engine;
        MacroWatchdog watchdog(engine, 100ms);
        {
            const MacroWatchdog::Pause pause(suspended ? &watchdog : nullptr);
            std::this_thread::sleep_for(400ms);
        }
        EXPECT_EQ(watchdog.Stop(), !suspended);
        EXPECT_EQ(engine.isInterrupted(), !suspended);
    }
}

// Scripts reach files only through app.load, and nothing of the network.
TEST(Macro, ScriptsSeeOnlyTheAppObject)
{
    Session session;
    const auto error = session.Run(QStringLiteral(
        "var names = ['XMLHttpRequest', 'require', 'fetch', 'Qt', 'process', 'importScripts', 'WebSocket'];\n"
        "names.forEach(function (n) { if (typeof this[n] !== 'undefined') throw n + ' is reachable'; });\n"
        "var i = app.info();\n"
        "if (i.appName !== 'Orvel Graph' || i.language !== 'JPN' || i.viewTemperatureUnit !== 'celsius') throw 'info ' + JSON.stringify(i);"));
    EXPECT_FALSE(error) << error->message.toStdString();
    EXPECT_EQ(session.callbacks->GetAppInfo().left(22), QStringLiteral("{appName:\"Orvel Graph\""));
    EXPECT_TRUE(session.callbacks->GetAppInfo().endsWith(QStringLiteral("\"celsius\",}")));
}

TEST(Macro, LoadAddsFilesAsOneStepOfTheRunAndReportsFailures)
{
    Session session;
    const QString good = QStringLiteral(ORVEL_SAMPLES_DIR "/lab-two-days.kmq");
    const auto error = session.Run(QStringLiteral("var n = app.load(['%1']);\nif (n < 1) throw 'nothing';\napp.load('%2');")
                                       .arg(good, session.folder.filePath(QStringLiteral("missing.kmq"))));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 3);
    EXPECT_TRUE(error->message.contains(QStringLiteral("missing.kmq"))) << error->message.toStdString();
    EXPECT_GT(session.document.GetChannels().size(), 3u);
    session.history.Undo();
    EXPECT_EQ(session.Names(), kAll);
}

TEST(Macro, DataKindsFollowTypeUnitAndOverride)
{
    struct Case {
        uint16_t type;
        int32_t documentUnit;  // 13 Celsius, 14 Fahrenheit
        int32_t overrideCode;  // 0: none
        int32_t kind;
    };
    const Case cases[] = {{13, 13, 0, 1},  {13, 14, 0, 2},  {208, 13, 0, 3}, {65, 13, 0, 4},  {66, 13, 0, 5},
                          {73, 13, 0, 6},  {329, 13, 0, 7}, {85, 13, 0, 8},  {341, 13, 0, 9}, {129, 13, 0, 10},
                          {384, 13, 0, 11}, {352, 13, 0, 12}, {590, 13, 0, 13}, {416, 13, 0, 14}, {999, 13, 0, 15},
                          {208, 13, 7, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        AppDocument document;
        document.SetTemperatureDisplayType(c.documentUnit);
        auto channel = Channel(document, "c", c.type, {1});
        if (c.overrideCode) channel->SetTypeOverride(true, c.overrideCode);
        EXPECT_EQ(AppMacroCh::DataKind(*channel), c.kind);
    }
}

TEST(Macro, TheCountSurvivesARestartAndTheErrorBoxNamesTheScript)
{
    QSettings().remove(QStringLiteral("Settings/UpdateInfo/ExecuteMacroCount"));
    {
        Session session;
        session.Run(QStringLiteral("1;"));
        session.Run(QStringLiteral("2;"));
        EXPECT_EQ(session.manager->GetExecutionCount(), 2);
    }
    Session restarted;
    EXPECT_EQ(restarted.manager->GetExecutionCount(), 2);

    const AppMacroManager::Error error{QStringLiteral("ReferenceError: x is not defined"), 7, QStringLiteral("x();")};
    EXPECT_EQ(AppMacroManager::ErrorText(QStringLiteral("/m/a b/run.js"), error),
              QStringLiteral("マクロ実行中にエラーが発生しました。\nReferenceError: x is not defined\n\nPath:/m/a b\nFile:run.js\nLine 7:x();\n"));
}

// The bundled samples install once, list by name, and do what they say.
TEST(Macro, SampleMacrosRun)
{
    Session session;
    ASSERT_TRUE(session.manager->InstallSamples());
    const QStringList samples = AppMacroManager::ListMacroFiles(session.manager->GetSampleFolder());
    ASSERT_EQ(samples.size(), 2);
    QFile(session.manager->GetSampleFolder() + QStringLiteral("/notes.JS")).open(QIODevice::WriteOnly);
    EXPECT_EQ(AppMacroManager::ListMacroFiles(session.manager->GetSampleFolder()), samples);

    ASSERT_FALSE(session.manager->RunFile(samples[1]));  // keep-temperatures.js
    EXPECT_EQ(session.Names(), (std::vector<QString>{QStringLiteral("t1"), QStringLiteral("t2")}));
    ASSERT_FALSE(session.manager->RunFile(samples[0]));  // hourly-means.js
    EXPECT_EQ(session.Values(0), std::vector<double>{21});
    EXPECT_EQ(session.Values(1), std::vector<double>{5.5});
    session.history.Undo();
    session.history.Undo();
    EXPECT_EQ(session.Names(), kAll);
}

}  // namespace
