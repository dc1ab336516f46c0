// The name-structure evaluator over a large list, against copying the names, and ReplaceText on a large
// text, against Qt's own replace; ReplaceText runs on two sizes so the fit shows it linear.
#include "core/AppState.h"
#include "core/platform/PosixFileSystem.h"
#include "core/preview/PreviewList.h"
#include "core/rename/NameStructure.h"
#include "core/rename/RenameRun.h"
#include "core/rename/ReplaceText.h"

#include <QLocale>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kEntries = 100000;
const QString kStructure = QStringLiteral("<1C><NAME_L(find(-,1,-1))></1C> <NAME_R(4)><.EXT>");

std::vector<FolderEntry> makeEntries()
{
    std::vector<FolderEntry> entries(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        FolderEntry& e = entries[static_cast<size_t>(i)];
        const QString name = QStringLiteral("SUMMER holiday-%1 trip.2004").arg(i);
        e.parentPath = QStringLiteral("/archive/photos/");
        e.oldName = name;
        e.newName = name;
    }
    return entries;
}

void BM_CopyNames(benchmark::State& state)
{
    const std::vector<FolderEntry> entries = makeEntries();
    std::vector<QString> out(entries.size());
    for (auto _ : state) {
        for (size_t i = 0; i < entries.size(); ++i)
            out[i] = QString(entries[i].newName.constData(), entries[i].newName.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_CopyNames)->Unit(benchmark::kMillisecond);

void BM_EvaluateStructure(benchmark::State& state)
{
    const std::vector<FolderEntry> entries = makeEntries();
    const PosixFileSystem fs;
    const QLocale locale = QLocale::system();
    std::vector<QString> out(entries.size());
    for (auto _ : state) {
        for (size_t i = 0; i < entries.size(); ++i)
            out[i] = EvaluateStructure(entries[i], kStructure, fs, locale);
        benchmark::DoNotOptimize(out.data());
    }
    if (out[7] != QStringLiteral("Summer holiday trip.2004"))
        state.SkipWithError("unexpected result");
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_EvaluateStructure)->Unit(benchmark::kMillisecond);

// The whole rename run: selection snapshot, progress texts, evaluation and one change notification.
void BM_ApplyStructure(benchmark::State& state)
{
    AppState app;
    app.services.fileSystem = std::make_unique<PosixFileSystem>();
    app.statusTexts = QStringList(10, QStringLiteral("Entry %1 of %2"));
    PreviewList list;
    for (FolderEntry& e : makeEntries())
        list.append(std::move(e));
    int statusTexts = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.rejectProposals();
        state.ResumeTiming();
        RenameRun run(app, list, 0, [&](const QString&) { ++statusTexts; });
        ApplyStructure(run, kStructure);
    }
    benchmark::DoNotOptimize(statusTexts);
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ApplyStructure)->Unit(benchmark::kMillisecond);

// A text of n characters with a match every ten characters.
QString makeText(qsizetype n)
{
    QString text;
    text.reserve(n);
    while (text.size() + 10 <= n)
        text += QStringLiteral("ab-Cd_efg ");
    return text;
}

void BM_QtReplace(benchmark::State& state)
{
    const QString text = makeText(state.range(0));
    for (auto _ : state) {
        QString copy = text;
        copy.replace(QStringLiteral("cd_"), QStringLiteral("CD-X"), Qt::CaseInsensitive);
        benchmark::DoNotOptimize(copy.constData());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_QtReplace)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_ReplaceText(benchmark::State& state)
{
    const QString text = makeText(state.range(0));
    for (auto _ : state) {
        const QString result = ReplaceText(text, QStringLiteral("cd_"), QStringLiteral("CD-X"), 1, kReplaceAll, true);
        benchmark::DoNotOptimize(result.constData());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReplaceText)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_ReplaceTextExactCase(benchmark::State& state)
{
    const QString text = makeText(state.range(0));
    for (auto _ : state) {
        const QString result = ReplaceText(text, QStringLiteral("Cd_"), QStringLiteral("CD-X"));
        benchmark::DoNotOptimize(result.constData());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReplaceTextExactCase)
    ->Arg(1 << 20)
    ->Arg(2 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A search text that almost matches everywhere: the worst case of naive searching.
void BM_ReplaceTextAdversarial(benchmark::State& state)
{
    const QString text(state.range(0), u'a');
    const QString find = QString(1000, u'a') + u'b';
    for (auto _ : state) {
        const QString result = ReplaceText(text, find, QStringLiteral("x"));
        benchmark::DoNotOptimize(result.constData());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReplaceTextAdversarial)
    ->Arg(1 << 20)
    ->Arg(2 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
