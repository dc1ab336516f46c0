#pragma once

#include "core/platform/FileSystem.h"

#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

// Reads the folders of a walk ahead of it on helper threads, nearly in the order the walk visits them
// (each folder before its subfolders, subfolders in the order read; links, skipped folders and folders
// known to hold no subfolder not entered), so the walk finds most folders read already while it builds the rows of the
// ones before, and both cores read. Only a bounded number of readings wait at any time. A folder the helper does not
// bring (the walk went another way) is read by the caller itself: the answer is the same either way.
class FolderWalkAhead
{
public:
    // skip: folders the walk does not enter (kernel file systems); asked on the helper thread.
    FolderWalkAhead(const FileSystem& fs, const QString& top, std::function<bool(const QString&)> skip);
    ~FolderWalkAhead();
    FolderWalkAhead(const FolderWalkAhead&) = delete;
    FolderWalkAhead& operator=(const FolderWalkAhead&) = delete;

    // The subfolders of a folder of the walk.
    QList<SubfolderInfo> subfolders(const QString& folder);

private:
    static constexpr size_t kAhead = 4096;
    static constexpr int kHelpers = 2;

    void run();

    const FileSystem& m_fs;
    const std::function<bool(const QString&)> m_skip;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::unordered_map<QString, QList<SubfolderInfo>> m_read; // read, not yet taken
    std::vector<QString> m_pending;                           // to read, the next one last
    int m_busy = 0;                                           // helpers reading now
    bool m_stop = false;
    bool m_done = false;
    std::vector<std::thread> m_threads; // last: they start once everything above is there
};
