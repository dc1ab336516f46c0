#pragma once

#include "core/platform/FileSystem.h"
#include "core/platform/MountTable.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the open dialog shows: the places in its location drop-down and the entries of the list of the
// current place. Keys of folders end in one separator; the computer level has the key "*AP*" in the
// drop-down and the empty path everywhere else.
namespace OpenLocations {

inline const QString kComputerKey = QStringLiteral("*AP*");

enum class Kind { Computer, Volume, Home, Folder, OpenFolder, File };

struct Entry
{
    QString text;
    QString key; // full path; folders with one trailing separator
    Kind kind = Kind::Folder;
    int depth = 0; // indentation in the drop-down
};

// The volumes worth offering, from a mount list: real file systems whose root is a folder, "/" first,
// the rest by path, each once; shown as the root path plus " [label]" when the volume has a label.
// The home folder follows as an extra entry (text: its path plus " [homeLabel]"), unless it is a
// volume root itself.
QList<Entry> volumeEntries(const FileSystem& fs, const QList<MountedVolume>& mounts, const QString& home,
                           const QString& homeLabel);

// The drop-down: the computer entry, the volumes, and below the volume (or home folder) that holds
// path, one entry per further folder of path, indented by depth; the last one is the open folder.
QList<Entry> dropDownEntries(const QString& computerText, const QList<Entry>& volumes, const QString& path);

// The entries listed for a place: the volumes at the computer level (path empty); in a folder its
// subfolders, then, when withFiles is set, the files whose names match one of the patterns (all files
// when there are none). Each group is in the order a file manager uses (case and digits aware).
QList<Entry> listEntries(const FileSystem& fs, const QString& path, const QList<Entry>& volumes, bool withFiles,
                         const QStringList& filePatterns);

// The folder to show for a requested path: the path itself (absolute, one trailing separator) when it is
// an existing folder, else fallback when that exists, else the computer level (empty).
QString resolveFolder(const FileSystem& fs, const QString& path, const QString& fallback);

// The folder above; the computer level above the root.
QString parentFolder(const QString& path);

// Sorts folders by name the way a file manager does: letter case aside, numbers by value.
void sortSubfolders(QList<SubfolderInfo>& folders);

} // namespace OpenLocations
