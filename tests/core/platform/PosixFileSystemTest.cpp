#include "core/platform/PosixFileSystem.h"
#include "core/platform/FileNames.h"
#include "core/settings/TextCodec.h"
#include "support/TestTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStorageInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <tuple>
#include <unistd.h>

namespace {

using Kind = FsResult::Kind;

// Leftover temporary entries of renames and copies.
QStringList leftovers(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".dirwright-*")}, QDir::AllEntries | QDir::Hidden | QDir::System);
}

// The normal rename and the one used where RENAME_NOREPLACE is refused must both never replace anything.
TEST(PosixFileSystem, RenameNeverReplacesWithOrWithoutTheNoReplaceFlag)
{
    struct Case
    {
        QStringList tree;
        QString from, to;
        Kind expected;
    };
    const Case cases[] = {{{"A/x=3"}, "A", "B", Kind::Ok},
                          {{"A/x=3", "B/"}, "A", "B", Kind::TargetExists},
                          {{"A/", "B/y=1"}, "A", "B", Kind::TargetExists},
                          {{"A/", "B=4"}, "A", "B", Kind::TargetExists},
                          {{"a=1", "b=2"}, "a", "b", Kind::TargetExists},
                          {{"a=1", "B/"}, "a", "B", Kind::TargetExists},
                          {{"B/"}, "missing", "C", Kind::NotFound},
                          {{"A/"}, "A", "none/B", Kind::NotFound},
                          {{"A/"}, "A", "A/B", Kind::Other}};
    PosixFileSystem fs;
    enum class Way { Plain, Placeholder, Cursor };
    for (const Way way : {Way::Plain, Way::Placeholder, Way::Cursor}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((c.from + " -> " + c.to + QString::number(static_cast<int>(way))).toStdString());
            TestTree tree(c.tree);
            const auto target = [&] {
                return QDir(tree.path(c.to)).entryList(QDir::AllEntries)
                       << QString::number(QFileInfo(tree.path(c.to)).size());
            };
            const QStringList before = target();
            FolderCursor cursor;
            const FsResult result =
                way == Way::Placeholder
                    ? PosixFileSystem::renameByPlaceholder(FileNames::encode(tree.path(c.from)),
                                                           FileNames::encode(tree.path(c.to)))
                    : fs.renameFolder(tree.path(c.from), tree.path(c.to), way == Way::Cursor ? &cursor : nullptr);
            EXPECT_EQ(result.kind, c.expected) << result.systemText.toStdString();
            EXPECT_EQ(result.ok(), result.systemText.isEmpty());
            EXPECT_EQ(tree.exists(c.from), !result.ok() && c.from != "missing");
            EXPECT_EQ(target() == before, !result.ok()) << "a failed rename leaves the target untouched";
            EXPECT_TRUE(leftovers(tree.root()).isEmpty());
        }
    }
}

