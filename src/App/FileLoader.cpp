#include "App/FileLoader.h"

#include <QMetaObject>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <tuple>

#include "App/AppCh.h"
#include "filelib/FileKind.h"
#include "filelib/GCh.h"

namespace ovgApp {
namespace {

using OvGraphFileLib::Result;
using Task = std::function<void()>;

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
    using Spawn = std::function<void(Task)>;
    using WaitAll = std::function<void()>;

    LoadRun(FileLoader::Prm& prm, FileLoader::Callbacks* callbacks, Deliver deliver, Spawn spawn,
            WaitAll waitAll)
        : m_prm(prm),
          m_callbacks(callbacks ? callbacks : &g_silent),
          m_deliver(std::move(deliver)),
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
            if (OvGraphFileLib::GetFileKind(filePath) == OvGraphFileLib::kFileKmb) return LoadGraphDocument();
            return LoadDataFile(fileIndex, filePath);
        } catch (const std::exception&) {
            // Out of memory while reading: the file fails, the load goes on.
            return {OvGraphFileLib::kFailure, 0, "ovgApp::FileLoader::LoadFile"};
        }
    }

    // Graph documents are refused until their reader exists.
    static Result LoadGraphDocument()
    {
        return {OvGraphFileLib::kFailure, 0, "ovgApp::FileLoader::LoadGraphDocument"};
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
                self->Convert(fileIndex, k, *fileCh);
            });
        }
        return loaded.result;
    }

    // One channel's conversion: an application channel over an editable copy of the file's.
    void Convert(int32_t fileIndex, int32_t chIndex, const OvGraphFileLib::ICh& fileCh)
    {
        try {
            auto appCh =
                std::make_shared<AppCh>(m_prm.document, std::make_shared<OvGraphFileLib::GCh>(fileCh));
            auto info = std::make_shared<FileLoader::AppChInfo>(
                FileLoader::AppChInfo{fileIndex, chIndex, std::move(appCh)});
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
            failures.push_back({paths[qsizetype(i)], result.code, QString::fromStdString(result.Message())});
    }
    return failures;
}

std::vector<std::vector<std::shared_ptr<AppCh>>> FileLoader::Prm::ChannelsByFile() const
{
    std::vector<std::vector<std::shared_ptr<AppCh>>> files(size_t(paths.size()));
    for (const auto& info : channels) files[size_t(info->fileIndex)].push_back(info->appCh);
    return files;
}

FileLoader::FileLoader() : m_context(std::make_unique<QObject>())
{
    // The file loop mostly reads or waits; the conversions get a thread per core besides it.
    m_pool.setMaxThreadCount(QThread::idealThreadCount() + 1);
}

FileLoader::~FileLoader()
{
    Cancel();
    m_fileLoop.waitForFinished();  // the loop waits for its conversions
    m_pool.waitForDone();
}

bool FileLoader::Start(std::shared_ptr<Prm> prm, Callbacks* callbacks)
{
    if (m_running || !prm) return false;
    m_running = true;
    m_prm = prm;
    prm->applyDocumentState = callbacks && callbacks->IsDocumentFresh();
    QObject* context = m_context.get();
    QThreadPool* pool = &m_pool;
    // The conversions' futures are touched by the file loop's thread only.
    auto futures = std::make_shared<std::vector<QFuture<void>>>();
    auto run = std::make_shared<LoadRun>(
        *prm, callbacks,
        [context](Task report) {
            QMetaObject::invokeMethod(context, std::move(report), Qt::QueuedConnection);
        },
        [pool, futures](Task convert) { futures->push_back(QtConcurrent::run(pool, std::move(convert))); },
        [futures] {
            for (QFuture<void>& future : *futures) future.waitForFinished();
        });
    run->beforeFinish = [this] {
        m_running = false;
        m_prm.reset();
    };
    run->owner = prm;
    m_fileLoop = QtConcurrent::run(pool, [run] { run->FileLoop(); });
    return true;
}

void FileLoader::Cancel()
{
    if (m_prm) m_prm->cancel = true;
}

void FileLoader::Load(Prm& prm, Callbacks* callbacks)
{
    prm.applyDocumentState = callbacks && callbacks->IsDocumentFresh();
    auto run = std::make_shared<LoadRun>(
        prm, callbacks, [](Task report) { report(); }, [](Task convert) { convert(); }, [] {});
    run->FileLoop();
}

}  // namespace ovgApp
