#pragma once

#include <QString>

struct AppState;
class Prompter;
class QWidget;

// Every help request of a window (F1, a help button, the help menu): opens the guide, or, when the
// desktop has no program for web pages, tells the user where the guide is, so that F1 never does nothing.
void ShowHelpGuide(const AppState& state, Prompter& prompter, const QString& section = QString());

// F1 in a window, and its help button ("cmdHelp") when it has one, open the guide at the window's own
// section, which is named after the window's form ("frmInsert").
void ConnectHelp(QWidget* window, const AppState& state, Prompter& prompter);
