#include "core/commit/SiblingRenamePlan.h"

#include "core/preview/LookAhead.h"
#include "core/preview/NumberTable.h"

#include <QHash>

#include <algorithm>

namespace {

// For every rename, the one that must happen before it because it gives up its target (-1 when the target
// is free), turned round: waiter[j] is the rename waiting for j.
std::vector<int> waiters(const std::vector<SiblingNames>& renames, std::vector<bool>& targetFree)
{
    const int n = static_cast<int>(renames.size());
    NumberTable byFrom;
    byFrom.reserve(renames.size());
    const auto hashesOf = [&](QStringView SiblingNames::*name) {
        return LookAhead(renames.size(), [&renames, &byFrom, name](size_t i) {
            const size_t hash = NumberTable::hashOf(renames[i].*name);
            byFrom.prefetch(hash);
            return hash;
        });
    };
    auto fromHash = hashesOf(&SiblingNames::from);
    for (quint32 i = 0; i < renames.size(); ++i) {
        const QStringView from = renames[i].from;
        byFrom.add(i, fromHash(i), [&](quint32 held) { return renames[held].from == from; });
    }
    std::vector<int> waiter(static_cast<size_t>(n), -1);
    targetFree.assign(static_cast<size_t>(n), true);
    auto toHash = hashesOf(&SiblingNames::to);
    for (int i = 0; i < n; ++i) {
        const QStringView to = renames[static_cast<size_t>(i)].to;
        const int j = static_cast<int>(
            byFrom.find(toHash(static_cast<size_t>(i)), [&](quint32 held) { return renames[held].from == to; })
                .value_or(quint32(-1)));
        if (j >= 0 && j != i) {
            waiter[static_cast<size_t>(j)] = i;
            targetFree[static_cast<size_t>(i)] = false;
        }
    }
    return waiter;
}

} // namespace

std::vector<SiblingStep> PlanSiblingRenames(const std::vector<SiblingRename>& renames)
{
    std::vector<SiblingNames> names;
    names.reserve(renames.size());
    for (const SiblingRename& r : renames)
        names.push_back({r.from, r.to});
    return PlanSiblingRenames(names);
}

std::vector<SiblingStep> PlanSiblingRenames(const std::vector<SiblingNames>& renames)
{
    std::vector<bool> targetFree;
    const std::vector<int> waiter = waiters(renames, targetFree);
    const int n = static_cast<int>(renames.size());
    std::vector<SiblingStep> steps;
    steps.reserve(renames.size());
    std::vector<bool> done(renames.size(), false);
    // Chains: from the rename whose target is free back to the one that waits longest.
    for (int i = 0; i < n; ++i) {
        if (!targetFree[static_cast<size_t>(i)])
            continue;
        for (int k = i; k >= 0 && !done[static_cast<size_t>(k)]; k = waiter[static_cast<size_t>(k)]) {
            steps.push_back({k, SiblingStep::Kind::Direct});
            done[static_cast<size_t>(k)] = true;
        }
    }
    // What is left are cycles: park one member, run the rest as a chain, unpark it into the freed name.
    for (int i = 0; i < n; ++i) {
        if (done[static_cast<size_t>(i)])
            continue;
        steps.push_back({i, SiblingStep::Kind::Park});
        done[static_cast<size_t>(i)] = true;
        for (int k = waiter[static_cast<size_t>(i)]; k >= 0 && k != i; k = waiter[static_cast<size_t>(k)]) {
            steps.push_back({k, SiblingStep::Kind::Direct});
            done[static_cast<size_t>(k)] = true;
        }
        steps.push_back({i, SiblingStep::Kind::Unpark});
    }
    return steps;
}

bool HasRenameCycle(const std::vector<SiblingRename>& renames)
{
    return HoldsCycle(PlanSiblingRenames(renames));
}

bool HoldsCycle(const std::vector<SiblingStep>& steps)
{
    return std::any_of(steps.cbegin(), steps.cend(),
                       [](const SiblingStep& step) { return step.kind == SiblingStep::Kind::Park; });
}

QString FreeTemporaryName(const QSet<QString>& taken, const std::vector<SiblingRename>& renames)
{
    QSet<QString> given;
    for (const SiblingRename& r : renames)
        given.insert(r.to);
    // A dot name stays out of sight in file managers for the moment it exists.
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral(".dirwright-swap-%1").arg(n);
        if (!taken.contains(name) && !given.contains(name))
            return name;
    }
}
