#pragma once

#include "core/platform/MountTable.h"

#include <QSet>
#include <QString>
#include <QStringList>

class FileSystem;
class PowerFilterList;

// Mount points, each with one trailing separator. A mount point is a volume root, and roots are never
// loaded; kernel file systems (proc, sysfs, tmpfs, …) are not walked into at all, so including every
// subfolder of "/" gathers the user's folders rather than the kernel's.
struct MountPoints
{
    QSet<QString> roots;
    QSet<QString> kernel;

    static MountPoints fromMounts(const QList<MountedVolume>& mounts);
    // True for the root of a kernel file system, which no walk goes into (a folder path, any trailing
    // separator).
    bool isKernel(const QString& folder) const;
    // The mounts of this computer now.
    static MountPoints current();
};

// What the open dialog's OK loads, in loading order.
namespace FolderExpansion {

// The taken folders, followed, when withSubfolders is set, by every folder below them, breadth first:
// all children of the taken folders, then all grandchildren, and so on, children in name order. Each
// folder comes once, links are never followed, unreadable folders are passed over, and roots are left
// out (a taken root still contributes its subfolders).
QStringList expand(const FileSystem& fs, const QStringList& taken, bool withSubfolders, const MountPoints& mounts);

// The base name of a folder path: the folder's name without its last "." and what follows
// ("/x/2004.backup/" gives "2004").
QString baseNameOf(const QString& folderPath);

// The folders whose base names match a filter in use, in their order.
QStringList filter(const QStringList& folders, const PowerFilterList& filters);

// expand, then filter.
QStringList pendingFolders(const FileSystem& fs, const QStringList& taken, bool withSubfolders,
                           const PowerFilterList& filters, const MountPoints& mounts);

} // namespace FolderExpansion
