#include "core/preview/ProposalHistory.h"

#include <utility>

const QString& ProposalHistory::at(int level) const
{
    static const QString none;
    if (level == 0)
        return m_current;
    if (level == 1)
        return m_previous;
    return level > 1 && level - 2 < m_older.size() ? m_older.at(level - 2) : none;
}

int ProposalHistory::earlierLevels() const
{
    int n = m_previous.isEmpty() ? 0 : 1;
    for (const QString& level : m_older)
        n += level.isEmpty() ? 0 : 1;
    return n;
}

void ProposalHistory::trim()
{
    while (!m_older.isEmpty() && m_older.constLast().isEmpty())
        m_older.removeLast();
}

void ProposalHistory::reset(const QString& name, int earlier)
{
    m_current = name;
    m_previous.clear();
    m_older.clear();
    if (name.isEmpty() || earlier < 1)
        return;
    m_previous = name;
    for (int level = 2; level <= earlier && level < kLevels; ++level)
        m_older.append(name);
}

void ProposalHistory::set(int level, const QString& name)
{
    if (level == 0) {
        m_current = name;
        return;
    }
    if (level < 0 || level >= kLevels)
        return;
    if (level == 1) {
        m_previous = name;
        return;
    }
    while (m_older.size() < level - 1)
        m_older.append(QString());
    m_older[level - 2] = name;
    trim();
}

void ProposalHistory::push(const QString& name)
{
    if (!m_previous.isEmpty() || !m_older.isEmpty()) {
        m_older.prepend(std::move(m_previous));
        if (m_older.size() > kLevels - 2)
            m_older.removeLast();
        trim();
    }
    m_previous = std::exchange(m_current, name);
}

bool ProposalHistory::stepBack()
{
    if (m_previous.isEmpty())
        return false;
    m_current = std::exchange(m_previous, m_older.isEmpty() ? QString() : m_older.takeFirst());
    return true;
}

void ProposalHistory::dropEarlier()
{
    m_previous.clear();
    m_older.clear();
}

void ProposalHistory::collapseTo(const QString& name)
{
    for (QString* level : {&m_current, &m_previous}) {
        if (!level->isEmpty())
            *level = name;
    }
    for (QString& level : m_older) {
        if (!level.isEmpty())
            level = name;
    }
}
