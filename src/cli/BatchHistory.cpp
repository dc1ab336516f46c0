#include "cli/BatchHistory.h"

#include "cli/BatchRun.h"
#include "core/AppState.h"
#include "core/commit/RenameHistory.h"
#include "core/commit/UndoLastRun.h"
#include "core/platform/FileNames.h"

#include <QIODevice>

BatchHistory::BatchHistory(AppState& state, QIODevice& out, QIODevice& err, const BatchTexts& texts)
    : m_state(state)
    , m_out(out)
    , m_err(err)
    , m_texts(texts)
{}

void BatchHistory::print(QIODevice& device, const QString& text)
{
    device.write(FileNames::encode(text + QLatin1Char('\n')));
}

int BatchHistory::printHistory()
{
    RenameHistory history;
    history.LoadHistory(m_state);
    QString text;
    for (int r = 0; r < history.size(); ++r) {
        const RenameProtocol::Line& line = history.row(r).line;
        // The stamp is escaped too: a damaged line may hold anything there.
        text += BatchRun::escaped(line.stamp) + QLatin1Char('\t') +
                BatchRun::changeLine(line.parentPath, line.oldName, line.newName) + QLatin1Char('\t') +
                (history.row(r).present ? QLatin1String("yes") : QLatin1String("no")) + QLatin1Char('\n');
    }
    m_out.write(FileNames::encode(text));
    return BatchRun::Done;
}

int BatchHistory::undoLast()
{
    const UndoLastReport report = UndoLastRun(m_state);
    for (const RenameProtocol::Line& line : report.undone)
        print(m_out, BatchRun::changeLine(line.parentPath, line.newName, line.oldName));
    for (const QString& failure : report.failures)
        print(m_err, failure);
    if (report.undone.isEmpty() && report.failures.isEmpty())
        print(m_err, m_texts.text(QStringLiteral("NothingToUndo")));
    return report.failures.isEmpty() ? BatchRun::Done : BatchRun::SomeFailed;
}
