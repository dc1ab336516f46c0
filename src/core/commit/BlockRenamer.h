#pragma once

#include "core/commit/RenameBlock.h"
#include "core/platform/FileSystem.h"

#include <QElapsedTimer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class WorkerThread;

// Runs the renames of a block on other threads, so that the caller keeps its books and plans the next
// block while the disk works. The renames of a block cannot change what another of it finds (see
// RenameBlock), except that one waits for the rename that moves the folder above it (Rename::after). So
// where the block has renames in several folders, two threads take turns at them, a few folders at a
// time, and renames in different folders run at once; the renames of one folder stay on one thread, in
// order. A rename runs only when the one it waits for did; the block stops there, and after the first
// rename that ends past the time given (a second) from the start. The caller must leave the file system
// alone until finished.
class BlockRenamer
{
public:
    enum class Outcome : quint8 {
        Pending,
        Renamed,
        Failed,
        NotRun, // its turn did not come before the block stopped; it can be planned again
    };

    struct Progress
    {
        size_t ready = 0; // renames that have an outcome, from the first on
        bool finished = false;
    };

    // How long a block runs at most, unless told otherwise: the record and the protocol are written at
    // least this often.
    static constexpr qint64 kBlockMilliseconds = 1000;

    // Renames the first `count` renames of the block, on the workers where the file system allows it and
    // the block is large enough to gain from it. The workers run nothing else until this is finished.
    BlockRenamer(FileSystem& fs, const std::vector<RenameBlock::Rename>& renames, size_t count,
                 const QElapsedTimer& since, std::span<WorkerThread> workers, qint64 milliseconds = kBlockMilliseconds);
    ~BlockRenamer();
    BlockRenamer(const BlockRenamer&) = delete;
    BlockRenamer& operator=(const BlockRenamer&) = delete;

    // Waits until more than `seen` renames have an outcome, or until the renamer has finished. Once it
    // has, every rename up to `count` has one.
    Progress waitPast(size_t seen);
    // The progress now, without waiting.
    Progress progress();
    // Once finished: true when every rename of the block was done.
    bool renamedAll() const;
    // Waits for the workers to be through; the outcomes stay. Whatever the renames threw is thrown here.
    void finish();
    // What became of rename i, only for i below the ready count; and for a failed one, why.
    Outcome outcome(size_t i) const { return m_outcomes[i].load(std::memory_order_acquire); }
    const FsResult& result(size_t i) const { return m_results[i]; }

private:
    void runLane();
    // Where each share a thread takes at once begins: at a change of folder, once it has enough renames
    // and no folder of it comes again later.
    void shareOut();
    // Whether the rename at `after` was done; waits while it has no outcome and the block goes on.
    bool waitRenamed(int after);
    void setOutcome(size_t i, Outcome outcome);
    void publish();

    FileSystem& m_fs;
    const std::vector<RenameBlock::Rename>& m_renames;
    const size_t m_count;
    const QElapsedTimer m_since;
    const qint64 m_milliseconds;
    std::vector<FsResult> m_results;
    std::unique_ptr<std::atomic<Outcome>[]> m_outcomes;
    // Where each share a thread takes at once begins, and m_count at the end.
    std::vector<size_t> m_shareStarts;
    std::atomic<size_t> m_nextShare{0};
    std::atomic<bool> m_stop{false};
    std::atomic<size_t> m_renamedCount{0};
    std::atomic<int> m_lanesRunning{0};
    // Counts the signs of progress, for the caller, and a thread waiting for the other, to wait on.
    std::atomic<quint32> m_published{0};
    // The rename a thread waits for, so that the other tells as soon as it has an outcome.
    std::atomic<size_t> m_awaited{SIZE_MAX};
    size_t m_ready = 0;                // the caller's: how far the outcomes are known to stand without a gap
    std::span<WorkerThread> m_started; // the workers that run lanes
};
