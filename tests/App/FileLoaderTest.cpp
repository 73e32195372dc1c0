#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "App/FileLoader.h"
#include "App/FileUILoadFile.h"
#include "filelib/FileKind.h"
#include "filelib/GCh.h"

using namespace ovgApp;

namespace {

QString Sample(const char* name)
{
    return QStringLiteral(ORVEL_SAMPLES_DIR "/") + QString::fromUtf8(name);
}

std::filesystem::path FsPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

// Writes bytes to a file in the directory and returns its path.
QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

// Far too short to hold a data file's header.
QString WriteBrokenKmv(const QTemporaryDir& dir)
{
    return WriteFile(dir, "broken.kmv", QByteArray(10, '\x01'));
}

// What identifies a loaded channel: its file and position, and its file channel's name, count
// and first time.
using ChKey = std::tuple<int32_t, int32_t, std::u16string, int32_t, int64_t>;

std::vector<ChKey> Keys(const std::vector<std::shared_ptr<FileLoader::AppChInfo>>& channels)
{
    std::vector<ChKey> keys;
    for (const auto& info : channels) {
        const OvGraphFileLib::ICh& fileCh = info->appCh->GetFileCh();
        keys.emplace_back(info->fileIndex, info->chIndex, fileCh.GetChName(), fileCh.GetDataCount(),
                          fileCh.GetFirstTime());
    }
    return keys;
}

// The channels the file library itself reads from the files, keyed as the loader should give them.
std::vector<ChKey> ExpectedKeys(const QStringList& paths)
{
    std::vector<ChKey> keys;
    for (int32_t i = 0; i < int32_t(paths.size()); ++i) {
        const OvGraphFileLib::LoadedChannels loaded = OvGraphFileLib::LoadChannels(FsPath(paths[i]));
        for (int32_t k = 0; k < int32_t(loaded.channels.size()); ++k) {
            const auto& ch = *loaded.channels[size_t(k)];
            keys.emplace_back(i, k, ch.GetChName(), ch.GetDataCount(), ch.GetFirstTime());
        }
    }
    return keys;
}

// Records what the loader reports and on which thread.
class Recorder : public FileLoader::Callbacks {
public:
    bool fresh = false;
    std::vector<std::string> events;
    std::vector<int32_t> progress;
    int32_t finishCount = 0;
    bool offThread = false;
    QEventLoop* loop = nullptr;

    bool IsDocumentFresh() override { return Note("fresh"), fresh; }
    void OnFileStart(const QString& path) override
    {
        Note("start " + QFileInfo(path).fileName().toStdString());
    }
    void OnChannelCount(int32_t count) override { Note("count " + std::to_string(count)); }
    void OnChannelDone() override { Note("done"); }
    void OnProgress(int32_t percent) override
    {
        CheckThread();
        progress.push_back(percent);
    }
    void OnFinish() override
    {
        Note("finish");
        ++finishCount;
        if (loop) loop->quit();
    }

private:
    void Note(const std::string& event)
    {
        CheckThread();
        events.push_back(event);
    }
    void CheckThread()
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) offThread = true;
    }
};

enum class Mode { Synchronous, Background };

void PrintTo(Mode mode, std::ostream* out)
{
    *out << (mode == Mode::Synchronous ? "Synchronous" : "Background");
}

// Loads with the chosen entry point and returns once the loader has finished (or 30 s passed).
void Load(Mode mode, FileLoader::Prm& prm, Recorder& recorder)
{
    if (mode == Mode::Synchronous) {
        FileLoader::Load(prm, &recorder);
        return;
    }
    // The background loader wants a shared Prm; lend it this one for the duration of the load.
    std::shared_ptr<FileLoader::Prm> shared(&prm, [](FileLoader::Prm*) {});
    FileLoader loader;
    QEventLoop loop;
    recorder.loop = &loop;
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    ASSERT_TRUE(loader.Start(shared, &recorder));
    loop.exec();
    recorder.loop = nullptr;
    ASSERT_EQ(recorder.finishCount, 1) << "the load did not finish in time";
}

std::string ModeName(const testing::TestParamInfo<Mode>& info)
{
    return info.param == Mode::Synchronous ? "Synchronous" : "Background";
}

class FileLoaderModes : public testing::TestWithParam<Mode> {};

INSTANTIATE_TEST_SUITE_P(FileLoader, FileLoaderModes, testing::Values(Mode::Synchronous, Mode::Background),
                         ModeName);

