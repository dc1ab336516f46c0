#include "core/commit/CommitRenames.h"

#include "core/commit/CommitTestSupport.h"
#include "core/commit/RenameBlock.h"
#include "core/preview/PreviewList.h"
#include "core/settings/TextCodec.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/PreviewFixture.h"
#include "support/WatchedFileSystem.h"

#include <QDir>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

class CommitRenamesTest : public ::testing::Test
{
protected:
    CommitRenamesTest() { useTestMessages(app); }

    QString protocolPath() const { return app.settingsPath(QStringLiteral("renamed.vlp")); }
    QString protocolText() const { return TextCodec::readFile(protocolPath()); }
    // Fills the list afresh with rows for the tree: {folder, new name}, an empty new name leaving the folder as it is.
    void listOf(const TestTree& tree, const QList<std::pair<QString, QString>>& rows)
    {
        list.clear();
        for (const auto& [folder, newName] : rows)
            ASSERT_TRUE(list.append(entryFor(tree, folder, newName.isEmpty() ? QString() : newName)));
    }
    CommitReport commit(int row = kAllEntries)
    {
        const CommitReport report = CommitRenames(app.state(), list, row);
        for (const CommitReport::Failure& f : report.failures)
            messages.append(f.message);
        return report;
    }

    TestApp app;
    PreviewList list;
    QStringList messages;
};

TEST_F(CommitRenamesTest, RenamesInListOrderAndRecordsEachRenameWhenTheProtocolIsOn)
{
    for (const bool protocolOn : {true, false}) {
        SCOPED_TRACE(protocolOn);
        QFile::remove(protocolPath());
        TestTree tree({"a/", "b/", "c/"});
        listOf(tree, {{"b", "B1"}, {"c", ""}, {"a", "A1"}});
        app.state().settings.setFlag(Settings::Key::ProtocolRenames, protocolOn);
        QList<int> counts;
        const CommitReport report = CommitRenames(app.state(), list, kAllEntries, [&](int n) { counts.append(n); });
        EXPECT_EQ(report.renamed, 2);
        EXPECT_EQ(counts, QList<int>({1, 2}));
        EXPECT_EQ(tree.folders(), QStringList({"A1", "B1", "c"}));
        const QString root = tree.root() + QLatin1Char('/');
        EXPECT_EQ(protocolText(),
                  protocolOn ? QStringLiteral("20240131153045\"%1\"b\"B1\n20240131153045\"%1\"a\"A1\n").arg(root)
                             : QString());
        EXPECT_TRUE(QFileInfo::exists(protocolPath())) << "the protocol file exists even when off";
        EXPECT_TRUE(report.processedKeys.isEmpty()) << "only a run with failures lists them";
        EXPECT_EQ(Keys(list), QStringList({tree.key("B1"), tree.key("c"), tree.key("A1")}));
        const FolderEntry& b = list.entry(0);
        EXPECT_EQ(QStringList({b.oldName, b.newName, b.history.at(0), b.history.at(1)}),
                  QStringList({"B1", "B1", "B1", ""}));
        EXPECT_EQ(list.entry(1).history.at(0), QStringLiteral("c")) << "an unchanged entry is not processed";
    }
    EXPECT_EQ(CommitProgressText(app.state(), 2), QStringLiteral("2 renamed"));
}

