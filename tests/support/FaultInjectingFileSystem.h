#pragma once

#include "platform/FileSystem.h"

#include <QHash>
#include <QList>
#include <memory>

// A FileSystem for tests that passes everything to a real one, except the operations a test makes fail
// on chosen paths: for failures root cannot provoke (CI runs as root, so permissions never stop it), or
// that no file system here shows (a folder without a birth time). It also counts calls, so a test can
// check how often the disk is asked.
//   auto faults = std::make_unique<FaultInjectingFileSystem>(std::make_unique<PosixFileSystem>());
//   faults->fail(FaultInjectingFileSystem::Op::Rename, tree.path("A"), FsResult::Kind::Access);
class FaultInjectingFileSystem : public FileSystem
{
public:
    enum class Op {
        Rename,
        FolderExists,
        FileExists,
        IsRoot,
        CreateFolder,
        ListSubfolders,
        ListFiles,
        ScanFolder,
        CopyFile,
        MoveFile,
        DeleteFile,
        Trash,
        Attributes,
        SetAttributes,
        FolderTimes,
        SetFolderTime,
        PathInfo,
        BirthTime, // not a failure: the path's creation time is unknown
        Ownership,
        OpenForReading,
    };

    explicit FaultInjectingFileSystem(std::unique_ptr<FileSystem> inner)
        : m_inner(std::move(inner))
    {}

    // From now on op fails on path (with below, also on every path under it). Operations that report
    // only by their result give false, -1, nothing or an empty list; the others the kind, with the
    // system's text for it. Operations with two paths fail when either matches.
    void fail(Op op, const QString& path, FsResult::Kind kind = FsResult::Kind::Access, bool below = false);
    void clearFaults() { m_faults.clear(); }

    int calls(Op op) const { return m_calls.value(op); }
    void resetCalls() { m_calls.clear(); }
    FileSystem& inner() { return *m_inner; }

    FsResult renameFolder(const QString& oldPath, const QString& newPath) override;
    bool folderExists(const QString& path) const override;
    bool fileExists(const QString& path) const override;
    bool isRoot(const QString& path) const override;
    QString absolutePath(const QString& path) const override { return m_inner->absolutePath(path); }
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
    bool supportsAttribute(FolderAttribute attribute) const override { return m_inner->supportsAttribute(attribute); }
    std::optional<FolderTimes> folderTimes(const QString& path) const override;
    bool setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime) override;
    bool canSetTime(FolderTimeKind which) const override { return m_inner->canSetTime(which); }
    PathInfo pathInfo(const QString& path) const override;
    std::optional<FolderOwnership> ownership(const QString& path) const override;
    std::unique_ptr<QIODevice> openForReading(const QString& path) const override;

private:
    struct Fault
    {
        Op op;
        QString path;
        FsResult::Kind kind;
        bool below;
    };

    // The fault for op on any of the paths; counts the call.
    const Fault* faultFor(Op op, const QString& path, const QString& other = QString()) const;
    static FsResult failure(const Fault& fault);

    std::unique_ptr<FileSystem> m_inner;
    QList<Fault> m_faults;
    mutable QHash<Op, int> m_calls;
};
