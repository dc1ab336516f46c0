#include "core/settings/DateTimeFormats.h"
#include "core/platform/PosixFileSystem.h"
#include "core/settings/DateFormatter.h"
#include "core/settings/IniDocument.h"
#include "core/settings/TextCodec.h"
#include "support/WriteTextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(DateFormatterTest, Codes)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDateTime afternoon(QDate(2004, 3, 5), QTime(14, 7, 9));
    const std::pair<const char*, const char*> cases[] = {
        {"dd.mm.yyyy|yymmdd", "05.03.2004|040305"},
        {"dd. mmmm yyyy", "05. March 2004"},
        {"dd. mmm yy", "05. Mar 04"},
        {"hh_nn AM/PM", "02_07 PM"},
        {"YYYY-MM-DD HH-NN-SS", "2004-03-05 14-07-09"}, // codes ignore case
        // "mm" is always the month, also after an hour; words are quoted, other characters copied.
        {"hh:mm 'Photo' yyyy", "14:03 Photo 2004"},
        {"hh:mm \"Photo\" yyyy", "14:03 Photo 2004"},
        {"'open", "open"},
        {"d.m.yyyy|D.M.YYYY", "5.3.2004|5.3.2004"},
        {"y q", "65 1"},
        {"dddd ddd|w ww", "Friday Fri|6 10"},
        {"ddddd|dddddd", "3-5-04|Friday, March 5, 2004"},
        {"h:n:s AM/PM", "2:7:9 PM"},
        {"mmmmm yyy", "March3 0465"},
        {"", ""},
    };
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(DateFormatter::format(afternoon, QString::fromUtf8(format), english), QString::fromUtf8(expected))
            << format;
    for (const auto& [hour, expected] : {std::pair(0, "12 AM"), std::pair(12, "12 PM")})
        EXPECT_EQ(DateFormatter::format(QDateTime(QDate(2004, 3, 5), QTime(hour, 30)), u"hh AM/PM", english), expected);
    EXPECT_EQ(DateFormatter::format(afternoon, u"mmmm", QLocale(QLocale::German, QLocale::Germany)),
              QString::fromUtf8("März"));
    EXPECT_EQ(DateFormatter::format(QDateTime(), u"yyyy-mm-dd hh-nn-ss", english), "1899-12-30 00-00-00");
    // Weeks start on Sunday and week 1 holds 1 January, so the week changes on Sundays.
    const std::tuple<QDate, const char*> weeks[] = {{QDate(2004, 1, 1), "5 1"}, {QDate(2004, 1, 3), "7 1"},
                                                    {QDate(2004, 1, 4), "1 2"}, {QDate(2005, 1, 1), "7 1"},
                                                    {QDate(2005, 1, 2), "1 2"}, {QDate(2004, 12, 31), "6 53"}};
    for (const auto& [day, expected] : weeks)
        EXPECT_EQ(DateFormatter::format(QDateTime(day, QTime(0, 0)), u"w ww", english), expected)
            << day.toString().toStdString();
    EXPECT_EQ(FormatStamp(u"20240131235959"), "2024-01-31, 23:59:59");
    EXPECT_EQ(FormatStamp(u"2024013123595"), "2024013123595");
}

TEST(DateTimeFormatsTest, UserListIsReadUpToTheFirstEmptyKeyKeptOnceAndSavedWithOneAfterIt)
{
    PosixFileSystem fs;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.vlp"));
    WriteTextFile(file, QStringLiteral("[Main]\nx=1\n[DTFormats]\nf1=yyyy\nf2=dd mm\nf3=yyyy\nf4=\n"
                                       "f5=lost\n"));
    IniDocument settings = IniDocument::load(file);
    DateTimeFormats formats = LoadDateTimeFormats(settings);
    EXPECT_EQ(formats.userFormats(), QStringList({"yyyy", "dd mm"}));
    EXPECT_TRUE(formats.list(7).isEmpty());
    EXPECT_TRUE(LoadDateTimeFormats(IniDocument()).userFormats().isEmpty());
    // Putting an existing text moves it to the end; a blank one is not put.
    PutFormat(formats.userFormats(), QStringLiteral("yyyy"));
    PutFormat(formats.userFormats(), QStringLiteral("  "));
    EXPECT_EQ(formats.userFormats(), QStringList({"dd mm", "yyyy"}));
    formats.userFormats() = {QStringLiteral("nn")};
    StoreUserFormats(formats, settings);
    EXPECT_EQ(settings.toText(), "[Main]\nx=1\n[DTFormats]\nf1=nn\nf2=\nf3=yyyy\nf4=\nf5=lost\n");
    formats.userFormats().clear();
    StoreUserFormats(formats, settings);
    EXPECT_TRUE(LoadDateTimeFormats(settings).userFormats().isEmpty());
}

} // namespace
