#pragma once

#include "core/preview/FolderEntry.h"
#include "core/preview/NumberTable.h"
#include "core/preview/ProposedNames.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QIcon>
#include <QItemSelectionModel>
#include <optional>
#include <utility>
#include <vector>

// The preview list: every folder the user has gathered, with its old and proposed name, as a table
// model over a vector of typed rows (no item objects per cell, so 100 000 rows stay light; data() formats
// them). Selection lives in the list's own selection model, which the view shares. The list is closed:
// every change goes through its operations, which keep the key index and the views' notifications right.
class PreviewList : public QAbstractTableModel
{
    Q_OBJECT

public:
    static inline const QColor kChangedColour{128, 0, 0};
    static inline const QColor kUnchangedColour{0, 0, 0};
    // Header positions 1 to 6 are the visible columns 0 to 5; column 18 is the manual order.
    static constexpr int kVisibleColumns = 6;
    // The data format of entries dragged inside the list: their keys, one a line.
    static inline const QString kEntryMimeType = QStringLiteral("application/x-dirwright-entry");

    // What a refresh found.
    struct Summary
    {
        int entries = 0;
        int folderCount = 0;  // distinct parent paths
        int changedCount = 0; // entries whose new name differs from the old name
        int undoLevels = 0;   // filled history levels 1 to 10 of the first entry
        bool pushed = false;  // a history level was pushed on every entry
    };

    // Many row changes as one: while one is alive, the row operations collect the rows they touched and
    // the views hear of them once, when the outermost one ends. With manyKeys the key index is rebuilt
    // once when next needed instead of being updated per changed key.
    class BulkEdit
    {
    public:
        explicit BulkEdit(PreviewList& list, bool manyKeys = false);
        ~BulkEdit();
        BulkEdit(const BulkEdit&) = delete;
        BulkEdit& operator=(const BulkEdit&) = delete;

    private:
        PreviewList& m_list;
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
    // Dragging entries within the list: the keys of the rows travel, a drop moves them as MoveEntry does
    // and leaves the list in manual order.
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    // row is the row dropped onto (the last row for -1).
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count, const QModelIndex& destinationParent,
                  int destinationChild) override;

    // Entries, in list order.
    int size() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const FolderEntry& entry(int row) const { return m_entries[static_cast<size_t>(row)]; }
    const std::vector<FolderEntry>& entries() const { return m_entries; }

    // Keys are unique; the list keeps an index of them.
    bool hasKey(const QString& key) const { return rowOfKey(key) >= 0; }
    int rowOfKey(const QString& key) const; // -1 when absent

    // Appends an entry; false (nothing added) when its key is already listed.
    bool append(FolderEntry entry);
    // Appends many entries with one row insert (loading 100 000 folders row by row keeps the view busy);
    // entries whose key is listed already, or earlier in the batch, are left out. Returns how many were added.
    int appendBatch(std::vector<FolderEntry> entries);
    // Room for this many rows in all, so a long load grows the list once instead of step by step (each
    // step holds the old and the new room at once).
    void reserve(int rows);
    qsizetype capacity() const { return static_cast<qsizetype>(m_entries.capacity()); }
    void removeEntry(int row);
    // Removes every row marked true in one pass; the key index is rebuilt once. Selection and the
    // current entry stay on the entries that remain.
    void removeEntries(const std::vector<bool>& remove);
    void clear();

    // Proposals. A rename function proposes names row by row inside one BulkEdit.
    void setNewName(int row, const QString& name);
    // Every entry's new name becomes its most recent earlier proposal (level 1) and the older levels move
    // up by one. An entry without an earlier proposal keeps its name and history: stepping back to
    // "nothing" would make its new name empty.
    void undoProposals();
    // Every entry's proposal becomes its old name again, which is then its only history level.
    void rejectProposals();

