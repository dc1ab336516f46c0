#include "core/folderops/ListedFolderOps.h"
#include "core/folderops/ListExport.h"
#include "core/folderops/SubfolderCreation.h"
#include "core/platform/PosixFileSystem.h"
#include "support/PreviewFixture.h"
#include "support/TestTree.h"

#include <gtest/gtest.h>

namespace {

using namespace ListedFolderOps;

void select(PreviewList& list, const std::vector<int>& rows)
{
    for (const int row : rows)
        list.selectionModel()->select(list.index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

TEST(ListedFolderOpsTest, NameClashLooksAtLaterRowsTargetedOrNot)
{
    struct Row
    {
        const char* name;
        QStringList names;
        std::vector<int> selected;
        int clash;
    };
    const Row rows[] = {
        {"same name from two parents", {"Trip", "Other", "Trip"}, {0, 2}, 0},
        {"later row not targeted counts", {"Trip", "Trip"}, {0}, 0},
        {"earlier untargeted row does not", {"Trip", "Trip"}, {1}, -1},
        {"letter case differs", {"Trip", "trip"}, {0, 1}, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PreviewList list;
        for (int i = 0; i < row.names.size(); ++i)
            list.append(MakeEntry(QStringLiteral("/p%1/").arg(i), row.names[i]));
        select(list, row.selected);
        EXPECT_EQ(FirstNameClash(list, TargetRows(list, 1)), row.clash);
    }
}

TEST(ListedFolderOpsTest, MovedEntriesAndTheirListedSubfoldersFollow)
{
    TestTree tree({"A/sub/", "B/", "T/B/"});
    PosixFileSystem fs;
    PreviewList list;
    list.append(MakeEntry(tree.key(""), "A"));
    list.append(MakeEntry(tree.key("A"), "sub"));
    list.append(MakeEntry(tree.key(""), "B")); // skipped: T/B is another folder, the entry stays
    const std::vector<int> rows{0, 2};
    FolderTransfer transfer(fs, TransferMode::Move, TransferItems(list, rows, tree.path("T")));
    const TransferReport report = transfer.run({});
    PointAtDestinations(list, rows, report, tree.path("T"), true);
    EXPECT_EQ(Keys(list), QStringList({tree.key("T/A"), tree.key("T/A/sub"), tree.key("B")}));
    EXPECT_EQ(list.entry(0).parentPath, tree.key("T"));
}

TEST(ListedFolderOpsTest, DeletedFolderTakesItsListedSubfoldersAlong)
{
    TestTree tree({"A/sub/", "B/"});
    PosixFileSystem fs;
    PreviewList list;
    list.append(MakeEntry(tree.key(""), "A"));
    list.append(MakeEntry(tree.key("A"), "sub"));
    list.append(MakeEntry(tree.key(""), "B"));
    FolderTransfer transfer(fs, TransferMode::Delete, {{tree.path("A"), {}}});
    static_cast<void>(transfer.run({}));
    EXPECT_EQ(RemoveVanished(list, fs), 2);
    EXPECT_EQ(Keys(list), QStringList({tree.key("B")}));
}

TEST(SubfolderCreationTest, NameAndCountAreTidied)
{
    EXPECT_EQ(SubfolderCreation::CleanName(QStringLiteral("/one///two")), QStringLiteral("one/two"));
    EXPECT_EQ(SubfolderCreation::CleanName(QStringLiteral("  x  ")), QStringLiteral("x"));
    EXPECT_EQ(SubfolderCreation::TidyCount(QStringLiteral("007")), QStringLiteral("7"));
    EXPECT_EQ(SubfolderCreation::TidyCount(QString()), QStringLiteral("1"));
    EXPECT_EQ(SubfolderCreation::TidyCount(QStringLiteral("000")), QStringLiteral("1"));
    EXPECT_EQ(SubfolderCreation::TidyCount(QStringLiteral("123456789012")), QStringLiteral("9999"));
}

TEST(SubfolderCreationTest, CreatesEveryLevelAndNumbersOnlyASeries)
{
    TestTree tree({"A/", "B/", "B/x2/"});
    PosixFileSystem fs;
    const QStringList one = SubfolderCreation::CreateSubFolders(fs, {tree.key("A")}, QStringLiteral("/one///two"), 1);
    EXPECT_EQ(one, QStringList({tree.path("A/one/two")}));
    EXPECT_TRUE(tree.isFolder("A/one/two"));
    const QStringList series = SubfolderCreation::CreateSubFolders(fs, {tree.key("A"), tree.key("B")}, "x", 3);
    EXPECT_EQ(series.size(), 6); // B/x2 existed: still reported
    EXPECT_EQ(tree.folders("B"), QStringList({"x1", "x2", "x3"}));
    EXPECT_TRUE(SubfolderCreation::CreateSubFolders(fs, {}, "x", 3).isEmpty());
}

TEST(ListExportTest, PlainAndRichText)
{
    const QString stamp = QStringLiteral("2026-12-06, 22:10:05");
    EXPECT_EQ(ListExport::PlainText("Dirwright", stamp, {}), "Dirwright:  2026-12-06, 22:10:05\r\n");
    EXPECT_EQ(ListExport::PlainText("Dirwright", stamp, {"/a/par x/", "/b\\c/"}),
              "Dirwright:  2026-12-06, 22:10:05\r\n\r\n/a/par x/\r\n/b\\c/");
    const QString head = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Courier New;}}\\b\\f0\\fs24\\ Dirwright:  \\i "
                         "2026-12-06, 22:10:05\\b0\\i0\\fs20\\par";
    EXPECT_EQ(ListExport::RichText("Dirwright", stamp, {}), head + "}");
    EXPECT_EQ(ListExport::RichText("Dirwright", stamp, {QString::fromUtf8("/x\\y/{é}/par z/")}),
              head + "\\par /x\\\\y/\\{\\u233?\\}/par z/}");
    EXPECT_EQ(ListExport::EscapeRtf(QString::fromUtf8("日\t")), "\\u26085?\\u9?");
    EXPECT_EQ(ListExport::EscapeRtf(QString(QChar(0xFF5E))), "\\u-162?");
}

} // namespace
