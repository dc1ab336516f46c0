#include "core/commit/FollowRenames.h"

#include "core/commit/PathPrefixIndex.h"
#include "core/preview/PreviewList.h"

void FollowRenames(PreviewList& list, const std::vector<FolderRename>& renames)
{
    if (renames.empty() || list.isEmpty())
        return;
    const PreviewList::BulkEdit bulk(list);
    // The entries below a renamed folder are found through their holding folders, not a walk per rename.
    PathPrefixIndex below;
    for (int row = 0; row < list.size(); ++row)
        below.insert(list.entry(row).parentPath, row);
    for (const FolderRename& rename : renames) {
        if (const int row = list.rowOfKey(rename.from); row >= 0) {
            const FolderEntry& e = list.entry(row);
            const QString pending = e.isChanged() ? e.newName : QString();
            const QStringView path = QStringView(rename.to).chopped(1);
            list.setNewName(row, path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).toString());
            list.markRenamed(row, rename.to);
            if (!pending.isEmpty())
                list.setNewName(row, pending);
        }
        for (const int row : below.movePrefix(rename.from, rename.to))
            list.moveKeyUnder(row, rename.from, rename.to);
    }
}
