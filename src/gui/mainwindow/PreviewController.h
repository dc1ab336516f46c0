#pragma once

#include "core/commit/DirectoryNames.h"
#include "core/preview/CommandId.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

struct AppState;
struct CommitReport;
class PreviewList;
struct WindowSession;
class HistoryDialog;
class QWidget;

// The commands that act on the entries of the preview list: removing entries (five variants and the
// current entry), taking changes, undo and reject of proposals, the history and sorting by a header
// click; and the refresh after each of them.
class PreviewController : public QObject
{
    Q_OBJECT

public:
    PreviewController(AppState& state, WindowSession& session, PreviewList& list, QWidget* dialogParent);

    // Recomputes everything derived from the entries. Runs after every operation that changes entries.
    void refreshPreview();

    // Removes entries by a variant (RemoveAll … RemoveUnchanged); without one, by the variant chosen last.
    void RemoveEntries(std::optional<CommandId> variant = {});
    void removeCurrentEntry();
    // Takes every change in list order (the bar button names the variant chosen last).
    void takeChanges();
    // Takes every change in an order that works, through temporary names where needed; refuses while
    // proposals conflict.
    void takeChangesSafely();
    // The bar button: the variant chosen last.
    void takeChosen();
    // Selects the entries marked as conflicts, the first of them current.
    void selectConflicts();
    int conflictCount() const { return static_cast<int>(m_conflictKeys.size()); }
    // Takes every change (whole-list run) and shows what failed; the caller refreshes.
    void commitAll();
    // Steps every proposal back one level, or throws all proposals away (each asks first when set to).
    void undoProposals();
    void rejectProposals();
    // The history window; afterwards the entries follow the renames undone in it.
    void showHistory();
    // Tests work the history window themselves instead of a modal run.
    void setHistoryRunner(std::function<void(HistoryDialog&)> runner) { m_runHistory = std::move(runner); }
    void headerClicked(int column);

    CommandId chosenRemoval() const { return m_removal; }

Q_SIGNALS:
    void statusText(const QString& text);
    // The entries were refreshed: the list's summary is new.
    void refreshed();
    // A bar button that repeats the variant chosen last names it in its tool tip.
    void variantChosen(CommandId button, CommandId variant);

private:
    void showCommitFailures(const CommitReport& report);
    // Asks before taking changes when the settings say so; true to go on.
    bool confirmTake();
    // Marks the entries whose proposals cannot be taken; after each refresh.
    void markConflicts();

    AppState& m_state;
    WindowSession& m_session;
    PreviewList& m_list;
    QWidget* m_dialogParent;
    CommandId m_removal = CommandId::RemoveAll;
    CommandId m_take = CommandId::TakeAll;
    DirectoryNames m_folderNames; // the parent folders as last read, for the conflict check
    QStringList m_conflictKeys;
    std::function<void(HistoryDialog&)> m_runHistory;
};
