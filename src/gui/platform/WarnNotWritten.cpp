#include "gui/platform/WarnNotWritten.h"

#include "core/AppState.h"
#include "core/commit/RenameFailure.h"
#include "gui/platform/Prompter.h"

void WarnNotWritten(const AppState& state, Prompter& prompter, const QString& file)
{
    prompter.tell(state.message(QStringLiteral("msgFileNotWritten"), {Quoted(file)}),
                  state.message(QStringLiteral("msgCapAttention")), Prompter::Icon::Warning);
}
