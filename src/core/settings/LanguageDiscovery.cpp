#include "core/settings/LanguageDiscovery.h"

#include "core/settings/SettingsStore.h"

#include <QDir>

#include <algorithm>

QStringList ListLanguageFiles(const QString& programFolder)
{
    if (programFolder.isEmpty())
        return {};
    const QDir dir(programFolder);
    QStringList files;
    const QStringList names =
        dir.entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Readable | QDir::Hidden, QDir::Name);
    for (const QString& name : names)
        files.append(dir.filePath(name));
    return files;
}

LanguageChoice DiscoverLanguage(const QString& programFolder, const QString& wantedName)
{
    LanguageChoice choice;
    choice.files = ListLanguageFiles(programFolder);
    if (choice.files.isEmpty())
        return choice;
    if (choice.files.size() == 1) {
        choice.outcome = LanguageChoice::Outcome::Chosen;
        choice.file = choice.files.first();
        return choice;
    }
    const QString wanted = wantedName.toLower();
    for (const QString& file : std::as_const(choice.files)) {
        const QString name = ReadSetting(QStringLiteral("Main"), QStringLiteral("lngname"), file).toLower();
        // An empty name never matches: a file without "lngname" is not chosen by an empty setting.
        if (!wanted.isEmpty() && name == wanted) {
            choice.outcome = LanguageChoice::Outcome::Chosen;
            choice.file = file;
            return choice;
        }
    }
    choice.outcome = LanguageChoice::Outcome::NeedsChoice;
    return choice;
}

int PreselectedLanguage(const QStringList& fileLocales, const QString& systemLocaleName)
{
    const auto languageOf = [](const QString& locale) { return locale.section(QLatin1Char('_'), 0, 0).toLower(); };
    const QString system = languageOf(systemLocaleName);
    for (const QString& wanted : {system, QStringLiteral("en")}) {
        const auto found = std::find_if(fileLocales.begin(), fileLocales.end(),
                                        [&](const QString& locale) { return languageOf(locale) == wanted; });
        if (!wanted.isEmpty() && found != fileLocales.end())
            return static_cast<int>(found - fileLocales.begin());
    }
    return 0;
}

QString NoLanguageFilesText(const QString& productName)
{
    return QStringLiteral("Es wurden keine Sprachdateien im Programmverzeichnis gefunden. Bitte installieren Sie ") +
           productName +
           QStringLiteral(" erneut.\n\nNo language files found in the application directory. Please "
                          "install ") +
           productName + QStringLiteral(" again.");
}

QString NoLanguageFilesTitle()
{
    return QStringLiteral("Fehler/Error");
}
