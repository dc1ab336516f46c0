#include "gui/mainwindow/NewNameDelegate.h"

#include "gui/rename/NameFieldWidget.h"

NewNameDelegate::NewNameDelegate(TakeName take, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_take(std::move(take))
{}

QWidget* NewNameDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* field = new NameFieldWidget(parent);
    field->setFrame(false);
    return field;
}

void NewNameDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<NameFieldWidget*>(editor)->setText(index.data(Qt::DisplayRole).toString());
}

void NewNameDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    const QString typed = static_cast<NameFieldWidget*>(editor)->text();
    // Leaving the field without a change is no edit: nothing to take, nothing to refresh.
    if (typed != index.data(Qt::DisplayRole).toString())
        m_take(index.row(), typed);
}
