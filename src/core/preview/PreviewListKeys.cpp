#include "core/preview/PreviewList.h"

#include "core/platform/SharedText.h"
#include "core/settings/Paths.h"

#include <algorithm>
#include <limits>

// The entries' keys: the index that finds the row of a key (and keeps keys unique), and the changes of keys
// when folders are renamed or added. The index holds row numbers only; a key is its entry's parent path and
// name.

namespace {

// A key splits into the folder that holds it and its name, the two texts an entry keeps; hashing those
// needs no key built. A text that does not end in a separator splits the same way and matches no entry.
std::pair<QStringView, QStringView> splitKey(QStringView key)
{
    if (key.endsWith(u'/'))
        key.chop(1);
    const qsizetype slash = key.lastIndexOf(u'/');
    return {key.first(slash + 1), key.sliced(slash + 1)};
}

size_t hashOfKey(QStringView key)
{
    const auto [parent, name] = splitKey(key);
    return NumberTable::hashOf(parent, name);
}

// An entry's parent path ends in a separator and its name holds none, so they are what its key splits
// into; anything else goes the long way, for the same hash as the key. Pass one PairHash for many rows.
size_t hashOfEntry(const FolderEntry& e, NumberTable::PairHash& pairHash)
{
    if ((e.parentPath.isEmpty() || e.parentPath.endsWith(u'/')) && !e.oldName.contains(u'/'))
        return pairHash(e.parentPath, e.oldName);
    return hashOfKey(e.key());
}

size_t hashOfEntry(const FolderEntry& e)
{
    NumberTable::PairHash once;
    return hashOfEntry(e, once);
}

bool sameKey(const FolderEntry& a, const FolderEntry& b)
{
    if (a.parentPath.size() == b.parentPath.size())
        return a.oldName == b.oldName && a.parentPath == b.parentPath;
    return a.parentPath.size() + a.oldName.size() == b.parentPath.size() + b.oldName.size() && a.key() == b.key();
}

// The key index holds row numbers; these compare the key of such a row.
auto rowWithKey(const std::vector<FolderEntry>& entries, QStringView key)
{
    return [&entries, key](quint32 row) { return entries[row].hasKey(key); };
}

auto rowWithKeyOf(const std::vector<FolderEntry>& entries, const FolderEntry& e)
{
    return [&entries, &e](quint32 row) { return sameKey(entries[row], e); };
}

// The folder and the name a key names, the name sharing the entry's own text where it is the same.
void setPlace(FolderEntry& e, QStringView key, const QString& nameToShare)
{
    const auto [parent, name] = splitKey(key);
    if (e.parentPath != parent)
        e.parentPath = parent.toString();
    e.oldName = name == nameToShare ? nameToShare : name.toString();
}

} // namespace

int PreviewList::rowOfKey(const QString& key) const
{
    ensureKeyIndex();
    const std::optional<quint32> row = m_rowOfKey.find(hashOfKey(key), rowWithKey(m_entries, key));
    return row ? static_cast<int>(*row) : -1;
}

void PreviewList::ensureKeyIndex() const
{
    if (!m_keysStale)
        return;
    m_rowOfKey = NumberTable();
    m_rowOfKey.reserve(m_entries.size());
    // A key held twice finds the later row, as a plain map would.
    NumberTable::PairHash pairHash;
    for (quint32 row = 0; row < m_entries.size(); ++row) {
        const FolderEntry& e = m_entries[row];
        m_rowOfKey.put(row, hashOfEntry(e, pairHash), rowWithKeyOf(m_entries, e));
    }
    m_keysStale = false;
}

void PreviewList::forgetKeys()
{
    m_rowOfKey = NumberTable();
    m_keysStale = true;
}

void PreviewList::unindexKey(const FolderEntry& e, int row)
{
    orderMayHaveChanged(); // a new key comes with a new name or parent
    if (!m_keysStale) {
        m_rowOfKey.remove(hashOfEntry(e), [row](quint32 held) { return held == static_cast<quint32>(row); });
    }
}

