#pragma once

#include "core/settings/IniDocument.h"

#include <QLocale>
#include <QString>
#include <QStringList>

// Replaces "%1" by the first argument, then "%2" by the second, and so on (every occurrence, exact).
// A first argument that itself holds "%2" therefore has that part replaced by the second argument too.
QString SubstituteArgs(const QString& text, const QStringList& args);

// The current language file. Language files are read-only while the program runs, so the file is parsed
// once when it is chosen rather than on every lookup.
class Language
{
public:
    // Parses the file; false when it cannot be read (the language then yields empty texts).
    bool load(const QString& path);
    void clear();

    bool isLoaded() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }

    // A text of the language file with its placeholders filled; empty when the key is missing.
    QString GetLngText(const QString& section, const QString& key, const QStringList& args = {}) const;

    // The [Main] values of the file.
    QString name() const { return GetLngText(QStringLiteral("Main"), QStringLiteral("lngname")); }
    QString locale() const { return GetLngText(QStringLiteral("Main"), QStringLiteral("locale")); }
    QString charset() const { return m_charset; }
    // The locale of the texts the program writes in this language (dates in proposed names); the
    // desktop's locale when the file names none.
    QLocale textLocale() const;

private:
    QString m_path;
    QString m_charset;
    IniDocument m_doc;
};
