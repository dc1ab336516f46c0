#include "commit/CommitRenames.h"

#include "app/PreviewList.h"
#include "commit/CommitTestSupport.h"
#include "settings/TextCodec.h"

#include <QDir>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

class CommitRenamesTest : public ::testing::Test
{
protected:
    CommitRenamesTest() { useTestMessages(app); }

    AppState& state() { return app.state(); }
    QString protocolPath() const { return app.settingsPath(QStringLiteral("renamed.vlp")); }
    QString protocolText() const { return TextCodec::readFile(protocolPath()); }
    void add(const FolderEntry& e) { ASSERT_TRUE(list.append(e)); }
    QStringList messages(const CommitReport& report) const
    {
        QStringList texts;
        for (const CommitReport::Failure& f : report.failures)
            texts.append(f.message);
        return texts;
    }

    TestApp app;
    PreviewList list;
};

TEST_F(CommitRenamesTest, RenamesInListOrderAndRecordsEachRename)
{
    TestTree tree({QStringLiteral("a/"), QStringLiteral("b/"), QStringLiteral("c/")});
    add(entryFor(tree, QStringLiteral("b"), QStringLiteral("B1")));
    add(entryFor(tree, QStringLiteral("c")));
    add(entryFor(tree, QStringLiteral("a"), QStringLiteral("A1")));
    state().protocolRenames = true;
    QList<int> counts;

    const CommitReport report = CommitRenames(state(), list, kAllEntries, [&](int n) { counts.append(n); });

    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_EQ(report.renamed, 2);
    EXPECT_EQ(counts, (QList<int>{1, 2}));
    EXPECT_FALSE(report.protocolFailed);
    EXPECT_EQ(tree.folders(), (QStringList{QStringLiteral("A1"), QStringLiteral("B1"), QStringLiteral("c")}));
    const QString root = tree.root() + QLatin1Char('/');
    EXPECT_EQ(protocolText(), QStringLiteral("20240131153045\"%1\"b\"B1\n20240131153045\"%1\"a\"A1\n").arg(root));
    EXPECT_EQ(report.processedKeys, (QStringList{tree.key(QStringLiteral("B1")), tree.key(QStringLiteral("A1"))}));
    const FolderEntry& b = list.entry(0);
    EXPECT_EQ(b.key, tree.key(QStringLiteral("B1")));
    EXPECT_EQ(list.rowOfKey(b.key), 0);
    EXPECT_EQ(b.oldName(), QStringLiteral("B1"));
    EXPECT_FALSE(b.isChanged());
    EXPECT_EQ(b.history(0), QStringLiteral("B1"));
    for (int level = 1; level < FolderEntry::kHistoryLevels; ++level)
        EXPECT_TRUE(b.history(level).isEmpty()) << level;
    // An unchanged entry is not processed: its history stays.
    EXPECT_EQ(list.entry(1).history(0), QStringLiteral("c"));
    EXPECT_EQ(CommitProgressText(state(), 2), QStringLiteral("2 renamed"));
}

TEST_F(CommitRenamesTest, ProtocolOffCreatesTheFileButAddsNoLine)
{
    TestTree tree({QStringLiteral("a/")});
    add(entryFor(tree, QStringLiteral("a"), QStringLiteral("b")));
    ASSERT_FALSE(QFileInfo::exists(protocolPath()));

    const CommitReport report = CommitRenames(state(), list, kAllEntries);

    EXPECT_EQ(report.renamed, 1);
    EXPECT_TRUE(QFileInfo::exists(protocolPath()));
    EXPECT_EQ(QFileInfo(protocolPath()).size(), 0);
    EXPECT_FALSE(report.protocolFailed);
}