// A cursor keeps a folder open between renames; it must never make a rename reach a folder that the path
// no longer names.
TEST(PosixFileSystem, RenamesThroughACursorGoWhereThePathsNowLead)
{
    TestTree tree({"P/a/", "P/b/", "P/c/", "D/e/f/", "D/e/g/"});
    const QByteArray raw = FileNames::encode(tree.path("P")) + QByteArray("/caf\xE9", 5);
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    const QString notUtf8 = FileNames::decode(raw);
    PosixFileSystem fs;
    FolderCursor cursor;
    const struct
    {
        QString from, to;
        Kind expected;
    } steps[] = {
        {tree.path("P/a"), tree.path("P/a2"), Kind::Ok},
        {notUtf8, tree.path("P/cafe"), Kind::Ok},
        {tree.path("P/b"), tree.path("P/a2"), Kind::TargetExists},
        {tree.path("P"), tree.path("Q"), Kind::Ok},
        {tree.path("P/b"), tree.path("P/b2"), Kind::NotFound}, // P is gone, though its folder is still open
        {tree.path("Q/b"), tree.path("Q/b2"), Kind::Ok},
        {tree.key("Q/b2"), tree.key("Q/b4"), Kind::Ok}, // as folder paths, ending in a separator
        {tree.path("Q/c"), tree.path("P"), Kind::Ok},   // a new P
        {tree.path("P/b2"), tree.path("P/b3"), Kind::NotFound},
        // Down into a folder and back up, with the folders above still held.
        {tree.path("D/e/f"), tree.path("D/e/f2"), Kind::Ok},
        {tree.path("D/e"), tree.path("D/e2"), Kind::Ok},
        {tree.path("D/e/g"), tree.path("D/e/g2"), Kind::NotFound},
        {tree.path("D/e2/g"), tree.path("D/e2/g2"), Kind::Ok},
        // A path the cursor cannot take goes the whole way; what the cursor held is not trusted after it.
        {tree.path("D") + "/./e2", tree.path("D") + "/./e3", Kind::Ok},
        {tree.path("D/e2/g2"), tree.path("D/e2/g3"), Kind::NotFound},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE((step.from + " -> " + step.to).toStdString());
        EXPECT_EQ(fs.renameFolder(step.from, step.to, &cursor).kind, step.expected);
    }
    for (const char* folder : {"Q/a2", "Q/b4", "Q/cafe", "P", "D/e3/f2", "D/e3/g2"})
        EXPECT_TRUE(tree.isFolder(folder)) << folder;
    EXPECT_FALSE(tree.exists("Q/b") || tree.exists("Q/c") || tree.exists("P/b3"));

    // Many renames through the folder the cursor holds, then that folder renamed from the one above: its old
    // path leads nowhere any more, for a rename or a look.
    const auto in = [&](const char* folder, const QString& name) {
        return tree.path(QLatin1String(folder) + QLatin1Char('/') + name);
    };
    for (int i = 0; i < 40; ++i)
        tree.add(QStringLiteral("M/k%1/").arg(i));
    FolderCursor many;
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(
            fs.renameFolder(in("M", QStringLiteral("k%1").arg(i)), in("M", QStringLiteral("r%1").arg(i)), &many).ok())
            << i;
    EXPECT_TRUE(fs.renameFolder(tree.path("M"), tree.path("N"), &many).ok());
    EXPECT_EQ(fs.renameFolder(in("M", "r0"), in("M", "s0"), &many).kind, Kind::NotFound);
    EXPECT_EQ(fs.pathInfo(in("M", "r1"), &many).type, PathInfo::Type::Missing);
    EXPECT_EQ(fs.pathInfo(in("N", "r1"), &many).type, PathInfo::Type::Folder);
    EXPECT_TRUE(fs.renameFolder(in("N", "r0"), in("N", "s0"), &many).ok());

    // Names in the folder the cursor holds: each row starts with the cursor there. Names it cannot take
    // fail as they do the whole way, and leave the cursor working.
    const struct
    {
        const char* row;
        QString to;
        Kind expected;
    } names[] = {
        {"a NUL", QStringLiteral("a") + QChar(0) + QStringLiteral("b"), Kind::Other},
        {"too long in units", QString(NAME_MAX + 1, QLatin1Char('x')), Kind::Other},
        {"too long in bytes", QString(128, QChar(0xE9)), Kind::Other},
        {"a name taken", QStringLiteral("r2"), Kind::TargetExists},
        {"a trailing separator", QStringLiteral("s2/"), Kind::Ok},
        {"beyond the first plane", QStringLiteral("s\U0001F600"), Kind::Ok},
        {"a folder below", QStringLiteral("r1/s0"), Kind::Ok},
    };
    for (const auto& n : names) {
        SCOPED_TRACE(n.row);
        ASSERT_TRUE(fs.renameFolder(in("N", "s0"), in("N", "s1"), &many).ok());
        EXPECT_EQ(fs.renameFolder(in("N", "s1"), in("N", n.to), &many).kind, n.expected);
        EXPECT_EQ(tree.exists("N/s1"), n.expected != Kind::Ok);
        if (n.expected == Kind::Ok) {
            EXPECT_TRUE(fs.pathInfo(in("N", n.to)).type == PathInfo::Type::Folder);
            EXPECT_TRUE(fs.renameFolder(in("N", n.to), in("N", "s1"), &many).ok());
        }
        ASSERT_TRUE(fs.renameFolder(in("N", "s1"), in("N", "s0"), &many).ok());
    }
    EXPECT_TRUE(fs.renameFolder(in("N", "s0"), in("N", "s1"), &many).ok());
}

