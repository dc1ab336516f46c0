#include "core/preview/ProposalHistory.h"

#include <utility>

const QString& ProposalHistory::at(int level) const
{
    static const QString none;
    if (level == 0)
        return m_current;
    return level > 0 && level <= m_earlier.size() ? m_earlier.at(level - 1) : none;
}

int ProposalHistory::earlierLevels() const
{
    int n = 0;
    for (const QString& level : m_earlier)
        n += level.isEmpty() ? 0 : 1;
    return n;
}

void ProposalHistory::reset(const QString& name, int earlier)
{
    m_current = name;
    m_earlier.clear();
    for (int level = 1; level <= earlier && level < kLevels; ++level)
        m_earlier.append(name);
    if (name.isEmpty())
        m_earlier.clear();
}

void ProposalHistory::set(int level, const QString& name)
{
    if (level == 0) {
        m_current = name;
        return;
    }
    if (level < 0 || level >= kLevels)
        return;
    while (m_earlier.size() < level)
        m_earlier.append(QString());
    m_earlier[level - 1] = name;
    while (!m_earlier.isEmpty() && m_earlier.constLast().isEmpty())
        m_earlier.removeLast();
}

void ProposalHistory::push(const QString& name)
{
    m_earlier.prepend(std::exchange(m_current, name));
    if (m_earlier.size() > kLevels - 1)
        m_earlier.removeLast();
    while (!m_earlier.isEmpty() && m_earlier.constLast().isEmpty())
        m_earlier.removeLast();
}

bool ProposalHistory::stepBack()
{
    if (at(1).isEmpty())
        return false;
    m_current = m_earlier.takeFirst();
    return true;
}

void ProposalHistory::collapseTo(const QString& name)
{
    if (!m_current.isEmpty())
        m_current = name;
    for (QString& level : m_earlier) {
        if (!level.isEmpty())
            level = name;
    }
}
