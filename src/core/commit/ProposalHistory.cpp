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

bool undoCommand(AppState& state, PreviewList& list)
{
    if (list.isEmpty())
        return false;
    if (state.confirm[0] && state.ask().ask(state.message(QStringLiteral("MsgText07")), ProductName(),
                                            Prompter::Yes | Prompter::No, Prompter::Icon::Question) != Prompter::Yes)
        return false;
    const WaitCursor wait;
    list.undoProposals();
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
    list.rejectProposals();
    return true;
}
