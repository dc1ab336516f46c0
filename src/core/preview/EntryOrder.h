#pragma once

#include "core/preview/FolderEntry.h"

#include <QString>
#include <Qt>
#include <vector>

// The sort key of an entry's text in a column (natural order, see BuildSortKey); sizes sort by their tag.
QString EntrySortKey(const FolderEntry& e, int column);

// The entries ordered by a column: row r of the result is entry order[r]. Keys compare without regard to
// case; equal keys keep their order, or with byParentFirst go by their parent path's key first (the order
// of a sort by parent path followed by a stable sort by the column). By parent path, siblings go by name.
std::vector<int> SortedEntryOrder(const std::vector<FolderEntry>& entries, int column, Qt::SortOrder sortOrder,
                                  bool byParentFirst);

// The distinct parent paths of the entries, in the order they first come: an entry with the parent of the
// one before costs no look-up.
std::vector<QString> DistinctParents(const std::vector<FolderEntry>& entries);
