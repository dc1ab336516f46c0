#include "core/commit/SafeTakePlan.h"

#include "core/preview/PreviewList.h"

#include <QHash>
#include <algorithm>
#include <utility>

std::vector<int> SafeTakeOrder(const PreviewList& list)
{
    std::vector<int> changed;
    for (int i = 0; i < list.size(); ++i) {
        if (list.entry(i).isChanged())
            changed.push_back(i);
    }
    std::vector<std::pair<int, int>> depthAndParent(static_cast<size_t>(list.size()));
    QHash<QString, int> parentNumber;
    const QString* lastParent = nullptr;
    std::pair<int, int> last;
    for (int i : changed) {
        const QString& parent = list.entry(i).parentPath;
        if (!lastParent || *lastParent != parent) {
            auto number = parentNumber.constFind(parent);
            if (number == parentNumber.cend())
                number = parentNumber.insert(parent, static_cast<int>(parentNumber.size()));
            last = {static_cast<int>(parent.count(QLatin1Char('/'))), *number};
            lastParent = &parent;
        }
        depthAndParent[static_cast<size_t>(i)] = last;
    }
    const auto before = [&](int a, int b) {
        return depthAndParent[static_cast<size_t>(a)] < depthAndParent[static_cast<size_t>(b)];
    };
    // Siblings, and lists loaded parent by parent, stand in this order already: one look, no sort.
    if (!std::is_sorted(changed.cbegin(), changed.cend(), before))
        std::stable_sort(changed.begin(), changed.end(), before);
    return changed;
}

FolderPlan PlanFolder(const PreviewList& list, const std::vector<int>& changed, size_t first)
{
    FolderPlan plan;
    const QString& parent = list.entry(changed[first]).parentPath;
    plan.end = first;
    while (plan.end < changed.size() && list.entry(changed[plan.end]).parentPath == parent)
        ++plan.end;
    // A folder may hold a million of them: no room is given twice, and no name is copied but for a cycle.
    std::vector<SiblingNames> names;
    names.reserve(plan.end - first);
    for (size_t i = first; i < plan.end; ++i)
        names.push_back({list.entry(changed[i]).oldName, list.entry(changed[i]).newName});
    plan.steps = PlanSiblingRenames(names);
    if (HoldsCycle(plan.steps)) {
        plan.renames.reserve(names.size());
        for (const SiblingNames& n : names)
            plan.renames.push_back({n.from.toString(), n.to.toString()});
    }
    return plan;
}
