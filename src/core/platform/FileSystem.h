#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

class QFileDevice;

class AppendFile;

// The outcome of a file-system operation that can fail. The kind lets callers pick their message; the
// system text is the operating system's own description of the error. Dropping one unread would hide a
// failed write or rename, so the compiler refuses it.
struct [[nodiscard]] FsResult
{
    enum class Kind { Ok, NotFound, TargetExists, Access, NotRegularFile, TooLarge, CrossDevice, Other };

    Kind kind = Kind::Ok;
    QString systemText;

    bool ok() const { return kind == Kind::Ok; }
    static FsResult success() { return {}; }
    static FsResult failure(Kind kind, const QString& text) { return {kind, text}; }
};

// A file read whole, or why it was not: a failed read has no bytes.
struct FileRead
{
    FsResult result;
    QByteArray bytes;

    bool ok() const { return result.ok(); }
};

// Times of a folder, in local time, whole seconds. created is invalid when the file system keeps no
// birth time.
struct FolderTimes
{
    QDateTime created;
    QDateTime lastAccess;
    QDateTime lastWrite;
};

// What one look at a path tells: enough for loading a folder without asking the file system again.
// Times are seconds since the epoch: turning each into a local QDateTime costs a look at the time zone
// file, too much for every folder of a large load (LocalTime formats them).
struct PathInfo
{
    static constexpr qint64 kUnknownTime = std::numeric_limits<qint64>::min();

    enum class Type { Missing, File, Folder };
    Type type = Type::Missing;     // what the path names, symbolic links followed
    bool isLink = false;           // the path itself is a symbolic link
    bool isRoot = false;           // "/" or the root of a mounted volume; a link is never a root
    qint64 created = kUnknownTime; // kUnknownTime where the file system keeps no birth time
    qint64 lastWrite = kUnknownTime;
    qint64 lastAccess = kUnknownTime;
    // The folder holds no subfolder, as its link count proves on a file system that counts a link for
    // each subfolder: a walk need not read it. False where that is not known.
    bool holdsNoFolder = false;
};

// The path of name in folder, with one separator between them, in a text of just that size.
inline QString PathInFolder(QStringView folder, QStringView name)
{
    QString path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (!folder.endsWith(u'/'))
        path.append(u'/');
    return path.append(name);
}

struct SubfolderInfo
{
    QString name;
    bool isLink = false; // a symbolic link to a folder: listed, but a walk must never go through it
    // What scanFolder learned of the subfolder in passing (type Missing where it did not look), so a
    // walk need not ask again for every folder.
    PathInfo info;

    // The full path, no trailing separator, given the folder that was read. Not kept: a folder of a
    // million subfolders would hold a million paths besides their names.
    QString pathIn(QStringView folder) const { return PathInFolder(folder, name); }
};

struct FileInfo
{
    QString name;
    QString path;
    qint64 size = 0;
    QDateTime created; // invalid when unknown
    QDateTime lastWrite;
    QDateTime lastAccess;
};

// One pass over a folder: its direct subfolders in the order the file system gives them, and the bytes of
// the regular files directly inside it. A symbolic link to a folder is listed with isLink set; links to
// files are not counted, so a walk that skips linked folders measures every byte once and cannot loop.
struct FolderScan
{
    bool readable = false;
    QList<SubfolderInfo> subfolders;
    qint64 fileBytes = 0;
    quint64 device = 0; // the volume the folder is on (0 when unknown), so size walks can stay on one
};

// One entry of a folder as it is, links not followed: what a tree copy needs to copy it faithfully.
struct FolderItem
{
    enum class Kind { Folder, File, Link, Other }; // Other: a device, pipe or socket
    QString name;
    QString path;
    Kind kind = Kind::Other;
    qint64 size = 0; // bytes of a regular file
};

// Owner, group and permission bits, for showing a folder's properties.
struct FolderOwnership
{
    QString owner;
    QString group;
    uint permissions = 0; // the mode bits 07777
};

// Attribute bits as the rest of the program counts them.
enum FolderAttribute { AttrReadOnly = 1, AttrHidden = 2, AttrArchive = 32 };

