#include "core/platform/FileSystem.h"

PathInfo FileSystem::pathInfo(const QString& path, FolderCursor*) const
{
    PathInfo info;
    if (folderExists(path))
        info.type = PathInfo::Type::Folder;
    else if (fileExists(path))
        info.type = PathInfo::Type::File;
    else
        return info;
    info.isRoot = info.type == PathInfo::Type::Folder && isRoot(path);
    if (const std::optional<FolderTimes> times = folderTimes(path)) {
        const auto secs = [](const QDateTime& t) {
            return t.isValid() ? t.toSecsSinceEpoch() : PathInfo::kUnknownTime;
        };
        info.created = secs(times->created);
        info.lastWrite = secs(times->lastWrite);
        info.lastAccess = secs(times->lastAccess);
    }
    return info;
}

std::optional<QStringList> FileSystem::entryNames(const QString& folder) const
{
    QStringList names;
    if (!readEntryNames(
            folder, [&names](const QString& name, EntryKind) { names.append(name); }, nullptr))
        return std::nullopt;
    return names;
}

std::optional<FolderOwnership> FileSystem::ownership(const QString&) const
{
    return std::nullopt;
}
