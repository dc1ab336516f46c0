#include "core/commit/RenameHistory.h"

#include "core/commit/CommitRenames.h"
#include "core/commit/CommitTestSupport.h"
#include "core/platform/FileNames.h"
#include "core/preview/PreviewList.h"
#include "core/settings/TextCodec.h"
#include "support/WriteTextFile.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace CommitTestSupport;

namespace {

class RenameHistoryTest : public ::testing::Test
{
protected:
    RenameHistoryTest() { useTestMessages(app); }

    QString protocolPath() const { return app.settingsPath(QStringLiteral("renamed.vlp")); }
    // Writes protocol lines (parent, old name, new name) below the tree root, a second apart, and loads them.
    void load(const QList<QStringList>& renames)
    {
        QString text;
        for (int second = 0; second < renames.size(); ++second) {
            const QStringList& r = renames.at(second);
            text += QStringLiteral("202401311530%1\"%2\"%3\"%4\n")
                        .arg(second, 2, 10, QLatin1Char('0'))
                        .arg(root + r.at(0), r.at(1), r.at(2));
        }
        ASSERT_TRUE(WriteTextFile(protocolPath(), text));
        history.LoadHistory(app.state());
    }
    QStringList undo(std::initializer_list<int> rows)
    {
        std::vector<bool> selected(size_t(history.size()), false);
        for (int r : rows)
            selected[size_t(r)] = true;
        return history.UndoHistoryRenames(app.state(), selected);
    }
    QStringList protocolLines() const { return TextCodec::splitLines(TextCodec::readFile(protocolPath())); }