TEST(PosixFileSystem, RenamesLinksAsThemselvesAndANameTakenByTheFolderItself)
{
    TestTree tree({"Target/inside/", "Real/A/x=1"});
    ASSERT_TRUE(tree.link(tree.path("Target"), "Link"));
    PosixFileSystem fs;
    EXPECT_TRUE(fs.renameFolder(tree.key("Link"), tree.key("Renamed")).ok());
    EXPECT_TRUE(tree.isFolder("Target/inside"));
    EXPECT_TRUE(QFileInfo(tree.path("Renamed")).isSymLink());
    // What a case-only change on a case-insensitive file system looks like: the new name already names
    // the same folder (here through a linked parent). It goes through a temporary name.
    ASSERT_TRUE(tree.link(tree.path("Real"), "Alias"));
    EXPECT_TRUE(fs.renameFolder(tree.path("Real/A"), tree.path("Alias/A")).ok());
    EXPECT_TRUE(tree.exists("Real/A/x"));
    EXPECT_TRUE(leftovers(tree.path("Real")).isEmpty());
}

// A walk skips reading the folders a scan marks as holding no subfolder, so the mark must never be wrong;
// on the file systems that count subfolder links (the test folder's, mostly) every leaf gets it.
TEST(PosixFileSystem, OnlyFoldersWithoutSubfoldersAreMarkedSo)
{
    TestTree tree({"leaf/", "files/a=1", "files/b=2", "parent/child/", "deep/x/y/"});
    ASSERT_TRUE(tree.link(tree.path("leaf"), "link"));
    struct statfs info;
    ASSERT_EQ(statfs(QFile::encodeName(tree.root()).constData(), &info), 0);
    const bool counts = info.f_type == 0xEF53 || info.f_type == 0x58465342 || info.f_type == 0x01021994;
    const struct
    {
        const char* name;
        bool leaf;
    } expected[] = {{"leaf", true}, {"files", true}, {"parent", false}, {"deep", false}, {"link", false}};
    const FolderScan scan = PosixFileSystem().scanFolder(tree.root());
    ASSERT_EQ(scan.subfolders.size(), std::size(expected));
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const auto sub = std::find_if(scan.subfolders.begin(), scan.subfolders.end(),
                                      [&](const SubfolderInfo& s) { return s.name == QLatin1String(e.name); });
        ASSERT_NE(sub, scan.subfolders.end());
        EXPECT_EQ(sub->info.holdsNoFolder, e.leaf && counts);
    }
}