// A child listed before or after its parent, and an unchanged grandchild: all end up where the disk has them.
TEST_F(CommitRenamesTest, EntriesBelowARenamedFolderFollowItWhateverTheOrder)
{
    for (const bool parentFirst : {true, false}) {
        SCOPED_TRACE(parentFirst ? "parent first" : "child first");
        // The last rename fails, so that the report lists the processed entries.
        TestTree tree({"A/Sub/Deep/", "x/", "y/"});
        listOf(tree, {{parentFirst ? "A" : "A/Sub", parentFirst ? "B" : "Sub2"},
                      {parentFirst ? "A/Sub" : "A", parentFirst ? "Sub2" : "B"},
                      {"A/Sub/Deep", ""},
                      {"x", "y"}});
        messages.clear();
        const CommitReport report = commit();
        EXPECT_EQ(messages.size(), 1) << messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(tree.isFolder("B/Sub2/Deep"));
        const QString parent = tree.key("B"), child = tree.key("B/Sub2");
        EXPECT_EQ(Keys(list), QStringList({parentFirst ? parent : child, parentFirst ? child : parent,
                                           tree.key("B/Sub2/Deep"), tree.key("x")}));
        EXPECT_EQ(list.entry(parentFirst ? 1 : 0).parentPath, parent);
        EXPECT_EQ(list.entry(2).parentPath, child);
        EXPECT_TRUE(report.processedKeys.contains(parent));
        EXPECT_TRUE(report.processedKeys.contains(child)) << "found by the key it has now";
    }
}

// No temporary names: a swap fails for both, and a chain works only when the name is freed first.
TEST_F(CommitRenamesTest, SwapsFailAndChainsDependOnListOrder)
{
    using Renames = QList<std::pair<QString, QString>>;
    const std::tuple<const char*, Renames, QStringList, int> cases[] = {
        {"swap", {{"a", "b"}, {"b", "a"}}, {"a", "b"}, 2},
        {"chain, taken name first", {{"a", "b"}, {"b", "c"}}, {"a", "c"}, 1},
        {"chain, freed name first", {{"b", "c"}, {"a", "b"}}, {"b", "c"}, 0}};
    for (const auto& [what, renames, expectedFolders, expectedFailures] : cases) {
        SCOPED_TRACE(what);
        TestTree tree({"a/", "b/"});
        listOf(tree, renames);
        messages.clear();
        const CommitReport report = commit();
        EXPECT_EQ(tree.folders(), expectedFolders);
        EXPECT_EQ(messages.size(), expectedFailures);
        for (const QString& message : std::as_const(messages))
            EXPECT_TRUE(message.startsWith(QStringLiteral("exists \""))) << message.toStdString();
        EXPECT_EQ(report.processedKeys.size(), expectedFailures > 0 ? 2 : 0);
    }
}

// Each failure names both paths and its kind; the run goes on, and a failed entry keeps its proposal.
TEST_F(CommitRenamesTest, FailuresNameBothPathsAndTheRunGoesOn)
{
    TestTree tree({"a/", "b/", "taken/", "c/", "locked/"});
    auto fs = std::make_unique<FaultInjectingFileSystem>();
    fs->fail(FaultInjectingFileSystem::Op::Rename, tree.path("locked"), FsResult::Kind::Access);
    app.state().services.fileSystem = std::move(fs);
    // "taken" is an existing, empty folder; "abc" to "ABC" changes only the case, after c took the name.
    listOf(tree, {{"a", "a1"}, {"b", "taken"}, {"gone", "gone2"}, {"c", "abc"}, {"abc", "ABC"}, {"locked", "free"}});
    commit();
    const QString r = tree.root() + QLatin1Char('/');
    EXPECT_EQ(messages, QStringList({QStringLiteral("exists \"%1b/\" -> \"%1taken/\"").arg(r),
                                     QStringLiteral("missing \"%1gone/\" -> \"%1gone2/\"").arg(r),
                                     QStringLiteral("access \"%1locked/\" -> \"%1free/\"").arg(r)}));
    EXPECT_EQ(tree.folders(), QStringList({"ABC", "a1", "b", "locked", "taken"}));
    EXPECT_TRUE(tree.folders("taken").isEmpty());
    EXPECT_EQ(list.entry(1).key() + list.entry(1).newName, tree.key("b") + QStringLiteral("taken"));
}

