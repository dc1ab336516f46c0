#include "cli/DryRunFileSystem.h"

#include "core/platform/AppendFile.h"

namespace {

FsResult refused()
{
    return FsResult::failure(FsResult::Kind::Access, QStringLiteral("dry run"));
}

} // namespace

FsResult DryRunFileSystem::renameFolder(const QString&, const QString&, FolderCursor*)
{
    return refused();
}

FsResult DryRunFileSystem::createFolder(const QString&)
{
    return refused();
}

FsResult DryRunFileSystem::removeFolder(const QString&)
{
    return refused();
}

FsResult DryRunFileSystem::copyLink(const QString&, const QString&)
{
    return refused();
}

FsResult DryRunFileSystem::copyPermissionsAndTimes(const QString&, const QString&)
{
    return refused();
}

FsResult DryRunFileSystem::copyFile(const QString&, const QString&, bool)
{
    return refused();
}

FsResult DryRunFileSystem::moveFile(const QString&, const QString&)
{
    return refused();
}

FsResult DryRunFileSystem::deleteFile(const QString&)
{
    return refused();
}

FsResult DryRunFileSystem::moveToTrash(const QString&)
{
    return refused();
}

FsResult DryRunFileSystem::writeFileAtomic(const QString&, const QByteArray&)
{
    return refused();
}

std::unique_ptr<AppendFile> DryRunFileSystem::openAppend(const QString&, AppendLock, FsResult& result)
{
    result = refused();
    return nullptr;
}

FsResult DryRunFileSystem::rewriteLocked(const QString&,
                                         const std::function<std::optional<QByteArray>(const QByteArray&)>&)
{
    return refused();
}

FsResult DryRunFileSystem::setAttributes(const QString&, int)
{
    return refused();
}

FsResult DryRunFileSystem::setFolderTime(const QString&, FolderTimeKind, const QDateTime&)
{
    return refused();
}
