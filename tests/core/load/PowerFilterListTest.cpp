#include "core/load/PowerFilterList.h"
#include "core/settings/IniDocument.h"
#include "core/settings/SettingsStore.h"
#include "support/WriteTextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Filter = PowerFilterList::Filter;

class PowerFilterListTest : public ::testing::Test
{
protected:
    PowerFilterList load(const QString& text) { return PowerFilterList::load(IniDocument::fromText(text)); }
    // The list stored as "f1=1*", "f2=0Photo*" … for the given values.
    PowerFilterList listOf(const QStringList& stored)
    {
        QString text = QStringLiteral("[PowerFilter]\n");
        for (int i = 0; i < stored.size(); ++i)
            text += QStringLiteral("f%1=%2\n").arg(i + 1).arg(stored.at(i));
        return load(text);
    }
    // The check boxes as "100": the first checked, the others not.
    static QString checks(const PowerFilterList& list)
    {
        QString result;
        for (const Filter& f : list.filters())
            result += f.checked ? u'1' : u'0';
        return result;
    }

    PosixFileSystem fs;
    QTemporaryDir m_dir;
    QString m_file = m_dir.filePath(QStringLiteral("settings.vlp"));
};

TEST_F(PowerFilterListTest, LoadsUpToTheFirstEmptyValueAndRepairsAHandEditedList)
{
    const PowerFilterList list = load("[PowerFilter]\nf1=1*\nf2=0Photo*\nf3=\nf4=1Never\n[Other]\nf5=1x\n");
    EXPECT_EQ(list.filters(), QList<Filter>({{"*", true}, {"Photo*", false}}));
    EXPECT_FALSE(load("[Settings]\nlastpath=\n").matchesAny(u"anything"));
    EXPECT_EQ(checks(listOf({"1*", "1a*"})), QStringLiteral("10"));
    EXPECT_EQ(checks(listOf({"0*", "0a*"})), QStringLiteral("10"));
    EXPECT_EQ(checks(listOf({"0*", "1a*", "1b*"})), QStringLiteral("011"));
    // Only checked patterns match; removing the last one in use brings the first back on.
    PowerFilterList photos = listOf({"0*", "1Photo*", "1####"});
    EXPECT_FALSE(photos.matchesAny(u"photos 2004"));
    photos.remove(1);
    photos.remove(1);
    EXPECT_TRUE(photos.matchesAny(u"photos 2004"));
}

TEST_F(PowerFilterListTest, SavesInOrderWithAnEmptyKeyAfterTheLast)
{
    PowerFilterList list = listOf({"1*", "0Photo*", "0####"});
    list.remove(2);
    IniDocument settings;
    list.store(settings);
    for (const auto& [key, value] : {std::pair{"f1", "1*"}, {"f2", "0Photo*"}, {"f3", ""}})
        EXPECT_EQ(settings.value("PowerFilter", key), QLatin1String(value)) << key;
}

// The first filter ("all") excludes the others; the others combine; one is always checked.
TEST_F(PowerFilterListTest, ChecksKeepTheFirstExclusiveAndOneChecked)
{
    const std::tuple<const char*, int, bool, const char*> cases[] = {
        {"100", 1, true, "010"},  {"010", 2, true, "011"}, {"011", 0, true, "100"},
        {"010", 1, false, "100"}, {"10", 0, false, "10"},  {"011", 2, false, "010"},
    };
    for (const auto& [before, index, checked, after] : cases) {
        QStringList stored;
        for (int i = 0; before[i]; ++i)
            stored.append(QLatin1Char(before[i]) + QStringLiteral("p%1").arg(i));
        PowerFilterList list = listOf(stored);
        list.setChecked(index, checked);
        EXPECT_EQ(checks(list), QLatin1String(after)) << before << " box " << index << " to " << checked;
    }
}

TEST_F(PowerFilterListTest, AddAndEditStoreTheCleanedPatternChecked)
{
    EXPECT_EQ(PowerFilterList::cleanPattern("\"x/y<z>|w:v\\u\""), QStringLiteral("xyzwvu"));
    EXPECT_EQ(PowerFilterList::cleanPattern("*[!a-z]?#. é"), QStringLiteral("*[!a-z]?#. é"));
    PowerFilterList list = listOf({"1*"});
    EXPECT_FALSE(list.add(":/\\"));
    EXPECT_TRUE(list.add("a:b\\c"));
    EXPECT_EQ(list.at(1), (Filter{"abc", true})) << "the empty pattern was not added";
    EXPECT_EQ(checks(list), QStringLiteral("01"));
    EXPECT_FALSE(list.edit(1, "||"));
    EXPECT_EQ(list.at(1).pattern, QStringLiteral("abc"));
    EXPECT_TRUE(list.edit(0, "<Photo*>"));
    EXPECT_EQ(list.at(0), (Filter{"Photo*", true}));
    EXPECT_EQ(checks(list), QStringLiteral("10"));
}

} // namespace
