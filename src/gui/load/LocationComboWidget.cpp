#include "gui/load/LocationComboWidget.h"

#include <QStyledItemDelegate>

namespace {

// Pixels of indentation per level in the open list.
constexpr int kIndentStep = 14;

// Draws an entry of the open list shifted right by its depth.
class IndentingDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.adjust(indentOf(index), 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indentOf(index), 0);
    }

private:
    static int indentOf(const QModelIndex& index)
    {
        return index.data(LocationComboWidget::DepthRole).toInt() * kIndentStep;
    }
};

} // namespace

LocationComboWidget::LocationComboWidget(QWidget* parent)
    : QComboBox(parent)
{
    setItemDelegate(new IndentingDelegate(this));
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
    setMaxVisibleItems(20);
}

void LocationComboWidget::addLocation(const QIcon& icon, const QString& text, const QString& key, int depth)
{
    addItem(icon, text, key);
    setItemData(count() - 1, depth, DepthRole);
}

QString LocationComboWidget::keyAt(int index) const
{
    return itemData(index, KeyRole).toString();
}

int LocationComboWidget::indexOfKey(const QString& key) const
{
    const QString wanted = key.trimmed();
    for (int i = 0; i < count(); ++i) {
        if (keyAt(i).trimmed() == wanted)
            return i;
    }
    return -1;
}
