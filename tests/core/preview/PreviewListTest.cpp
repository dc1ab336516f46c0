#include "core/preview/PreviewList.h"

#include "support/PreviewFixture.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

struct Watched
{
    PreviewList list;
    QAbstractItemModelTester tester{&list, QAbstractItemModelTester::FailureReportingMode::Fatal};

    void add(const QString& parent, const QString& name, const QString& newName = QString(), qint64 size = 0)
    {
        list.append(MakeEntry(parent, name, newName, size));
    }
    void addAll(std::initializer_list<const char*> names, const char* suffix = "")
    {
        for (const char* name : names)
            add(kP, QLatin1String(name), QLatin1String(name) + QLatin1String(suffix));
    }
    void select(int row)
    {
        list.selectionModel()->select(list.index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList selectedNames() const
    {
        QStringList names;
        for (int row = 0; row < list.size(); ++row)
            names.append(list.isSelected(row) ? list.entry(row).oldName : QString());
        names.removeAll(QString());
        return names;
    }
    void expectKeyIndexRight() const
    {
        for (int row = 0; row < list.size(); ++row)
            EXPECT_EQ(list.rowOfKey(list.entry(row).key), row);
    }
    QColor colour(int row) const { return list.data(list.index(row, 1), Qt::ForegroundRole).value<QColor>(); }

    static inline const QString kP = QStringLiteral("/p/");
};

} // namespace

TEST(PreviewList, BatchAppendSkipsKnownKeysInOneInsert)
{
    Watched w;
    w.addAll({"a"});
    QSignalSpy inserted(&w.list, &QAbstractItemModel::rowsInserted);
    std::vector<FolderEntry> batch;
    for (const char* name : {"b", "a", "c", "b", "d"})
        batch.push_back(MakeEntry(Watched::kP, QLatin1String(name)));
    EXPECT_EQ(w.list.appendBatch(std::move(batch)), 3);
    EXPECT_EQ(w.list.appendBatch({}), 0);
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted.first().at(2).toInt(), 3);
    EXPECT_EQ(OldNames(w.list), (QStringList{"a", "b", "c", "d"}));
    w.expectKeyIndexRight();
}

TEST(PreviewListRefresh, PushesALevelOnEveryEntryOnlyForANewChangeAndKeepsTen)
{
    Watched w;
    w.list.setSortColumn(FolderEntry::ColPosition);
    w.addAll({"a", "b"});
    EXPECT_FALSE(w.list.refreshEntries().pushed);
    w.list.setNewName(0, QStringLiteral("A"));
    const PreviewList::Summary first = w.list.refreshEntries();
    EXPECT_TRUE(first.pushed);
    EXPECT_EQ(first.undoLevels, 1);
    // The untouched entry got its level too, so all entries keep the same number of levels.
    EXPECT_EQ(w.list.entry(1).history[1], QStringLiteral("b"));
    EXPECT_EQ(w.list.entry(0).history[1], QStringLiteral("a"));
    EXPECT_FALSE(w.list.refreshEntries().pushed); // nothing differs from level 0 any more

    for (int n = 1; n <= 12; ++n) {
        w.list.setNewName(0, QStringLiteral("a%1").arg(n));
        w.list.refreshEntries();
    }
    EXPECT_EQ(w.list.summary().undoLevels, 10);
    EXPECT_EQ(w.list.entry(0).history[0], QStringLiteral("a12"));
    EXPECT_EQ(w.list.entry(0).history[10], QStringLiteral("a2"));
}

TEST(PreviewListRefresh, ColoursCountsAndPositions)
{
    Watched w;
    w.list.setSortColumn(FolderEntry::ColPosition);
    w.add(QStringLiteral("/a/"), QStringLiteral("x"), QStringLiteral("y"));
    w.add(QStringLiteral("/b/"), QStringLiteral("x"));
    w.add(QStringLiteral("/a/"), QStringLiteral("z"));
    const PreviewList::Summary s = w.list.refreshEntries();
    EXPECT_EQ(s.folderCount, 2); // distinct parents, also when they are not adjacent
    EXPECT_EQ(s.changedCount, 1);
    EXPECT_EQ(w.colour(0), QColor(128, 0, 0));
    EXPECT_EQ(w.list.data(w.list.index(2, FolderEntry::ColPosition)).toString(), QStringLiteral("000000000003"));
    // Set back to the old name: black again and no longer counted.
    w.list.setNewName(0, QStringLiteral("x"));
    EXPECT_EQ(w.list.refreshEntries().changedCount, 0);
    EXPECT_EQ(w.colour(0), QColor(0, 0, 0));
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
    EXPECT_EQ(w.list.entry(0).parentPath, QStringLiteral("/a/"));
    EXPECT_EQ(w.list.sortIndicatorColumn(), FolderEntry::ColOldName);
    w.expectKeyIndexRight();
}

