#include "core/commit/FolderNameSet.h"

#include <QHash>

#include <limits>

QStringView FolderNameSet::nameAt(size_t number) const
{
    return QStringView(m_text).sliced(m_starts[number], m_starts[number + 1] - m_starts[number]);
}

size_t FolderNameSet::slotOf(QStringView name) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = qHash(name) & mask;; slot = (slot + 1) & mask) {
        const quint32 held = m_slots[slot];
        if (held == 0 || nameAt(held - 1) == name)
            return slot;
    }
}

void FolderNameSet::grow()
{
    // Never more than half full, so a look ends soon on a free slot.
    std::vector<quint32> slots(std::max<size_t>(16, m_slots.size() * 2), 0);
    m_slots.swap(slots);
    for (const quint32 held : slots) {
        if (held != 0)
            m_slots[slotOf(nameAt(held - 1))] = held;
    }
}

void FolderNameSet::add(QStringView name)
{
    const size_t count = m_starts.size() - 1;
    if (m_text.size() + name.size() > std::numeric_limits<quint32>::max() || count + 1 >= (1u << 31))
        return; // far beyond any folder
    if ((count + 1) * 2 > m_slots.size())
        grow();
    const size_t slot = slotOf(name);
    if (m_slots[slot] != 0)
        return;
    m_text.append(name);
    m_starts.push_back(static_cast<quint32>(m_text.size()));
    m_slots[slot] = static_cast<quint32>(count + 1);
}

bool FolderNameSet::contains(QStringView name) const
{
    return !m_slots.empty() && m_slots[slotOf(name)] != 0;
}
