#include "core/preview/PreviewList.h"

#include "core/preview/EntryOrder.h"
#include "core/preview/RowPermutation.h"

#include <QFont>
#include <QSet>
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

namespace {

// Above this many separate blocks of rows a removal resets the model instead of announcing each block:
// every announced block shifts the rest of the vector, which would make a scattered removal quadratic.
constexpr int kMaxRemovalBlocks = 64;

} // namespace

PreviewList::BulkEdit::BulkEdit(PreviewList& list, bool manyKeys)
    : m_list(list)
{
    ++m_list.m_bulkDepth;
    if (manyKeys)
        m_list.forgetKeys();
}

PreviewList::BulkEdit::~BulkEdit()
{
    if (--m_list.m_bulkDepth > 0 || m_list.m_dirtyFirst < 0)
        return;
    const int first = m_list.m_dirtyFirst;
    const int last = std::min(m_list.m_dirtyLast, m_list.size() - 1);
    m_list.m_dirtyFirst = m_list.m_dirtyLast = -1;
    if (first <= last)
        Q_EMIT m_list.dataChanged(m_list.index(first, 0), m_list.index(last, FolderEntry::ColumnCount - 1));
}

PreviewList::PreviewList(QObject* parent)
    : QAbstractTableModel(parent)
    , m_selection(this)
{
    // A preview names rows by number, so rows that come, go or move end it.
    const auto forgetPreview = [this] { m_proposed = ProposedNames(); };
    connect(this, &QAbstractItemModel::rowsAboutToBeInserted, this, forgetPreview);
    connect(this, &QAbstractItemModel::rowsAboutToBeRemoved, this, forgetPreview);
    connect(this, &QAbstractItemModel::rowsAboutToBeMoved, this, forgetPreview);
    connect(this, &QAbstractItemModel::layoutAboutToBeChanged, this, forgetPreview);
    connect(this, &QAbstractItemModel::modelAboutToBeReset, this, forgetPreview);
}

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
    const QString* proposed = index.column() == FolderEntry::ColNewName ? m_proposed.at(index.row()) : nullptr;
    const bool marked =
        index.column() == FolderEntry::ColNewName && !m_conflicts.isEmpty() && m_conflicts.contains(e.key());
    switch (role) {
    case Qt::DecorationRole:
        return marked ? QVariant(m_conflictIcon) : QVariant();
    case Qt::ToolTipRole:
        if (marked)
            return m_conflicts.value(e.key());
        [[fallthrough]];
    case Qt::DisplayRole:
        if (proposed)
            return *proposed;
        if (index.column() == FolderEntry::ColSortKey)
            return m_sortKeyColumn >= 0 ? EntrySortKey(e, m_sortKeyColumn) : QString();
        return e.text(index.column());
    case Qt::ForegroundRole:
        return e.changed ? kChangedColour : kUnchangedColour;
    case Qt::FontRole:
        if (proposed && *proposed != e.newName) {
            QFont italic;
            italic.setItalic(true);
            return italic;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == FolderEntry::ColSize)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

void PreviewList::setConflictMarks(QHash<QString, QString> reasons)
{
    const QHash<QString, QString> old = std::exchange(m_conflicts, std::move(reasons));
    const BulkEdit bulk(*this);
    for (const QHash<QString, QString>* marks : {&old, static_cast<const QHash<QString, QString>*>(&m_conflicts)}) {
        for (auto it = marks->cbegin(); it != marks->cend(); ++it) {
            if (const int row = rowOfKey(it.key()); row >= 0)
                rowsChanged(row, row);
        }
    }
}

QVariant PreviewList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= FolderEntry::ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return section < m_headerTexts.size() ? m_headerTexts.at(section) : QString();
    if (role == Qt::DecorationRole && section == m_indicatorColumn)
        return m_sortIcons[m_indicatorOrder == Qt::AscendingOrder ? 0 : 1];
    return {};
}

bool PreviewList::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= FolderEntry::ColumnCount ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    while (m_headerTexts.size() <= section)
        m_headerTexts.append(QString());
    m_headerTexts[section] = value.toString();
    Q_EMIT headerDataChanged(Qt::Horizontal, section, section);
    return true;
}

Qt::ItemFlags PreviewList::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // The view edits a new name in place and hands the typed name to the manual edit; the list takes no
    // data from views.
    const Qt::ItemFlags editable = index.column() == FolderEntry::ColNewName ? Qt::ItemIsEditable : Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | editable;
}

void PreviewList::rowsChanged(int first, int last)
{
    if (m_bulkDepth == 0) {
        Q_EMIT dataChanged(index(first, 0), index(last, FolderEntry::ColumnCount - 1));
        return;
    }
    m_dirtyFirst = m_dirtyFirst < 0 ? first : std::min(m_dirtyFirst, first);
    m_dirtyLast = std::max(m_dirtyLast, last);
}

void PreviewList::allRowsChanged()
{
    if (!m_entries.empty())
        rowsChanged(0, size() - 1);
}

