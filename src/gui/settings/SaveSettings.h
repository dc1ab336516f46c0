#pragma once

class Prompter;
struct AppState;

// Writes the settings file with everything set so far and tells the user when that failed: a file that
// could not be read at start is left as it is, and a failed write is reported. False when nothing was
// written.
bool SaveSettings(AppState& state, Prompter& prompter);
