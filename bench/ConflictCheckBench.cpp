// The conflict check after a refresh, over 100 000 entries in 50 parent folders on disk, against the
// refresh alone in the same run: with the folders' names cached (the usual case) and read afresh.
#include "BenchFolder.h"
#include "core/commit/DirectoryNames.h"
#include "core/commit/NameConflicts.h"
#include "core/platform/PosixFileSystem.h"
#include "core/preview/PreviewList.h"

#include <QDateTime>
#include <QDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kParents = 50;
constexpr int kPerParent = 2000;

// The fixture tree is made once and kept; a third of the entries get a new, free name.
QString fixture()
{
    const QString root = BenchFolder(QStringLiteral("/tmp/dirwright-conflict-bench")) + QStringLiteral("/tree/");
    for (int p = 0; p < kParents; ++p) {
        const QString parent = root + QStringLiteral("part %1/").arg(p);
        if (QDir(parent + QStringLiteral("Folder %1").arg(kPerParent - 1)).exists())
            continue;
        QDir().mkpath(parent);
        for (int i = 0; i < kPerParent; ++i)
            QDir().mkdir(parent + QStringLiteral("Folder %1").arg(i));
    }
    return root;
}

void fill(PreviewList& list, const QString& root)
{
    for (int p = 0; p < kParents; ++p) {
        const QString parent = root + QStringLiteral("part %1/").arg(p);
        for (int i = 0; i < kPerParent; ++i) {
            FolderEntry e;
            e.parentPath = parent;
            e.oldName = QStringLiteral("Folder %1").arg(i);
            e.newName = i % 3 == 0 ? QStringLiteral("Renamed %1").arg(i) : e.oldName;
            e.history.set(0, e.oldName);
            list.append(std::move(e));
        }
    }
}

// A new proposal on a third of the entries, as a rename function leaves it; not timed.
void propose(benchmark::State& state, PreviewList& list, int round)
{
    state.PauseTiming();
    const PreviewList::BulkEdit bulk(list);
    for (int row = 0; row < list.size(); row += 3)
        list.setNewName(row, QStringLiteral("Renamed %1 %2").arg(row).arg(round));
    state.ResumeTiming();
}

void BM_RefreshAlone(benchmark::State& state)
{
    PreviewList list;
    fill(list, fixture());
    int round = 0;
    for (auto _ : state) {
        propose(state, list, ++round);
        benchmark::DoNotOptimize(list.refreshEntries());
    }
}
BENCHMARK(BM_RefreshAlone)->Unit(benchmark::kMillisecond)->Iterations(10);

// The check on its own; Arg 1: every folder read afresh, 0: the cache of earlier checks.
void BM_ConflictCheck(benchmark::State& state)
{
    PosixFileSystem fs;
    PreviewList list;
    fill(list, fixture());
    list.refreshEntries();
    DirectoryNames names;
    const qint64 now = QDateTime::currentSecsSinceEpoch() + 2; // past the second the fixture was made
    int round = 0;
    for (auto _ : state) {
        propose(state, list, ++round);
        if (state.range(0) != 0)
            names.clear();
        const std::vector<NameConflict> conflicts = FindNameConflicts(list.entries(), fs, names, now);
        if (!conflicts.empty())
            state.SkipWithError("the fixture has no conflicts");
    }
}
BENCHMARK(BM_ConflictCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

// What the window does after every change: the refresh, then the check with the cache.
void BM_RefreshAndCheck(benchmark::State& state)
{
    PosixFileSystem fs;
    PreviewList list;
    fill(list, fixture());
    DirectoryNames names;
    const qint64 now = QDateTime::currentSecsSinceEpoch() + 2;
    int round = 0;
    for (auto _ : state) {
        propose(state, list, ++round);
        benchmark::DoNotOptimize(list.refreshEntries());
        benchmark::DoNotOptimize(FindNameConflicts(list.entries(), fs, names, now));
    }
}
BENCHMARK(BM_RefreshAndCheck)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
