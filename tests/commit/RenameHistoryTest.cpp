#include "commit/RenameHistory.h"

#include "commit/CommitTestSupport.h"
#include "settings/TextCodec.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

class RenameHistoryTest : public ::testing::Test
{
protected:
    RenameHistoryTest() { useTestMessages(app); }

    QString protocolPath() const { return app.settingsPath(QStringLiteral("renamed.vlp")); }
    // Writes protocol lines (parent, old name, new name), stamped a second apart, and loads the list.
    void load(const QList<QStringList>& renames)
    {
        QString text;
        int second = 0;
        for (const QStringList& r : renames)
            text += QStringLiteral("202401311530%1\"%2\"%3\"%4\n")
                        .arg(second++, 2, 10, QLatin1Char('0'))
                        .arg(r.at(0), r.at(1), r.at(2));
        ASSERT_TRUE(TextCodec::writeFileAtomically(protocolPath(), text));
        history.LoadHistory(app.state());
    }
    std::vector<bool> select(std::initializer_list<int> rows) const
    {
        std::vector<bool> selected(static_cast<size_t>(history.size()), false);
        for (int r : rows)
            selected[static_cast<size_t>(r)] = true;
        return selected;
    }
    QStringList protocolLines() const { return TextCodec::splitLines(TextCodec::readFile(protocolPath())); }

    TestApp app;
    RenameHistory history;
    QAbstractItemModelTester tester{&history};
};

TEST(RenameHistoryStampTest, ShowsTheStampWithSeparators)
{
    EXPECT_EQ(RenameHistory::displayStamp(QStringLiteral("20240131153045")), QStringLiteral("2024-01-31, 15:30:45"));
    EXPECT_EQ(RenameHistory::displayStamp(QStringLiteral("202401")), QStringLiteral("2024-01-, ::"));
    EXPECT_EQ(RenameHistory::displayStamp(QString()), QStringLiteral("--, ::"));
}