// A child listed before or after its parent, and an unchanged grandchild: all end up where the disk has them.
TEST_F(CommitRenamesTest, EntriesBelowARenamedFolderFollowItWhateverTheOrder)
{
    for (const bool parentFirst : {true, false}) {
        SCOPED_TRACE(parentFirst ? "parent first" : "child first");
        TestTree tree({QStringLiteral("A/Sub/Deep/")});
        list.clear();
        const FolderEntry parent = entryFor(tree, QStringLiteral("A"), QStringLiteral("B"));
        const FolderEntry child = entryFor(tree, QStringLiteral("A/Sub"), QStringLiteral("Sub2"));
        add(parentFirst ? parent : child);
        add(parentFirst ? child : parent);
        add(entryFor(tree, QStringLiteral("A/Sub/Deep")));

        const CommitReport report = CommitRenames(state(), list, kAllEntries);

        EXPECT_TRUE(report.failures.isEmpty()) << messages(report).join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(tree.isFolder(QStringLiteral("B/Sub2/Deep")));
        const int p = parentFirst ? 0 : 1;
        const int c = 1 - p;
        EXPECT_EQ(list.entry(p).key, tree.key(QStringLiteral("B")));
        EXPECT_EQ(list.entry(c).key, tree.key(QStringLiteral("B/Sub2")));
        EXPECT_EQ(list.entry(c).parentPath(), tree.key(QStringLiteral("B")));
        EXPECT_EQ(list.entry(2).key, tree.key(QStringLiteral("B/Sub2/Deep")));
        EXPECT_EQ(list.entry(2).parentPath(), tree.key(QStringLiteral("B/Sub2")));
        EXPECT_EQ(list.rowOfKey(tree.key(QStringLiteral("B/Sub2/Deep"))), 2);
        // Both processed entries are found by the keys they have now.
        EXPECT_TRUE(report.processedKeys.contains(tree.key(QStringLiteral("B/Sub2"))));
        EXPECT_TRUE(report.processedKeys.contains(tree.key(QStringLiteral("B"))));
    }
}

