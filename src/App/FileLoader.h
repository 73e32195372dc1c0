#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "filelib/Result.h"
#include "filelib/XmlElement.h"

namespace ovgApp {

class ReportQueue;
class TaskPool;

class AppCh;
class AppDocument;

// Loads data files and graph documents into application channels: the file library reads each
// data file (the reader is chosen by the extension) and every channel it yields becomes an AppCh
// over an editable copy; a graph document (.kmb) is read whole, then each of its records becomes
// an AppCh with the record's display settings. A failed file contributes no channels and leaves
// its Result; the other files still load.
//
// Two entry points with the same results: Start runs the file loop as one background task and
// each channel's conversion as a task of its own, reporting to the callbacks on the loader's
// thread; Load does everything on the calling thread (command line, tests).
class FileLoader {
public:
    // One new application channel and where it came from.
    struct AppChInfo {
        int32_t fileIndex = 0;  // index into Prm::paths
        int32_t chIndex = 0;    // the channel's position in its file
        std::shared_ptr<AppCh> appCh;
        // The record's axis identifiers for a channel of a graph document (10 + i below,
        // 20 + i left, 30 + i right, 40 + i above); 0 for channels of data files.
        uint8_t timeAxis = 0;
        uint8_t valueAxis = 0;
    };

    // A file that did not load, as the error dialog lists it.
    struct FailedFile {
        QString path;
        int32_t code = 0;  // the Result code
        QString message;   // the Result's message, location in place of %d
    };

    // The files to load and what loading them produced. The loader writes results and channels;
    // read them once the load has finished (after OnFinish, or after Load returns).
    struct Prm {
        QStringList paths;  // in the order chosen
        // Channels are built against this document (not owned; may be null): worker threads read
        // its temperature unit, time zone bias and default expression, so leave them alone while
        // a load runs.
        AppDocument* document = nullptr;
        // Set from IsDocumentFresh when loading starts; cleared as soon as any file has loaded,
        // so only a graph document that is the first successful file may restore its state.
        std::atomic<bool> applyDocumentState{false};
        // Set from any thread; checked between files. The file being read is finished first and
        // channels already created are kept.
        std::atomic<bool> cancel{false};
        std::atomic<int32_t> currentFileIndex{0};
        // One per file read, in file order; shorter than paths when the load was cancelled.
        std::vector<OvGraphFileLib::Result> results;
        // Every channel created, in file order and, within a file, in the file's channel order.
        std::vector<std::shared_ptr<AppChInfo>> channels;
        // Restored from a graph document that loaded while apply document state was set (the
        // first successful file); otherwise empty, null and 0.
        QString memo;
        std::shared_ptr<OvGraphFileLib::XmlElement> graphState;
        int32_t savedTemperatureUnit = 0;  // 0 none, 1 Celsius, 2 Fahrenheit

        // The files whose result is not success, in file order.
        std::vector<FailedFile> Failures() const;
        // The channels grouped by file: one list per path, in channel order (empty for a file
        // that failed or was not read), as the load command takes them.
        std::vector<std::vector<std::shared_ptr<AppCh>>> ChannelsByFile() const;
    };

    // What a load reports. Start calls every slot on the loader's thread, in the order the events
    // happened, OnFinish last; Load calls them directly on its own thread. Defaults do nothing.
    class Callbacks {
    public:
        virtual ~Callbacks() = default;
        // Asked once, before the first file, on the caller's thread.
        virtual bool IsDocumentFresh() { return false; }
        // Before each file.
        virtual void OnFileStart(const QString& path) { (void)path; }
        // After a file was read successfully, with its number of channels.
        virtual void OnChannelCount(int32_t count) { (void)count; }
        // A graph document that restores the document's state was saved showing temperatures in
        // Celsius (or Fahrenheit). The loader waits for the answer before it builds the file's
        // channels, so the listener may switch the document's temperature display (on its own
        // thread) and the channels follow it. Returns whether the display was changed. A
        // background load that is cancelled stops waiting and goes on as if false was returned.
        virtual bool AskTemperatureUnit(int32_t fileIndex, bool savedInCelsius)
        {
            (void)fileIndex, (void)savedInCelsius;
            return false;
        }
        // After each application channel was created.
        virtual void OnChannelDone() {}
        // The share of the work done, 0 to 100: files done plus the current files' share of
        // channels converted. Called only when the value grows; never above 100.
        virtual void OnProgress(int32_t percent) { (void)percent; }
        // After the last file (or the cancel) once every channel task is done; Prm is complete.
        virtual void OnFinish() {}
    };

    // Callbacks of Start are delivered on the thread that creates the loader, through its event
    // loop.
    FileLoader();
    // Cancels a running load and waits for its tasks; callbacks not yet delivered are dropped.
    ~FileLoader();
    FileLoader(const FileLoader&) = delete;
    FileLoader& operator=(const FileLoader&) = delete;

    // Starts loading in the background and returns at once. One load at a time: returns false
    // (and starts nothing) while another is running. The callbacks must outlive the load.
    bool Start(std::shared_ptr<Prm> prm, Callbacks* callbacks);
    // Sets the running load's cancel flag; safe from any thread.
    void Cancel();
    // From Start until just before OnFinish is delivered.
    bool IsRunning() const { return m_running; }

    // Loads every file on the calling thread, without tasks, and returns when done.
    static void Load(Prm& prm, Callbacks* callbacks = nullptr);

private:
    std::unique_ptr<TaskPool> m_conversions;
    std::mutex m_prmMutex;  // Cancel may come from any thread
    std::shared_ptr<Prm> m_prm;
    std::thread m_fileLoop;
    bool m_running = false;
    // Carries the callbacks to this thread; declared last so that it goes first and drops what
    // is still queued.
    std::unique_ptr<ReportQueue> m_reports;
};

}  // namespace ovgApp
