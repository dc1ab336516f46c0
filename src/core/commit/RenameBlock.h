#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <vector>

// Renames that go to the run's record and the protocol together, one write each per block instead of
// one per rename. A block only takes renames that cannot change what another of its renames finds on
// disk: no path of one names or holds a path of another. So after a crash, each rename of the last block
// tells by itself whether it happened (its new path is there, its old one gone), whichever of them did.
class RenameBlock
{
public:
    // Enough to make the record's writes vanish among the renames, small enough to write in one go.
    static constexpr int kMaxRenames = 4096;

    struct Rename
    {
        int row = 0;
        size_t position = 0; // in the caller's sequence, to go on from when a block is cut short
        QString oldPath;     // both ending in a separator
        QString newPath;
        QByteArray line; // its protocol line; empty when nothing is recorded for it
    };

    // True when a rename of oldPath to newPath (in parentPath) may join: it neither names nor holds nor
    // lies below a path of the block.
    bool accepts(const QString& parentPath, const QString& oldPath, const QString& newPath);
    void add(Rename rename, const QString& parentPath);
    bool full() const { return static_cast<int>(m_renames.size()) >= kMaxRenames; }
    void clear();

    const std::vector<Rename>& renames() const { return m_renames; }

private:
    // True when the folder path or one above it is renamed in the block.
    bool underRenamed(const QString& folderPath) const;

    std::vector<Rename> m_renames;
    QSet<QString> m_renamed; // old and new paths of the block's renames
    QSet<QString> m_holding; // every folder path above one of them
    // Renames of one folder come in runs; the look above it is made once per run.
    QString m_checkedParent;
    bool m_parentFree = false;
};
