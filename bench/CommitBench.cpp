// Taking changes against the bare rename system calls it is made of, on real folders.
//
// The fixture trees live in $DIRWRIGHT_BENCH_DIR (default /tmp/dirwright-bench-commit) and are kept between
// runs: mass deletes leave this kind of file system slow for minutes. Each iteration renames every folder
// to the other of its two names ("name" and "name-r"), so the trees never need rebuilding; the list of an
// iteration is read from the disk, so an interrupted run leaves nothing to repair.
//
//   Baseline/N        renameat2(RENAME_NOREPLACE) of N sibling folders, paths prepared beforehand
//   BaselineWithStat/N  the same with the look at the source that the file-system service makes first
//   Siblings/N        CommitRenames over a list of N changed sibling folders (protocol off, then on)
//   NestedBaseline/N  renameat2 of the same tree's folders, deepest first, paths prepared beforehand
//   Nested/N          CommitRenames over a three-level tree of about N folders, every folder renamed,
//                     listed parents first, so each parent's rename moves the paths of everything below it

#include "BenchFolder.h"
#include "core/AppState.h"
#include "core/commit/CommitRenames.h"
#include "core/platform/PosixFileSystem.h"
#include "core/platform/SystemClock.h"
#include "core/preview/PreviewList.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace {

const QString kSuffix = QStringLiteral("-r");

QString benchRoot()
{
    return BenchFolder(QStringLiteral("/tmp/dirwright-bench-commit"));
}

QString toggled(const QString& name)
{
    return name.endsWith(kSuffix) ? name.chopped(kSuffix.size()) : name + kSuffix;
}

// Creates the tree once: `levels` levels of `fanOut` folders each. A marker file says it is complete.
QString fixture(const QString& name, int fanOut, int levels)
{
    const QString root = benchRoot() + QLatin1Char('/') + name;
    const QString marker = root + QStringLiteral("/.complete");
    if (QFile::exists(marker))
        return root;
    QDir().mkpath(root);
    std::vector<QString> level{root};
    for (int depth = 0; depth < levels; ++depth) {
        std::vector<QString> next;
        for (const QString& parent : level) {
            for (int i = 0; i < fanOut; ++i) {
                const QString path = parent + QStringLiteral("/n%1").arg(i, 6, 10, QLatin1Char('0'));
                QDir().mkdir(path);
                next.push_back(path);
            }
        }
        level = std::move(next);
    }
    QFile file(marker);
    file.open(QIODevice::WriteOnly);
    return root;
}

// Every folder below root as a changed entry (its other name proposed), parents before their children.
void listTree(const FileSystem& fs, const QString& folder, std::vector<FolderEntry>& out)
{
    const QString parent = folder + QLatin1Char('/');
    for (const SubfolderInfo& sub : fs.listSubfolders(folder)) {
        FolderEntry e;
        e.parentPath = parent;
        e.oldName = sub.name;
        e.newName = toggled(sub.name);
        e.history.set(0, e.newName);
        e.history.set(1, sub.name);
        out.push_back(std::move(e));
        listTree(fs, sub.pathIn(folder), out);
    }
}

struct BenchApp
{
    BenchApp()
    {
        state.services.fileSystem = std::make_unique<PosixFileSystem>();
        state.services.clock = std::make_unique<SystemClock>();
        state.settingsFolder = benchRoot() + QStringLiteral("/settings/");
        QDir().mkpath(state.settingsFolder);
    }
    AppState state;
};

