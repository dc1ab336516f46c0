#include "core/preview/PreviewList.h"

#include <algorithm>
#include <limits>

// The entries' keys: the index that finds the row of a key (and keeps keys unique), and the changes of keys
// when folders are renamed or added. The index holds row numbers only; the keys stay in the entries.

namespace {

// The key index holds row numbers; this compares the key of such a row.
auto rowWithKey(const std::vector<FolderEntry>& entries, const QString& key)
{
    return [&entries, &key](quint32 row) { return entries[row].key == key; };
}

// A key that has the room takes the new text in place. Keys are loaded with the room their allocation has
// anyway (FolderEntry::keyRoom), so a rename that lengthens a name a little needs no new text and leaves no
// hole of the old text's size behind: a million of those, scattered in list order, are memory the take
// never gets back.
void setKey(FolderEntry& e, QString key)
{
    if (e.key.isDetached() && e.key.capacity() >= key.size()) {
        e.key.resize(0);
        e.key.append(key);
    } else {
        e.key = std::move(key);
    }
}

} // namespace

int PreviewList::rowOfKey(const QString& key) const
{
    ensureKeyIndex();
    const std::optional<quint32> row = m_rowOfKey.find(NumberTable::hashOf(key), rowWithKey(m_entries, key));
    return row ? static_cast<int>(*row) : -1;
}

void PreviewList::ensureKeyIndex() const
{
    if (!m_keysStale)
        return;
    m_rowOfKey = NumberTable();
    m_rowOfKey.reserve(m_entries.size());
    // A key held twice finds the later row, as a plain map would.
    for (quint32 row = 0; row < m_entries.size(); ++row) {
        const QString& key = m_entries[row].key;
        m_rowOfKey.put(row, NumberTable::hashOf(key), rowWithKey(m_entries, key));
    }
    m_keysStale = false;
}

void PreviewList::forgetKeys()
{
    m_rowOfKey = NumberTable();
    m_keysStale = true;
}

void PreviewList::changeKey(FolderEntry& e, int row, QString key)
{
    orderMayHaveChanged(); // a new key comes with a new name or parent
    if (m_keysStale) {
        setKey(e, std::move(key));
        return;
    }
    const auto sameRow = [row](quint32 held) { return held == static_cast<quint32>(row); };
    m_rowOfKey.remove(NumberTable::hashOf(e.key), sameRow);
    setKey(e, std::move(key));
    m_rowOfKey.put(static_cast<quint32>(row), NumberTable::hashOf(e.key), rowWithKey(m_entries, e.key));
}

void PreviewList::markRenamed(int row, const QString& newKey)
{
    FolderEntry& e = m_entries[static_cast<size_t>(row)];
    e.oldName = e.newName;
    e.history.setCurrent(e.newName);
    changeKey(e, row, newKey);
    rowsChanged(row, row);
}

bool PreviewList::moveKeyUnder(int row, const QString& oldPath, const QString& newPath)
{
    FolderEntry& e = m_entries[static_cast<size_t>(row)];
    if (!e.key.startsWith(oldPath))
        return false;
    QString key;
    key.reserve(FolderEntry::keyRoom(newPath.size() + e.key.size() - oldPath.size()));
    key.append(newPath).append(QStringView(e.key).mid(oldPath.size()));
    changeKey(e, row, std::move(key));
    if (e.parentPath.startsWith(oldPath)) {
        MovedParent& last = m_movedParent;
        const bool shared =
            e.parentPath.constData() == last.from.constData() && e.parentPath.size() == last.from.size();
        if (!(shared || e.parentPath == last.from) || last.oldPath != oldPath || last.newPath != newPath) {
            QString moved = e.parentPath;
            moved.replace(0, oldPath.size(), newPath);
            last = {oldPath, newPath, e.parentPath, std::move(moved)};
        }
        e.parentPath = last.to;
    }
    rowsChanged(row, row);
    return true;
}

bool PreviewList::append(FolderEntry entry)
{
    if (hasKey(entry.key))
        return false;
    const int row = size();
    beginInsertRows(QModelIndex(), row, row);
    orderMayHaveChanged();
    m_entries.push_back(std::move(entry));
    const QString& key = m_entries.back().key;
    m_rowOfKey.add(static_cast<quint32>(row), NumberTable::hashOf(key), rowWithKey(m_entries, key));
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
    for (size_t i = 0; i < entries.size(); ++i) {
        hashes[i] = NumberTable::hashOf(entries[i].key);
        m_rowOfKey.prefetch(hashes[i]);
    }
    size_t at = 0;
    // The rows taken from the batch stand at its front until they move into the list.
    const auto keyAt = [&](quint32 row) -> const QString& {
        return row < static_cast<quint32>(first) ? m_entries[row].key : entries[row - static_cast<quint32>(first)].key;
    };
    for (FolderEntry& e : entries) {
        const auto sameKey = [&](quint32 held) { return keyAt(held) == e.key; };
        if (m_rowOfKey.add(static_cast<quint32>(first + count), hashes[at++], sameKey))
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
