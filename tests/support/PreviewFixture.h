#pragma once

#include "core/preview/FolderEntry.h"
#include "core/preview/PreviewList.h"

#include <QLocale>
#include <QString>

// Preview entries for tests, shaped as loading makes them: key = parent + name + "/", new name = old
// name unless given, the old name in history levels 0 to levels.
inline FolderEntry MakeEntry(const QString& parent, const QString& oldName, const QString& newName = QString(),
                             qint64 size = 0, int levels = 0)
{
    FolderEntry e;
    e.key = parent + oldName + QLatin1Char('/');
    e.col[FolderEntry::ColParentPath] = parent;
    e.col[FolderEntry::ColOldName] = oldName;
    e.col[FolderEntry::ColNewName] = newName.isNull() ? oldName : newName;
    e.col[FolderEntry::ColCreated] = QStringLiteral("2024-01-31 15:30:45");
    e.col[FolderEntry::ColModified] = QStringLiteral("2024-02-01 10:00:00");
    e.col[FolderEntry::ColSize] = QLocale(QLocale::English).toString(size);
    e.sizeTag = QStringLiteral("%1").arg(size, 12, 10, QLatin1Char('0'));
    for (int level = 0; level <= levels; ++level)
        e.history(level) = oldName;
    return e;
}

// The keys of the list in list order.
inline QStringList Keys(const PreviewList& list)
{
    QStringList keys;
    for (const FolderEntry& e : list.entries())
        keys.append(e.key);
    return keys;
}

// The old names of the list in list order.
inline QStringList OldNames(const PreviewList& list)
{
    QStringList names;
    for (const FolderEntry& e : list.entries())
        names.append(e.oldName());
    return names;
}
