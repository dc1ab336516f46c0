#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The options that answer on the terminal and end the program before any window opens: "--help" and
// "--version". Returns the text to print, or nothing when the program is to start normally.
std::optional<QString> StartupExitText(const QStringList& arguments);

// "--guide" or "--guide=SECTION": open the user guide (at that section) instead of the window. Returns the
// section, empty for the start of the guide, or nothing when the option is not given.
std::optional<QString> GuideRequest(const QStringList& arguments);
