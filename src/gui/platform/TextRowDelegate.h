#pragma once

#include <QStyledItemDelegate>

class QFontMetrics;

// Draws list cells as usual but never lets a row be lower than its text needs: accents over capitals
// ("Ö", "Å") rise above some fonts' ascent and underscores sink below their descent, and item views size
// rows by those metrics alone.
class TextRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The height of a row of one line of text in a font, with room above and below.
    static int rowHeight(const QFontMetrics& metrics);
};