    TestApp app;
    TestTree tree;
    QString root = tree.root() + QLatin1Char('/');
    RenameHistory history;
    QAbstractItemModelTester tester{&history};
};

// A renamed to B and then B to C: only the second rename's folder still exists, and a red row is never
// undone, even when selected: it says why instead.
TEST_F(RenameHistoryTest, UndoesTheRowWhoseFolderExistsAndDropsIt)
{
    tree.add("C/");
    load({{"", "A", "B"}, {"", "B", "C"}});
    ASSERT_EQ(history.size(), 2);
    const auto data = [&](int row, int column, int role) { return history.data(history.index(row, column), role); };
    EXPECT_EQ(data(0, 0, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(data(1, 0, Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
    EXPECT_EQ(data(1, 0, Qt::DisplayRole).toString(), QStringLiteral("2024-01-31, 15:30:01"));
    EXPECT_EQ(data(1, 0, Qt::UserRole).toString(), QStringLiteral("20240131153001"));
    EXPECT_EQ(RenameHistory::displayStamp(QStringLiteral("202401")), QStringLiteral("2024-01-, ::"));

    EXPECT_EQ(undo({0, 1}), QStringList{QStringLiteral("missing \"%1B/\" -> \"%1A/\"").arg(root)});
    EXPECT_EQ(tree.folders(), QStringList{"B"});
    ASSERT_EQ(history.size(), 1);
    EXPECT_FALSE(history.row(0).present) << "colours are those of loading";
    EXPECT_EQ(protocolLines(), QStringList{QStringLiteral("20240131153000\"%1\"A\"B").arg(root)});
}

// The parent folder's rename is undone first; the subfolder's row then undoes at the parent's old place.
TEST_F(RenameHistoryTest, UndoingAParentMovesTheRowsBelowIt)
{
    for (const char* folder : {"A2/Sub2/", "Other/"})
        tree.add(folder);
    load({{"", "A", "A2"}, {"A2/", "Sub", "Sub2"}, {"", "X", "Other"}});
    EXPECT_EQ(undo({0, 1}), QStringList());
    EXPECT_TRUE(tree.isFolder("A/Sub"));
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history.row(0).line.newName, QStringLiteral("Other"));
}

TEST_F(RenameHistoryTest, UndoOntoAnExistingNameReportsItAndKeepsTheRow)
{
    for (const char* folder : {"A/", "B/"})
        tree.add(folder);
    load({{"", "A", "B"}});
    EXPECT_EQ(undo({0}), QStringList{QStringLiteral("exists \"%1B/\" -> \"%1A/\"").arg(root)});
    EXPECT_EQ(history.size() + protocolLines().size(), 2);
    EXPECT_EQ(tree.folders(), QStringList({"A", "B"}));
}

// Lines that do not name exactly one folder are shown red and never lead to a rename, even when the path
// they seem to name exists.
TEST_F(RenameHistoryTest, MalformedLinesAreNeverUndoneAndSurviveARewrite)
{
    for (const char* folder : {"p/x/", "p/y/", "p/B/"})
        tree.add(folder);
    const QString p = tree.key("p");
    const QStringList odd{QStringLiteral("20240101000000\"%1\"a\"x\"more").arg(p),
                          QStringLiteral("20240101000000\"%1\"y\"..").arg(tree.key("p/y")),
                          QStringLiteral("20240101000000\"%1\"gone\"y").arg(p.mid(1)),
                          QStringLiteral("20240101000000\"%1\"zz\"x/").arg(p)};
    const QString usable = QStringLiteral("20240101000000\"%1\"A\"B\n").arg(p); // its undo rewrites the file
    ASSERT_TRUE(WriteTextFile(protocolPath(), usable + odd.join(QLatin1Char('\n')) + QLatin1Char('\n')));
    history.LoadHistory(app.state());
    ASSERT_EQ(history.size(), 5);
    const QStringList failures = undo({0, 1, 2, 3, 4});
    ASSERT_EQ(failures.size(), odd.size()) << "each selected line that cannot be undone says so";
    for (int i = 0; i < odd.size(); ++i)
        EXPECT_TRUE(failures.at(i).contains(odd.at(i))) << failures.at(i).toStdString();
    EXPECT_EQ(tree.folders("p"), QStringList({"A", "x", "y"}));
    EXPECT_EQ(protocolLines(), odd);
}

// Names are bytes: names that are not UTF-8, or that hold the field separator or line breaks, are taken,
// recorded and undone under exactly their own bytes.
TEST_F(RenameHistoryTest, AnyNameIsRecordedAndUndoneByteForByte)
{
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"caf\xE9", "P_caf\xE9"}, {"caf\xE8", "P_caf\xE8"}, {"say \"a\"\rb\nc", "x\"\n\xFF"}};
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    PreviewList list;
    for (const auto& [oldName, newName] : cases) {
        ASSERT_EQ(mkdir((FileNames::encode(root) + oldName).constData(), 0777), 0);
        ASSERT_TRUE(list.append(entryFor(tree, FileNames::decode(oldName), FileNames::decode(newName))));
    }
    ASSERT_EQ(CommitRenames(app.state(), list, kAllEntries).renamed, 3);
    history.LoadHistory(app.state());
    ASSERT_EQ(history.size(), 3);
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_TRUE(history.row(r).present);
        EXPECT_EQ(FileNames::encode(history.row(r).line.oldName), cases[r].first);
    }
    EXPECT_EQ(undo({0, 1, 2}), QStringList());
    for (const auto& c : cases) {
        const QByteArray path = FileNames::encode(root) + c.first;
        EXPECT_EQ(rmdir(path.constData()), 0) << path.toStdString(); // back under exactly its old bytes
    }
    EXPECT_EQ(history.size(), 0);
}

// The window read the protocol, a batch run appended meanwhile: deleting (or undoing) in the window keeps
// the lines it never saw.
TEST_F(RenameHistoryTest, ARewriteKeepsTheLinesAppendedSinceTheWindowReadTheFile)
{
    load({{"", "a", "a2"}});
    const QByteArray later = "20240131160000\"/p/\"b\"b2";
    QFile file(protocolPath());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(later + "\n");
    file.close();
    ASSERT_TRUE(history.deleteHistory(app.state()));
    EXPECT_EQ(protocolLines(), QStringList{QString::fromLatin1(later)});
}

TEST_F(RenameHistoryTest, DeletingLeavesAnEmptyProtocol)
{
    load({{"", "a", "a2"}});
    ASSERT_TRUE(history.deleteHistory(app.state()));
    EXPECT_EQ(history.size(), 0);
    EXPECT_TRUE(QFile::exists(protocolPath()) && QFileInfo(protocolPath()).size() == 0);
}

} // namespace
