#pragma once

#include <QString>
#include <QStringList>

// Names a rename function would propose for a block of consecutive rows, shown in place of their
// proposals while the function's dialog is open. They are never proposals themselves.
class ProposedNames
{
public:
    ProposedNames() = default;
    ProposedNames(int firstRow, QStringList names)
        : m_first(firstRow)
        , m_names(std::move(names))
    {}

    bool isEmpty() const { return m_names.isEmpty(); }
    int firstRow() const { return m_first; }
    int lastRow() const { return m_first + static_cast<int>(m_names.size()) - 1; }
    // The name for a row, or null when the block does not hold the row.
    const QString* at(int row) const
    {
        return row >= m_first && row <= lastRow() ? &m_names.at(row - m_first) : nullptr;
    }

private:
    int m_first = 0;
    QStringList m_names;
};
