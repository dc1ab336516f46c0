#pragma once

#include "core/settings/Language.h"

#include <QString>
#include <QStringList>

struct BatchOptions;

// The texts of a run without a window: section [Batch] of the language chosen at start. A key that the
// chosen file lacks (a translation made for an older version) comes from the English file instead, so an
// error is never reported with an empty line.
class BatchTexts
{
public:
    BatchTexts(const Language& language, const QString& programFolder);

    QString text(const QString& key, const QStringList& args = {}) const;

    // The answer to "--batch --help": synopsis, every option, the output format and the exit statuses,
    // wrapped to fit a terminal of 80 columns.
    QString helpText() const;
    // What a command line that cannot run gets on stderr: the problem and a hint at the help.
    QString usageError(const BatchOptions& options) const;

    // Text wrapped at blanks to lines of at most width characters (a longer word gets a line of its own);
    // every line but the first is indented by indent blanks, and the first starts at startColumn (after
    // what the caller has put before it). Line breaks in the text are kept.
    static QString wrap(const QString& text, int indent, int width, int startColumn = 0);

private:
    const Language& m_language;
    Language m_fallback;
};
