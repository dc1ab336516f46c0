#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A mounted file system: where it is mounted (one trailing separator), its type and its label.
struct MountedVolume
{
    QString rootPath;
    QByteArray type;
    QString label;
};

// The mounted file systems of this computer.
namespace MountTable {

// The volumes a user would recognise, with their labels (Qt's own view, which already leaves out most
// kernel mounts).
QList<MountedVolume> volumes();

// Every mount the kernel reports, kernel file systems included; no labels. Falls back to volumes() when
// the kernel's table cannot be read.
QList<MountedVolume> allMounts();

// Kernel, memory and packaging file systems that hold no user folders (proc, sysfs, tmpfs, squashfs, …).
bool isPseudoFileSystem(const QByteArray& type);

// Reads a mount table in the format of /proc/self/mounts (blanks in paths written as "\040").
QList<MountedVolume> parseMounts(const QByteArray& text);

} // namespace MountTable
