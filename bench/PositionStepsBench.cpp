// Insert, replace, trim and move as script steps over a large list, against a step that only sets each
// name to itself (the cost of the run's frame: selection snapshot, progress texts, one notification).
#include "core/AppState.h"
#include "core/platform/PosixFileSystem.h"
#include "core/preview/PreviewList.h"
#include "core/rename/RenameRun.h"
#include "core/rename/RenameSteps.h"
#include "core/script/DialogValues.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 100000;

DialogValues values(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    DialogValues v;
    for (const auto& [key, value] : pairs)
        v.set(QLatin1String(key), QLatin1String(value));
    return v;
}

// Each step by its type and stored values; the first changes no name.
const std::pair<int, DialogValues>& step(int n)
{
    static const std::pair<int, DialogValues> steps[] = {
        {6, values({{"txtToRep", "#"}, {"txtRepBy", "+"}})},
        {6, values({{"txtToRep", "-"}, {"txtRepBy", "_"}})},
        {6, values({{"chkRegExp", "1"}, {"txtToRep", "(\\w+)-(\\d+)"}, {"txtRepBy", "$2-$1"}})},
        {6, values({{"optFollowingChr", "-1"}, {"cmbRemove", "2"}, {"optRemove", "-1"}})},
        {7, values({{"opt1(2)", "-1"}, {"lstBeforeAfter", "0,2"}, {"chkOnlyOnce", "1"}, {"txtIns", "_"}})},
        {7, values({{"txtPos", "3"}, {"txtIns", "x"}, {"chkIntChr", "1"}})},
        {10, values({{"opt1(3)", "-1"}, {"txtFrom", "2"}, {"txtTo", "9"}})},
        {8, values({{"txtFrom", "1"}, {"txtTo", "3"}, {"txtPos", "4"}, {"chkAdd2All", "1"}})},
    };
    return steps[n];
}

void BM_Step(benchmark::State& state)
{
    AppState app;
    app.services.fileSystem = std::make_unique<PosixFileSystem>();
    app.statusTexts = QStringList(10, QStringLiteral("Entry %1 of %2"));
    PreviewList list;
    for (int i = 0; i < kEntries; ++i) {
        FolderEntry e;
        e.parentPath = QStringLiteral("/archive/photos/");
        e.oldName = e.newName = QStringLiteral("SUMMER holiday-%1 trip.2004").arg(i);
        list.append(std::move(e));
    }
    const auto& [type, stored] = step(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        list.rejectProposals();
        state.ResumeTiming();
        RenameRun run(app, list, 0, [](const QString&) {});
        RenameSteps::run(type, stored, run);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_Step)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
