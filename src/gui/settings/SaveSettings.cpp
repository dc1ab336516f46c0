#include "gui/settings/SaveSettings.h"

#include "core/AppState.h"
#include "core/settings/ProgramNames.h"
#include "gui/platform/Prompter.h"

bool SaveSettings(AppState& state, Prompter& prompter)
{
    const Settings::SaveResult result = state.settings.save(state.fs());
    switch (result) {
    case Settings::SaveResult::Saved:
        return true;
    case Settings::SaveResult::NoFile: // no settings folder: the program runs on defaults
        return false;
    case Settings::SaveResult::Unreadable:
    case Settings::SaveResult::WriteFailed:
        break;
    }
    const QString key = result == Settings::SaveResult::Unreadable ? QStringLiteral("msgSettingsUnreadable")
                                                                   : QStringLiteral("msgSettingsNotSaved");
    prompter.tell(state.message(key, {QLatin1Char('"') + state.settings.path() + QLatin1Char('"')}), ProductName(),
                  Prompter::Icon::Warning);
    return false;
}
