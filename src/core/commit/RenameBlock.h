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
    // The renames of a run's first block: nothing runs while it is planned, so a small one gets the disk
    // going soon. Planning a rename takes half its time on disk or less, so each block after, planned while
    // the one before runs, may have twice its renames.
    static constexpr int kFirstRenames = 256;

    struct Rename
    {
        int row = 0;
        size_t position = 0; // in the caller's sequence, to go on from when a block is cut short
        QString parentPath;  // where the folder will stand when its turn comes
        QString oldPath;     // both ending in a separator
        QString newPath;
        QByteArray line; // its protocol line; empty when nothing is recorded for it
        // The rename of the block that moves the folder above this one there, -1 for none: this one can
        // only run when that one did.
        int after = -1;
        bool nameAllowed = true; // false: the new name cannot be given, so the rename fails untried
    };

    // Where a folder now in parentPath will stand once the renames of `before` (a block that runs first,
    // if any) and of this block have run, and which rename of this block moves it there.
    struct Place
    {
        QString parentPath;
        int after = -1;
    };
    Place placeAfterRenames(const QString& parentPath, const RenameBlock* before = nullptr);
    // True when a rename of oldPath to newPath, both in the parent path placeAfterRenames gives, may
    // join: it neither names nor holds a path of the block.
    bool accepts(const QString& oldPath, const QString& newPath) const;
    void add(Rename rename);
    bool full() const { return static_cast<int>(m_renames.size()) >= kMaxRenames; }
    void clear();

    const std::vector<Rename>& renames() const { return m_renames; }

private:
    // path once the block's renames have run; mover hears the last rename that moved it (-1 for none).
    QString followMoves(const QString& path, int* mover) const;

    std::vector<Rename> m_renames;
    QSet<QString> m_renamed;     // old and new paths of the block's renames
    QSet<QString> m_holding;     // every folder path above one of them
    QHash<QString, int> m_moved; // old path to the rename that moves it
    // Renames of one folder come in runs; its place after the renames is looked up once per run.
    QString m_lastParent;
    Place m_lastPlace;
};
