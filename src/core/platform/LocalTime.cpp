#include "core/platform/LocalTime.h"

#include "core/platform/FileSystem.h"

#include <cstdio>
#include <ctime>

namespace LocalTime {

QString text(qint64 secsSinceEpoch)
{
    const time_t t = static_cast<time_t>(secsSinceEpoch);
    struct tm local;
    if (!localtime_r(&t, &local))
        return dateTime(secsSinceEpoch).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return QString::fromLatin1(buffer);
}

Parts parts(qint64 secsSinceEpoch)
{
    if (secsSinceEpoch == PathInfo::kUnknownTime)
        return {};
    const time_t t = static_cast<time_t>(secsSinceEpoch);
    struct tm local;
    if (!localtime_r(&t, &local)) {
        const QDateTime time = dateTime(secsSinceEpoch);
        return {time.date(), time.time()};
    }
    return {QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
            QTime(local.tm_hour, local.tm_min, local.tm_sec)};
}

QDateTime dateTime(qint64 secsSinceEpoch)
{
    if (secsSinceEpoch == PathInfo::kUnknownTime)
        return {};
    return QDateTime::fromSecsSinceEpoch(secsSinceEpoch);
}

} // namespace LocalTime