// The bare no-replace renames of the sibling folders; with withStat also what the file-system service does
// per rename besides the rename itself: it looks at the source first.
void renameSiblings(benchmark::State& bench, bool withStat)
{
    const int n = static_cast<int>(bench.range(0));
    const QString root = fixture(QStringLiteral("siblings-%1").arg(n), n, 1);
    PosixFileSystem fs;
    for (auto _ : bench) {
        bench.PauseTiming();
        std::vector<std::pair<QByteArray, QByteArray>> paths;
        paths.reserve(static_cast<size_t>(n));
        for (const SubfolderInfo& sub : fs.listSubfolders(root))
            paths.emplace_back(QFile::encodeName(sub.pathIn(root)),
                               QFile::encodeName(root + QLatin1Char('/') + toggled(sub.name)));
        bench.ResumeTiming();
        for (const auto& [from, to] : paths) {
            struct stat st;
            if ((withStat && lstat(from.constData(), &st) != 0) ||
                renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) != 0)
                bench.SkipWithError("rename failed");
        }
    }
    bench.SetItemsProcessed(bench.iterations() * n);
}

void Baseline(benchmark::State& bench)
{
    renameSiblings(bench, false);
}

void BaselineWithStat(benchmark::State& bench)
{
    renameSiblings(bench, true);
}

void commitTree(benchmark::State& bench, const QString& root, bool protocol)
{
    BenchApp app;
    app.state.settings.setFlag(Settings::Key::ProtocolRenames, protocol);
    for (auto _ : bench) {
        bench.PauseTiming();
        QFile::remove(app.state.settingsFolder + QStringLiteral("renamed.vlp"));
        std::vector<FolderEntry> entries;
        listTree(app.state.fs(), root, entries);
        PreviewList list;
        for (FolderEntry& e : entries)
            list.append(std::move(e));
        bench.ResumeTiming();
        const CommitReport report = CommitRenames(app.state, list, kAllEntries);
        if (!report.failures.isEmpty() || report.renamed != list.size())
            bench.SkipWithError("a rename failed");
        bench.PauseTiming();
        bench.counters["folders"] = list.size();
        bench.ResumeTiming();
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(bench.counters["folders"].value));
}

// The bare renames of the nested tree: deepest folders first, so that every path stays valid.
void NestedBaseline(benchmark::State& bench)
{
    const int fanOut = static_cast<int>(std::lround(std::cbrt(static_cast<double>(bench.range(0)))));
    const QString root = fixture(QStringLiteral("nested-%1").arg(fanOut), fanOut, 3);
    PosixFileSystem fs;
    for (auto _ : bench) {
        bench.PauseTiming();
        std::vector<FolderEntry> entries;
        listTree(fs, root, entries);
        std::stable_sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
            return a.parentPath.count(QLatin1Char('/')) > b.parentPath.count(QLatin1Char('/'));
        });
        std::vector<std::pair<QByteArray, QByteArray>> paths;
        paths.reserve(entries.size());
        for (const FolderEntry& e : entries)
            paths.emplace_back(QFile::encodeName(e.currentPath()), QFile::encodeName(e.proposedPath()));
        bench.counters["folders"] = static_cast<double>(paths.size());
        bench.ResumeTiming();
        for (const auto& [from, to] : paths) {
            if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) != 0)
                bench.SkipWithError("rename failed");
        }
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(bench.counters["folders"].value));
}

void Siblings(benchmark::State& bench)
{
    const int n = static_cast<int>(bench.range(0));
    commitTree(bench, fixture(QStringLiteral("siblings-%1").arg(n), n, 1), bench.range(1) != 0);
}

void Nested(benchmark::State& bench)
{
    // Three levels of f folders: f + f² + f³ ≈ N.
    const int fanOut = static_cast<int>(std::lround(std::cbrt(static_cast<double>(bench.range(0)))));
    commitTree(bench, fixture(QStringLiteral("nested-%1").arg(fanOut), fanOut, 3), bench.range(1) != 0);
}

} // namespace

BENCHMARK(Baseline)->Arg(50000)->Arg(100000)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BaselineWithStat)->Arg(50000)->Arg(100000)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Siblings)
    ->ArgsProduct({{50000, 100000}, {0, 1}})
    ->ArgNames({"n", "protocol"})
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(NestedBaseline)->Arg(50000)->Arg(100000)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Nested)
    ->ArgsProduct({{50000, 100000}, {0, 1}})
    ->ArgNames({"n", "protocol"})
    ->Iterations(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_MAIN();
