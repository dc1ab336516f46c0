#include "core/commit/BlockRenamer.h"

#include "core/platform/WorkerThread.h"

#include <thread>

namespace {

// A single rename runs at once: a thread would only add its start to it.
constexpr size_t kThreadFrom = 2;
// The caller hears of the outcomes in steps of this many, so waking it costs next to nothing.
constexpr size_t kPublishEvery = 64;
constexpr qint64 kBlockMilliseconds = 1000;

} // namespace

BlockRenamer::BlockRenamer(FileSystem& fs, const std::vector<RenameBlock::Rename>& renames, size_t count,
                           const QElapsedTimer& since, WorkerThread& worker)
    : m_fs(fs)
    , m_renames(renames)
    , m_count(std::min(count, renames.size()))
    , m_since(since)
    , m_results(m_count)
    , m_renamed(m_count, 0)
{
    if (m_fs.readsInParallel() && m_count >= kThreadFrom && worker.start([this] { run(); })) {
        m_worker = &worker;
        // The caller goes on planning the next block at once; handing over the processor first lets the
        // renames start now, should the worker wake up on this one.
        std::this_thread::yield();
        return;
    }
    // No thread to be had: the renames run here, only slower.
    run();
}

BlockRenamer::~BlockRenamer()
{
    try {
        finish();
    } catch (...) {
        // Only when the caller is on its way out already; else it finished first and heard of it.
    }
}

void BlockRenamer::finish()
{
    if (WorkerThread* worker = std::exchange(m_worker, nullptr))
        worker->wait();
}

BlockRenamer::Progress BlockRenamer::waitPast(size_t seen)
{
    quint32 progress = m_progress.load(std::memory_order_acquire);
    while (progress / 2 <= seen && (progress & 1) == 0) {
        m_progress.wait(progress, std::memory_order_acquire);
        progress = m_progress.load(std::memory_order_acquire);
    }
    return {static_cast<size_t>(progress / 2), (progress & 1) != 0};
}

BlockRenamer::Progress BlockRenamer::progress() const
{
    const quint32 progress = m_progress.load(std::memory_order_acquire);
    return {static_cast<size_t>(progress / 2), (progress & 1) != 0};
}

void BlockRenamer::publish(size_t ready, bool finished)
{
    m_progress.store(static_cast<quint32>(ready * 2 + (finished ? 1 : 0)), std::memory_order_release);
    m_progress.notify_all();
}

void BlockRenamer::run()
{
    size_t i = 0;
    size_t failures = 0;
    // Whoever waits must hear that the renamer stopped, even when it stopped by throwing; the renames from
    // i on have no outcome then.
    struct Finished
    {
        BlockRenamer& renamer;
        const size_t& at;
        ~Finished() { renamer.publish(at, true); }
    } finished{*this, i};
    FolderCursor cursor; // most renames of a block are in one folder
    for (; i < m_count; ++i) {
        const RenameBlock::Rename& r = m_renames[i];
        // The folder above kept its name: this folder is not where the rename expects it.
        if (r.after >= 0 && !m_renamed[static_cast<size_t>(r.after)])
            break;
        if (r.nameAllowed) {
            m_results[i] = m_fs.renameFolder(r.oldPath, r.newPath, &cursor);
            m_renamed[i] = m_results[i].ok() ? 1 : 0;
        }
        failures += m_renamed[i] ? 0 : 1;
        if ((i + 1) % kPublishEvery == 0)
            publish(i + 1, false);
        if (m_since.elapsed() >= kBlockMilliseconds) {
            ++i;
            break;
        }
    }
    m_renamedAll = i == m_renames.size() && failures == 0;
}
