#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class QTimer;

namespace ovgApp {

// The background loader's threads are plain threads with standard locks, so that every hand-over
// between them is visible to a thread checker (Qt's own pools synchronise inside Qt, where a
// checker built into our code cannot see).

// Runs tasks on threads of its own. Wait returns once every task handed over so far has run.
class TaskPool {
public:
    explicit TaskPool(size_t threads);
    // Lets the threads finish the tasks handed over, then joins them.
    ~TaskPool();
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    void Run(std::function<void()> task);
    void Wait();

private:
    void Work();

    std::mutex m_mutex;
    std::condition_variable m_wake;  // a task or the end
    std::condition_variable m_idle;  // the last task ran
    std::deque<std::function<void()>> m_tasks;
    size_t m_busy = 0;
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};

// Reports posted from any thread, run in order on the thread that owns the queue, a few
// milliseconds later, from that thread's event loop while the queue is started.
class ReportQueue {
public:
    ReportQueue();
    ~ReportQueue();
    ReportQueue(const ReportQueue&) = delete;
    ReportQueue& operator=(const ReportQueue&) = delete;

    void Post(std::function<void()> report);
    // On the owning thread: polling on, or off.
    void Start();
    void Stop();
    // Drops what is posted and not yet run.
    void Clear();

private:
    void Drain();

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_reports;
    QObject m_context;
    QTimer* m_timer;
};

}  // namespace ovgApp
