#pragma once

#include <QString>
#include <vector>

class PreviewList;

// The five ways of removing entries from the preview list, chosen by the tag of the "DelList" button.
enum class RemovalVariant { None, All, Selected, NotSelected, Changed, Unchanged };

// Which entries a removal takes away and whether the user must be asked first because changes would be
// lost. Nothing is removed when the plan's count is 0.
struct RemovalPlan
{
    RemovalVariant variant = RemovalVariant::None;
    std::vector<bool> remove; // one flag per row
    int count = 0;
    bool ask = false;
};

RemovalPlan PlanRemoval(const PreviewList& list, RemovalVariant variant);
