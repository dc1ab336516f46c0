#include "core/folderops/FolderTransfer.h"
#include "core/platform/PosixFileSystem.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TestTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using State = TransferResult::State;
using Op = FaultInjectingFileSystem::Op;

// Every entry below a folder with its bytes (files), its link target (links) or "/" (folders).
QMap<QString, QByteArray> contents(const QString& root)
{
    QMap<QString, QByteArray> all;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString relative = info.filePath().mid(root.size());
        if (info.isSymLink()) {
            char target[4096];
            const ssize_t n = readlink(QFile::encodeName(info.filePath()).constData(), target, sizeof target);
            all.insert(relative, "->" + QByteArray(target, n > 0 ? static_cast<int>(n) : 0));
        } else if (info.isDir()) {
            all.insert(relative, "/");
        } else {
            QFile file(info.filePath());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            all.insert(relative, file.readAll());
        }
    }
    return all;
}

QStringList partials(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".dirwright-part-*")}, QDir::AllEntries | QDir::Hidden);
}

// A folder with files of several sizes, a subfolder and a link, for the copy and move scenarios.
void fill(TestTree& tree, const QString& folder)
{
    tree.add(folder + QStringLiteral("/deep/er/"));
    for (int i = 0; i < 6; ++i)
        tree.write(folder + QStringLiteral("/f%1.bin").arg(i), QByteArray(1000 * (i + 1), char('a' + i)));
    tree.write(folder + QStringLiteral("/deep/er/g.txt"), "inner");
    ASSERT_TRUE(tree.link(QStringLiteral("f0.bin"), folder + QStringLiteral("/lk")));
}

// A target folder on another file system than the test tree, when this machine has one.
std::unique_ptr<QTemporaryDir> otherFileSystemFolder(const QString& besides)
{
    struct stat a;
    struct stat b;
    auto dir = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/dirwright-test-XXXXXX"));
    if (!dir->isValid() || stat(QFile::encodeName(besides).constData(), &a) != 0 ||
        stat(QFile::encodeName(dir->path()).constData(), &b) != 0 || a.st_dev == b.st_dev)
        return nullptr;
    return dir;
}

TEST(FolderTransferTest, CopyKeepsBytesPermissionsTimesAndLinks)
{
    TestTree tree({"T/"});
    fill(tree, QStringLiteral("A"));
    const QByteArray sub = QFile::encodeName(tree.path("A/deep"));
    ASSERT_EQ(chmod(sub.constData(), 0750), 0);
    QFile old(tree.path("A/f1.bin"));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)), QFileDevice::FileModificationTime));
    old.close();
    PosixFileSystem fs;
    FolderTransfer transfer(fs, TransferMode::Copy, {{tree.path("A"), tree.path("T/A")}});
    TransferProgress last;
    const TransferReport report = transfer.run({[&](const TransferProgress& p) { last = p; }, {}});

    ASSERT_EQ(report.results.at(0).state, State::Done);
    EXPECT_EQ(contents(tree.path("T/A")), contents(tree.path("A")));
    EXPECT_TRUE(QFileInfo(tree.path("T/A/lk")).isSymLink());
    EXPECT_EQ(QFileInfo(tree.path("T/A/deep")).permissions(), QFileInfo(tree.path("A/deep")).permissions());
    EXPECT_EQ(QFileInfo(tree.path("T/A/f1.bin")).lastModified(), QFileInfo(tree.path("A/f1.bin")).lastModified());
    EXPECT_EQ(QFileInfo(tree.path("T/A/deep")).lastModified(), QFileInfo(tree.path("A/deep")).lastModified());
    EXPECT_EQ(last.itemsDone, last.itemsTotal);
    EXPECT_EQ(last.itemsTotal, 11); // A, six files, the link, deep, er and g.txt
    EXPECT_EQ(last.bytesTotal, 21000 + 5);
    EXPECT_EQ(last.bytesDone, last.bytesTotal);
    EXPECT_TRUE(partials(tree.path("T")).isEmpty());
}

struct ConflictRow
{
    const char* name;
    ConflictAnswer answer;
    int questions;
    std::vector<State> states;
};

class FolderTransferConflictTest : public testing::TestWithParam<ConflictRow>
{};

