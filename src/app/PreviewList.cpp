#include "app/PreviewList.h"

#include <algorithm>

bool ApplyTarget(bool selected, int applyToIndex)
{
    switch (applyToIndex) {
    case 0:
        return true;
    case 1:
        return selected;
    case 2:
        return !selected;
    default:
        return false;
    }
}

PreviewList::PreviewList(QObject* parent)
    : QAbstractTableModel(parent)
    , m_selection(this)
{}

int PreviewList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

int PreviewList::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FolderEntry::ColumnCount;
}

QVariant PreviewList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= size() || index.column() >= FolderEntry::ColumnCount)
        return {};
    const FolderEntry& e = entry(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return e.col[static_cast<size_t>(index.column())];
    case Qt::ForegroundRole:
        return e.changed ? kChangedColour : kUnchangedColour;
    case Qt::TextAlignmentRole:
        if (index.column() == FolderEntry::ColSize)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant PreviewList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section < m_headerTexts.size() ? m_headerTexts.at(section) : QString();
    return {};
}

Qt::ItemFlags PreviewList::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

void PreviewList::notifyEntriesChanged()
{
    if (m_entries.empty())
        return;
    Q_EMIT dataChanged(index(0, 0), index(size() - 1, FolderEntry::ColumnCount - 1));
}

int PreviewList::rowOfKey(const QString& key) const
{
    return m_rowOfKey.value(key, -1);
}

void PreviewList::setKey(int row, const QString& key)
{
    FolderEntry& e = m_entries[static_cast<size_t>(row)];
    if (m_rowOfKey.value(e.key, -1) == row)
        m_rowOfKey.remove(e.key);
    e.key = key;
    m_rowOfKey.insert(key, row);
}

bool PreviewList::append(FolderEntry entry)
{
    if (m_rowOfKey.contains(entry.key))
        return false;
    const int row = size();
    beginInsertRows(QModelIndex(), row, row);
    m_rowOfKey.insert(entry.key, row);
    m_entries.push_back(std::move(entry));
    endInsertRows();
    return true;
}

void PreviewList::removeEntry(int row)
{
    if (row < 0 || row >= size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_entries.erase(m_entries.begin() + row);
    endRemoveRows();
    rebuildKeyIndex();
}

void PreviewList::removeMarked(const std::vector<bool>& marked)
{
    const size_t n = std::min(marked.size(), m_entries.size());
    if (std::find(marked.begin(), marked.begin() + static_cast<std::ptrdiff_t>(n), true) ==
        marked.begin() + static_cast<std::ptrdiff_t>(n))
        return;
    // One reset instead of a removal per row: removing rows one by one moves the rest of the list each
    // time, which is quadratic for long lists.
    beginResetModel();
    size_t kept = 0;
    for (size_t row = 0; row < m_entries.size(); ++row) {
        if (row < n && marked[row])
            continue;
        if (kept != row)
            m_entries[kept] = std::move(m_entries[row]);
        ++kept;
    }
    m_entries.resize(kept);
    rebuildKeyIndex();
    endResetModel();
}

void PreviewList::clear()
{
    beginResetModel();
    m_entries.clear();
    m_rowOfKey.clear();
    endResetModel();
}

bool PreviewList::isSelected(int row) const
{
    return m_selection.isRowSelected(row, QModelIndex());
}

std::vector<bool> PreviewList::selectedRows() const
{
    std::vector<bool> rows(m_entries.size(), false);
    const QItemSelection selection = m_selection.selection();
    for (const QItemSelectionRange& range : selection) {
        for (int r = range.top(); r <= range.bottom() && r < size(); ++r)
            rows[static_cast<size_t>(r)] = true;
    }
    return rows;
}

int PreviewList::currentRow() const
{
    const QModelIndex current = m_selection.currentIndex();
    return current.isValid() ? current.row() : -1;
}

void PreviewList::setHeaderTexts(const QStringList& texts)
{
    m_headerTexts = texts;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, FolderEntry::ColumnCount - 1);
}

void PreviewList::setSortIndicator(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, FolderEntry::ColumnCount - 1);
}

void PreviewList::rebuildKeyIndex()
{
    m_rowOfKey.clear();
    m_rowOfKey.reserve(size());
    for (int row = 0; row < size(); ++row)
        m_rowOfKey.insert(m_entries[static_cast<size_t>(row)].key, row);
}
