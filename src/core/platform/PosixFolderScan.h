#pragma once

#include "core/platform/FileSystem.h"

#include <QByteArray>
#include <QString>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <type_traits>

// Reading folders for PosixFileSystem: their entries, and what a walk learns of each subfolder.
namespace PosixFileOps {

struct DirCloser
{
    void operator()(DIR* d) const { closedir(d); }
};

// Walks the entries of a folder; the callback receives the name, the entry type (DT_*) and the
// descriptor of the open folder for fstatat. atEnd, when given, gets the descriptor once all are read.
template <typename F, typename AtEnd = std::nullptr_t>
bool forEachEntry(const QByteArray& folder, F&& callback, dev_t* device = nullptr, AtEnd atEnd = nullptr)
{
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.constData()));
    if (!dir)
        return false;
    const int fd = dirfd(dir.get());
    struct stat self;
    if (device && fstat(fd, &self) == 0)
        *device = self.st_dev;
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
    if constexpr (!std::is_same_v<AtEnd, std::nullptr_t>)
        atEnd(fd);
    return true;
}

// Some file systems and unpacked images report a birth time of exactly the epoch when they keep none.
bool hasBirthTime(const struct statx& sx);

PathInfo folderInfo(const struct statx& sx, bool isLink, bool isRoot);

// The subfolders of the folder at base. With details, every subfolder is looked at (relative to the
// open folder, which is cheaper than by its full path later; a large folder on two threads) and the
// regular files are measured.
FolderScan scanFolderAt(const QString& base, bool withDetails);

} // namespace PosixFileOps
