#pragma once

#include <QString>

// The project's web page, where new versions are announced (the CMake option DIRWRIGHT_PROJECT_URL); empty
// when the build names none, and then the program offers no update check.
QString ProjectWebPage();
