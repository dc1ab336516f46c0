#pragma once

#include "core/platform/Services.h"
#include "core/settings/CharClasses.h"
#include "core/settings/DateTimeFormats.h"
#include "core/settings/Language.h"
#include "core/settings/Settings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

// What the window and the batch mode share: where the program's files are, the user's flags, the
// language, and the services through which it reaches the disk and the clock. It is built once at start
// (or by a test) and handed to whoever needs it. What only the window keeps lives in the window.
struct AppState
{
    // Stored references to the platform's button face and button text colours.
    static constexpr int kSystemButtonFace = static_cast<int>(0x8000000F);
    static constexpr int kSystemButtonText = static_cast<int>(0x80000012);

    // Folders, each ending in one separator, and the settings file inside the settings folder.
    QString programFolder;
    QString settingsFolder;
    QString settingsFile;
    QString versionText;

    // The settings file, read once at start (PrepareSettingsFolder).
    Settings settings;

    // Language: the chosen file, the language files found in the program folder, and the status texts
    // "MsgStat01" to "MsgStat10" (index 0 to 9).
    Language language;
    QStringList languageFiles;
    QStringList statusTexts;

    CharClasses charClasses = CharClasses::fromLetters(QString());
    // The date/time format lists: built in, and the user's own from [DTFormats] (LoadDateTimeFormats).
    DateTimeFormats dateTimeFormats;

    Services services;

    FileSystem& fs() const { return services.fs(); }
    QDateTime now() const { return services.now(); }

    // A text of the [Messages] section of the language file.
    QString message(const QString& key, const QStringList& args = {}) const
    {
        return language.GetLngText(QStringLiteral("Messages"), key, args);
    }
    // Status text n (1 to 10).
    QString statusText(int n) const { return n >= 1 && n <= statusTexts.size() ? statusTexts.at(n - 1) : QString(); }
};