TEST_P(FileLoaderModes, BrokenMiddleFileIsListedAndTheOthersLoadInFileOrder)
{
    QTemporaryDir dir;
    const QString broken = WriteBrokenKmv(dir);
    FileLoader::Prm prm;
    prm.paths = {Sample("lab-two-days.kmq"), broken, Sample("warehouse-week.kmv")};
    Recorder recorder;
    Load(GetParam(), prm, recorder);

    std::vector<ChKey> expected = ExpectedKeys({prm.paths[0]});
    for (ChKey key : ExpectedKeys({prm.paths[2]})) {
        std::get<0>(key) = 2;
        expected.push_back(key);
    }
    ASSERT_GT(expected.size(), 2u);
    EXPECT_EQ(Keys(prm.channels), expected);
    const auto byFile = prm.ChannelsByFile();
    ASSERT_EQ(byFile.size(), 3u);
    EXPECT_EQ(byFile[0].size() + byFile[2].size(), expected.size());
    EXPECT_TRUE(byFile[1].empty());
    ASSERT_FALSE(byFile[2].empty());
    EXPECT_EQ(byFile[2].front(), prm.channels[byFile[0].size()]->appCh);

    const std::vector<FileLoader::FailedFile> failures = prm.Failures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path, broken);
    EXPECT_EQ(failures[0].code, OvGraphFileLib::kReadFailed);
    EXPECT_EQ(failures[0].message, QStringLiteral("読み込みに失敗しました。(2110)"));
}

TEST_P(FileLoaderModes, ProgressGrowsToExactlyOneHundred)
{
    QTemporaryDir dir;
    FileLoader::Prm prm;
    prm.paths = {Sample("freezer-1s.kmv"), WriteBrokenKmv(dir), Sample("lab-two-days.kmq"),
                 Sample("current-readings.kmq"), Sample("gallery-light.kmv")};
    Recorder recorder;
    Load(GetParam(), prm, recorder);

    ASSERT_FALSE(recorder.progress.empty());
    for (size_t i = 1; i < recorder.progress.size(); ++i)
        EXPECT_GE(recorder.progress[i], recorder.progress[i - 1]) << "report " << i;
    for (const int32_t percent : recorder.progress) EXPECT_LE(percent, 100);
    EXPECT_EQ(recorder.progress.back(), 100);
}

TEST_P(FileLoaderModes, CancelDuringTheFirstFileKeepsItsChannelsAndReadsNoMore)
{
    FileLoader::Prm prm;
    prm.paths = {Sample("lab-two-days.kmq"), Sample("warehouse-week.kmv"), Sample("freezer-1s.kmv")};
    prm.cancel = true;  // pressed while the first file is being read
    Recorder recorder;
    Load(GetParam(), prm, recorder);

    EXPECT_EQ(prm.results.size(), 1u);
    EXPECT_EQ(Keys(prm.channels), ExpectedKeys({prm.paths[0]}));
    EXPECT_EQ(recorder.events.back(), "finish");
}

TEST_P(FileLoaderModes, ReportsArriveOnTheCallersThreadInOrderWithFinishLast)
{
    QTemporaryDir dir;
    FileLoader::Prm prm;
    prm.paths = {Sample("freezer-1s.kmv"), WriteBrokenKmv(dir)};
    Recorder recorder;
    Load(GetParam(), prm, recorder);

    const size_t channels = ExpectedKeys({prm.paths[0]}).size();
    std::vector<std::string> expected = {"fresh", "start freezer-1s.kmv",
                                         "count " + std::to_string(channels)};
    expected.insert(expected.end(), channels, "done");
    // The second file starts while the first one's channels may still be converting.
    std::vector<std::string> events = recorder.events;
    const auto secondStart = std::find(events.begin(), events.end(), "start broken.kmv");
    ASSERT_NE(secondStart, events.end());
    events.erase(secondStart);
    expected.push_back("finish");
    EXPECT_EQ(events, expected);
    EXPECT_FALSE(recorder.offThread);
}

TEST_P(FileLoaderModes, DocumentStateAppliesUntilTheFirstFileLoads)
{
    QTemporaryDir dir;
    const QString broken = WriteBrokenKmv(dir);
    struct Case {
        bool fresh;
        QStringList paths;
        bool applyAfter;
    };
    const Case cases[] = {
        {true, {broken}, true},
        {true, {broken, Sample("freezer-1s.kmv")}, false},
        {false, {broken}, false},
    };
    for (const Case& c : cases) {
        FileLoader::Prm prm;
        prm.paths = c.paths;
        Recorder recorder;
        recorder.fresh = c.fresh;
        Load(GetParam(), prm, recorder);
        EXPECT_EQ(prm.applyDocumentState.load(), c.applyAfter)
            << c.paths.join(QLatin1Char(',')).toStdString();
    }
}

