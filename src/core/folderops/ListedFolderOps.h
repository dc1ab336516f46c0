#pragma once

#include "core/folderops/FolderTransfer.h"

#include <QString>
#include <vector>

class FileSystem;
class PreviewList;

// The preview list's side of copying, moving and deleting its folders.
namespace ListedFolderOps {

// The rows the apply-to selector (0 all, 1 selected, 2 not selected) admits, in list order.
std::vector<int> TargetRows(const PreviewList& list, int applyTo);

// Copies or moves into one folder must not bring two folders of one name together: the first target row
// whose folder name (exact comparison) equals that of any later row of the list, targeted or not; -1
// when there is none.
int FirstNameClash(const PreviewList& list, const std::vector<int>& rows);

// Source and destination of each target row: the folder, and the folder of its name in targetFolder.
std::vector<TransferItem> TransferItems(const PreviewList& list, const std::vector<int>& rows,
                                        const QString& targetFolder);

// After a copy or move into targetFolder: every target row whose folder was copied or moved (not one
// skipped because its target existed: that is another folder) points at its destination. A moved folder
// takes the listed folders below it along; copied ones stay where they were.
void PointAtDestinations(PreviewList& list, const std::vector<int>& rows, const TransferReport& report,
                         const QString& targetFolder, bool moved);

// Removes, from the last row to the first, every entry whose folder no longer exists. Returns how many.
int RemoveVanished(PreviewList& list, const FileSystem& fs);

} // namespace ListedFolderOps