TEST_F(CommitRenamesTest, RefusesNamesThatDoNotNameOneFolder)
{
    const std::pair<QString, const char*> cases[] = {{QString(), "msgNameEmpty"},
                                                     {".", "msgNameDots"},
                                                     {"..", "msgNameDots"},
                                                     {"x/y", "msgNameBadChar"},
                                                     {QStringLiteral("x") + QChar(0) + "y", "msgNameBadChar"},
                                                     {QString(128, QChar(0xE4)), "msgNameTooLong"}};
    for (const auto& [name, reasonKey] : cases) {
        SCOPED_TRACE(reasonKey);
        TestTree tree({"p/a/x/"});
        listOf(tree, {{"p/a", ""}});
        list.setNewName(0, name);
        messages.clear();
        commit();
        const QString reason = app.state().message(QString::fromLatin1(reasonKey), {"256", "255"});
        const QString r = tree.root() + QStringLiteral("/p/");
        EXPECT_EQ(messages, QStringList{QStringLiteral("failed \"%1a/\" -> \"%1%2/\"   %3").arg(r, name, reason)});
        EXPECT_EQ(tree.folders("p"), QStringList{"a"});
        EXPECT_EQ(tree.folders("p/a"), QStringList{"x"});
    }
    TestTree tree({"a/"});
    listOf(tree, {{"a", QString(255, QLatin1Char('n'))}});
    EXPECT_EQ(commit().renamed, 1) << "255 bytes are allowed";
}

TEST_F(CommitRenamesTest, OneEntryRunLeavesNoEarlierProposals)
{
    TestTree tree({"A/Sub/", "x/", "y/"});
    FolderEntry a = entryFor(tree, "A", "B");
    a.history.set(2, QStringLiteral("older"));
    list.append(a);
    list.append(entryFor(tree, "A/Sub"));
    list.append(entryFor(tree, "x", "y"));
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    EXPECT_TRUE(commit(0).processedKeys.isEmpty());
    const FolderEntry& e = list.entry(0);
    EXPECT_EQ(QStringList({e.key(), e.history.at(0), e.history.at(1), e.history.at(2), e.history.at(3)}),
              QStringList({tree.key("B"), "B", "B", "B", ""}));
    EXPECT_EQ(list.entry(1).parentPath, tree.key("B"));
    EXPECT_EQ(TextCodec::splitLines(protocolText()).size(), 1);
    // A failed one keeps its proposal in every level.
    EXPECT_EQ(commit(2).failures.size(), 1);
    EXPECT_EQ(list.entry(2).history.at(1), QStringLiteral("y"));
}

// A folder "/…/a/" whose subtree holds the same path text again further down ("/…/a/z/…/a/"): only the
// leading part names the renamed folder. Run with few renames (the list is walked) and with many (the
// sorted key index).
TEST_F(CommitRenamesTest, RewritesOnlyTheLeadingPathOfEntriesBelow)
{
    for (const int siblings : {0, 20}) {
        SCOPED_TRACE(siblings);
        TestTree tree;
        const QString echo = QStringLiteral("a/z") + tree.root() + QStringLiteral("/a");
        tree.add(echo + QStringLiteral("/x/"));
        QList<std::pair<QString, QString>> rows{{"a", "b"}};
        for (int i = 0; i < siblings; ++i) {
            tree.add(QStringLiteral("s%1/").arg(i));
            rows.append({QStringLiteral("s%1").arg(i), QStringLiteral("t%1").arg(i)});
        }
        listOf(tree, rows << std::pair{echo, QString()} << std::pair{echo + QStringLiteral("/x"), QStringLiteral("y")});
        commit();
        EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
        const QString moved = QStringLiteral("b/z") + tree.root() + QStringLiteral("/a");
        EXPECT_TRUE(tree.isFolder(moved + QStringLiteral("/y")));
        EXPECT_EQ(list.entry(list.size() - 1).parentPath, tree.key(moved));
        EXPECT_EQ(Keys(list).mid(list.size() - 2),
                  QStringList({tree.key(moved), tree.key(moved + QStringLiteral("/y"))}));
    }
}

