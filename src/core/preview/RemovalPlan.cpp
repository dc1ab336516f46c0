#include "core/preview/RemovalPlan.h"

#include "core/preview/PreviewList.h"

RemovalPlan PlanRemoval(const PreviewList& list, RemovalVariant variant)
{
    RemovalPlan plan;
    plan.variant = variant;
    plan.remove.assign(static_cast<size_t>(list.size()), false);
    if (variant == RemovalVariant::None)
        return plan;
    const bool needsSelection = variant == RemovalVariant::Selected || variant == RemovalVariant::NotSelected;
    const std::vector<bool> selected = needsSelection ? list.selectedRows() : std::vector<bool>();
    bool anyChanged = false;
    for (int row = 0; row < list.size(); ++row) {
        const bool changed = list.entry(row).isChanged();
        bool take = false;
        switch (variant) {
        case RemovalVariant::All:
            take = true;
            break;
        case RemovalVariant::Selected:
            take = selected[static_cast<size_t>(row)];
            break;
        case RemovalVariant::NotSelected:
            take = !selected[static_cast<size_t>(row)];
            break;
        case RemovalVariant::Changed:
            take = changed;
            break;
        case RemovalVariant::Unchanged:
            take = !changed;
            break;
        case RemovalVariant::None:
            break;
        }
        if (!take)
            continue;
        plan.remove[static_cast<size_t>(row)] = true;
        ++plan.count;
        anyChanged = anyChanged || changed;
    }
    // Removing unchanged entries never loses a proposal, so it never asks.
    plan.ask = anyChanged && variant != RemovalVariant::Unchanged;
    return plan;
}
