#pragma once

#include "core/commit/FollowRenames.h"
#include "core/commit/RenameProtocol.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <functional>
#include <vector>

struct AppState;

// The rename protocol as a list: one row per line, in file order until sorted. Rows whose folder
// (parent path + new name) exists are drawn black and can be undone; all others are red and are never
// renamed, nor is any line that does not name exactly one folder. The order of the rows is the order in
// which the protocol is written back.
class RenameHistory : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { ColStamp, ColParentPath, ColOldName, ColNewName, ColumnCount };
    static inline const QColor kPresentColour{0, 0, 0};
    static inline const QColor kMissingColour{255, 0, 0};

    struct Row
    {
        RenameProtocol::Line line;
        bool present = false; // usable, and the renamed folder existed when the list was loaded
    };

    explicit RenameHistory(QObject* parent = nullptr);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    // Sorts by the displayed texts of a column; rows that compare equal keep their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int size() const { return static_cast<int>(m_rows.size()); }
    const Row& row(int r) const { return m_rows[static_cast<size_t>(r)]; }
    // The text a cell shows.
    QString text(int r, int column) const;

    // Fills the list from the protocol file; a missing file gives an empty list.
    void LoadHistory(const AppState& state);
    // Writes the rows back into the protocol in their current order, under the protocol's lock; lines
    // appended since the list was loaded stay at the end. False when it could not be written.
    [[nodiscard]] bool writeHistoryData(const AppState& state);
    // Renames the folders of the selected black rows back to their old names, in list order, and drops
    // the rows that were undone; rows below an undone folder follow it. Then writes the protocol. Returns
    // the failure messages in order, one for every selected red row too, saying why it cannot be undone.
    // selected holds one flag per row.
    QStringList UndoHistoryRenames(AppState& state, const std::vector<bool>& selected);
    // The same for the given rows in the given order, whatever their colour when loaded (a folder that
    // is not there fails like any rename); the lines of the rows undone go to undone in that order.
    // separator comes before the system's text in a failure message.
    QStringList undoRows(AppState& state, const std::vector<int>& order, const QString& separator,
                         QList<RenameProtocol::Line>* undone = nullptr);
    // Every rename undone since the list was loaded, in the order done, for the preview list to follow.
    const std::vector<FolderRename>& undoneRenames() const { return m_undone; }
    // Empties the list and the protocol file.
    [[nodiscard]] bool deleteHistory(const AppState& state);

    // "yyyymmddhhnnss" shown as "yyyy-mm-dd, hh:nn:ss"; a shorter stamp shows what stands at those places.
    static QString displayStamp(const QString& stamp);

private:
    // Undoes the rows in order; with onlyPresent a row red when loaded is reported, not tried.
    QStringList undo(AppState& state, const std::vector<int>& order, bool onlyPresent, const QString& separator,
                     QList<RenameProtocol::Line>* undoneLines);

    // Undoes the rows of one folder as renames that hold at once, when they form a cycle (a swap taken
    // in one run); false, with nothing done, when they do not. moved and done report as undo() does.
    bool undoCycle(AppState& state, const std::vector<int>& group, bool onlyPresent, const QString& separator,
                   QStringList& failures, const std::function<void(const QString&, const QString&)>& moved,
                   const std::function<void(int)>& done);

    std::vector<Row> m_rows;
    QList<QByteArray> m_loaded; // the protocol's lines as the rows were loaded or last written
    std::vector<FolderRename> m_undone;
    QStringList m_headers;
};
