// New names from a 10 000-row CSV file applied to 10 000 entries, against reading the file alone in the
// same run: matching goes through a hash of the rows, so applying costs about as much as reading.
#include "core/platform/PosixFileSystem.h"
#include "core/preview/PreviewList.h"
#include "core/rename/CsvFile.h"
#include "core/rename/CsvNamesParams.h"
#include "core/rename/CsvText.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 10000;

struct Fixture
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("names.csv"));
    PosixFileSystem fs;

    Fixture()
    {
        QByteArray text = "Old name;New name;Year\r\n";
        for (int i = 0; i < kRows; ++i)
            text += QStringLiteral("Holiday %1;Trip %1;%2\r\n").arg(i).arg(2000 + i % 25).toUtf8();
        (void)fs.writeFileAtomic(path, text);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_ReadCsvFile(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        const CsvFile file = CsvFile::read(f.fs, f.path);
        benchmark::DoNotOptimize(file.lines().size());
    }
}
BENCHMARK(BM_ReadCsvFile)->Unit(benchmark::kMillisecond);

void BM_ReadAndApplyCsvNames(benchmark::State& state)
{
    Fixture& f = fixture();
    PreviewList list;
    for (int i = 0; i < kRows; ++i) {
        FolderEntry e;
        e.parentPath = QStringLiteral("/archive/photos/");
        // Reversed, so that no entry finds its row by position.
        e.oldName = e.newName = QStringLiteral("HOLIDAY %1").arg(kRows - 1 - i);
        list.append(std::move(e));
    }
    CsvNamesParams params;
    params.matchColumn = 0;
    params.tokenColumns = {1, 2, -1, -1};
    params.structure = QStringLiteral("<F2> <F1>");
    for (auto _ : state) {
        state.PauseTiming();
        list.rejectProposals();
        state.ResumeTiming();
        const CsvFile file = CsvFile::read(f.fs, f.path);
        params.separator = DetectSeparator(file.lines());
        int matched = 0;
        const CsvNamesProblem problem = applyCsvNames(list, file.lines(), params, &matched);
        if (!problem.ok() || matched != kRows)
            state.SkipWithError("not every entry matched");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ReadAndApplyCsvNames)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
