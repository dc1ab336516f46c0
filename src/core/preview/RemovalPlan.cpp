#include "core/preview/RemovalPlan.h"

#include "core/preview/PreviewList.h"

RemovalVariant RemovalVariantFromTag(const QString& tag)
{
    const QString upper = tag.toUpper();
    if (upper.isEmpty() || upper == QLatin1String("DELLIST1"))
        return RemovalVariant::All;
    if (upper == QLatin1String("DELLIST2"))
        return RemovalVariant::Selected;
    if (upper == QLatin1String("DELLIST3"))
        return RemovalVariant::NotSelected;
    if (upper == QLatin1String("DELLIST4"))
        return RemovalVariant::Changed;
    if (upper == QLatin1String("DELLIST5"))
        return RemovalVariant::Unchanged;
    return RemovalVariant::None;
}

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
