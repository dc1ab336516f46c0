#pragma once

#include "core/settings/LanguageDiscovery.h"

#include <QString>
#include <QStringList>

struct AppState;

// The program folder (language files, templates, "update.vlp", guide), with one trailing separator: the
// executable's own folder when it holds language files (a build tree or a portable copy), otherwise
// ../share/dirwright/ beside it (an installed program, whatever its prefix), else the configured data folder.
QString ProgramFolderFor(const QString& executableFolder);

// The per-user settings folder, with one trailing separator: $XDG_DATA_HOME/Pellacorn/Dirwright/.
QString SettingsFolderPath();

// Start-up up to the choice of language: sets the program folder (as given, see ProgramFolderFor),
// settings folder, settings file and version text of the state, creates the settings folder, copies the shipped
// "structures.vlp" and "settings.vlp" when the user has none, applies "update.vlp", drops the keys marked for
// deletion and reads the settings into state.settings (the only read of the file). A settings folder that cannot
// be created is not reported: the program then runs on defaults and its writes have no effect. Needs
// state.services.fileSystem.
void PrepareSettingsFolder(AppState& state, const QString& programFolder);

// Makes a language file the current language: loads it, reads the status texts "MsgStat01" to
// "MsgStat10" and installs Qt's own translations for its [Main] "locale". False when it cannot be read.
bool UseLanguage(AppState& state, const QString& languageFile);

// Start-up after the language is chosen: the character classes from [Settings] "letters" and the user's
// date formats.
void FinishGlobalInitialisation(AppState& state);

// Start-up up to the choice of language: PrepareSettingsFolder, then the language discovery, whose files
// are kept in state.languageFiles. With no language file at all the program cannot run: the caller says so
// and ends. With several and none named by [Settings] "lng", the caller asks which one to use.
LanguageChoice BeginInitialisation(AppState& state, const QString& programFolder);

// Sets the language the user chose as [Settings] "lng" (its [Main] "lngname"), so that the next start asks
// no more once the settings are saved.
void RememberLanguage(AppState& state, const QString& languageFile);

// Start-up once the language is known: UseLanguage, then FinishGlobalInitialisation.
void CompleteInitialisation(AppState& state, const QString& languageFile);
