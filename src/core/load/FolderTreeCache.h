#pragma once

#include "core/platform/FileSystem.h"

#include <QString>
#include <functional>
#include <optional>
#include <unordered_map>

// The folder scans of one loading action. Every folder is read once (its subfolders and the bytes of its
// files in one pass), and a folder's total size is summed bottom-up from its children's totals, so loading
// a whole tree costs one walk however many of its folders become rows. Links to folders are listed but
// never walked through, so a loop of links cannot make a walk run forever; nor are volumes mounted below
// the folder counted (like "du -x": a mounted disk or /proc inside is not part of the folder's size). The cache is
// dropped when the action ends: a later action sees the disk as it is then.
class FolderTreeCache
{
public:
    explicit FolderTreeCache(const FileSystem& fs)
        : m_fs(fs)
    {}

    // The bytes of all regular files in the tree below the folder (an unreadable folder counts 0).
    // keepGoing is asked after every folder that had to be read; nothing when it said stop.
    std::optional<qint64> totalSize(const QString& folder, const std::function<bool()>& keepGoing);

    // A folder read elsewhere (on another thread, ahead of its turn), kept as if read here; nothing when
    // the folder was read already.
    void addScan(const QString& folder, FolderScan scan);

    // The direct subfolders of a folder, links included and flagged; read at most once per action.
    QList<SubfolderInfo> subfolders(const QString& folder);

    // Folders read so far.
    int scannedCount() const { return static_cast<int>(m_nodes.size()); }

private:
    struct Node
    {
        QList<SubfolderInfo> subfolders;
        qint64 fileBytes = 0;
        quint64 device = 0;
        qint64 total = -1; // not summed yet
    };

    // Keys are folder paths as the file system gives them: absolute, no trailing separator.
    Node& scanned(const QString& folder, bool* wasRead = nullptr);
    static Node nodeOf(FolderScan scan);

    const FileSystem& m_fs;
    std::unordered_map<QString, Node> m_nodes; // node-based: references stay valid while it grows
};