void PreviewList::setNewName(int row, const QString& name)
{
    m_entries[static_cast<size_t>(row)].newName = name;
    rowsChanged(row, row);
}

void PreviewList::undoProposals()
{
    for (FolderEntry& e : m_entries) {
        if (e.history.stepBack())
            e.newName = e.history.at(0);
    }
    allRowsChanged();
}

void PreviewList::rejectProposals()
{
    for (FolderEntry& e : m_entries) {
        e.newName = e.oldName;
        e.history.reset(e.oldName);
    }
    allRowsChanged();
}

void PreviewList::showProposedNames(ProposedNames names)
{
    const ProposedNames old = std::exchange(m_proposed, std::move(names));
    for (const ProposedNames* block : {&old, static_cast<const ProposedNames*>(&m_proposed)}) {
        const int last = std::min(block->lastRow(), size() - 1);
        if (!block->isEmpty() && block->firstRow() <= last)
            Q_EMIT dataChanged(index(block->firstRow(), FolderEntry::ColNewName), index(last, FolderEntry::ColNewName));
    }
}

void PreviewList::dropEarlierProposals(int row)
{
    FolderEntry& e = m_entries[static_cast<size_t>(row)];
    e.history.dropEarlier();
    rowsChanged(row, row);
}

void PreviewList::collapseHistory(int row)
{
    FolderEntry& e = m_entries[static_cast<size_t>(row)];
    e.history.collapseTo(e.newName);
    rowsChanged(row, row);
}

void PreviewList::removeEntry(int row)
{
    if (row < 0 || row >= size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_entries.erase(m_entries.begin() + row);
    forgetKeys();
    endRemoveRows();
}

void PreviewList::removeEntries(const std::vector<bool>& remove)
{
    const int n = size();
    // Blocks of consecutive rows to remove, as [first, last].
    std::vector<std::pair<int, int>> blocks;
    for (int row = 0; row < n && row < static_cast<int>(remove.size()); ++row) {
        if (!remove[static_cast<size_t>(row)])
            continue;
        if (!blocks.empty() && blocks.back().second == row - 1)
            blocks.back().second = row;
        else
            blocks.emplace_back(row, row);
    }
    if (blocks.empty())
        return;
    if (blocks.size() == 1 && blocks.front().first == 0 && blocks.front().second == n - 1) {
        clear();
        return;
    }
    if (static_cast<int>(blocks.size()) <= kMaxRemovalBlocks) {
        for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
            beginRemoveRows(QModelIndex(), it->first, it->second);
            m_entries.erase(m_entries.begin() + it->first, m_entries.begin() + it->second + 1);
            forgetKeys();
            endRemoveRows();
        }
        return;
    }

    // Many scattered rows: compact the vector in one pass and rebuild selection and current entry.
    const std::vector<bool> selected = selectedRows();
    const int current = currentRow();
    std::vector<bool> keptSelected;
    keptSelected.reserve(m_entries.size());
    int newCurrent = -1;
    beginResetModel();
    size_t out = 0;
    for (size_t row = 0; row < m_entries.size(); ++row) {
        if (row < remove.size() && remove[row])
            continue;
        if (static_cast<int>(row) == current)
            newCurrent = static_cast<int>(out);
        keptSelected.push_back(selected[row]);
        if (out != row)
            m_entries[out] = std::move(m_entries[row]);
        ++out;
    }
    m_entries.resize(out);
    forgetKeys();
    endResetModel();

    QItemSelection selection;
    for (int row = 0; row < size(); ++row) {
        if (!keptSelected[static_cast<size_t>(row)])
            continue;
        int last = row;
        while (last + 1 < size() && keptSelected[static_cast<size_t>(last + 1)])
            ++last;
        selection.select(index(row, 0), index(last, FolderEntry::ColumnCount - 1));
        row = last;
    }
    if (!selection.isEmpty())
        m_selection.select(selection, QItemSelectionModel::Select);
    if (newCurrent >= 0)
        m_selection.setCurrentIndex(index(newCurrent, 0), QItemSelectionModel::NoUpdate);
}

void PreviewList::clear()
{
    beginResetModel();
    m_entries.clear();
    m_rowOfKey = NumberTable();
    m_keysStale = false;
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
    m_indicatorColumn = column;
    m_indicatorOrder = order;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, FolderEntry::ColumnCount - 1);
}

void PreviewList::setSortIcons(const QIcon& ascending, const QIcon& descending)
{
    m_sortIcons[0] = ascending;
    m_sortIcons[1] = descending;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, FolderEntry::ColumnCount - 1);
}

void PreviewList::setSortColumn(int column)
{
    // Only the visible columns and the manual order are orders the list can be in.
    if ((column >= 0 && column < kVisibleColumns) || column == FolderEntry::ColPosition)
        m_sortColumn = column;
}

