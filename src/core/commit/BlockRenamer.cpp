#include "core/commit/BlockRenamer.h"

#include <system_error>

namespace {

// A single rename runs at once: a thread would only add its start to it.
constexpr size_t kThreadFrom = 2;
// The caller hears of the outcomes in steps of this many, so waking it costs next to nothing.
constexpr size_t kPublishEvery = 64;
constexpr qint64 kBlockMilliseconds = 1000;

} // namespace

BlockRenamer::BlockRenamer(FileSystem& fs, const std::vector<RenameBlock::Rename>& renames, size_t count,
                           const QElapsedTimer& since)
    : m_fs(fs)
    , m_renames(renames)
    , m_count(std::min(count, renames.size()))
    , m_since(since)
    , m_results(m_count)
    , m_renamed(m_count, 0)
{
    if (m_fs.readsInParallel() && m_count >= kThreadFrom) {
        try {
            m_thread = std::thread([this] { run(); });
            // The scheduler tends to queue a new thread behind the one that made it, and the caller goes
            // on planning the next block at once: the renames would wait for it up to a few milliseconds
            // a block. Handing over the processor lets them start now.
            std::this_thread::yield();
            return;
        } catch (const std::system_error&) {
            // No thread to be had: the renames run here, only slower.
        }
    }
    run();
}

BlockRenamer::~BlockRenamer()
{
    finish();
}

void BlockRenamer::finish()
{
    if (m_thread.joinable())
        m_thread.join();
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
    publish(i, true);
}
