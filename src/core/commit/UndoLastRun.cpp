#include "core/commit/UndoLastRun.h"

#include "core/AppState.h"
#include "core/commit/RenameFailure.h"
#include "core/commit/RenameHistory.h"
#include "core/commit/RenameJournal.h"

#include <QHash>

UndoLastReport UndoLastRun(AppState& state)
{
    UndoLastReport report;
    // Holding the record keeps another run from starting until this one is done.
    const std::unique_ptr<RenameJournal> journal = RenameJournal::openLatest(state.fs(), state.settingsFolder);
    if (!journal) {
        report.failures.append(state.message(QStringLiteral("msgHistoryNotSaved"),
                                             {Quoted(state.settingsFolder + RenameJournal::fileName())}));
        return report;
    }
    RenameHistory history;
    history.LoadHistory(state);
    // A line may stand in the protocol more than once; the run's own copy is the latest one.
    QHash<QByteArray, QList<int>> rowsOf;
    for (int r = 0; r < history.size(); ++r)
        rowsOf[history.row(r).line.stored].append(r);
    const QList<QByteArray> lines = journal->latestRunLines();
    std::vector<int> order;
    QList<QByteArray> ordered;
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        QList<int>& rows = rowsOf[lines.at(i)];
        if (rows.isEmpty())
            continue; // undone already, or removed from the history
        order.push_back(rows.takeLast());
        ordered.append(lines.at(i));
    }
    report.failures = history.undoRows(state, order, QStringLiteral("   "), &report.undone);
    QList<QByteArray> left;
    for (qsizetype i = ordered.size() - 1; i >= 0; --i) {
        const bool undone = std::any_of(report.undone.begin(), report.undone.end(),
                                        [&](const RenameProtocol::Line& l) { return l.stored == ordered.at(i); });
        if (!undone)
            left.append(ordered.at(i));
    }
    journal->keepOnly(left);
    return report;
}
