#pragma once

#include <QStyledItemDelegate>
#include <functional>

// Edits a new name in place in the preview table: in a name field (typed characters no folder name may
// hold are rejected, as in the manual-edit dialog), and the typed name goes to the manual edit, not into
// the list, so the history, undo and recording treat it as they treat the dialog's.
class NewNameDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using TakeName = std::function<void(int row, const QString& typed)>;

    NewNameDelegate(TakeName take, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    TakeName m_take;
};
