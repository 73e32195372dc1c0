#include "App/FileLoader.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <functional>
#include <future>
#include <mutex>
#include <tuple>

#include "App/ResultText.h"
#include "App/AppCh.h"
#include "App/FileKmb.h"
#include "App/LoaderThreads.h"
#include "filelib/FileKind.h"
#include "filelib/GCh.h"

namespace ovgApp {
namespace {

using OvGraphFileLib::Result;
using Task = std::function<void()>;
using Question = std::function<bool()>;

FileLoader::Callbacks g_silent;

// The bar's position from what the caller has been told so far: each file counts 1 once read
// and converted, and its converted share of channels while its conversions run. Lives on the
// caller's thread (only delivered events touch it).
class Progress {
public:
    explicit Progress(size_t fileCount) : m_files(fileCount) {}

    void FileRead(size_t file, int32_t channelCount) { m_files[file].count = channelCount; }
    void ChannelDone(size_t file) { ++m_files[file].done; }

    // The new position when it grew since the last call, else -1.
    int32_t Advance()
    {
        if (m_files.empty()) return -1;
        double sum = 0;
        for (const File& file : m_files) sum += file.Share();
        const int32_t percent = std::min(100, int32_t(sum * 100 / double(m_files.size())));
        if (percent <= m_last) return -1;
        m_last = percent;
        return percent;
    }

private:
    struct File {
        int32_t count = -1;  // -1 until read; 0 for a failed file or one without channels
        int32_t done = 0;
        double Share() const
        {
            if (count < 0) return 0;
            if (done >= count) return 1;
            return double(done) / double(count);
        }
    };
    std::vector<File> m_files;
    int32_t m_last = 0;
};

// One load: the file loop and the conversions it schedules. How a conversion runs (inline or
// as a task) and how a report reaches the caller (a direct call or a queued one) are given, so
// the background and the synchronous load share every step.
class LoadRun : public std::enable_shared_from_this<LoadRun> {
public:
    using Deliver = std::function<void(Task)>;
    // Like Deliver, but waits for the answer.
    using Ask = std::function<bool(Question)>;
    using Spawn = std::function<void(Task)>;
    using WaitAll = std::function<void()>;

    LoadRun(FileLoader::Prm& prm, FileLoader::Callbacks* callbacks, Deliver deliver, Ask ask, Spawn spawn,
            WaitAll waitAll)
        : m_prm(prm),
          m_callbacks(callbacks ? callbacks : &g_silent),
          m_deliver(std::move(deliver)),
          m_ask(std::move(ask)),
          m_spawn(std::move(spawn)),
          m_waitAll(std::move(waitAll)),
          m_progress(size_t(prm.paths.size()))
    {
    }

    // Runs after every report of the load has been delivered; for the background load's own
    // bookkeeping before OnFinish.
    std::function<void()> beforeFinish;
    // Whatever must live as long as the run (the background load's Prm).
    std::shared_ptr<const void> owner;

    void FileLoop()
    {
        const auto self = shared_from_this();
        m_prm.results.clear();
        m_prm.channels.clear();
        for (int32_t i = 0; i < int32_t(m_prm.paths.size()); ++i) {
            m_prm.currentFileIndex = i;
            const QString path = m_prm.paths[i];
            m_deliver([self, path] { self->m_callbacks->OnFileStart(path); });
            const Result result = LoadFile(i, path);
            {
                const std::lock_guard lock(m_mutex);
                m_prm.results.push_back(result);
            }
            if (result.Ok())
                m_prm.applyDocumentState = false;
            else
                m_deliver([self, i] { self->FileRead(i, 0); });
            if (m_prm.cancel) break;
        }
        m_waitAll();
        for (const int32_t file : m_failedConversions) {
            Result& result = m_prm.results[size_t(file)];
            if (result.Ok()) result = {OvGraphFileLib::kFailure, 0, "ovgApp::FileLoader::Convert"};
        }
        // Conversions finish in any order; callers get the file's order.
        std::sort(m_prm.channels.begin(), m_prm.channels.end(), [](const auto& a, const auto& b) {
            return std::tie(a->fileIndex, a->chIndex) < std::tie(b->fileIndex, b->chIndex);
        });
        m_deliver([self] {
            if (self->beforeFinish) self->beforeFinish();
            self->m_callbacks->OnFinish();
        });
    }

private:
    Result LoadFile(int32_t fileIndex, const QString& path)
    {
        try {
            const std::filesystem::path filePath(path.toStdU16String());
            if (OvGraphFileLib::GetFileKind(filePath) == OvGraphFileLib::kFileKmb)
                return LoadGraphDocument(fileIndex, filePath);
            return LoadDataFile(fileIndex, filePath);
        } catch (const std::exception&) {
            // Out of memory while reading: the file fails, the load goes on.
            return {OvGraphFileLib::kFailure, 0, "ovgApp::FileLoader::LoadFile"};
        }
    }

