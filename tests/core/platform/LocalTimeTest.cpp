#include "core/platform/LocalTime.h"
#include "core/platform/FileSystem.h"

#include <QDateTime>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <ctime>

namespace {

TEST(LocalTime, AgreesWithQtAcrossDaylightSavingChanges)
{
    if (!QFileInfo::exists(QStringLiteral("/usr/share/zoneinfo/Europe/Berlin")))
        GTEST_SKIP() << "no time zone data";
    const std::optional<QByteArray> oldZone =
        qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
    qputenv("TZ", "Europe/Berlin");
    tzset();
    // Winter, summer, the hour after the spring change, the doubled autumn hour, the epoch, before it.
    for (qint64 secs : {1705312800LL, 1718452800LL, 1711846800LL, 1729990800LL, 1729994400LL, 0LL, -86400LL * 400}) {
        EXPECT_EQ(LocalTime::text(secs),
                  QDateTime::fromSecsSinceEpoch(secs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
            << secs;
        EXPECT_EQ(LocalTime::dateTime(secs).toSecsSinceEpoch(), secs);
    }
    EXPECT_FALSE(LocalTime::dateTime(PathInfo::kUnknownTime).isValid());
    oldZone ? qputenv("TZ", *oldZone) : qunsetenv("TZ");
    tzset();
}

} // namespace
