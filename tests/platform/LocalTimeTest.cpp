#include "platform/LocalTime.h"
#include "platform/FileSystem.h"

#include <QDateTime>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

// Sets the process time zone for one test and puts the old one back.
class TimeZone
{
public:
    explicit TimeZone(const char* zone)
        : m_old(qgetenv("TZ"))
        , m_hadOld(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZone()
    {
        if (m_hadOld)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray m_old;
    bool m_hadOld;
};

TEST(LocalTime, AgreesWithQtAcrossDaylightSavingChanges)
{
    if (!QFileInfo::exists(QStringLiteral("/usr/share/zoneinfo/Europe/Berlin")))
        GTEST_SKIP() << "no time zone data";
    TimeZone berlin("Europe/Berlin");
    // Winter, summer, the hour after the spring change, the doubled autumn hour, the epoch, before it.
    for (qint64 secs : {1705312800LL, 1718452800LL, 1711846800LL, 1729990800LL, 1729994400LL, 0LL, -86400LL * 400}) {
        EXPECT_EQ(LocalTime::text(secs),
                  QDateTime::fromSecsSinceEpoch(secs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
            << secs;
        EXPECT_EQ(LocalTime::dateTime(secs).toSecsSinceEpoch(), secs);
    }
    EXPECT_FALSE(LocalTime::dateTime(PathInfo::kUnknownTime).isValid());
}

} // namespace
