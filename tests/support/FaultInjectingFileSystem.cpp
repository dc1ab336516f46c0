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

FsResult FaultInjectingFileSystem::renameFolder(const QString& oldPath, const QString& newPath)
{
    using enum FsResult::Kind;
    const Fault* f = faultFor(Op::Rename, oldPath, newPath);
    if (!f)
        return PosixFileSystem::renameFolder(oldPath, newPath);
    return fromErrno(f->kind == NotFound       ? ENOENT
                     : f->kind == TargetExists ? EEXIST
                     : f->kind == Access       ? EACCES
                                               : EIO);
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

std::unique_ptr<QIODevice> FaultInjectingFileSystem::openForReading(const QString& path) const
{
    if (faultFor(Op::Read, path))
        return nullptr;
    return PosixFileSystem::openForReading(path);
}