    // A preview: the new-name column shows these names for their rows (in italics where they differ
    // from the proposal) until they are replaced or cleared, or rows are added, removed or reordered.
    // The entries keep their proposals; only the rows of the old and new block are announced.
    void showProposedNames(ProposedNames names);
    void clearProposedNames() { showProposedNames({}); }

    // Conflict marks: entries (by key) whose proposal cannot be taken, with the reason their new-name
    // cell shows as its tool tip beside the icon. Replaced as a whole after each check.
    void setConflictMarks(QHash<QString, QString> reasons);
    void setConflictIcon(const QIcon& icon) { m_conflictIcon = icon; }
    const QHash<QString, QString>& conflictMarks() const { return m_conflicts; }

    // Taking changes. The folder at row was renamed on disk to its new name, which is now its old name
    // and history level 0; newKey (its parent path, its new name and a separator) is its key from now on.
    void markRenamed(int row, const QString& newKey);
    // The folder at row moved with a renamed folder when its key begins with oldPath: the leading oldPath
    // of its parent path becomes newPath (the same text further on names another folder). When oldPath is
    // the key itself, the folder itself moved: its parent path and old name become those of newPath, as
    // when a take parks it under a temporary name. False when the key does not begin with oldPath.
    bool moveKeyUnder(int row, const QString& oldPath, const QString& newPath);
    // The entry keeps only history level 0: no earlier proposals to step back to.
    void dropEarlierProposals(int row);
    // Every history level in use takes the entry's new name.
    void collapseHistory(int row);

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
    // Rebuilds the key index when changes left it stale.
    void ensureKeyIndex() const;
    // A row's key is about to change, and has changed: the index follows unless it is stale anyway.
    void unindexKey(const FolderEntry& e, int row);
    void indexKey(const FolderEntry& e, int row);
    // Until the next look into it, the key index is rebuilt rather than kept up to date.
    void forgetKeys();
    // The rows from first to last changed: views hear of it now, or when the bulk edit ends.
    void rowsChanged(int first, int last);
    void allRowsChanged();
    // Reorders the rows so that new row r holds old row order[r]; selection and current entry follow.
    void applyOrder(const std::vector<int>& order);
    // The rows a drop of entries from this list moves: first row and count, when they stand together.
    std::optional<std::pair<int, int>> droppedBlock(const QMimeData* data) const;

    std::vector<FolderEntry> m_entries;
    mutable NumberTable m_rowOfKey; // rows by their keys
    // The column and order refreshEntries last sorted by, while nothing that column shows has changed
    // since (-1 when that is not known): then the next refresh need not sort again. New names change with
    // every step, so a sort by them is never known to hold.
    int m_refreshSortedBy = -1;
    Qt::SortOrder m_refreshSortedOrder = Qt::AscendingOrder;
    void orderMayHaveChanged() { m_refreshSortedBy = -1; }
    mutable bool m_keysStale = false;
    int m_bulkDepth = 0;
    int m_dirtyFirst = -1; // rows changed during a bulk edit, -1 when none
    int m_dirtyLast = -1;
    int m_sortKeyColumn = -1; // the column whose sort keys column 6 shows
    QItemSelectionModel m_selection;
    QStringList m_headerTexts;
    QIcon m_sortIcons[2];
    int m_indicatorColumn = -1;
    Qt::SortOrder m_indicatorOrder = Qt::AscendingOrder;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_lastClickedHeader = -1;
    Summary m_summary;
    ProposedNames m_proposed;
    QHash<QString, QString> m_conflicts;
    QIcon m_conflictIcon;
    // The last parent path moveKeyUnder rewrote, and what it became: siblings that move together keep
    // sharing one parent text instead of each getting a copy.
    struct MovedParent
    {
        QString oldPath, newPath, from, to;
    } m_movedParent;
};

// Which entries a rename function changes, by the index of the apply-to selector: 0 all entries,
// 1 selected entries, 2 entries not selected.
bool ApplyTarget(bool selected, int applyToIndex);
