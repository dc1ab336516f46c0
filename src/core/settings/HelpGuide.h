#pragma once

#include <QString>

struct AppState;

// The help is the HTML guide that the language file names ([Main] "hlpfile"), shipped in the program
// folder and shown by the desktop's browser. Every help request (F1, a help button, the help menu) ends
// here.

// The guide's full path; empty when the language names none or the file is not there.
QString HelpGuidePath(const AppState& state);

// Opens the guide; false when there is none or the desktop could not open it.
bool OpenHelpGuide(const AppState& state, const QString& section = QString());
