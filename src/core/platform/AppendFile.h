#pragma once

#include "core/platform/FileSystem.h"

#include <QByteArray>

// A file that records are appended to, one whole record per write, under the exclusive advisory lock
// (flock) that every writer of the file takes: a rewrite through FileSystem::rewriteLocked and the
// appends of other processes take turns with it, so no record is lost and none goes to a file that was
// replaced in the meantime.
class AppendFile
{
public:
    virtual ~AppendFile() = default;

    // Appends the bytes at the end of the file. With a lock per record, a file that was replaced (renamed
    // over) or removed since it was opened is opened again first; a last line another writer left without its line end
    // gets one, so two records are never joined; a write that fails half-way is cut back.
    virtual FsResult append(const QByteArray& bytes) = 0;
    // The whole file as it is now.
    virtual QByteArray readAll() = 0;
    // Its last bytes (all of it when shorter), without reading the rest.
    virtual QByteArray readTail(qint64 bytes) { return readAll().right(bytes); }
    // Empties the file in place (the lock stays with it).
    virtual FsResult clear() = 0;
};
