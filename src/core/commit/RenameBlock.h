#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <vector>

// Renames that go to the run's record and the protocol together, one write each per block instead of
// one per rename. A block takes a rename when it cannot change what an earlier rename of the block finds
// on disk: no path of the new one names or holds a path of an earlier one. It may lie below a folder the
// block renames, at the path that folder will have by then. So after a crash, the renames of the last
// block tell in order whether they happened: a rename did when its new path is there and its old one
// gone, and none below a folder whose rename did not happen did.
class RenameBlock
{
public:
    // Enough to make the record's writes vanish among the renames, small enough to write in one go.
    static constexpr int kMaxRenames = 4096;

    struct Rename
    {
        int row = 0;
        size_t position = 0; // in the caller's sequence, to go on from when a block is cut short
        QString parentPath;  // where the folder will stand when its turn comes
        QString oldPath;     // both ending in a separator
        QString newPath;
        QByteArray line; // its protocol line; empty when nothing is recorded for it
    };

    // Where a folder now in parentPath will stand once the block's renames have run: below a folder the
    // block renames, its path follows that folder's new path.
    QString parentAfterRenames(const QString& parentPath);
    // True when a rename of oldPath to newPath, both in parentPath as parentAfterRenames gives it, may
    // join: it neither names nor holds a path of the block.
    bool accepts(const QString& oldPath, const QString& newPath) const;
    void add(Rename rename);
    bool full() const { return static_cast<int>(m_renames.size()) >= kMaxRenames; }
    void clear();

    const std::vector<Rename>& renames() const { return m_renames; }

private:
    std::vector<Rename> m_renames;
    QSet<QString> m_renamed;         // old and new paths of the block's renames
    QSet<QString> m_holding;         // every folder path above one of them
    QHash<QString, QString> m_moved; // old path to new path
    // Renames of one folder come in runs; its path after the renames is looked up once per run.
    QString m_lastParent;
    QString m_lastParentAfter;
};