TEST_P(FileLoaderModes, FilesWithoutAReaderFail)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        int32_t code;
        const char* message;
    };
    const Case cases[] = {
        {"notes.txt", OvGraphFileLib::kUnsupportedFile, "未対応のファイルです。(0)"},
        {"README", OvGraphFileLib::kUnsupportedFile, "未対応のファイルです。(0)"},
        // Zeros are no graph document: its magic is refused.
        {"saved.kmb", OvGraphFileLib::kUnsupportedFile, "未対応のファイルです。(5111)"},
    };
    for (const Case& c : cases) {
        FileLoader::Prm prm;
        prm.paths = {WriteFile(dir, c.name, QByteArray(64, '\0'))};
        Recorder recorder;
        Load(GetParam(), prm, recorder);
        EXPECT_TRUE(prm.channels.empty()) << c.name;
        const std::vector<FileLoader::FailedFile> failures = prm.Failures();
        ASSERT_EQ(failures.size(), 1u) << c.name;
        EXPECT_EQ(failures[0].code, c.code) << c.name;
        EXPECT_EQ(failures[0].message, QString::fromUtf8(c.message)) << c.name;
    }
}

TEST(FileLoader, BackgroundAndSynchronousLoadsGiveTheSameChannels)
{
    QTemporaryDir dir;
    // Many files of unequal size, so that conversions running side by side finish out of order.
    QStringList paths = {WriteBrokenKmv(dir)};
    for (int round = 0; round < 8; ++round)
        paths += {Sample("freezer-1s.kmv"), Sample("current-readings.kmq"), Sample("warehouse-week.kmv"),
                  Sample("lab-two-days.kmq"), Sample("gallery-light.kmv")};
    AppDocument document;
    FileLoader::Prm synchronous;
    synchronous.paths = paths;
    synchronous.document = &document;
    Recorder first;
    Load(Mode::Synchronous, synchronous, first);
    FileLoader::Prm background;
    background.paths = paths;
    background.document = &document;
    Recorder second;
    Load(Mode::Background, background, second);

    EXPECT_EQ(Keys(background.channels), Keys(synchronous.channels));
    for (size_t i = 0; i < std::min(background.channels.size(), synchronous.channels.size()); ++i) {
        const AppCh& a = *background.channels[i]->appCh;
        const AppCh& b = *synchronous.channels[i]->appCh;
        EXPECT_EQ(a.GetDisplayName(), b.GetDisplayName()) << i;
        EXPECT_EQ(a.GetPoints().Size(), b.GetPoints().Size()) << i;
        EXPECT_EQ(a.GetDocument(), &document) << i;
    }
    ASSERT_EQ(background.results.size(), synchronous.results.size());
    for (size_t i = 0; i < background.results.size(); ++i)
        EXPECT_EQ(background.results[i].code, synchronous.results[i].code) << i;
}

TEST(FileLoader, DestroyingARunningLoaderStopsItWithoutFurtherReports)
{
    auto prm = std::make_shared<FileLoader::Prm>();
    for (int i = 0; i < 20; ++i) prm->paths += Sample("freezer-1s.kmv");
    Recorder recorder;
    {
        FileLoader loader;
        ASSERT_TRUE(loader.Start(prm, &recorder));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.finishCount, 0);
    EXPECT_LT(prm->results.size(), size_t(prm->paths.size()));
}

// A cancel at any moment of a background load (after each report in turn, and from another
// thread while the load runs) ends it with whole files: the channels are exactly those of the
// files that were read, in order, and the finish is reported once.
TEST(FileLoader, CancelAtAnyMomentKeepsWholeFilesInOrder)
{
    const QStringList paths = {Sample("lab-two-days.kmq"), Sample("warehouse-week.kmv"), Sample("pump-station.ke8"),
                               Sample("gallery-light.kmv")};
    // The reports of a whole load: the moments to cancel at.
    size_t reports = 0;
    {
        FileLoader::Prm prm;
        prm.paths = paths;
        Recorder recorder;
        Load(Mode::Background, prm, recorder);
        reports = recorder.events.size();
    }
    ASSERT_GT(reports, 10u);
    // Cancels when the recorder has heard `at` reports.
    struct Canceller : Recorder {
        FileLoader::Prm* prm = nullptr;
        size_t at = 0;
        void OnChannelDone() override
        {
            Recorder::OnChannelDone();
            if (events.size() >= at) prm->cancel = true;
        }
        void OnFileStart(const QString& path) override
        {
            Recorder::OnFileStart(path);
            if (events.size() >= at) prm->cancel = true;
        }
    };
    for (size_t at = 0; at <= reports + 1; ++at) {
        FileLoader::Prm prm;
        prm.paths = paths;
        Canceller recorder;
        recorder.prm = &prm;
        recorder.at = at;
        Load(Mode::Background, prm, recorder);
        ASSERT_LE(prm.results.size(), size_t(paths.size())) << at;
        EXPECT_EQ(Keys(prm.channels), ExpectedKeys(paths.mid(0, qsizetype(prm.results.size())))) << "cancelled after " << at;
        EXPECT_EQ(recorder.finishCount, 1) << at;
    }
    // From another thread, at random moments.
    for (int run = 0; run < 20; ++run) {
        auto prm = std::make_shared<FileLoader::Prm>();
        prm->paths = paths;
        Recorder recorder;
        QEventLoop loop;
        recorder.loop = &loop;
        FileLoader loader;
        ASSERT_TRUE(loader.Start(prm, &recorder));
        std::thread canceller([&, run] {
            std::this_thread::sleep_for(std::chrono::microseconds(run * 150));
            loader.Cancel();
        });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        canceller.join();
        ASSERT_EQ(recorder.finishCount, 1) << run;
        EXPECT_EQ(Keys(prm->channels), ExpectedKeys(paths.mid(0, qsizetype(prm->results.size())))) << run;
    }
}

