#include "gui/platform/TextRowDelegate.h"

#include <QFontMetrics>
#include <algorithm>

QSize TextRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    return {size.width(), std::max(size.height(), rowHeight(option.fontMetrics))};
}

int TextRowDelegate::rowHeight(const QFontMetrics& metrics)
{
    const QRect ink = metrics.boundingRect(QStringLiteral("\u00c5\u00d6\u00c9_gjpqy|"));
    const int text = std::max({metrics.height(), metrics.lineSpacing(), ink.height()});
    // A third of the text height shared above and below, as a comfortable list reads.
    return text + std::max(4, text / 3);
}
