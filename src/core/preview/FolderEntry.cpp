#include "core/preview/FolderEntry.h"

#include "core/platform/LocalTime.h"

#include <QLocale>

namespace {

QString timeText(qint64 secsSinceEpoch)
{
    // Folders whose file system keeps no such time show the earliest date the format knows.
    if (secsSinceEpoch == PathInfo::kUnknownTime)
        return QStringLiteral("1980-01-01 00:00:00");
    return LocalTime::text(secsSinceEpoch);
}

// Sizes show the locale's digit grouping ("#,##0"), always grouped, also where the locale's default is
// not to.
QLocale groupingLocale()
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale;
}

// A number as exactly twelve digits (more when it needs them).
QString twelveDigits(qint64 number)
{
    return QString::number(number).rightJustified(12, QLatin1Char('0'));
}

} // namespace

QString FolderEntry::text(int column) const
{
    if (column >= ColHistory0 && column < ColHistory0 + kHistoryLevels)
        return history.at(column - ColHistory0);
    switch (column) {
    case ColParentPath:
        return parentPath;
    case ColOldName:
        return oldName;
    case ColNewName:
        return newName;
    case ColCreated:
        return timeText(created);
    case ColModified:
        return timeText(modified);
    case ColSize:
        return groupingLocale().toString(size);
    case ColPosition:
        return position > 0 ? twelveDigits(position) : QString();
    default:
        return {};
    }
}

QString FolderEntry::sizeTag() const
{
    return twelveDigits(size);
}
