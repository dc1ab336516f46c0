#include "core/commit/BlockRenamer.h"

#include "core/platform/WorkerThread.h"
#include "support/TestTree.h"
#include "support/WatchedFileSystem.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <span>
#include <thread>

namespace {

struct Tree
{
    TestTree tree;
    std::vector<RenameBlock::Rename> renames;

    // A rename of the folder that will stand at `standing` (relative to the root) to `newName`.
    void add(const QString& standing, const QString& newName, int after = -1)
    {
        const QString parentPath = tree.key(standing.section(QLatin1Char('/'), 0, -2));
        RenameBlock::Rename r;
        r.row = static_cast<int>(renames.size());
        r.position = renames.size();
        r.parentPath = parentPath;
        r.oldPath = parentPath + standing.section(QLatin1Char('/'), -1) + QLatin1Char('/');
        r.newPath = parentPath + newName + QLatin1Char('/');
        r.after = after;
        renames.push_back(std::move(r));
    }
};

// Time enough for a slow machine to run a test block whole.
constexpr qint64 kNoHurry = 60000;

// Runs the whole block on the workers and waits until it has finished; every rename has an outcome then.
std::unique_ptr<BlockRenamer> runBlock(FileSystem& fs, const Tree& t, std::span<WorkerThread> workers)
{
    QElapsedTimer since;
    since.start();
    auto renamer = std::make_unique<BlockRenamer>(fs, t.renames, t.renames.size(), since, workers, kNoHurry);
    BlockRenamer::Progress p;
    while (!p.finished)
        p = renamer->waitPast(p.ready);
    renamer->finish();
    EXPECT_EQ(p.ready, t.renames.size());
    return renamer;
}

// The renames of a block in many folders are shared out among two threads, a few folders at a time; the
// renames of each folder stay on one thread, in their order, also where two folders take turns in the list.
TEST(BlockRenamer, FoldersShareTwoThreadsAndEachFolderKeepsItsOrderOnOne)
{
    for (const bool turns : {false, true}) {
        SCOPED_TRACE(turns ? "two folders at a time take turns" : "each folder in one run");
        Tree t;
        const auto name = [](const char* prefix, int n) {
            return QLatin1String(prefix) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        };
        for (int pair = 0; pair < 6; ++pair) {
            for (int child = 0; child < 40; ++child) {
                const int folder = 2 * pair + (turns ? child % 2 : child / 20);
                const int index = turns ? child / 2 : child % 20;
                const QString path = name("d", folder) + QLatin1Char('/') + name("s", index);
                t.tree.add(path + QLatin1Char('/'));
                t.add(path, name("t", index));
            }
        }
        WatchedFileSystem fs(true);
        WorkerThread workers[2];
        const std::unique_ptr<BlockRenamer> renamer = runBlock(fs, t, workers);

        EXPECT_TRUE(renamer->renamedAll());
        for (size_t i = 0; i < t.renames.size(); ++i)
            EXPECT_EQ(renamer->outcome(i), BlockRenamer::Outcome::Renamed) << i;
        std::map<QString, std::thread::id> threadOf;
        std::map<QString, QString> lastIn;
        std::set<std::thread::id> threads;
        for (const auto& [thread, oldPath] : fs.done()) {
            const QString folder = oldPath.section(QLatin1Char('/'), 0, -3);
            threads.insert(thread);
            const auto [known, fresh] = threadOf.emplace(folder, thread);
            EXPECT_EQ(known->second, thread) << folder.toStdString();
            EXPECT_LT(lastIn[folder], oldPath) << oldPath.toStdString();
            lastIn[folder] = oldPath;
        }
        EXPECT_EQ(threads.size(), 2u);
        for (int folder = 0; folder < 12; ++folder)
            EXPECT_EQ(t.tree.folders(name("d", folder)).size(), 20);
    }
}

// Children renamed under the new name of a parent renamed earlier in the block wait for it, also when the
// other thread has it. When it fails, they do not run and the block stops: whatever did not run has that
// outcome once the block is finished, and nothing is left without one.
TEST(BlockRenamer, ARenameWaitsForItsParentOnEitherThreadAndStopsWhenItFailed)
{
    const struct
    {
        const char* row;
        int failingParent; // -1: none
    } cases[] = {{"every parent renamed", -1},
                 {"a parent whose children this thread takes fails", 1},
                 {"a parent whose children the other thread takes fails", 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        // The first share: P0 to P9 and the children of Q0 to Q3; the second begins with Z's own renames,
        // so that its thread meets the first before it waits for a parent.
        Tree t;
        for (int parent = 0; parent < 10; ++parent) {
            const QString name = QStringLiteral("P%1").arg(parent);
            for (int child = 0; child < 6; ++child) {
                t.tree.add(name + QStringLiteral("/c%1/").arg(child));
                t.tree.add(QStringLiteral("Z/z%1/").arg(child));
            }
            t.add(name, QStringLiteral("Q%1").arg(parent));
        }
        const auto addChildren = [&](int from, int to) {
            for (int parent = from; parent < to; ++parent) {
                for (int child = 0; child < 6; ++child)
                    t.add(QStringLiteral("Q%1/c%2").arg(parent).arg(child), QStringLiteral("d%1").arg(child), parent);
            }
        };
        addChildren(0, 4);
        const size_t secondShare = t.renames.size();
        for (int child = 0; child < 6; ++child)
            t.add(QStringLiteral("Z/z%1").arg(child), QStringLiteral("y%1").arg(child));
        addChildren(4, 10);
        WatchedFileSystem fs(true);
        if (c.failingParent >= 0)
            fs.fail(FaultInjectingFileSystem::Op::Rename, t.tree.path(QStringLiteral("P%1").arg(c.failingParent)));
        WorkerThread workers[2];
        const std::unique_ptr<BlockRenamer> renamer = runBlock(fs, t, workers);

        EXPECT_EQ(renamer->renamedAll(), c.failingParent < 0);
        std::map<QString, std::thread::id> threadOf;
        for (const auto& [thread, oldPath] : fs.done())
            threadOf[oldPath] = thread;
        EXPECT_NE(threadOf[t.renames.front().oldPath], threadOf[t.renames[secondShare].oldPath]);
        for (size_t i = 0; i < t.renames.size(); ++i) {
            const RenameBlock::Rename& r = t.renames[i];
            const BlockRenamer::Outcome outcome = renamer->outcome(i);
            const bool failing = static_cast<int>(i) == c.failingParent;
            SCOPED_TRACE(r.oldPath.toStdString());
            ASSERT_NE(outcome, BlockRenamer::Outcome::Pending);
            if (failing) {
                EXPECT_EQ(outcome, BlockRenamer::Outcome::Failed);
            } else if (c.failingParent < 0) {
                EXPECT_EQ(outcome, BlockRenamer::Outcome::Renamed);
            } else if (r.after == c.failingParent) {
                EXPECT_EQ(outcome, BlockRenamer::Outcome::NotRun);
            } else {
                EXPECT_NE(outcome, BlockRenamer::Outcome::Failed);
            }
            // What the outcome says is what the disk shows.
            const bool renamed = outcome == BlockRenamer::Outcome::Renamed;
            EXPECT_EQ(fs.folderExists(r.newPath), renamed);
            if (r.after < 0 || renamer->outcome(static_cast<size_t>(r.after)) == BlockRenamer::Outcome::Renamed) {
                EXPECT_EQ(fs.folderExists(r.oldPath), !renamed);
            }
        }
    }
}

} // namespace
