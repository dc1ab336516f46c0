#include "script/BatchRun.h"
#include "script/BatchFixture.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

using Status = BatchRun::Status;

// Sets a folder's last-write time to a day of January 2020.
void setModified(const QString& path, int day)
{
    const QDateTime when(QDate(2020, 1, day), QTime(12, 0));
    const timespec stamp{static_cast<time_t>(when.toSecsSinceEpoch()), 0};
    const timespec times[2] = {stamp, stamp};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

class BatchRunTest : public BatchFixture
{};

TEST_F(BatchRunTest, TheProtocolGetsOneLinePerRenameWhenSwitchedOn)
{
    tree.add(QStringLiteral("P/a/"));
    tree.add(QStringLiteral("P/b/"));
    tree.add(QStringLiteral("P/same/"));
    app.state().protocolRenames = true;
    const Result r = batch({"--structure", "<NAME>1", "--structure", "<NAME_L(4)>", tree.path("P/a"),
                            tree.path("P/same"), tree.path("P/b")});
    EXPECT_EQ(r.status, Status::Done) << r.err.toStdString();
    const QString parent = tree.key(QStringLiteral("P"));
    EXPECT_EQ(protocol(), QStringLiteral("20240131153045\"%1\"a\"a1\n20240131153045\"%1\"b\"b1\n").arg(parent));
}

TEST_F(BatchRunTest, AFailedRenameIsReportedAndTheOthersAreTaken)
{
    tree.add(QStringLiteral("P/a/"));
    tree.add(QStringLiteral("P/b/"));
    tree.add(QStringLiteral("P/c/"));
    tree.add(QStringLiteral("P/b_old")); // a file where b wants to go
    const Result r = batch({"--structure", "<NAME>_old", tree.path("P/a"), tree.path("P/b"), tree.path("P/c")});
    EXPECT_EQ(r.status, Status::SomeFailed);
    const QString from = tree.key(QStringLiteral("P/b"));
    const QString to = tree.key(QStringLiteral("P")) + QStringLiteral("b_old/");
    EXPECT_EQ(r.err, app.state().message(QStringLiteral("MsgText05"), {'"' + from + '"', '"' + to + '"'}) + '\n');
    EXPECT_TRUE(r.err.contains(QStringLiteral("already exists"))) << r.err.toStdString();
    EXPECT_EQ(tree.folders(QStringLiteral("P")), QStringList({"a_old", "b", "c_old"}));
    // The protocol is off unless the settings switch it on.
    EXPECT_EQ(protocol(), QString());
}

struct SortCase
{
    const char* key;
    QStringList order; // old names in printed order
};

void PrintTo(const SortCase& c, std::ostream* os)
{
    *os << (c.key ? c.key : "default");
}

class BatchSortTest : public BatchFixture, public ::testing::WithParamInterface<SortCase>
{};

TEST_P(BatchSortTest, PutsTheEntriesInTheChosenOrder)
{
    // Natural order puts b9 before b10; sizes and times are chosen to disagree with the names.
    tree.add(QStringLiteral("R1/b10/f=5"));
    tree.add(QStringLiteral("R1/b9/f=300"));
    tree.add(QStringLiteral("R2/a/f=100"));
    tree.add(QStringLiteral("R2/c/f=5"));
    setModified(tree.path("R2/a"), 1);
    setModified(tree.path("R1/b10"), 2);
    setModified(tree.path("R2/c"), 2);
    setModified(tree.path("R1/b9"), 3);
    QStringList arguments{"--dry-run", "--structure", "<NAME>_"};
    if (GetParam().key)
        arguments << "--sort" << GetParam().key;
    arguments << tree.path("R2/c") << tree.path("R1/b10") << tree.path("R2/a") << tree.path("R1/b9");

    const Result r = batch(arguments);
    ASSERT_EQ(r.status, Status::Done) << r.err.toStdString();
    QStringList order;
    for (const QString& line : r.out.split('\n', Qt::SkipEmptyParts))
        order.append(line.section('\t', 1, 1));
    EXPECT_EQ(order, GetParam().order);
}

// Ties (equal sizes or times) fall back to the parent folder, then the name.
INSTANTIATE_TEST_SUITE_P(
    Table, BatchSortTest,
    ::testing::Values(SortCase{nullptr, {"b9", "b10", "a", "c"}}, SortCase{"path", {"b9", "b10", "a", "c"}},
                      SortCase{"name", {"a", "b9", "b10", "c"}}, SortCase{"size", {"b10", "c", "a", "b9"}},
                      SortCase{"modified", {"a", "b10", "c", "b9"}}, SortCase{"none", {"c", "b10", "a", "b9"}}));

TEST_F(BatchRunTest, SubfoldersAreLoadedAtEveryDepthAndRenamedBelowRenamedParents)
{
    tree.add(QStringLiteral("Top/A/B/"));
    tree.add(QStringLiteral("Top/A/C/"));
    tree.add(QStringLiteral("Top/D/"));
    tree.add(QStringLiteral("file.txt"));
    const Result r = batch({"--subfolders", "--structure", "<NAME>-x", tree.path("Top"), tree.path("file.txt")});
    EXPECT_EQ(r.status, Status::Done) << r.err.toStdString();
    EXPECT_EQ(r.out,
              change("Top/A", "A-x") + change("Top/D", "D-x") + change("Top/A/B", "B-x") + change("Top/A/C", "C-x"));
    EXPECT_TRUE(r.err.contains(QStringLiteral("--subfolders needs a folder"))) << r.err.toStdString();
    EXPECT_EQ(tree.folders(QStringLiteral("Top")), QStringList({"A-x", "D-x"}));
    EXPECT_EQ(tree.folders(QStringLiteral("Top/A-x")), QStringList({"B-x", "C-x"}));
}

TEST_F(BatchRunTest, ListFilesAndPathsLoadTogetherAndMissingOnesAreSkippedWithAWarning)
{
    tree.add(QStringLiteral("L/one/"));
    tree.add(QStringLiteral("L/two/"));
    tree.add(QStringLiteral("L/three/"));
    tree.add(QStringLiteral("L/four/"));
    const QString list = tree.path(QStringLiteral("L/list.m3u"));
    ASSERT_TRUE(TextCodec::writeFileAtomically(
        list, QStringLiteral("#EXTM3U\n#EXTINF:1,x\none\n%1\nmissing\n").arg(tree.path("L/two"))));
    const QString gone = tree.path(QStringLiteral("gone"));
    const Result r = batch(
        {"--structure", "<NAME>!", "--list", list, "--list", tree.path("L/nolist.txt"), tree.path("L/four"), gone});
    EXPECT_EQ(r.status, Status::Done) << r.err.toStdString();
    EXPECT_EQ(r.out, change("L/four", "four!") + change("L/one", "one!") + change("L/two", "two!"));
    EXPECT_EQ(r.err, QStringLiteral("Skipped the list file \"%1\": it cannot be read.\n"
                                    "Skipped \"%2\": there is no such file or folder.\n")
                         .arg(tree.path("L/nolist.txt"), gone));
    EXPECT_EQ(tree.folders(QStringLiteral("L")), QStringList({"four!", "one!", "three", "two!"}));
}

TEST_F(BatchRunTest, NothingToDoIsSuccess)
{
    tree.add(QStringLiteral("P/a/"));
    const Result r = batch({"--structure", "<NAME>", tree.path("P/a")});
    EXPECT_EQ(r.status, Status::Done);
    EXPECT_EQ(r.out + r.err, QString());
}

struct BadNameCase
{
    QString structure;
    const char* expected; // in the message
};

void PrintTo(const BadNameCase& c, std::ostream* os)
{
    *os << c.structure.left(20).toStdString();
}

class BatchBadNameTest : public BatchFixture, public ::testing::WithParamInterface<BadNameCase>
{};

TEST_P(BatchBadNameTest, StopsTheRunBeforeAnythingIsRenamed)
{
    tree.add(QStringLiteral("P/a/"));
    tree.add(QStringLiteral("P/a/x/"));
    tree.add(QStringLiteral("P/b/"));
    // b would be fine, but the whole proposal is refused.
    const Result r = batch({"--structure", GetParam().structure, tree.path("P/b"), tree.path("P/a")});
    EXPECT_EQ(r.status, Status::CannotRun);
    EXPECT_TRUE(r.err.contains(QLatin1String(GetParam().expected))) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith(QStringLiteral("Nothing was renamed.\n"))) << r.err.toStdString();
    EXPECT_EQ(tree.folders(QStringLiteral("P")), QStringList({"a", "b"}));
    EXPECT_EQ(tree.folders(QStringLiteral("P/a")), QStringList({"x"}));
}

