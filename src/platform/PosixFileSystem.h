#pragma once

#include "platform/FileSystem.h"

// The file system of Linux and other POSIX systems. Renames never replace anything (renameat2 with
// RENAME_NOREPLACE); symbolic links are renamed as themselves and never walked into.
class PosixFileSystem : public FileSystem
{
public:
    FsResult renameFolder(const QString& oldPath, const QString& newPath) override;

    bool folderExists(const QString& path) const override;
    bool fileExists(const QString& path) const override;
    bool isRoot(const QString& path) const override;
    QString absolutePath(const QString& path) const override;

    FsResult createFolder(const QString& path) override;

    QList<SubfolderInfo> listSubfolders(const QString& folder) const override;
    QList<FileInfo> listFiles(const QString& folder) const override;
    FolderScan scanFolder(const QString& folder) const override;

    FsResult copyFile(const QString& source, const QString& target, bool overwrite) override;
    FsResult moveFile(const QString& source, const QString& target) override;
    FsResult deleteFile(const QString& path) override;
    FsResult moveToTrash(const QString& path) override;

    int attributes(const QString& path) const override;
    bool setAttributes(const QString& path, int bits) override;
    bool supportsAttribute(FolderAttribute attribute) const override;

    std::optional<FolderTimes> folderTimes(const QString& path) const override;
    bool setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime) override;
    bool canSetTime(FolderTimeKind which) const override;

    // The error kind of an errno value.
    static FsResult fromErrno(int error);
};