// A large folder is looked at in runs, on two threads: the subfolders come in the order the folder lists
// them, each with what a look at it alone tells, and every file's bytes count once.
TEST(PosixFileSystem, AScanOfAnyLengthListsEverySubfolderInOrderWithItsDetails)
{
    for (const int count : {3, 2500, 9000}) {
        SCOPED_TRACE(count);
        TestTree tree;
        qint64 bytes = 0;
        for (int i = 0; i < count; ++i) {
            if (i % 7 == 3) {
                tree.write(QStringLiteral("f%1").arg(i), QByteArray(i % 50, 'x'));
                bytes += i % 50;
            } else {
                tree.add((i % 11 == 5 ? QStringLiteral("d%1/sub/") : QStringLiteral("d%1/")).arg(i));
            }
        }
        ASSERT_TRUE(tree.link(tree.path("d0"), "link"));
        ASSERT_TRUE(tree.link(tree.path("gone"), "dangling"));
        PosixFileSystem fs;
        // The names alone: every entry of any kind, in however many reads it takes.
        std::optional<QStringList> names = fs.entryNames(tree.root());
        ASSERT_TRUE(names);
        QStringList expected =
            QDir(tree.root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        std::sort(names->begin(), names->end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(*names, expected);
        EXPECT_FALSE(fs.entryNames(tree.path("gone")));

        const FolderScan scan = fs.scanFolder(tree.root());
        const QList<SubfolderInfo> plain = fs.listSubfolders(tree.root(), true);
        EXPECT_TRUE(scan.readable);
        EXPECT_EQ(scan.fileBytes, bytes);
        ASSERT_EQ(scan.subfolders.size(), plain.size());
        for (qsizetype i = 0; i < plain.size(); ++i) {
            const SubfolderInfo& sub = scan.subfolders[i];
            ASSERT_EQ(sub.name, plain[i].name);
            const QString path = sub.pathIn(tree.root());
            ASSERT_EQ(path, tree.path(sub.name));
            const PathInfo alone = fs.pathInfo(path);
            ASSERT_EQ(sub.isLink, sub.name == QLatin1String("link"));
            ASSERT_EQ(sub.info.isLink, alone.isLink);
            ASSERT_EQ(sub.info.lastWrite, alone.lastWrite);
            ASSERT_EQ(sub.info.created, alone.created);
            if (sub.info.holdsNoFolder) {
                ASSERT_TRUE(fs.listSubfolders(path, true).isEmpty()) << sub.name.toStdString();
            }
        }
    }
}

TEST(PosixFileSystem, NamesThatAreNotUtf8WorkAndAPathWithNulNamesNothing)
{
    TestTree tree({"A/"});
    const QByteArray raw = FileNames::encode(tree.path("A")) + QByteArray("/caf\xE9", 5);
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    PosixFileSystem fs;
    const QList<SubfolderInfo> found = fs.listSubfolders(tree.path("A"));
    ASSERT_EQ(found.size(), 1);
    const QString path = found.first().pathIn(tree.path("A"));
    EXPECT_TRUE(fs.folderExists(path));
    EXPECT_TRUE(fs.renameFolder(path + QLatin1Char('/'), tree.path("A/cafe")).ok());
    EXPECT_TRUE(fs.renameFolder(tree.path("A/cafe"), path).ok());
    EXPECT_EQ(rmdir(raw.constData()), 0) << "the very bytes are back";

    const QString cut = tree.path("A") + QChar(0) + QStringLiteral("junk");
    EXPECT_FALSE(fs.folderExists(cut) || fs.fileExists(cut));
    EXPECT_EQ(fs.pathInfo(cut).type, PathInfo::Type::Missing);
    EXPECT_FALSE(fs.renameFolder(cut, tree.path("B")).ok());
}

// Walks rely on these: a link to a folder is flagged and never a root, a dangling link names nothing.
// (Sizes, link skipping and path cleaning are checked through the loader's tests.) Name structures read
// the times.
TEST(PosixFileSystem, PathInfoTellsLinksRootsAndTimes)
{
    TestTree tree({"F/", "f=1"});
    ASSERT_TRUE(tree.link(tree.path("F"), "toF"));
    ASSERT_TRUE(tree.link(tree.path("nowhere"), "dangling"));
    ASSERT_TRUE(tree.link(QStringLiteral("/"), "ToRoot"));
    PosixFileSystem fs;
    EXPECT_TRUE(fs.pathInfo(tree.path("toF")).isLink);
    EXPECT_EQ(fs.pathInfo(tree.path("toF")).type, PathInfo::Type::Folder);
    EXPECT_EQ(fs.pathInfo(tree.path("f")).type, PathInfo::Type::File);
    EXPECT_FALSE(fs.folderExists(tree.path("dangling")) || fs.fileExists(tree.path("dangling")));
    EXPECT_FALSE(fs.isRoot(tree.path("ToRoot")) || fs.pathInfo(tree.path("ToRoot")).isRoot);
    const QStorageInfo proc(QStringLiteral("/proc"));
    if (proc.isValid() && proc.rootPath() == QLatin1String("/proc")) {
        EXPECT_TRUE(fs.isRoot(QStringLiteral("/proc/")));
    }
    const QDateTime write(QDate(1999, 12, 31), QTime(23, 59, 58)), access(QDate(2005, 6, 7), QTime(8, 9, 10));
    EXPECT_TRUE(fs.setFolderTime(tree.path("F"), FolderTimeKind::LastWrite, write).ok());
    EXPECT_TRUE(fs.setFolderTime(tree.path("F"), FolderTimeKind::LastAccess, access).ok());
    const std::optional<FolderTimes> times = fs.folderTimes(tree.key("F"));
    ASSERT_TRUE(times);
    EXPECT_EQ(std::pair(times->lastWrite, times->lastAccess), std::pair(write, access));
    EXPECT_FALSE(fs.folderTimes(tree.path("none")));

    // A cursor only makes the looks quicker: every path reads the same through one, also the ones that
    // must go the whole way (dot names, doubled separators, the root, a mount root, a missing folder).
    FolderCursor cursor;
    const QStringList paths = {tree.path("F"),
                               tree.key("F"),
                               tree.path("toF"),
                               tree.path("f"),
                               tree.path("dangling"),
                               tree.path("none"),
                               tree.path("ToRoot"),
                               tree.path("F/../f"),
                               tree.root() + "//F",
                               tree.path("F/.."),
                               QStringLiteral("/"),
                               QStringLiteral("/proc"),
                               QStringLiteral("relative")};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const PathInfo plain = fs.pathInfo(path);
        const PathInfo held = fs.pathInfo(path, &cursor);
        EXPECT_EQ(std::tuple(held.type, held.isLink, held.isRoot, held.lastWrite, held.created),
                  std::tuple(plain.type, plain.isLink, plain.isRoot, plain.lastWrite, plain.created));
    }
}

// A refused attribute or time says why in the system's words, so the report can name the reason.
TEST(PosixFileSystem, RefusedAttributesAndTimesCarryTheReason)
{
    TestTree tree({"F/", ".dot/"});
    PosixFileSystem fs;
    const QDateTime time(QDate(2020, 2, 29), QTime(12, 0));
    const struct
    {
        const char* name;
        FsResult result;
        Kind kind;
    } rows[] = {
        {"attributes of a missing folder", fs.setAttributes(tree.path("none"), AttrReadOnly), Kind::NotFound},
        {"time of a missing folder", fs.setFolderTime(tree.path("none"), FolderTimeKind::LastWrite, time),
         Kind::NotFound},
        {"a dot-name shown", fs.setAttributes(tree.path(".dot"), 0), Kind::Other},
        {"creation time", fs.setFolderTime(tree.path("F"), FolderTimeKind::Created, time), Kind::Other},
        {"no time", fs.setFolderTime(tree.path("F"), FolderTimeKind::LastWrite, QDateTime()), Kind::Other},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.result.kind, row.kind);
        EXPECT_FALSE(row.result.systemText.isEmpty());
    }
}

