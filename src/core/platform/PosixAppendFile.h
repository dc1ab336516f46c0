#pragma once

#include "core/platform/AppendFile.h"

#include <memory>

// AppendFile on a descriptor opened with O_APPEND; the lock is flock(2), which belongs to the open file,
// so two appenders in one process exclude each other as two processes do.
class PosixAppendFile : public AppendFile
{
public:
    // Nothing, and the reason in result, when the file cannot be opened or (HeldIfFree) is locked.
    static std::unique_ptr<AppendFile> open(const QByteArray& path, AppendLock lock, FsResult& result);
    // Takes the exclusive lock of an open descriptor of path, following the path when the file was
    // replaced while waiting: fd then names the current file, locked. 0 or an errno.
    static int lockCurrent(int& fd, const QByteArray& path, int openFlags, bool wait);
    ~PosixAppendFile() override;

    FsResult append(const QByteArray& bytes) override;
    QByteArray readAll() override;
    QByteArray readTail(qint64 bytes) override;
    FsResult clear() override;

private:
    PosixAppendFile(int fd, QByteArray path, AppendLock lock);

    int m_fd;
    QByteArray m_path;
    AppendLock m_lock;
};