// No temporary names: a swap fails for both, and a chain works only when the name is freed first.
TEST_F(CommitRenamesTest, SwapsFailAndChainsDependOnListOrder)
{
    struct Case
    {
        const char* what;
        QList<std::pair<QString, QString>> renames;
        QStringList expectedFolders;
        int expectedFailures;
    };
    const QList<Case> cases{
        {"swap", {{"a", "b"}, {"b", "a"}}, {"a", "b"}, 2},
        {"chain, taken name first", {{"a", "b"}, {"b", "c"}}, {"a", "c"}, 1},
        {"chain, freed name first", {{"b", "c"}, {"a", "b"}}, {"b", "c"}, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TestTree tree({QStringLiteral("a/"), QStringLiteral("b/")});
        list.clear();
        for (const auto& [from, to] : test.renames)
            add(entryFor(tree, from, to));
        const CommitReport report = CommitRenames(state(), list, kAllEntries);
        EXPECT_EQ(tree.folders(), test.expectedFolders);
        ASSERT_EQ(report.failures.size(), test.expectedFailures);
        for (const CommitReport::Failure& f : report.failures)
            EXPECT_TRUE(f.message.startsWith(QStringLiteral("exists \""))) << f.message.toStdString();
        EXPECT_EQ(report.processedKeys.size(), 2);
    }
}

TEST_F(CommitRenamesTest, FailuresNameBothPathsInQuotesAndTheRunGoesOn)
{
    TestTree tree({QStringLiteral("a/"), QStringLiteral("b/"), QStringLiteral("taken/"), QStringLiteral("c/")});
    add(entryFor(tree, QStringLiteral("a"), QStringLiteral("a1")));
    add(entryFor(tree, QStringLiteral("b"), QStringLiteral("taken"))); // an existing, empty folder
    add(entryFor(tree, QStringLiteral("gone"), QStringLiteral("gone2")));
    add(entryFor(tree, QStringLiteral("c"), QStringLiteral("abc")));
    add(entryFor(tree, QStringLiteral("abc"), QStringLiteral("ABC"))); // case only, after c took the name

    const CommitReport report = CommitRenames(state(), list, kAllEntries);

    const QString r = tree.root() + QLatin1Char('/');
    EXPECT_EQ(messages(report), (QStringList{QStringLiteral("exists \"%1b/\" -> \"%1taken/\"").arg(r),
                                             QStringLiteral("missing \"%1gone/\" -> \"%1gone2/\"").arg(r)}));
    EXPECT_EQ(report.failures.at(0).key, tree.key(QStringLiteral("b")));
    EXPECT_EQ(tree.folders(),
              (QStringList{QStringLiteral("ABC"), QStringLiteral("a1"), QStringLiteral("b"), QStringLiteral("taken")}));
    EXPECT_TRUE(tree.folders(QStringLiteral("taken")).isEmpty());
    // A failed entry keeps its proposal.
    EXPECT_EQ(list.entry(1).newName(), QStringLiteral("taken"));
    EXPECT_EQ(list.entry(1).key, tree.key(QStringLiteral("b")));
}

TEST_F(CommitRenamesTest, RefusesNamesThatDoNotNameOneFolder)
{
    const QString tooLong(128, QChar(0xE4)); // 256 bytes in UTF-8
    const QList<std::pair<QString, QString>> cases{
        {QString(), QStringLiteral("msgNameEmpty")},
        {QStringLiteral("."), QStringLiteral("msgNameDots")},
        {QStringLiteral(".."), QStringLiteral("msgNameDots")},
        {QStringLiteral("x/y"), QStringLiteral("msgNameBadChar")},
        {QStringLiteral("x") + QChar(0) + QStringLiteral("y"), QStringLiteral("msgNameBadChar")},
        {tooLong, QStringLiteral("msgNameTooLong")},
    };
    for (const auto& [name, reasonKey] : cases) {
        SCOPED_TRACE(reasonKey.toStdString() + " " + name.toStdString());
        TestTree tree({QStringLiteral("p/a/x/")});
        list.clear();
        FolderEntry e = entryFor(tree, QStringLiteral("p/a"));
        e.setNewName(name);
        add(e);
        const CommitReport report = CommitRenames(state(), list, kAllEntries);
        ASSERT_EQ(report.failures.size(), 1);
        const QString reason = state().message(reasonKey, {QStringLiteral("256"), QStringLiteral("255")});
        EXPECT_FALSE(reason.isEmpty());
        const QString r = tree.root() + QStringLiteral("/p/");
        EXPECT_EQ(report.failures.at(0).message,
                  QStringLiteral("failed \"%1a/\" -> \"%1%2/\"   %3").arg(r, name, reason));
        EXPECT_EQ(tree.folders(QStringLiteral("p")), QStringList{QStringLiteral("a")});
        EXPECT_EQ(tree.folders(QStringLiteral("p/a")), QStringList{QStringLiteral("x")});
        EXPECT_EQ(list.entry(0).key, tree.key(QStringLiteral("p/a")));
    }
    TestTree tree({QStringLiteral("a/")});
    list.clear();
    add(entryFor(tree, QStringLiteral("a"), QString(255, QLatin1Char('n'))));
    EXPECT_EQ(CommitRenames(state(), list, kAllEntries).renamed, 1);
}

TEST_F(CommitRenamesTest, OneEntryRunLeavesNoEarlierProposals)
{
    TestTree tree({QStringLiteral("A/Sub/")});
    FolderEntry parent = entryFor(tree, QStringLiteral("A"), QStringLiteral("B"));
    parent.history(2) = QStringLiteral("older");
    add(parent);
    add(entryFor(tree, QStringLiteral("A/Sub")));
    state().protocolRenames = true;

    const CommitReport first = CommitRenames(state(), list, 0);
    EXPECT_EQ(first.renamed, 1);
    EXPECT_TRUE(first.processedKeys.isEmpty());
    const FolderEntry& e = list.entry(0);
    EXPECT_EQ(e.key, tree.key(QStringLiteral("B")));
    for (int level = 0; level <= 2; ++level)
        EXPECT_EQ(e.history(level), QStringLiteral("B")) << level;
    EXPECT_TRUE(e.history(3).isEmpty());
    EXPECT_EQ(list.entry(1).key, tree.key(QStringLiteral("B/Sub")));
    EXPECT_EQ(list.entry(1).parentPath(), tree.key(QStringLiteral("B")));
    EXPECT_EQ(TextCodec::splitLines(protocolText()).size(), 1);
    // Unchanged entries are left as they are on disk; a failed one keeps its proposal in every level.
    TestTree blocker({QStringLiteral("x/"), QStringLiteral("y/")});
    list.append(entryFor(blocker, QStringLiteral("x"), QStringLiteral("y")));
    const CommitReport failed = CommitRenames(state(), list, list.size() - 1);
    EXPECT_EQ(failed.failures.size(), 1);
    EXPECT_EQ(list.entry(list.size() - 1).history(0), QStringLiteral("y"));
    EXPECT_EQ(list.entry(list.size() - 1).history(1), QStringLiteral("y"));
}

// A folder "/…/a/" whose subtree holds the same path text again further down ("/…/a/z/…/a/"): only the leading part
// names the renamed folder. Run with few renames (the list is walked) and with many (the sorted key index).
TEST_F(CommitRenamesTest, RewritesOnlyTheLeadingPathOfEntriesBelow)
{
    for (const int siblings : {0, 20}) {
        SCOPED_TRACE(siblings);
        TestTree tree;
        const QString echo = QStringLiteral("a/z") + tree.root() + QStringLiteral("/a");
        tree.add(echo + QStringLiteral("/x/"));
        list.clear();
        add(entryFor(tree, QStringLiteral("a"), QStringLiteral("b")));
        for (int i = 0; i < siblings; ++i) {
            tree.add(QStringLiteral("s%1/").arg(i));
            add(entryFor(tree, QStringLiteral("s%1").arg(i), QStringLiteral("t%1").arg(i)));
        }
        add(entryFor(tree, echo));
        add(entryFor(tree, echo + QStringLiteral("/x"), QStringLiteral("y")));
        ASSERT_GT(list.entry(list.size() - 1).parentPath().indexOf(tree.key(QStringLiteral("a")), 1), 0);

        const CommitReport report = CommitRenames(state(), list, kAllEntries);

        EXPECT_TRUE(report.failures.isEmpty()) << messages(report).join(QLatin1Char('\n')).toStdString();
        const QString moved = QStringLiteral("b/z") + tree.root() + QStringLiteral("/a");
        EXPECT_TRUE(tree.isFolder(moved + QStringLiteral("/y")));
        EXPECT_EQ(list.entry(list.size() - 2).key, tree.key(moved));
        EXPECT_EQ(list.entry(list.size() - 1).key, tree.key(moved + QStringLiteral("/y")));
    }
}

TEST_F(CommitRenamesTest, AProtocolThatCannotBeWrittenDoesNotStopRenaming)
{
    struct Case
    {
        const char* what;
        bool protocolOn;
        bool protocolIsFolder;
        QString newName;
        bool expectFailed;
    };
    const QList<Case> cases{
        {"protocol cannot be opened", true, true, QStringLiteral("b"), true},
        {"protocol off", false, true, QStringLiteral("b"), false},
        {"name with a double quote", true, false, QStringLiteral("say \"b\""), true},
        {"name with a line break", true, false, QStringLiteral("b\n2024\""), true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        QFile::remove(protocolPath());
        QDir(protocolPath()).removeRecursively();
        if (test.protocolIsFolder) {
            ASSERT_TRUE(QDir().mkpath(protocolPath()));
        }
        state().protocolRenames = test.protocolOn;
        TestTree tree({QStringLiteral("a/"), QStringLiteral("c/")});
        list.clear();
        add(entryFor(tree, QStringLiteral("a"), test.newName));
        add(entryFor(tree, QStringLiteral("c"), QStringLiteral("d")));
        const CommitReport report = CommitRenames(state(), list, kAllEntries);
        EXPECT_EQ(report.renamed, 2);
        EXPECT_EQ(report.protocolFailed, test.expectFailed);
        if (!test.protocolIsFolder) { // only the rename that the file can hold is recorded
            EXPECT_EQ(TextCodec::splitLines(protocolText()).size(), 1);
        }
    }
    QDir(protocolPath()).removeRecursively();
}

// The sorted key index gives what looking through the whole list gives: a random tree, partly listed in
// random order, renamed in one run, compared with a model that checks every entry against every rename.
TEST_F(CommitRenamesTest, KeyIndexAgreesWithAWalkOverTheWholeList)
{
    for (quint32 seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(seed);
        QRandomGenerator random(seed);
        QStringList folders{QStringLiteral("r")};
        for (int i = 0; i < 150; ++i) {
            const QString parent = folders.at(random.bounded(folders.size()));
            if (parent.count(QLatin1Char('/')) < 4)
                folders.append(parent + QStringLiteral("/f%1").arg(i));
        }
        QStringList listed;
        for (const QString& f : std::as_const(folders)) {
            if (random.bounded(10) < 8)
                listed.append(f);
        }
        for (int i = listed.size() - 1; i > 0; --i)
            listed.swapItemsAt(i, random.bounded(i + 1));
        QList<bool> change;
        for (int i = 0; i < listed.size(); ++i)
            change.append(random.bounded(2) == 0);

        // Two identical trees: one renamed in one whole-list run, the other one entry at a time.
        TestTree wholeTree;
        TestTree singleTree;
        for (const QString& f : std::as_const(folders)) {
            wholeTree.add(f + QLatin1Char('/'));
            singleTree.add(f + QLatin1Char('/'));
        }
        PreviewList single;
        list.clear();
        for (int i = 0; i < listed.size(); ++i) {
            const QString name = listed.at(i).section(QLatin1Char('/'), -1);
            const QString newName = change.at(i) ? name + QStringLiteral("~n") : name;
            add(entryFor(wholeTree, listed.at(i), newName));
            single.append(entryFor(singleTree, listed.at(i), newName));
        }

        // The model: keys and parent paths relative to the tree root, rewritten by a walk per rename.
        struct Model
        {
            QString key, parent, oldName, newName;
        };
        QList<Model> model;
        const qsizetype rootLength = wholeTree.root().size();
        for (int i = 0; i < list.size(); ++i) {
            const FolderEntry& e = list.entry(i);
            model.append({e.key.mid(rootLength), e.parentPath().mid(rootLength), e.oldName(), e.newName()});
        }
        for (Model& m : model) {
            if (m.oldName == m.newName)
                continue;
            const QString from = m.parent + m.oldName + QLatin1Char('/');
            const QString to = m.parent + m.newName + QLatin1Char('/');
            m.key = to;
            m.oldName = m.newName;
            for (Model& below : model) {
                if (below.key.startsWith(from)) {
                    below.key.replace(0, from.size(), to);
                    if (below.parent.startsWith(from))
                        below.parent.replace(0, from.size(), to);
                }
            }
        }

        const CommitReport report = CommitRenames(state(), list, kAllEntries);
        for (int row = 0; row < single.size(); ++row)
            CommitRenames(state(), single, row);

        EXPECT_TRUE(report.failures.isEmpty()) << messages(report).join(QLatin1Char('\n')).toStdString();
        for (int i = 0; i < list.size(); ++i) {
            const FolderEntry& e = list.entry(i);
            EXPECT_EQ(e.key.mid(rootLength), model.at(i).key);
            EXPECT_EQ(e.parentPath().mid(rootLength), model.at(i).parent);
            EXPECT_EQ(single.entry(i).key.mid(rootLength), model.at(i).key);
            EXPECT_EQ(single.entry(i).parentPath().mid(rootLength), model.at(i).parent);
            EXPECT_TRUE(state().fs().folderExists(e.key)) << e.key.toStdString();
            EXPECT_EQ(list.rowOfKey(e.key), i);
        }
    }
}

} // namespace