// The same files loaded by two loaders at once, into two documents, one file twice in each load:
// each document gets every channel, as channels of its own.
TEST(FileLoader, TwoLoadsOfTheSameFilesAtOnceGiveTwoWholeDocuments)
{
    const QStringList paths = {Sample("warehouse-week.kmv"), Sample("warehouse-week.kmv"), Sample("lab-two-days.kmq")};
    AppDocument documents[2];
    std::shared_ptr<FileLoader::Prm> prms[2];
    Recorder recorders[2];
    FileLoader loaders[2];
    for (int k = 0; k < 2; ++k) {
        prms[k] = std::make_shared<FileLoader::Prm>();
        prms[k]->paths = paths;
        prms[k]->document = &documents[k];
        ASSERT_TRUE(loaders[k].Start(prms[k], &recorders[k]));
    }
    QElapsedTimer waited;
    waited.start();
    while (recorders[0].finishCount + recorders[1].finishCount < 2 && waited.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(recorders[k].finishCount, 1) << k;
        EXPECT_EQ(Keys(prms[k]->channels), ExpectedKeys(paths)) << k;
    }
    std::set<const AppCh*> distinct;
    for (const auto& prm : prms)
        for (const auto& info : prm->channels) distinct.insert(info->appCh.get());
    EXPECT_EQ(distinct.size(), prms[0]->channels.size() * 2);
}

TEST(FileLoader, ChannelsAreEditableCopiesOfTheFileChannels)
{
    FileLoader::Prm prm;
    prm.paths = {Sample("freezer-1s.kmv")};
    FileLoader::Load(prm);
    ASSERT_FALSE(prm.channels.empty());
    for (const auto& info : prm.channels)
        EXPECT_NE(dynamic_cast<const OvGraphFileLib::GCh*>(&info->appCh->GetFileCh()), nullptr);
}

TEST(FileLoaderOpenDialog, FiltersListEveryFormatUnderAllDataFiles)
{
    const std::vector<FileUILoadFile::Filter> filters = FileUILoadFile::Filters();
    QStringList patterns;
    for (const auto& filter : filters) patterns += filter.patterns;
    const QStringList expected = {// all data files
                                  "*.kmb", "*.kmq", "*.kmv", "*.kac", "*.ke8", "*.kej", "*.kad", "*.kaq",
                                  "*.ks2", "*.ks3", "*.kn1", "*.kn2",
                                  // one filter each
                                  "*.kmb", "*.kmq", "*.kmv", "*.kac", "*.ke8", "*.kej", "*.kad", "*.kaq",
                                  "*.ks2", "*.ks3", "*.kn1", "*.kn2", "*.*"};
    EXPECT_EQ(patterns, expected);
    ASSERT_EQ(filters.size(), 14u);
    EXPECT_EQ(filters.front().label, QStringLiteral("データファイル全般"));
    EXPECT_EQ(filters.back().label, QStringLiteral("すべてのファイル"));
    // Every pattern names a kind the file library knows.
    for (const QString& pattern : filters.front().patterns)
        EXPECT_NE(OvGraphFileLib::GetFileKind(FsPath(QStringLiteral("x") + pattern.mid(1))),
                  OvGraphFileLib::kFileNone)
            << pattern.toStdString();
    EXPECT_EQ(FileUILoadFile::NameFilters().at(2), filters[2].label + QStringLiteral(" (*.kmq)"));
}

}  // namespace
