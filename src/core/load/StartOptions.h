#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The options that answer on the terminal and end the program before any window opens: "--help" and
// "--version". Returns the text to print, or nothing when the program is to start normally.
std::optional<QString> StartupExitText(const QStringList& arguments);
