#pragma once

#include "core/platform/FileSystem.h"

#include <QByteArray>

// The file system of Linux. Names are converted losslessly (FileNames), so folders whose names are not
// valid UTF-8 can be loaded and renamed. Renames and copies never replace a folder, and replace a file
// only when asked to; symbolic links are renamed as themselves and never walked into.
class PosixFileSystem : public FileSystem
{
public:
    using FileSystem::renameFolder;
    FsResult renameFolder(const QString& oldPath, const QString& newPath, FolderCursor* cursor) override;

    bool folderExists(const QString& path) const override;
    bool fileExists(const QString& path) const override;
    bool isRoot(const QString& path) const override;
    QString absolutePath(const QString& path) const override;
    QString resolvedPath(const QString& path) const override;

    FsResult createFolder(const QString& path) override;

    QList<SubfolderInfo> listSubfolders(const QString& folder, bool withLinks = false) const override;
    QList<FileInfo> listFiles(const QString& folder) const override;
    bool readEntryNames(const QString& folder, const std::function<void(const QString& name, EntryKind kind)>& take,
                        qint64* modified) const override;
    FolderScan scanFolder(const QString& folder) const override;
    bool readsInParallel() const override { return true; }

    std::optional<QList<FolderItem>> listItems(const QString& folder) const override;
    FsResult removeFolder(const QString& path) override;
    FsResult copyLink(const QString& source, const QString& target) override;
    FsResult copyPermissionsAndTimes(const QString& source, const QString& target) override;
    FsResult copyFile(const QString& source, const QString& target, bool overwrite) override;
    FsResult moveFile(const QString& source, const QString& target) override;
    FsResult deleteFile(const QString& path) override;
    FsResult moveToTrash(const QString& path) override;
    FsResult writeFileAtomic(const QString& path, const QByteArray& bytes) override;
    std::unique_ptr<AppendFile> openAppend(const QString& path, AppendLock lock, FsResult& result) override;
    FsResult rewriteLocked(const QString& path,
                           const std::function<std::optional<QByteArray>(const QByteArray&)>& change) override;

    int attributes(const QString& path) const override;
    FsResult setAttributes(const QString& path, int bits) override;
    bool supportsAttribute(FolderAttribute attribute) const override;

    std::optional<FolderTimes> folderTimes(const QString& path) const override;
    FsResult setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime) override;
    bool canSetTime(FolderTimeKind which) const override;

    using FileSystem::pathInfo;
    PathInfo pathInfo(const QString& path, FolderCursor* cursor) const override;
    std::optional<FolderOwnership> ownership(const QString& path) const override;
    FileRead readFile(const QString& path, qint64 maxBytes = kTextFileLimit) const override;
    std::unique_ptr<QFileDevice> openFile(const QString& path, FsResult& result) const override;

    // readFile on a native path; for readers below the service (a folder's ".hidden" list, text files
    // read by path).
    static FileRead readRegularFile(const QByteArray& path, qint64 maxBytes);

    // The error kind and text of an errno value.
    static FsResult fromErrno(int error);

    // The rename used where a file system refuses RENAME_NOREPLACE. It still never replaces anything: a
    // folder is renamed onto an empty placeholder folder that this call has just created itself (mkdir
    // fails atomically when the name is taken), anything else is hard-linked under the new name and then
    // unlinked under the old one. Only where hard links are refused too does it check, then rename.
    static FsResult renameByPlaceholder(const QByteArray& from, const QByteArray& to);
};