PreviewList::Summary PreviewList::refreshEntries()
{
    Summary s;
    s.entries = size();
    bool push = false;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        FolderEntry& e = m_entries[i];
        e.changed = e.isChanged();
        if (e.changed) {
            ++s.changedCount;
            if (e.newName != e.history.at(0))
                push = true;
        }
        e.position = static_cast<int>(i) + 1;
    }
    if (push) {
        for (FolderEntry& e : m_entries)
            e.history.push(e.newName);
    }
    s.pushed = push;

    s.folderCount = static_cast<int>(DistinctParents(m_entries).size());

    // The list is re-sorted as if sorted by parent path first and then, stably, by the sort column: one
    // sort with the parent path as the tie-breaker gives that order. The manual order stays untouched.
    if (m_sortColumn >= 0 && m_sortColumn < kVisibleColumns) {
        m_sortKeyColumn = m_sortColumn;
        if (m_refreshSortedBy != m_sortColumn || m_refreshSortedOrder != m_sortOrder)
            applyOrder(SortedEntryOrder(m_entries, m_sortColumn, m_sortOrder, true));
        setSortIndicator(m_sortColumn, m_sortOrder);
        if (m_sortColumn != FolderEntry::ColNewName) {
            m_refreshSortedBy = m_sortColumn;
            m_refreshSortedOrder = m_sortOrder;
        }
    }

    if (!m_entries.empty())
        s.undoLevels = m_entries.front().history.earlierLevels();
    m_summary = s;
    allRowsChanged();
    return s;
}

void PreviewList::applyOrder(const std::vector<int>& order)
{
    orderMayHaveChanged();
    bool identity = true;
    for (size_t r = 0; r < order.size() && identity; ++r)
        identity = order[r] == static_cast<int>(r);
    if (identity)
        return;

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> newRowOfOld = PermuteRows(m_entries, order);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& idx : from)
        to.append(index(newRowOfOld[static_cast<size_t>(idx.row())], idx.column()));
    changePersistentIndexList(from, to);
    // The keys stay the same, only their rows change: update the index in place, without hashing a key.
    if (!m_keysStale)
        m_rowOfKey.renumber([&](quint32 old) { return newRowOfOld[old]; });
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PreviewList::SortPreview(int headerPosition)
{
    if (headerPosition < 1 || headerPosition > kVisibleColumns)
        return;
    const int column = headerPosition - 1;
    m_sortKeyColumn = column;
    applyOrder(SortedEntryOrder(m_entries, column, m_sortOrder, false));
    // By path, ties do not come up (siblings go by name): a refresh would sort the same way.
    if (column == FolderEntry::ColParentPath) {
        m_refreshSortedBy = column;
        m_refreshSortedOrder = m_sortOrder;
    }
    setSortIndicator(column, m_sortOrder);
    m_sortColumn = column;
}

void PreviewList::headerClicked(int headerPosition)
{
    if (headerPosition == m_lastClickedHeader && m_sortOrder == Qt::AscendingOrder)
        m_sortOrder = Qt::DescendingOrder;
    else
        m_sortOrder = Qt::AscendingOrder;
    m_lastClickedHeader = headerPosition;
    SortPreview(headerPosition);
}

bool PreviewList::MoveEntry(int from, int target)
{
    if (from < 0 || from >= size() || target < 0 || target >= size() || from == target)
        return false;
    // Coming from above, the entry lands just after the target; from below, at the target's place.
    // After taking the entry out, both are the same index.
    return moveRows(QModelIndex(), from, 1, QModelIndex(), from < target ? target + 1 : target);
}

bool PreviewList::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                           const QModelIndex& destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || count < 1 || sourceRow < 0 ||
        sourceRow + count > size() || destinationChild < 0 || destinationChild > size())
        return false;
    if (!beginMoveRows(QModelIndex(), sourceRow, sourceRow + count - 1, QModelIndex(), destinationChild))
        return false;
    // The block and the rows it passes swap places; only those rows change their index entries.
    const auto begin = m_entries.begin();
    // [first, middle) and [middle, end) change places.
    quint32 first = 0;
    quint32 middle = 0;
    quint32 end = 0;
    if (destinationChild > sourceRow) {
        first = static_cast<quint32>(sourceRow);
        middle = static_cast<quint32>(sourceRow + count);
        end = static_cast<quint32>(destinationChild);
    } else {
        first = static_cast<quint32>(destinationChild);
        middle = static_cast<quint32>(sourceRow);
        end = static_cast<quint32>(sourceRow + count);
    }
    orderMayHaveChanged();
    std::rotate(begin + first, begin + middle, begin + end);
    if (!m_keysStale) {
        m_rowOfKey.renumber([&](quint32 old) {
            if (old < first || old >= end)
                return old;
            return old < middle ? old + (end - middle) : old - (middle - first);
        });
    }
    endMoveRows();
    setSortIndicator(-1, m_sortOrder);
    m_sortColumn = FolderEntry::ColPosition;
    return true;
}
