#include "settings/DateTimeFormats.h"
#include "settings/DateFormatter.h"
#include "settings/TextCodec.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DateFormatterTest, Codes)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDateTime afternoon(QDate(2004, 3, 5), QTime(14, 7, 9));
    const std::pair<const char*, const char*> cases[] = {
        {"dd.mm.yyyy", "05.03.2004"},
        {"yymmdd", "040305"},
        {"dd. mmmm yyyy", "05. March 2004"},
        {"dd. mmm yy", "05. Mar 04"},
        {"hh-nn-ss", "14-07-09"},
        {"hh_nn AM/PM", "02_07 PM"},
        {"YYYY-MM-DD HH-NN-SS", "2004-03-05 14-07-09"}, // codes ignore case
        {"yyyymmddhhnnss", "20040305140709"},
        // "mm" is always the month, also after an hour; other characters are copied.
        {"hh:mm", "14:03"},
        {"Photo yyyy", "Photo 2004"},
        {"mmmmm yyy", "Marchm 04y"},
        {"", ""},
    };
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(DateFormatter::format(afternoon, QString::fromUtf8(format), english), QString::fromUtf8(expected))
            << format;
    EXPECT_EQ(DateFormatter::format(QDateTime(QDate(2004, 3, 5), QTime(0, 30)), u"hh AM/PM", english),
              QStringLiteral("12 AM"));
    EXPECT_EQ(DateFormatter::format(QDateTime(QDate(2004, 3, 5), QTime(12, 0)), u"hh AM/PM", english),
              QStringLiteral("12 PM"));
    EXPECT_EQ(DateFormatter::format(afternoon, u"mmmm", QLocale(QLocale::German, QLocale::Germany)),
              QString::fromUtf8("März"));
    EXPECT_EQ(DateFormatter::format(QDateTime(), u"yyyy-mm-dd hh-nn-ss", english),
              QStringLiteral("1899-12-30 00-00-00"));
}

TEST(DateTimeFormatsTest, BuiltInLists)
{
    const DateTimeFormats formats;
    const std::pair<int, const char*> lists[] = {{DateTimeFormats::Dates, "yy_mm_dd"},
                                                 {DateTimeFormats::Times, "hh_nn"},
                                                 {DateTimeFormats::TimesAmPm, "hh_nn AM/PM"},
                                                 {DateTimeFormats::DatesAndTimes, "yy_mm_dd_hh_nn_ss"}};
    const qsizetype sizes[] = {14, 4, 4, 18};
    for (const auto& [type, last] : lists) {
        EXPECT_EQ(formats.list(type).size(), sizes[type]) << type;
        EXPECT_EQ(formats.list(type).last(), QString::fromUtf8(last)) << type;
    }
    EXPECT_TRUE(formats.list(DateTimeFormats::User).isEmpty());
    EXPECT_TRUE(formats.list(7).isEmpty());
}

TEST(DateTimeFormatsTest, PutFormatMovesAnExistingTextToTheEnd)
{
    QStringList list{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    PutFormat(list, QStringLiteral("a"));
    EXPECT_EQ(list, QStringList({QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")}));
    PutFormat(list, QStringLiteral("d"));
    EXPECT_EQ(list.last(), QStringLiteral("d"));
    // Editing "b" into the text of "c": remove the edited entry, then put the new text.
    list.removeAll(QStringLiteral("b"));
    PutFormat(list, QStringLiteral("c"));
    EXPECT_EQ(list, QStringList({QStringLiteral("a"), QStringLiteral("d"), QStringLiteral("c")}));
    PutFormat(list, QStringLiteral("  "));
    EXPECT_EQ(list.size(), 3);
}

class DateTimeFormatsFileTest : public ::testing::Test
{
protected:
    QString settings(const QString& text)
    {
        const QString path = m_dir.filePath(QStringLiteral("settings.vlp"));
        TextCodec::writeFileAtomically(path, text);
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(DateTimeFormatsFileTest, LoadReadsUpToTheFirstEmptyKeyOnce)
{
    const QString file =
        settings(QStringLiteral("[Main]\nx=1\n[DTFormats]\nf1=yyyy\nf2=dd mm\nf3=yyyy\nf4=\nf5=lost\n"));
    const DateTimeFormats formats = LoadDateTimeFormats(file);
    EXPECT_EQ(formats.userFormats(), QStringList({QStringLiteral("yyyy"), QStringLiteral("dd mm")}));
    EXPECT_EQ(formats.list(DateTimeFormats::Dates).size(), 14);
    EXPECT_TRUE(LoadDateTimeFormats(m_dir.filePath(QStringLiteral("missing.vlp"))).userFormats().isEmpty());
}

TEST_F(DateTimeFormatsFileTest, SaveWritesTheListAndAnEmptyKeyAfterIt)
{
    const QString file = settings(QStringLiteral("[Main]\nx=1\n[DTFormats]\nf1=a\nf2=b\nf3=c\nf4=\n"));
    DateTimeFormats formats;
    formats.userFormats() = {QStringLiteral("yyyy-mm"), QStringLiteral("nn")};
    ASSERT_TRUE(SaveUserFormats(formats, file));
    EXPECT_EQ(TextCodec::readFile(file), QStringLiteral("[Main]\nx=1\n[DTFormats]\nf1=yyyy-mm\nf2=nn\nf3=\nf4=\n"));
    EXPECT_EQ(LoadDateTimeFormats(file).userFormats(), formats.userFormats());

    formats.userFormats().clear();
    ASSERT_TRUE(SaveUserFormats(formats, file));
    EXPECT_TRUE(LoadDateTimeFormats(file).userFormats().isEmpty());
    EXPECT_TRUE(TextCodec::readFile(file).contains(QStringLiteral("f1=\n")));
}

TEST_F(DateTimeFormatsFileTest, SaveLeavesAnUnreadableSettingsFileAlone)
{
    // A folder where the settings file should be: it exists but cannot be read as a file.
    const QString folder = m_dir.filePath(QStringLiteral("folder.vlp"));
    ASSERT_TRUE(QDir().mkpath(folder));
    DateTimeFormats formats;
    formats.userFormats() = {QStringLiteral("yyyy")};
    EXPECT_FALSE(SaveUserFormats(formats, folder));
}

TEST(FormatStampTest, Stamps)
{
    EXPECT_EQ(FormatStamp(u"20240131235959"), QStringLiteral("2024-01-31, 23:59:59"));
    EXPECT_EQ(FormatStamp(u"2024013123595"), QStringLiteral("2024013123595"));
    EXPECT_EQ(FormatStamp(u""), QString());
}

} // namespace
