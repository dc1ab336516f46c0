#include "platform/PosixFileSystem.h"
#include "platform/FileNames.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStorageInfo>
#include <gtest/gtest.h>

#include <ostream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& path)
{
    return FileNames::encode(path);
}

bool makeLink(const QString& target, const QString& link)
{
    return symlink(bytesOf(target).constData(), bytesOf(link).constData()) == 0;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Leftover temporary entries of renames and copies.
QStringList leftovers(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".dirwright-*")}, QDir::AllEntries | QDir::Hidden | QDir::System);
}

using Kind = FsResult::Kind;

struct RenameCase
{
    const char* label;
    QStringList tree;
    const char* from;
    const char* to;
    Kind expected;
};

void PrintTo(const RenameCase& c, std::ostream* os)
{
    *os << c.label;
}

class RenameNeverReplaces : public ::testing::TestWithParam<RenameCase>
{};

// The same table holds for the normal rename and for the one used where RENAME_NOREPLACE is refused.
void checkRename(const RenameCase& c, const std::function<FsResult(const QString&, const QString&)>& rename)
{
    TestTree tree(c.tree);
    const bool targetExisted = tree.exists(QString::fromLatin1(c.to));
    const QStringList targetContent = targetExisted && tree.isFolder(QString::fromLatin1(c.to))
                                          ? QDir(tree.path(QString::fromLatin1(c.to))).entryList(QDir::AllEntries)
                                          : QStringList();
    const FsResult result = rename(tree.path(QString::fromLatin1(c.from)), tree.path(QString::fromLatin1(c.to)));
    EXPECT_EQ(result.kind, c.expected) << result.systemText.toStdString();
    if (c.expected == Kind::Ok) {
        EXPECT_FALSE(tree.exists(QString::fromLatin1(c.from)));
        EXPECT_TRUE(tree.exists(QString::fromLatin1(c.to)));
    } else {
        EXPECT_FALSE(result.systemText.isEmpty());
        if (tree.exists(QString::fromLatin1(c.to)) || targetExisted) {
            EXPECT_EQ(QDir(tree.path(QString::fromLatin1(c.to))).entryList(QDir::AllEntries), targetContent);
        }
        if (QString::fromLatin1(c.from) != QLatin1String("missing")) {
            EXPECT_TRUE(tree.exists(QString::fromLatin1(c.from)));
        }
    }
    EXPECT_TRUE(leftovers(tree.root()).isEmpty());
}

TEST_P(RenameNeverReplaces, Rename)
{
    PosixFileSystem fs;
    checkRename(GetParam(), [&](const QString& a, const QString& b) { return fs.renameFolder(a, b); });
}

TEST_P(RenameNeverReplaces, FallbackWithoutNoReplaceFlag)
{
    checkRename(GetParam(), [](const QString& a, const QString& b) {
        return PosixFileSystem::renameByPlaceholder(bytesOf(a), bytesOf(b));
    });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenameNeverReplaces,
    ::testing::Values(RenameCase{"free_name", {"A/x=3"}, "A", "B", Kind::Ok},
                      RenameCase{"onto_empty_folder", {"A/x=3", "B/"}, "A", "B", Kind::TargetExists},
                      RenameCase{"onto_full_folder", {"A/", "B/y=1"}, "A", "B", Kind::TargetExists},
                      RenameCase{"onto_file", {"A/", "B=4"}, "A", "B", Kind::TargetExists},
                      RenameCase{"file_onto_file", {"a=1", "b=2"}, "a", "b", Kind::TargetExists},
                      RenameCase{"file_onto_empty_folder", {"a=1", "B/"}, "a", "B", Kind::TargetExists},
                      RenameCase{"missing_source", {"B/"}, "missing", "C", Kind::NotFound},
                      RenameCase{"missing_target_folder", {"A/"}, "A", "none/B", Kind::NotFound},
                      RenameCase{"into_itself", {"A/"}, "A", "A/B", Kind::Other}),
    [](const ::testing::TestParamInfo<RenameCase>& info) { return std::string(info.param.label); });

TEST(PosixFileSystem, RenamesALinkToAFolderAsTheLinkItself)
{
    TestTree tree({"Target/inside/"});
    ASSERT_TRUE(makeLink(tree.path("Target"), tree.path("Link")));
    PosixFileSystem fs;
    EXPECT_TRUE(fs.renameFolder(tree.key("Link"), tree.key("Renamed")).ok());
    EXPECT_TRUE(tree.isFolder("Target/inside"));
    EXPECT_TRUE(QFileInfo(tree.path("Renamed")).isSymLink());
    EXPECT_FALSE(QFileInfo(tree.path("Link")).exists());
}

