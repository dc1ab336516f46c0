#pragma once

#include <QString>

class Prompter;
struct AppState;

// Tells the user that a file the program keeps (settings, a recording) could not be written, so a change
// that only seemed to be kept does not go unnoticed.
void WarnNotWritten(const AppState& state, Prompter& prompter, const QString& file);
