#pragma once

#include <QDateTime>
#include <QString>

// Local times of file-system timestamps (seconds since the epoch). QDateTime re-reads the time zone for
// every conversion, which a load of 100 000 folders would do 200 000 times; these convert through the
// C library's cached zone instead.
namespace LocalTime {

// "yyyy-MM-dd HH:mm:ss" in local time.
QString text(qint64 secsSinceEpoch);
// The local QDateTime, or an invalid one for PathInfo::kUnknownTime.
QDateTime dateTime(qint64 secsSinceEpoch);

// The local date and clock time that text() writes, for code that formats many times; both invalid for
// PathInfo::kUnknownTime.
struct Parts
{
    QDate date;
    QTime time;
};
Parts parts(qint64 secsSinceEpoch);

} // namespace LocalTime
