#include "core/commit/FolderNameSet.h"

#include <QHash>

#include <limits>

QStringView FolderNameSet::nameAt(size_t number) const
{
    return QStringView(m_text).sliced(m_starts[number], m_starts[number + 1] - m_starts[number]);
}

void FolderNameSet::add(QStringView name)
{
    const size_t count = m_starts.size() - 1;
    if (m_text.size() + name.size() > std::numeric_limits<quint32>::max() || count + 1 >= (1u << 31))
        return; // far beyond any folder
    const auto held = m_table.add(static_cast<quint32>(count), NumberTable::hashOf(name),
                                  [&](quint32 number) { return nameAt(number) == name; });
    if (held)
        return;
    m_text.append(name);
    m_starts.push_back(static_cast<quint32>(m_text.size()));
}

bool FolderNameSet::contains(QStringView name) const
{
    return m_table.find(NumberTable::hashOf(name), [&](quint32 number) { return nameAt(number) == name; }).has_value();
}
