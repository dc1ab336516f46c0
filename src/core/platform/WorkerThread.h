#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// One thread that runs jobs one after another for as long as it lives. A run of many short jobs (a block
// of renames each) then pays for one thread, and the job does not wait for a new thread to find a
// processor of its own: the scheduler may first queue a new thread behind the one that made it.
class WorkerThread
{
public:
    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    // Waits for the job under way, then ends the thread.
    ~WorkerThread();

    // Runs job on the thread, which starts with the first job; the job before must have ended (see wait).
    // False, with nothing run, when no thread is to be had: the caller then runs the job itself.
    bool start(std::function<void()> job);
    // Waits until the job started last has returned. Whatever it threw is thrown here.
    void wait();

private:
    void serve();

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_job; // set while a job waits for the thread or runs
    bool m_running = false;
    bool m_ending = false;
    std::exception_ptr m_failed;
};
