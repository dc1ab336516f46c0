#pragma once

#include "core/commit/SiblingRenamePlan.h"

#include <cstddef>
#include <vector>

class PreviewList;

// The changed rows in the order of a safe take. Parents before their children: a child is then renamed
// under its parent's new path, which its protocol line names, as the history expects of a line written
// after its parent's. Each folder's entries stand together, for its plan. Folders of one depth go by
// where their parent first comes in the list.
std::vector<int> SafeTakeOrder(const PreviewList& list);

// The renames of one folder, whose rows start at changed[first] and end before changed[end], and their plan.
struct FolderPlan
{
    size_t end = 0;
    std::vector<SiblingStep> steps;
    // The names of the renames as planned, where the steps hold a cycle (else empty): parking one member
    // comes after other renames of the take have changed their rows.
    std::vector<SiblingRename> renames;
};

// The plan of the folder whose rows start at changed[first], in the order of SafeTakeOrder.
FolderPlan PlanFolder(const PreviewList& list, const std::vector<int>& changed, size_t first);
