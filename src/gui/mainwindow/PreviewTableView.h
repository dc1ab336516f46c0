#pragma once

#include <QPersistentModelIndex>
#include <QPoint>
#include <QStringList>
#include <QTableView>
#include <functional>

class PreviewColumns;
class PreviewList;

// The table that shows the preview list (control "lstVorschau"). Besides the ordinary view it moves
// entries by drag and drop inside the list (the list's own drag data and drop), accepts folders dropped from the file
// manager when a handler for them is set, and opens the context menu when the right button is released over an entry.
// Keys as in a file manager: Enter and a double-click ask for the manual edit, Delete for removing the selected
// entries; a click on the new name of the selected entry edits it in place (F2 stays the manual-edit dialog).
class PreviewTableView : public QTableView
{
    Q_OBJECT

public:
    explicit PreviewTableView(PreviewList& list, QWidget* parent = nullptr);

    // Folders dropped from outside; without a handler such drops are refused.
    void setShellDropHandler(std::function<void(const QStringList& paths)> handler);

    // The row the left or right button went down on (the drag entry), -1 when none.
    int dragRow() const { return m_dragEntry.isValid() ? m_dragEntry.row() : -1; }
    // Hides the work columns past the visible ones.
    void hideWorkColumns();
    PreviewColumns& columns() { return *m_columns; }
    // The hint an empty list shows in its middle (how to fill it).
    void setEmptyHint(const QString& hint);
    QString emptyHint() const { return m_emptyHint; }

Q_SIGNALS:
    // A click or a key release in the list: the current-entry panel is due.
    void currentEntryTouched();
    // The right button was released over the list while an entry was remembered.
    void contextMenuRequested(const QPoint& globalPos);
    // An entry was moved by drag and drop.
    void entryMoved();
    // Enter or a double-click on an entry: the manual edit of the current entry.
    void editRequested();
    // Delete: the selected entries are to go.
    void removeRequested();
    // A new name was typed in place.
    void nameTyped(int row, const QString& typed);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool isOwnDrag(const QMimeData* mime) const;
    QStringList droppedFolders(const QMimeData* mime) const;

    PreviewList& m_list;
    QPersistentModelIndex m_dragEntry;
    QPoint m_pressPos;
    std::function<void(const QStringList&)> m_shellDrop;
    PreviewColumns* m_columns = nullptr;
    QString m_emptyHint;
};
