#include "core/platform/PosixAppendFile.h"

#include "core/platform/PosixFileOps.h"
#include "core/platform/PosixFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Non-blocking only so that a pipe standing in the file's place cannot stall the open; it is then refused.
constexpr int kOpenFlags = O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK;

int lockFd(int fd, int operation)
{
    while (flock(fd, operation) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

// True when the path still names the open file: a rewrite renames a new file over it, and a user may
// delete it.
bool namesOpenFile(int fd, const QByteArray& path)
{
    struct stat own;
    struct stat now;
    return fstat(fd, &own) == 0 && stat(path.constData(), &now) == 0 && own.st_ino == now.st_ino &&
           own.st_dev == now.st_dev;
}

} // namespace

int PosixAppendFile::lockCurrent(int& fd, const QByteArray& path, int openFlags, bool wait)
{
    for (;;) {
        if (const int error = lockFd(fd, LOCK_EX | (wait ? 0 : LOCK_NB)))
            return error;
        if (namesOpenFile(fd, path))
            return 0;
        // Replaced while we waited: the lock of the old file guards nothing any more.
        close(fd);
        fd = ::open(path.constData(), openFlags, 0666);
        if (fd < 0)
            return errno;
    }
}

std::unique_ptr<AppendFile> PosixAppendFile::open(const QByteArray& path, AppendLock lock, FsResult& result)
{
    int fd = path.isEmpty() ? -1 : ::open(path.constData(), kOpenFlags, 0666);
    if (fd < 0) {
        result = PosixFileSystem::fromErrno(path.isEmpty() ? ENOENT : errno);
        return nullptr;
    }
    // Appending to a pipe or a device would block or vanish; only a regular file holds records.
    if (struct stat st; fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        result = FsResult::failure(FsResult::Kind::NotRegularFile, {});
        return nullptr;
    }
    if (lock != AppendLock::PerRecord) {
        if (const int error = lockCurrent(fd, path, kOpenFlags, lock == AppendLock::Held)) {
            if (fd >= 0)
                close(fd);
            result = PosixFileSystem::fromErrno(error == EWOULDBLOCK ? EBUSY : error);
            return nullptr;
        }
    }
    result = FsResult::success();
    return std::unique_ptr<AppendFile>(new PosixAppendFile(fd, path, lock));
}

PosixAppendFile::PosixAppendFile(int fd, QByteArray path, AppendLock lock)
    : m_fd(fd)
    , m_path(std::move(path))
    , m_lock(lock)
{}

PosixAppendFile::~PosixAppendFile()
{
    if (m_fd >= 0)
        close(m_fd); // lets go of a held lock
}

FsResult PosixAppendFile::append(const QByteArray& bytes)
{
    if (m_fd < 0)
        return PosixFileSystem::fromErrno(EBADF);
    // A held lock keeps every other writer out, so only a per-record appender can find its file replaced.
    const bool perRecord = m_lock == AppendLock::PerRecord;
    if (perRecord) {
        if (const int error = lockCurrent(m_fd, m_path, kOpenFlags, true))
            return PosixFileSystem::fromErrno(error);
    }
    int error = 0;
    struct stat st;
    if (fstat(m_fd, &st) != 0)
        error = errno;
    QByteArray record;
    char last = '\n';
    if (error == 0 && st.st_size > 0 && pread(m_fd, &last, 1, st.st_size - 1) == 1 && last != '\n')
        record = "\n";
    record += bytes;
    errno = 0;
    if (error == 0 && !PosixFileOps::writeAll(m_fd, record.constData(), record.size())) {
        error = errno != 0 ? errno : EIO;
        // A half-written record would run into the next one: the file goes back to where it was. Should
        // that fail too, the next append starts on a fresh line all the same.
        [[maybe_unused]] const int cut = ftruncate(m_fd, st.st_size);
    }
    if (perRecord)
        lockFd(m_fd, LOCK_UN);
    return PosixFileSystem::fromErrno(error);
}

QByteArray PosixAppendFile::readAll()
{
    QByteArray all;
    char buffer[65536];
    off_t at = 0;
    for (;;) {
        const ssize_t n = pread(m_fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return all;
        all.append(buffer, n);
        at += n;
    }
}

QByteArray PosixAppendFile::readTail(qint64 bytes)
{
    struct stat st;
    if (fstat(m_fd, &st) != 0)
        return {};
    const qint64 size = std::min<qint64>(bytes, st.st_size);
    QByteArray tail(size, Qt::Uninitialized);
    ssize_t n = -1;
    do {
        n = pread(m_fd, tail.data(), static_cast<size_t>(size), st.st_size - size);
    } while (n < 0 && errno == EINTR);
    tail.resize(std::max<ssize_t>(n, 0));
    return tail;
}

FsResult PosixAppendFile::clear()
{
    return PosixFileSystem::fromErrno(ftruncate(m_fd, 0) == 0 ? 0 : errno);
}