TEST(PosixFileSystem, FileOperationsReplaceOnlyWhenAskedAndNeverAFolder)
{
    TestTree tree({"src=7", "old=3", "Folder/", "a=1", "b=2"});
    PosixFileSystem fs;
    const auto sizeOf = [&](const char* file) { return QFileInfo(tree.path(file)).size(); };
    EXPECT_EQ(fs.copyFile(tree.path("src"), tree.path("old"), false).kind, Kind::TargetExists);
    EXPECT_EQ(sizeOf("old"), 3);
    EXPECT_TRUE(fs.copyFile(tree.path("src"), tree.path("old"), true).ok());
    EXPECT_EQ(sizeOf("old"), 7);
    EXPECT_FALSE(fs.copyFile(tree.path("src"), tree.path("Folder"), true).ok());
    EXPECT_FALSE(fs.copyFile(tree.path("missing"), tree.path("y"), false).ok() || tree.exists("y"));
    EXPECT_EQ(fs.moveFile(tree.path("a"), tree.path("b")).kind, Kind::TargetExists);
    EXPECT_EQ(sizeOf("b"), 2);
    EXPECT_TRUE(fs.moveFile(tree.path("a"), tree.path("Folder/a")).ok() && fs.deleteFile(tree.path("Folder/a")).ok());
    EXPECT_EQ(fs.deleteFile(tree.path("Folder/a")).kind, Kind::NotFound);
    EXPECT_FALSE(fs.deleteFile(tree.path("Folder")).ok());
    EXPECT_TRUE(tree.isFolder("Folder"));
    EXPECT_TRUE(leftovers(tree.root()).isEmpty());
}

