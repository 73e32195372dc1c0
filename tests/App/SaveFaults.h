#pragma once

// Faults a save must survive: a write call that fails (a full disk, a pulled drive) and the
// process killed at any moment.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <chrono>
#include <functional>
#include <random>
#include <string>

namespace save_faults {

// A save file whose n-th write call fails once.
class FailingSaveFile : public QSaveFile {
public:
    FailingSaveFile(const QString& name, int failingCall) : QSaveFile(name), m_failingCall(failingCall) {}
    // The write calls made so far, the failed one included.
    int Calls() const { return m_calls; }

protected:
    qint64 writeData(const char* data, qint64 size) override
    {
        return ++m_calls == m_failingCall ? -1 : QSaveFile::writeData(data, size);
    }

private:
    int m_failingCall;
    int m_calls = 0;
};

inline std::string Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(unreadable)");
}

// What kills during saves left behind.
struct KillReport {
    int complete = 0;     // the file was one of the two contents, whole
    int interrupted = 0;  // kills that came while a save was under way
};

// A child process saves the two contents to `path` in turn, over and over (save(k) writes
// content k, 0 or 1), telling a pipe when each save starts and ends, and is killed (SIGKILL) after
// a random pause of up to twice a save's time, `runs` times. After each kill the file must be one
// of the two contents, whole. A kill between a save's start and its end interrupted it. (The
// report is an argument so that the assertions inside may return early.)
inline void KillDuringSaves(const QString& path, const std::function<void(int)>& save, const std::string contents[2],
                            int runs, KillReport& report)
{
    using Clock = std::chrono::steady_clock;
    constexpr char kSaved = 2;  // after the announcements 0 and 1 of the saves
    const auto started = Clock::now();
    save(0);
    save(1);  // the child's first save changes the file
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started) / 2;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int64_t> pause(0, 2 * saveTime.count() + 1000);
    for (int run = 0; run < runs; ++run) {
        int announced[2];
        ASSERT_EQ(0, pipe(announced)) << "run " << run;
        const pid_t child = fork();
        if (child == 0) {
            close(announced[0]);
            for (char k = 0;; k ^= 1) {
                (void)!write(announced[1], &k, 1);
                save(k);
                (void)!write(announced[1], &kSaved, 1);
            }
        }
        close(announced[1]);
        char state = 0;  // what the child said last
        (void)!read(announced[0], &state, 1);  // the loop runs: the pause falls among saves
        usleep(useconds_t(pause(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        for (char said = 0; read(announced[0], &said, 1) == 1;) state = said;
        close(announced[0]);
        const std::string now = Contents(path);
        if (now == contents[0] || now == contents[1])
            ++report.complete;
        else
            ADD_FAILURE() << "kill " << run << " left " << now.size() << " bytes that are neither save";
        report.interrupted += state != kSaved;
    }
}

}  // namespace save_faults
