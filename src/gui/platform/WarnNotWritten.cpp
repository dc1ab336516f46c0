#include "gui/platform/WarnNotWritten.h"

#include "core/AppState.h"
#include "core/commit/RenameFailure.h"

void WarnNotWritten(const AppState& state, const QString& file)
{
    state.ask().tell(state.message(QStringLiteral("msgFileNotWritten"), {Quoted(file)}),
                     state.message(QStringLiteral("msgCapAttention")), Prompter::Icon::Warning);
}