TEST_P(FolderTransferConflictTest, ExistingTargetIsNeverOverwritten)
{
    const ConflictRow& row = GetParam();
    TestTree tree({"A/new.txt=3", "B/", "C/c.txt=4", "T/A/old.txt=7", "T/B/"});
    PosixFileSystem fs;
    FolderTransfer transfer(
        fs, TransferMode::Copy,
        {{tree.path("A"), tree.path("T/A")}, {tree.path("B"), tree.path("T/B")}, {tree.path("C"), tree.path("T/C")}});
    QStringList asked;
    const TransferReport report = transfer.run({{}, [&](const QString& target) {
                                                    asked << target;
                                                    return row.answer;
                                                }});
    EXPECT_EQ(asked.size(), row.questions);
    EXPECT_EQ(asked.value(0), tree.path("T/A"));
    ASSERT_EQ(report.results.size(), row.states.size());
    for (std::size_t i = 0; i < row.states.size(); ++i)
        EXPECT_EQ(report.results[i].state, row.states[i]) << "item " << i;
    EXPECT_EQ(tree.folders("T/A"), QStringList());
    EXPECT_TRUE(tree.exists("T/A/old.txt") && !tree.exists("T/A/new.txt"));
    EXPECT_EQ(tree.exists("T/C/c.txt"), row.answer != ConflictAnswer::Cancel);
    EXPECT_EQ(report.cancelled, row.answer == ConflictAnswer::Cancel);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FolderTransferConflictTest,
    testing::Values(ConflictRow{"Skip", ConflictAnswer::Skip, 2, {State::Skipped, State::Skipped, State::Done}},
                    ConflictRow{"SkipAll", ConflictAnswer::SkipAll, 1, {State::Skipped, State::Skipped, State::Done}},
                    ConflictRow{
                        "Cancel", ConflictAnswer::Cancel, 1, {State::Cancelled, State::NotReached, State::NotReached}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FolderTransferTest, CopyOrMoveIntoItselfIsRefused)
{
    for (const TransferMode mode : {TransferMode::Copy, TransferMode::Move}) {
        SCOPED_TRACE(mode == TransferMode::Copy ? "copy" : "move");
        TestTree tree({"A/sub/x=5"});
        PosixFileSystem fs;
        FolderTransfer transfer(fs, mode, {{tree.path("A"), tree.path("A/sub/A")}});
        const TransferReport report = transfer.run({});
        EXPECT_EQ(report.results.at(0).state, State::Failed);
        EXPECT_TRUE(report.results.at(0).intoItself);
        EXPECT_EQ(tree.folders("A/sub"), QStringList());
        EXPECT_TRUE(partials(tree.path("A/sub")).isEmpty());
    }
}

// How the test reaches another file system: a real tmpfs, or a rename that says it crosses one.
enum class Crossing { Tmpfs, Injected };

class FolderTransferCrossingTest : public testing::TestWithParam<Crossing>
{
protected:
    void SetUp() override
    {
        fill(tree, QStringLiteral("A"));
        if (GetParam() == Crossing::Tmpfs) {
            other = otherFileSystemFolder(tree.root());
            if (!other)
                GTEST_SKIP() << "no second file system here";
            targetFolder = other->path();
        } else {
            tree.add(QStringLiteral("T/"));
            targetFolder = tree.path("T");
            fs.fail(Op::Rename, tree.path("A"), FsResult::Kind::CrossDevice);
        }
        before = contents(tree.path("A"));
    }

    TestTree tree;
    std::unique_ptr<QTemporaryDir> other;
    QString targetFolder;
    FaultInjectingFileSystem fs;
    QMap<QString, QByteArray> before;
};

TEST_P(FolderTransferCrossingTest, MoveCopiesThenDeletesTheSource)
{
    FolderTransfer transfer(fs, TransferMode::Move, {{tree.path("A"), targetFolder + "/A"}});
    const TransferReport report = transfer.run({});
    ASSERT_EQ(report.results.at(0).state, State::Done);
    EXPECT_FALSE(tree.exists("A"));
    EXPECT_EQ(contents(targetFolder + "/A"), before);
}

TEST_P(FolderTransferCrossingTest, CancelledHalfwayKeepsEveryByteInTheSource)
{
    FolderTransfer transfer(fs, TransferMode::Move, {{tree.path("A"), targetFolder + "/A"}});
    int calls = 0;
    const TransferReport report = transfer.run({[&](const TransferProgress& p) {
                                                    if (++calls == 4) {
                                                        EXPECT_LT(p.itemsDone, p.itemsTotal);
                                                        transfer.cancel();
                                                    }
                                                },
                                                {}});
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.results.at(0).state, State::Cancelled);
    EXPECT_EQ(contents(tree.path("A")), before);
    EXPECT_FALSE(QFileInfo::exists(targetFolder + "/A"));
    EXPECT_TRUE(partials(targetFolder).isEmpty());
}

TEST_P(FolderTransferCrossingTest, FailedCopyKeepsTheSourceAndLeavesNoHalf)
{
    fs.fail(Op::Copy, tree.path("A/f3.bin"), FsResult::Kind::Other);
    FolderTransfer transfer(fs, TransferMode::Move, {{tree.path("A"), targetFolder + "/A"}});
    const TransferReport report = transfer.run({});
    EXPECT_EQ(report.results.at(0).state, State::Failed);
    EXPECT_FALSE(report.results.at(0).sourceLeftBehind);
    EXPECT_EQ(contents(tree.path("A")), before);
    EXPECT_FALSE(QFileInfo::exists(targetFolder + "/A"));
    EXPECT_TRUE(partials(targetFolder).isEmpty());
}

TEST_P(FolderTransferCrossingTest, SourceThatCannotBeRemovedIsReported)
{
    fs.fail(Op::Remove, tree.path("A/deep/er/g.txt"));
    FolderTransfer transfer(fs, TransferMode::Move, {{tree.path("A"), targetFolder + "/A"}});
    const TransferReport report = transfer.run({});
    EXPECT_EQ(report.results.at(0).state, State::Failed);
    EXPECT_TRUE(report.results.at(0).sourceLeftBehind);
    EXPECT_EQ(contents(targetFolder + "/A"), before);
}

INSTANTIATE_TEST_SUITE_P(Ways, FolderTransferCrossingTest, testing::Values(Crossing::Tmpfs, Crossing::Injected),
                         [](const auto& info) { return info.param == Crossing::Tmpfs ? "Tmpfs" : "Injected"; });

TEST(FolderTransferTest, MoveOnOneFileSystemIsARename)
{
    TestTree tree({"A/x=5", "T/"});
    fill(tree, QStringLiteral("A"));
    const QMap<QString, QByteArray> before = contents(tree.path("A"));
    const auto inode = [](const QString& path) {
        struct stat st;
        return stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    };
    const ino_t sourceInode = inode(tree.path("A")); // the folder itself travels
    FaultInjectingFileSystem fs;
    fs.fail(Op::Copy, tree.path("A"), FsResult::Kind::Other, true); // a copy would fail
    FolderTransfer transfer(fs, TransferMode::Move, {{tree.path("A"), tree.path("T/A")}});
    EXPECT_EQ(transfer.run({}).results.at(0).state, State::Done);
    EXPECT_EQ(contents(tree.path("T/A")), before);
    EXPECT_EQ(inode(tree.path("T/A")), sourceInode);
}

TEST(FolderTransferTest, DeleteForGoodNeverFollowsLinks)
{
    TestTree tree({"A/sub/x=5", "Outside/keep=9"});
    ASSERT_TRUE(tree.link(tree.path("Outside"), QStringLiteral("A/sub/toOutside")));
    PosixFileSystem fs;
    FolderTransfer transfer(fs, TransferMode::Delete, {{tree.path("A"), {}}, {tree.path("Missing"), {}}});
    const TransferReport report = transfer.run({});
    EXPECT_EQ(report.results.at(0).state, State::Done);
    EXPECT_EQ(report.results.at(1).state, State::Skipped);
    EXPECT_FALSE(tree.exists("A"));
    EXPECT_TRUE(tree.exists("Outside/keep"));
}

TEST(FolderTransferTest, TrashKeepsFolderAndItsOrigin)
{
    TestTree tree({"A/x=5", "data/"});
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(tree.path("data")));
    PosixFileSystem fs;
    FolderTransfer transfer(fs, TransferMode::Trash, {{tree.path("A"), {}}});
    const TransferReport report = transfer.run({});
    qputenv("XDG_DATA_HOME", oldDataHome);
    ASSERT_EQ(report.results.at(0).state, State::Done);
    EXPECT_FALSE(tree.exists("A"));
    EXPECT_TRUE(tree.exists("data/Trash/files/A/x"));
    QFile info(tree.path("data/Trash/info/A.trashinfo"));
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    EXPECT_TRUE(info.readAll().contains("Path=" + QFile::encodeName(tree.path("A"))));
}

} // namespace
