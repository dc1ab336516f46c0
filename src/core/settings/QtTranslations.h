#pragma once

#include <QString>

// Installs Qt's own translations (the "Yes", "No", "Cancel" of message boxes, the texts of file and
// colour pickers) for a locale such as "de", replacing any installed earlier by this routine. Returns
// whether a translation was found; English needs none, so false is not an error. Does nothing without
// an application object.
bool InstallQtTranslations(const QString& locale);
