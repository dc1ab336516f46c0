#include "core/commit/DirectoryNames.h"

#include "core/platform/FileSystem.h"
#include "core/platform/ParallelRuns.h"

#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace {

// Folders go to the threads in runs of this many: small enough to share out a few thousand evenly.
constexpr size_t kRun = 16;

} // namespace

DirectoryNames::~DirectoryNames()
{
    stopReadAhead();
}

void DirectoryNames::finishReadAhead()
{
    if (m_ahead.joinable())
        m_ahead.join();
}

void DirectoryNames::stopReadAhead()
{
    // The folders it has not begun are left to whoever wants them.
    m_stopAhead = true;
    finishReadAhead();
    m_stopAhead = false;
}

void DirectoryNames::clear()
{
    stopReadAhead();
    m_folders.clear();
}

void DirectoryNames::readAhead(const FileSystem& fs, std::vector<QString> folders, qint64 nowSecs)
{
    stopReadAhead();
    m_aheadUnused = false; // what an earlier one marked is not taken
    if (!fs.readsInParallel() || folders.empty())
        return;
    ++m_aheadNumber;
    m_aheadUnused = true;
    try {
        m_ahead = std::thread([this, &fs, folders = std::move(folders), nowSecs] {
            try {
                read(fs, folders, nowSecs, &m_stopAhead);
            } catch (...) {
                // Nothing is lost: names() reads whatever is missing itself, and meets the problem there.
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had: names() reads the folders itself.
    }
}

std::optional<EntryKind> DirectoryNames::Folder::kindOf(QStringView name, quint32* next, size_t hash) const
{
    const std::optional<quint32> number = next ? names.numberGuessed(name, *next, hash) : names.numberOf(name, hash);
    if (!number || *number >= kinds.size())
        return std::nullopt;
    if (next)
        *next = *number + 1;
    return kinds[*number];
}

void DirectoryNames::readNow(const FileSystem& fs, const std::vector<QString>& folders, qint64 nowSecs)
{
    readAfterAhead(fs, folders, nowSecs);
}

void DirectoryNames::readAfterAhead(const FileSystem& fs, const std::vector<QString>& folders, qint64 nowSecs)
{
    stopReadAhead();
    read(fs, folders, nowSecs, nullptr, std::exchange(m_aheadUnused, false));
}

const DirectoryNames::Folder* DirectoryNames::kept(const QString& folder) const
{
    const auto it = m_folders.find(folder);
    return it != m_folders.cend() && it->readable ? &*it : nullptr;
}

std::vector<const FolderNameSet*> DirectoryNames::names(const FileSystem& fs, const std::vector<QString>& folders,
                                                        qint64 nowSecs)
{
    readAfterAhead(fs, folders, nowSecs);
    // Taken only now that nothing is added any more, which could move what they point at.
    std::vector<const FolderNameSet*> found(folders.size(), nullptr);
    for (size_t i = 0; i < folders.size(); ++i) {
        if (const Folder* folder = kept(folders[i]))
            found[i] = &folder->names;
    }
    return found;
}

void DirectoryNames::read(const FileSystem& fs, const std::vector<QString>& folders, qint64 nowSecs,
                          const std::atomic<bool>* stop, bool takeAhead)
{
    // What each folder needs: nothing when the copy kept is still true, else a fresh read. A read ahead
    // marks the folders it found true or read in a later second than their last change; the call after it
    // takes those as it found them.
    const bool ahead = stop != nullptr;
    const quint64 lookedAhead = ahead ? m_aheadNumber : 0;
    std::vector<std::optional<Folder>> fresh(folders.size());
    std::vector<char> foundTrue(ahead ? folders.size() : 0); // marked once the threads are done
    ParallelRuns runs(kRun);
    const auto look = [&] {
        FolderCursor cursor; // this thread's: folders in list order mostly share their parent
        runs.take(folders.size(), [&](size_t i) {
            if (stop && stop->load(std::memory_order_relaxed))
                return;
            // A folder kept is looked at for a change; any other is read at once, which tells its time too.
            const auto held = m_folders.constFind(folders[i]);
            if (held != m_folders.cend() && held->readable) {
                if (takeAhead && held->lookedAhead == m_aheadNumber)
                    return;
                const qint64 modified = fs.pathInfo(folders[i], &cursor).lastWrite;
                if (held->modified == modified && held->readAt > modified) {
                    if (ahead)
                        foundTrue[i] = 1;
                    return;
                }
            }
            Folder folder;
            folder.readAt = nowSecs;
            folder.readable = fs.readEntryNames(
                folders[i],
                [&folder](const QString& name, EntryKind kind) {
                    // A folder's names differ from each other.
                    if (folder.names.addNew(name))
                        folder.kinds.push_back(kind);
                },
                &folder.modified);
            folder.names.squeeze(); // a set is kept for every folder
            folder.kinds.shrink_to_fit();
            if (folder.readAt > folder.modified)
                folder.lookedAhead = lookedAhead;
            fresh[i] = std::move(folder);
        });
    };
    if (!fs.readsInParallel() || folders.size() <= kRun || !RunOnTwoThreads(look))
        look();
    for (size_t i = 0; i < folders.size(); ++i) {
        if (fresh[i])
            m_folders.insert(folders[i], std::move(*fresh[i]));
        else if (ahead && foundTrue[i])
            m_folders[folders[i]].lookedAhead = lookedAhead;
    }
}
