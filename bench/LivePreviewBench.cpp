// The live preview while a user types into the prefix field with 100 000 entries listed, the view at the
// top, the middle and the end of the list (the argument, in percent): one keystroke recomputes the names
// of the rows in view, visiting the rows above them for functions that count. The baseline in the same
// run is the same function over the whole list. Last, the same window with a million rows.
#include "core/AppState.h"
#include "core/preview/PreviewList.h"
#include "core/rename/PrefixSuffixParams.h"
#include "core/rename/RenameRun.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/MessageBoxPrompter.h"
#include "gui/rename/LivePreview.h"
#include "gui/rename/PrefixSuffixDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

constexpr int kEntries = 100000;

struct Window
{
    explicit Window(int count = kEntries)
    {
        std::vector<FolderEntry> entries;
        entries.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            FolderEntry e;
            e.parentPath = QStringLiteral("/archive/part %1/").arg(i % 500);
            e.oldName = e.newName = QStringLiteral("Holiday %1.photos").arg(i);
            e.history.set(0, e.oldName);
            entries.push_back(std::move(e));
        }
        list.appendBatch(std::move(entries));
        view.setModel(&list);
        view.resize(1000, 700);
        view.show();
    }

    AppState state;
    MessageBoxPrompter prompter;
    WindowSession session{prompter};
    PreviewList list;
    QTableView view;
};

QString typed(int keystroke)
{
    return QStringLiteral("2024-").left(1 + keystroke % 5);
}

void BM_PreviewPerKeystroke(benchmark::State& state)
{
    Window window;
    window.view.scrollTo(window.list.index(static_cast<int>(state.range(0) * (kEntries - 1) / 100), 0));
    PrefixSuffixDialog dialog({window.state, window.session, window.list, 0, QString(), QString(), {}, {}});
    const LivePreview preview(dialog, window.list, window.view);
    auto* prefix = dialog.findChild<QLineEdit*>(QStringLiteral("txtPr"));
    int keystroke = 0;
    for (auto _ : state)
        prefix->setText(typed(++keystroke));
    state.counters["rows"] = window.view.rowAt(window.view.viewport()->height() - 1) - window.view.rowAt(0) + 1;
}
BENCHMARK(BM_PreviewPerKeystroke)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

// Baseline: the function over every entry, without the refresh that Apply adds.
void BM_BaselineWholeList(benchmark::State& state)
{
    Window window;
    int keystroke = 0;
    for (auto _ : state) {
        RenameRun run(window.state, window.list, 0);
        applyPrefixSuffix(run, {typed(++keystroke), QString()});
    }
}
BENCHMARK(BM_BaselineWholeList)->Unit(benchmark::kMillisecond)->Iterations(10);

// The window with a million rows: a prefix over every entry, then the refresh that shows it, then a jump
// to the middle of the list and a repaint, each timed on its own.
void BM_MillionRowsPrefixRefreshScroll(benchmark::State& state)
{
    Window window(static_cast<int>(state.range(0)));
    QElapsedTimer timer;
    double prefix = 0;
    double refresh = 0;
    double scroll = 0;
    int keystroke = 0;
    for (auto _ : state) {
        timer.start();
        {
            RenameRun run(window.state, window.list, 0);
            applyPrefixSuffix(run, {typed(++keystroke), QString()});
        }
        prefix += static_cast<double>(timer.nsecsElapsed()) / 1e6;
        timer.start();
        benchmark::DoNotOptimize(window.list.refreshEntries());
        refresh += static_cast<double>(timer.nsecsElapsed()) / 1e6;
        timer.start();
        window.view.scrollTo(window.list.index(window.list.size() / 2 + keystroke, 0));
        window.view.viewport()->repaint();
        scroll += static_cast<double>(timer.nsecsElapsed()) / 1e6;
    }
    const auto rounds = static_cast<double>(state.iterations());
    state.counters["prefix_ms"] = prefix / rounds;
    state.counters["refresh_ms"] = refresh / rounds;
    state.counters["scroll_ms"] = scroll / rounds;
}
BENCHMARK(BM_MillionRowsPrefixRefreshScroll)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
