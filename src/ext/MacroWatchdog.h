#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class QJSEngine;

namespace ovgApp {

// Interrupts a script engine once the script itself has run longer than the limit. Time spent
// inside the application's own calls (loading files, replacing data) does not count: they end on
// their own and an interrupt during one would only stop the script right after it. The engine's
// interrupt flag is the one thing of it another thread may touch.
class MacroWatchdog {
public:
    MacroWatchdog(QJSEngine& engine, std::chrono::milliseconds limit);
    ~MacroWatchdog();
    MacroWatchdog(const MacroWatchdog&) = delete;
    MacroWatchdog& operator=(const MacroWatchdog&) = delete;

    // Around a call into the application: the clock stops, then goes on where it stopped.
    void Suspend();
    void Resume();
    // Ends the watch; returns whether it interrupted the engine.
    bool Stop();

    // Suspends the watchdog (if any) for a scope.
    class Pause {
    public:
        explicit Pause(MacroWatchdog* watchdog) : m_watchdog(watchdog)
        {
            if (m_watchdog) m_watchdog->Suspend();
        }
        ~Pause()
        {
            if (m_watchdog) m_watchdog->Resume();
        }
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        MacroWatchdog* m_watchdog;
    };

private:
    using Clock = std::chrono::steady_clock;
    void Watch(QJSEngine& engine);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    Clock::time_point m_deadline;
    Clock::time_point m_suspendedAt;
    int m_suspensions = 0;
    bool m_done = false;
    bool m_fired = false;
    std::thread m_thread;  // last: starts once the members above exist
};

}  // namespace ovgApp
