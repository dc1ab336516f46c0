#include "gui/settings/SaveSettings.h"

#include "core/AppState.h"
#include "core/settings/ProgramNames.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/WarnNotWritten.h"

bool SaveSettings(AppState& state, Prompter& prompter)
{
    const Settings::SaveResult result = state.settings.save(state.fs());
    switch (result) {
    case Settings::SaveResult::Saved:
        return true;
    case Settings::SaveResult::NoFile: // no settings folder: the program runs on defaults
        break;
    case Settings::SaveResult::WriteFailed:
        WarnNotWritten(state, prompter, state.settings.path());
        break;
    case Settings::SaveResult::Unreadable:
        prompter.tell(state.message(QStringLiteral("msgSettingsUnreadable"),
                                    {QLatin1Char('"') + state.settings.path() + QLatin1Char('"')}),
                      ProductName(), Prompter::Icon::Warning);
        break;
    }
    return false;
}
