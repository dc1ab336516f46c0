#include "gui/mainwindow/PreviewController.h"

#include "core/AppState.h"
#include "core/commit/CommitRenames.h"
#include "core/commit/FollowRenames.h"
#include "core/commit/NameConflicts.h"
#include "core/commit/RenameHistory.h"
#include "core/preview/PreviewList.h"
#include "core/preview/RemovalPlan.h"
#include "core/settings/ProgramNames.h"
#include "gui/commit/HistoryDialog.h"
#include "gui/commit/NotRenamedDialog.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"

#include <QApplication>

#include <algorithm>

namespace {

RemovalVariant removalVariant(CommandId id)
{
    switch (id) {
    case CommandId::RemoveAll:
        return RemovalVariant::All;
    case CommandId::RemoveSelected:
        return RemovalVariant::Selected;
    case CommandId::RemoveNotSelected:
        return RemovalVariant::NotSelected;
    case CommandId::RemoveChanged:
        return RemovalVariant::Changed;
    case CommandId::RemoveUnchanged:
        return RemovalVariant::Unchanged;
    default:
        return RemovalVariant::None;
    }
}

} // namespace

PreviewController::PreviewController(AppState& state, WindowSession& session, PreviewList& list, QWidget* dialogParent)
    : m_state(state)
    , m_session(session)
    , m_list(list)
    , m_dialogParent(dialogParent)
{}

void PreviewController::refreshPreview()
{
    Q_EMIT statusText(m_state.language.GetLngText(QStringLiteral("frmMain"), QStringLiteral("RefreshPreview")));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PreviewList::Summary summary = m_list.refreshEntries();
    markConflicts();
    QApplication::restoreOverrideCursor();
    // The list always has a current entry, so the panel and the left bar have something to show.
    if (!m_list.isEmpty() && m_list.currentRow() < 0)
        m_list.selectionModel()->setCurrentIndex(m_list.index(0, 0), QItemSelectionModel::NoUpdate);
    Q_EMIT refreshed();
    QString text =
        SubstituteArgs(m_state.statusText(1), {QString::number(summary.entries), QString::number(summary.folderCount),
                                               QString::number(summary.changedCount)});
    if (!m_conflictKeys.isEmpty())
        text += QStringLiteral("   ") +
                m_state.message(QStringLiteral("msgConflictCount"), {QString::number(m_conflictKeys.size())});
    Q_EMIT statusText(text);
}

void PreviewController::markConflicts()
{
    const std::vector<NameConflict> conflicts =
        FindNameConflicts(m_list.entries(), m_state.fs(), m_folderNames, m_state.now().toSecsSinceEpoch());
    QHash<QString, QString> marks;
    m_conflictKeys.clear();
    for (const NameConflict& c : conflicts) {
        const QString key = m_list.entry(c.row).key();
        marks.insert(key, NameConflictText(m_state, m_list.entries(), c));
        m_conflictKeys.append(key);
    }
    m_list.setConflictMarks(std::move(marks));
}

void PreviewController::selectConflicts()
{
    QItemSelection selection;
    int first = -1;
    for (const QString& key : std::as_const(m_conflictKeys)) {
        if (const int row = m_list.rowOfKey(key); row >= 0) {
            selection.select(m_list.index(row, 0), m_list.index(row, m_list.columnCount() - 1));
            first = first < 0 ? row : std::min(first, row);
        }
    }
    if (first < 0)
        return;
    m_list.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_list.selectionModel()->setCurrentIndex(m_list.index(first, 0), QItemSelectionModel::NoUpdate);
}

void PreviewController::showCommitFailures(const CommitReport& report)
{
    NotRenamedDialog::showReport(m_state, m_session.prompter, m_list, report, m_dialogParent);
}

void PreviewController::RemoveEntries(std::optional<CommandId> variant)
{
    if (variant)
        m_removal = *variant;
    Q_EMIT variantChosen(CommandId::RemoveChosen, m_removal);
    const RemovalPlan plan = PlanRemoval(m_list, removalVariant(m_removal));
    if (plan.count > 0) {
        Prompter::Button answer = Prompter::No;
        if (plan.ask) {
            answer = m_session.prompter.ask(
                m_state.message(QStringLiteral("MsgText21")), m_state.message(QStringLiteral("MsgCap03")),
                Prompter::Yes | Prompter::No | Prompter::Cancel, Prompter::Icon::Question, Prompter::Cancel);
            if (answer == Prompter::Cancel)
                return;
        }
        CommitReport report;
        if (answer == Prompter::Yes) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            if (plan.variant == RemovalVariant::All) {
                report = CommitRenames(m_state, m_list, kAllEntries);
            } else {
                // One run per removed entry, sharing one index; the failures are shown together.
                std::vector<int> rows;
                for (int row = 0; row < m_list.size(); ++row) {
                    if (plan.remove[static_cast<size_t>(row)])
                        rows.push_back(row);
                }
                report = CommitRenames(m_state, m_list, rows);
            }
            QApplication::restoreOverrideCursor();
        }
        // The entries go first: the report may remove processed entries itself, which would shift the rows
        // the plan names.
        m_list.removeEntries(plan.remove);
        showCommitFailures(report);
    }
    refreshPreview();
}

