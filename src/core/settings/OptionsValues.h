#pragma once

#include "core/settings/NamedFilters.h"

#include <QList>
#include <QString>
#include <array>

class Settings;

// Everything the options dialog edits, read from and written to the settings in one go.
struct OptionsValues
{
    QString languageName; // [Settings] lng: the chosen file's [Main] lngname
    bool saveSettings = false;
    bool protocolRenames = false;
    std::array<bool, 3> confirm{}; // before undo, taking changes, rejecting changes
    bool expertMode = false;
    int backColor = 0; // stored colour values, or the system colour references
    int foreColor = 0;
    QList<NamedFilter> filters;

    static OptionsValues fromSettings(const Settings& settings);
    // Sets every value in the settings document; the caller writes the file once.
    void applyTo(Settings& settings) const;
};
