#pragma once

#include <QString>
#include <array>

// One row of the preview list: a folder, its current and proposed name and the proposal history.
// The columns keep their fixed numbers because sorting, the history and scripts address them by number.
struct FolderEntry
{
    enum Column {
        ColParentPath = 0, // ends in one separator
        ColOldName = 1,
        ColNewName = 2,
        ColCreated = 3, // "yyyy-mm-dd hh:nn:ss"
        ColModified = 4,
        ColSize = 5,      // with the locale's digit grouping
        ColSortKey = 6,   // filled just before each sort
        ColHistory0 = 7,  // proposal history levels 0 to 10 are columns 7 to 17
        ColPosition = 18, // 1-based row position at the last refresh, twelve digits
        ColumnCount = 19
    };
    static constexpr int kHistoryLevels = 11;

    QString key; // full path of the folder, ending in one separator; unique in the list
    std::array<QString, ColumnCount> col;
    QString sizeTag;      // the size as exactly twelve digits, so sizes sort as text
    bool changed = false; // new name differs from old name, as of the last refresh

    const QString& parentPath() const { return col[ColParentPath]; }
    const QString& oldName() const { return col[ColOldName]; }
    const QString& newName() const { return col[ColNewName]; }
    void setNewName(const QString& name) { col[ColNewName] = name; }
    QString& history(int level) { return col[ColHistory0 + level]; }
    const QString& history(int level) const { return col[ColHistory0 + level]; }
    bool isChanged() const { return col[ColOldName] != col[ColNewName]; }
    // The folder as it is on disk, and as it would be after taking the change (no trailing separator).
    QString currentPath() const { return col[ColParentPath] + col[ColOldName]; }
    QString proposedPath() const { return col[ColParentPath] + col[ColNewName]; }
};
