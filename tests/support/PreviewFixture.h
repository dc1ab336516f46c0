#pragma once

#include "core/preview/FolderEntry.h"
#include "core/preview/PreviewList.h"

#include <QDateTime>
#include <QString>

// Preview entries for tests, shaped as loading makes them: new name = old
// name unless given, the old name in history levels 0 to levels.
inline FolderEntry MakeEntry(const QString& parent, const QString& oldName, const QString& newName = QString(),
                             qint64 size = 0, int levels = 0)
{
    FolderEntry e;
    e.parentPath = parent;
    e.oldName = oldName;
    e.newName = newName.isNull() ? oldName : newName;
    e.created = QDateTime(QDate(2024, 1, 31), QTime(15, 30, 45)).toSecsSinceEpoch();
    e.modified = QDateTime(QDate(2024, 2, 1), QTime(10, 0)).toSecsSinceEpoch();
    e.size = size;
    e.history.reset(oldName, levels);
    return e;
}

// The keys of the list in list order.
inline QStringList Keys(const PreviewList& list)
{
    QStringList keys;
    for (const FolderEntry& e : list.entries())
        keys.append(e.key());
    return keys;
}

// The old names of the list in list order.
inline QStringList OldNames(const PreviewList& list)
{
    QStringList names;
    for (const FolderEntry& e : list.entries())
        names.append(e.oldName);
    return names;
}
