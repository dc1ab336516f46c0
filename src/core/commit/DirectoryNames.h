#pragma once

#include <QHash>
#include <QSet>
#include <QString>

class FileSystem;

// The names on disk in the parent folders of the preview, read once per folder and kept until the folder
// changes. A folder's modification time tells of every entry added, removed or renamed in it; since it
// counts whole seconds, a read in the same second as the last change is read again next time.
class DirectoryNames
{
public:
    // The names in a folder (a path ending in one separator); nullptr when it cannot be read. nowSecs is
    // the clock's reading, seconds since the epoch. The pointer stays valid until the next call.
    const QSet<QString>* names(const FileSystem& fs, const QString& folder, qint64 nowSecs);
    // Forgets every folder: after renames of our own, which may fall in the second of an earlier read.
    void clear() { m_folders.clear(); }

private:
    struct Folder
    {
        QSet<QString> names;
        qint64 modified = 0;
        qint64 readAt = 0;
        bool readable = false;
    };
    QHash<QString, Folder> m_folders;
};
