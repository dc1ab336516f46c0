#include "platform/PosixFileSystem.h"

#include "settings/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray native(const QString& path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return QFile::encodeName(p);
}

QString fromNative(const char* name)
{
    return QFile::decodeName(name);
}

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QDateTime localFrom(const struct statx_timestamp& ts)
{
    return QDateTime::fromSecsSinceEpoch(ts.tv_sec);
}

bool statxPath(const QByteArray& path, struct statx* out, bool follow)
{
    const int flags = AT_STATX_SYNC_AS_STAT | (follow ? 0 : AT_SYMLINK_NOFOLLOW);
    return statx(AT_FDCWD, path.constData(), flags, STATX_BASIC_STATS | STATX_BTIME, out) == 0;
}

// Reads the names in a folder's ".hidden" file, the file managers' list of hidden entries.
QStringList hiddenList(const QString& parent)
{
    const QString text = TextCodec::readFile(joined(parent, QStringLiteral(".hidden")));
    return TextCodec::splitLines(text);
}

struct DirCloser
{
    void operator()(DIR* d) const
    {
        if (d)
            closedir(d);
    }
};

// Walks the entries of a folder; the callback receives the name, the entry type (DT_*) and the
// descriptor of the open folder for fstatat.
template <typename F> bool forEachEntry(const QString& folder, F&& callback)
{
    std::unique_ptr<DIR, DirCloser> dir(opendir(native(folder).constData()));
    if (!dir)
        return false;
    const int fd = dirfd(dir.get());
    while (const dirent* e = readdir(dir.get())) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st;
            if (fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : S_ISLNK(st.st_mode) ? DT_LNK : 0;
        }
        callback(e->d_name, type, fd);
    }
    return true;
}

} // namespace

FsResult PosixFileSystem::fromErrno(int error)
{
    const QString text = QString::fromLocal8Bit(std::strerror(error));
    switch (error) {
    case 0:
        return FsResult::success();
    case ENOENT:
    case ENOTDIR:
        return FsResult::failure(FsResult::Kind::NotFound, text);
    case EEXIST:
    case ENOTEMPTY:
        return FsResult::failure(FsResult::Kind::TargetExists, text);
    case EACCES:
    case EPERM:
    case EBUSY:
    case EROFS:
    case ETXTBSY:
        return FsResult::failure(FsResult::Kind::Access, text);
    default:
        return FsResult::failure(FsResult::Kind::Other, text);
    }
}

FsResult PosixFileSystem::renameFolder(const QString& oldPath, const QString& newPath)
{
    const QByteArray from = native(oldPath);
    const QByteArray to = native(newPath);
    struct stat source;
    if (lstat(from.constData(), &source) != 0)
        return fromErrno(errno);
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return FsResult::success();
    int error = errno;
    if (error == EEXIST) {
        // On a case-insensitive file system a case-only change finds "itself" as the target: go through
        // a temporary name in the same folder.
        struct stat target;
        if (lstat(to.constData(), &target) == 0 && target.st_ino == source.st_ino && target.st_dev == source.st_dev &&
            from != to) {
            QByteArray temp = from + ".dirwright-" + QByteArray::number(qint64(getpid()));
            if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, temp.constData(), RENAME_NOREPLACE) != 0)
                return fromErrno(errno);
            if (renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
                return FsResult::success();
            error = errno;
            ::rename(temp.constData(), from.constData());
        }
        return fromErrno(error);
    }
    if (error == EINVAL || error == ENOSYS) {
        // File systems without RENAME_NOREPLACE: check, then rename.
        struct stat target;
        if (lstat(to.constData(), &target) == 0)
            return fromErrno(EEXIST);
        if (::rename(from.constData(), to.constData()) == 0)
            return FsResult::success();
        error = errno;
    }
    return fromErrno(error);
}

