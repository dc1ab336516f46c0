#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Prompter;
struct AppState;

// Asks the user to pick one of several language files (full paths); returns the chosen path, or the
// empty text when the user closed the question without choosing.
using LanguageChooser = std::function<QString(const QStringList& files)>;

// The whole start-up of the window's program, in order: the settings folder, the language, the rest of
// the global initialisation. With several language files and none named by [Settings] "lng", the chooser
// is asked and the choice remembered; when the user makes no choice the first file is used for this run
// and the question comes again at the next start. Without any language file the bilingual error is shown
// and false is returned: the program must end.
bool InitialiseWindowApplication(AppState& state, Prompter& prompter, const QString& programFolder,
                                 const LanguageChooser& chooseLanguage);
