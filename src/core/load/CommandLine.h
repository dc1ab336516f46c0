#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class FolderLoader;
struct AppState;

// Splits a command-line text into arguments. Blanks separate arguments. A double quote starts a quoted
// argument that runs to the next double quote (the quotes are not part of it; without a closing quote
// it runs to the next blank). Inside a plain argument, a double quote before the next blank makes the
// argument run to just after the next double quote, quotes kept: /runscript="my script" stays one.
QStringList SplitCommandLine(const QString& text);

// The program's arguments as texts, byte for byte (a path that is not UTF-8 keeps its bytes).
QStringList ArgumentsFromArgv(int argc, const char* const* argv);

// Handles the arguments in order: an existing file or folder is loaded (a file stands for its folder);
// "/openfromfile=<list file>" loads the folders of a list file; "/runscript=<script>" hands the script
// file to runScript: the path as given when that file exists, else the file of that name in the "Script"
// folder of the settings folder, and only when it exists. Option names are compared ignoring case and
// double quotes are removed from their values. Everything else is ignored. The list is refreshed before a
// script runs and once at the end.
// Whether "/openfromfile" stands without a list file (or with an empty one): the window then lets the user
// choose list files once it is open, as a desktop action for list files asks.
bool WantsListFileChoice(const QStringList& arguments);

void HandleArguments(const QStringList& arguments, AppState& state, FolderLoader& loader,
                     const std::function<void(const QString& scriptPath)>& runScript);
