#include "core/commit/NameClashes.h"

#include "core/preview/FolderEntry.h"

#include <QHash>

QList<NameClash> FindNameClashes(const std::vector<FolderEntry>& entries)
{
    QList<NameClash> clashes;
    QHash<QString, int> firstWithPath;
    firstWithPath.reserve(static_cast<qsizetype>(entries.size()));
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const FolderEntry& e = entries[static_cast<size_t>(row)];
        const QString path = e.proposedPath();
        const auto it = firstWithPath.constFind(path);
        if (it == firstWithPath.cend())
            firstWithPath.insert(path, row);
        else if (e.isChanged() || entries[static_cast<size_t>(it.value())].isChanged())
            clashes.append({it.value(), row});
    }
    return clashes;
}
