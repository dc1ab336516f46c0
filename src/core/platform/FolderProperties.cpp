#include "core/platform/FolderProperties.h"

#include "core/load/FolderTreeCache.h"
#include "core/platform/FileSystem.h"
#include "core/platform/LocalTime.h"
#include "core/settings/Paths.h"

FolderProperties FolderProperties::read(const FileSystem& fs, const QString& path)
{
    FolderProperties p;
    p.path = StripTrailingSeparator(fs.absolutePath(path));
    const PathInfo info = fs.pathInfo(p.path);
    p.exists = info.type == PathInfo::Type::Folder;
    if (!p.exists)
        return p;
    p.isLink = info.isLink;
    p.created = LocalTime::dateTime(info.created);
    p.lastWrite = LocalTime::dateTime(info.lastWrite);
    p.lastAccess = LocalTime::dateTime(info.lastAccess);
    FolderTreeCache cache(fs);
    p.size = cache.totalSize(p.path, {}).value_or(0);
    if (const std::optional<FolderOwnership> owner = fs.ownership(p.path)) {
        p.owner = owner->owner;
        p.group = owner->group;
        p.permissions = owner->permissions;
    }
    return p;
}

QString FolderProperties::permissionText(uint mode)
{
    QString text = QStringLiteral("---------");
    const char letters[] = "rwx";
    for (int i = 0; i < 9; ++i) {
        if (mode & (0400u >> i))
            text[i] = QLatin1Char(letters[i % 3]);
    }
    // setuid, setgid and sticky show in the execute places: lower case when executable too.
    const std::pair<uint, int> specials[] = {{04000, 2}, {02000, 5}, {01000, 8}};
    for (const auto& [bit, at] : specials) {
        if (mode & bit) {
            const bool exec = text[at] == QLatin1Char('x');
            const char letter = bit == 01000 ? 't' : 's';
            text[at] = QLatin1Char(exec ? letter : static_cast<char>(letter - 'a' + 'A'));
        }
    }
    return text;
}
