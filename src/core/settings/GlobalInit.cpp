#include "core/settings/GlobalInit.h"

#include "core/AppState.h"
#include "core/commit/RenameJournal.h"
#include "core/settings/DateTimeFormats.h"
#include "core/settings/Paths.h"
#include "core/settings/ProgramNames.h"
#include "core/settings/QtTranslations.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/SettingsUpdate.h"

#include <QDir>
#include <QStandardPaths>

namespace {

// Copies a shipped template into the settings folder on the user's first start. A template that cannot be
// copied is not reported, like a settings folder that cannot be created: the program runs on defaults.
void copyTemplateIfMissing(AppState& state, const QString& name)
{
    const QString target = state.settingsFolder + name;
    const QString source = state.programFolder + name;
    if (!state.fs().fileExists(target) && state.fs().fileExists(source))
        static_cast<void>(state.fs().copyFile(source, target, false));
}

} // namespace

QString ProgramFolderFor(const QString& executableFolder)
{
    if (executableFolder.isEmpty())
        return EnsureTrailingSeparator(QStringLiteral(DIRWRIGHT_DATA_DIR));
    const QString beside = EnsureTrailingSeparator(executableFolder);
    if (!ListLanguageFiles(beside).isEmpty())
        return beside;
    // An installed program finds its data relative to itself, so a package built for another prefix
    // than the one configured still works.
    const QString shared = EnsureTrailingSeparator(QDir::cleanPath(beside + QStringLiteral("../share/dirwright")));
    if (!ListLanguageFiles(shared).isEmpty())
        return shared;
    return EnsureTrailingSeparator(QStringLiteral(DIRWRIGHT_DATA_DIR));
}

QString SettingsFolderPath()
{
    // Without a home the folder falls back to the root, where creating it fails quietly.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return EnsureTrailingSeparator(base) + MakerName() + QLatin1Char('/') + ProductName() + QLatin1Char('/');
}

void PrepareSettingsFolder(AppState& state, const QString& programFolder)
{
    state.programFolder = EnsureTrailingSeparator(programFolder);
    state.settingsFolder = SettingsFolderPath();
    if (!state.fs().folderExists(state.settingsFolder))
        CreateFolderPath(state.fs(), state.settingsFolder);
    state.settingsFile = state.settingsFolder + SettingsFileName();
    state.versionText = QStringLiteral(DIRWRIGHT_VERSION_TEXT);
    copyTemplateIfMissing(state, StructuresFileName());
    copyTemplateIfMissing(state, SettingsFileName());
    // A file that cannot be used is left exactly as it is, so the user can still repair it.
    if (!Settings::load(state.fs(), state.settingsFile).isUnusable())
        ApplySettingsUpdate(state.fs(), state.programFolder, state.settingsFile);
    // The read the program goes by. Keys marked for deletion leave the file at once, as they always
    // did at start; a failure to write is no reason not to start.
    state.settings = Settings::load(state.fs(), state.settingsFile);
    if (state.settings.hadDeletedKeys())
        static_cast<void>(state.settings.save(state.fs()));
    // A run that was killed half-way may owe the history the line of its last rename.
    RenameJournal::recover(state.fs(), state.settingsFolder);
}

bool UseLanguage(AppState& state, const QString& languageFile)
{
    const bool loaded = state.language.load(languageFile);
    state.statusTexts.clear();
    for (int n = 1; n <= 10; ++n)
        state.statusTexts.append(state.message(QStringLiteral("MsgStat%1").arg(n, 2, 10, QLatin1Char('0'))));
    InstallQtTranslations(state.language.locale());
    return loaded;
}

void FinishGlobalInitialisation(AppState& state)
{
    state.charClasses = CharClasses::fromLetters(state.settings.text(Settings::Key::Letters));
    state.dateTimeFormats = LoadDateTimeFormats(state.settings.document());
}

LanguageChoice BeginInitialisation(AppState& state, const QString& programFolder)
{
    PrepareSettingsFolder(state, programFolder);
    const LanguageChoice choice = DiscoverLanguage(state.programFolder, state.settings.text(Settings::Key::Language));
    state.languageFiles = choice.files;
    return choice;
}

void RememberLanguage(AppState& state, const QString& languageFile)
{
    state.settings.setText(Settings::Key::Language,
                           ReadSetting(QStringLiteral("Main"), QStringLiteral("lngname"), languageFile));
}

void CompleteInitialisation(AppState& state, const QString& languageFile)
{
    UseLanguage(state, languageFile);
    FinishGlobalInitialisation(state);
}
