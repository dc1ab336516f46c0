// Numbering and date naming over a large list, each a whole rename run, against the same run with a
// prefix: the bar is that of every rename function, well under a second for 100 000 entries.
#include "core/AppState.h"
#include "core/platform/PosixFileSystem.h"
#include "core/platform/SystemClock.h"
#include "core/preview/PreviewList.h"
#include "core/rename/DateTimeParams.h"
#include "core/rename/NumberingParams.h"
#include "core/rename/PrefixSuffixParams.h"
#include "core/rename/RenameRun.h"

#include <benchmark/benchmark.h>
#include <functional>

namespace {

constexpr int kEntries = 100000;

void runOverList(benchmark::State& state, const std::function<void(RenameRun&)>& function)
{
    AppState app;
    app.services.fileSystem = std::make_unique<PosixFileSystem>();
    app.services.clock = std::make_unique<SystemClock>();
    app.statusTexts = QStringList(10, QStringLiteral("Entry %1 of %2"));
    PreviewList list;
    for (int i = 0; i < kEntries; ++i) {
        FolderEntry e;
        e.parentPath = QStringLiteral("/archive/photos/");
        e.oldName = e.newName = QStringLiteral("Holiday %1.2004").arg(i);
        e.created = 1078480800 + qint64(i) * 3600;
        list.append(std::move(e));
    }
    for (auto _ : state) {
        state.PauseTiming();
        list.rejectProposals();
        state.ResumeTiming();
        RenameRun run(app, list, 0, [](const QString&) {});
        function(run);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}

void BM_ApplyPrefix(benchmark::State& state)
{
    runOverList(state, [](RenameRun& run) { applyPrefixSuffix(run, {QStringLiteral("01 "), QString()}); });
}
BENCHMARK(BM_ApplyPrefix)->Unit(benchmark::kMillisecond);

void BM_ApplyNumbering(benchmark::State& state)
{
    NumberingParams params;
    params.shuffle = state.range(0) != 0;
    params.addition.separator = QStringLiteral(" - ");
    runOverList(state, [&](RenameRun& run) { applyNumbering(run, params); });
}
BENCHMARK(BM_ApplyNumbering)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ApplyDateTime(benchmark::State& state)
{
    DateTimeParams params;
    params.format = QStringLiteral("yyyy-mm-dd hh-nn-ss");
    runOverList(state, [&](RenameRun& run) { applyDateTime(run, params); });
}
BENCHMARK(BM_ApplyDateTime)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