TEST(PosixFileSystem, ReadsOnlyRegularFilesWithinTheLimit)
{
    TestTree tree({"list.txt=4", "Folder/"});
    ASSERT_EQ(mkfifo(FileNames::encode(tree.path("pipe")).constData(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", FileNames::encode(tree.path("zero")).constData()), 0);
    ASSERT_EQ(symlink("list.txt", FileNames::encode(tree.path("link.txt")).constData()), 0);
    PosixFileSystem fs;
    using Kind = FsResult::Kind;
    const struct
    {
        const char* name;
        qint64 limit;
        Kind kind;
        qsizetype size;
    } rows[] = {
        {"list.txt", 4, Kind::Ok, 4},
        {"link.txt", 100, Kind::Ok, 4},
        {"list.txt", 3, Kind::TooLarge, 0},
        {"pipe", 100, Kind::NotRegularFile, 0}, // a pipe without a writer must not block
        {"zero", 100, Kind::NotRegularFile, 0}, // nor a device fill the memory
        {"Folder", 100, Kind::NotRegularFile, 0},
        {"missing", 100, Kind::NotFound, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FileRead read = fs.readFile(tree.path(row.name), row.limit);
        EXPECT_EQ(read.result.kind, row.kind);
        EXPECT_EQ(read.bytes.size(), row.size);
    }
    // Readers that go by path alone share the same rules.
    for (const char* name : {"pipe", "zero"}) {
        bool ok = true;
        EXPECT_EQ(TextCodec::readFile(tree.path(name), &ok), QString()) << name;
        EXPECT_FALSE(ok) << name;
    }
}

TEST(PosixFileSystem, ResolvesTheHoldingFolderAsTheKernelDoesAndKeepsTheLastName)
{
    TestTree tree({"x/", "y/deep/", "y/target/"});
    const auto link = [&](const char* target, const char* at) {
        ASSERT_EQ(symlink(target, FileNames::encode(tree.path(at)).constData()), 0);
    };
    link("../y/deep", "x/lk");
    link("../y/target", "x/tl");
    PosixFileSystem fs;
    const struct
    {
        const char* given;
        const char* resolved; // below the tree; "" for no path at all
    } rows[] = {
        {"x/lk/..", "y"}, // ".." after a link leaves the link's target
        {"x/lk/../target", "y/target"},
        {"x/tl", "x/tl"}, // the folder itself stays the link
        {"x/./tl/", "x/tl"},
        {"x/lk/.", "y/deep"},
        {"nowhere/a", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.given);
        const QString expected = *row.resolved ? tree.path(row.resolved) : QString();
        EXPECT_EQ(fs.resolvedPath(tree.path(row.given)), expected);
    }
}

mode_t modeOf(const QString& path)
{
    struct stat st;
    return stat(FileNames::encode(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

QStringList entries(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// The same, read by bytes: Qt cannot list a folder whose name is not UTF-8.
QList<QByteArray> nativeEntries(const QByteArray& folder)
{
    QList<QByteArray> names;
    DIR* dir = opendir(folder.constData());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// Qt's own copy of the old permissions loses the special bits and, run as root, reads a read-only file as
// writable: the writer must keep the mode bit for bit.
TEST(PosixFileSystem, AtomicWriteKeepsTheModeOfTheFileItReplaces)
{
    const struct
    {
        const char* name;
        mode_t mode;
    } rows[] = {{"owner only", 0600}, {"group reads", 0640},   {"executable", 0755},
                {"read-only", 0444},  {"set-group-id", 02750}, {"all may write", 0666}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestTree tree({"f=3"});
        ASSERT_EQ(chmod(FileNames::encode(tree.path("f")).constData(), row.mode), 0);
        PosixFileSystem fs;
        ASSERT_TRUE(fs.writeFileAtomic(tree.path("f"), "new content").ok());
        EXPECT_EQ(modeOf(tree.path("f")), row.mode);
        QFile f(tree.path("f"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll() == "new content");
        EXPECT_EQ(entries(tree.root()), QStringList{"f"});
    }
}

// Hiding edits the folder's ".hidden" list in place, whatever its mode, also where the folder's own name
// is not UTF-8.
TEST(PosixFileSystem, HidingKeepsTheModeOfTheHiddenList)
{
    const struct
    {
        const char* name;
        QByteArray folder; // below the tree root
        mode_t mode;
    } rows[] = {{"private list", "A", 0600}, {"shared list", "A", 0664}, {"folder not UTF-8", "caf\xE9", 0640}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestTree tree;
        const QByteArray folder = FileNames::encode(tree.root()) + '/' + row.folder;
        const QByteArray list = folder + "/.hidden";
        ASSERT_EQ(mkdir(folder.constData(), 0755), 0);
        ASSERT_EQ(mkdir(folder + "/shy", 0755), 0);
        const int fd = open(list.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_TRUE(fd >= 0 && write(fd, "other\n", 6) == 6 && close(fd) == 0);
        ASSERT_EQ(chmod(list.constData(), row.mode), 0);

        PosixFileSystem fs;
        const QString shy = FileNames::decode(folder + "/shy");
        ASSERT_TRUE(fs.setAttributes(shy, AttrHidden).ok());
        EXPECT_EQ(fs.attributes(shy) & AttrHidden, AttrHidden);
        EXPECT_EQ(modeOf(FileNames::decode(list)), row.mode);
        ASSERT_TRUE(fs.setAttributes(shy, 0).ok());
        EXPECT_EQ(fs.attributes(shy) & AttrHidden, 0);
        EXPECT_EQ(modeOf(FileNames::decode(list)), row.mode);
        EXPECT_EQ(nativeEntries(folder), (QList<QByteArray>{".hidden", "shy"}));
        // Qt cannot remove a name that is not UTF-8.
        EXPECT_TRUE(unlink(list.constData()) == 0 && rmdir(folder + "/shy") == 0 && rmdir(folder.constData()) == 0);
    }
}

// Failures root can provoke: a write cut short (the file size limit stands in for a full disk), a folder
// in the way, a missing folder. Each leaves what was there and no temporary file.
TEST(PosixFileSystem, AFailedAtomicWriteLeavesTheOldFileAndNoTemporaryOne)
{
    TestTree tree({"f=3", "Folder/"});
    PosixFileSystem fs;
    const QByteArray big(64 * 1024, 'x');
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FsResult cut = fs.writeFileAtomic(tree.path("f"), big);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(cut.ok());
    EXPECT_EQ(QFileInfo(tree.path("f")).size(), 3);

    EXPECT_FALSE(fs.writeFileAtomic(tree.path("Folder"), "x").ok());
    EXPECT_TRUE(tree.isFolder("Folder"));
    EXPECT_FALSE(fs.writeFileAtomic(tree.path("missing/f"), "x").ok());
    EXPECT_EQ(entries(tree.root()), (QStringList{"Folder", "f"}));
    EXPECT_TRUE(entries(tree.path("Folder")).isEmpty());
}

} // namespace
