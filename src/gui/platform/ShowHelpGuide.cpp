#include "gui/platform/ShowHelpGuide.h"

#include "core/AppState.h"
#include "core/commit/RenameFailure.h"
#include "core/settings/HelpGuide.h"
#include "core/settings/ProgramNames.h"
#include "gui/platform/Prompter.h"

void ShowHelpGuide(const AppState& state, Prompter& prompter, const QString& section)
{
    if (OpenHelpGuide(state, section))
        return;
    const QString path = HelpGuidePath(state);
    if (path.isEmpty())
        return; // no guide in this language: the help commands are disabled and say so
    prompter.tell(state.message(QStringLiteral("msgHelpNotOpened"), {Quoted(path)}), ProductName(),
                  Prompter::Icon::Information);
}