    // The whole file is read before any record becomes a channel, so a broken document adds
    // nothing. Only the first successful file restores graph state, memo and temperature unit.
    Result LoadGraphDocument(int32_t fileIndex, const std::filesystem::path& path)
    {
        auto file = std::make_shared<FileKmb>();
        const Result result = file->Load(path);
        if (!result.Ok()) return result;
        const auto self = shared_from_this();
        const bool apply = m_prm.applyDocumentState;
        const uint8_t unit = file->GetHeader().GetTemperatureUnit();
        if (apply && (unit == FileKmbFileHeader::kCelsius || unit == FileKmbFileHeader::kFahrenheit)) {
            m_ask([self, fileIndex, unit] {
                return self->m_callbacks->AskTemperatureUnit(fileIndex, unit == FileKmbFileHeader::kCelsius);
            });
        }
        const auto count = int32_t(file->GetRecords().size());
        m_deliver([self, fileIndex, count] {
            self->m_callbacks->OnChannelCount(count);
            self->FileRead(fileIndex, count);
        });
        for (int32_t k = 0; k < count; ++k) {
            m_spawn([self, fileIndex, k, file] {
                FileKmbCh& record = file->GetRecords()[size_t(k)];
                self->Convert(fileIndex, k, [&] { return record.CreateAppCh(self->m_prm.document); },
                              {record.GetTimeAxis(), record.GetValueAxis()});
            });
        }
        if (apply) {
            m_prm.graphState = file->GetGraphState();
            m_prm.savedTemperatureUnit = unit;
            if (!file->GetMemo().isEmpty()) m_prm.memo = file->GetMemo();
        }
        return result;
    }

    Result LoadDataFile(int32_t fileIndex, const std::filesystem::path& path)
    {
        OvGraphFileLib::LoadedChannels loaded = OvGraphFileLib::LoadChannels(path);
        if (!loaded.result.Ok()) return loaded.result;
        const auto self = shared_from_this();
        const auto count = int32_t(loaded.channels.size());
        m_deliver([self, fileIndex, count] {
            self->m_callbacks->OnChannelCount(count);
            self->FileRead(fileIndex, count);
        });
        for (int32_t k = 0; k < count; ++k) {
            m_spawn([self, fileIndex, k, fileCh = std::move(loaded.channels[size_t(k)])] {
                self->Convert(fileIndex, k, [&] {
                    return std::make_shared<AppCh>(self->m_prm.document, std::make_shared<OvGraphFileLib::GCh>(*fileCh));
                });
            });
        }
        return loaded.result;
    }

    // One channel's conversion: the application channel that make builds (over an editable copy
    // of the file's channel), with the axis identifiers a graph document gave it.
    void Convert(int32_t fileIndex, int32_t chIndex, const std::function<std::shared_ptr<AppCh>()>& make,
                 FileKmb::AxisIds axes = {})
    {
        try {
            auto info = std::make_shared<FileLoader::AppChInfo>(
                FileLoader::AppChInfo{fileIndex, chIndex, make(), axes.timeAxis, axes.valueAxis});
            const std::lock_guard lock(m_mutex);
            m_prm.channels.push_back(std::move(info));
        } catch (const std::exception&) {
            // A channel that cannot be built fails its file (once all tasks are done); the
            // file's other channels stay.
            const std::lock_guard lock(m_mutex);
            m_failedConversions.push_back(fileIndex);
        }
        const auto self = shared_from_this();
        m_deliver([self, fileIndex] {
            self->m_callbacks->OnChannelDone();
            self->m_progress.ChannelDone(size_t(fileIndex));
            self->ReportProgress();
        });
    }

