#include "core/preview/PreviewList.h"

#include "core/preview/SortKey.h"
#include "support/PreviewFixture.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Watched
{
    PreviewList list;
    QAbstractItemModelTester tester{&list, QAbstractItemModelTester::FailureReportingMode::Fatal};

    // Whatever the list announces, its key index matches its rows at that moment.
    Watched()
    {
        const auto check = [this] { expectKeyIndexRight(); };
        QObject::connect(&list, &QAbstractItemModel::dataChanged, check);
        QObject::connect(&list, &QAbstractItemModel::rowsInserted, check);
        QObject::connect(&list, &QAbstractItemModel::rowsRemoved, check);
        QObject::connect(&list, &QAbstractItemModel::rowsMoved, check);
        QObject::connect(&list, &QAbstractItemModel::layoutChanged, check);
        QObject::connect(&list, &QAbstractItemModel::modelReset, check);
    }

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
            EXPECT_EQ(list.rowOfKey(list.entry(row).key()), row);
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
    EXPECT_EQ(w.list.entry(1).history.at(1), QStringLiteral("b"));
    EXPECT_EQ(w.list.entry(0).history.at(1), QStringLiteral("a"));
    EXPECT_FALSE(w.list.refreshEntries().pushed); // nothing differs from level 0 any more

    for (int n = 1; n <= 12; ++n) {
        w.list.setNewName(0, QStringLiteral("a%1").arg(n));
        w.list.refreshEntries();
    }
    EXPECT_EQ(w.list.summary().undoLevels, 10);
    EXPECT_EQ(w.list.entry(0).history.at(0), QStringLiteral("a12"));
    EXPECT_EQ(w.list.entry(0).history.at(10), QStringLiteral("a2"));
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

// A refresh skips the sort while nothing it sorts by changed; every change to that sorts again.
TEST(PreviewListRefresh, SortsAgainAfterEveryChangeToWhatItSortsBy)
{
    const struct
    {
        const char* row;
        int column;
        std::function<void(Watched&)> change;
        QStringList order;
    } cases[] = {
        {"new names only",
         FolderEntry::ColOldName,
         [](Watched& w) {
             for (int row = 0; row < w.list.size(); ++row)
                 w.list.setNewName(row, QStringLiteral("x%1").arg(2 - row));
         },
         {"b", "c", "zz"}},
        {"an added folder",
         FolderEntry::ColOldName,
         [](Watched& w) { w.add(Watched::kP, QStringLiteral("a")); },
         {"a", "b", "c", "zz"}},
        {"a rename taken",
         FolderEntry::ColOldName,
         [](Watched& w) {
             w.list.setNewName(2, QStringLiteral("aa"));
             w.list.markRenamed(2, Watched::kP + QStringLiteral("aa/"));
         },
         {"aa", "b", "c"}},
        {"a parent renamed",
         FolderEntry::ColParentPath,
         [](Watched& w) { w.list.moveKeyUnder(2, Watched::kP, QStringLiteral("/a/")); },
         {"zz", "b", "c"}},
        {"sorted by new names",
         FolderEntry::ColNewName,
         [](Watched& w) { w.list.setNewName(2, QStringLiteral("a")); },
         {"zz", "b", "c"}},
        {"sorted by another column between",
         FolderEntry::ColOldName,
         [](Watched& w) {
             w.list.setSortOrder(Qt::DescendingOrder);
             w.list.SortPreview(FolderEntry::ColOldName + 1);
             w.list.setSortOrder(Qt::AscendingOrder);
         },
         {"b", "c", "zz"}},
        {"sorted by path with a new folder",
         FolderEntry::ColParentPath,
         [](Watched& w) {
             w.list.SortPreview(FolderEntry::ColParentPath + 1);
             w.add(Watched::kP, QStringLiteral("a"));
         },
         {"a", "b", "c", "zz"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        Watched w;
        w.addAll({"zz", "c", "b"});
        w.list.setSortColumn(c.column);
        w.list.refreshEntries();
        c.change(w);
        w.list.refreshEntries();
        EXPECT_EQ(OldNames(w.list), c.order);
        w.expectKeyIndexRight();
    }
}

TEST(PreviewListRefresh, SortedByPathSiblingsReadInNaturalOrderAndAManualOrderAppends)
{
    Watched w;
    w.addAll({"Disc 1", "Disc 10", "Disc 11", "Disc 2"}); // as a folder listing loads them
    w.add(QStringLiteral("/a/"), QStringLiteral("z"));
    w.list.refreshEntries(); // the path is the sort column of a first start
    EXPECT_EQ(OldNames(w.list), (QStringList{"z", "Disc 1", "Disc 2", "Disc 10", "Disc 11"}));
    EXPECT_EQ(w.list.sortIndicatorColumn(), FolderEntry::ColParentPath);
    w.list.setSortOrder(Qt::DescendingOrder);
    w.list.refreshEntries();
    EXPECT_EQ(OldNames(w.list), (QStringList{"Disc 11", "Disc 10", "Disc 2", "Disc 1", "z"}));

    ASSERT_TRUE(w.list.MoveEntry(4, 0));
    w.add(Watched::kP, QStringLiteral("Disc 3"));
    w.list.refreshEntries();
    EXPECT_EQ(OldNames(w.list), (QStringList{"z", "Disc 11", "Disc 10", "Disc 2", "Disc 1", "Disc 3"}));
    EXPECT_EQ(w.list.sortIndicatorColumn(), -1);
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

// Number columns sort by their values: times as the local time they show (an unknown time shows as the
// first of 1980), sizes also beyond twelve digits.
TEST(PreviewListSort, TimesAndSizesSortAsTheValuesTheyShow)
{
    struct Row
    {
        const char* name;
        qint64 created;
        qint64 size;
    };
    const qint64 y1979 = QDateTime(QDate(1979, 12, 31), QTime(23, 59, 59)).toSecsSinceEpoch();
    const qint64 y1980 = QDateTime(QDate(1980, 1, 1), QTime(0, 0, 1)).toSecsSinceEpoch();
    const qint64 y2024 = QDateTime(QDate(2024, 3, 1), QTime(8, 0)).toSecsSinceEpoch();
    const Row rows[] = {{"new", y2024, 1'000'000'000'000},
                        {"unknown", PathInfo::kUnknownTime, 999'999'999'999},
                        {"old", y1979, 5},
                        {"early", y1980, 10'000'000'000'000}};
    Watched w;
    for (const Row& row : rows) {
        FolderEntry e = MakeEntry(Watched::kP, QLatin1String(row.name), QString(), row.size);
        e.created = row.created;
        w.list.append(std::move(e));
    }
    w.list.SortPreview(4);
    EXPECT_EQ(OldNames(w.list), (QStringList{"old", "unknown", "early", "new"}));
    w.list.SortPreview(6);
    EXPECT_EQ(OldNames(w.list), (QStringList{"old", "unknown", "new", "early"}));
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

TEST(PreviewListData, ColumnsShowTheTypedFieldsAsTheTableShowsThem)
{
    Watched w;
    w.list.setSortColumn(FolderEntry::ColPosition);
    w.add(Watched::kP, QStringLiteral("b"), QStringLiteral("B"), 1234567);
    FolderEntry timeless = MakeEntry(Watched::kP, QStringLiteral("a"), QString(), 0, 2);
    timeless.created = timeless.modified = PathInfo::kUnknownTime;
    w.list.append(timeless);
    w.list.refreshEntries();
    QLocale grouping;
    grouping.setNumberOptions(grouping.numberOptions() & ~QLocale::OmitGroupSeparator);
    const struct
    {
        const char* name;
        int row;
        int column;
        QString text;
    } cases[] = {
        {"parent path", 0, FolderEntry::ColParentPath, "/p/"},
        {"new name", 0, FolderEntry::ColNewName, "B"},
        {"created", 0, FolderEntry::ColCreated, "2024-01-31 15:30:45"},
        {"modified", 0, FolderEntry::ColModified, "2024-02-01 10:00:00"},
        {"unknown time", 1, FolderEntry::ColCreated, "1980-01-01 00:00:00"},
        {"size grouped", 0, FolderEntry::ColSize, grouping.toString(1234567)},
        {"no sort key before a sort", 0, FolderEntry::ColSortKey, ""},
        {"history level 0 after the push", 0, FolderEntry::ColHistory0, "B"},
        {"history level 2", 1, FolderEntry::ColHistory0 + 2, "a"},
        {"history level 4 empty", 1, FolderEntry::ColHistory0 + 4, ""},
        {"position at the refresh", 1, FolderEntry::ColPosition, "000000000002"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(w.list.data(w.list.index(c.row, c.column)).toString(), c.text);
    }
    // The sort key column shows the keys of the column last sorted by.
    w.list.SortPreview(6);
    EXPECT_EQ(w.list.data(w.list.index(1, FolderEntry::ColSortKey)).toString(), QStringLiteral("000001234567"));
    w.list.SortPreview(2);
    EXPECT_EQ(w.list.data(w.list.index(0, FolderEntry::ColSortKey)).toString(), BuildSortKey(QStringLiteral("a")));
}

// A key is the parent path, the name and a separator, and is found only as that whole text, however an
// entry holds its parts.
TEST(PreviewList, KeysAreFoundAsTheWholePathWhateverTheirParts)
{
    Watched w;
    w.add(QStringLiteral("/p/a/"), QStringLiteral("b"));
    w.add(QStringLiteral("/p/"), QStringLiteral("a"));
    EXPECT_FALSE(w.list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("a/b"))))
        << "the same key from other parts";
    EXPECT_FALSE(w.list.append(MakeEntry(QStringLiteral("/p/a"), QStringLiteral("/b"))));
    const struct
    {
        const char* key;
        int row;
    } cases[] = {{"/p/a/b/", 0}, {"/p/a/", 1}, {"/p/a/b", -1}, {"/p/a", -1}, {"/p/", -1},
                 {"/p//a/", -1}, {"/", -1},    {"", -1},       {"b/", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(w.list.rowOfKey(QLatin1String(c.key)), c.row) << c.key;
}

// The folder itself moves (as a take parks it under a temporary name): its name follows, and only the
// new key finds it, whether the index follows each change or is rebuilt afterwards.
TEST(PreviewListTake, AFolderMovedItselfTakesTheNameItMovedTo)
{
    for (const bool manyKeys : {false, true}) {
        SCOPED_TRACE(manyKeys ? "many keys" : "few keys");
        Watched w;
        w.add(QStringLiteral("/r/"), QStringLiteral("a"), QStringLiteral("b"));
        w.add(QStringLiteral("/r/a/"), QStringLiteral("x"));
        {
            const PreviewList::BulkEdit bulk(w.list, manyKeys);
            EXPECT_TRUE(w.list.moveKeyUnder(0, QStringLiteral("/r/a/"), QStringLiteral("/r/.t/")));
            EXPECT_TRUE(w.list.moveKeyUnder(1, QStringLiteral("/r/a/"), QStringLiteral("/r/.t/")));
            EXPECT_FALSE(w.list.moveKeyUnder(0, QStringLiteral("/r/a/"), QStringLiteral("/r/.t/")));
        }
        const FolderEntry& e = w.list.entry(0);
        EXPECT_EQ(QStringList({e.parentPath, e.oldName, e.newName}), QStringList({"/r/", ".t", "b"}));
        EXPECT_EQ(Keys(w.list), (QStringList{"/r/.t/", "/r/.t/x/"}));
        EXPECT_FALSE(w.list.hasKey(QStringLiteral("/r/a/")));
        w.expectKeyIndexRight();
    }
}

TEST(PreviewListTake, RenamedRowsAndKeysBelowThemKeepTheIndexRight)
{
    // With few key changes the index follows each one; with many it is rebuilt once when next needed.
    for (const bool manyKeys : {false, true}) {
        SCOPED_TRACE(manyKeys ? "many keys" : "few keys");
        Watched w;
        w.add(QStringLiteral("/r/"), QStringLiteral("a"), QStringLiteral("b"));
        w.add(QStringLiteral("/r/a/"), QStringLiteral("x"));
        w.add(QStringLiteral("/r/a/"), QStringLiteral("z"));
        w.add(QStringLiteral("/r/a/x/r/a/"), QStringLiteral("y"));
        w.add(QStringLiteral("/r/"), QStringLiteral("ab"));
        QSignalSpy changed(&w.list, &QAbstractItemModel::dataChanged);
        {
            const PreviewList::BulkEdit bulk(w.list, manyKeys);
            w.list.markRenamed(0, QStringLiteral("/r/b/"));
            for (int row = 0; row < w.list.size(); ++row)
                EXPECT_EQ(w.list.moveKeyUnder(row, QStringLiteral("/r/a/"), QStringLiteral("/r/b/")),
                          row >= 1 && row <= 3)
                    << row;
            w.list.dropEarlierProposals(0);
            EXPECT_TRUE(changed.isEmpty());
        }
        ASSERT_EQ(changed.size(), 1);
        EXPECT_EQ(changed.first().at(0).toModelIndex().row(), 0);
        EXPECT_EQ(changed.first().at(1).toModelIndex().row(), 3);
        EXPECT_EQ(Keys(w.list), (QStringList{"/r/b/", "/r/b/x/", "/r/b/z/", "/r/b/x/r/a/y/", "/r/ab/"}));
        EXPECT_EQ(w.list.entry(3).parentPath, QStringLiteral("/r/b/x/r/a/")) << "only the leading path changes";
        EXPECT_EQ(w.list.entry(1).parentPath, QStringLiteral("/r/b/"));
        EXPECT_EQ(w.list.entry(1).parentPath.constData(), w.list.entry(2).parentPath.constData())
            << "siblings that moved together share their parent text";
        EXPECT_EQ(QStringList({w.list.entry(0).oldName, w.list.entry(0).history.at(0)}), QStringList({"b", "b"}));
        EXPECT_FALSE(w.list.hasKey(QStringLiteral("/r/a/")));
        w.expectKeyIndexRight();
    }
}

TEST(PreviewListDrag, DroppedEntriesMoveAsOneBlockLikeMoveEntry)
{
    const struct
    {
        const char* name;
        std::vector<int> dragged;
        int target;
        const char* order; // empty: the drop is refused
    } cases[] = {
        {"one from below lands at the target", {3}, 1, "adbce"},
        {"one from above lands after the target", {0}, 2, "bcade"},
        {"a block from above", {0, 1}, 3, "cdabe"},
        {"a block from below", {3, 4}, 0, "deabc"},
        {"no target means the last entry", {1}, -1, "acdeb"},
        {"onto itself", {1, 2}, 2, ""},
        {"rows apart", {0, 2}, 4, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Watched w;
        w.addAll({"a", "b", "c", "d", "e"});
        w.list.SortPreview(2);
        QModelIndexList indexes;
        for (int row : c.dragged)
            indexes.append(w.list.index(row, 1));
        const std::unique_ptr<QMimeData> mime(w.list.mimeData(indexes));
        ASSERT_TRUE(mime && mime->hasFormat(PreviewList::kEntryMimeType));
        const bool refused = QLatin1String(c.order).isEmpty();
        EXPECT_EQ(w.list.dropMimeData(mime.get(), Qt::MoveAction, c.target, 0, QModelIndex()), !refused);
        EXPECT_EQ(OldNames(w.list).join(QString()), refused ? QStringLiteral("abcde") : QLatin1String(c.order));
        EXPECT_EQ(w.list.sortColumn(), refused ? FolderEntry::ColOldName : FolderEntry::ColPosition);
        w.expectKeyIndexRight();
    }
    Watched other;
    other.addAll({"a"});
    QMimeData foreign;
    foreign.setData(PreviewList::kEntryMimeType, QByteArray("/elsewhere/a/"));
    EXPECT_FALSE(other.list.dropMimeData(&foreign, Qt::MoveAction, 0, 0, QModelIndex()));
}
