#include "core/commit/CommitRenames.h"

#include "core/commit/CommitTestSupport.h"
#include "core/commit/RenameJournal.h"
#include "core/commit/UndoLastRun.h"
#include "core/preview/PreviewList.h"
#include "support/FaultInjectingFileSystem.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

class SafeTakeTest : public ::testing::Test
{
protected:
    SafeTakeTest()
    {
        useTestMessages(app);
        app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    }
    void listOf(const QList<std::pair<QString, QString>>& rows)
    {
        list.clear();
        for (const auto& [folder, newName] : rows)
            ASSERT_TRUE(list.append(entryFor(*tree, folder, newName)));
    }
    CommitReport take() { return CommitRenamesSafely(app.state(), list); }

    TestApp app;
    std::optional<TestTree> tree{std::in_place};
    PreviewList list;
};

// Renames that the list-order take cannot do, in every order: afterwards each folder has its new name,
// the history holds the net renames only, and undoing the latest run gives the tree back.
TEST_F(SafeTakeTest, ChainsSwapsRingsAndParentsWithChildren)
{
    const struct
    {
        const char* row;
        QStringList folders;
        QList<std::pair<QString, QString>> renames;
        QStringList after;
    } cases[] = {
        {"swap", {"a", "b"}, {{"a", "b"}, {"b", "a"}}, {"a=b", "b=a"}},
        {"3-ring", {"a", "b", "c"}, {{"a", "b"}, {"b", "c"}, {"c", "a"}}, {"a=c", "b=a", "c=b"}},
        {"chain, first link first", {"a", "b"}, {{"a", "b"}, {"b", "c"}}, {"b=a", "c=b"}},
        {"chain, last link first", {"a", "b"}, {{"b", "c"}, {"a", "b"}}, {"b=a", "c=b"}},
        {"case-only swap", {"x", "X"}, {{"x", "X"}, {"X", "x"}}, {"X=x", "x=X"}},
        {"parent and child, child listed first", {"P", "P/s"}, {{"P/s", "t"}, {"P", "Q"}}, {"Q=P", "Q/t=s"}},
        {"swapped parents with swapped children",
         {"a", "b", "a/x", "a/y", "b/x"},
         {{"a/x", "y"}, {"a/y", "x"}, {"a", "b"}, {"b", "a"}, {"b/x", "z"}},
         {"a=b", "a/z=x", "b=a", "b/x=y", "b/y=x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        tree.emplace();
        QFile::remove(app.settingsPath(RenameProtocol::fileName()));
        build(*tree, c.folders);
        const QStringList before = snapshot(*tree);
        QStringList after = c.after;
        after.sort();
        listOf(c.renames);
        const CommitReport report = take();
        EXPECT_TRUE(report.refusal.isEmpty()) << report.refusal.toStdString();
        EXPECT_TRUE(report.failures.isEmpty());
        EXPECT_EQ(report.renamed, c.renames.size());
        EXPECT_EQ(snapshot(*tree).join(' ').toStdString(), after.join(' ').toStdString());
        // The list follows: every entry names its folder as it is now, and has nothing left to take.
        for (const FolderEntry& e : list.entries()) {
            EXPECT_FALSE(e.isChanged());
            EXPECT_TRUE(QDir(e.key()).exists()) << e.key().toStdString();
        }
        EXPECT_EQ(RenameProtocol::read(app.state().fs(), app.state().settingsFolder).size(), c.renames.size());
        const UndoLastReport undo = UndoLastRun(app.state());
        EXPECT_TRUE(undo.failures.isEmpty()) << undo.failures.join('\n').toStdString();
        EXPECT_EQ(snapshot(*tree).join(' ').toStdString(), before.join(' ').toStdString());
    }
}

// A chain that ends on a folder that stays: nothing is renamed, and the refusal names the conflict.
TEST_F(SafeTakeTest, RefusesUpFrontWhileAProposalConflicts)
{
    build(*tree, {"a", "b", "c"});
    const QStringList before = snapshot(*tree);
    listOf({{"a", "b"}, {"b", "c"}});
    const CommitReport report = take();
    EXPECT_EQ(report.renamed, 0);
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_TRUE(report.refusal.contains(tree->path("b") + QStringLiteral("\": "))) << report.refusal.toStdString();
    EXPECT_FALSE(report.refusal.contains(tree->path("a") + QStringLiteral("\": ")));
    EXPECT_EQ(snapshot(*tree).join(' ').toStdString(), before.join(' ').toStdString());
    EXPECT_TRUE(list.entry(0).isChanged());
}

// The caller's work alongside the check, with the check on a second thread or before it: when the work
// says no, nothing is renamed and no history is started, whatever the check finds; when it says yes, the
// take goes on as it would without it. The work sees the disk untouched, and the caller hears of the
// check once.
TEST_F(SafeTakeTest, TheCallersWorkAlongsideDecidesWhetherTheTakeGoesOn)
{
    class OneThreadFileSystem : public PosixFileSystem
    {
    public:
        bool readsInParallel() const override { return false; }
    };
    const struct
    {
        const char* row;
        bool sound;
        bool conflict;
        int renamed;
    } cases[] = {
        {"unsound", false, false, 0},
        {"unsound, with a conflict", false, true, 0},
        {"sound", true, false, 2},
        {"sound, with a conflict", true, true, 0},
    };
    for (const bool parallel : {true, false}) {
        if (parallel)
            app.state().services.fileSystem = std::make_unique<PosixFileSystem>();
        else
            app.state().services.fileSystem = std::make_unique<OneThreadFileSystem>();
        for (const auto& c : cases) {
            SCOPED_TRACE(QStringLiteral("%1, %2").arg(c.row, parallel ? "two threads" : "one").toStdString());
            tree.emplace();
            const QString protocol = app.settingsPath(RenameProtocol::fileName());
            QFile::remove(protocol);
            build(*tree, {"a", "b", "c"});
            const QStringList before = snapshot(*tree);
            listOf({{"a", "x"}, {"b", c.conflict ? "c" : "y"}});
            int calls = 0;
            QList<bool> told; // of the check, once
            SafeTakeOptions options;
            options.alongside = [&] {
                ++calls;
                EXPECT_EQ(snapshot(*tree), before);
                return c.sound;
            };
            options.checked = [&](bool passed) { told.append(passed); };
            const CommitReport report = CommitRenamesSafely(app.state(), list, options);
            EXPECT_EQ(calls, 1);
            ASSERT_EQ(told.size(), 1);
            // With one thread an unsound proposal ends the take before the check.
            EXPECT_EQ(told.front(), !c.conflict && (c.sound || parallel));
            EXPECT_EQ(report.renamed, c.renamed);
            EXPECT_EQ(report.refusal.isEmpty(), !(c.sound && c.conflict)) << report.refusal.toStdString();
            EXPECT_EQ(QFile::exists(protocol), c.renamed > 0);
            if (c.renamed == 0) {
                EXPECT_EQ(snapshot(*tree), before);
                EXPECT_TRUE(list.entry(0).isChanged());
            }
        }
    }
}

// A run killed after each step of a ring (park, two links, unpark), next to a plain rename: the next
// start finishes the ring, no folder keeps the temporary name, and the history undoes the whole run.
TEST_F(SafeTakeTest, AKilledRingIsFinishedAtTheNextStart)
{
    for (int steps = 1; steps <= 5; ++steps) {
        SCOPED_TRACE(steps);
        tree.emplace();
        QFile::remove(app.settingsPath(RenameProtocol::fileName()));
        build(*tree, {"a", "b", "c", "p"});
        const QStringList before = snapshot(*tree);
        auto owned = std::make_unique<FaultInjectingFileSystem>();
        FaultInjectingFileSystem& fs = *owned;
        app.state().services.fileSystem = std::move(owned);
        fs.crashAfterRenames(steps);
        listOf({{"p", "q"}, {"a", "b"}, {"b", "c"}, {"c", "a"}});
        static_cast<void>(take());
        fs.restart();
        RenameJournal::recover(fs, app.state().settingsFolder);
        const QStringList after = snapshot(*tree);
        for (const QString& folder : after)
            EXPECT_FALSE(folder.startsWith(QLatin1Char('.'))) << folder.toStdString();
        // The plain rename comes first; once the ring has started (its park), it is finished.
        const QStringList ring = steps >= 2 ? QStringList{"a=c", "b=a", "c=b"} : QStringList{"a=a", "b=b", "c=c"};
        EXPECT_EQ(after, ring + QStringList{"q=p"});
        const UndoLastReport undo = UndoLastRun(app.state());
        EXPECT_TRUE(undo.failures.isEmpty()) << undo.failures.join('\n').toStdString();
        EXPECT_EQ(snapshot(*tree).join(' ').toStdString(), before.join(' ').toStdString());
    }
}

// A swap whose last step fails, the parked folder holding a listed subfolder. Where its old name is free
// again (the other half of the swap failed too) it goes back; else it stays under its temporary name, which
// the history records from its old name. Its entry and the subfolder's follow it either way, with the
// proposal kept, in a short take and in one long enough to index the folders below the renamed ones.
TEST_F(SafeTakeTest, AParkedFolderThatCannotTakeItsNameGoesBackOrStaysParked)
{
    for (const bool goesBack : {true, false}) {
        for (const int plain : {0, 20}) {
            SCOPED_TRACE(
                QStringLiteral("%1, %2 plain renames").arg(goesBack ? "back" : "parked").arg(plain).toStdString());
            tree.emplace();
            QFile::remove(app.settingsPath(RenameProtocol::fileName()));
            QStringList folders{"a", "a/x", "b"};
            QList<std::pair<QString, QString>> renames{{"a", "b"}, {"a/x", "x"}, {"b", "a"}};
            for (int i = 0; i < plain; ++i) {
                folders.append(QStringLiteral("p%1").arg(i));
                renames.append({QStringLiteral("p%1").arg(i), QStringLiteral("q%1").arg(i)});
            }
            build(*tree, folders);
            auto owned = std::make_unique<FaultInjectingFileSystem>();
            // Into b fails the last step only; b itself fails the other half of the swap as well.
            owned->fail(goesBack ? FaultInjectingFileSystem::Op::Rename : FaultInjectingFileSystem::Op::RenameInto,
                        tree->path("b"));
            app.state().services.fileSystem = std::move(owned);
            listOf(renames);
            const CommitReport report = take();
            EXPECT_TRUE(report.refusal.isEmpty()) << report.refusal.toStdString();
            EXPECT_EQ(report.renamed, plain + (goesBack ? 0 : 1));
            EXPECT_EQ(report.failures.size(), goesBack ? 2 : 1);
            const QStringList names = tree->folders();
            const QString parked = goesBack ? QStringLiteral("a") : names.first();
            EXPECT_TRUE(goesBack || parked.startsWith(QLatin1Char('.'))) << parked.toStdString();
            EXPECT_TRUE(tree->isFolder(parked + QStringLiteral("/x")));
            const FolderEntry& e = list.entry(0);
            EXPECT_EQ(QStringList({e.key(), e.oldName, e.newName}), QStringList({tree->key(parked), parked, "b"}));
            EXPECT_EQ(list.entry(1).parentPath, tree->key(parked));
            for (int row = 0; row < list.size(); ++row) {
                EXPECT_EQ(list.rowOfKey(list.entry(row).key()), row);
                EXPECT_TRUE(QDir(list.entry(row).key()).exists()) << list.entry(row).key().toStdString();
            }
            const QList<RenameProtocol::Line> lines =
                RenameProtocol::read(app.state().fs(), app.state().settingsFolder);
            ASSERT_EQ(lines.size(), plain + (goesBack ? 0 : 2));
            if (!goesBack) {
                EXPECT_EQ(QStringList({lines[plain].oldName, lines[plain].newName, lines[plain + 1].oldName,
                                       lines[plain + 1].newName}),
                          QStringList({"b", "a", "a", parked}));
            }
        }
    }
}

// Random rename maps over small trees of two levels, checked against a model: where each folder ends up
// after the take, and the tree as it was after undoing the run. Maps that leave a name taken are refused
// without a change.
TEST_F(SafeTakeTest, RandomMapsMatchTheModelAndUndoRestoresTheTree)
{
    const QStringList names{"a", "b", "c", "d", "A", "e"};
    QStringList folders;
    for (const QString& top : names.mid(0, 4)) {
        folders << top;
        for (const QString& child : names.mid(0, 3))
            folders << top + QLatin1Char('/') + child;
    }
    build(*tree, folders);
    const QStringList start = snapshot(*tree);
    QRandomGenerator random(24);
    int taken = 0;
    for (int round = 0; round < 1000; ++round) {
        SCOPED_TRACE(round);
        // Each folder picked is proposed a name of its folder's pool, none twice per folder.
        QHash<QString, QString> newNameOf; // relative path -> new name
        QHash<QString, QStringList> pool;
        for (const QString& folder : folders) {
            if (random.bounded(3) == 0)
                continue;
            const QString parent = folder.section(QLatin1Char('/'), 0, -2);
            QStringList& free = pool[parent];
            if (free.isEmpty()) {
                free = names;
                for (qsizetype i = free.size() - 1; i > 0; --i)
                    free.swapItemsAt(i, random.bounded(static_cast<int>(i + 1)));
            }
            const QString name = free.takeLast();
            if (name != folder.section(QLatin1Char('/'), -1))
                newNameOf.insert(folder, name);
        }
        QList<std::pair<QString, QString>> rows;
        for (const QString& folder : folders) {
            if (newNameOf.contains(folder) || random.bounded(2) == 0)
                rows.append({folder, newNameOf.value(folder)});
        }
        for (qsizetype i = rows.size() - 1; i > 0; --i)
            rows.swapItemsAt(i, random.bounded(static_cast<int>(i + 1)));
        listOf(rows);
        // The model: a name is free when no folder has it, or its folder is renamed away.
        bool conflict = false;
        for (auto it = newNameOf.cbegin(); it != newNameOf.cend(); ++it) {
            const QString parent = it.key().section(QLatin1Char('/'), 0, -2);
            const QString target = parent.isEmpty() ? it.value() : parent + QLatin1Char('/') + it.value();
            conflict = conflict || (folders.contains(target) && !newNameOf.contains(target));
        }
        QStringList expected;
        for (const QString& folder : folders) {
            const QString top = folder.section(QLatin1Char('/'), 0, 0);
            QString path = conflict ? top : newNameOf.value(top, top);
            if (folder.contains(QLatin1Char('/')))
                path += QLatin1Char('/') + (conflict ? folder.section(QLatin1Char('/'), -1)
                                                     : newNameOf.value(folder, folder.section(QLatin1Char('/'), -1)));
            expected << path + QLatin1Char('=') + folder.section(QLatin1Char('/'), -1);
        }
        expected.sort();
        const CommitReport report = take();
        EXPECT_EQ(report.refusal.isEmpty(), !conflict);
        EXPECT_TRUE(report.failures.isEmpty());
        ASSERT_EQ(snapshot(*tree).join(' ').toStdString(), expected.join(' ').toStdString());
        if (conflict || newNameOf.isEmpty())
            continue;
        ++taken;
        const UndoLastReport undo = UndoLastRun(app.state());
        EXPECT_TRUE(undo.failures.isEmpty()) << undo.failures.join('\n').toStdString();
        ASSERT_EQ(snapshot(*tree).join(' ').toStdString(), start.join(' ').toStdString());
    }
    EXPECT_GT(taken, 200); // the model does not refuse everything: about a quarter of the maps are taken
}

} // namespace
