#include "core/platform/PosixFileSystem.h"

#include "core/platform/FileNames.h"
#include "core/platform/PosixFileOps.h"

#include <QVarLengthArray>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace PosixFileOps;

// What PosixFileSystem gives a tree copy, move or delete: the entries of a folder as they are, and the
// steps that copy a link or a folder's own permissions and times.

std::optional<QList<FolderItem>> PosixFileSystem::listItems(const QString& folder) const
{
    const QString base = absolutePath(folder);
    DIR* dir = opendir(native(base).constData());
    if (!dir)
        return std::nullopt;
    const int fd = dirfd(dir);
    const QString prefix = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
    QList<FolderItem> items;
    bool readable = true;
    errno = 0;
    while (const dirent* d = readdir(dir)) {
        const char* name = d->d_name;
        if (qstrcmp(name, ".") == 0 || qstrcmp(name, "..") == 0)
            continue;
        struct stat st;
        if (fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            readable = false;
            break;
        }
        FolderItem item;
        item.name = FileNames::decode(name);
        item.path = prefix + item.name;
        if (S_ISDIR(st.st_mode))
            item.kind = FolderItem::Kind::Folder;
        else if (S_ISLNK(st.st_mode))
            item.kind = FolderItem::Kind::Link;
        else if (S_ISREG(st.st_mode)) {
            item.kind = FolderItem::Kind::File;
            item.size = static_cast<qint64>(st.st_size);
        }
        items.append(item);
        errno = 0;
    }
    if (errno != 0)
        readable = false;
    closedir(dir);
    if (!readable)
        return std::nullopt;
    return items;
}

FsResult PosixFileSystem::removeFolder(const QString& path)
{
    if (rmdir(native(path).constData()) == 0)
        return FsResult::success();
    return fromErrno(errno);
}

FsResult PosixFileSystem::copyLink(const QString& source, const QString& target)
{
    const QByteArray from = native(source);
    const QByteArray to = native(target);
    if (from.isEmpty() || to.isEmpty())
        return fromErrno(EINVAL);
    struct stat st;
    if (lstat(from.constData(), &st) != 0)
        return fromErrno(errno);
    if (!S_ISLNK(st.st_mode))
        return fromErrno(EINVAL);
    QVarLengthArray<char, 256> buffer(static_cast<qsizetype>(st.st_size) + 1);
    const ssize_t n = readlink(from.constData(), buffer.data(), static_cast<size_t>(buffer.size()));
    if (n < 0)
        return fromErrno(errno);
    if (n >= buffer.size())
        return fromErrno(EAGAIN); // the link changed while being read
    // symlink fails with EEXIST when the name is taken: nothing is replaced.
    if (symlink(QByteArray(buffer.data(), n).constData(), to.constData()) != 0)
        return fromErrno(errno);
    return FsResult::success();
}

FsResult PosixFileSystem::copyPermissionsAndTimes(const QString& source, const QString& target)
{
    const QByteArray from = native(source);
    const QByteArray to = native(target);
    struct stat st;
    if (from.isEmpty() || to.isEmpty() || stat(from.constData(), &st) != 0)
        return fromErrno(from.isEmpty() || to.isEmpty() ? EINVAL : errno);
    if (chmod(to.constData(), st.st_mode & 07777) != 0)
        return fromErrno(errno);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (utimensat(AT_FDCWD, to.constData(), times, 0) != 0)
        return fromErrno(errno);
    return FsResult::success();
}
