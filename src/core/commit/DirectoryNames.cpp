#include "core/commit/DirectoryNames.h"

#include "core/platform/FileSystem.h"
#include "core/platform/ParallelRuns.h"

#include <optional>
#include <system_error>
#include <thread>

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
    if (!fs.readsInParallel() || folders.empty())
        return;
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

std::vector<const FolderNameSet*> DirectoryNames::names(const FileSystem& fs, const std::vector<QString>& folders,
                                                        qint64 nowSecs)
{
    stopReadAhead();
    read(fs, folders, nowSecs);
    // Taken only now that nothing is added any more, which could move what they point at.
    std::vector<const FolderNameSet*> found(folders.size(), nullptr);
    for (size_t i = 0; i < folders.size(); ++i) {
        const auto it = std::as_const(m_folders).find(folders[i]);
        if (it != m_folders.cend() && it->readable)
            found[i] = &it->names;
    }
    return found;
}

void DirectoryNames::read(const FileSystem& fs, const std::vector<QString>& folders, qint64 nowSecs,
                          const std::atomic<bool>* stop)
{
    // What each folder needs: nothing when the copy kept is still true, else a fresh read.
    std::vector<std::optional<Folder>> fresh(folders.size());
    ParallelRuns runs(kRun);
    const auto look = [&] {
        FolderCursor cursor; // this thread's: folders in list order mostly share their parent
        runs.take(folders.size(), [&](size_t i) {
            if (stop && stop->load(std::memory_order_relaxed))
                return;
            const qint64 modified = fs.pathInfo(folders[i], &cursor).lastWrite;
            const auto kept = std::as_const(m_folders).find(folders[i]);
            if (kept != m_folders.cend() && kept->readable && kept->modified == modified && kept->readAt > modified)
                return;
            Folder folder;
            folder.modified = modified;
            folder.readAt = nowSecs;
            folder.readable = fs.readEntryNames(folders[i], [&folder](const QString& name) { folder.names.add(name); });
            folder.names.squeeze(); // a set is kept for every folder
            fresh[i] = std::move(folder);
        });
    };
    if (!fs.readsInParallel() || folders.size() <= kRun || !RunOnTwoThreads(look))
        look();
    for (size_t i = 0; i < folders.size(); ++i) {
        if (fresh[i])
            m_folders.insert(folders[i], std::move(*fresh[i]));
    }
}
