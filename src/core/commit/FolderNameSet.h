#pragma once

#include "core/preview/NumberTable.h"

#include <QString>
#include <QStringView>
#include <vector>

// The names in one folder, packed: one text holds them all, and an open table points into it. A folder of
// a million entries takes some thirty bytes a name this way, against a hundred and more in a set of
// strings.
class FolderNameSet
{
public:
    void add(QStringView name);
    bool contains(QStringView name) const;
    qsizetype size() const { return static_cast<qsizetype>(m_starts.size()) - 1; }

private:
    QStringView nameAt(size_t number) const;

    QString m_text;                   // the names one after another
    std::vector<quint32> m_starts{0}; // where name i starts in m_text, and one past the last name
    NumberTable m_table;              // of name numbers
};
