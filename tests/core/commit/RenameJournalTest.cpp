#include "core/commit/RenameJournal.h"

#include "core/commit/CommitRenames.h"
#include "core/commit/CommitTestSupport.h"
#include "core/commit/RenameProtocol.h"
#include "core/commit/UndoLastRun.h"
#include "core/preview/PreviewList.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/WriteTextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

class RenameJournalTest : public ::testing::Test
{
protected:
    RenameJournalTest()
    {
        useTestMessages(app);
        app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    }
    QString path(const QString& name) const { return app.settingsPath(name); }
    QByteArray bytes(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QList<QByteArray> protocolLines() const { return RenameProtocol::splitLines(bytes(RenameProtocol::fileName())); }
    QByteArray lineFor(const QString& oldName, const QString& newName) const
    {
        return RenameProtocol::encodeLine("20240131153045", tree.root() + QLatin1Char('/'), oldName, newName);
    }
    CommitReport take(const QList<std::pair<QString, QString>>& rows)
    {
        list.clear();
        for (const auto& [folder, newName] : rows)
            EXPECT_TRUE(list.append(entryFor(tree, folder, newName)));
        return CommitRenames(app.state(), list, kAllEntries);
    }

    TestApp app;
    TestTree tree;
    PreviewList list;
};

// A run killed somewhere around its last rename: the record is finished at the next start, and the
// protocol gets the line exactly when the rename happened and its line is missing.
TEST_F(RenameJournalTest, AKilledRunOwesTheProtocolAtMostItsLastLine)
{
    const struct
    {
        const char* row;
        bool renamed;    // the folder carries its new name
        bool recorded;   // the protocol has the line
        const char* end; // what follows the announcement in the record
        bool expectLine; // the protocol gets the line now
    } cases[] = {{"killed before renaming", false, false, "", false},
                 {"killed between rename and line", true, false, "", true},
                 {"killed after the line", true, true, "", false},
                 {"rename failed", false, false, "-\n", false},
                 {"run ended", true, false, ".\n", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        QFile::remove(path(RenameProtocol::fileName()));
        tree.add(c.renamed ? "B/" : "A/");
        const QByteArray line = lineFor("A", "B");
        ASSERT_TRUE(
            FixtureFileSystem().writeFileAtomic(path(RenameProtocol::fileName()), c.recorded ? line + "\n" : "").ok());
        ASSERT_TRUE(
            FixtureFileSystem()
                .writeFileAtomic(path(RenameJournal::fileName()), "+" + lineFor("x", "y") + "\n+" + line + "\n" + c.end)
                .ok());
        EXPECT_EQ(RenameJournal::recover(app.state().fs(), app.state().settingsFolder), c.expectLine);
        EXPECT_EQ(protocolLines().size(), c.recorded || c.expectLine ? 1 : 0);
        EXPECT_TRUE(bytes(RenameJournal::fileName()).endsWith(".\n"));
        EXPECT_FALSE(RenameJournal::recover(app.state().fs(), app.state().settingsFolder)); // once only
        QDir(tree.path(c.renamed ? "B" : "A")).removeRecursively();
    }
}

// Renames are announced before they happen, in blocks of renames that do not touch each other (b1 twice
// cuts one); the record of a finished run says which lines it wrote.
TEST_F(RenameJournalTest, ARunAnnouncesEachRenameAndUndoLastTakesBackOnlyThatRun)
{
    tree.add("a/");
    tree.add("b/");
    tree.add("c/");
    take({{"a", "a0"}});
    take({{"b", "b1"}, {"c", "b1"}, {"a0", "a2"}}); // c fails: b1 is taken
    EXPECT_EQ(bytes(RenameJournal::fileName()), "+" + lineFor("b", "b1") + "\n=\n+" + lineFor("c", "b1") + "\n+" +
                                                    lineFor("a0", "a2") + "\n-" + lineFor("c", "b1") + "\n=\n.\n");
    const UndoLastReport report = UndoLastRun(app.state());
    EXPECT_TRUE(report.failures.isEmpty()) << report.failures.join('\n').toStdString();
    ASSERT_EQ(report.undone.size(), 2);
    EXPECT_EQ(report.undone.at(0).newName, "a2"); // newest first
    EXPECT_EQ(tree.folders(), QStringList({"a0", "b", "c"}));
    EXPECT_EQ(protocolLines(), QList<QByteArray>({lineFor("a", "a0")}));
    EXPECT_TRUE(UndoLastRun(app.state()).undone.isEmpty()); // nothing twice
}

// Four folders, then the twelve folders in each: enough for two threads to share the block, the second
// renaming in the last folder as soon as the first has renamed it.
std::pair<QStringList, QList<std::pair<QString, QString>>> parentsThenChildren()
{
    QStringList folders;
    QList<std::pair<QString, QString>> rows;
    for (int parent = 0; parent < 4; ++parent) {
        folders.append(QStringLiteral("p%1").arg(parent));
        rows.append({QStringLiteral("p%1").arg(parent), QStringLiteral("q%1").arg(parent)});
    }
    for (int parent = 0; parent < 4; ++parent) {
        for (int child = 0; child < 12; ++child) {
            folders.append(QStringLiteral("p%1/c%2").arg(parent).arg(child));
            rows.append({QStringLiteral("p%1/c%2").arg(parent).arg(child), QStringLiteral("d%1").arg(child)});
        }
    }
    return {folders, rows};
}

// A run killed after each of its renames, for lists whose renames share a block or must not (a folder
// renamed after the folder below it, or before it): at the next start the protocol gets exactly the
// renames that happened, and undoing the run brings back the tree. With two threads, the renames that
// happened need not be the first ones of the block.
TEST_F(RenameJournalTest, AKilledBlockOwesTheProtocolExactlyTheRenamesThatHappened)
{
    const auto [manyFolders, manyRows] = parentsThenChildren();
    const struct
    {
        const char* name;
        QStringList folders;
        QList<std::pair<QString, QString>> rows;
    } cases[] = {
        {"siblings", {"a", "b", "c", "d"}, {{"a", "a1"}, {"b", "b1"}, {"c", "c1"}, {"d", "d1"}}},
        {"deepest first", {"p", "p/c", "p/c/g", "q"}, {{"p/c/g", "g1"}, {"p/c", "c1"}, {"p", "p1"}, {"q", "q1"}}},
        {"parents first", {"p", "p/c", "q"}, {{"p", "p1"}, {"p/c", "c1"}, {"q", "q1"}}},
        {"three levels, parents first",
         {"p", "p/c", "p/c/g", "p/d", "q"},
         {{"p", "p1"}, {"p/c", "c1"}, {"p/d", "d1"}, {"p/c/g", "g1"}, {"q", "q1"}}},
        {"chain", {"a", "b"}, {{"b", "c"}, {"a", "b"}}},
        {"parents first, on two threads", manyFolders, manyRows},
    };
    for (const auto& c : cases) {
        const int step = c.rows.size() > 10 ? 5 : 1;
        for (int renames = 0; renames <= c.rows.size(); renames += step) {
            SCOPED_TRACE(std::string(c.name) + " after " + std::to_string(renames));
            QFile::remove(path(RenameProtocol::fileName()));
            TestTree fresh;
            build(fresh, c.folders);
            const QStringList before = snapshot(fresh);
            auto owned = std::make_unique<FaultInjectingFileSystem>();
            FaultInjectingFileSystem& fs = *owned;
            app.state().services.fileSystem = std::move(owned);
            fs.crashAfterRenames(renames);
            list.clear();
            for (const auto& [folder, newName] : c.rows)
                ASSERT_TRUE(list.append(entryFor(fresh, folder, newName)));
            static_cast<void>(CommitRenames(app.state(), list, kAllEntries));
            fs.restart();
            RenameJournal::recover(fs, app.state().settingsFolder);
            EXPECT_EQ(protocolLines().size(), renames);
            const UndoLastReport undo = UndoLastRun(app.state());
            EXPECT_TRUE(undo.failures.isEmpty()) << undo.failures.join('\n').toStdString();
            EXPECT_EQ(snapshot(fresh).join(' ').toStdString(), before.join(' ').toStdString());
        }
    }
}

// A block may hold a folder and the folders below it, planned under its new path. When the folder keeps
// its name, those below are planned again where they are; and after a crash, nothing below a folder that
// was not renamed is owed to the protocol, even where another folder's contents look renamed.
TEST_F(RenameJournalTest, FoldersBelowAFolderThatKeptItsNameAreNotTakenAsRenamed)
{
    for (const bool crash : {false, true}) {
        SCOPED_TRACE(crash ? "killed after the first rename" : "whole run");
        QFile::remove(path(RenameProtocol::fileName()));
        TestTree fresh;
        // "p1" is somebody else's folder that happens to hold "c1" and no "c".
        build(fresh, {"q", "p", "p/c", "p1", "p1/c1"});
        const QStringList before = snapshot(fresh);
        auto owned = std::make_unique<FaultInjectingFileSystem>();
        FaultInjectingFileSystem& fs = *owned;
        app.state().services.fileSystem = std::move(owned);
        if (crash)
            fs.crashAfterRenames(1);
        list.clear();
        for (const auto& [folder, newName] :
             QList<std::pair<QString, QString>>{{"q", "q1"}, {"p", "p1"}, {"p/c", "c1"}})
            ASSERT_TRUE(list.append(entryFor(fresh, folder, newName)));
        const CommitReport report = CommitRenames(app.state(), list, kAllEntries);
        fs.restart();
        RenameJournal::recover(fs, app.state().settingsFolder);
        const QString root = fresh.root() + QLatin1Char('/');
        QList<QByteArray> expected = {RenameProtocol::encodeLine("", root, "q", "q1")};
        if (!crash) {
            EXPECT_EQ(report.renamed, 2);
            EXPECT_EQ(report.failures.size(), 1); // p1 is taken
            EXPECT_TRUE(QFileInfo(fresh.path("p/c1")).isDir());
            expected.append(RenameProtocol::encodeLine("", root + "p/", "c", "c1"));
        }
        QList<QByteArray> lines = protocolLines();
        for (QByteArray& line : lines)
            line = line.mid(line.indexOf(RenameProtocol::kSeparator)); // without the time
        for (QByteArray& line : expected)
            line = line.mid(line.indexOf(RenameProtocol::kSeparator));
        EXPECT_EQ(lines, expected);
        const UndoLastReport undo = UndoLastRun(app.state());
        EXPECT_TRUE(undo.failures.isEmpty()) << undo.failures.join('\n').toStdString();
        EXPECT_EQ(snapshot(fresh).join(' ').toStdString(), before.join(' ').toStdString());
    }
}

// A protocol that cannot be written is counted rename by rename.
TEST_F(RenameJournalTest, RenamesTheProtocolMissesAreCounted)
{
    auto fs = std::make_unique<FaultInjectingFileSystem>();
    fs->fail(FaultInjectingFileSystem::Op::Append, path(RenameProtocol::fileName()));
    app.state().services.fileSystem = std::move(fs);
    tree.add("a/");
    tree.add("b/");
    const CommitReport report = take({{"a", "a1"}, {"b", "b1"}});
    EXPECT_EQ(report.renamed, 2);
    EXPECT_TRUE(report.protocolFailed);
    EXPECT_EQ(report.unrecorded, 2);
}

} // namespace
