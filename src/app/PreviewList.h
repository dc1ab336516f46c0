#pragma once

#include "app/FolderEntry.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
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

    explicit PreviewList(QObject* parent = nullptr);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
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
    void removeEntry(int row);
    // Removes every row whose flag is set, in one pass (the selection is cleared).
    void removeMarked(const std::vector<bool>& marked);
    void clear();

    // Selection and the current (focused) entry.
    QItemSelectionModel* selectionModel() { return &m_selection; }
    bool isSelected(int row) const;
    // Selection state of every row at once: cheap for large lists with scattered selections.
    std::vector<bool> selectedRows() const;
    int currentRow() const; // -1 when there is none

    // The header captions of the visible columns 0 to 5, set when the language texts are applied.
    void setHeaderTexts(const QStringList& texts);
    // The sort icon on one column (0 to 5), or none (-1).
    void setSortIndicator(int column, Qt::SortOrder order);

private:
    void rebuildKeyIndex();

    std::vector<FolderEntry> m_entries;
    QHash<QString, int> m_rowOfKey;
    QItemSelectionModel m_selection;
    QStringList m_headerTexts;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

// Which entries a rename function changes, by the index of the apply-to selector: 0 all entries,
// 1 selected entries, 2 entries not selected.
bool ApplyTarget(bool selected, int applyToIndex);
