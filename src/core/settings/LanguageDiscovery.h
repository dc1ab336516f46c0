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

// The message shown when there is no language file at all. It cannot come from a language file, so it
// speaks both languages.
QString NoLanguageFilesText(const QString& productName);
QString NoLanguageFilesTitle();
