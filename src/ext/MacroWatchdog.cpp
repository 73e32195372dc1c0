#include "ext/MacroWatchdog.h"

#include <QJSEngine>

namespace ovgApp {

MacroWatchdog::MacroWatchdog(QJSEngine& engine, std::chrono::milliseconds limit)
    : m_deadline(Clock::now() + limit), m_thread([this, &engine] { Watch(engine); })
{
}

MacroWatchdog::~MacroWatchdog() { Stop(); }

void MacroWatchdog::Watch(QJSEngine& engine)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_done) return;
        if (m_suspensions > 0) {
            m_wake.wait(lock);
            continue;
        }
        if (Clock::now() >= m_deadline) break;
        m_wake.wait_until(lock, m_deadline);
    }
    m_fired = true;
    engine.setInterrupted(true);
}

void MacroWatchdog::Suspend()
{
    std::lock_guard lock(m_mutex);
    if (m_suspensions++ == 0) m_suspendedAt = Clock::now();
}

void MacroWatchdog::Resume()
{
    {
        std::lock_guard lock(m_mutex);
        if (--m_suspensions == 0) m_deadline += Clock::now() - m_suspendedAt;
    }
    m_wake.notify_one();
}

bool MacroWatchdog::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable()) m_thread.join();
    return m_fired;
}

}  // namespace ovgApp
