#include "support/FaultInjectingFileSystem.h"

#include "core/platform/AppendFile.h"
#include "core/settings/Paths.h"

#include <QFileDevice>
#include <QIODevice>
#include <cerrno>

void FaultInjectingFileSystem::fail(Op op, const QString& path, FsResult::Kind kind, bool below)
{
    m_faults.append({op, StripTrailingSeparator(absolutePath(path)), kind, below});
}

const FaultInjectingFileSystem::Fault* FaultInjectingFileSystem::faultFor(Op op, const QString& path,
                                                                          const QString& other) const
{
    for (const Fault& fault : m_faults) {
        for (const QString& candidate : {path, other}) {
            const QString p = StripTrailingSeparator(absolutePath(candidate));
            if (fault.op == op && !candidate.isEmpty() &&
                (p == fault.path || (fault.below && p.startsWith(EnsureTrailingSeparator(fault.path)))))
                return &fault;
        }
    }
    return nullptr;
}

namespace {

FsResult failureOf(FsResult::Kind kind)
{
    using enum FsResult::Kind;
    return PosixFileSystem::fromErrno(kind == NotFound       ? ENOENT
                                      : kind == TargetExists ? EEXIST
                                      : kind == Access       ? EACCES
                                      : kind == CrossDevice  ? EXDEV
                                                             : EIO);
}

// A file on a full disk: it opens, but nothing can be added.
class FullAppendFile : public AppendFile
{
public:
    FullAppendFile(std::unique_ptr<AppendFile> file, FsResult::Kind kind)
        : m_file(std::move(file))
        , m_kind(kind)
    {}
    FsResult append(const QByteArray&) override { return failureOf(m_kind); }
    QByteArray readAll() override { return m_file->readAll(); }
    FsResult clear() override { return m_file->clear(); }

private:
    std::unique_ptr<AppendFile> m_file;
    FsResult::Kind m_kind;
};

// A file of a process that may crash: once it has, nothing more is added.
class CrashingAppendFile : public AppendFile
{
public:
    CrashingAppendFile(std::unique_ptr<AppendFile> file, std::shared_ptr<int> renamesLeft)
        : m_file(std::move(file))
        , m_renamesLeft(std::move(renamesLeft))
    {}
    FsResult append(const QByteArray& bytes) override
    {
        return *m_renamesLeft == 0 ? failureOf(FsResult::Kind::Other) : m_file->append(bytes);
    }
    QByteArray readAll() override { return m_file->readAll(); }
    FsResult clear() override { return *m_renamesLeft == 0 ? failureOf(FsResult::Kind::Other) : m_file->clear(); }

private:
    std::unique_ptr<AppendFile> m_file;
    std::shared_ptr<int> m_renamesLeft;
};

} // namespace

std::unique_ptr<AppendFile> FaultInjectingFileSystem::openAppend(const QString& path, AppendLock lock, FsResult& result)
{
    std::unique_ptr<AppendFile> file = PosixFileSystem::openAppend(path, lock, result);
    if (const Fault* f = faultFor(Op::Append, path); f && file)
        return std::make_unique<FullAppendFile>(std::move(file), f->kind);
    if (file)
        return std::make_unique<CrashingAppendFile>(std::move(file), m_renamesLeft);
    return file;
}

FsResult FaultInjectingFileSystem::renameFolder(const QString& oldPath, const QString& newPath, FolderCursor* cursor)
{
    // Two threads may rename at once: each takes its place among the renames left before it renames, and
    // gives it back when its rename fails, so that no more renames happen than the crash allows.
    bool counted = false;
    {
        const std::lock_guard lock(m_renaming);
        if (*m_renamesLeft == 0)
            return failureOf(FsResult::Kind::Other);
        if (*m_renamesLeft > 0) {
            --*m_renamesLeft;
            counted = true;
        }
    }
    const Fault* f = faultFor(Op::Rename, oldPath, newPath);
    if (!f)
        f = faultFor(Op::RenameInto, newPath);
    const FsResult result = f ? failureOf(f->kind) : PosixFileSystem::renameFolder(oldPath, newPath, cursor);
    if (!result.ok() && counted) {
        const std::lock_guard lock(m_renaming);
        ++*m_renamesLeft;
    }
    return result;
}

