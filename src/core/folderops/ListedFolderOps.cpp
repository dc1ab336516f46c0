#include "core/folderops/ListedFolderOps.h"

#include "core/platform/FileSystem.h"
#include "core/preview/PreviewList.h"
#include "core/settings/Paths.h"

#include <QSet>

namespace ListedFolderOps {

std::vector<int> TargetRows(const PreviewList& list, int applyTo)
{
    const std::vector<bool> selected = list.selectedRows();
    std::vector<int> rows;
    for (int row = 0; row < list.size(); ++row) {
        if (ApplyTarget(selected[static_cast<std::size_t>(row)], applyTo))
            rows.push_back(row);
    }
    return rows;
}

int FirstNameClash(const PreviewList& list, const std::vector<int>& rows)
{
    // Walking up from the end, each row only needs the names seen below it.
    QSet<QString> below;
    std::vector<bool> clashes(static_cast<std::size_t>(list.size()), false);
    for (int row = list.size() - 1; row >= 0; --row) {
        const QString& name = list.entry(row).oldName;
        clashes[static_cast<std::size_t>(row)] = below.contains(name);
        below.insert(name);
    }
    for (const int row : rows) {
        if (clashes[static_cast<std::size_t>(row)])
            return row;
    }
    return -1;
}

std::vector<TransferItem> TransferItems(const PreviewList& list, const std::vector<int>& rows,
                                        const QString& targetFolder)
{
    std::vector<TransferItem> items;
    const QString target = EnsureTrailingSeparator(targetFolder);
    for (const int row : rows) {
        const FolderEntry& e = list.entry(row);
        items.push_back({StripTrailingSeparator(e.currentPath()), target + e.oldName});
    }
    return items;
}

void PointAtDestinations(PreviewList& list, const std::vector<int>& rows, const TransferReport& report,
                         const QString& targetFolder, bool moved)
{
    const QString target = EnsureTrailingSeparator(targetFolder);
    PreviewList::BulkEdit edit(list, true);
    for (std::size_t i = 0; i < rows.size() && i < report.results.size(); ++i) {
        const int row = rows[i];
        const FolderEntry e = list.entry(row);
        const QString destination = target + e.oldName + QLatin1Char('/');
        if (report.results[i].state != TransferResult::State::Done || list.hasKey(destination))
            continue;
        if (moved) {
            for (int other = 0; other < list.size(); ++other) {
                if (other != row)
                    static_cast<void>(list.moveKeyUnder(other, e.key(), destination));
            }
        }
        static_cast<void>(list.moveKeyUnder(row, e.parentPath, target));
    }
}

int RemoveVanished(PreviewList& list, const FileSystem& fs)
{
    std::vector<bool> remove(static_cast<std::size_t>(list.size()), false);
    int count = 0;
    for (int row = list.size() - 1; row >= 0; --row) {
        if (!fs.folderExists(list.entry(row).key())) {
            remove[static_cast<std::size_t>(row)] = true;
            ++count;
        }
    }
    if (count > 0)
        list.removeEntries(remove);
    return count;
}

} // namespace ListedFolderOps
