#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The outcome of a file-system operation that can fail. The kind lets callers pick their message; the
// system text is the operating system's own description of the error.
struct FsResult
{
    enum class Kind { Ok, NotFound, TargetExists, Access, Other };

    Kind kind = Kind::Ok;
    QString systemText;

    bool ok() const { return kind == Kind::Ok; }
    static FsResult success() { return {}; }
    static FsResult failure(Kind kind, const QString& text) { return {kind, text}; }
};

// Times of a folder, in local time, whole seconds. created is invalid when the file system keeps no
// birth time.
struct FolderTimes
{
    QDateTime created;
    QDateTime lastAccess;
    QDateTime lastWrite;
};

struct SubfolderInfo
{
    QString name;
    QString path; // full path, no trailing separator
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

// One pass over a folder: its direct subfolders and the bytes of the files directly inside it.
// Symbolic links are never followed: a link to a folder is neither listed as a subfolder nor counted.
struct FolderScan
{
    bool readable = false;
    QList<SubfolderInfo> subfolders;
    qint64 fileBytes = 0;
};

// Attribute bits as the rest of the program counts them.
enum FolderAttribute { AttrReadOnly = 1, AttrHidden = 2, AttrArchive = 32 };

enum class FolderTimeKind { Created = 1, LastWrite = 2, LastAccess = 3 };

// Everything the program asks of the operating system's file system. Paths are full paths; a trailing
// separator on a folder path is ignored. PosixFileSystem is the real one; tests may wrap it in a
// fault-injecting decorator.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // Renames a folder (or a symbolic link to one) in place. Never replaces an existing file or folder.
    virtual FsResult renameFolder(const QString& oldPath, const QString& newPath) = 0;

    virtual bool folderExists(const QString& path) const = 0;
    virtual bool fileExists(const QString& path) const = 0;
    // True for "/" and for the root of every mounted volume.
    virtual bool isRoot(const QString& path) const = 0;
    // The absolute, cleaned form of a path as given (symbolic links are not resolved).
    virtual QString absolutePath(const QString& path) const = 0;

    // Creates one level.
    virtual FsResult createFolder(const QString& path) = 0;

    virtual QList<SubfolderInfo> listSubfolders(const QString& folder) const = 0;
    virtual QList<FileInfo> listFiles(const QString& folder) const = 0;
    virtual FolderScan scanFolder(const QString& folder) const = 0;

    virtual FsResult copyFile(const QString& source, const QString& target, bool overwrite) = 0;
    virtual FsResult moveFile(const QString& source, const QString& target) = 0;
    virtual FsResult deleteFile(const QString& path) = 0;
    virtual FsResult moveToTrash(const QString& path) = 0;

    // Attribute bit set (FolderAttribute), or -1 when the path cannot be read.
    virtual int attributes(const QString& path) const = 0;
    // Writes the read-only and hidden bits; other bits are ignored. False when nothing could be written.
    virtual bool setAttributes(const QString& path, int bits) = 0;
    // False for attributes this platform does not have (the archive bit on Linux).
    virtual bool supportsAttribute(FolderAttribute attribute) const = 0;

    // Nothing when the folder cannot be read.
    virtual std::optional<FolderTimes> folderTimes(const QString& path) const = 0;
    virtual bool setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime) = 0;
    virtual bool canSetTime(FolderTimeKind which) const = 0;
};
