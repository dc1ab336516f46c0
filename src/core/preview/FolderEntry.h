#pragma once

#include "core/platform/FileSystem.h"
#include "core/preview/ProposalHistory.h"

#include <QString>

#include <algorithm>

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

    QString key;        // full path of the folder, ending in one separator; unique in the list
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

    // The room for a key of this many characters that its allocation holds anyway: the allocator hands out
    // blocks in steps of sixteen bytes, eight of them its own, and a text takes sixteen bytes of header and
    // a closing zero besides its characters.
    static qsizetype keyRoom(qsizetype length)
    {
        const qsizetype block = (16 + 2 * (length + 1) + 8 + 15) / 16 * 16;
        return std::max(length, (block - 8 - 16) / 2 - 1);
    }

    // What the table shows in a column; the sort key column is the list's business and empty here.
    QString text(int column) const;
    // The size as at least twelve digits, so sizes sort as text.
    QString sizeTag() const;
};
