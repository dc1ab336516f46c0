#include "core/commit/ProposalHistory.h"

#include "core/AppState.h"
#include "core/preview/PreviewList.h"
#include "core/settings/ProgramNames.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

// The wait cursor for the length of a command, when there is a screen to show it on.
class WaitCursor
{
public:
    WaitCursor()
        : m_shown(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown;
};

} // namespace

void UndoProposals(PreviewList& list)
{
    for (FolderEntry& e : list.entries()) {
        if (e.history(1).isEmpty())
            continue;
        e.setNewName(e.history(1));
        for (int level = 0; level + 1 < FolderEntry::kHistoryLevels; ++level)
            e.history(level) = e.history(level + 1);
        e.history(FolderEntry::kHistoryLevels - 1).clear();
    }
    list.notifyEntriesChanged();
}

void RejectProposals(PreviewList& list)
{
    for (FolderEntry& e : list.entries()) {
        e.setNewName(e.oldName());
        e.history(0) = e.oldName();
        for (int level = 1; level < FolderEntry::kHistoryLevels; ++level)
            e.history(level).clear();
    }
    list.notifyEntriesChanged();
}

bool undoCommand(AppState& state, PreviewList& list)
{
    if (list.isEmpty())
        return false;
    if (state.confirm[0] && state.ask().ask(state.message(QStringLiteral("MsgText07")), ProductName(),
                                            Prompter::Yes | Prompter::No, Prompter::Icon::Question) != Prompter::Yes)
        return false;
    const WaitCursor wait;
    UndoProposals(list);
    return true;
}

bool rejectCommand(AppState& state, PreviewList& list)
{
    if (list.isEmpty())
        return false;
    if (state.confirm[2] &&
        state.ask().ask(state.message(QStringLiteral("MsgText04")), state.message(QStringLiteral("MsgCap04")),
                        Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No) != Prompter::Yes)
        return false;
    RejectProposals(list);
    return true;
}