TEST_F(CommitRenamesTest, AProtocolThatCannotBeWrittenDoesNotStopRenaming)
{
    // {protocol on, protocol path is a folder, new name, protocol failure expected}. A quote or a line
    // break in a name no longer keeps a rename out of the protocol: such lines are written escaped.
    const std::tuple<bool, bool, QString, bool> cases[] = {{true, true, "b", true},
                                                           {false, true, "b", false},
                                                           {true, false, "say \"b\"", false},
                                                           {true, false, "b\n2024\"", false}};
    for (const auto& [protocolOn, protocolIsFolder, newName, expectFailed] : cases) {
        SCOPED_TRACE(newName.toStdString());
        QFile::remove(protocolPath());
        QDir(protocolPath()).removeRecursively();
        if (protocolIsFolder)
            QDir().mkpath(protocolPath());
        app.state().settings.setFlag(Settings::Key::ProtocolRenames, protocolOn);
        TestTree tree({"a/", "c/"});
        listOf(tree, {{"a", newName}, {"c", "d"}});
        const CommitReport report = commit();
        EXPECT_EQ(report.renamed, 2);
        EXPECT_EQ(report.protocolFailed, expectFailed);
        if (!protocolIsFolder) { // both renames are recorded, one line each
            EXPECT_EQ(TextCodec::splitLines(protocolText()).size(), 2);
        }
    }
    QDir(protocolPath()).removeRecursively();
}

// The renames run in blocks, and the next block is planned while one runs, as if all of its renames take
// place. A folder below one renamed in the same block or in the block before is renamed at its parent's
// new path; when the parent keeps its name, at the path it really has.
TEST_F(CommitRenamesTest, FoldersBelowARenamedOneFollowItAcrossBlocksOrStayWhenItFails)
{
    // {siblings before the parent, so that it ends the first or the second block or stands in the middle
    // of one; parent fails}. The second block is planned while the first runs, and has twice its renames.
    const int first = RenameBlock::kFirstRenames - 1;
    const int second = 3 * RenameBlock::kFirstRenames - 1;
    const std::tuple<int, bool> cases[] = {{first, false}, {first, true}, {second, false},
                                           {second, true}, {100, false},  {100, true}};
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    for (const auto& [before, parentFails] : cases) {
        SCOPED_TRACE(testing::Message() << before << (parentFails ? " parent fails" : " parent renamed"));
        QFile::remove(protocolPath());
        TestTree tree({"P/c/g/", "P/e/"});
        QList<std::pair<QString, QString>> rows;
        for (int i = 0; i < before; ++i) {
            const QString name = QStringLiteral("s%1").arg(i, 4, 10, QLatin1Char('0'));
            tree.add(name + QLatin1Char('/'));
            rows.append({name, name + QStringLiteral("x")});
        }
        rows.append({{"P", "Q"}, {"P/c", "d"}, {"P/c/g", "h"}, {"P/e", "f"}});
        auto fs = std::make_unique<FaultInjectingFileSystem>();
        if (parentFails)
            fs->fail(FaultInjectingFileSystem::Op::Rename, tree.path("P"), FsResult::Kind::Access);
        app.state().services.fileSystem = std::move(fs);
        listOf(tree, rows);
        messages.clear();
        const CommitReport report = commit();

        const QString parent = parentFails ? QStringLiteral("P") : QStringLiteral("Q");
        EXPECT_EQ(report.renamed, before + (parentFails ? 3 : 4));
        EXPECT_EQ(messages.size(), parentFails ? 1 : 0);
        EXPECT_TRUE(tree.isFolder(parent + QStringLiteral("/d/h")));
        EXPECT_TRUE(tree.isFolder(parent + QStringLiteral("/f")));
        EXPECT_EQ(Keys(list).mid(before),
                  QStringList({tree.key(parent), tree.key(parent + QStringLiteral("/d")),
                               tree.key(parent + QStringLiteral("/d/h")), tree.key(parent + QStringLiteral("/f"))}));
        // The history names each rename where it happened, parents before their children.
        const QStringList lines = TextCodec::splitLines(protocolText()).mid(before);
        const QString r = tree.root() + QLatin1Char('/');
        QStringList expected{QStringLiteral("%1\"c\"d").arg(r + parent + QLatin1Char('/')),
                             QStringLiteral("%1\"g\"h").arg(r + parent + QStringLiteral("/d/")),
                             QStringLiteral("%1\"e\"f").arg(r + parent + QLatin1Char('/'))};
        if (!parentFails)
            expected.prepend(QStringLiteral("%1\"P\"Q").arg(r));
        ASSERT_EQ(lines.size(), expected.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines.at(i).mid(15), expected.at(i));
    }
}

