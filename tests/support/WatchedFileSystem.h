#pragma once

#include "support/FaultInjectingFileSystem.h"

#include <QString>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// Notes which thread did each rename. With `meet`, the first rename waits (a few seconds at most) until a
// rename comes from a second thread, so a test sees both threads at work however the system schedules them.
class WatchedFileSystem : public FaultInjectingFileSystem
{
public:
    explicit WatchedFileSystem(bool meet = false)
        : m_meet(meet)
    {}

    FsResult renameFolder(const QString& oldPath, const QString& newPath, FolderCursor* cursor) override
    {
        {
            std::unique_lock lock(m_mutex);
            const std::thread::id me = std::this_thread::get_id();
            m_done.push_back({me, oldPath});
            if (m_meet && m_first == std::thread::id()) {
                m_first = me;
                m_met.wait_for(lock, std::chrono::seconds(5), [this] { return m_second; });
            } else if (me != m_first && !m_second) {
                m_second = true;
                m_met.notify_all();
            }
        }
        return FaultInjectingFileSystem::renameFolder(oldPath, newPath, cursor);
    }

    // The renames in the order they began, with the thread of each.
    std::vector<std::pair<std::thread::id, QString>> done() const
    {
        const std::lock_guard lock(m_mutex);
        return m_done;
    }

private:
    const bool m_meet;
    mutable std::mutex m_mutex;
    std::condition_variable m_met;
    std::thread::id m_first;
    bool m_second = false;
    std::vector<std::pair<std::thread::id, QString>> m_done;
};
