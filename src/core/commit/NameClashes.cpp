#include "core/commit/NameClashes.h"

#include "core/preview/FolderEntry.h"

#include <QHash>

namespace {

// A proposed path as its two parts, pointing into the entry: a list of a million rows needs no million
// joined paths to compare them.
struct ProposedPath
{
    QStringView parent;
    QStringView name;
    bool operator==(const ProposedPath& other) const { return parent == other.parent && name == other.name; }
};

size_t qHash(const ProposedPath& path, size_t seed = 0)
{
    return qHashMulti(seed, path.parent, path.name);
}

} // namespace

QList<NameClash> FindNameClashes(const std::vector<FolderEntry>& entries)
{
    QList<NameClash> clashes;
    QHash<ProposedPath, int> firstWithPath;
    firstWithPath.reserve(static_cast<qsizetype>(entries.size()));
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const FolderEntry& e = entries[static_cast<size_t>(row)];
        const ProposedPath path{e.parentPath, e.newName};
        const auto it = firstWithPath.constFind(path);
        if (it == firstWithPath.cend())
            firstWithPath.insert(path, row);
        else if (e.isChanged() || entries[static_cast<size_t>(it.value())].isChanged())
            clashes.append({it.value(), row});
    }
    return clashes;
}
