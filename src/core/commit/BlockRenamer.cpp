#include "core/commit/BlockRenamer.h"

#include "core/platform/SharedText.h"
#include "core/platform/WorkerThread.h"

#include <QHash>
#include <thread>

namespace {

// A single rename runs at once: a thread would only add its start to it.
constexpr size_t kThreadFrom = 2;
// A thread takes the renames of whole folders, at least this many at a time: enough to keep the two
// threads from meeting at every rename, few enough to share a block of small folders evenly.
constexpr size_t kShareRenames = 32;
// The caller hears of the outcomes in steps of this many, so waking it costs next to nothing.
constexpr size_t kPublishEvery = 64;
// A thread waiting for the other's rename first hands over the processor this often: the rename is
// mostly under way and over within microseconds. Then it sleeps until told.
constexpr int kYields = 16;

bool sameFolder(const QString& a, const QString& b)
{
    return IsSharedText(a, b) || a == b;
}

} // namespace

BlockRenamer::BlockRenamer(FileSystem& fs, const std::vector<RenameBlock::Rename>& renames, size_t count,
                           const QElapsedTimer& since, std::span<WorkerThread> workers, qint64 milliseconds)
    : m_fs(fs)
    , m_renames(renames)
    , m_count(std::min(count, renames.size()))
    , m_since(since)
    , m_milliseconds(milliseconds)
    , m_results(m_count)
    , m_outcomes(std::make_unique<std::atomic<Outcome>[]>(m_count))
{
    for (size_t i = 0; i < m_count; ++i)
        m_outcomes[i].store(Outcome::Pending, std::memory_order_relaxed);
    shareOut();

    const bool threads = m_fs.readsInParallel() && m_count >= kThreadFrom && !workers.empty();
    // Renames in one folder wait for each other in the system, so a second thread only serves a block
    // that reaches into several.
    const size_t lanes = !threads ? 0 : m_shareStarts.size() > 2 ? std::min<size_t>(workers.size(), 2) : 1;
    m_lanesRunning.store(static_cast<int>(std::max<size_t>(lanes, 1)), std::memory_order_relaxed);
    size_t started = 0;
    while (started < lanes && workers[started].start([this] { runLane(); }))
        ++started;
    m_started = workers.first(started);
    if (started > 0) {
        // A lane that could not start takes nothing away from the ones that did.
        m_lanesRunning.fetch_sub(static_cast<int>(lanes - started), std::memory_order_acq_rel);
        // The caller goes on planning the next block at once; handing over the processor first lets the
        // renames start now, should a worker wake up on this one.
        std::this_thread::yield();
        return;
    }
    // No thread to be had: the renames run here, only slower.
    m_lanesRunning.store(1, std::memory_order_relaxed);
    runLane();
}

BlockRenamer::~BlockRenamer()
{
    // The caller is on its way out before the end: what has not started yet stays undone.
    m_stop.store(true);
    try {
        finish();
    } catch (...) {
        // Only when the caller is on its way out already; else it finished first and heard of it.
    }
}

void BlockRenamer::finish()
{
    std::exception_ptr failed;
    for (WorkerThread& worker : std::exchange(m_started, {})) {
        try {
            worker.wait();
        } catch (...) {
            if (!failed)
                failed = std::current_exception();
        }
    }
    if (failed)
        std::rethrow_exception(failed);
}

BlockRenamer::Progress BlockRenamer::waitPast(size_t seen)
{
    for (;;) {
        // Read before looking, so that news arriving in between ends the wait at once.
        const quint32 published = m_published.load(std::memory_order_acquire);
        const Progress p = progress();
        if (p.ready > seen || p.finished)
            return p;
        m_published.wait(published, std::memory_order_acquire);
    }
}

BlockRenamer::Progress BlockRenamer::progress()
{
    if (m_lanesRunning.load(std::memory_order_acquire) == 0) {
        for (; m_ready < m_count; ++m_ready) {
            if (outcome(m_ready) == Outcome::Pending)
                m_outcomes[m_ready].store(Outcome::NotRun, std::memory_order_relaxed);
        }
        return {m_ready, true};
    }
    while (m_ready < m_count && outcome(m_ready) != Outcome::Pending)
        ++m_ready;
    return {m_ready, false};
}

