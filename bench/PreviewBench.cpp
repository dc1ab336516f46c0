// Refresh and sorting of the preview list on 100 000 entries, against a plain std::sort of the same
// names in the same run as the baseline.
#include "core/preview/NaturalKeys.h"
#include "core/preview/PreviewList.h"
#include "core/preview/SortKey.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kEntries = 100000;

// Names like an archive of photo and music folders: words, numbers, mixed case, 500 parent folders.
void fill(PreviewList& list)
{
    std::mt19937 random(42);
    const QStringList words = {QStringLiteral("Holiday"), QStringLiteral("disc"),    QStringLiteral("Album"),
                               QStringLiteral("photos"),  QStringLiteral("Track"),   QStringLiteral("2024"),
                               QStringLiteral("Scan"),    QStringLiteral("project"), QStringLiteral("Ärger")};
    for (int i = 0; i < kEntries; ++i) {
        FolderEntry e;
        const QString parent = QStringLiteral("/archive/part %1/").arg(static_cast<int>(random() % 500));
        const QString name = words.at(static_cast<qsizetype>(random() % static_cast<unsigned>(words.size()))) +
                             QLatin1Char(' ') + QString::number(random() % 100000) + QStringLiteral(" #") +
                             QString::number(i);
        const qint64 size = static_cast<qint64>(random() % 100000000);
        e.parentPath = parent;
        e.oldName = name;
        e.newName = i % 3 == 0 ? name + QStringLiteral(" x") : name;
        e.created = QDateTime(QDate(2024, 1, 1 + i % 28), QTime(10, 0)).toSecsSinceEpoch();
        e.modified = e.created;
        e.size = size;
        e.history.reset(name);
        list.append(std::move(e));
    }
}

void BM_RefreshEngine(benchmark::State& state)
{
    PreviewList list;
    fill(list);
    list.setSortColumn(FolderEntry::ColOldName);
    int round = 0;
    for (auto _ : state) {
        // A new proposal on a third of the entries each round, as a rename function would leave it.
        state.PauseTiming();
        ++round;
        const PreviewList::BulkEdit bulk(list);
        for (int row = 0; row < list.size(); row += 3)
            list.setNewName(row, list.entry(row).oldName + QString::number(round));
        state.ResumeTiming();
        benchmark::DoNotOptimize(list.refreshEntries());
    }
}
BENCHMARK(BM_RefreshEngine)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SortByColumn(benchmark::State& state)
{
    PreviewList list;
    fill(list);
    const int header = static_cast<int>(state.range(0));
    bool descending = false;
    for (auto _ : state) {
        list.setSortOrder(descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        descending = !descending;
        list.SortPreview(header);
    }
}
BENCHMARK(BM_SortByColumn)->DenseRange(1, 6)->Unit(benchmark::kMillisecond)->Iterations(10);

// Times std::sort alone over copies of the keys.
template <typename Key> void timeSorts(benchmark::State& state, const std::vector<Key>& keys)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Key> copy = keys;
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
}

// Baseline: the old names sorted as plain strings, with nothing of the list's work around them.
void BM_BaselineStdSortOfNames(benchmark::State& state)
{
    PreviewList list;
    fill(list);
    std::vector<QString> names;
    for (const FolderEntry& e : list.entries())
        names.push_back(e.oldName);
    timeSorts(state, names);
}
BENCHMARK(BM_BaselineStdSortOfNames)->Unit(benchmark::kMillisecond)->Iterations(10);

// Baseline: a bare sort of precomputed natural keys, as the shown sort key column spells them (numbers
// padded, case folded); building the keys is not timed.
void BM_BaselineSortOfPrecomputedKeys(benchmark::State& state)
{
    PreviewList list;
    fill(list);
    std::vector<QString> keys;
    for (const FolderEntry& e : list.entries())
        keys.push_back(BuildSortKey(e.oldName).toCaseFolded());
    timeSorts(state, keys);
}
BENCHMARK(BM_BaselineSortOfPrecomputedKeys)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same baseline with the compact keys the list sorts by, precomputed.
void BM_BaselineSortOfPrecomputedCompactKeys(benchmark::State& state)
{
    PreviewList list;
    fill(list);
    NaturalKeys built;
    for (const FolderEntry& e : list.entries())
        built.append(e.oldName);
    std::vector<std::string_view> keys;
    for (size_t i = 0; i < built.size(); ++i)
        keys.push_back(built.at(i));
    timeSorts(state, keys);
}
BENCHMARK(BM_BaselineSortOfPrecomputedCompactKeys)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
