#include "core/platform/PosixFolderScan.h"

#include "core/platform/FileNames.h"
#include "core/platform/ParallelRuns.h"
#include "core/platform/PosixFileOps.h"

#include <fcntl.h>
#include <string>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <vector>

namespace PosixFileOps {

namespace {

// Entries are read in runs of this many, then looked at; a run this long is shared with a second thread.
constexpr size_t kRun = 8192;
constexpr size_t kSharedFrom = 2048;

bool isLinkToFolder(int fd, const char* name)
{
    struct stat st;
    return fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
}

// File systems whose folders have two links plus one for each subfolder: there a folder with two links
// holds no subfolder. Others (btrfs, network and FUSE file systems) may not count them.
bool countsSubfolderLinks(int fd)
{
    struct statfs fs;
    if (fstatfs(fd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x58465342: // xfs
    case 0x01021994: // tmpfs
    case 0xF2F52010: // f2fs
        return true;
    default:
        return false;
    }
}

// The entries of one open folder read but not yet looked at: their names one after another.
class ReadEntries
{
public:
    void add(const char* name, unsigned char type)
    {
        m_entries.push_back({m_names.size(), type});
        m_names.append(name).push_back('\0');
    }
    size_t size() const { return m_entries.size(); }
    const char* name(size_t i) const { return m_names.data() + m_entries[i].first; }
    unsigned char type(size_t i) const { return m_entries[i].second; }
    void clear()
    {
        m_names.clear();
        m_entries.clear();
    }

private:
    std::string m_names;
    std::vector<std::pair<size_t, unsigned char>> m_entries;
};

// What scanning one folder with details needs to know while it looks at the entries.
struct Scan
{
    int fd = -1;
    dev_t device = 0;
    bool countsLinks = false;
};

// Looks at one entry of the folder: a file adds its bytes, a folder or a link to one fills sub.
bool lookAt(const Scan& scan, const char* name, unsigned char type, SubfolderInfo& sub, qint64& fileBytes)
{
    if (type == DT_REG) {
        struct stat st;
        if (fstatat(scan.fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            fileBytes += st.st_size;
        return false;
    }
    if (type != DT_DIR && type != DT_LNK)
        return false;
    const bool isLink = type == DT_LNK;
    struct statx sx;
    const int flags = AT_STATX_SYNC_AS_STAT | (isLink ? 0 : AT_SYMLINK_NOFOLLOW);
    if (statx(scan.fd, name, flags, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0 || !S_ISDIR(sx.stx_mode))
        return false;
    const bool root = !isLink && (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT
                                      ? (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0
                                      : makedev(sx.stx_dev_major, sx.stx_dev_minor) != scan.device);
    sub.info = folderInfo(sx, isLink, root);
    sub.info.holdsNoFolder = !isLink && !root && sx.stx_nlink == 2 && scan.countsLinks;
    sub.name = FileNames::decode(name);
    sub.isLink = isLink;
    return true;
}

// Looks at the entries read, in their order; a long run on two threads, since a folder of a hundred
// thousand subfolders otherwise keeps one core busy while the other waits for it.
void lookAtAll(const Scan& scan, const ReadEntries& read, FolderScan& result)
{
    const size_t n = read.size();
    std::vector<SubfolderInfo> subs(n);
    std::vector<char> listed(n, 0);
    qint64 bytes[2] = {0, 0};
    const auto lookRange = [&](size_t from, size_t to, qint64& fileBytes) {
        for (size_t i = from; i < to; ++i)
            listed[i] = lookAt(scan, read.name(i), read.type(i), subs[i], fileBytes) ? 1 : 0;
    };
    const bool shared = n >= kSharedFrom &&
                        RunInTwoHalves(n, [&](size_t from, size_t to, int half) { lookRange(from, to, bytes[half]); });
    if (!shared)
        lookRange(0, n, bytes[0]);
    result.fileBytes += bytes[0] + bytes[1];
    for (size_t i = 0; i < n; ++i) {
        if (listed[i])
            result.subfolders.append(std::move(subs[i]));
    }
}

} // namespace

bool hasBirthTime(const struct statx& sx)
{
    return (sx.stx_mask & STATX_BTIME) && (sx.stx_btime.tv_sec != 0 || sx.stx_btime.tv_nsec != 0);
}

PathInfo folderInfo(const struct statx& sx, bool isLink, bool isRoot)
{
    PathInfo info;
    info.type = S_ISDIR(sx.stx_mode) ? PathInfo::Type::Folder : PathInfo::Type::File;
    info.isLink = isLink;
    info.isRoot = isRoot;
    if (hasBirthTime(sx))
        info.created = sx.stx_btime.tv_sec;
    info.lastWrite = sx.stx_mtime.tv_sec;
    info.lastAccess = sx.stx_atime.tv_sec;
    return info;
}

FolderScan scanFolderAt(const QString& base, bool withDetails)
{
    FolderScan result;
    dev_t device = 0;
    if (!withDetails) {
        result.readable = forEachEntry(
            native(base),
            [&](const char* name, unsigned char type, int fd) {
                if (type != DT_DIR && (type != DT_LNK || !isLinkToFolder(fd, name)))
                    return;
                SubfolderInfo sub;
                sub.name = FileNames::decode(name);
                sub.isLink = type == DT_LNK;
                result.subfolders.append(std::move(sub));
            },
            &device);
        result.device = device;
        return result;
    }
    Scan scan;
    ReadEntries read;
    const auto lookAtRead = [&](int fd) {
        if (read.size() == 0)
            return;
        if (scan.fd < 0) {
            scan.fd = fd;
            scan.device = device;
            scan.countsLinks = countsSubfolderLinks(fd);
        }
        lookAtAll(scan, read, result);
        read.clear();
    };
    result.readable = forEachEntry(
        native(base),
        [&](const char* name, unsigned char type, int fd) {
            if (type != DT_REG && type != DT_DIR && type != DT_LNK)
                return;
            read.add(name, type);
            if (read.size() == kRun)
                lookAtRead(fd);
        },
        &device, lookAtRead);
    result.device = device;
    return result;
}

} // namespace PosixFileOps
