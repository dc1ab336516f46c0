#pragma once

#include <QString>

struct AppState;

// Fills the paths, the language and the character classes of the shared state at start: the program
// folder (the executable's folder when it holds language files, else the installed data folder), the
// per-user settings folder with first copies of the shipped templates, and the language named in the
// settings (English when none matches). False when no language file exists at all.
bool InitialiseGlobalState(AppState& state, const QString& executableFolder);
