#pragma once

#include "core/platform/PosixFileSystem.h"

// The file system of a run that must leave every file as it is (a dry run, a run that only shows help
// or refuses its options): reading works, every write fails without touching anything. Start-up then
// neither creates the settings folder, copies templates nor compacts the settings file.
class DryRunFileSystem : public PosixFileSystem
{
public:
    using FileSystem::renameFolder;
    FsResult renameFolder(const QString& oldPath, const QString& newPath, FolderCursor* cursor) override;
    FsResult createFolder(const QString& path) override;
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
    FsResult setAttributes(const QString& path, int bits) override;
    FsResult setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime) override;
};
