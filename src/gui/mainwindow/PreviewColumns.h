#pragma once

#include "core/preview/PreviewList.h"

#include <QObject>
#include <array>

class QTableView;

// The widths of the preview table's visible columns. Each has the width the user gave it (read from and
// written to the settings); on a view wider than their sum, the old and new name columns share the
// extra room rather than leaving it empty. The extra room is the view's, never stored: a user who drags
// a column changes its own width by as much as the drag.
class PreviewColumns : public QObject
{
    Q_OBJECT

public:
    explicit PreviewColumns(QTableView& view);

    // The user's width of a column in pixels; 0 while it is hidden.
    int width(int column) const;
    // 0 hides the column.
    void setWidth(int column, int pixels);
    // Lays the columns out for the view's present width.
    void fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sectionResized(int column, int oldSize, int newSize);

    QTableView& m_view;
    QWidget* m_viewport;
    std::array<int, PreviewList::kVisibleColumns> m_widths{};
    std::array<int, PreviewList::kVisibleColumns> m_extra{};
    bool m_laying = false;
};
