#include "core/load/FolderWalkAhead.h"

FolderWalkAhead::FolderWalkAhead(const FileSystem& fs, const QString& top, std::function<bool(const QString&)> skip)
    : m_fs(fs)
    , m_skip(std::move(skip))
    , m_pending{top}
{
    for (int i = 0; i < kHelpers; ++i)
        m_threads.emplace_back([this] { run(); });
}

FolderWalkAhead::~FolderWalkAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void FolderWalkAhead::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] {
            return m_stop || (m_read.size() < kAhead && !m_pending.empty()) || (m_pending.empty() && m_busy == 0);
        });
        if (m_stop || m_pending.empty())
            break;
        const QString folder = std::move(m_pending.back());
        m_pending.pop_back();
        ++m_busy;
        lock.unlock();
        QList<SubfolderInfo> subfolders = m_fs.scanFolder(folder).subfolders;
        std::vector<QString> next;
        for (qsizetype i = subfolders.size() - 1; i >= 0; --i) {
            const SubfolderInfo& sub = subfolders.at(i);
            if (sub.isLink || sub.info.holdsNoFolder)
                continue;
            QString path = sub.pathIn(folder);
            if (!m_skip(path))
                next.push_back(std::move(path));
        }
        lock.lock();
        // Last to first on the stack, so the first subfolder is read next, as the walk goes.
        m_pending.insert(m_pending.end(), std::make_move_iterator(next.begin()), std::make_move_iterator(next.end()));
        m_read.emplace(folder, std::move(subfolders));
        --m_busy;
        m_changed.notify_all();
    }
    m_done = m_stop || (m_pending.empty() && m_busy == 0);
    m_changed.notify_all();
}

QList<SubfolderInfo> FolderWalkAhead::subfolders(const QString& folder)
{
    {
        std::unique_lock lock(m_mutex);
        // The walk asks nearly in the helpers' order, so the folder is being read or comes soon. Should the
        // two have parted (the disk changed under the walk), the helpers stop once their readings fill up,
        // and the wait ends there.
        m_changed.wait(lock, [&] { return m_done || m_read.size() >= kAhead || m_read.count(folder) != 0; });
        if (const auto found = m_read.find(folder); found != m_read.end()) {
            QList<SubfolderInfo> subfolders = std::move(found->second);
            m_read.erase(found);
            lock.unlock();
            m_changed.notify_all();
            return subfolders;
        }
    }
    return m_fs.scanFolder(folder).subfolders;
}
