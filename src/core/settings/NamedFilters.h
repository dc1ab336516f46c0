#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class IniDocument;

// A named list of wildcard patterns, kept in [Filter] as "f1", "f2", … with the value name, "|" and the
// patterns joined with ";".
struct NamedFilter
{
    QString name;
    QStringList patterns;

    bool operator==(const NamedFilter&) const = default;

    // The stored value's pattern part: the non-empty patterns joined with ";".
    QString joinedPatterns() const;
    // The patterns of a stored value's pattern part, each trimmed, empty ones left out.
    static QStringList splitPatterns(const QString& joined);
};

// The filters up to the first missing or empty key; a value without "|" is skipped.
QList<NamedFilter> LoadFilters(const IniDocument& settings);

// Writes the filters as "f1" to "fN" and an empty "fN+1" that ends the list, so stale keys after it are
// never read again.
void SaveFilters(IniDocument& settings, const QList<NamedFilter>& filters);
