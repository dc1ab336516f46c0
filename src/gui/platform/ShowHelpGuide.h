#pragma once

#include <QString>

struct AppState;
class Prompter;

// Every help request of a window (F1, a help button, the help menu): opens the guide, or, when the
// desktop has no program for web pages, tells the user where the guide is, so that F1 never does nothing.
void ShowHelpGuide(const AppState& state, Prompter& prompter, const QString& section = QString());
