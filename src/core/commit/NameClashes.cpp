#include "core/commit/NameClashes.h"

#include "core/preview/FolderEntry.h"
#include "core/preview/LookAhead.h"
#include "core/preview/NumberTable.h"

#include <QHash>

namespace {

bool sameProposedPath(const FolderEntry& a, const FolderEntry& b)
{
    return a.newName == b.newName && a.parentPath == b.parentPath;
}

} // namespace

QList<NameClash> FindNameClashes(const std::vector<FolderEntry>& entries)
{
    QList<NameClash> clashes;
    NumberTable firstWithPath;
    firstWithPath.reserve(entries.size());
    // A proposed path is hashed from its two parts in the entry: a list of a million rows needs no million
    // joined paths to compare them.
    LookAhead hashOf(entries.size(), [&, pairHash = NumberTable::PairHash()](size_t row) mutable {
        const size_t hash = pairHash(entries[row].parentPath, entries[row].newName);
        firstWithPath.prefetch(hash);
        return hash;
    });
    for (quint32 row = 0; row < entries.size(); ++row) {
        const FolderEntry& e = entries[row];
        const auto first =
            firstWithPath.add(row, hashOf(row), [&](quint32 held) { return sameProposedPath(entries[held], e); });
        if (first && (e.isChanged() || entries[*first].isChanged()))
            clashes.append({static_cast<int>(*first), static_cast<int>(row)});
    }
    return clashes;
}