void PreviewList::indexKey(const FolderEntry& e, int row)
{
    if (!m_keysStale)
        m_rowOfKey.put(static_cast<quint32>(row), hashOfEntry(e), rowWithKeyOf(m_entries, e));
}

void PreviewList::markRenamed(int row, const QString& newKey)
{
    FolderEntry& e = m_entries[static_cast<size_t>(row)];
    unindexKey(e, row);
    setPlace(e, newKey, e.newName);
    e.history.setCurrent(e.newName);
    indexKey(e, row);
    rowsChanged(row, row);
}

bool PreviewList::moveKeyUnder(int row, const QString& oldPath, const QString& newPath)
{
    FolderEntry& e = m_entries[static_cast<size_t>(row)];
    if (!e.keyStartsWith(oldPath))
        return false;
    unindexKey(e, row);
    if (oldPath.size() <= e.parentPath.size()) {
        MovedParent& last = m_movedParent;
        const bool sameFrom = IsSharedText(e.parentPath, last.from) || e.parentPath == last.from;
        if (!sameFrom || last.oldPath != oldPath || last.newPath != newPath) {
            last = {oldPath, newPath, e.parentPath,
                    JoinedPath(newPath, QStringView(e.parentPath).sliced(oldPath.size()))};
        }
        e.parentPath = last.to;
    } else {
        // The folder itself moved: its key is newPath and whatever followed oldPath.
        const QString key = JoinedPath(newPath, QStringView(e.key()).sliced(oldPath.size()));
        setPlace(e, key, e.oldName);
    }
    indexKey(e, row);
    rowsChanged(row, row);
    return true;
}

bool PreviewList::append(FolderEntry entry)
{
    ensureKeyIndex();
    const size_t hash = hashOfEntry(entry);
    if (m_rowOfKey.find(hash, rowWithKeyOf(m_entries, entry)))
        return false;
    const int row = size();
    beginInsertRows(QModelIndex(), row, row);
    orderMayHaveChanged();
    m_entries.push_back(std::move(entry));
    m_rowOfKey.add(static_cast<quint32>(row), hash, rowWithKeyOf(m_entries, m_entries.back()));
    endInsertRows();
    return true;
}

void PreviewList::reserve(int rows)
{
    m_entries.reserve(static_cast<size_t>(std::max(rows, 0)));
    if (!m_keysStale)
        m_rowOfKey.reserve(static_cast<size_t>(std::max(rows, 0)));
}

int PreviewList::appendBatch(std::vector<FolderEntry> entries)
{
    // The key index learns the new rows first; that also leaves out a key repeated within the batch.
    const int first = size();
    int count = 0;
    ensureKeyIndex(); // so the loop below can add to it
    // Room for all first, so that no slot asked for moves before it is used.
    m_rowOfKey.reserve(static_cast<size_t>(first) + entries.size());
    std::vector<size_t> hashes(entries.size());
    NumberTable::PairHash pairHash;
    for (size_t i = 0; i < entries.size(); ++i) {
        hashes[i] = hashOfEntry(entries[i], pairHash);
        m_rowOfKey.prefetch(hashes[i]);
    }
    size_t at = 0;
    // The rows taken from the batch stand at its front until they move into the list.
    const auto entryAt = [&](quint32 row) -> const FolderEntry& {
        return row < static_cast<quint32>(first) ? m_entries[row] : entries[row - static_cast<quint32>(first)];
    };
    for (FolderEntry& e : entries) {
        const auto heldKey = [&](quint32 held) { return sameKey(entryAt(held), e); };
        if (m_rowOfKey.add(static_cast<quint32>(first + count), hashes[at++], heldKey))
            continue;
        if (&entries[static_cast<size_t>(count)] != &e)
            entries[static_cast<size_t>(count)] = std::move(e);
        ++count;
    }
    if (count == 0)
        return 0;
    orderMayHaveChanged();
    beginInsertRows(QModelIndex(), first, first + count - 1);
    std::move(entries.begin(), entries.begin() + count, std::back_inserter(m_entries));
    endInsertRows();
    return count;
}
