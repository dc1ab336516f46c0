#include "core/preview/EntryOrder.h"

#include "core/platform/LocalTime.h"
#include "core/platform/ParallelRuns.h"
#include "core/preview/NaturalKeys.h"
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

// Each row's parent as an index into parents, the distinct parent paths in the order they first come:
// looked up once per run of siblings, and the texts fetched a few rows ahead (after a sort they lie
// scattered in memory).
std::vector<int> parentIndexes(const std::vector<FolderEntry>& entries, std::vector<const QString*>& parents)
{
    QHash<QString, int> indexOf;
    std::vector<int> indexes(entries.size());
    constexpr size_t kAhead = 8;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i + kAhead < entries.size())
            __builtin_prefetch(entries[i + kAhead].parentPath.constData());
        if (sameParentAsBefore(entries, i)) {
            indexes[i] = indexes[i - 1];
            continue;
        }
        const auto found = indexOf.constFind(entries[i].parentPath);
        if (found != indexOf.cend()) {
            indexes[i] = *found;
            continue;
        }
        indexes[i] = static_cast<int>(parents.size());
        parents.push_back(&entries[i].parentPath);
        indexOf.insert(entries[i].parentPath, indexes[i]);
    }
    return indexes;
}

// Each distinct parent path ranked once by its natural key: parent paths repeat a lot. Parents with equal
// keys share a rank, as they would tie in a sort by parent path.
std::vector<int> parentRanks(const std::vector<FolderEntry>& entries)
{
    std::vector<const QString*> parents;
    std::vector<int> ranks = parentIndexes(entries, parents);
    NaturalKeys keys;
    for (const QString* parent : parents)
        keys.append(*parent);
    std::vector<int> byKey(parents.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(),
              [&](int a, int b) { return keys.at(static_cast<size_t>(a)) < keys.at(static_cast<size_t>(b)); });
    std::vector<int> rankOfIndex(parents.size());
    int rank = 0;
    for (size_t p = 0; p < byKey.size(); ++p) {
        const auto key = static_cast<size_t>(byKey[p]);
        if (p > 0 && keys.at(static_cast<size_t>(byKey[p - 1])) != keys.at(key))
            ++rank;
        rankOfIndex[key] = rank;
    }
    for (int& r : ranks)
        r = rankOfIndex[static_cast<size_t>(r)];
    return ranks;
}

// The column's text of every entry; the text columns are read in place.
NaturalKeys naturalKeys(const std::vector<FolderEntry>& entries, int column)
{
    const QString FolderEntry::*field = column == FolderEntry::ColParentPath ? &FolderEntry::parentPath
                                        : column == FolderEntry::ColOldName  ? &FolderEntry::oldName
                                        : column == FolderEntry::ColNewName  ? &FolderEntry::newName
                                                                             : nullptr;
    NaturalKeys keys;
    keys.reserve(entries.size(), entries.size() * 48);
    // After a sort the entries' texts lie scattered in memory: fetch a few rows ahead.
    constexpr size_t kAhead = 8;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (field && i + kAhead < entries.size())
            __builtin_prefetch((entries[i + kAhead].*field).constData());
        keys.append(field ? entries[i].*field : entries[i].text(column));
    }
    return keys;
}

// Sorts on two threads when there is enough to share: each sorts one half, then the halves merge. The
// order must be total (ties broken), so that the result is the one a single sort gives.
template <typename Row, typename Less> void sortShared(std::vector<Row>& rows, Less less)
{
    constexpr size_t kSharedFrom = 16384;
    const auto at = [&](size_t i) { return rows.begin() + static_cast<std::ptrdiff_t>(i); };
    if (rows.size() >= kSharedFrom &&
        RunInTwoHalves(rows.size(), [&](size_t from, size_t to, int) { std::sort(at(from), at(to), less); })) {
        std::inplace_merge(rows.begin(), at(rows.size() / 2), rows.end(), less);
        return;
    }
    std::sort(rows.begin(), rows.end(), less);
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
    // The path column stands for the folders' full paths: siblings follow their names in natural order,
    // so that a list sorted by path reads "Disc 1, Disc 2, Disc 10" whatever order they were loaded in.
    const bool byNumber = isNumberColumn(column);
    const NaturalKeys keys =
        byNumber ? NaturalKeys() : naturalKeys(entries, byPath ? int(FolderEntry::ColOldName) : column);
    // Each row's first criterion in eight bytes, next to its index: most comparisons end there.
    struct Row
    {
        quint64 head;
        int index;
    };
    std::vector<Row> rows(n);
    // By path, the head holds the parent's rank and, below it, the name's first bytes while the ranks fit:
    // siblings then mostly part without reading their keys.
    constexpr int kNameBits = 40;
    const bool nameInHead = byPath && (parentRank.empty() || *std::max_element(parentRank.begin(), parentRank.end()) <
                                                                 (1 << (64 - kNameBits)));
    for (size_t i = 0; i < n; ++i) {
        quint64 head = 0;
        if (nameInHead)
            head = static_cast<quint64>(parentRank[i]) << kNameBits | keys.head(i) >> (64 - kNameBits);
        else if (byPath)
            head = static_cast<quint64>(parentRank[i]);
        else if (byNumber)
            head = static_cast<quint64>(*numberKey(entries[i], column)) ^ (quint64(1) << 63);
        else
            head = keys.head(i);
        rows[i] = {head, static_cast<int>(i)};
    }
    const bool ascending = sortOrder == Qt::AscendingOrder;
    const auto compareRows = [&](const Row& x, const Row& y) {
        const int c = compare(x.head, y.head);
        if (c != 0 || (byNumber && !byParentFirst))
            return c;
        const auto a = static_cast<size_t>(x.index);
        const auto b = static_cast<size_t>(y.index);
        if (byPath || byNumber)
            return byPath ? NaturalKeys::compare(keys.at(a), keys.at(b)) : compare(parentRank[a], parentRank[b]);
        const int text = NaturalKeys::compare(keys.at(a), keys.at(b));
        return (text != 0 || !byParentFirst) ? text : compare(parentRank[a], parentRank[b]);
    };
    // Equal rows keep their order in either direction. A list sorted already (refreshed after a change that
    // left the column alone) costs one look at each pair of neighbours.
    const auto before = [&](const Row& x, const Row& y) {
        const int c = compareRows(x, y);
        return c != 0 ? (ascending ? c < 0 : c > 0) : x.index < y.index;
    };
    if (!std::is_sorted(rows.begin(), rows.end(), before))
        sortShared(rows, before);
    std::vector<int> order(n);
    for (size_t r = 0; r < n; ++r)
        order[r] = rows[r].index;
    return order;
}

std::vector<QString> DistinctParents(const std::vector<FolderEntry>& entries)
{
    std::vector<const QString*> found;
    parentIndexes(entries, found);
    std::vector<QString> parents;
    parents.reserve(found.size());
    for (const QString* parent : found)
        parents.push_back(*parent);
    return parents;
}
