#include "gui/rename/StructureItemList.h"

#include "core/rename/StructureCheck.h"
#include "core/settings/Language.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>

StructureItemList::StructureItemList(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(2);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    header()->setStretchLastSection(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](const QTreeWidgetItem* item) { Q_EMIT insertRequested(item->text(0)); });
}

void StructureItemList::fill(const Language& language, const QStringList& keyPrefixes, const FileSystem& fs)
{
    const QString section = QStringLiteral("ComboBoxes");
    for (const QString& prefix : keyPrefixes) {
        for (int n = 1;; ++n) {
            const QString value = language.GetLngText(section, prefix + QLatin1Char('-') + QString::number(n));
            if (value.isEmpty())
                break;
            const qsizetype bar = value.indexOf(QLatin1Char('|'));
            const QString text = bar < 0 ? value : value.left(bar);
            if (!StructureUnderstands(text, fs))
                continue;
            auto* item = new QTreeWidgetItem(this, {text, bar < 0 ? QString() : value.mid(bar + 1)});
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
            item->setToolTip(1, item->text(1));
        }
    }
    resizeColumnToContents(0);
}

QStringList StructureItemList::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

QMimeData* StructureItemList::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    if (items.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setText(items.first()->text(0));
    return data;
}

void StructureItemList::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        Q_EMIT insertRequested(currentItem()->text(0));
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
