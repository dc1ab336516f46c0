#pragma once

#include "core/platform/FileSystem.h"
#include "core/preview/ProposalHistory.h"

#include <QString>

// One row of the preview list: a folder, its current and proposed name, the proposal history and what
// loading read about it. Entries are built, then handed to a PreviewList; from then on only the list
// changes them, so its key index and its views stay in step.
// The column numbers are the list's column API: sorting, the history and scripts address columns by number.
struct FolderEntry
{
    enum Column {
        ColParentPath = 0, // ends in one separator
        ColOldName = 1,
        ColNewName = 2,
        ColCreated = 3, // "yyyy-mm-dd hh:nn:ss"
        ColModified = 4,
        ColSize = 5,      // with the locale's digit grouping
        ColSortKey = 6,   // the sort key of the column last sorted by
        ColHistory0 = 7,  // proposal history levels 0 to 10 are columns 7 to 17
        ColPosition = 18, // 1-based row position at the last refresh, twelve digits
        ColumnCount = 19
    };
    static constexpr int kHistoryLevels = ProposalHistory::kLevels;

    QString parentPath; // ends in one separator
    QString oldName;
    QString newName;
    ProposalHistory history;
    qint64 size = 0;                          // bytes of the files below the folder
    qint64 created = PathInfo::kUnknownTime;  // seconds since the epoch
    qint64 modified = PathInfo::kUnknownTime; // last write
    int position = 0;                         // 1-based row at the last refresh
    bool changed = false;                     // new name differs from old name, as of the last refresh

    bool isChanged() const { return oldName != newName; }
    // The folder as it is on disk, and as it would be after taking the change (no trailing separator).
    QString currentPath() const { return parentPath + oldName; }
    QString proposedPath() const { return parentPath + newName; }
    // The entry's key: its full path ending in one separator, unique in the list. It is not stored: a
    // million rows would hold a second copy of every path, and a renamed folder would have to rewrite the
    // key of every row below it.
    QString key() const { return parentPath + oldName + QLatin1Char('/'); }
    // key() == text, without building the key.
    bool hasKey(QStringView text) const
    {
        const qsizetype p = parentPath.size();
        const qsizetype n = oldName.size();
        return text.size() == p + n + 1 && text.endsWith(u'/') && text.startsWith(parentPath) &&
               text.sliced(p, n) == oldName;
    }
    // key().startsWith(text), without building the key.
    bool keyStartsWith(QStringView text) const
    {
        if (text.size() <= parentPath.size())
            return QStringView(parentPath).startsWith(text);
        const QStringView rest = text.sliced(parentPath.size());
        if (!text.startsWith(parentPath))
            return false;
        if (rest.size() <= oldName.size())
            return QStringView(oldName).startsWith(rest);
        return rest.size() == oldName.size() + 1 && rest.endsWith(u'/') && rest.startsWith(oldName);
    }

    // What the table shows in a column; the sort key column is the list's business and empty here.
    QString text(int column) const;
    // The size as at least twelve digits, so sizes sort as text.
    QString sizeTag() const;
};
