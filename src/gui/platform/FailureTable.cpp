#include "gui/platform/FailureTable.h"

#include "gui/platform/TextRowDelegate.h"

#include <QHeaderView>

FailureTable::FailureTable(const QStringList& messages, const QString& objectName, QWidget* parent)
    : QTableWidget(static_cast<int>(messages.size()), 2, parent)
{
    setObjectName(objectName);
    setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("Message")});
    setProperty("columnTags", QStringList{QStringLiteral("ColNumber"), QStringLiteral("ColMessage")});
    verticalHeader()->hide();
    setShowGrid(false);
    setItemDelegate(new TextRowDelegate(this));
    setAlternatingRowColors(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Messages name full paths: each row is as high as its wrapped message.
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    // Queued: the header settles its widths in several steps while the window is laid out.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &QTableWidget::resizeRowsToContents,
            Qt::QueuedConnection);
    for (int row = 0; row < messages.size(); ++row) {
        const QString& message = messages.at(row);
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignTop);
        auto* text = new QTableWidgetItem(message);
        text->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        text->setToolTip(message);
        setItem(row, 0, number);
        setItem(row, 1, text);
    }
}
