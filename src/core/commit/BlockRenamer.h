#pragma once

#include "core/commit/RenameBlock.h"
#include "core/platform/FileSystem.h"

#include <QElapsedTimer>
#include <atomic>
#include <vector>

class WorkerThread;

// Runs the renames of a block in order on another thread, so that the caller keeps its books and
// plans the next block while the disk works. A rename runs only when the one it waits for (Rename::after)
// did; the block stops there, and after the first rename that ends a second past the start. The caller
// must leave the file system alone until finished.
class BlockRenamer
{
public:
    struct Progress
    {
        size_t ready = 0; // renames that have an outcome, from the first on
        bool finished = false;
    };

    // Renames the first `count` renames of the block, on the worker where the file system allows it and
    // the block is large enough to gain from it. The worker runs nothing else until this is finished.
    BlockRenamer(FileSystem& fs, const std::vector<RenameBlock::Rename>& renames, size_t count,
                 const QElapsedTimer& since, WorkerThread& worker);
    ~BlockRenamer();
    BlockRenamer(const BlockRenamer&) = delete;
    BlockRenamer& operator=(const BlockRenamer&) = delete;

    // Waits until more than `seen` renames have an outcome, or until the renamer has finished.
    Progress waitPast(size_t seen);
    // The progress now, without waiting.
    Progress progress() const;
    // Once finished: true when every rename of the block was done.
    bool renamedAll() const { return m_renamedAll; }
    // Waits for the worker to be through; the outcomes stay. Whatever the renames threw is thrown here.
    void finish();
    // Whether rename i was done, and else why not; only for i below the ready count.
    bool renamed(size_t i) const { return m_renamed[i] != 0; }
    const FsResult& result(size_t i) const { return m_results[i]; }

private:
    void run();
    void publish(size_t ready, bool finished);

    FileSystem& m_fs;
    const std::vector<RenameBlock::Rename>& m_renames;
    const size_t m_count;
    const QElapsedTimer m_since;
    std::vector<FsResult> m_results;
    std::vector<char> m_renamed;
    bool m_renamedAll = false; // set before the renamer is finished
    // The ready count times two, plus one once finished.
    std::atomic<quint32> m_progress{0};
    WorkerThread* m_worker = nullptr; // while it runs the renames
};
