#pragma once

#include "core/load/Wildcard.h"

class IniDocument;

#include <QList>
#include <QString>
#include <QStringList>

class FileSystem;

// The open dialog's list of name filters, each a wildcard pattern with a check box. The first filter is
// exclusive (it is usually the catch-all "*"): it is never checked together with another one, and when
// nothing is checked it is checked again, so a non-empty list always has a filter in use.
//
// Stored in the settings file as [PowerFilter] "f1", "f2", …: "1" or "0" for the check box followed by
// the pattern. The list ends at the first empty value; saving writes that empty key after the last one.
class PowerFilterList
{
public:
    struct Filter
    {
        QString pattern;
        bool checked = false;
        bool operator==(const Filter&) const = default;
    };

    static PowerFilterList load(const IniDocument& settings);
    void store(IniDocument& settings) const;

    int size() const { return int(m_filters.size()); }
    bool isEmpty() const { return m_filters.isEmpty(); }
    const Filter& at(int index) const { return m_filters.at(index); }
    const QList<Filter>& filters() const { return m_filters; }

    // Sets one check box and applies the exclusivity rules relative to it.
    void setChecked(int index, bool checked);
    // Appends a typed pattern, checked. False (and nothing added) when nothing is left after cleaning.
    bool add(const QString& typed);
    // Replaces the pattern at index by a typed one and checks it. False when nothing is left after cleaning.
    bool edit(int index, const QString& typed);
    void remove(int index);

    // Removes the characters that cannot occur in a folder name (and the quote): " / : < > \ |.
    // The wildcard characters stay.
    static QString cleanPattern(const QString& typed);

    // The patterns in use, in list order.
    QStringList checkedPatterns() const;
    // True when the name matches at least one pattern in use (never when none is in use).
    bool matchesAny(QStringView name) const;

private:
    void applyRules(int changedIndex);
    void rebuildMatchers();

    QList<Filter> m_filters;
    QList<Wildcard> m_matchers; // of the checked patterns
};
