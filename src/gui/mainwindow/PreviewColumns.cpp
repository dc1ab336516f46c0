#include "gui/mainwindow/PreviewColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

PreviewColumns::PreviewColumns(QTableView& view)
    : QObject(&view)
    , m_view(view)
    , m_viewport(view.viewport())
{
    QHeaderView* header = view.horizontalHeader();
    for (int column = 0; column < PreviewList::kVisibleColumns; ++column)
        m_widths[static_cast<size_t>(column)] = header->sectionSize(column);
    connect(header, &QHeaderView::sectionResized, this, &PreviewColumns::sectionResized);
    m_viewport->installEventFilter(this);
}

int PreviewColumns::width(int column) const
{
    const QHeaderView* header = m_view.horizontalHeader();
    if (header->isSectionHidden(column))
        return 0;
    return column < PreviewList::kVisibleColumns ? m_widths[static_cast<size_t>(column)] : header->sectionSize(column);
}

void PreviewColumns::setWidth(int column, int pixels)
{
    QHeaderView* header = m_view.horizontalHeader();
    m_laying = true;
    if (pixels <= 0) {
        header->setSectionHidden(column, true);
    } else {
        if (column < PreviewList::kVisibleColumns)
            m_widths[static_cast<size_t>(column)] = pixels;
        header->setSectionHidden(column, false);
        header->resizeSection(column, pixels);
    }
    m_laying = false;
    fit();
}

void PreviewColumns::fit()
{
    const QHeaderView* header = m_view.horizontalHeader();
    int used = 0;
    for (int column = 0; column < PreviewList::kVisibleColumns; ++column) {
        if (!header->isSectionHidden(column))
            used += m_widths[static_cast<size_t>(column)];
    }
    const int extra = std::max(0, m_view.viewport()->width() - used);
    m_extra = {};
    m_extra[static_cast<size_t>(FolderEntry::ColOldName)] = extra / 2;
    m_extra[static_cast<size_t>(FolderEntry::ColNewName)] = extra - extra / 2;
    m_laying = true;
    for (int column = 0; column < PreviewList::kVisibleColumns; ++column) {
        if (!header->isSectionHidden(column)) {
            const auto c = static_cast<size_t>(column);
            m_view.horizontalHeader()->resizeSection(column, m_widths[c] + m_extra[c]);
        }
    }
    m_laying = false;
}

bool PreviewColumns::eventFilter(QObject* watched, QEvent* event)
{
    // The stored viewport, not the view's: events still arrive while the view is taken apart.
    if (event->type() == QEvent::Resize && watched == m_viewport)
        fit();
    return QObject::eventFilter(watched, event);
}

void PreviewColumns::sectionResized(int column, int, int newSize)
{
    // A column the user dragged: its own width is what it shows less the share of extra room it had.
    if (m_laying || column >= PreviewList::kVisibleColumns || newSize <= 0)
        return;
    const auto c = static_cast<size_t>(column);
    m_widths[c] = std::max(1, newSize - m_extra[c]);
}