TEST(PosixFileSystem, NameTakenByTheFolderItselfGoesThroughATemporaryName)
{
    // What a case-only change on a case-insensitive file system looks like: the new name already names
    // the same folder. Reached here through a linked parent folder.
    TestTree tree({"Real/A/x=1"});
    ASSERT_TRUE(makeLink(tree.path("Real"), tree.path("Alias")));
    PosixFileSystem fs;
    EXPECT_TRUE(fs.renameFolder(tree.path("Real/A"), tree.path("Alias/A")).ok());
    EXPECT_TRUE(tree.exists("Real/A/x"));
    EXPECT_TRUE(leftovers(tree.path("Real")).isEmpty());
}

TEST(PosixFileSystem, FolderWithNameThatIsNotUtf8CanBeFoundAndRenamed)
{
    TestTree tree;
    const QByteArray raw = bytesOf(tree.root()) + QByteArray("/caf\xE9", 5);
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    PosixFileSystem fs;
    const FolderScan scan = fs.scanFolder(tree.root());
    ASSERT_EQ(scan.subfolders.size(), 1);
    const QString path = scan.subfolders.first().path;
    EXPECT_TRUE(fs.folderExists(path));
    EXPECT_TRUE(fs.renameFolder(path + QLatin1Char('/'), tree.path("cafe")).ok());
    EXPECT_TRUE(tree.isFolder("cafe"));
    EXPECT_TRUE(fs.renameFolder(tree.path("cafe"), path).ok());
    struct stat st;
    EXPECT_EQ(stat(raw.constData(), &st), 0);
}

TEST(PosixFileSystem, PathWithNulNamesNothing)
{
    TestTree tree({"A/"});
    PosixFileSystem fs;
    const QString cut = tree.path("A") + QChar(0) + QStringLiteral("junk");
    EXPECT_FALSE(fs.folderExists(cut));
    EXPECT_FALSE(fs.fileExists(cut));
    EXPECT_EQ(fs.pathInfo(cut).type, PathInfo::Type::Missing);
    EXPECT_FALSE(fs.renameFolder(cut, tree.path("B")).ok());
    EXPECT_TRUE(tree.isFolder("A"));
}

TEST(PosixFileSystem, RootsAreSlashAndMountPointsButNotLinksToThem)
{
    TestTree tree({"A/"});
    PosixFileSystem fs;
    EXPECT_TRUE(fs.isRoot(QStringLiteral("/")));
    EXPECT_TRUE(fs.isRoot(QStringLiteral("//")));
    EXPECT_FALSE(fs.isRoot(tree.path("A")));
    EXPECT_FALSE(fs.isRoot(tree.root()));
    ASSERT_TRUE(makeLink(QStringLiteral("/"), tree.path("ToRoot")));
    EXPECT_FALSE(fs.isRoot(tree.path("ToRoot")));
    const QStorageInfo proc(QStringLiteral("/proc"));
    if (proc.isValid() && proc.rootPath() == QLatin1String("/proc")) {
        EXPECT_TRUE(fs.isRoot(QStringLiteral("/proc/")));
    }
}

TEST(PosixFileSystem, AbsolutePathIsCleanAndKeepsLinks)
{
    TestTree tree({"A/B/"});
    ASSERT_TRUE(makeLink(tree.path("A/B"), tree.path("L")));
    PosixFileSystem fs;
    EXPECT_EQ(fs.absolutePath(tree.path("A") + QStringLiteral("//B/./")), tree.path("A/B"));
    EXPECT_EQ(fs.absolutePath(tree.path("L")), tree.path("L"));
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tree.path("A")));
    EXPECT_EQ(fs.absolutePath(QStringLiteral("B/../B")), tree.path("A/B"));
    QDir::setCurrent(cwd);
}

TEST(PosixFileSystem, ScanCountsDirectFilesAndFlagsLinkedFolders)
{
    TestTree tree({"F/a=10", "F/b=32", "F/Sub/c=1000", "Other/"});
    ASSERT_TRUE(makeLink(tree.path("Other"), tree.path("F/ToOther")));
    ASSERT_TRUE(makeLink(tree.path("F/a"), tree.path("F/toA")));
    ASSERT_TRUE(makeLink(tree.path("nowhere"), tree.path("F/dangling")));
    PosixFileSystem fs;
    const FolderScan scan = fs.scanFolder(tree.path("F"));
    EXPECT_TRUE(scan.readable);
    EXPECT_EQ(scan.fileBytes, 42);
    QStringList names;
    for (const SubfolderInfo& s : scan.subfolders)
        names.append(s.name + (s.isLink ? QStringLiteral("@") : QString()));
    names.sort();
    EXPECT_EQ(names, QStringList({QStringLiteral("Sub"), QStringLiteral("ToOther@")}));
    const QList<SubfolderInfo> real = fs.listSubfolders(tree.key("F"));
    ASSERT_EQ(real.size(), 1);
    EXPECT_EQ(real.first().path, tree.path("F/Sub"));
    EXPECT_FALSE(fs.scanFolder(tree.path("missing")).readable);
}

