#include "core/folderops/TimeOffset.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int y, int mo, int d, int h = 12, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

TEST(TimeOffsetTest, CarriesEveryPartIntoTheNextLargerOne)
{
    struct Row
    {
        const char* name;
        QDateTime date;
        const char* offset;
        QDateTime expected;
    };
    const Row rows[] = {
        {"31 January + 1 month, common year", at(2023, 1, 31), "+00:01:00:00:00:00", at(2023, 3, 3)},
        {"31 January + 1 month, leap year", at(2024, 1, 31), "+00:01:00:00:00:00", at(2024, 3, 2)},
        {"29 February + 1 year", at(2024, 2, 29), "+01:00:00:00:00:00", at(2025, 3, 1)},
        {"1 March - 1 day, leap year", at(2024, 3, 1), "-00:00:01:00:00:00", at(2024, 2, 29)},
        {"1 March - 1 day, common year", at(2023, 3, 1), "-00:00:01:00:00:00", at(2023, 2, 28)},
        {"December + 1 month", at(2023, 12, 15), "+00:01:00:00:00:00", at(2024, 1, 15)},
        {"January - 11 months", at(2024, 1, 15), "-00:11:00:00:00:00", at(2023, 2, 15)},
        {"hour 25 is 1:00 of the next day", at(2024, 12, 31, 0), "+00:00:00:25:00:00", at(2025, 1, 1, 1)},
        {"a negative hour counts back", at(2024, 3, 1, 0, 30), "-00:00:00:01:00:00", at(2024, 2, 29, 23, 30)},
        {"seconds carry up to the year", at(2024, 12, 31, 23, 59, 30), "+00:00:00:00:00:45", at(2025, 1, 1, 0, 0, 15)},
        {"every field at once", at(2020, 5, 10, 10, 10, 10), "+01:02:03:04:05:06", at(2021, 7, 13, 14, 15, 16)},
        {"any sign but + subtracts", at(2020, 5, 10), "x00:00:01:00:00:00", at(2020, 5, 9)},
        {"zero offset", at(2020, 5, 10, 1, 2, 3), "+00:00:00:00:00:00", at(2020, 5, 10, 1, 2, 3)},
        {"damaged text is the zero offset", at(2020, 5, 10), "+1:00:00:00:00:00", at(2020, 5, 10)},
        {"wrong separators are the zero offset", at(2020, 5, 10), "+00-00-01-00-00-00", at(2020, 5, 10)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ApplyOffset(row.date, QString::fromLatin1(row.offset)), row.expected);
    }
}

TEST(TimeOffsetTest, TextRoundTrips)
{
    TimeOffset offset;
    EXPECT_EQ(offset.text(), TimeOffset::zeroText());
    EXPECT_TRUE(offset.isZero());
    offset.subtract = true;
    offset.fields[0] = 20;
    offset.fields[5] = 7;
    EXPECT_EQ(offset.text(), QStringLiteral("-20:00:00:00:00:07"));
    const TimeOffset read = TimeOffset::fromText(offset.text());
    EXPECT_TRUE(read.subtract);
    EXPECT_EQ(read.text(), offset.text());
    EXPECT_FALSE(read.isZero());
}

} // namespace
