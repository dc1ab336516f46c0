#include "support/FaultInjectingFileSystem.h"

#include "core/settings/Paths.h"

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
                                                             : EIO);
}

} // namespace

FsResult FaultInjectingFileSystem::renameFolder(const QString& oldPath, const QString& newPath)
{
    const Fault* f = faultFor(Op::Rename, oldPath, newPath);
    return f ? failureOf(f->kind) : PosixFileSystem::renameFolder(oldPath, newPath);
}

FsResult FaultInjectingFileSystem::writeFileAtomic(const QString& path, const QByteArray& bytes)
{
    const Fault* f = faultFor(Op::WriteFile, path);
    return f ? failureOf(f->kind) : PosixFileSystem::writeFileAtomic(path, bytes);
}

FolderScan FaultInjectingFileSystem::scanFolder(const QString& folder) const
{
    if (faultFor(Op::ScanFolder, folder))
        return {};
    FolderScan scan = PosixFileSystem::scanFolder(folder);
    for (SubfolderInfo& sub : scan.subfolders) { // what the scan tells of its subfolders
        if (faultFor(Op::BirthTime, sub.path))
            sub.info.created = PathInfo::kUnknownTime;
    }
    return scan;
}

PathInfo FaultInjectingFileSystem::pathInfo(const QString& path) const
{
    PathInfo info = PosixFileSystem::pathInfo(path);
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
