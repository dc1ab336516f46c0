#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

struct FolderCursor;

struct stat;

// The system calls behind PosixFileSystem that work on native paths (bytes), each giving 0 or an errno.
namespace PosixFileOps {

// The bytes the system is given for a path: one trailing separator removed, nothing for a path that
// holds a NUL (the system would silently cut it there and reach another file).
QByteArray native(const QString& path);
// The folder part of a native path ("" for a name directly below the root, "." for a bare name).
QByteArray parentOf(const QByteArray& path);
QByteArray lastComponent(const QByteArray& path);
// A name for a temporary entry in a folder that no other run of the program picks at the same time.
QByteArray temporaryName(const QByteArray& folder, const char* purpose);

// A rename that never replaces anything: renameat2 with RENAME_NOREPLACE, or placeholderRename where
// the file system refuses the flag.
int renameNoReplace(const QByteArray& from, const QByteArray& to);
// Never replacing without the flag: a folder goes onto an empty placeholder folder made for it just now
// (mkdir fails atomically when the name is taken), anything else is hard-linked, then unlinked. Only
// where hard links are refused too does it check, then rename.
int placeholderRename(const QByteArray& from, const QByteArray& to);
// A rename whose new name is taken by the source itself (a case-only change on a case-insensitive file
// system) goes through a temporary name in the same folder.
int renameThroughTemporary(const QByteArray& from, const QByteArray& to);

// A path as the folder that holds it (ending in a separator) and its last name in the system's bytes, for
// work in the folder a cursor holds open.
struct InFolder
{
    QStringView folder;
    QByteArray name;
};
// Nothing for a path that must go the whole way: relative, with dot names or doubled separators (which
// the path's own reading may take apart differently), a NUL, or perhaps too long for the system. A
// folder equal to checked (one that passed before) is not looked through again.
std::optional<InFolder> inFolder(QStringView path, QStringView checked = {});
// The cursor's folder (one that inFolder gave), opened now when it holds another (from a folder above it
// that it holds, where it can); -1 when it cannot be opened.
int heldFolder(FolderCursor& cursor, QStringView folder);

[[nodiscard]] bool writeAll(int fd, const char* data, qsizetype size);
// Copies the bytes, permissions and times of an open file into a new file (flushed to disk when
// durable).
int copyContents(int in, const struct stat& st, const QByteArray& temp, bool durable);

} // namespace PosixFileOps
