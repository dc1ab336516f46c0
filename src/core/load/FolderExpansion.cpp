#include "core/load/FolderExpansion.h"

#include "core/load/OpenLocations.h"
#include "core/load/PowerFilterList.h"
#include "core/platform/FileSystem.h"
#include "core/rename/NameParts.h"
#include "core/settings/Paths.h"

MountPoints MountPoints::fromMounts(const QList<MountedVolume>& mounts)
{
    MountPoints points;
    for (const MountedVolume& m : mounts) {
        const QString root = EnsureTrailingSeparator(m.rootPath);
        points.roots.insert(root);
        if (MountTable::isPseudoFileSystem(m.type) && root != QLatin1String("/"))
            points.kernel.insert(root);
    }
    return points;
}

bool MountPoints::isKernel(const QString& folder) const
{
    return !kernel.isEmpty() && kernel.contains(EnsureTrailingSeparator(folder));
}

MountPoints MountPoints::current()
{
    return fromMounts(MountTable::allMounts());
}

namespace FolderExpansion {

QStringList expand(const FileSystem& fs, const QStringList& taken, bool withSubfolders, const MountPoints& mounts)
{
    // The work list grows while it is walked; its prefix up to `next` has been expanded.
    QStringList work;
    QSet<QString> seen;
    QSet<QString> rootsTaken;
    // A taken link is loaded as itself, but never walked through: its target may hold anything, even "/".
    QSet<QString> linksTaken;
    for (const QString& path : taken) {
        const QString key = EnsureTrailingSeparator(path);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        work.append(key);
        if (mounts.roots.contains(key) || fs.isRoot(key))
            rootsTaken.insert(key);
        else if (fs.pathInfo(key).isLink)
            linksTaken.insert(key);
    }
    if (withSubfolders) {
        for (qsizetype next = 0; next < work.size(); ++next) {
            if (linksTaken.contains(work.at(next)))
                continue;
            QList<SubfolderInfo> children = fs.listSubfolders(work.at(next));
            OpenLocations::sortSubfolders(children);
            for (const SubfolderInfo& child : std::as_const(children)) {
                QString key = EnsureTrailingSeparator(child.pathIn(work.at(next)));
                if (mounts.isKernel(key) || seen.contains(key))
                    continue;
                seen.insert(key);
                if (mounts.roots.contains(key))
                    rootsTaken.insert(key);
                work.append(std::move(key));
            }
        }
    }
    if (!rootsTaken.isEmpty())
        work.removeIf([&](const QString& key) { return rootsTaken.contains(key); });
    return work;
}

QString baseNameOf(const QString& folderPath)
{
    QStringView name = folderPath;
    if (name.endsWith(u'/'))
        name.chop(1);
    return GetFolderBaseName(name.mid(name.lastIndexOf(u'/') + 1).toString());
}

QStringList filter(const QStringList& folders, const PowerFilterList& filters)
{
    QStringList result;
    for (const QString& path : folders) {
        if (filters.matchesAny(baseNameOf(path)))
            result.append(path);
    }
    return result;
}

QStringList pendingFolders(const FileSystem& fs, const QStringList& taken, bool withSubfolders,
                           const PowerFilterList& filters, const MountPoints& mounts)
{
    return filter(expand(fs, taken, withSubfolders, mounts), filters);
}

} // namespace FolderExpansion
