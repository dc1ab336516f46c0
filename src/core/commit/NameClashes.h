#pragma once

#include <QList>
#include <vector>

struct FolderEntry;

// Two entries of one list that would end up with the same name in the same folder: renaming both can
// only fail for the second, half-way through a run. Rows are 0-based; first comes before second.
struct NameClash
{
    int first = 0;
    int second = 0;
};

// Every entry whose new name, in its folder, equals the new name of an earlier entry there, with that
// earlier entry; pairs where neither entry changes are left out (they are two rows of one folder, which
// the list never holds). Names compare exactly, as the file system does.
QList<NameClash> FindNameClashes(const std::vector<FolderEntry>& entries);
