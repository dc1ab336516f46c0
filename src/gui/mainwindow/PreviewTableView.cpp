#include "gui/mainwindow/PreviewTableView.h"

#include "core/load/FolderLoader.h"
#include "core/preview/PreviewList.h"
#include "gui/mainwindow/NewNameDelegate.h"
#include "gui/mainwindow/PreviewColumns.h"
#include "gui/platform/TextRowDelegate.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

PreviewTableView::PreviewTableView(PreviewList& list, QWidget* parent)
    : QTableView(parent)
    , m_list(list)
{
    setObjectName(QStringLiteral("lstVorschau"));
    setModel(&list);
    setSelectionModel(list.selectionModel());
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Only a click on the new name of an entry already selected edits in place: F2, Enter and a
    // double-click belong to the manual-edit dialog.
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setItemDelegateForColumn(
        FolderEntry::ColNewName,
        new NewNameDelegate([this](int row, const QString& typed) { Q_EMIT nameTyped(row, typed); }, this));
    setWordWrap(false);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setSortingEnabled(false);
    // Drags start here rather than in the view's item drag machinery: only the entry the press was on
    // travels (not the whole selection), and only onto this list.
    setDragEnabled(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(TextRowDelegate::rowHeight(fontMetrics()));
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A reset forgets which sections were hidden; the work columns must never show.
    hideWorkColumns();
    connect(&list, &QAbstractItemModel::modelReset, this, &PreviewTableView::hideWorkColumns);
    horizontalHeader()->setMinimumSectionSize(0);
    m_columns = new PreviewColumns(*this);
}

void PreviewTableView::setShellDropHandler(std::function<void(const QStringList&)> handler)
{
    m_shellDrop = std::move(handler);
}

void PreviewTableView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    m_dragEntry = at.isValid() ? QPersistentModelIndex(m_list.index(at.row(), 0)) : QPersistentModelIndex();
    m_pressPos = event->position().toPoint();
    QTableView::mousePressEvent(event);
    Q_EMIT currentEntryTouched();
}

void PreviewTableView::mouseMoveEvent(QMouseEvent* event)
{
    const bool dragging =
        (event->buttons() & Qt::LeftButton) && m_dragEntry.isValid() &&
        (event->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance();
    if (!dragging) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    // Only the entry the press was on travels, whatever else is selected.
    QMimeData* mime = m_list.mimeData({QModelIndex(m_dragEntry)});
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
    m_dragEntry = QPersistentModelIndex();
}

void PreviewTableView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && m_dragEntry.isValid()) {
        Q_EMIT currentEntryTouched();
        Q_EMIT contextMenuRequested(event->globalPosition().toPoint());
    }
}

void PreviewTableView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The view first: it stops a pending in-place edit, which must not open behind the dialog.
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        Q_EMIT editRequested();
}

void PreviewTableView::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && state() != EditingState) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            Q_EMIT editRequested();
            return;
        case Qt::Key_Delete:
            event->accept();
            Q_EMIT removeRequested();
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void PreviewTableView::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    Q_EMIT currentEntryTouched();
}

void PreviewTableView::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse opens the menu on release; the keyboard's menu key opens it at the current entry.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->accept();
        return;
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    Q_EMIT currentEntryTouched();
    Q_EMIT contextMenuRequested(viewport()->mapToGlobal(visualRect(current).center()));
}

bool PreviewTableView::isOwnDrag(const QMimeData* mime) const
{
    // A drag counts as the list's own only when it carries the key of the entry the press remembered.
    return mime && mime->hasFormat(PreviewList::kEntryMimeType) && m_dragEntry.isValid() &&
           QString::fromUtf8(mime->data(PreviewList::kEntryMimeType)) == m_list.entry(m_dragEntry.row()).key();
}

QStringList PreviewTableView::droppedFolders(const QMimeData* mime) const
{
    if (!m_shellDrop || !mime || !mime->hasUrls())
        return {};
    // Byte for byte: a folder whose name is not UTF-8 must arrive under its own name.
    return FolderLoader::localPathsFromUrls(mime->urls());
}

void PreviewTableView::dragEnterEvent(QDragEnterEvent* event)
{
    if (isOwnDrag(event->mimeData()) || !droppedFolders(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void PreviewTableView::dragMoveEvent(QDragMoveEvent* event)
{
    if (isOwnDrag(event->mimeData()) || !droppedFolders(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void PreviewTableView::dropEvent(QDropEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (isOwnDrag(mime)) {
        // The list moves the entry; a drop below the last row means onto the last entry.
        const QModelIndex at = indexAt(event->position().toPoint());
        event->setDropAction(Qt::MoveAction);
        event->accept();
        const bool moved = m_list.dropMimeData(mime, Qt::MoveAction, at.isValid() ? at.row() : -1, 0, QModelIndex());
        m_dragEntry = QPersistentModelIndex();
        if (moved)
            Q_EMIT entryMoved();
        return;
    }
    const QStringList paths = droppedFolders(mime);
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_shellDrop(paths);
}

void PreviewTableView::hideWorkColumns()
{
    for (int column = PreviewList::kVisibleColumns; column < FolderEntry::ColumnCount; ++column)
        horizontalHeader()->setSectionHidden(column, true);
}

void PreviewTableView::setEmptyHint(const QString& hint)
{
    m_emptyHint = hint;
    viewport()->update();
}

void PreviewTableView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (m_list.rowCount() > 0 || m_emptyHint.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin), Qt::AlignCenter | Qt::TextWordWrap,
                     m_emptyHint);
}
