#pragma once

#include "core/preview/FolderEntry.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QIcon>
#include <QItemSelectionModel>
#include <vector>

// The preview list: every folder the user has gathered, with its old and proposed name, as a table
// model over a vector (no item objects per cell, so 100 000 rows stay light). Selection lives in the
// list's own selection model, which the view shares. Rename functions edit entries in bulk through
// entries() and then call refreshPreview (or at least notifyEntriesChanged) once.
class PreviewList : public QAbstractTableModel
{
    Q_OBJECT

public:
    static inline const QColor kChangedColour{128, 0, 0};
    static inline const QColor kUnchangedColour{0, 0, 0};
    // Header positions 1 to 6 are the visible columns 0 to 5; column 18 is the manual order.
    static constexpr int kVisibleColumns = 6;

    // What a refresh found.
    struct Summary
    {
        int entries = 0;
        int folderCount = 0;  // distinct parent paths
        int changedCount = 0; // entries whose new name differs from the old name
        int undoLevels = 0;   // filled history levels 1 to 10 of the first entry
        bool pushed = false;  // a history level was pushed on every entry
    };

    explicit PreviewList(QObject* parent = nullptr);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Entries, in list order.
    int size() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const FolderEntry& entry(int row) const { return m_entries[static_cast<size_t>(row)]; }
    // For bulk edits of names and history; keys must be changed through setKey so the key index stays
    // right. Call notifyEntriesChanged (or refreshPreview) afterwards.
    std::vector<FolderEntry>& entries() { return m_entries; }
    const std::vector<FolderEntry>& entries() const { return m_entries; }
    void notifyEntriesChanged();

    // Keys are unique; the list keeps an index of them.
    bool hasKey(const QString& key) const { return m_rowOfKey.contains(key); }
    int rowOfKey(const QString& key) const; // -1 when absent
    void setKey(int row, const QString& key);
    // After keys of many entries were changed directly through entries(): rebuilds the key index once,
    // which for large runs is far cheaper than one index update per changed key.
    void reindexKeys() { rebuildKeyIndex(); }

    // Appends an entry; false (nothing added) when its key is already listed.
    bool append(FolderEntry entry);
    // Appends many entries with one row insert (loading 100 000 folders row by row keeps the view busy);
    // entries whose key is listed already, or earlier in the batch, are left out. Returns how many were added.
    int appendBatch(std::vector<FolderEntry> entries);
    void removeEntry(int row);
    // Removes every row marked true in one pass; the key index is rebuilt once. Selection and the
    // current entry stay on the entries that remain.
    void removeEntries(const std::vector<bool>& remove);
    void clear();

    // Selection and the current (focused) entry.
    QItemSelectionModel* selectionModel() { return &m_selection; }
    bool isSelected(int row) const;
    // Selection state of every row at once: cheap for large lists with scattered selections.
    std::vector<bool> selectedRows() const;
    int currentRow() const; // -1 when there is none

    // The header captions of the visible columns 0 to 5, set when the language texts are applied.
    void setHeaderTexts(const QStringList& texts);
    QString headerText(int column) const { return m_headerTexts.value(column); }
    // The sort icon on one column (0 to 5), or none (-1).
    void setSortIndicator(int column, Qt::SortOrder order);
    int sortIndicatorColumn() const { return m_indicatorColumn; }
    // The pictures of the sort icons ("lstSort1" ascending, "lstSort2" descending).
    void setSortIcons(const QIcon& ascending, const QIcon& descending);

    // Everything derived from the entries: colours, changed count, position keys, the history push
    // when a changed entry differs from history level 0, the folder count and the re-sort by the sort
    // column (the manual order, column 18, is kept as it is).
    Summary refreshEntries();
    const Summary& summary() const { return m_summary; }

    // The column the list is sorted by (0 to 5, or 18 after a manual move) and the order.
    int sortColumn() const { return m_sortColumn; }
    void setSortColumn(int column);
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void setSortOrder(Qt::SortOrder order) { m_sortOrder = order; }

    // Sorts once by header position p (1 to 6) in the current order and marks that header; other
    // positions do nothing. Column 6 receives the sort keys.
    void SortPreview(int headerPosition);
    // A click on a header: the same header again while ascending turns the order to descending; every
    // other click sorts ascending.
    void headerClicked(int headerPosition);
    int lastClickedHeader() const { return m_lastClickedHeader; }

    // Moves the entry at row from to the target's row when it comes from below, just after the target
    // when it comes from above; keeps all its data and selection. The list is then in manual order.
    bool MoveEntry(int from, int target);

private:
    void rebuildKeyIndex();
    // Reorders the rows so that new row r holds old row order[r]; selection and current entry follow.
    void applyOrder(const std::vector<int>& order);
    std::vector<int> sortedOrder(int column, bool byParentFirst);
    void fillSortKeys(int column);

    std::vector<FolderEntry> m_entries;
    QHash<QString, int> m_rowOfKey;
    QItemSelectionModel m_selection;
    QStringList m_headerTexts;
    QIcon m_sortIcons[2];
    int m_indicatorColumn = -1;
    Qt::SortOrder m_indicatorOrder = Qt::AscendingOrder;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_lastClickedHeader = -1;
    Summary m_summary;
};

// Which entries a rename function changes, by the index of the apply-to selector: 0 all entries,
// 1 selected entries, 2 entries not selected.
bool ApplyTarget(bool selected, int applyToIndex);
