#pragma once

#include "core/platform/FileSystem.h"

#include <QString>
#include <atomic>
#include <functional>
#include <vector>

enum class TransferMode { Copy, Move, Trash, Delete };

// The answer when a target exists already: nothing is ever overwritten.
enum class ConflictAnswer { Skip, SkipAll, Cancel };

struct TransferProgress
{
    qint64 bytesDone = 0;
    qint64 bytesTotal = 0;
    int itemsDone = 0; // folders, files and links
    int itemsTotal = 0;
    QString current; // the top folder being worked on
};

// One folder to copy, move or delete: full paths without a trailing separator. Trash and Delete use only
// the source.
struct TransferItem
{
    QString source;
    QString destination;
};

struct TransferResult
{
    enum class State { NotReached, Done, Skipped, Failed, Cancelled };
    State state = State::NotReached;
    FsResult error;                // the first failure, for Failed
    bool intoItself = false;       // Failed: the target lies inside the source
    bool copyDiffers = false;      // Failed: a move's copy did not match its source; the source is kept
    bool sourceLeftBehind = false; // Failed: a move's copy is complete, but the source could not be removed whole
};

struct TransferReport
{
    std::vector<TransferResult> results; // one per item, in order
    bool cancelled = false;

    int count(TransferResult::State state) const;
};

// Copies, moves or deletes whole folder trees through the FileSystem service, one item after the other,
// and may run on a worker thread: cancel() can come from any thread. A copy keeps permissions and times
// and copies links as links; it is built under a temporary name next to its target and takes the target
// name only when complete, so a cancelled or failed copy leaves nothing under the target name and its
// half is removed. A move is a rename on one file system; across file systems it is a copy that is
// compared with its source before the source is deleted, and once the source is being deleted it is
// finished, so a folder is never left half here and half there. Deleting for good removes the tree
// entry by entry without ever following a link; to the trash it goes whole.
class FolderTransfer
{
public:
    struct Hooks
    {
        std::function<void(const TransferProgress&)> progress;         // after every entry
        std::function<ConflictAnswer(const QString& target)> conflict; // the target path exists
    };

    FolderTransfer(FileSystem& fs, TransferMode mode, std::vector<TransferItem> items);

    TransferReport run(const Hooks& hooks);
    void cancel() { m_cancel.store(true); }
    bool cancelRequested() const { return m_cancel.load(); }

private:
    enum class Step { Ok, Failed, Cancelled };
    // Deleting for good is cancellable and counted; the half of a copy is made writable as it goes (its
    // read-only folders got their bits from the source); a moved source is removed to the end.
    enum class Removal { Delete, OwnCopy, MovedSource };

    void measure(const QString& path);
    TransferResult transfer(const TransferItem& item);
    TransferResult copyInto(const TransferItem& item, bool moving);
    Step copyEntry(const QString& source, FolderItem::Kind kind, const QString& target, qint64 size);
    Step removeEntry(const QString& path, FolderItem::Kind kind, qint64 size, Removal removal);
    // Counts an entry as done and reports it.
    void advance(qint64 bytes);
    Step fail(const FsResult& result);
    FolderItem::Kind kindOf(const QString& path) const;

    FileSystem& m_fs;
    TransferMode m_mode;
    std::vector<TransferItem> m_items;
    std::atomic<bool> m_cancel{false};
    const Hooks* m_hooks = nullptr;
    TransferProgress m_progress;
    FsResult m_error;
    bool m_skipAll = false;
};