bool PosixFileSystem::folderExists(const QString& path) const
{
    struct stat st;
    return !path.isEmpty() && stat(native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::fileExists(const QString& path) const
{
    struct stat st;
    return !path.isEmpty() && stat(native(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::isRoot(const QString& path) const
{
    const QByteArray p = native(absolutePath(path));
    if (p == "/")
        return true;
    struct stat self;
    struct stat parent;
    if (stat(p.constData(), &self) != 0 || stat((p + "/..").constData(), &parent) != 0)
        return false;
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

QString PosixFileSystem::absolutePath(const QString& path) const
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
}

FsResult PosixFileSystem::createFolder(const QString& path)
{
    if (mkdir(native(path).constData(), 0777) == 0)
        return FsResult::success();
    return fromErrno(errno);
}

QList<SubfolderInfo> PosixFileSystem::listSubfolders(const QString& folder) const
{
    return scanFolder(folder).subfolders;
}

FolderScan PosixFileSystem::scanFolder(const QString& folder) const
{
    FolderScan scan;
    const QString base = absolutePath(folder);
    scan.readable = forEachEntry(base, [&](const char* name, unsigned char type, int fd) {
        if (type == DT_DIR) {
            const QString n = fromNative(name);
            scan.subfolders.append({n, joined(base, n)});
        } else if (type == DT_REG) {
            struct stat st;
            if (fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0)
                scan.fileBytes += st.st_size;
        }
    });
    return scan;
}

QList<FileInfo> PosixFileSystem::listFiles(const QString& folder) const
{
    QList<FileInfo> files;
    const QString base = absolutePath(folder);
    forEachEntry(base, [&](const char* name, unsigned char type, int fd) {
        if (type != DT_REG && type != DT_LNK)
            return;
        struct statx sx;
        if (statx(fd, name, AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0 || !S_ISREG(sx.stx_mode))
            return;
        FileInfo info;
        info.name = fromNative(name);
        info.path = joined(base, info.name);
        info.size = static_cast<qint64>(sx.stx_size);
        if (sx.stx_mask & STATX_BTIME)
            info.created = localFrom(sx.stx_btime);
        info.lastWrite = localFrom(sx.stx_mtime);
        info.lastAccess = localFrom(sx.stx_atime);
        files.append(info);
    });
    return files;
}

FsResult PosixFileSystem::copyFile(const QString& source, const QString& target, bool overwrite)
{
    if (!fileExists(source))
        return fromErrno(ENOENT);
    if (QFileInfo::exists(target)) {
        if (!overwrite)
            return fromErrno(EEXIST);
        if (::unlink(native(target).constData()) != 0)
            return fromErrno(errno);
    }
    QFile file(source);
    if (file.copy(target))
        return FsResult::success();
    return FsResult::failure(FsResult::Kind::Other, file.errorString());
}

FsResult PosixFileSystem::moveFile(const QString& source, const QString& target)
{
    const QByteArray from = native(source);
    const QByteArray to = native(target);
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return FsResult::success();
    if (errno != EXDEV)
        return fromErrno(errno);
    // Another file system: copy, and delete the source only after a complete copy.
    const FsResult copied = copyFile(source, target, false);
    if (!copied.ok())
        return copied;
    return deleteFile(source);
}

FsResult PosixFileSystem::deleteFile(const QString& path)
{
    if (::unlink(native(path).constData()) == 0)
        return FsResult::success();
    return fromErrno(errno);
}

FsResult PosixFileSystem::moveToTrash(const QString& path)
{
    QFile file(absolutePath(path));
    if (!QFileInfo::exists(file.fileName()) && !QFileInfo(file.fileName()).isSymLink())
        return fromErrno(ENOENT);
    if (file.moveToTrash())
        return FsResult::success();
    return FsResult::failure(FsResult::Kind::Other, file.errorString());
}

int PosixFileSystem::attributes(const QString& path) const
{
    struct stat st;
    const QString abs = absolutePath(path);
    if (stat(native(abs).constData(), &st) != 0)
        return -1;
    int bits = 0;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        bits |= AttrReadOnly;
    const QFileInfo info(abs);
    if (info.fileName().startsWith(QLatin1Char('.')) || hiddenList(info.path()).contains(info.fileName()))
        bits |= AttrHidden;
    return bits;
}

bool PosixFileSystem::setAttributes(const QString& path, int bits)
{
    const QString abs = absolutePath(path);
    const QByteArray p = native(abs);
    struct stat st;
    if (stat(p.constData(), &st) != 0)
        return false;
    bool ok = true;
    mode_t mode = st.st_mode & 07777;
    mode = (bits & AttrReadOnly) ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    if (mode != (st.st_mode & 07777))
        ok = chmod(p.constData(), mode) == 0;

    const QFileInfo info(abs);
    const QString name = info.fileName();
    if (name.startsWith(QLatin1Char('.')))
        return ok && (bits & AttrHidden); // a dot-name is always hidden
    QStringList hidden = hiddenList(info.path());
    const bool listed = hidden.contains(name);
    const bool wantHidden = bits & AttrHidden;
    if (listed == wantHidden)
        return ok;
    if (wantHidden)
        hidden.append(name);
    else
        hidden.removeAll(name);
    hidden.removeAll(QString());
    const QString text = hidden.isEmpty() ? QString() : hidden.join(QLatin1Char('\n')) + QLatin1Char('\n');
    return TextCodec::writeFileAtomically(joined(info.path(), QStringLiteral(".hidden")), text) && ok;
}

bool PosixFileSystem::supportsAttribute(FolderAttribute attribute) const
{
    return attribute != AttrArchive;
}

std::optional<FolderTimes> PosixFileSystem::folderTimes(const QString& path) const
{
    struct statx sx;
    if (!statxPath(native(absolutePath(path)), &sx, true))
        return std::nullopt;
    FolderTimes times;
    if (sx.stx_mask & STATX_BTIME)
        times.created = localFrom(sx.stx_btime);
    times.lastAccess = localFrom(sx.stx_atime);
    times.lastWrite = localFrom(sx.stx_mtime);
    return times;
}

bool PosixFileSystem::setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime)
{
    if (which == FolderTimeKind::Created || !localTime.isValid())
        return false;
    struct timespec times[2];
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_nsec = UTIME_OMIT;
    struct timespec& t = which == FolderTimeKind::LastAccess ? times[0] : times[1];
    t.tv_sec = static_cast<time_t>(localTime.toSecsSinceEpoch());
    t.tv_nsec = 0;
    return utimensat(AT_FDCWD, native(absolutePath(path)).constData(), times, 0) == 0;
}

bool PosixFileSystem::canSetTime(FolderTimeKind which) const
{
    return which != FolderTimeKind::Created;
}
