#pragma once

#include <QList>
#include <QString>

// The proposals of one entry, newest first: level 0 is the name proposed now, levels 1 to 10 the earlier
// ones that undo steps back to. Most entries never hold more than a level or two, so only the levels in
// use take memory: a list of 100 000 or a million rows carries one of these per row.
class ProposalHistory
{
public:
    static constexpr int kLevels = 11;

    // The name at a level; empty for a level not in use.
    const QString& at(int level) const;
    // Levels 1 to 10 that hold a name.
    int earlierLevels() const;

    // The name at level 0 and at the next `earlier` levels, nothing beyond.
    void reset(const QString& name, int earlier = 0);
    void setCurrent(const QString& name) { m_current = name; }
    // One level, for building a history level by level.
    void set(int level, const QString& name);
    // A new proposal: every level moves one down, the oldest falls off.
    void push(const QString& name);
    // Back one step: level 1 becomes level 0. False, with nothing changed, without an earlier proposal.
    bool stepBack();
    // Forgets every earlier proposal.
    void dropEarlier();
    // Every level in use holds this name.
    void collapseTo(const QString& name);

private:
    // Drops empty levels at the end of m_older.
    void trim();

    QString m_current;
    // Level 1 stands apart: most entries that hold an earlier proposal hold just that one, and a list per
    // entry would cost far more than the name itself.
    QString m_previous;
    QList<QString> m_older; // levels 2 and on, level 2 first; never ends in an empty level
};
