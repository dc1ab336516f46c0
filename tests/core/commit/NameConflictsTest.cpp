#include "core/commit/NameConflicts.h"

#include "core/commit/CommitTestSupport.h"
#include "core/commit/DirectoryNames.h"
#include "core/preview/FolderEntry.h"

#include <QFile>
#include <gtest/gtest.h>
#include <limits>
#include <utime.h>

using namespace CommitTestSupport;

namespace {

using Reason = NameConflict::Reason;

// What the check marks, row by row, for proposals over one folder holding a, b, c and the file f.
TEST(NameConflictsTest, MarksEveryProposalThatCannotWork)
{
    TestApp app;
    const struct
    {
        const char* row;
        QList<std::pair<QString, QString>> proposals; // folder, new name ("" keeps it)
        QList<std::pair<int, Reason>> marked;
    } cases[] = {
        {"free names", {{"a", "x"}, {"b", "y"}}, {}},
        {"swap and chain", {{"a", "b"}, {"b", "a"}, {"c", "z"}}, {}},
        {"case only", {{"a", "A"}}, {}},
        {"onto a folder that stays", {{"a", "c"}}, {{0, Reason::Exists}}},
        {"onto a file", {{"a", "f"}}, {{0, Reason::Exists}}},
        {"onto a listed folder that stays", {{"a", "c"}, {"c", ""}}, {{0, Reason::Duplicate}}},
        {"chain into a folder that stays", {{"a", "b"}, {"b", "c"}}, {{1, Reason::Exists}}},
        {"two onto one name", {{"a", "x"}, {"b", "x"}}, {{0, Reason::Duplicate}, {1, Reason::Duplicate}}},
        {"bad names",
         {{"a", "."}, {"b", "x/y"}, {"c", QString(300, QLatin1Char('n'))}},
         {{0, Reason::BadName}, {1, Reason::BadName}, {2, Reason::BadName}}},
    };
    TestTree tree({"a/", "b/", "c/", "f"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        std::vector<FolderEntry> entries;
        for (const auto& [folder, newName] : c.proposals)
            entries.push_back(entryFor(tree, folder, newName.isEmpty() ? QString() : newName));
        DirectoryNames names;
        QList<std::pair<int, Reason>> marked;
        for (const NameConflict& conflict :
             FindNameConflicts(entries, app.state().fs(), names, app.state().now().toSecsSinceEpoch())) {
            marked.append({conflict.row, conflict.reason});
            EXPECT_FALSE(NameConflictText(app.state(), entries, conflict).isEmpty());
        }
        EXPECT_EQ(marked, c.marked);
    }
}

// A folder is read again once it changed; until then the names read stand.
TEST(NameConflictsTest, FolderNamesAreReadAgainWhenTheFolderChanges)
{
    TestApp app;
    TestTree tree({"a/"});
    const QString folder = tree.key(QString());
    const auto setModified = [&](qint64 secs) {
        const utimbuf times{static_cast<time_t>(secs), static_cast<time_t>(secs)};
        ASSERT_EQ(utime(QFile::encodeName(tree.root()).constData(), &times), 0);
    };
    setModified(1000);
    DirectoryNames names;
    const auto namesIn = [&](qint64 now) { return names.names(app.state().fs(), {folder}, now).front(); };
    EXPECT_EQ(*namesIn(2000), QSet<QString>({"a"}));
    tree.add("b/");
    setModified(1000);
    EXPECT_EQ(*namesIn(2000), QSet<QString>({"a"})); // cached
    setModified(1500);
    EXPECT_EQ(*namesIn(2000), QSet<QString>({"a", "b"}));
    // Read in the second of the last change: a change later in that second would not show, so read again.
    tree.add("c/");
    setModified(2000);
    EXPECT_EQ(namesIn(2000)->size(), 3);
    tree.add("d/");
    setModified(2000);
    EXPECT_EQ(namesIn(2001)->size(), 4);
}

// Many folders are read together, on both cores; each gets its own names, one that is missing none.
TEST(NameConflictsTest, ManyFoldersAreReadTogetherEachWithItsOwnNames)
{
    TestApp app;
    TestTree tree;
    std::vector<QString> folders;
    for (int i = 0; i < 40; ++i) {
        tree.add(QStringLiteral("f%1/x%1/").arg(i));
        tree.add(QStringLiteral("f%1/y/").arg(i));
        folders.push_back(tree.key(QStringLiteral("f%1").arg(i)));
    }
    folders.insert(folders.begin() + 20, tree.key(QStringLiteral("missing")));
    DirectoryNames names;
    for (const qint64 now : {qint64(1), std::numeric_limits<qint64>::max()}) { // read, then kept
        const std::vector<const QSet<QString>*> found = names.names(app.state().fs(), folders, now);
        ASSERT_EQ(found.size(), folders.size());
        for (size_t i = 0; i < folders.size(); ++i) {
            SCOPED_TRACE(folders[i].toStdString());
            if (i == 20) {
                EXPECT_EQ(found[i], nullptr);
                continue;
            }
            ASSERT_NE(found[i], nullptr);
            const QString n = QString::number(i < 20 ? i : i - 1);
            EXPECT_EQ(*found[i], QSet<QString>({QStringLiteral("x") + n, QStringLiteral("y")}));
        }
    }
}

} // namespace
