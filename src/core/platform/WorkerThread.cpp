#include "core/platform/WorkerThread.h"

#include <QtGlobal>
#include <system_error>
#include <utility>

WorkerThread::~WorkerThread()
{
    if (!m_thread.joinable())
        return;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_running; });
        m_ending = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

bool WorkerThread::start(std::function<void()> job)
{
    if (!m_thread.joinable()) {
        try {
            m_thread = std::thread([this] { serve(); });
        } catch (const std::system_error&) {
            return false;
        }
    }
    {
        const std::lock_guard lock(m_mutex);
        Q_ASSERT(!m_running); // the job before was waited for
        m_job = std::move(job);
        m_running = true;
    }
    m_changed.notify_all();
    return true;
}

void WorkerThread::wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_running; });
    if (m_failed)
        std::rethrow_exception(std::exchange(m_failed, nullptr));
}

void WorkerThread::serve()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_ending || m_job; });
        if (!m_job)
            return;
        std::function<void()> job = std::exchange(m_job, nullptr);
        lock.unlock();
        std::exception_ptr failed;
        try {
            job();
        } catch (...) {
            failed = std::current_exception();
        }
        lock.lock();
        m_failed = failed;
        m_running = false;
        m_changed.notify_all();
    }
}