TEST(PreviewListSort, NaturalOrderSizeTagsDirectionsAndSelection)
{
    Watched w;
    w.add(Watched::kP, QStringLiteral("Disc 10"), QString(), 1000);
    w.add(Watched::kP, QStringLiteral("Disc 9"), QString(), 999);
    w.add(Watched::kP, QStringLiteral("disc 1"), QString(), 5);
    w.select(0);
    w.list.selectionModel()->setCurrentIndex(w.list.index(0, 0), QItemSelectionModel::NoUpdate);
    w.list.SortPreview(2);
    EXPECT_EQ(OldNames(w.list), (QStringList{"disc 1", "Disc 9", "Disc 10"}));
    EXPECT_EQ(w.selectedNames(), QStringList{"Disc 10"}); // selection and current entry follow their entries
    EXPECT_EQ(w.list.currentRow(), 2);
    w.list.setSortOrder(Qt::DescendingOrder);
    w.list.SortPreview(6);
    // "1,000" sorts above "999" by its tag although its text sorts below.
    EXPECT_EQ(OldNames(w.list), (QStringList{"Disc 10", "Disc 9", "disc 1"}));
    EXPECT_TRUE(w.list.headerData(5, Qt::Horizontal, Qt::DecorationRole).isValid());
    w.list.SortPreview(7); // outside the visible columns: nothing
    EXPECT_EQ(w.list.sortColumn(), FolderEntry::ColSize);
    w.expectKeyIndexRight();
}

TEST(PreviewListMove, ThirdOntoFirstAndFirstOntoThird)
{
    const std::tuple<int, int, const char*> moves[] = {{2, 0, "cab"}, {0, 2, "bca"}, {1, 1, "abc"}};
    for (const auto& [from, target, order] : moves) {
        SCOPED_TRACE(order);
        Watched w;
        w.addAll({"a", "b", "c"}, "!");
        w.select(from);
        w.list.SortPreview(2);
        const bool moved = w.list.MoveEntry(from, target);
        EXPECT_EQ(moved, from != target);
        EXPECT_EQ(OldNames(w.list).join(QString()), QLatin1String(order));
        // The moved entry keeps its data and its selection.
        const int row = moved ? target : from;
        EXPECT_EQ(w.list.entry(row).newName, w.list.entry(row).oldName + QStringLiteral("!"));
        EXPECT_EQ(w.selectedNames(), QStringList{w.list.entry(row).oldName});
        w.list.refreshEntries(); // keeps the manual order
        EXPECT_EQ(OldNames(w.list).join(QString()), QLatin1String(order));
        w.expectKeyIndexRight();
    }
}

TEST(PreviewListRemove, BatchesKeepSelectionCurrentAndKeys)
{
    // Few blocks are removed block by block, many scattered rows in one pass: both keep the rest intact.
    for (const int count : {10, 400}) {
        SCOPED_TRACE(count);
        Watched w;
        const auto name = [](int i) { return QStringLiteral("e%1").arg(i, 4, 10, QLatin1Char('0')); };
        for (int i = 0; i < count; ++i)
            w.add(Watched::kP, name(i));
        std::vector<bool> remove;
        for (int i = 0; i < count; ++i)
            remove.push_back(i % 2 == 0);
        for (int row : {1, 2, count - 1})
            w.select(row);
        w.list.selectionModel()->setCurrentIndex(w.list.index(3, 0), QItemSelectionModel::NoUpdate);
        w.list.removeEntries(remove);
        ASSERT_EQ(w.list.size(), count / 2);
        EXPECT_EQ(w.list.entry(0).oldName, name(1));
        EXPECT_EQ(w.selectedNames(), (QStringList{name(1), name(count - 1)}));
        EXPECT_EQ(w.list.currentRow(), 1);
        EXPECT_FALSE(w.list.hasKey(Watched::kP + QStringLiteral("e0000/")));
        w.expectKeyIndexRight();
    }
    Watched all;
    all.addAll({"a", "b"});
    all.list.removeEntries({true, true});
    EXPECT_TRUE(all.list.isEmpty());
    EXPECT_FALSE(all.list.hasKey(Watched::kP + QStringLiteral("a/")));
}
