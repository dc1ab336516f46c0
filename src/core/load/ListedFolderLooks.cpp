#include "core/load/ListedFolderLooks.h"

#include "core/commit/DirectoryNames.h"
#include "core/preview/LookAhead.h"

#include <algorithm>
#include <utility>

namespace {

// Chunks resolved and waiting for their look, at most: enough to read tens of thousands of folders of the
// list while the first large folder is read, little next to the rows they become.
constexpr size_t kWaitingMost = 16;

} // namespace

ListedFolderLooks::ListedFolderLooks(const FileSystem& fs, Options options)
    : m_fs(fs)
    , m_options(std::move(options))
    , m_listings(m_options.mounts.roots.isEmpty() ? nullptr : m_options.listings)
{
    for (const QString& root : m_options.mounts.roots)
        m_holdingMounts.insert(root.left(root.lastIndexOf(QLatin1Char('/'), -2) + 1));
}

ListedFolderLooks::~ListedFolderLooks()
{
    m_cancelled = true;
    try {
        m_looker.wait();
    } catch (...) {
        // Only when the caller is on its way out already.
    }
}

void ListedFolderLooks::lookAt(Chunk& chunk)
{
    DirectoryNames* const listings = m_listings;
    // Whichever thread comes first reads the chunk's parents; the other waits for it.
    if (listings && !chunk.parents.empty()) {
        const std::lock_guard lock(chunk.parentsMutex);
        if (!chunk.parentsRead)
            listings->readNow(m_fs, chunk.parents, m_options.nowSecs);
        chunk.parentsRead = true;
    }
    FolderCursor cursor; // this thread's: listed folders mostly share their parent
    QStringView lastParent;
    const DirectoryNames::Folder* listing = nullptr; // of lastParent
    quint32 next = 0;     // in the listing: a list made from listings names the folders in their order
    bool guessed = false; // the last folder stood where that order put it
    // Folders in another order are looked for in the listing a few ahead (a big folder's listing lies
    // far apart in memory). The name's hash is the same whichever listing it is looked for in. The last
    // few asked for in a run of 64 go unused when the other core takes the next run.
    LookAhead hashOf(chunk.folders.size(), [&](size_t i) -> size_t {
        if (!listing || guessed)
            return size_t(0);
        const QString& folder = chunk.folders[i];
        return listing->names.hashAhead(QStringView(folder).sliced(folder.lastIndexOf(QLatin1Char('/')) + 1));
    });
    chunk.looks.take(chunk.folders.size(), [&](size_t i) {
        const QString& folder = chunk.folders[i];
        const size_t hash = hashOf(i);
        if (folder.isEmpty() || m_cancelled.load(std::memory_order_relaxed))
            return;
        if (listings) {
            const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
            const QStringView parent = QStringView(folder).first(slash + 1);
            if (parent != lastParent) {
                lastParent = parent;
                const QString text = parent.toString();
                listing = m_holdingMounts.contains(text) ? nullptr : listings->kept(text);
                next = 0;
            }
            const quint32 expected = next;
            if (listing && listing->kindOf(QStringView(folder).sliced(slash + 1), &next, hash) == EntryKind::Folder) {
                guessed = next == expected + 1;
                chunk.infos[i].type = PathInfo::Type::Folder;
                return;
            }
        }
        chunk.infos[i] = m_fs.pathInfo(folder, &cursor);
        const PathInfo& info = chunk.infos[i];
        if (m_options.readFolders && info.type == PathInfo::Type::Folder && !info.isLink && !info.isRoot)
            chunk.scans[i] = m_fs.scanFolder(folder);
    });
}

bool ListedFolderLooks::lookingOn() const
{
    return m_lookerStarted && !m_lookerDone.load(std::memory_order_acquire);
}

void ListedFolderLooks::push(std::unique_ptr<Chunk> chunk, const std::function<void(Chunk&)>& add)
{
    chunk->infos.resize(chunk->paths.size());
    chunk->scans.resize(chunk->paths.size());
    if (m_listings) {
        // Siblings mostly follow each other. A parent that holds a mount is not read: its folders are
        // looked at one by one.
        QStringView last;
        for (const QString& folder : chunk->folders) {
            const QStringView parent = QStringView(folder).first(std::max<qsizetype>(folder.lastIndexOf(u'/') + 1, 0));
            if (parent.isEmpty() || parent == last)
                continue;
            last = parent;
            QString text = parent.toString();
            if (!m_holdingMounts.contains(text) && !m_parentsRead.contains(text)) {
                m_parentsRead.insert(text);
                chunk->parents.push_back(std::move(text));
            }
        }
    }
    m_waiting.push_back(std::move(chunk));
    if (m_listings && m_options.prepare && lookingOn())
        m_options.prepare(*m_waiting.back());
    if (m_waiting.size() < kWaitingMost && lookingOn())
        return;
    advance(add);
}

void ListedFolderLooks::advance(const std::function<void(Chunk&)>& add)
{
    if (m_looked)
        lookAt(*m_looked); // whatever the other core has not taken yet
    m_lookerStarted = false;
    m_looker.wait();
    std::unique_ptr<Chunk> ready = std::exchange(m_looked, nullptr);
    if (!m_waiting.empty()) {
        m_looked = std::move(m_waiting.front());
        m_waiting.pop_front();
        if (m_fs.readsInParallel()) {
            m_lookerDone = false;
            m_freeing = std::move(m_spent);
            m_lookerStarted = m_looker.start([this, chunk = m_looked.get()] {
                m_freeing.reset(); // before the look, which this core may come to help with
                lookAt(*chunk);
                m_lookerDone.store(true, std::memory_order_release);
            });
            // No thread to be had: this core looks at the chunk itself, next time round.
            if (!m_lookerStarted)
                m_freeing.reset();
        }
    }
    if (ready) {
        add(*ready);
        m_spent = std::move(ready);
    }
}

void ListedFolderLooks::finish(const std::function<void(Chunk&)>& add)
{
    while (!m_waiting.empty() || m_looked)
        advance(add);
}
