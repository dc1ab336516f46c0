#include "gui/settings/WindowStart.h"

#include "core/AppState.h"
#include "core/commit/RenameFailure.h"
#include "core/settings/GlobalInit.h"
#include "core/settings/ProgramNames.h"
#include "gui/platform/Prompter.h"
#include "gui/settings/SaveSettings.h"

bool InitialiseWindowApplication(AppState& state, Prompter& prompter, const QString& programFolder,
                                 const LanguageChooser& chooseLanguage)
{
    const LanguageChoice choice = BeginInitialisation(state, programFolder);
    QString file = choice.file;
    switch (choice.outcome) {
    case LanguageChoice::Outcome::NoFiles:
        prompter.ask(NoLanguageFilesText(ProductName()), NoLanguageFilesTitle(), Prompter::Ok, Prompter::Icon::Critical,
                     Prompter::Ok);
        return false;
    case LanguageChoice::Outcome::NeedsChoice:
        file = chooseLanguage ? chooseLanguage(choice.files) : QString();
        if (choice.files.contains(file)) {
            RememberLanguage(state, file);
            // An unusable file is kept as it is, and the user hears of it once, below.
            if (!state.settings.isUnusable())
                SaveSettings(state, prompter);
        } else
            file = choice.files.first();
        break;
    case LanguageChoice::Outcome::Chosen:
        break;
    }
    CompleteInitialisation(state, file);
    if (state.settings.isUnusable())
        prompter.tell(state.message(QStringLiteral("msgSettingsDamaged"), {Quoted(state.settings.path())}),
                      ProductName(), Prompter::Icon::Warning);
    return true;
}