// "r" and folders below it, each in a folder picked at random among those before it, at most `depth`
// levels below "r"; up to `tries` of them.
QStringList randomFolders(QRandomGenerator& random, int tries, int depth)
{
    QStringList folders{"r"};
    for (int i = 0; i < tries; ++i) {
        const QString parent = folders.at(random.bounded(folders.size()));
        if (parent.count(QLatin1Char('/')) < depth)
            folders.append(parent + QStringLiteral("/f%1").arg(i));
    }
    return folders;
}

// The sorted key index gives what a walk over the whole list gives: a random tree, partly listed in random
// order, renamed in one run, compared with a model that checks every entry against every rename.
TEST_F(CommitRenamesTest, KeyIndexAgreesWithAWalkOverTheWholeList)
{
    for (quint32 seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(seed);
        QRandomGenerator random(seed);
        const QStringList folders = randomFolders(random, 150, 4);
        TestTree tree;
        QList<std::pair<QString, QString>> rows;
        for (const QString& f : std::as_const(folders)) {
            tree.add(f + QLatin1Char('/'));
            if (random.bounded(10) < 8)
                rows.append(
                    {f, random.bounded(2) ? f.section(QLatin1Char('/'), -1) + QStringLiteral("~n") : QString()});
        }
        for (qsizetype i = rows.size() - 1; i > 0; --i)
            rows.swapItemsAt(i, random.bounded(int(i) + 1));
        listOf(tree, rows);

        // The model: keys relative to the tree root, rewritten by a walk over every entry per rename.
        QStringList model;
        for (const auto& row : rows)
            model.append(row.first + QLatin1Char('/'));
        for (int i = 0; i < rows.size(); ++i) {
            const QString from = model.at(i);
            const QString to =
                from.left(from.lastIndexOf(QLatin1Char('/'), -2) + 1) + rows.at(i).second + QLatin1Char('/');
            for (QString& key : model)
                if (!rows.at(i).second.isEmpty() && key.startsWith(from))
                    key.replace(0, from.size(), to);
        }

        commit();
        EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
        for (int i = 0; i < list.size(); ++i) {
            const FolderEntry& e = list.entry(i);
            EXPECT_EQ(e.key(), tree.key(model.at(i)));
            EXPECT_TRUE(app.state().fs().folderExists(e.key())) << e.key().toStdString();
            EXPECT_EQ(list.rowOfKey(e.key()), i);
        }
    }
}

// Renames of many folders run on two threads, and a rename that fails can stop a block before renames
// that came before it in the list: the run still ends as one that renames in list order, each failure told
// once and in list order, each rename recorded once. The failing folders are picked at random; folders below
// one that fails are renamed where it stays.
TEST_F(CommitRenamesTest, FailuresAmongRenamesOnTwoThreadsEndAsInListOrder)
{
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    for (quint32 seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        QFile::remove(protocolPath());
        QRandomGenerator random(seed);
        const QStringList folders = randomFolders(random, 400, 3);
        TestTree tree;
        QList<std::pair<QString, QString>> rows;
        for (const QString& f : std::as_const(folders)) {
            tree.add(f + QLatin1Char('/'));
            rows.append({f, f.section(QLatin1Char('/'), -1) + QStringLiteral("~n")});
        }
        for (qsizetype i = rows.size() - 1; i > 0; --i)
            rows.swapItemsAt(i, random.bounded(int(i) + 1));
        listOf(tree, rows);

        // The model renames in list order; a failing folder keeps its path, which is where it fails.
        auto fs = std::make_unique<FaultInjectingFileSystem>();
        QStringList model;
        for (const auto& row : rows)
            model.append(row.first + QLatin1Char('/'));
        QStringList failing;
        for (int i = 0; i < rows.size(); ++i) {
            const QString from = model.at(i);
            if (random.bounded(20) == 0) {
                fs->fail(FaultInjectingFileSystem::Op::Rename, tree.path(from.chopped(1)));
                failing.append(tree.key(from));
                continue;
            }
            const QString to =
                from.left(from.lastIndexOf(QLatin1Char('/'), -2) + 1) + rows.at(i).second + QLatin1Char('/');
            for (QString& key : model)
                if (key.startsWith(from))
                    key.replace(0, from.size(), to);
        }
        app.state().services.fileSystem = std::move(fs);

        const CommitReport report = commit();
        ASSERT_EQ(report.failures.size(), failing.size());
        for (qsizetype i = 0; i < failing.size(); ++i)
            EXPECT_EQ(report.failures.at(i).key, failing.at(i));
        EXPECT_EQ(report.renamed, rows.size() - failing.size());
        EXPECT_EQ(TextCodec::splitLines(protocolText()).size(), report.renamed);
        for (int i = 0; i < list.size(); ++i) {
            const FolderEntry& e = list.entry(i);
            EXPECT_EQ(e.key(), tree.key(model.at(i)));
            EXPECT_TRUE(app.state().fs().folderExists(e.key())) << e.key().toStdString();
        }
    }
}