void PreviewController::removeCurrentEntry()
{
    const int row = m_list.currentRow();
    if (row < 0 || row >= m_list.size())
        return;
    if (m_list.entry(row).isChanged()) {
        const Prompter::Button answer = m_session.prompter.ask(m_state.message(QStringLiteral("MsgText15")),
                                                               m_state.message(QStringLiteral("MsgCap03")),
                                                               Prompter::Yes | Prompter::No, Prompter::Icon::Question);
        if (answer == Prompter::Yes) {
            const CommitReport report = CommitRenames(m_state, m_list, row);
            m_list.removeEntry(row);
            showCommitFailures(report);
            refreshPreview();
            return;
        }
    }
    m_list.removeEntry(row);
    refreshPreview();
}

void PreviewController::takeChosen()
{
    if (m_take == CommandId::TakeSelected)
        takeChangesSafely();
    else
        takeChanges();
}

void PreviewController::takeChangesSafely()
{
    m_take = CommandId::TakeSelected;
    Q_EMIT variantChosen(CommandId::TakeChosen, m_take);
    // Against the disk as it is now; a refusal comes before any question.
    m_folderNames.clear();
    markConflicts();
    if (m_conflictKeys.isEmpty() && !confirmTake())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SafeTakeOptions options;
    options.progress = [this](int renamed) { Q_EMIT statusText(CommitProgressText(m_state, renamed)); };
    const CommitReport report = CommitRenamesSafely(m_state, m_list, options);
    QApplication::restoreOverrideCursor();
    m_folderNames.clear();
    if (!report.refusal.isEmpty())
        m_session.prompter.tell(report.refusal, m_state.message(QStringLiteral("MsgCap03")), Prompter::Icon::Warning);
    else
        showCommitFailures(report);
    refreshPreview();
}

void PreviewController::takeChanges()
{
    m_take = CommandId::TakeAll;
    Q_EMIT variantChosen(CommandId::TakeChosen, m_take);
    if (!confirmTake())
        return;
    commitAll();
    refreshPreview();
}

bool PreviewController::confirmTake()
{
    if (m_state.settings.flag(Settings::Key::ConfirmTake)) {
        const auto changed = std::count_if(m_list.entries().begin(), m_list.entries().end(),
                                           [](const FolderEntry& e) { return e.isChanged(); });
        // The count tells a slip (a function applied to every entry) before anything is renamed.
        const QString question =
            m_state.message(QStringLiteral("msgTakeCount"), {QString::number(changed), QStringLiteral("\n\n")});
        const Prompter::Button answer = m_session.prompter.ask(question, m_state.message(QStringLiteral("MsgCap03")),
                                                               Prompter::Yes | Prompter::No, Prompter::Icon::Question);
        if (answer != Prompter::Yes)
            return false;
    }
    return true;
}

void PreviewController::commitAll()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CommitReport report = CommitRenames(
        m_state, m_list, kAllEntries, [this](int renamed) { Q_EMIT statusText(CommitProgressText(m_state, renamed)); });
    QApplication::restoreOverrideCursor();
    m_folderNames.clear();
    showCommitFailures(report);
}

void PreviewController::undoProposals()
{
    if (m_list.isEmpty())
        return;
    if (m_state.settings.flag(Settings::Key::ConfirmUndo) &&
        m_session.prompter.ask(m_state.message(QStringLiteral("MsgText07")), ProductName(),
                               Prompter::Yes | Prompter::No, Prompter::Icon::Question) != Prompter::Yes)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_list.undoProposals();
    QApplication::restoreOverrideCursor();
    refreshPreview();
}

void PreviewController::rejectProposals()
{
    if (m_list.isEmpty())
        return;
    if (m_state.settings.flag(Settings::Key::ConfirmReject) &&
        m_session.prompter.ask(m_state.message(QStringLiteral("MsgText04")),
                               m_state.message(QStringLiteral("MsgCap04")), Prompter::Yes | Prompter::No,
                               Prompter::Icon::Question, Prompter::No) != Prompter::Yes)
        return;
    m_list.rejectProposals();
    refreshPreview();
}

void PreviewController::showHistory()
{
    // The history works on the protocol alone; the list must not keep names the disk no longer has.
    HistoryDialog dialog(m_state, m_session.prompter, m_dialogParent);
    if (m_runHistory)
        m_runHistory(dialog);
    else
        dialog.exec();
    const std::vector<FolderRename>& undone = dialog.history().undoneRenames();
    if (undone.empty())
        return;
    FollowRenames(m_list, undone);
    m_folderNames.clear();
    refreshPreview();
}

void PreviewController::headerClicked(int column)
{
    if (column < 0 || column >= PreviewList::kVisibleColumns)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_list.headerClicked(column + 1);
    QApplication::restoreOverrideCursor();
}
