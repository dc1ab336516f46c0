#include "core/commit/FolderNameSet.h"

#include <QHash>

#include <limits>

QStringView FolderNameSet::nameAt(size_t number) const
{
    return QStringView(m_text).sliced(m_starts[number], m_starts[number + 1] - m_starts[number]);
}

std::optional<quint32> FolderNameSet::find(QStringView name, size_t hash) const
{
    const auto matches = [&](quint32 number) { return nameAt(number) == name; };
    if (m_table.size() > 0)
        return m_table.find(hash, matches);
    for (quint32 number = 0; number + 1 < m_starts.size(); ++number) {
        if (matches(number))
            return number;
    }
    return std::nullopt;
}

bool FolderNameSet::add(QStringView name)
{
    const size_t count = m_starts.size() - 1;
    const size_t hash = m_table.size() > 0 || count >= kWithoutTable ? NumberTable::hashOf(name) : 0;
    if (find(name, hash))
        return false;
    return append(name, hash);
}

bool FolderNameSet::addNew(QStringView name)
{
    const size_t count = m_starts.size() - 1;
    return append(name, m_table.size() > 0 || count >= kWithoutTable ? NumberTable::hashOf(name) : 0);
}

bool FolderNameSet::append(QStringView name, size_t hash)
{
    const size_t count = m_starts.size() - 1;
    if (m_text.size() + name.size() > std::numeric_limits<quint32>::max() || count + 1 >= (1u << 31))
        return false; // far beyond any folder
    m_text.append(name);
    m_starts.push_back(static_cast<quint32>(m_text.size()));
    if (count < kWithoutTable)
        return true;
    // Past the size that is looked through: every name goes into the table, the new one last.
    const auto never = [](quint32) { return false; };
    if (m_table.size() == 0) {
        for (quint32 number = 0; number < count; ++number)
            m_table.put(number, NumberTable::hashOf(nameAt(number)), never);
    }
    m_table.put(static_cast<quint32>(count), hash, never);
    return true;
}

std::optional<quint32> FolderNameSet::numberOf(QStringView name) const
{
    return find(name, m_table.size() > 0 ? NumberTable::hashOf(name) : 0);
}

std::optional<quint32> FolderNameSet::numberOf(QStringView name, quint32 guess) const
{
    if (guess < static_cast<size_t>(size()) && nameAt(guess) == name)
        return guess;
    return numberOf(name);
}

void FolderNameSet::squeeze()
{
    m_text.squeeze();
    m_starts.shrink_to_fit();
}
