#include "core/platform/PosixFileOps.h"

#include "core/platform/FileNames.h"
#include "core/platform/FileSystem.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace PosixFileOps {

QByteArray native(const QString& path)
{
    QByteArray p = FileNames::encode(path);
    // A NUL would cut the path short in the system call.
    if (p.isEmpty() || p.contains('\0'))
        return {};
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    return p;
}

QByteArray parentOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return path.left(slash);
}

QByteArray lastComponent(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray temporaryName(const QByteArray& folder, const char* purpose)
{
    static std::atomic<unsigned> counter{0};
    return folder + "/.dirwright-" + purpose + '-' + QByteArray::number(qint64(getpid())) + '-' +
           QByteArray::number(counter++);
}

int placeholderRename(const QByteArray& from, const QByteArray& to)
{
    struct stat st;
    if (lstat(from.constData(), &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode)) {
        if (mkdir(to.constData(), 0700) != 0)
            return errno;
        if (::rename(from.constData(), to.constData()) == 0)
            return 0;
        const int error = errno;
        rmdir(to.constData()); // our own placeholder; left alone should anybody have filled it meanwhile
        return error;
    }
    if (link(from.constData(), to.constData()) == 0) {
        if (unlink(from.constData()) == 0)
            return 0;
        const int error = errno;
        unlink(to.constData());
        return error;
    }
    const int error = errno;
    if (error != EPERM && error != EOPNOTSUPP && error != EMLINK && error != ENOSYS)
        return error;
    // Neither the flag nor hard links: check, then rename. A non-folder can never replace a folder.
    if (lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
        return error;
    if (to.startsWith(from + '/'))
        return EINVAL; // a folder into itself, not a missing flag
    return placeholderRename(from, to);
}

// A case-insensitive file system sees the new name of a case-only change as taken (by the folder itself):
// rename through a temporary name in the same folder, and put the folder back should the second step fail.
int renameThroughTemporary(const QByteArray& from, const QByteArray& to)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temp = temporaryName(parentOf(from), "rename");
        int error = renameNoReplace(from, temp);
        if (error == EEXIST)
            continue;
        if (error != 0)
            return error;
        error = renameNoReplace(temp, to);
        if (error != 0)
            renameNoReplace(temp, from);
        return error;
    }
    return EEXIST;
}

bool writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

int copyContents(int in, const struct stat& st, const QByteArray& temp, bool durable)
{
    const int out = open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0)
        return errno;
    int error = 0;
    char buffer[128 * 1024];
    for (;;) {
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            break;
        }
        if (n == 0)
            break;
        if (!writeAll(out, buffer, n)) {
            error = errno ? errno : EIO;
            break;
        }
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (error == 0 && (fchmod(out, st.st_mode & 07777) != 0 || futimens(out, times) != 0))
        error = errno;
    if (error == 0 && durable && fsync(out) != 0)
        error = errno;
    if (close(out) != 0 && error == 0)
        error = errno;
    return error;
}

std::optional<InFolder> inFolder(QStringView path, QStringView checked)
{
    if (path.endsWith(u'/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0 || !path.startsWith(u'/'))
        return std::nullopt;
    const QStringView folder = path.first(slash + 1);
    const QStringView name = path.sliced(slash + 1);
    if (name.isEmpty() || name == u"." || name == u"..")
        return std::nullopt;
    if (folder != checked && (folder.contains(u"//") || folder.contains(u"/./") || folder.contains(u"/../")))
        return std::nullopt;
    QByteArray bytes = FileNames::encode(name);
    // UTF-8 takes at most three bytes for a UTF-16 unit.
    if (bytes.contains('\0') || folder.size() * 3 + bytes.size() >= PATH_MAX)
        return std::nullopt;
    return InFolder{folder, std::move(bytes)};
}

namespace {

// The folders a cursor holds open: a chain, each folder inside the one before it, the last one the
// cursor's folder. A folder below one of them is opened from there, which looks up only the names
// between them; lists that go through a tree folder by folder mostly go down one level or back up.
// Renames through the cursor happen in its folder and so never move a folder of the chain. The paths are
// taken as they come: the callers' folder paths are resolved ones, with no link in them that could lead
// from a folder of the chain back into a folder renamed.
class HeldFolders
{
public:
    HeldFolders() = default;
    HeldFolders(const HeldFolders&) = delete;
    HeldFolders& operator=(const HeldFolders&) = delete;
    ~HeldFolders()
    {
        while (!m_chain.empty())
            drop();
    }

    int open(QStringView folder)
    {
        // Leave the folders the new one is not inside.
        while (!m_chain.empty() && !folder.startsWith(m_chain.back().path))
            drop();
        if (!m_chain.empty() && m_chain.back().path.size() == folder.size())
            return current();
        if (m_chain.empty()) {
            // Nothing held above it: the folder above is held too, for the folders beside this one and for
            // the rename of this one itself, which come next in most lists.
            if (const qsizetype slash = folder.first(folder.size() - 1).lastIndexOf(u'/'); slash >= 0) {
                const QStringView above = folder.first(slash + 1);
                push(above, ::open(native(above.toString()).constData(), kFlags));
            }
        }
        if (m_chain.empty())
            return push(folder, ::open(native(folder.toString()).constData(), kFlags));
        const QByteArray below = FileNames::encode(folder.sliced(m_chain.back().path.size()));
        // A NUL would cut the path short; such a path goes the whole way, which refuses it.
        return below.contains('\0') ? -1 : push(folder, openat(m_chain.back().fd, below.constData(), kFlags));
    }

    int current() const { return m_chain.empty() ? -1 : m_chain.back().fd; }

private:
    static constexpr int kFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    static constexpr size_t kDepth = 8; // folders held at most; the outermost goes first

    struct Held
    {
        QString path; // ending in a separator
        int fd;
    };

    // fd, now held as the folder at path; -1 when the open failed.
    int push(QStringView path, int fd)
    {
        if (fd < 0)
            return -1;
        if (m_chain.size() == kDepth) {
            close(m_chain.front().fd);
            m_chain.erase(m_chain.begin());
        }
        try {
            m_chain.push_back({path.toString(), fd});
        } catch (...) {
            close(fd);
            throw;
        }
        return fd;
    }

    void drop()
    {
        close(m_chain.back().fd);
        m_chain.pop_back();
    }

    std::vector<Held> m_chain;
};

} // namespace

int heldFolder(FolderCursor& cursor, QStringView folder)
{
    if (!cursor.handle)
        cursor.handle = std::make_shared<HeldFolders>();
    auto* held = static_cast<HeldFolders*>(cursor.handle.get());
    if (cursor.folder == folder)
        return held->current();
    const int fd = held->open(folder);
    if (fd < 0) {
        cursor.folder.clear();
        return -1;
    }
    cursor.folder = folder.toString();
    return fd;
}

} // namespace PosixFileOps
