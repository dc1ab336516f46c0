// Taking every folder of a large tree in the open dialog (all subfolders, then the name filters) should
// cost about one walk of the tree. This compares that step with a plain breadth-first walk of the same
// tree in the same run, and the listing of one folder of 20 000 subfolders with a plain read of it.
//
// The trees are made once in $DIRWRIGHT_BENCH_DIR (default /tmp/dirwright-bench-open) and kept: mass
// deletes slow this file system down for minutes.

#include "BenchFolder.h"
#include "core/load/FolderExpansion.h"
#include "core/load/OpenLocations.h"
#include "core/load/PowerFilterList.h"
#include "core/platform/PosixFileSystem.h"
#include "core/settings/IniDocument.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int kFanOut = 10;
constexpr int kDepth = 5;
constexpr int kWide = 20000;

QString benchFolder()
{
    return BenchFolder(QStringLiteral("/tmp/dirwright-bench-open"));
}

// Child names vary so that the filters have something to decide: "Photo 3", "2004.backup", "misc 5" …
QString childName(int i)
{
    switch (i % 3) {
    case 0:
        return QStringLiteral("Photo %1").arg(i);
    case 1:
        return QStringLiteral("200%1.backup").arg(i);
    default:
        return QStringLiteral("misc %1").arg(i);
    }
}

void makeLevel(const QString& folder, int depth)
{
    if (depth == 0)
        return;
    QDir dir(folder);
    for (int i = 0; i < kFanOut; ++i) {
        const QString child = folder + u'/' + childName(i);
        dir.mkdir(childName(i));
        makeLevel(child, depth - 1);
    }
}

// The tree root, made on first use; a marker file says the tree is complete.
QString treeRoot()
{
    const QString root = benchFolder() + QStringLiteral("/tree");
    const QString marker = benchFolder() + QStringLiteral("/tree.done");
    if (!QFile::exists(marker)) {
        std::fprintf(stderr, "making the %d-level tree in %s (once)\n", kDepth, qPrintable(root));
        QDir().mkpath(root);
        makeLevel(root, kDepth);
        QFile(marker).open(QIODevice::WriteOnly);
    }
    return root + u'/';
}

QString wideFolder()
{
    const QString root = benchFolder() + QStringLiteral("/wide");
    const QString marker = benchFolder() + QStringLiteral("/wide.done");
    if (!QFile::exists(marker)) {
        QDir().mkpath(root);
        QDir dir(root);
        for (int i = 0; i < kWide; ++i)
            dir.mkdir(QStringLiteral("Folder %1").arg(i));
        QFile(marker).open(QIODevice::WriteOnly);
    }
    return root + u'/';
}

PowerFilterList benchFilters()
{
    return PowerFilterList::load(
        IniDocument::fromText(QStringLiteral("[PowerFilter]\nf1=0*\nf2=1Photo*\nf3=1####\nf4=1[!a-z]*\n")));
}

QStringList plainWalk(const FileSystem& fs, const QString& root)
{
    QStringList work{root};
    for (qsizetype next = 0; next < work.size(); ++next) {
        const QList<SubfolderInfo> children = fs.listSubfolders(work.at(next));
        for (const SubfolderInfo& child : children)
            work.append(child.pathIn(work.at(next)) + u'/');
    }
    return work;
}

// The baseline: a breadth-first walk collecting every folder path, nothing else.
void PlainWalk(benchmark::State& state)
{
    const QString root = treeRoot();
    PosixFileSystem fs;
    for (auto _ : state) {
        const QStringList all = plainWalk(fs, root);
        benchmark::DoNotOptimize(all);
        state.counters["folders"] = double(all.size());
    }
}
BENCHMARK(PlainWalk)->Unit(benchmark::kMillisecond)->Iterations(5);

// What OK does with "all subfolders": expand in name order without repeats, then filter base names.
void ExpandAndFilter(benchmark::State& state)
{
    const QString root = treeRoot();
    PosixFileSystem fs;
    const PowerFilterList filters = benchFilters();
    const MountPoints mounts = MountPoints::current();
    for (auto _ : state) {
        const QStringList pending = FolderExpansion::pendingFolders(fs, {root}, true, filters, mounts);
        benchmark::DoNotOptimize(pending);
        state.counters["folders"] = double(pending.size());
    }
}
BENCHMARK(ExpandAndFilter)->Unit(benchmark::kMillisecond)->Iterations(5);

// The filter step alone over the expanded list.
void FilterOnly(benchmark::State& state)
{
    PosixFileSystem fs;
    const QStringList all = FolderExpansion::expand(fs, {treeRoot()}, true, MountPoints::current());
    const PowerFilterList filters = benchFilters();
    for (auto _ : state) {
        const QStringList pending = FolderExpansion::filter(all, filters);
        benchmark::DoNotOptimize(pending);
    }
}
BENCHMARK(FilterOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

// Reading a folder of 20 000 subfolders: plain, and as the dialog lists it (sorted, with keys).
void WideRead(benchmark::State& state)
{
    const QString folder = wideFolder();
    PosixFileSystem fs;
    for (auto _ : state)
        benchmark::DoNotOptimize(fs.listSubfolders(folder));
}
BENCHMARK(WideRead)->Unit(benchmark::kMillisecond)->Iterations(10);

void WideListing(benchmark::State& state)
{
    const QString folder = wideFolder();
    PosixFileSystem fs;
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenLocations::listEntries(fs, folder, {}, false, {}));
}
BENCHMARK(WideListing)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // One walk first, so that neither contender pays for a cold directory cache.
    PosixFileSystem fs;
    plainWalk(fs, treeRoot());
    fs.listSubfolders(wideFolder());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
