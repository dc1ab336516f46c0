#pragma once

#include "core/load/FolderExpansion.h"
#include "core/platform/FileSystem.h"
#include "core/platform/ParallelRuns.h"
#include "core/platform/WorkerThread.h"
#include "core/preview/FolderEntry.h"

#include <QSet>
#include <QString>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class DirectoryNames;

// Looks at the folders a list file names, a chunk at a time, on the other core, while the caller adds the
// chunks looked at before in their order. The caller hands over each chunk once its paths are resolved
// and goes on reading the list while the other core looks, a few chunks ahead; once that many wait, it
// helps with the look under way.
//
// A folder is looked at (PathInfo), and read as well when sizes are measured: the size walk then finds
// it read. With parent listings, a folder is found in the listing of its parent instead, read once for
// all the folders in it.
class ListedFolderLooks
{
public:
    static constexpr size_t kChunk = 4096; // paths a chunk holds at most

    struct Chunk
    {
        std::vector<QString> paths;
        std::vector<QString> folders;                 // resolved; empty where nothing can be resolved
        std::vector<PathInfo> infos;                  // type Missing where not looked at
        std::vector<std::optional<FolderScan>> scans; // where sizes are measured
        std::vector<std::optional<FolderEntry>> rows; // made ahead by the caller (Options::prepare)

    private:
        friend class ListedFolderLooks;
        std::vector<QString> parents; // of the folders, whose listings no chunk before read
        // The first thread to come reads the parents; should that throw, the next one tries again.
        std::mutex parentsMutex;
        bool parentsRead = false;
        ParallelRuns looks{64}; // shares the looking out among the cores, 64 folders at a time
    };

    struct Options
    {
        bool readFolders = false; // for their sizes
        // Where listings are kept (and read), null for a look at each folder.
        DirectoryNames* listings = nullptr;
        // With listings: the mounts of the computer. A folder that holds a mount lists the mount root as
        // any folder, so its folders are looked at one by one; without a mount table no listing is used.
        MountPoints mounts;
        qint64 nowSecs = 0;
        // With listings: called with each chunk handed over while the other core looks at an earlier
        // one, for the work that needs no look (the rows, made as if each path names a folder). That
        // core reads a big folder's listing meanwhile.
        std::function<void(Chunk&)> prepare;
    };

    ListedFolderLooks(const FileSystem& fs, Options options);
    // Waits for a look under way; whatever it threw is lost then.
    ~ListedFolderLooks();
    ListedFolderLooks(const ListedFolderLooks&) = delete;
    ListedFolderLooks& operator=(const ListedFolderLooks&) = delete;

    // Takes the next chunk; add hears of the chunks whose look has ended, in order, and may throw.
    void push(std::unique_ptr<Chunk> chunk, const std::function<void(Chunk&)>& add);
    // Hands every chunk still waiting or looked at to add, in order.
    void finish(const std::function<void(Chunk&)>& add);
    // The looks still to come are left, reads of large folders included.
    void cancel() { m_cancelled = true; }

private:
    void lookAt(Chunk& chunk);
    // Once the look under way has ended, the next waiting chunk is looked at and the one before added.
    void advance(const std::function<void(Chunk&)>& add);
    bool lookingOn() const;

    const FileSystem& m_fs;
    const Options m_options;
    DirectoryNames* const m_listings; // of the options, unless no mount table tells the roots
    QSet<QString> m_holdingMounts;    // folders with a mount root in them, one trailing separator
    std::deque<std::unique_ptr<Chunk>> m_waiting;
    // Every parent a chunk reads: a listing is read once for the whole list, even of a folder that
    // changes while it loads (a list file written into it just before).
    QSet<QString> m_parentsRead;
    std::unique_ptr<Chunk> m_looked; // the chunk the other core looks at
    // The chunk added last, and the one the other core lets go at the start of its next look: that spares
    // this core the freeing of thousands of paths. The other core touches m_freeing only in its job.
    std::unique_ptr<Chunk> m_spent;
    std::unique_ptr<Chunk> m_freeing;
    WorkerThread m_looker;
    bool m_lookerStarted = false;
    std::atomic<bool> m_lookerDone{true};
    std::atomic<bool> m_cancelled{false};
};