// "a/x" would move b into a; markers show where a structure went wrong.
INSTANTIATE_TEST_SUITE_P(
    Table, BatchBadNameTest,
    ::testing::Values(BadNameCase{"<NAME_L(1)>/x", "new name \"a/x\": The new name contains \"/\""},
                      BadNameCase{"..", "new name \"..\": \".\" and \"..\" cannot"},
                      BadNameCase{"<NAME_L(0)>", "new name \"\": The new name is empty."},
                      BadNameCase{QString(256, QLatin1Char('x')),
                                  "The new name is 256 bytes long; folder names may have at most 255"},
                      BadNameCase{"<NAME_L(a)>", "<No_Number> marks where"},
                      BadNameCase{"<DT(X,yyyy)>", "<Check_DT>"}));

TEST_F(BatchRunTest, ChangeLinesEscapeWhatWouldBreakALine)
{
    EXPECT_EQ(BatchRun::changeLine("/p\\q/", "a\tb",
                                   "c\nd\re\x1b"
                                   "f"),
              QStringLiteral("/p\\\\q/\ta\\tb\tc\\nd\\re\\x1bf"));
    EXPECT_EQ(BatchRun::changeLine("/ü/", "🌍", "x"), QStringLiteral("/ü/\t🌍\tx"));
}

TEST_F(BatchRunTest, NamesThatAreNotUtf8AreFoundAndPrintedByteForByte)
{
    tree.add(QStringLiteral("P/"));
    const QByteArray raw = QFile::encodeName(tree.path("P")) + "/caf\xe9";
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    BatchRun run(app.state(), out, err);
    const int status = run.run(ParseBatchArguments({"--structure", "<NAME>-1", FileNames::decode(raw)}));
    EXPECT_EQ(status, Status::Done) << err.data().toStdString();
    EXPECT_EQ(out.data(), QFile::encodeName(tree.path("P")) + "/\tcaf\xe9\tcaf\xe9-1\n");
    struct stat renamed;
    EXPECT_EQ(stat(raw + "-1", &renamed), 0);
    // The temporary folder cannot remove a name that is not UTF-8.
    rmdir(raw + "-1");
    rmdir(raw);
}

} // namespace