bool BlockRenamer::renamedAll() const
{
    return m_count == m_renames.size() && m_renamedCount.load(std::memory_order_acquire) == m_count;
}

void BlockRenamer::publish()
{
    m_published.fetch_add(1, std::memory_order_release);
    m_published.notify_all();
}

void BlockRenamer::shareOut()
{
    // The last rename in each folder; a folder's renames mostly come in one run, looked up once.
    QHash<QString, size_t> lastIn;
    for (size_t i = 0; i < m_count; ++i) {
        if (i + 1 == m_count || !sameFolder(m_renames[i].parentPath, m_renames[i + 1].parentPath))
            lastIn.insert(m_renames[i].parentPath, i);
    }
    m_shareStarts.push_back(0);
    size_t reach = 0; // the last rename of the folders so far
    for (size_t i = 0; i < m_count; ++i) {
        if (i > 0 && sameFolder(m_renames[i - 1].parentPath, m_renames[i].parentPath))
            continue;
        if (i > reach && i - m_shareStarts.back() >= kShareRenames)
            m_shareStarts.push_back(i);
        reach = std::max(reach, lastIn.value(m_renames[i].parentPath));
    }
    m_shareStarts.push_back(m_count);
}

bool BlockRenamer::waitRenamed(int after)
{
    const size_t awaited = static_cast<size_t>(after);
    for (int round = 0;; ++round) {
        // Read before looking, so that news arriving in between ends the wait at once.
        const quint32 published = m_published.load();
        const Outcome done = m_outcomes[awaited].load();
        if (done != Outcome::Pending)
            return done == Outcome::Renamed;
        // The other thread stopped before it: it never comes.
        if (m_stop.load())
            return false;
        if (round < kYields) {
            std::this_thread::yield();
            continue;
        }
        // The other thread looks whether this one waits after each outcome it sets (setOutcome): either
        // it sees that, or the look below sees the outcome.
        m_awaited.store(awaited);
        if (m_outcomes[awaited].load() == Outcome::Pending && !m_stop.load())
            m_published.wait(published);
    }
}

void BlockRenamer::setOutcome(size_t i, Outcome outcome)
{
    m_outcomes[i].store(outcome);
    if (m_awaited.load() == i)
        publish();
}

void BlockRenamer::runLane()
{
    size_t renamed = 0;
    // Whoever waits must hear that the lane stopped, even when it stopped by throwing.
    struct Finished
    {
        BlockRenamer& renamer;
        const size_t& renamed;
        ~Finished()
        {
            renamer.m_renamedCount.fetch_add(renamed, std::memory_order_relaxed);
            renamer.m_lanesRunning.fetch_sub(1, std::memory_order_acq_rel);
            renamer.publish();
        }
    } finished{*this, renamed};
    FolderCursor cursor; // most renames of a share are in one folder
    size_t unpublished = 0;
    try {
        for (size_t share; !m_stop.load(std::memory_order_relaxed) &&
                           (share = m_nextShare.fetch_add(1, std::memory_order_relaxed)) + 1 < m_shareStarts.size();) {
            for (size_t i = m_shareStarts[share]; i < m_shareStarts[share + 1]; ++i) {
                const RenameBlock::Rename& r = m_renames[i];
                // The folder above kept its name: this folder is not where the rename expects it.
                if ((r.after >= 0 && !waitRenamed(r.after)) || m_stop.load(std::memory_order_relaxed)) {
                    m_stop.store(true);
                    break;
                }
                Outcome outcome = Outcome::Failed;
                if (r.nameAllowed) {
                    m_results[i] = m_fs.renameFolder(r.oldPath, r.newPath, &cursor);
                    if (m_results[i].ok()) {
                        outcome = Outcome::Renamed;
                        ++renamed;
                    }
                }
                setOutcome(i, outcome);
                if (++unpublished == kPublishEvery) {
                    unpublished = 0;
                    publish();
                }
                if (m_since.elapsed() >= m_milliseconds) {
                    m_stop.store(true);
                    break;
                }
            }
        }
    } catch (...) {
        // The other lane must not wait for renames this one will not do.
        m_stop.store(true);
        throw;
    }
}