// C:/A renamed to B and then B to C: only the second rename's folder still exists.
TEST_F(RenameHistoryTest, UndoesTheRowWhoseFolderExistsAndDropsIt)
{
    TestTree tree({QStringLiteral("C/")});
    const QString root = tree.root() + QLatin1Char('/');
    load({{root, QStringLiteral("A"), QStringLiteral("B")}, {root, QStringLiteral("B"), QStringLiteral("C")}});
    ASSERT_EQ(history.size(), 2);
    EXPECT_FALSE(history.row(0).present);
    EXPECT_TRUE(history.row(1).present);
    EXPECT_EQ(history.data(history.index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(history.data(history.index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
    EXPECT_EQ(history.data(history.index(1, 0)).toString(), QStringLiteral("2024-01-31, 15:30:01"));
    EXPECT_EQ(history.data(history.index(1, 0), Qt::UserRole).toString(), QStringLiteral("20240131153001"));
    EXPECT_EQ(history.data(history.index(1, 1), Qt::ToolTipRole).toString(), root);

    // A red row is never undone, even when selected.
    const QStringList failures = history.UndoHistoryRenames(app.state(), select({0, 1}));

    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(tree.folders(), QStringList{QStringLiteral("B")});
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history.row(0).line.newName, QStringLiteral("B"));
    EXPECT_FALSE(history.row(0).present); // colours are those of loading
    EXPECT_EQ(protocolLines(), QStringList{QStringLiteral("20240131153000\"%1\"A\"B").arg(root)});
}

// The parent folder's rename is undone first; the subfolder's row then undoes at the parent's old place.
TEST_F(RenameHistoryTest, UndoingAParentMovesTheRowsBelowIt)
{
    TestTree tree({QStringLiteral("A2/Sub2/"), QStringLiteral("Other/")});
    const QString root = tree.root() + QLatin1Char('/');
    load({{root, QStringLiteral("A"), QStringLiteral("A2")},
          {root + QStringLiteral("A2/"), QStringLiteral("Sub"), QStringLiteral("Sub2")},
          {root, QStringLiteral("X"), QStringLiteral("Other")}});
    ASSERT_TRUE(history.row(1).present);

    const QStringList failures = history.UndoHistoryRenames(app.state(), select({0, 1}));

    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(tree.isFolder(QStringLiteral("A/Sub")));
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history.row(0).line.newName, QStringLiteral("Other"));
}

TEST_F(RenameHistoryTest, UndoOntoAnExistingNameReportsItAndKeepsTheRow)
{
    TestTree tree({QStringLiteral("B/"), QStringLiteral("A/")});
    const QString root = tree.root() + QLatin1Char('/');
    load({{root, QStringLiteral("A"), QStringLiteral("B")}});

    const QStringList failures = history.UndoHistoryRenames(app.state(), select({0}));

    EXPECT_EQ(failures, QStringList{QStringLiteral("exists \"%1B/\" -> \"%1A/\"").arg(root)});
    EXPECT_EQ(history.size(), 1);
    EXPECT_EQ(protocolLines().size(), 1);
    EXPECT_EQ(tree.folders(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
}

// Lines that do not name exactly one folder are shown red and never lead to a rename, even when the
// path they seem to name exists.
TEST_F(RenameHistoryTest, MalformedLinesAreNeverUndoneAndSurviveARewrite)
{
    TestTree tree({QStringLiteral("p/x/"), QStringLiteral("p/y/")});
    const QString p = tree.key(QStringLiteral("p"));
    const QStringList odd{
        QStringLiteral("20240101000000\"%1\"a\"x\"more").arg(p),
        QStringLiteral("20240101000000\"%1\"y\"..").arg(tree.key(QStringLiteral("p/y"))),
        QStringLiteral("20240101000000\"%1\"gone\"y").arg(p.mid(1)),
        QStringLiteral("20240101000000\"%1\"zz\"x/").arg(p),
    };
    ASSERT_TRUE(TextCodec::writeFileAtomically(protocolPath(), odd.join(QLatin1Char('\n')) + QLatin1Char('\n')));
    history.LoadHistory(app.state());
    ASSERT_EQ(history.size(), 4);
    for (int r = 0; r < 4; ++r)
        EXPECT_FALSE(history.row(r).present) << r;

    EXPECT_TRUE(history.UndoHistoryRenames(app.state(), select({0, 1, 2, 3})).isEmpty());

    EXPECT_EQ(tree.folders(QStringLiteral("p")), (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_EQ(protocolLines(), odd);
}

TEST_F(RenameHistoryTest, WritesTheProtocolInTheSortedOrder)
{
    TestTree tree({QStringLiteral("b2/"), QStringLiteral("c2/"), QStringLiteral("a2/")});
    const QString root = tree.root() + QLatin1Char('/');
    load({{root, QStringLiteral("b"), QStringLiteral("b2")},
          {root, QStringLiteral("c"), QStringLiteral("c2")},
          {root, QStringLiteral("a"), QStringLiteral("a2")}});
    history.sort(RenameHistory::ColNewName, Qt::DescendingOrder);
    EXPECT_EQ(history.text(0, RenameHistory::ColNewName), QStringLiteral("c2"));

    EXPECT_TRUE(history.UndoHistoryRenames(app.state(), select({1})).isEmpty());

    EXPECT_TRUE(tree.isFolder(QStringLiteral("b")));
    EXPECT_EQ(protocolLines(), (QStringList{QStringLiteral("20240131153001\"%1\"c\"c2").arg(root),
                                            QStringLiteral("20240131153002\"%1\"a\"a2").arg(root)}));
    history.sort(RenameHistory::ColStamp, Qt::AscendingOrder);
    EXPECT_EQ(history.text(0, RenameHistory::ColStamp), QStringLiteral("2024-01-31, 15:30:01"));
}

TEST_F(RenameHistoryTest, DeletingLeavesAnEmptyProtocol)
{
    load({{QStringLiteral("/p/"), QStringLiteral("a"), QStringLiteral("b")}});
    ASSERT_TRUE(history.deleteHistory(app.state()));
    EXPECT_EQ(history.size(), 0);
    EXPECT_TRUE(QFile::exists(protocolPath()));
    EXPECT_EQ(QFileInfo(protocolPath()).size(), 0);
}

} // namespace