TEST(PosixFileSystem, LoopOfLinksIsListedButNeverEntered)
{
    TestTree tree({"A/", "B/"});
    ASSERT_TRUE(makeLink(tree.path("B"), tree.path("A/toB")));
    ASSERT_TRUE(makeLink(tree.path("A"), tree.path("B/toA")));
    PosixFileSystem fs;
    EXPECT_TRUE(fs.listSubfolders(tree.path("A")).isEmpty());
    const FolderScan scan = fs.scanFolder(tree.path("A"));
    ASSERT_EQ(scan.subfolders.size(), 1);
    EXPECT_TRUE(scan.subfolders.first().isLink);
}

TEST(PosixFileSystem, ListFilesGivesSizesAndTimes)
{
    TestTree tree({"F/a=5", "F/Sub/"});
    PosixFileSystem fs;
    ASSERT_TRUE(
        fs.setFolderTime(tree.path("F/a"), FolderTimeKind::LastWrite, QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6))));
    const QList<FileInfo> files = fs.listFiles(tree.path("F"));
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files.first().name, QStringLiteral("a"));
    EXPECT_EQ(files.first().size, 5);
    EXPECT_EQ(files.first().lastWrite, QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
}

TEST(PosixFileSystem, CopyReplacesOnlyWhenAskedAndNeverAFolder)
{
    TestTree tree({"src=7", "old=3", "Folder/"});
    PosixFileSystem fs;
    chmod(bytesOf(tree.path("src")).constData(), 0640);
    ASSERT_TRUE(
        fs.setFolderTime(tree.path("src"), FolderTimeKind::LastWrite, QDateTime(QDate(2010, 1, 1), QTime(12, 0))));

    EXPECT_EQ(fs.copyFile(tree.path("src"), tree.path("old"), false).kind, Kind::TargetExists);
    EXPECT_EQ(readAll(tree.path("old")).size(), 3);
    EXPECT_TRUE(fs.copyFile(tree.path("src"), tree.path("old"), true).ok());
    EXPECT_EQ(readAll(tree.path("old")).size(), 7);
    EXPECT_TRUE(fs.copyFile(tree.path("src"), tree.path("new"), false).ok());
    EXPECT_EQ(readAll(tree.path("new")).size(), 7);
    EXPECT_EQ(QFileInfo(tree.path("new")).lastModified(), QDateTime(QDate(2010, 1, 1), QTime(12, 0)));
    struct stat st;
    ASSERT_EQ(stat(bytesOf(tree.path("new")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    EXPECT_FALSE(fs.copyFile(tree.path("src"), tree.path("Folder"), true).ok());
    EXPECT_TRUE(tree.isFolder("Folder"));
    EXPECT_FALSE(fs.copyFile(tree.path("Folder"), tree.path("x"), false).ok());
    EXPECT_FALSE(fs.copyFile(tree.path("missing"), tree.path("y"), false).ok());
    EXPECT_FALSE(tree.exists("y"));
    EXPECT_TRUE(leftovers(tree.root()).isEmpty());
}

TEST(PosixFileSystem, MoveAndDeleteFiles)
{
    TestTree tree({"a=1", "b=2", "Sub/"});
    PosixFileSystem fs;
    EXPECT_EQ(fs.moveFile(tree.path("a"), tree.path("b")).kind, Kind::TargetExists);
    EXPECT_TRUE(fs.moveFile(tree.path("a"), tree.path("Sub/a")).ok());
    EXPECT_TRUE(tree.exists("Sub/a"));
    EXPECT_FALSE(tree.exists("a"));
    EXPECT_TRUE(fs.deleteFile(tree.path("Sub/a")).ok());
    EXPECT_EQ(fs.deleteFile(tree.path("Sub/a")).kind, Kind::NotFound);
    EXPECT_FALSE(fs.deleteFile(tree.path("Sub")).ok());
    EXPECT_TRUE(tree.isFolder("Sub"));
}

TEST(PosixFileSystem, TrashGoesToTheFreedesktopTrashOfTheDataFolder)
{
    TestApp app; // points XDG_DATA_HOME at a temporary folder
    TestTree tree({"Old/x=3"});
    PosixFileSystem fs;
    ASSERT_TRUE(fs.moveToTrash(tree.path("Old")).ok());
    EXPECT_FALSE(tree.exists("Old"));
    EXPECT_TRUE(QFileInfo(app.dataHome() + QStringLiteral("/Trash/files/Old/x")).exists());
    EXPECT_TRUE(QFileInfo(app.dataHome() + QStringLiteral("/Trash/info/Old.trashinfo")).exists());
    EXPECT_EQ(fs.moveToTrash(tree.path("Old")).kind, Kind::NotFound);
}

TEST(PosixFileSystem, AttributesMapToWriteBitsAndHiddenList)
{
    TestTree tree({"P/Visible/", "P/.dot/"});
    PosixFileSystem fs;
    const QString visible = tree.path("P/Visible");
    EXPECT_EQ(fs.attributes(visible), 0);
    EXPECT_EQ(fs.attributes(tree.path("P/.dot")), AttrHidden);
    EXPECT_EQ(fs.attributes(tree.path("P/none")), -1);

    EXPECT_TRUE(fs.setAttributes(visible, AttrReadOnly | AttrHidden));
    EXPECT_EQ(fs.attributes(visible), AttrReadOnly | AttrHidden);
    EXPECT_EQ(readAll(tree.path("P/.hidden")), QByteArray("Visible\n"));
    EXPECT_TRUE(fs.setAttributes(visible, 0));
    EXPECT_EQ(fs.attributes(visible), 0);
    EXPECT_EQ(readAll(tree.path("P/.hidden")), QByteArray());

    EXPECT_FALSE(fs.setAttributes(tree.path("P/.dot"), 0)) << "a dot-name cannot be shown";
    EXPECT_FALSE(fs.supportsAttribute(AttrArchive));
    EXPECT_TRUE(fs.supportsAttribute(AttrHidden));
    EXPECT_TRUE(leftovers(tree.path("P")).isEmpty());
}

TEST(PosixFileSystem, FolderTimesAreSetExceptCreation)
{
    TestTree tree({"F/"});
    PosixFileSystem fs;
    const QDateTime write(QDate(1999, 12, 31), QTime(23, 59, 58));
    const QDateTime access(QDate(2005, 6, 7), QTime(8, 9, 10));
    EXPECT_TRUE(fs.setFolderTime(tree.path("F"), FolderTimeKind::LastWrite, write));
    EXPECT_TRUE(fs.setFolderTime(tree.path("F"), FolderTimeKind::LastAccess, access));
    EXPECT_FALSE(fs.setFolderTime(tree.path("F"), FolderTimeKind::Created, write));
    EXPECT_FALSE(fs.canSetTime(FolderTimeKind::Created));
    const std::optional<FolderTimes> times = fs.folderTimes(tree.key("F"));
    ASSERT_TRUE(times);
    EXPECT_EQ(times->lastWrite, write);
    EXPECT_EQ(times->lastAccess, access);
    EXPECT_FALSE(fs.folderTimes(tree.path("none")));
    const PathInfo info = fs.pathInfo(tree.path("F"));
    EXPECT_EQ(info.type, PathInfo::Type::Folder);
    EXPECT_EQ(info.lastWrite, write.toSecsSinceEpoch());
}

TEST(PosixFileSystem, PathInfoTellsLinksAndDanglingLinks)
{
    TestTree tree({"F/", "f=1"});
    ASSERT_TRUE(makeLink(tree.path("F"), tree.path("toF")));
    ASSERT_TRUE(makeLink(tree.path("gone"), tree.path("dangling")));
    PosixFileSystem fs;
    const PathInfo link = fs.pathInfo(tree.path("toF"));
    EXPECT_EQ(link.type, PathInfo::Type::Folder);
    EXPECT_TRUE(link.isLink);
    EXPECT_EQ(fs.pathInfo(tree.path("f")).type, PathInfo::Type::File);
    EXPECT_EQ(fs.pathInfo(tree.path("dangling")).type, PathInfo::Type::Missing);
    EXPECT_FALSE(fs.folderExists(tree.path("dangling")));
    EXPECT_FALSE(fs.fileExists(tree.path("dangling")));
}

TEST(PosixFileSystem, OpensOnlyRegularFilesForReading)
{
    TestTree tree({"list.txt=4", "Folder/"});
    ASSERT_EQ(mkfifo(bytesOf(tree.path("pipe")).constData(), 0600), 0);
    PosixFileSystem fs;
    const std::unique_ptr<QIODevice> file = fs.openForReading(tree.path("list.txt"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->readAll().size(), 4);
    EXPECT_FALSE(fs.openForReading(tree.path("pipe"))) << "a pipe without a writer must not block";
    EXPECT_FALSE(fs.openForReading(tree.path("Folder")));
    EXPECT_FALSE(fs.openForReading(tree.path("none")));
}

TEST(PosixFileSystem, OwnershipOfAFolder)
{
    TestTree tree({"F/"});
    chmod(bytesOf(tree.path("F")).constData(), 0750);
    PosixFileSystem fs;
    const std::optional<FolderOwnership> owner = fs.ownership(tree.path("F"));
    ASSERT_TRUE(owner);
    EXPECT_EQ(owner->permissions, 0750u);
    EXPECT_FALSE(owner->owner.isEmpty());
    EXPECT_FALSE(fs.ownership(tree.path("none")));
}

} // namespace
