#include "core/platform/PosixFileSystem.h"

#include "core/platform/FileNames.h"
#include "core/platform/PosixFileOps.h"
#include "core/platform/PosixFolderScan.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <memory>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace PosixFileOps;

namespace {

// The list of hidden names that file managers keep in a folder.
const QByteArray kHiddenList = QByteArrayLiteral("/.hidden");
constexpr qint64 kHiddenListLimit = 16 * 1024 * 1024;

QDateTime localFrom(const struct statx_timestamp& ts)
{
    return QDateTime::fromSecsSinceEpoch(ts.tv_sec);
}

bool statxAt(int folder, const char* path, struct statx* out, bool follow)
{
    const int flags = AT_STATX_SYNC_AS_STAT | (follow ? 0 : AT_SYMLINK_NOFOLLOW);
    return statx(folder, path, flags, STATX_BASIC_STATS | STATX_BTIME, out) == 0;
}

bool statxPath(const QByteArray& path, struct statx* out, bool follow)
{
    return statxAt(AT_FDCWD, path.constData(), out, follow);
}

// The roots of mounted volumes ("/" aside). The kernel says so directly; older kernels are asked by device
// number: a mount root lives on another device than its parent. The path is asked for only then.
template <typename PathOf> bool isMountRoot(const struct statx& sx, const PathOf& pathOf)
{
    if (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
        return (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    const QByteArray path = pathOf();
    struct stat parent;
    if (stat((path + "/..").constData(), &parent) != 0)
        return false;
    return makedev(sx.stx_dev_major, sx.stx_dev_minor) != parent.st_dev || sx.stx_ino == parent.st_ino;
}

QList<QByteArray> hiddenNames(const QByteArray& parent)
{
    QList<QByteArray> names;
    const FileRead data = PosixFileSystem::readRegularFile(parent + kHiddenList, kHiddenListLimit);
    for (QByteArray line : data.bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            names.append(line);
    }
    return names;
}

QString nameOfUser(uid_t uid)
{
    std::vector<char> buffer(16384);
    struct passwd pw;
    struct passwd* found = nullptr;
    if (getpwuid_r(uid, &pw, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

QString nameOfGroup(gid_t gid)
{
    std::vector<char> buffer(16384);
    struct group gr;
    struct group* found = nullptr;
    if (getgrgid_r(gid, &gr, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->gr_name);
    return QString::number(gid);
}

} // namespace

FsResult PosixFileSystem::fromErrno(int error)
{
    if (error == 0)
        return FsResult::success();
    const QString text = QString::fromLocal8Bit(std::strerror(error));
    switch (error) {
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
    case EXDEV:
        return FsResult::failure(FsResult::Kind::CrossDevice, text);
    default:
        return FsResult::failure(FsResult::Kind::Other, text);
    }
}

FsResult PosixFileSystem::renameByPlaceholder(const QByteArray& from, const QByteArray& to)
{
    return fromErrno(placeholderRename(from, to));
}

namespace {

// A rename inside the folder the cursor holds: the system need not look up the whole path of every rename
// in one folder. Anything but Renamed goes the whole way again, so that a failure reads as it always has.
enum class HeldRename {
    Renamed,
    Failed,  // in the folder the cursor holds now: the folders it holds are the one and those above it
    NotHeld, // the cursor may hold anything, the folder renamed too
};

// Longer names cannot be given on this system: their bytes are more than NAME_MAX.
constexpr qsizetype kNameMost = NAME_MAX;

// The name of a path in the folder the cursor holds (its trailing separator left out), when the path is
// that folder and one name; else empty.
QStringView nameInHeldFolder(QStringView path, const FolderCursor& cursor)
{
    // Compared as equal texts, which is quicker than a look at how the path starts.
    const qsizetype folderSize = cursor.folder.size();
    if (folderSize == 0 || path.size() <= folderSize || path.first(folderSize) != cursor.folder)
        return {};
    QStringView name = path.sliced(folderSize);
    if (name.endsWith(u'/'))
        name.chop(1);
    if (name.size() > kNameMost || name == u"." || name == u".." || name.contains(u'/'))
        return {};
    return name;
}

HeldRename renamedInHeldFolder(const QString& oldPath, const QString& newPath, FolderCursor& cursor)
{
    // Mostly both paths name a folder in the one the cursor holds: then their names are all that is worked
    // out, on the stack. The bytes are as inFolder gives them, and so is what goes the whole way.
    const QStringView fromName = nameInHeldFolder(oldPath, cursor);
    const QStringView toName = nameInHeldFolder(newPath, cursor);
    if (!fromName.isEmpty() && !toName.isEmpty()) {
        char from[3 * kNameMost + 1];
        char to[3 * kNameMost + 1];
        char* const fromEnd = FileNames::encodeInto(from, fromName);
        char* const toEnd = FileNames::encodeInto(to, toName);
        const qsizetype folderMost = cursor.folder.size() * 3;
        const bool fits = folderMost + (fromEnd - from) < PATH_MAX && folderMost + (toEnd - to) < PATH_MAX;
        // A name that holds a NUL would end early.
        const bool whole = !std::memchr(from, 0, static_cast<size_t>(fromEnd - from)) &&
                           !std::memchr(to, 0, static_cast<size_t>(toEnd - to));
        if (fits && whole) {
            *fromEnd = 0;
            *toEnd = 0;
            const int fd = heldFolder(cursor, cursor.folder);
            if (fd < 0)
                return HeldRename::NotHeld;
            return renameat2(fd, from, fd, to, RENAME_NOREPLACE) == 0 ? HeldRename::Renamed : HeldRename::Failed;
        }
    }
    const std::optional<InFolder> from = inFolder(oldPath, cursor.folder);
    const std::optional<InFolder> to = inFolder(newPath, cursor.folder);
    if (!from || !to || from->folder != to->folder)
        return HeldRename::NotHeld;
    const int fd = heldFolder(cursor, from->folder);
    if (fd < 0)
        return HeldRename::NotHeld;
    return renameat2(fd, from->name.constData(), fd, to->name.constData(), RENAME_NOREPLACE) == 0 ? HeldRename::Renamed
                                                                                                  : HeldRename::Failed;
}

} // namespace

FsResult PosixFileSystem::renameFolder(const QString& oldPath, const QString& newPath, FolderCursor* cursor)
{
    const HeldRename held = cursor ? renamedInHeldFolder(oldPath, newPath, *cursor) : HeldRename::NotHeld;
    if (held == HeldRename::Renamed)
        return FsResult::success();
    const QByteArray from = native(oldPath);
    const QByteArray to = native(newPath);
    if (from.isEmpty())
        return fromErrno(ENOENT);
    if (to.isEmpty())
        return fromErrno(EINVAL);
    int error = renameNoReplace(from, to);
    // The target "exists" as the folder itself when only the letter case changes on a file system that
    // ignores case: then go through a temporary name. Only this case needs the extra looks.
    if (error == EEXIST && from != to) {
        struct stat source;
        struct stat target;
        if (lstat(from.constData(), &source) == 0 && lstat(to.constData(), &target) == 0 &&
            target.st_ino == source.st_ino && target.st_dev == source.st_dev)
            error = renameThroughTemporary(from, to);
    }
    // The folder renamed the whole way may be one the cursor holds, under a path that no longer leads to it;
    // a folder inside the one it holds (where the system only lacks the flag for a held rename) is not.
    if (cursor && error == 0 && held == HeldRename::NotHeld)
        *cursor = {};
    return fromErrno(error);
}

bool PosixFileSystem::folderExists(const QString& path) const
{
    struct stat st;
    return stat(native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::fileExists(const QString& path) const
{
    struct stat st;
    return stat(native(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PosixFileSystem::isRoot(const QString& path) const
{
    return pathInfo(path).isRoot;
}

QString PosixFileSystem::absolutePath(const QString& path) const
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')))
        return path.isEmpty() ? path : QDir::cleanPath(path);
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        return QDir::cleanPath(path);
    return QDir::cleanPath(FileNames::decode(buffer) + QLatin1Char('/') + path);
}

QString PosixFileSystem::resolvedPath(const QString& path) const
{
    QByteArray p = native(path);
    if (p.isEmpty())
        return {};
    if (!p.startsWith('/')) {
        char cwd[PATH_MAX];
        if (!getcwd(cwd, sizeof cwd))
            return {};
        p = QByteArray(cwd) + '/' + p;
    }
    const QByteArray name = lastComponent(p);
    const bool whole = name == "." || name == ".." || p == "/";
    const QByteArray parent = whole ? p : parentOf(p);
    char buffer[PATH_MAX];
    if (!realpath(parent.isEmpty() ? "/" : parent.constData(), buffer))
        return {};
    QByteArray resolved(buffer);
    if (!whole)
        resolved += (resolved.endsWith('/') ? QByteArray() : QByteArrayLiteral("/")) + name;
    return FileNames::decode(resolved);
}

FsResult PosixFileSystem::createFolder(const QString& path)
{
    if (mkdir(native(path).constData(), 0777) == 0)
        return FsResult::success();
    return fromErrno(errno);
}

QList<SubfolderInfo> PosixFileSystem::listSubfolders(const QString& folder, bool withLinks) const
{
    QList<SubfolderInfo> folders = scanFolderAt(absolutePath(folder), false).subfolders;
    if (!withLinks)
        folders.removeIf([](const SubfolderInfo& s) { return s.isLink; });
    return folders;
}

FolderScan PosixFileSystem::scanFolder(const QString& folder) const
{
    return scanFolderAt(absolutePath(folder), true);
}

QList<FileInfo> PosixFileSystem::listFiles(const QString& folder) const
{
    QList<FileInfo> files;
    const QString base = absolutePath(folder);
    forEachEntry(native(base), [&](const char* name, unsigned char type, int fd) {
        if (type != DT_REG && type != DT_LNK)
            return;
        struct statx sx;
        if (statx(fd, name, AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0 || !S_ISREG(sx.stx_mode))
            return;
        FileInfo info;
        info.name = FileNames::decode(name);
        info.path = PathInFolder(base, info.name);
        info.size = static_cast<qint64>(sx.stx_size);
        if (hasBirthTime(sx))
            info.created = localFrom(sx.stx_btime);
        info.lastWrite = localFrom(sx.stx_mtime);
        info.lastAccess = localFrom(sx.stx_atime);
        files.append(info);
    });
    return files;
}

bool PosixFileSystem::readEntryNames(const QString& folder,
                                     const std::function<void(const QString& name, EntryKind kind)>& take,
                                     qint64* modified) const
{
    // Only the names: read in large steps straight from the kernel, without a look at each entry, and
    // where we may without marking the folder as read (a check should not write to the disk).
    const QByteArray path = native(absolutePath(folder));
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    const auto openFolder = [&](int flags) {
        int fd = -1;
        do
            fd = open(path.constData(), flags);
        while (fd < 0 && errno == EINTR);
        return fd;
    };
    int fd = openFolder(kFlags | O_NOATIME);
    if (fd < 0 && errno == EPERM) // not the folder's owner
        fd = openFolder(kFlags);
    if (fd < 0)
        return false;
    // Closed however the reading ends, also when take throws.
    const std::unique_ptr<int, void (*)(const int*)> closer(&fd, [](const int* held) { close(*held); });
    if (modified) {
        struct stat st;
        if (fstat(fd, &st) != 0)
            return false;
        *modified = st.st_mtim.tv_sec;
    }
    alignas(dirent64) char buffer[32 * 1024];
    for (;;) {
        const ssize_t filled = getdents64(fd, buffer, sizeof buffer);
        if (filled < 0 && errno == EINTR)
            continue;
        if (filled <= 0)
            return filled == 0;
        for (ssize_t at = 0; at < filled;) {
            const auto* e = reinterpret_cast<const dirent64*>(buffer + at);
            at += e->d_reclen;
            if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
                continue;
            const EntryKind kind = e->d_type == DT_DIR       ? EntryKind::Folder
                                   : e->d_type == DT_LNK     ? EntryKind::Link
                                   : e->d_type == DT_UNKNOWN ? EntryKind::Unknown
                                                             : EntryKind::Other;
            take(FileNames::decode(e->d_name), kind);
        }
    }
}

FsResult PosixFileSystem::copyFile(const QString& source, const QString& target, bool overwrite)
{
    const QByteArray from = native(source);
    const QByteArray to = native(target);
    if (to.isEmpty())
        return fromErrno(EINVAL);
    const int in = open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return fromErrno(errno);
    struct stat st;
    int error = fstat(in, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    struct stat existing;
    if (error == 0 && !overwrite && lstat(to.constData(), &existing) == 0)
        error = EEXIST; // known before copying a large file; the final rename checks again
    // The copy goes to a temporary file first: a failed copy never leaves half a target, and an
    // overwritten target is replaced in one step.
    const QByteArray temp = temporaryName(parentOf(to), "copy");
    if (error == 0)
        error = copyContents(in, st, temp, overwrite);
    close(in);
    if (error == 0) {
        if (overwrite)
            error = ::rename(temp.constData(), to.constData()) == 0 ? 0 : errno;
        else
            error = renameNoReplace(temp, to);
    }
    if (error != 0)
        unlink(temp.constData());
    return fromErrno(error);
}

FsResult PosixFileSystem::moveFile(const QString& source, const QString& target)
{
    const QByteArray from = native(source);
    const QByteArray to = native(target);
    if (from.isEmpty())
        return fromErrno(ENOENT);
    if (to.isEmpty())
        return fromErrno(EINVAL);
    const int error = renameNoReplace(from, to);
    if (error != EXDEV)
        return fromErrno(error);
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
    const QString abs = absolutePath(path);
    const QByteArray p = native(abs);
    struct stat st;
    if (lstat(p.constData(), &st) != 0)
        return fromErrno(errno);
    // The trash is Qt's; it reaches files by their names as Qt encodes them.
    if (QFile::encodeName(abs) != p)
        return FsResult::failure(FsResult::Kind::Other,
                                 QStringLiteral("The name is not valid UTF-8; the trash cannot take it."));
    QFile file(abs);
    if (file.moveToTrash())
        return FsResult::success();
    return FsResult::failure(FsResult::Kind::Other, file.errorString());
}

int PosixFileSystem::attributes(const QString& path) const
{
    const QByteArray p = native(absolutePath(path));
    struct stat st;
    if (stat(p.constData(), &st) != 0)
        return -1;
    int bits = 0;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        bits |= AttrReadOnly;
    const QByteArray name = lastComponent(p);
    if (name.startsWith('.') || (!name.isEmpty() && hiddenNames(parentOf(p)).contains(name)))
        bits |= AttrHidden;
    return bits;
}

FsResult PosixFileSystem::setAttributes(const QString& path, int bits)
{
    const QByteArray p = native(absolutePath(path));
    struct stat st;
    if (stat(p.constData(), &st) != 0)
        return fromErrno(errno);
    FsResult result;
    const mode_t old = st.st_mode & 07777;
    const mode_t mode = (bits & AttrReadOnly) ? (old & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (old | S_IWUSR);
    if (mode != old && chmod(p.constData(), mode) != 0)
        result = fromErrno(errno);

    const QByteArray name = lastComponent(p);
    const bool wantHidden = bits & AttrHidden;
    // A root has no parent to list it in, and a dot-name is hidden by its name alone.
    if ((name.isEmpty() && wantHidden) || (name.startsWith('.') && !wantHidden))
        return result.ok() ? fromErrno(EINVAL) : result;
    if (name.isEmpty() || name.startsWith('.'))
        return result;
    const QByteArray parent = parentOf(p);
    QList<QByteArray> hidden = hiddenNames(parent);
    if (hidden.contains(name) == wantHidden)
        return result;
    if (wantHidden)
        hidden.append(name);
    else
        hidden.removeAll(name);
    const QByteArray data = hidden.isEmpty() ? QByteArray() : hidden.join('\n') + '\n';
    const FsResult listed = writeFileAtomic(FileNames::decode(parent + kHiddenList), data);
    return result.ok() ? listed : result;
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
    if (hasBirthTime(sx))
        times.created = localFrom(sx.stx_btime);
    times.lastAccess = localFrom(sx.stx_atime);
    times.lastWrite = localFrom(sx.stx_mtime);
    return times;
}

FsResult PosixFileSystem::setFolderTime(const QString& path, FolderTimeKind which, const QDateTime& localTime)
{
    if (which == FolderTimeKind::Created)
        return fromErrno(EOPNOTSUPP);
    if (!localTime.isValid())
        return fromErrno(EINVAL);
    struct timespec times[2];
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_nsec = UTIME_OMIT;
    struct timespec& t = which == FolderTimeKind::LastAccess ? times[0] : times[1];
    t.tv_sec = static_cast<time_t>(localTime.toSecsSinceEpoch());
    t.tv_nsec = 0;
    return fromErrno(utimensat(AT_FDCWD, native(absolutePath(path)).constData(), times, 0) == 0 ? 0 : errno);
}

bool PosixFileSystem::canSetTime(FolderTimeKind which) const
{
    return which != FolderTimeKind::Created;
}

PathInfo PosixFileSystem::pathInfo(const QString& path, FolderCursor* cursor) const
{
    // In the folder the cursor holds; what cannot be looked at there (a missing entry, too) goes the
    // whole way, so that it reads as it always has. The whole path is made only when needed.
    const std::optional<InFolder> in = cursor ? inFolder(path, cursor->folder) : std::nullopt;
    const int fd = in ? heldFolder(*cursor, in->folder) : -1;
    QByteArray whole;
    const auto wholePath = [&]() -> const QByteArray& {
        if (whole.isEmpty())
            whole = native(absolutePath(path));
        return whole;
    };
    struct statx sx;
    const bool held = fd >= 0 && statxAt(fd, in->name.constData(), &sx, false);
    const auto look = [&](bool follow) {
        return held ? statxAt(fd, in->name.constData(), &sx, follow) : statxPath(wholePath(), &sx, follow);
    };
    PathInfo info;
    if (!held && !look(false))
        return info;
    if (S_ISLNK(sx.stx_mode)) {
        info.isLink = true;
        if (!look(true))
            return info; // a dangling link names nothing
    }
    const bool isRoot =
        !info.isLink && S_ISDIR(sx.stx_mode) && ((!held && wholePath() == "/") || isMountRoot(sx, wholePath));
    return folderInfo(sx, info.isLink, isRoot);
}

std::optional<FolderOwnership> PosixFileSystem::ownership(const QString& path) const
{
    struct stat st;
    if (stat(native(absolutePath(path)).constData(), &st) != 0)
        return std::nullopt;
    return FolderOwnership{nameOfUser(st.st_uid), nameOfGroup(st.st_gid), static_cast<uint>(st.st_mode & 07777)};
}
