#include "core/preview/EntryOrder.h"

#include "core/platform/LocalTime.h"
#include "core/preview/SortKey.h"

#include <QHash>
#include <algorithm>
#include <numeric>
#include <optional>

namespace {

// The local date and time a time column shows, as one number: numbers in this order are the shown
// texts in text order, without building 100 000 texts. Unknown times show as the first of 1980.
qint64 shownTimeKey(qint64 secsSinceEpoch)
{
    constexpr qint64 kDay = 24 * 60 * 60;
    if (secsSinceEpoch == PathInfo::kUnknownTime)
        return QDate(1980, 1, 1).toJulianDay() * kDay;
    const LocalTime::Parts parts = LocalTime::parts(secsSinceEpoch);
    return parts.date.toJulianDay() * kDay + parts.time.msecsSinceStartOfDay() / 1000;
}

// Columns whose shown text orders like a number: the key is that number, or nothing.
std::optional<qint64> numberKey(const FolderEntry& e, int column)
{
    switch (column) {
    case FolderEntry::ColCreated:
        return shownTimeKey(e.created);
    case FolderEntry::ColModified:
        return shownTimeKey(e.modified);
    case FolderEntry::ColSize:
        return e.size;
    case FolderEntry::ColPosition:
        // Rows not yet counted show nothing, which comes first.
        return e.position > 0 ? e.position : -1;
    default:
        return std::nullopt;
    }
}

bool isNumberColumn(int column)
{
    return numberKey(FolderEntry(), column).has_value();
}

bool sameParentAsBefore(const std::vector<FolderEntry>& entries, size_t i)
{
    return i > 0 && entries[i].parentPath == entries[i - 1].parentPath;
}

// Each distinct parent path ranked once by its natural key: parent paths repeat a lot. Parents with equal
// keys share a rank, as they would tie in a sort by parent path.
std::vector<int> parentRanks(const std::vector<FolderEntry>& entries)
{
    QHash<QString, int> rankOf;
    for (const QString& parent : DistinctParents(entries))
        rankOf.insert(parent, 0);
    std::vector<std::pair<QString, QString>> parents;
    parents.reserve(static_cast<size_t>(rankOf.size()));
    for (auto it = rankOf.cbegin(); it != rankOf.cend(); ++it)
        parents.emplace_back(FoldSortKey(BuildSortKey(it.key())), it.key());
    std::sort(parents.begin(), parents.end(),
              [](const auto& a, const auto& b) { return CompareFoldedKeys(a.first, b.first) < 0; });
    int rank = 0;
    for (size_t p = 0; p < parents.size(); ++p) {
        if (p > 0 && CompareFoldedKeys(parents[p - 1].first, parents[p].first) != 0)
            ++rank;
        rankOf[parents[p].second] = rank;
    }
    std::vector<int> ranks(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        ranks[i] = sameParentAsBefore(entries, i) ? ranks[i - 1] : rankOf.value(entries[i].parentPath);
    return ranks;
}

template <typename T> int compare(const T& a, const T& b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

} // namespace

QString EntrySortKey(const FolderEntry& e, int column)
{
    return column == FolderEntry::ColSize ? e.sizeTag() : BuildSortKey(e.text(column));
}

std::vector<int> SortedEntryOrder(const std::vector<FolderEntry>& entries, int column, Qt::SortOrder sortOrder,
                                  bool byParentFirst)
{
    const size_t n = entries.size();
    const bool byPath = column == FolderEntry::ColParentPath;
    const std::vector<int> parentRank = byPath || byParentFirst ? parentRanks(entries) : std::vector<int>();
    // The key of the column: a number, the parent's rank, or the natural key of the text, folded once.
    std::vector<qint64> numbers;
    std::vector<QString> texts;
    if (isNumberColumn(column)) {
        numbers.resize(n);
        for (size_t i = 0; i < n; ++i)
            numbers[i] = *numberKey(entries[i], column);
    } else if (!byPath) {
        texts.resize(n);
        for (size_t i = 0; i < n; ++i)
            texts[i] = FoldSortKey(EntrySortKey(entries[i], column));
    }
    // The path column stands for the folders' full paths: siblings follow their names in natural order,
    // so that a list sorted by path reads "Disc 1, Disc 2, Disc 10" whatever order they were loaded in.
    std::vector<QString> nameKeys;
    if (byPath) {
        nameKeys.resize(n);
        for (size_t i = 0; i < n; ++i)
            nameKeys[i] = FoldSortKey(EntrySortKey(entries[i], FolderEntry::ColOldName));
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    const int direction = sortOrder == Qt::AscendingOrder ? 1 : -1;
    std::stable_sort(order.begin(), order.end(), [&](int ia, int ib) {
        const auto a = static_cast<size_t>(ia);
        const auto b = static_cast<size_t>(ib);
        int c = 0;
        if (!numbers.empty())
            c = compare(numbers[a], numbers[b]);
        else if (!texts.empty())
            c = CompareFoldedKeys(texts[a], texts[b]);
        if (c == 0 && !parentRank.empty())
            c = parentRank[a] - parentRank[b];
        if (c == 0 && !nameKeys.empty())
            c = CompareFoldedKeys(nameKeys[a], nameKeys[b]);
        return direction * c < 0;
    });
    return order;
}

QSet<QString> DistinctParents(const std::vector<FolderEntry>& entries)
{
    // Siblings mostly stand together.
    QSet<QString> parents;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!sameParentAsBefore(entries, i))
            parents.insert(entries[i].parentPath);
    }
    return parents;
}