FsResult FaultInjectingFileSystem::writeFileAtomic(const QString& path, const QByteArray& bytes)
{
    if (*m_renamesLeft == 0)
        return failureOf(FsResult::Kind::Other);
    const Fault* f = faultFor(Op::WriteFile, path);
    return f ? failureOf(f->kind) : PosixFileSystem::writeFileAtomic(path, bytes);
}

FolderScan FaultInjectingFileSystem::scanFolder(const QString& folder) const
{
    if (faultFor(Op::ScanFolder, folder))
        return {};
    FolderScan scan = PosixFileSystem::scanFolder(folder);
    for (SubfolderInfo& sub : scan.subfolders) { // what the scan tells of its subfolders
        if (faultFor(Op::BirthTime, sub.pathIn(folder)))
            sub.info.created = PathInfo::kUnknownTime;
    }
    return scan;
}

PathInfo FaultInjectingFileSystem::pathInfo(const QString& path, FolderCursor* cursor) const
{
    PathInfo info = PosixFileSystem::pathInfo(path, cursor);
    if (faultFor(Op::BirthTime, path))
        info.created = PathInfo::kUnknownTime;
    return info;
}

FileRead FaultInjectingFileSystem::readFile(const QString& path, qint64 maxBytes) const
{
    if (const Fault* fault = faultFor(Op::Read, path))
        return {FsResult::failure(fault->kind, QStringLiteral("injected")), {}};
    return PosixFileSystem::readFile(path, maxBytes);
}

std::unique_ptr<QFileDevice> FaultInjectingFileSystem::openFile(const QString& path, FsResult& result) const
{
    if (const Fault* fault = faultFor(Op::Read, path)) {
        result = FsResult::failure(fault->kind, QStringLiteral("injected"));
        return nullptr;
    }
    return PosixFileSystem::openFile(path, result);
}

FsResult FaultInjectingFileSystem::setAttributes(const QString& path, int bits)
{
    const Fault* f = faultFor(Op::SetAttributes, path);
    return f ? failureOf(f->kind) : PosixFileSystem::setAttributes(path, bits);
}

FsResult FaultInjectingFileSystem::setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime)
{
    const Fault* f = faultFor(Op::SetTime, path);
    return f ? failureOf(f->kind) : PosixFileSystem::setFolderTime(path, which, localTime);
}

std::optional<FolderTimes> FaultInjectingFileSystem::folderTimes(const QString& path) const
{
    std::optional<FolderTimes> times = PosixFileSystem::folderTimes(path);
    if (times && faultFor(Op::BirthTime, path))
        times->created = QDateTime();
    return times;
}

FsResult FaultInjectingFileSystem::copyFile(const QString& source, const QString& target, bool overwrite)
{
    if (const Fault* fault = faultFor(Op::Copy, source, target))
        return failureOf(fault->kind);
    return PosixFileSystem::copyFile(source, target, overwrite);
}

FsResult FaultInjectingFileSystem::copyLink(const QString& source, const QString& target)
{
    if (const Fault* fault = faultFor(Op::Copy, source, target))
        return failureOf(fault->kind);
    return PosixFileSystem::copyLink(source, target);
}

FsResult FaultInjectingFileSystem::deleteFile(const QString& path)
{
    if (const Fault* fault = faultFor(Op::Remove, path))
        return failureOf(fault->kind);
    return PosixFileSystem::deleteFile(path);
}

FsResult FaultInjectingFileSystem::removeFolder(const QString& path)
{
    if (const Fault* fault = faultFor(Op::Remove, path))
        return failureOf(fault->kind);
    return PosixFileSystem::removeFolder(path);
}