    void FileRead(int32_t fileIndex, int32_t count)
    {
        m_progress.FileRead(size_t(fileIndex), count);
        ReportProgress();
    }

    void ReportProgress()
    {
        const int32_t percent = m_progress.Advance();
        if (percent >= 0) m_callbacks->OnProgress(percent);
    }

    FileLoader::Prm& m_prm;
    FileLoader::Callbacks* m_callbacks;
    Deliver m_deliver;
    Ask m_ask;
    Spawn m_spawn;
    WaitAll m_waitAll;
    std::mutex m_mutex;                        // guards m_prm.results, m_prm.channels and m_failedConversions
    std::vector<int32_t> m_failedConversions;  // file indexes
    Progress m_progress;                       // touched only by delivered reports
};

}  // namespace

std::vector<FileLoader::FailedFile> FileLoader::Prm::Failures() const
{
    std::vector<FailedFile> failures;
    for (size_t i = 0; i < results.size(); ++i) {
        const Result& result = results[i];
        if (!result.Ok())
            failures.push_back({paths[qsizetype(i)], result.code, ResultText(result)});
    }
    return failures;
}

std::vector<std::vector<std::shared_ptr<AppCh>>> FileLoader::Prm::ChannelsByFile() const
{
    std::vector<std::vector<std::shared_ptr<AppCh>>> files(size_t(paths.size()));
    for (const auto& info : channels) files[size_t(info->fileIndex)].push_back(info->appCh);
    return files;
}

FileLoader::FileLoader() : m_reports(std::make_unique<ReportQueue>())
{
    // The file loop mostly reads or waits; the conversions get a thread per core.
    m_conversions = std::make_unique<TaskPool>(std::max(1u, std::thread::hardware_concurrency()));
}

FileLoader::~FileLoader()
{
    Cancel();
    if (m_fileLoop.joinable()) m_fileLoop.join();  // the loop waits for its conversions
    m_reports->Clear();
}

bool FileLoader::Start(std::shared_ptr<Prm> prm, Callbacks* callbacks)
{
    if (m_running || !prm) return false;
    if (m_fileLoop.joinable()) m_fileLoop.join();  // the last load's loop, which has ended
    m_running = true;
    {
        const std::lock_guard lock(m_prmMutex);
        m_prm = prm;
    }
    prm->applyDocumentState = callbacks && callbacks->IsDocumentFresh();
    ReportQueue* reports = m_reports.get();
    TaskPool* conversions = m_conversions.get();
    auto run = std::make_shared<LoadRun>(
        *prm, callbacks, [reports](Task report) { reports->Post(std::move(report)); },
        [reports, prm = prm.get()](Question question) {
            // Queued like every report, then waited for; a cancel (also the loader's destructor,
            // which waits for this thread) ends the wait, and so does a report that was dropped.
            auto answer = std::make_shared<std::promise<bool>>();
            std::future<bool> future = answer->get_future();
            reports->Post([answer, question = std::move(question)] { answer->set_value(question()); });
            while (future.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
                if (prm->cancel) return false;
            try {
                return future.get();
            } catch (const std::future_error&) {
                return false;
            }
        },
        [conversions](Task convert) { conversions->Run(std::move(convert)); },
        [conversions] { conversions->Wait(); });
    run->beforeFinish = [this] {
        m_running = false;
        {
            const std::lock_guard lock(m_prmMutex);
            m_prm.reset();
        }
        m_reports->Stop();
    };
    run->owner = prm;
    m_reports->Start();
    m_fileLoop = std::thread([run] { run->FileLoop(); });
    return true;
}

void FileLoader::Cancel()
{
    const std::lock_guard lock(m_prmMutex);
    if (m_prm) m_prm->cancel = true;
}

void FileLoader::Load(Prm& prm, Callbacks* callbacks)
{
    prm.applyDocumentState = callbacks && callbacks->IsDocumentFresh();
    auto run = std::make_shared<LoadRun>(
        prm, callbacks, [](Task report) { report(); }, [](Question question) { return question(); },
        [](Task convert) { convert(); }, [] {});
    run->FileLoop();
}

}  // namespace ovgApp