// How an AppendFile takes the exclusive advisory lock of its file.
enum class AppendLock {
    PerRecord,  // for each append, let go after it: appenders and rewriters take turns
    Held,       // on opening (waiting for it), held until the file is closed: one owner at a time
    HeldIfFree, // as Held, but opening fails at once when another process holds the lock
};

enum class FolderTimeKind { Created = 1, LastWrite = 2, LastAccess = 3 };

// What a folder's listing tells of an entry without a look at it.
enum class EntryKind : quint8 {
    Unknown, // the file system does not say
    Folder,  // a real folder, no link
    Link,    // a symbolic link, to whatever
    Other,   // a file or anything else
};

// What one thread keeps between many renames or looks in mostly the same folders: the file system may
// hold the folder of the last one open in it (and folders above it), so that the next one in that
// folder, or below one of them, need not look the whole path up again. Not copied: two cursors would
// share what they hold.
struct FolderCursor
{
    FolderCursor() = default;
    FolderCursor(const FolderCursor&) = delete;
    FolderCursor& operator=(const FolderCursor&) = delete;
    FolderCursor(FolderCursor&&) = default;
    FolderCursor& operator=(FolderCursor&&) = default;
    ~FolderCursor() = default;

    QString folder;               // the path the folder was opened by, ending in a separator
    std::shared_ptr<void> handle; // the file system's own; empty until the first look
};

