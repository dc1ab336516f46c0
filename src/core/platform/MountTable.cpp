#include "core/platform/MountTable.h"

#include "core/settings/Paths.h"

#include <QFile>
#include <QStorageInfo>

namespace {

// "\040" and the like: the kernel writes blanks, tabs, newlines and backslashes in octal.
QByteArray unescapeOctal(const QByteArray& field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size() && field.at(i + 1) >= '0' && field.at(i + 1) <= '3' &&
            field.at(i + 2) >= '0' && field.at(i + 2) <= '7' && field.at(i + 3) >= '0' && field.at(i + 3) <= '7') {
            out.append(char(((field.at(i + 1) - '0') << 6) | ((field.at(i + 2) - '0') << 3) | (field.at(i + 3) - '0')));
            i += 3;
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace

namespace MountTable {

QList<MountedVolume> volumes()
{
    QList<MountedVolume> result;
    const QList<QStorageInfo> infos = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& info : infos) {
        if (!info.isValid())
            continue;
        result.append({EnsureTrailingSeparator(info.rootPath()), info.fileSystemType(), info.name()});
    }
    return result;
}

QList<MountedVolume> allMounts()
{
    QFile file(QStringLiteral("/proc/self/mounts"));
    if (!file.open(QIODevice::ReadOnly))
        return volumes();
    // The file reports a size of 0; read it to its end.
    const QList<MountedVolume> mounts = parseMounts(file.readAll());
    return mounts.isEmpty() ? volumes() : mounts;
}

bool isPseudoFileSystem(const QByteArray& type)
{
    static const QByteArrayList kPseudo = {
        "autofs",   "binfmt_misc", "bpf",     "cgroup",          "cgroup2",     "configfs",   "debugfs",      "devpts",
        "devtmpfs", "efivarfs",    "fusectl", "hugetlbfs",       "mqueue",      "nsfs",       "overlay",      "proc",
        "pstore",   "ramfs",       "rootfs",  "rpc_pipefs",      "securityfs",  "selinuxfs",  "squashfs",     "sysfs",
        "tmpfs",    "tracefs",     "nfsd",    "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "fuse.snapfuse"};
    return kPseudo.contains(type);
}

QList<MountedVolume> parseMounts(const QByteArray& text)
{
    QList<MountedVolume> mounts;
    const QByteArrayList lines = text.split('\n');
    for (const QByteArray& line : lines) {
        const QByteArrayList fields = line.simplified().split(' ');
        if (fields.size() < 3 || !fields.at(1).startsWith('/'))
            continue;
        mounts.append({EnsureTrailingSeparator(QFile::decodeName(unescapeOctal(fields.at(1)))), fields.at(2), {}});
    }
    return mounts;
}

} // namespace MountTable
