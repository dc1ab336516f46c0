#include "gui/rename/LivePreview.h"

#include "core/preview/PreviewList.h"
#include "gui/rename/RenameDialog.h"

#include <QScrollBar>
#include <QTableView>

LivePreview::LivePreview(RenameDialog& dialog, PreviewList& list, QTableView& view)
    : m_dialog(dialog)
    , m_list(list)
    , m_view(view)
{
    connect(&dialog, &RenameDialog::changed, this, &LivePreview::update);
    connect(&dialog, &RenameDialog::applied, this, &LivePreview::applied);
    QScrollBar* rows = view.verticalScrollBar();
    connect(rows, &QScrollBar::valueChanged, this, &LivePreview::scrolled);
    connect(rows, &QScrollBar::rangeChanged, this, &LivePreview::scrolled);
    update();
}

LivePreview::~LivePreview()
{
    m_list.clearProposedNames();
}

void LivePreview::update()
{
    m_showing = true;
    const int first = m_view.rowAt(0);
    if (first < 0) {
        m_list.clearProposedNames();
        return;
    }
    int last = m_view.rowAt(m_view.viewport()->height() - 1);
    if (last < 0)
        last = m_list.size() - 1;
    m_list.showProposedNames(ProposedNames(first, m_dialog.proposedNames(first, last)));
}

void LivePreview::applied()
{
    m_showing = false;
    m_list.clearProposedNames();
}

void LivePreview::scrolled()
{
    if (m_showing)
        update();
}