// Everything the program asks of the operating system's file system. Paths are full paths; a trailing
// separator on a folder path is ignored. PosixFileSystem is the real one; tests may wrap it in a
// fault-injecting decorator.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // Renames a folder (or a symbolic link to one) in place. Never replaces an existing file or folder.
    FsResult renameFolder(const QString& oldPath, const QString& newPath)
    {
        return renameFolder(oldPath, newPath, nullptr);
    }
    // The same for one of many renames on one thread, which keeps the cursor between them. The outcome
    // is the same as without it; a rename in the folder of the one before is only quicker.
    virtual FsResult renameFolder(const QString& oldPath, const QString& newPath, FolderCursor* cursor) = 0;

    virtual bool folderExists(const QString& path) const = 0;
    virtual bool fileExists(const QString& path) const = 0;
    // True for "/" and for the root of every mounted volume.
    virtual bool isRoot(const QString& path) const = 0;
    // The absolute, cleaned form of a path as given (symbolic links are not resolved).
    virtual QString absolutePath(const QString& path) const = 0;
    // The path as the kernel means it: the folder that holds it resolved through every link (so "x/lk/.."
    // is the parent of lk's target, not x), the last name kept as given, so a link to a folder stays that
    // link. A path that ends in "." or ".." is resolved whole. Empty when the holding folder cannot be
    // resolved (it does not exist).
    virtual QString resolvedPath(const QString& path) const = 0;

    // Creates one level.
    virtual FsResult createFolder(const QString& path) = 0;

    // The direct subfolders that are real folders: links to folders are left out, so a walk built on this
    // can never loop. With withLinks they are listed too (flagged), for a user who picks folders by hand;
    // scanFolder lists them as well.
    virtual QList<SubfolderInfo> listSubfolders(const QString& folder, bool withLinks = false) const = 0;
    virtual QList<FileInfo> listFiles(const QString& folder) const = 0;
    // The names of every entry directly inside a folder (folders, files, links, anything), read without a
    // look at each; nothing when the folder cannot be read.
    std::optional<QStringList> entryNames(const QString& folder) const;
    // The same, one name at a time to take with what the listing tells of the entry, so a folder of a
    // million entries needs no list of them all; false when the folder cannot be read. modified, when
    // given, learns the folder's last change (seconds since the epoch) as it was before the reading.
    virtual bool readEntryNames(const QString& folder,
                                const std::function<void(const QString& name, EntryKind kind)>& take,
                                qint64* modified) const = 0;
    virtual FolderScan scanFolder(const QString& folder) const = 0;
    // scanFolder and pathInfo may be called from several threads at once, and renameFolder from other
    // threads than the caller's (two at once, each with a cursor of its own) while the caller leaves the
    // file system alone.
    virtual bool readsInParallel() const { return false; }

    // Every entry of a folder, in the file system's order, links not followed; nothing when the folder
    // cannot be read (a copy must not pass that over as empty).
    virtual std::optional<QList<FolderItem>> listItems(const QString& folder) const = 0;
    // Removes an empty folder.
    virtual FsResult removeFolder(const QString& path) = 0;
    // Makes target a symbolic link with the same content as the link source. Never replaces anything.
    virtual FsResult copyLink(const QString& source, const QString& target) = 0;
    // Gives target folder the permission bits and the access and modification times of source.
    virtual FsResult copyPermissionsAndTimes(const QString& source, const QString& target) = 0;

    virtual FsResult copyFile(const QString& source, const QString& target, bool overwrite) = 0;
    virtual FsResult moveFile(const QString& source, const QString& target) = 0;
    virtual FsResult deleteFile(const QString& path) = 0;
    virtual FsResult moveToTrash(const QString& path) = 0;
    // Replaces a file's content as a whole: the bytes go to a temporary file in the same folder, which is
    // flushed and then renamed over the old file, so a crash leaves the old or the new file, never half of
    // one. A replaced file keeps its permission bits; a failure leaves the old file and no temporary one.
    virtual FsResult writeFileAtomic(const QString& path, const QByteArray& bytes) = 0;
    // Opens a file (created when missing) for appending whole records under its advisory lock. Nothing,
    // and the reason in result, when it cannot be opened or (HeldIfFree) the lock is taken.
    virtual std::unique_ptr<AppendFile> openAppend(const QString& path, AppendLock lock, FsResult& result) = 0;
    // Read-modify-rewrite of a file under the same lock as openAppend, held from the read to the
    // replacement (writeFileAtomic), so an append that comes meanwhile waits and then goes to the new file.
    // change gets the current bytes (empty for a missing file) and returns the new ones, or nothing to
    // leave the file as it is.
    virtual FsResult rewriteLocked(const QString& path,
                                   const std::function<std::optional<QByteArray>(const QByteArray&)>& change) = 0;

    // Attribute bit set (FolderAttribute), or -1 when the path cannot be read.
    virtual int attributes(const QString& path) const = 0;
    // Writes the read-only and hidden bits; other bits are ignored. Fails with the first bit that could not
    // be written; the other is still written.
    virtual FsResult setAttributes(const QString& path, int bits) = 0;
    // False for attributes this platform does not have (the archive bit on Linux).
    virtual bool supportsAttribute(FolderAttribute attribute) const = 0;

    // Nothing when the folder cannot be read.
    virtual std::optional<FolderTimes> folderTimes(const QString& path) const = 0;
    virtual FsResult setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime) = 0;
    virtual bool canSetTime(FolderTimeKind which) const = 0;

    // Type, link, root and times of a path in one question. The default asks the single operations.
    PathInfo pathInfo(const QString& path) const { return pathInfo(path, nullptr); }
    // The same for one of many looks on one thread, which keeps the cursor between them.
    virtual PathInfo pathInfo(const QString& path, FolderCursor* cursor) const;
    // Nothing when the path cannot be read or the platform has no owners.
    virtual std::optional<FolderOwnership> ownership(const QString& path) const;
    // The largest file the program reads whole: settings, history, scripts, structures, language and CSV
    // files are all far smaller, and a bound keeps a mistaken path from filling the memory.
    static constexpr qint64 kTextFileLimit = 128 * 1024 * 1024;
    // The way the program reads a file: whole, and only a regular file (links followed) of at most
    // maxBytes. A pipe, a device, a socket or a folder is refused without being read (NotRegularFile): a
    // pipe could block forever, a device never end. A larger file is refused as TooLarge.
    virtual FileRead readFile(const QString& path, qint64 maxBytes = kTextFileLimit) const = 0;
    // The other way: a file to read piece by piece, of any size (a list of a million nested folders
    // comes near the bound above), refused as readFile refuses what is no regular file. Null, with the
    // reason in result, when it cannot be opened; a read that fails later shows in the device's error.
    virtual std::unique_ptr<QFileDevice> openFile(const QString& path, FsResult& result) const = 0;
};