// A block on two threads: the first thread's share ends with a folder below one that failed, so it stops
// there, while the other thread has already failed one rename of its own share and done others. The run
// goes on from the stopped rename: what the other thread did is neither done nor told again, and the
// failures come in list order although the one of the stopped folder is found last.
TEST_F(CommitRenamesTest, AThreadThatStopsLeavesWhatTheOtherDidDone)
{
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    TestTree tree({"P/c/", "B/"});
    // The first share: P, 30 siblings and P/c; the second: the 40 folders in B, the first of which fails.
    QList<std::pair<QString, QString>> rows{{"P", "Q"}};
    for (int i = 0; i < 30; ++i) {
        tree.add(QStringLiteral("A%1/").arg(i));
        rows.append({QStringLiteral("A%1").arg(i), QStringLiteral("a%1").arg(i)});
    }
    rows.append({QStringLiteral("P/c"), QStringLiteral("d")});
    for (int i = 0; i < 40; ++i) {
        tree.add(QStringLiteral("B/b%1/").arg(i));
        rows.append({QStringLiteral("B/b%1").arg(i), QStringLiteral("x%1").arg(i)});
    }
    // The first rename waits until the other thread has started on its share.
    auto fs = std::make_unique<WatchedFileSystem>(true);
    fs->fail(FaultInjectingFileSystem::Op::Rename, tree.path("P"));
    fs->fail(FaultInjectingFileSystem::Op::Rename, tree.path("P/c"));
    fs->fail(FaultInjectingFileSystem::Op::Rename, tree.path("B/b0"));
    WatchedFileSystem& watched = *fs;
    app.state().services.fileSystem = std::move(fs);
    listOf(tree, rows);

    const CommitReport report = commit();
    QStringList failed;
    for (const CommitReport::Failure& f : report.failures)
        failed.append(f.key);
    EXPECT_EQ(failed, QStringList({tree.key("P"), tree.key("P/c"), tree.key("B/b0")}));
    EXPECT_EQ(report.renamed, rows.size() - 3);
    EXPECT_EQ(TextCodec::splitLines(protocolText()).size(), report.renamed);
    // Tried once each: P/c in the block after, B/b0 not again.
    QStringList tried;
    for (const auto& [thread, oldPath] : watched.done())
        tried.append(oldPath);
    EXPECT_EQ(tried.size(), rows.size());
    EXPECT_EQ(
        tree.folders(), QStringList({"B", "P"}) + [] {
            QStringList a;
            for (int i = 0; i < 30; ++i)
                a.append(QStringLiteral("a%1").arg(i));
            a.sort();
            return a;
        }());
    EXPECT_EQ(tree.folders("B").size(), 40);
    EXPECT_TRUE(tree.isFolder("B/b0"));
    EXPECT_TRUE(tree.isFolder("B/x39"));
}

} // namespace
