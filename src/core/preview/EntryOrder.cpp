#include "core/preview/EntryOrder.h"

#include "core/preview/SortKey.h"

#include <QHash>
#include <algorithm>
#include <numeric>

QString EntrySortKey(const FolderEntry& e, int column)
{
    return column == FolderEntry::ColSize ? e.sizeTag() : BuildSortKey(e.text(column));
}

std::vector<int> SortedEntryOrder(const std::vector<FolderEntry>& entries, int column, Qt::SortOrder sortOrder,
                                  bool byParentFirst)
{
    const size_t n = entries.size();
    // Size tags are digits only; every other key is compared without regard to case.
    const bool fold = column != FolderEntry::ColSize;
    std::vector<QString> keys(n);
    for (size_t i = 0; i < n; ++i) {
        QString key = EntrySortKey(entries[i], column);
        keys[i] = fold ? FoldSortKey(key) : std::move(key);
    }
    // Parent paths repeat a lot: each distinct one is ranked once and entries compare their ranks.
    std::vector<int> parentRank;
    if (byParentFirst) {
        QHash<QString, int> rankOf;
        for (const FolderEntry& e : entries)
            rankOf.insert(e.parentPath, 0);
        std::vector<std::pair<QString, QString>> parents;
        parents.reserve(static_cast<size_t>(rankOf.size()));
        for (auto it = rankOf.cbegin(); it != rankOf.cend(); ++it)
            parents.emplace_back(FoldSortKey(BuildSortKey(it.key())), it.key());
        std::sort(parents.begin(), parents.end(),
                  [](const auto& a, const auto& b) { return CompareFoldedKeys(a.first, b.first) < 0; });
        // Parents with equal keys share a rank, as they would tie in a sort by parent path.
        int rank = 0;
        for (size_t p = 0; p < parents.size(); ++p) {
            if (p > 0 && CompareFoldedKeys(parents[p - 1].first, parents[p].first) != 0)
                ++rank;
            rankOf[parents[p].second] = rank;
        }
        parentRank.resize(n);
        for (size_t i = 0; i < n; ++i)
            parentRank[i] = rankOf.value(entries[i].parentPath);
    }
    // The path column stands for the folders' full paths: siblings follow their names in natural order,
    // so that a list sorted by path reads "Disc 1, Disc 2, Disc 10" whatever order they were loaded in.
    std::vector<QString> nameKeys;
    if (column == FolderEntry::ColParentPath) {
        nameKeys.resize(n);
        for (size_t i = 0; i < n; ++i)
            nameKeys[i] = FoldSortKey(EntrySortKey(entries[i], FolderEntry::ColOldName));
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    const int direction = sortOrder == Qt::AscendingOrder ? 1 : -1;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        int c = CompareFoldedKeys(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
        if (c == 0 && byParentFirst)
            c = parentRank[static_cast<size_t>(a)] - parentRank[static_cast<size_t>(b)];
        if (c == 0 && !nameKeys.empty())
            c = CompareFoldedKeys(nameKeys[static_cast<size_t>(a)], nameKeys[static_cast<size_t>(b)]);
        return direction * c < 0;
    });
    return order;
}
