#pragma once

#include <QString>
#include <QStringList>
#include <functional>

struct AppState;

// The product name: window caption, settings folder, exported list heading.
QString ProductName();

// The program folder (language files, templates, "update.vlp", guide), with one trailing separator: the
// executable's own folder when it holds language files (a build tree or a portable copy), otherwise
// ../share/dirwright/ beside it (an installed program, whatever its prefix), else the configured data folder.
QString ProgramFolderFor(const QString& executableFolder);

// The per-user settings folder, with one trailing separator: $XDG_DATA_HOME/Pellacorn/Dirwright/.
QString SettingsFolderPath();

// Start-up up to the choice of language: sets the program folder (as given, see ProgramFolderFor),
// settings folder, settings file and version text of the state, creates the settings folder, copies the shipped
// "structures.vlp" and "settings.vlp" when the user has none, and applies "update.vlp". A settings folder that cannot
// be created is not reported: the program then runs on defaults and its writes have no effect. Needs state.fileSystem.
void PrepareSettingsFolder(AppState& state, const QString& programFolder);

// Makes a language file the current language: loads it, reads the status texts "MsgStat01" to
// "MsgStat10" and installs Qt's own translations for its [Main] "locale". False when it cannot be read.
bool UseLanguage(AppState& state, const QString& languageFile);

// Start-up after the language is chosen: the character classes from [Settings] "letters", then the
// compaction of the settings file.
void FinishGlobalInitialisation(AppState& state);

// Asks the user to pick one of several language files (full paths); returns the chosen path, or the
// empty text when the user closed the question without choosing.
using LanguageChooser = std::function<QString(const AppState& state, const QStringList& files)>;

// The whole global initialisation of the program, in order: PrepareSettingsFolder, language discovery,
// UseLanguage, FinishGlobalInitialisation. With several language files and none named by
// [Settings] "lng", chooseLanguage is asked and the choice stored as "lng"; when the user makes no
// choice the first file is used for this run and the question comes again at the next start.
// Without any language file the bilingual error is shown through state.prompter and false is returned:
// the program must end. Needs state.fileSystem and state.prompter.
bool InitialiseApplication(AppState& state, const QString& programFolder, const LanguageChooser& chooseLanguage);
