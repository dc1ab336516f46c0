#pragma once

#include "core/commit/FolderNameSet.h"
#include "core/platform/FileSystem.h"

#include <QHash>
#include <QString>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

// The names on disk in the parent folders of the preview, read once per folder and kept until the folder
// changes. A folder's modification time tells of every entry added, removed or renamed in it; since it
// counts whole seconds, a read in the same second as the last change is read again next time.
class DirectoryNames
{
public:
    // One folder as read.
    struct Folder
    {
        FolderNameSet names;
        std::vector<EntryKind> kinds; // what the listing told of each name, by its number
        qint64 modified = 0;
        qint64 readAt = 0;
        quint64 lookedAhead = 0; // the number of the last read ahead that found it true or read it
        bool readable = false;

        // What the listing told of the entry of that name; nothing when the folder holds none. next, when
        // given, is the number of the name expected (the one after the name asked for last), and learns
        // the next one. hash, when not 0, is the name's FolderNameSet::hashOf.
        std::optional<EntryKind> kindOf(QStringView name, quint32* next = nullptr, size_t hash = 0) const;
    };

    DirectoryNames() = default;
    DirectoryNames(const DirectoryNames&) = delete;
    DirectoryNames& operator=(const DirectoryNames&) = delete;
    ~DirectoryNames();

    // The names in each folder (a path ending in one separator); nullptr for one that cannot be read.
    // nowSecs is the clock's reading, seconds since the epoch. The folders are looked at on two threads
    // where the file system allows it. The pointers stay valid until the next call.
    std::vector<const FolderNameSet*> names(const FileSystem& fs, const std::vector<QString>& folders, qint64 nowSecs);
    // Starts reading the folders on a thread of its own, for a later call of names() that may want them:
    // the next call of names() or readNow() takes the folders it read or found unchanged as they were
    // then, without looking at them again (a folder read in the second of its last change excepted);
    // later calls look again. So it is started just before that call is due. The next call of names(),
    // readNow() or clear() stops it after the folders it is reading, and reads what it still wants itself.
    // Only where the file system allows reading in parallel; the file system must outlive the read.
    void readAhead(const FileSystem& fs, std::vector<QString> folders, qint64 nowSecs);
    // Waits until a read ahead has read all its folders.
    void finishReadAhead();
    // Reads the folders not kept (or changed since) now, as names() does, without handing them out. A
    // read ahead under way stops first.
    void readNow(const FileSystem& fs, const std::vector<QString>& folders, qint64 nowSecs);
    // A folder as last read, if it could be; valid until the next read. Several threads may ask at once
    // while nothing is read.
    const Folder* kept(const QString& folder) const;
    // Forgets every folder: after renames of our own, which may fall in the second of an earlier read.
    void clear();

private:
    // stop, given by a read ahead alone, makes the read leave the folders it has not begun. takeAhead:
    // what the last read ahead marked is taken as it found it.
    void read(const FileSystem& fs, const std::vector<QString>& folders, qint64 nowSecs,
              const std::atomic<bool>* stop = nullptr, bool takeAhead = false);
    // read() for names() and readNow(): what the last read ahead marked is taken as it found it, once.
    void readAfterAhead(const FileSystem& fs, const std::vector<QString>& folders, qint64 nowSecs);
    void stopReadAhead();

    QHash<QString, Folder> m_folders;
    std::thread m_ahead; // a read ahead under way; it alone touches m_folders until joined
    std::atomic<bool> m_stopAhead{false};
    quint64 m_aheadNumber = 0;  // of the last read ahead
    bool m_aheadUnused = false; // no call took what the last read ahead looked at yet
};
