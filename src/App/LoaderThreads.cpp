#include "App/LoaderThreads.h"

#include <QTimer>
#include <algorithm>

namespace ovgApp {

TaskPool::TaskPool(size_t threads)
{
    for (size_t k = 0; k < std::max<size_t>(1, threads); ++k) m_threads.emplace_back([this] { Work(); });
}

TaskPool::~TaskPool()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads) thread.join();
}

void TaskPool::Run(std::function<void()> task)
{
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void TaskPool::Wait()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_tasks.empty() && m_busy == 0; });
}

void TaskPool::Work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_tasks.empty(); });
        if (m_tasks.empty()) return;  // stopping, and nothing left
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        ++m_busy;
        lock.unlock();
        task();
        task = nullptr;  // what it holds goes before the pool hears it is done
        lock.lock();
        --m_busy;
        if (m_tasks.empty() && m_busy == 0) m_idle.notify_all();
    }
}

ReportQueue::ReportQueue() : m_timer(new QTimer(&m_context))
{
    m_timer->setInterval(5);
    QObject::connect(m_timer, &QTimer::timeout, &m_context, [this] { Drain(); });
}

ReportQueue::~ReportQueue() = default;

void ReportQueue::Post(std::function<void()> report)
{
    const std::lock_guard lock(m_mutex);
    m_reports.push_back(std::move(report));
}

void ReportQueue::Start() { m_timer->start(); }
void ReportQueue::Stop() { m_timer->stop(); }

void ReportQueue::Clear()
{
    std::deque<std::function<void()>> dropped;
    const std::lock_guard lock(m_mutex);
    dropped.swap(m_reports);
}

void ReportQueue::Drain()
{
    for (;;) {
        std::function<void()> report;
        {
            const std::lock_guard lock(m_mutex);
            if (m_reports.empty()) return;
            report = std::move(m_reports.front());
            m_reports.pop_front();
        }
        report();  // may stop the queue, or start the next load
        if (!m_timer->isActive()) return;
    }
}

}  // namespace ovgApp
