#include "core/platform/PosixFileSystem.h"
#include "core/platform/FileNames.h"
#include "support/TestTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStorageInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>
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
    for (const bool fallback : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((c.from + " -> " + c.to + (fallback ? " by placeholder" : "")).toStdString());
            TestTree tree(c.tree);
            const auto target = [&] {
                return QDir(tree.path(c.to)).entryList(QDir::AllEntries)
                       << QString::number(QFileInfo(tree.path(c.to)).size());
            };
            const QStringList before = target();
            const FsResult result = fallback
                                        ? PosixFileSystem::renameByPlaceholder(FileNames::encode(tree.path(c.from)),
                                                                               FileNames::encode(tree.path(c.to)))
                                        : fs.renameFolder(tree.path(c.from), tree.path(c.to));
            EXPECT_EQ(result.kind, c.expected) << result.systemText.toStdString();
            EXPECT_EQ(result.ok(), result.systemText.isEmpty());
            EXPECT_EQ(tree.exists(c.from), !result.ok() && c.from != "missing");
            EXPECT_EQ(target() == before, !result.ok()) << "a failed rename leaves the target untouched";
            EXPECT_TRUE(leftovers(tree.root()).isEmpty());
        }
    }
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

TEST(PosixFileSystem, NamesThatAreNotUtf8WorkAndAPathWithNulNamesNothing)
{
    TestTree tree({"A/"});
    const QByteArray raw = FileNames::encode(tree.path("A")) + QByteArray("/caf\xE9", 5);
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    PosixFileSystem fs;
    const QList<SubfolderInfo> found = fs.listSubfolders(tree.path("A"));
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(fs.folderExists(found.first().path));
    EXPECT_TRUE(fs.renameFolder(found.first().path + QLatin1Char('/'), tree.path("A/cafe")).ok());
    EXPECT_TRUE(fs.renameFolder(tree.path("A/cafe"), found.first().path).ok());
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
    EXPECT_TRUE(fs.setFolderTime(tree.path("F"), FolderTimeKind::LastWrite, write));
    EXPECT_TRUE(fs.setFolderTime(tree.path("F"), FolderTimeKind::LastAccess, access));
    EXPECT_FALSE(fs.setFolderTime(tree.path("F"), FolderTimeKind::Created, write));
    const std::optional<FolderTimes> times = fs.folderTimes(tree.key("F"));
    ASSERT_TRUE(times);
    EXPECT_EQ(std::pair(times->lastWrite, times->lastAccess), std::pair(write, access));
    EXPECT_FALSE(fs.folderTimes(tree.path("none")));
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

TEST(PosixFileSystem, OpensOnlyRegularFilesForReading)
{
    TestTree tree({"list.txt=4", "Folder/"});
    ASSERT_EQ(mkfifo(FileNames::encode(tree.path("pipe")).constData(), 0600), 0);
    PosixFileSystem fs;
    const std::unique_ptr<QIODevice> file = fs.openForReading(tree.path("list.txt"));
    EXPECT_EQ(file ? file->readAll().size() : -1, 4);
    EXPECT_FALSE(fs.openForReading(tree.path("pipe"))) << "a pipe without a writer must not block";
    EXPECT_FALSE(fs.openForReading(tree.path("Folder")));
}

} // namespace
