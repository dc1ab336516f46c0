#include "app/PreviewList.h"

#include "support/PreviewFixture.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

// A list watched by the model tester for the whole test.
struct Watched
{
    PreviewList list;
    QAbstractItemModelTester tester{&list, QAbstractItemModelTester::FailureReportingMode::Fatal};

    void add(const QString& parent, const QString& name, const QString& newName = QString(), qint64 size = 0,
             int levels = 0)
    {
        list.append(MakeEntry(parent, name, newName, size, levels));
    }
    void select(int row)
    {
        list.selectionModel()->select(list.index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList selectedNames() const
    {
        QStringList names;
        const std::vector<bool> rows = list.selectedRows();
        for (int row = 0; row < list.size(); ++row) {
            if (rows[static_cast<size_t>(row)])
                names.append(list.entry(row).oldName());
        }
        return names;
    }
    void expectKeyIndexRight() const
    {
        for (int row = 0; row < list.size(); ++row)
            EXPECT_EQ(list.rowOfKey(list.entry(row).key), row);
    }
};

const QString kP = QStringLiteral("/p/");

} // namespace

TEST(PreviewListRefresh, PushesOneLevelOnEveryEntryWhenAChangeIsNew)
{
    Watched w;
    w.list.setSortColumn(FolderEntry::ColPosition);
    w.add(kP, QStringLiteral("a"));
    w.add(kP, QStringLiteral("b"));
    w.list.entries()[0].setNewName(QStringLiteral("A"));
    const PreviewList::Summary first = w.list.refreshEntries();
    EXPECT_TRUE(first.pushed);
    EXPECT_EQ(first.changedCount, 1);
    EXPECT_EQ(first.undoLevels, 1);
    // The untouched entry got its level too, so all entries keep the same number of levels.
    EXPECT_EQ(w.list.entry(1).history(0), QStringLiteral("b"));
    EXPECT_EQ(w.list.entry(1).history(1), QStringLiteral("b"));
    EXPECT_EQ(w.list.entry(0).history(0), QStringLiteral("A"));
    EXPECT_EQ(w.list.entry(0).history(1), QStringLiteral("a"));

    // Nothing differs from level 0 any more: no push.
    const PreviewList::Summary second = w.list.refreshEntries();
    EXPECT_FALSE(second.pushed);
    EXPECT_EQ(second.undoLevels, 1);
}

TEST(PreviewListRefresh, NoPushWithoutChangesAndOldestLevelDrops)
{
    Watched w;
    w.add(kP, QStringLiteral("a"));
    EXPECT_FALSE(w.list.refreshEntries().pushed);
    EXPECT_TRUE(w.list.entry(0).history(1).isEmpty());
    for (int n = 1; n <= 12; ++n) {
        w.list.entries()[0].setNewName(QStringLiteral("a%1").arg(n));
        w.list.refreshEntries();
    }
    EXPECT_EQ(w.list.summary().undoLevels, 10);
    EXPECT_EQ(w.list.entry(0).history(0), QStringLiteral("a12"));
    EXPECT_EQ(w.list.entry(0).history(10), QStringLiteral("a2"));
}

TEST(PreviewListRefresh, ColoursCountsAndPositions)
{
    Watched w;
    w.list.setSortColumn(FolderEntry::ColPosition);
    w.add(QStringLiteral("/a/"), QStringLiteral("x"), QStringLiteral("y"));
    w.add(QStringLiteral("/b/"), QStringLiteral("x"));
    w.add(QStringLiteral("/a/"), QStringLiteral("z"));
    const PreviewList::Summary s = w.list.refreshEntries();
    EXPECT_EQ(s.entries, 3);
    EXPECT_EQ(s.folderCount, 2); // distinct parents, also when they are not adjacent
    EXPECT_EQ(s.changedCount, 1);
    EXPECT_EQ(w.list.data(w.list.index(0, 1), Qt::ForegroundRole).value<QColor>(), QColor(128, 0, 0));
    EXPECT_EQ(w.list.data(w.list.index(1, 1), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
    EXPECT_EQ(w.list.entry(2).col[FolderEntry::ColPosition], QStringLiteral("000000000003"));

    // Set back to the old name: black again and no longer counted.
    w.list.entries()[0].setNewName(QStringLiteral("x"));
    EXPECT_EQ(w.list.refreshEntries().changedCount, 0);
    EXPECT_EQ(w.list.data(w.list.index(0, 1), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
    EXPECT_EQ(PreviewList().refreshEntries().folderCount, 0);
}

TEST(PreviewListRefresh, ResortsByTheSortColumnWithParentPathAsTieBreak)
{
    Watched w;
    w.add(QStringLiteral("/b/"), QStringLiteral("same"));
    w.add(QStringLiteral("/a/"), QStringLiteral("zz"));
    w.add(QStringLiteral("/a/"), QStringLiteral("same"));
    w.list.setSortColumn(FolderEntry::ColOldName);
    w.list.refreshEntries();
    EXPECT_EQ(OldNames(w.list), (QStringList{"same", "same", "zz"}));
    EXPECT_EQ(w.list.entry(0).parentPath(), QStringLiteral("/a/"));
    EXPECT_EQ(w.list.sortIndicatorColumn(), FolderEntry::ColOldName);
    w.expectKeyIndexRight();
}

TEST(PreviewListSort, NaturalOrderSizeTagsAndDirections)
{
    Watched w;
    w.add(kP, QStringLiteral("Disc 10"), QString(), 1000);
    w.add(kP, QStringLiteral("Disc 9"), QString(), 999);
    w.add(kP, QStringLiteral("disc 1"), QString(), 5);
    w.list.SortPreview(2);
    EXPECT_EQ(OldNames(w.list), (QStringList{"disc 1", "Disc 9", "Disc 10"}));
    EXPECT_EQ(w.list.entry(0).col[FolderEntry::ColSortKey], QStringLiteral("disc 000000000000001"));
    w.list.setSortOrder(Qt::DescendingOrder);
    w.list.SortPreview(6);
    // "1,000" sorts above "999" by its tag although its text sorts below.
    EXPECT_EQ(OldNames(w.list), (QStringList{"Disc 10", "Disc 9", "disc 1"}));
    EXPECT_EQ(w.list.sortColumn(), FolderEntry::ColSize);
    EXPECT_EQ(w.list.headerData(5, Qt::Horizontal, Qt::DecorationRole).isValid(), true);
    EXPECT_FALSE(w.list.headerData(1, Qt::Horizontal, Qt::DecorationRole).isValid());
    // Positions outside the visible columns do nothing.
    w.list.SortPreview(7);
    EXPECT_EQ(w.list.sortColumn(), FolderEntry::ColSize);
    w.expectKeyIndexRight();
}

TEST(PreviewListSort, HeaderClicksToggleOnlyOnTheSameHeader)
{
    Watched w;
    w.add(kP, QStringLiteral("b"));
    w.add(kP, QStringLiteral("a"));
    const struct
    {
        int header;
        Qt::SortOrder order;
    } clicks[] = {{2, Qt::AscendingOrder},  {2, Qt::DescendingOrder}, {2, Qt::AscendingOrder},
                  {2, Qt::DescendingOrder}, {3, Qt::AscendingOrder},  {2, Qt::AscendingOrder}};
    for (const auto& click : clicks) {
        w.list.headerClicked(click.header);
        EXPECT_EQ(w.list.sortOrder(), click.order) << click.header;
        EXPECT_EQ(w.list.sortColumn(), click.header - 1);
    }
}

TEST(PreviewListSort, SelectionAndCurrentEntryFollowTheEntries)
{
    Watched w;
    for (const char* name : {"c", "a", "b"})
        w.add(kP, QLatin1String(name));
    w.select(0);
    w.list.selectionModel()->setCurrentIndex(w.list.index(0, 0), QItemSelectionModel::NoUpdate);
    w.list.SortPreview(2);
    EXPECT_EQ(w.selectedNames(), QStringList{"c"});
    EXPECT_EQ(w.list.currentRow(), 2);
}

TEST(PreviewListMove, ThirdOntoFirstAndFirstOntoThird)
{
    const struct
    {
        int from;
        int target;
        const char* order;
    } moves[] = {{2, 0, "cab"}, {0, 2, "bca"}, {1, 1, "abc"}};
    for (const auto& move : moves) {
        Watched w;
        for (const char* name : {"a", "b", "c"})
            w.add(kP, QLatin1String(name), QLatin1String(name) + QStringLiteral("!"));
        w.select(move.from);
        w.list.SortPreview(2);
        const bool moved = w.list.MoveEntry(move.from, move.target);
        EXPECT_EQ(moved, move.from != move.target);
        EXPECT_EQ(OldNames(w.list).join(QString()), QLatin1String(move.order));
        // The moved entry keeps its data and its selection.
        const int row = moved ? move.target : move.from;
        EXPECT_EQ(w.list.entry(row).newName(), w.list.entry(row).oldName() + QStringLiteral("!"));
        EXPECT_TRUE(w.list.isSelected(row));
        EXPECT_EQ(w.selectedNames().size(), 1);
        if (moved) {
            EXPECT_EQ(w.list.sortColumn(), FolderEntry::ColPosition);
            EXPECT_EQ(w.list.sortIndicatorColumn(), -1);
            // A refresh keeps the manual order.
            w.list.refreshEntries();
            EXPECT_EQ(OldNames(w.list).join(QString()), QLatin1String(move.order));
        }
        w.expectKeyIndexRight();
    }
}

TEST(PreviewListRemove, BatchesKeepSelectionCurrentAndKeys)
{
    // Few blocks are removed block by block, many scattered rows in one pass: both keep the rest intact.
    for (const int count : {10, 400}) {
        Watched w;
        for (int i = 0; i < count; ++i)
            w.add(kP, QStringLiteral("e%1").arg(i, 4, 10, QLatin1Char('0')));
        std::vector<bool> remove(static_cast<size_t>(count), false);
        for (int i = 0; i < count; i += 2)
            remove[static_cast<size_t>(i)] = true;
        w.select(1);
        w.select(2);
        w.select(count - 1);
        w.list.selectionModel()->setCurrentIndex(w.list.index(3, 0), QItemSelectionModel::NoUpdate);
        w.list.removeEntries(remove);
        ASSERT_EQ(w.list.size(), count / 2);
        EXPECT_EQ(w.list.entry(0).oldName(), QStringLiteral("e0001"));
        EXPECT_EQ(w.selectedNames(), (QStringList{QStringLiteral("e0001"),
                                                  QStringLiteral("e%1").arg(count - 1, 4, 10, QLatin1Char('0'))}));
        EXPECT_EQ(w.list.currentRow(), 1);
        EXPECT_FALSE(w.list.hasKey(kP + QStringLiteral("e0000/")));
        w.expectKeyIndexRight();
    }
}

TEST(PreviewListRemove, RemovingEverythingClears)
{
    Watched w;
    w.add(kP, QStringLiteral("a"));
    w.add(kP, QStringLiteral("b"));
    w.list.removeEntries({true, true});
    EXPECT_TRUE(w.list.isEmpty());
    EXPECT_FALSE(w.list.hasKey(kP + QStringLiteral("a/")));
}
