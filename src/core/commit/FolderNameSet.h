#pragma once

#include "core/preview/NumberTable.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// The names in one folder, packed: one text holds them all, and beyond a few names an open table points
// into it. A folder of a million entries takes some thirty bytes a name this way, against a hundred and
// more in a set of strings.
class FolderNameSet
{
public:
    // False when the name was held already (or the set is full beyond any folder): only names added
    // get a number, from 0 on in the order of adding.
    bool add(QStringView name);
    // Adds a name the set cannot hold yet (one of a folder's listing, whose names differ), without
    // looking; false only when the set is full beyond any folder. Such names go into the table together
    // at squeeze, which is faster for a big folder; until then a look goes through them one by one.
    bool addNew(QStringView name);
    bool contains(QStringView name) const { return numberOf(name).has_value(); }
    // hash, when not 0, is the name's hashOf, worked out before (see LookAhead).
    std::optional<quint32> numberOf(QStringView name, size_t hash = 0) const;
    // For many looks in a row (see LookAhead): the hash of a name, and the look with it.
    static size_t hashOf(QStringView name) { return NumberTable::hashOf(name); }
    bool contains(QStringView name, size_t hash) const { return numberOf(name, hash).has_value(); }
    // The hash of a name looked for a few names later, with its slot asked for already; 0 where the set
    // has no table (a look then goes through the few names it holds).
    size_t hashAhead(QStringView name) const
    {
        if (m_table.size() == 0)
            return 0;
        const size_t hash = hashOf(name);
        m_table.prefetch(hash);
        return hash;
    }
    // The same, trying the number guess first: names asked for in the order they were added (a list made
    // from a listing) are then found without a look in the table.
    std::optional<quint32> numberGuessed(QStringView name, quint32 guess, size_t hash = 0) const;
    qsizetype size() const { return static_cast<qsizetype>(m_starts.size()) - 1; }
    // Gives back the room kept for more names, once all are in.
    void squeeze();

private:
    // Up to this many names are looked through one by one, without a table: most folders hold only a
    // few, and a program that checks a million of them holds a set for each.
    static constexpr size_t kWithoutTable = 16;

    QStringView nameAt(size_t number) const;
    std::optional<quint32> find(QStringView name, size_t hash) const;
    // Appends the name as the next number; false when the set is full beyond any folder.
    bool append(QStringView name);
    // Puts the names added since the last time into the table, once there are more than kWithoutTable.
    void index();

    QString m_text;                   // the names one after another
    std::vector<quint32> m_starts{0}; // where name i starts in m_text, and one past the last name
    NumberTable m_table;   // of the numbers of the first m_indexed names, once there are more than kWithoutTable
    quint32 m_indexed = 0; // the names after these are looked through one by one
};
