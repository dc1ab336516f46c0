#pragma once

#include <QString>
#include <vector>

class PreviewList;

// One folder renamed on disk: full paths, each ending in one separator, in the same parent folder.
struct FolderRename
{
    QString from;
    QString to;
};

// The list follows renames made outside a take (undone from the history), in the order given, as a take
// does: the entry whose key is a renamed path gets the new key, the new name as its old name and history
// level 0 (a pending proposal stays), and the entries below it move along. The caller refreshes the list
// afterwards.
void FollowRenames(PreviewList& list, const std::vector<FolderRename>& renames);
