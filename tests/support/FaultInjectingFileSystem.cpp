#include "support/FaultInjectingFileSystem.h"

#include "platform/PosixFileSystem.h"
#include "settings/Paths.h"

#include <QIODevice>

#include <cerrno>

void FaultInjectingFileSystem::fail(Op op, const QString& path, FsResult::Kind kind, bool below)
{
    m_faults.append({op, StripTrailingSeparator(m_inner->absolutePath(path)), kind, below});
}

const FaultInjectingFileSystem::Fault* FaultInjectingFileSystem::faultFor(Op op, const QString& path,
                                                                          const QString& other) const
{
    ++m_calls[op];
    for (const Fault& fault : m_faults) {
        if (fault.op != op)
            continue;
        for (const QString& candidate : {path, other}) {
            if (candidate.isEmpty())
                continue;
            const QString p = StripTrailingSeparator(m_inner->absolutePath(candidate));
            if (p == fault.path || (fault.below && p.startsWith(EnsureTrailingSeparator(fault.path))))
                return &fault;
        }
    }
    return nullptr;
}

FsResult FaultInjectingFileSystem::failure(const Fault& fault)
{
    switch (fault.kind) {
    case FsResult::Kind::NotFound:
        return PosixFileSystem::fromErrno(ENOENT);
    case FsResult::Kind::TargetExists:
        return PosixFileSystem::fromErrno(EEXIST);
    case FsResult::Kind::Access:
        return PosixFileSystem::fromErrno(EACCES);
    case FsResult::Kind::Other:
    case FsResult::Kind::Ok:
        break;
    }
    return PosixFileSystem::fromErrno(EIO);
}

FsResult FaultInjectingFileSystem::renameFolder(const QString& oldPath, const QString& newPath)
{
    if (const Fault* f = faultFor(Op::Rename, oldPath, newPath))
        return failure(*f);
    return m_inner->renameFolder(oldPath, newPath);
}

bool FaultInjectingFileSystem::folderExists(const QString& path) const
{
    return !faultFor(Op::FolderExists, path) && m_inner->folderExists(path);
}

bool FaultInjectingFileSystem::fileExists(const QString& path) const
{
    return !faultFor(Op::FileExists, path) && m_inner->fileExists(path);
}

bool FaultInjectingFileSystem::isRoot(const QString& path) const
{
    return !faultFor(Op::IsRoot, path) && m_inner->isRoot(path);
}

FsResult FaultInjectingFileSystem::createFolder(const QString& path)
{
    if (const Fault* f = faultFor(Op::CreateFolder, path))
        return failure(*f);
    return m_inner->createFolder(path);
}

QList<SubfolderInfo> FaultInjectingFileSystem::listSubfolders(const QString& folder) const
{
    if (faultFor(Op::ListSubfolders, folder))
        return {};
    return m_inner->listSubfolders(folder);
}

QList<FileInfo> FaultInjectingFileSystem::listFiles(const QString& folder) const
{
    if (faultFor(Op::ListFiles, folder))
        return {};
    return m_inner->listFiles(folder);
}

FolderScan FaultInjectingFileSystem::scanFolder(const QString& folder) const
{
    if (faultFor(Op::ScanFolder, folder))
        return {};
    FolderScan scan = m_inner->scanFolder(folder);
    // What the scan tells of each subfolder obeys the faults of pathInfo.
    for (SubfolderInfo& sub : scan.subfolders) {
        if (m_faults.isEmpty())
            break;
        if (faultFor(Op::PathInfo, sub.path))
            sub.info = PathInfo();
        else if (faultFor(Op::BirthTime, sub.path))
            sub.info.created = PathInfo::kUnknownTime;
    }
    return scan;
}

FsResult FaultInjectingFileSystem::copyFile(const QString& source, const QString& target, bool overwrite)
{
    if (const Fault* f = faultFor(Op::CopyFile, source, target))
        return failure(*f);
    return m_inner->copyFile(source, target, overwrite);
}

FsResult FaultInjectingFileSystem::moveFile(const QString& source, const QString& target)
{
    if (const Fault* f = faultFor(Op::MoveFile, source, target))
        return failure(*f);
    return m_inner->moveFile(source, target);
}

FsResult FaultInjectingFileSystem::deleteFile(const QString& path)
{
    if (const Fault* f = faultFor(Op::DeleteFile, path))
        return failure(*f);
    return m_inner->deleteFile(path);
}

FsResult FaultInjectingFileSystem::moveToTrash(const QString& path)
{
    if (const Fault* f = faultFor(Op::Trash, path))
        return failure(*f);
    return m_inner->moveToTrash(path);
}

int FaultInjectingFileSystem::attributes(const QString& path) const
{
    return faultFor(Op::Attributes, path) ? -1 : m_inner->attributes(path);
}

bool FaultInjectingFileSystem::setAttributes(const QString& path, int bits)
{
    return !faultFor(Op::SetAttributes, path) && m_inner->setAttributes(path, bits);
}

std::optional<FolderTimes> FaultInjectingFileSystem::folderTimes(const QString& path) const
{
    if (faultFor(Op::FolderTimes, path))
        return std::nullopt;
    std::optional<FolderTimes> times = m_inner->folderTimes(path);
    if (times && faultFor(Op::BirthTime, path))
        times->created = QDateTime();
    return times;
}

bool FaultInjectingFileSystem::setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime)
{
    return !faultFor(Op::SetFolderTime, path) && m_inner->setFolderTime(path, which, localTime);
}

PathInfo FaultInjectingFileSystem::pathInfo(const QString& path) const
{
    if (faultFor(Op::PathInfo, path))
        return {};
    PathInfo info = m_inner->pathInfo(path);
    if (faultFor(Op::BirthTime, path))
        info.created = PathInfo::kUnknownTime;
    return info;
}

std::optional<FolderOwnership> FaultInjectingFileSystem::ownership(const QString& path) const
{
    if (faultFor(Op::Ownership, path))
        return std::nullopt;
    return m_inner->ownership(path);
}

std::unique_ptr<QIODevice> FaultInjectingFileSystem::openForReading(const QString& path) const
{
    if (faultFor(Op::OpenForReading, path))
        return nullptr;
    return m_inner->openForReading(path);
}
