#pragma once

#include "core/platform/PosixFileSystem.h"

#include <QList>
#include <memory>
#include <mutex>

// The real file system, except for the operations a test makes fail on chosen paths: failures root cannot
// provoke (CI runs as root, so permissions never stop it), or that no file system here shows (a folder
// without a birth time).
//   auto fs = std::make_unique<FaultInjectingFileSystem>();
//   fs->fail(FaultInjectingFileSystem::Op::Rename, tree.path("A"), FsResult::Kind::Access);
class FaultInjectingFileSystem : public PosixFileSystem
{
public:
    enum class Op {
        Rename,        // fails with the kind and the system's text for it; either path may match
        RenameInto,    // as Rename, for the new path only
        ScanFolder,    // the folder reads as unreadable
        BirthTime,     // not a failure: the path's creation time is unknown
        WriteFile,     // writeFileAtomic fails with the kind before anything is written
        Read,          // the file exists but reading it fails with the kind
        Append,        // every append to the file fails with the kind (a full disk), nothing written
        SetAttributes, // setAttributes fails with the kind and the system's text for it, nothing changed
        SetTime,       // setFolderTime fails with the kind and the system's text for it, nothing changed
        Copy,          // copying a file or link from or to the path fails with the kind, nothing written
        Remove,        // deleting the file or removing the folder fails with the kind
    };

    // From now on op fails on path; with below, also on every path under it.
    void fail(Op op, const QString& path, FsResult::Kind kind = FsResult::Kind::Access, bool below = false);

    // A crash after the next n renames: from then on the process is taken as dead, so no rename, append
    // or file write reaches the disk any more (each fails), until restart() brings it back to life.
    void crashAfterRenames(int n) { *m_renamesLeft = n; }
    void restart() { *m_renamesLeft = -1; }
    bool crashed() const { return *m_renamesLeft == 0; }

    using FileSystem::renameFolder;
    FsResult renameFolder(const QString& oldPath, const QString& newPath, FolderCursor* cursor) override;
    FsResult writeFileAtomic(const QString& path, const QByteArray& bytes) override;
    FsResult copyFile(const QString& source, const QString& target, bool overwrite) override;
    FsResult copyLink(const QString& source, const QString& target) override;
    FsResult deleteFile(const QString& path) override;
    FsResult removeFolder(const QString& path) override;
    FolderScan scanFolder(const QString& folder) const override;
    using FileSystem::pathInfo;
    PathInfo pathInfo(const QString& path, FolderCursor* cursor) const override;
    FileRead readFile(const QString& path, qint64 maxBytes = kTextFileLimit) const override;
    std::unique_ptr<QFileDevice> openFile(const QString& path, FsResult& result) const override;
    std::unique_ptr<AppendFile> openAppend(const QString& path, AppendLock lock, FsResult& result) override;
    FsResult setAttributes(const QString& path, int bits) override;
    FsResult setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime) override;
    std::optional<FolderTimes> folderTimes(const QString& path) const override;

private:
    struct Fault
    {
        Op op;
        QString path;
        FsResult::Kind kind;
        bool below;
    };

    // The fault for op on any of the paths.
    const Fault* faultFor(Op op, const QString& path, const QString& other = QString()) const;

    QList<Fault> m_faults;
    // Renames until the crash, -1 when none is due; shared with the files opened for appending.
    std::shared_ptr<int> m_renamesLeft = std::make_shared<int>(-1);
    // Renames may come from two threads at once: guards the count of those left.
    std::mutex m_renaming;
};
