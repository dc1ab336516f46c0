#include "core/platform/PosixFileSystem.h"

#include "core/platform/FileNames.h"
#include "core/platform/PosixAppendFile.h"
#include "core/platform/PosixFileOps.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QScopeGuard>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace PosixFileOps;

namespace {

// A regular file opened for reading, with its size, or why not: opened without blocking, so that a pipe
// without a writer cannot stall the program, then refused unless it is a regular file (a link to
// /dev/zero would never end). -1 for none.
int openRegularFile(const QByteArray& path, FsResult& result, qint64* size)
{
    if (path.isEmpty()) {
        result = PosixFileSystem::fromErrno(ENOENT);
        return -1;
    }
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result = PosixFileSystem::fromErrno(errno);
        return -1;
    }
    struct stat st;
    result = fstat(fd, &st) != 0    ? PosixFileSystem::fromErrno(errno)
             : !S_ISREG(st.st_mode) ? FsResult::failure(FsResult::Kind::NotRegularFile, {})
                                    : FsResult::success();
    if (!result.ok()) {
        close(fd);
        return -1;
    }
    *size = static_cast<qint64>(st.st_size);
    return fd;
}

} // namespace

// What PosixFileSystem does with the contents of files: reading them whole, replacing them atomically,
// appending records under a lock.

FsResult PosixFileSystem::writeFileAtomic(const QString& path, const QByteArray& bytes)
{
    const QByteArray p = native(absolutePath(path));
    const QByteArray name = lastComponent(p);
    if (p.isEmpty() || name.isEmpty())
        return fromErrno(ENOENT);
    // Qt reaches a file by its name as Qt encodes it. A folder whose name is not valid UTF-8 (a .hidden
    // list can be anywhere) is reached through a descriptor of it instead.
    QString qtPath = QFile::decodeName(p);
    int folder = -1;
    if (QFile::encodeName(qtPath) != p) {
        if (QFile::encodeName(QFile::decodeName(name)) != name)
            return FsResult::failure(FsResult::Kind::Other,
                                     QStringLiteral("The name is not valid UTF-8; it cannot be written."));
        folder = open(parentOf(p).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0)
            return fromErrno(errno);
        qtPath = QStringLiteral("/proc/self/fd/%1/").arg(folder) + QFile::decodeName(name);
    }
    const auto closeFolder = qScopeGuard([folder] {
        if (folder >= 0)
            close(folder);
    });

    // QSaveFile copies the old permissions only as Qt's flags, which lose the special bits and, for root,
    // read every file as writable: the mode is set here from the old file itself.
    struct stat old;
    const bool replacing = stat(p.constData(), &old) == 0;
    QSaveFile file(qtPath);
    // Failures of Qt's calls carry Qt's text, those of the system calls the system's; either way the
    // temporary file goes.
    const auto qtFailure = [&file] {
        const FsResult result = FsResult::failure(file.error() == QFileDevice::PermissionsError ? FsResult::Kind::Access
                                                                                                : FsResult::Kind::Other,
                                                  file.errorString());
        file.cancelWriting();
        return result;
    };
    const auto systemFailure = [&file] {
        const FsResult result = fromErrno(errno);
        file.cancelWriting();
        return result;
    };
    if (!file.open(QIODevice::WriteOnly))
        return qtFailure();
    if (replacing && fchmod(file.handle(), old.st_mode & 07777) != 0)
        return systemFailure();
    if (file.write(bytes) != bytes.size() || !file.flush())
        return qtFailure();
    if (fsync(file.handle()) != 0)
        return systemFailure();
    if (!file.commit())
        return FsResult::failure(FsResult::Kind::Other, file.errorString());
    return FsResult::success();
}

std::unique_ptr<AppendFile> PosixFileSystem::openAppend(const QString& path, AppendLock lock, FsResult& result)
{
    return PosixAppendFile::open(native(absolutePath(path)), lock, result);
}

FsResult PosixFileSystem::rewriteLocked(const QString& path,
                                        const std::function<std::optional<QByteArray>(const QByteArray&)>& change)
{
    const QByteArray p = native(absolutePath(path));
    constexpr int flags = O_RDONLY | O_CREAT | O_CLOEXEC;
    int fd = p.isEmpty() ? -1 : open(p.constData(), flags, 0666);
    if (fd < 0)
        return fromErrno(p.isEmpty() ? ENOENT : errno);
    const int error = PosixAppendFile::lockCurrent(fd, p, flags, true);
    // Closing the descriptor lets go of the lock, after the new file is in place.
    const auto closeFile = qScopeGuard([&fd] {
        if (fd >= 0)
            close(fd);
    });
    if (error != 0)
        return fromErrno(error);
    QByteArray current;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fromErrno(errno);
        if (n == 0)
            break;
        current.append(buffer, n);
    }
    const std::optional<QByteArray> next = change(current);
    return next ? writeFileAtomic(path, *next) : FsResult::success();
}

FileRead PosixFileSystem::readFile(const QString& path, qint64 maxBytes) const
{
    return readRegularFile(native(absolutePath(path)), maxBytes);
}

std::unique_ptr<QFileDevice> PosixFileSystem::openFile(const QString& path, FsResult& result) const
{
    qint64 size = 0;
    const int fd = openRegularFile(native(absolutePath(path)), result, &size);
    if (fd < 0)
        return nullptr;
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        result = FsResult::failure(FsResult::Kind::Other, file->errorString());
        close(fd);
        return nullptr;
    }
    return file;
}

FileRead PosixFileSystem::readRegularFile(const QByteArray& path, qint64 maxBytes)
{
    FileRead read;
    qint64 size = 0;
    const int fd = openRegularFile(path, read.result, &size);
    if (fd < 0)
        return read;
    if (size > maxBytes) {
        read.result = FsResult::failure(FsResult::Kind::TooLarge, {});
    } else {
        // The size is a hint only (the file may grow while it is read): the limit holds for what is read.
        read.bytes.reserve(static_cast<qsizetype>(size));
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                read.result = fromErrno(errno);
                break;
            }
            if (n == 0)
                break;
            if (read.bytes.size() + n > maxBytes) {
                read.result = FsResult::failure(FsResult::Kind::TooLarge, {});
                break;
            }
            read.bytes.append(buffer, n);
        }
    }
    close(fd);
    if (!read.ok())
        read.bytes.clear();
    return read;
}
