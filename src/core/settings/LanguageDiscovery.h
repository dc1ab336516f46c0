#pragma once

#include <QString>
#include <QStringList>

// The language files ("*.lng") of the program folder as full paths, sorted by file name so that every
// start lists them in the same order.
QStringList ListLanguageFiles(const QString& programFolder);

// The outcome of looking for the language to use at start-up.
struct LanguageChoice
{
    enum class Outcome {
        NoFiles,    // the program folder holds no language file: the program cannot run
        Chosen,     // `file` is the language
        NeedsChoice // several files and none named by [Settings] "lng": the user picks from `files`
    };
    Outcome outcome = Outcome::NoFiles;
    QString file;      // full path, for Chosen
    QStringList files; // every language file found, in list order
};

// Picks the language: a single file always wins; among several, the first whose [Main] "lngname"
// equals the wanted name (the stored [Settings] "lng"), compared without regard to case.
LanguageChoice DiscoverLanguage(const QString& programFolder, const QString& wantedName);

// The language offered first on a first start: the first whose locale (the [Main] "locale" of each file,
// in list order) has the language of the desktop's locale name ("de_DE"), else the first English one,
// else the first. The "C" locale of a bare system speaks no language, so it gets English.
int PreselectedLanguage(const QStringList& fileLocales, const QString& systemLocaleName);

// The message shown when there is no language file at all. It cannot come from a language file, so it
// speaks both languages.
QString NoLanguageFilesText(const QString& productName);
QString NoLanguageFilesTitle();
