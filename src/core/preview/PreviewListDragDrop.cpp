#include "core/preview/PreviewList.h"

#include <QMimeData>
#include <algorithm>

// Dragging rows within the list: the dragged entries travel as their keys, one a line.

QStringList PreviewList::mimeTypes() const
{
    return {kEntryMimeType};
}

QMimeData* PreviewList::mimeData(const QModelIndexList& indexes) const
{
    std::vector<int> rows;
    for (const QModelIndex& index : indexes) {
        if (index.isValid() && index.model() == this)
            rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty())
        return nullptr;
    QStringList keys;
    for (int row : rows)
        keys.append(entry(row).key());
    auto* mime = new QMimeData;
    mime->setData(kEntryMimeType, keys.join(QLatin1Char('\n')).toUtf8());
    return mime;
}

Qt::DropActions PreviewList::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions PreviewList::supportedDropActions() const
{
    return Qt::MoveAction;
}

std::optional<std::pair<int, int>> PreviewList::droppedBlock(const QMimeData* data) const
{
    if (!data || !data->hasFormat(kEntryMimeType))
        return std::nullopt;
    const QStringList keys = QString::fromUtf8(data->data(kEntryMimeType)).split(QLatin1Char('\n'));
    const int first = rowOfKey(keys.first());
    // Only entries of this list that stand together, in list order, move as one block.
    for (int i = 0; i < keys.size(); ++i) {
        if (first < 0 || rowOfKey(keys.at(i)) != first + i)
            return std::nullopt;
    }
    return std::make_pair(first, static_cast<int>(keys.size()));
}

bool PreviewList::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                  const QModelIndex& parent) const
{
    return action == Qt::MoveAction && !parent.isValid() && droppedBlock(data).has_value();
}

bool PreviewList::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                               const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent) || isEmpty())
        return false;
    const auto [from, count] = *droppedBlock(data);
    const int target = row >= 0 && row < size() ? row : size() - 1;
    if (target >= from && target < from + count)
        return false;
    // As MoveEntry: from above the block lands just after the target, from below at the target's place.
    return moveRows(QModelIndex(), from, count, QModelIndex(), from < target ? target + 1 : target);
}
