#include "load/PowerFilterList.h"
#include "settings/SettingsStore.h"
#include "settings/TextCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Filter = PowerFilterList::Filter;

class PowerFilterListTest : public ::testing::Test
{
protected:
    QString settings(const QString& text)
    {
        TextCodec::writeFileAtomically(m_file, text);
        return m_file;
    }
    // "1*", "0Photo*" … as stored.
    PowerFilterList listOf(const QStringList& stored)
    {
        QString text = QStringLiteral("[PowerFilter]\n");
        for (int i = 0; i < stored.size(); ++i)
            text += QStringLiteral("f%1=%2\n").arg(i + 1).arg(stored.at(i));
        return PowerFilterList::load(settings(text));
    }
    static QList<bool> checks(const PowerFilterList& list)
    {
        QList<bool> result;
        for (const Filter& f : list.filters())
            result.append(f.checked);
        return result;
    }

    QTemporaryDir m_dir;
    QString m_file = m_dir.filePath(QStringLiteral("settings.vlp"));
};

TEST_F(PowerFilterListTest, LoadsUpToTheFirstEmptyValue)
{
    const PowerFilterList list = PowerFilterList::load(
        settings(QStringLiteral("[PowerFilter]\nf1=1*\nf2=0Photo*\nf3=\nf4=1Never\n[Other]\nf5=1x\n")));
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list.at(0), (Filter{QStringLiteral("*"), true}));
    EXPECT_EQ(list.at(1), (Filter{QStringLiteral("Photo*"), false}));
}

TEST_F(PowerFilterListTest, MissingSectionGivesAnEmptyListThatMatchesNothing)
{
    const PowerFilterList list = PowerFilterList::load(settings(QStringLiteral("[Settings]\nlastpath=\n")));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_FALSE(list.matchesAny(u"anything"));
    EXPECT_FALSE(list.matchesAny(u""));
}

TEST_F(PowerFilterListTest, SavesInOrderWithAnEmptyKeyAfterTheLast)
{
    PowerFilterList list = listOf({QStringLiteral("1*"), QStringLiteral("0Photo*"), QStringLiteral("0####")});
    list.remove(2);
    ASSERT_TRUE(list.save(m_file));
    const auto read = [&](const char* key) {
        return ReadSetting(QStringLiteral("PowerFilter"), QLatin1String(key), m_file);
    };
    EXPECT_EQ(read("f1"), QStringLiteral("1*"));
    EXPECT_EQ(read("f2"), QStringLiteral("0Photo*"));
    EXPECT_EQ(read("f3"), QString());
    EXPECT_EQ(PowerFilterList::load(m_file).filters(), list.filters());
}

// Each row: stored list, box to change, new state, expected checks afterwards.
struct CheckCase
{
    QList<bool> before;
    int index;
    bool checked;
    QList<bool> after;
};

class CheckRules : public PowerFilterListTest, public ::testing::WithParamInterface<CheckCase>
{};

TEST_P(CheckRules, KeepTheFirstExclusiveAndOneChecked)
{
    const CheckCase& c = GetParam();
    QStringList stored;
    for (int i = 0; i < c.before.size(); ++i)
        stored.append((c.before.at(i) ? QStringLiteral("1") : QStringLiteral("0")) + QStringLiteral("p%1").arg(i));
    PowerFilterList list = listOf(stored);
    ASSERT_EQ(checks(list), c.before);
    list.setChecked(c.index, c.checked);
    EXPECT_EQ(checks(list), c.after);
}

INSTANTIATE_TEST_SUITE_P(Rules, CheckRules,
                         ::testing::Values(
                             // Checking another one unchecks the first; others may be combined.
                             CheckCase{{true, false, false}, 1, true, {false, true, false}},
                             CheckCase{{false, true, false}, 2, true, {false, true, true}},
                             // Checking the first unchecks all others.
                             CheckCase{{false, true, true}, 0, true, {true, false, false}},
                             // Unchecking the last one in use checks the first again.
                             CheckCase{{false, true, false}, 1, false, {true, false, false}},
                             CheckCase{{true, false}, 0, false, {true, false}},
                             CheckCase{{false, true, true}, 2, false, {false, true, false}}));

TEST_F(PowerFilterListTest, LoadingRepairsAHandEditedList)
{
    EXPECT_EQ(checks(listOf({QStringLiteral("1*"), QStringLiteral("1a*")})), (QList<bool>{true, false}));
    EXPECT_EQ(checks(listOf({QStringLiteral("0*"), QStringLiteral("0a*")})), (QList<bool>{true, false}));
    EXPECT_EQ(checks(listOf({QStringLiteral("0*"), QStringLiteral("1a*"), QStringLiteral("1b*")})),
              (QList<bool>{false, true, true}));
}

TEST_F(PowerFilterListTest, CleaningRemovesCharactersThatCannotBeInAName)
{
    EXPECT_EQ(PowerFilterList::cleanPattern(QStringLiteral("a:b\\c")), QStringLiteral("abc"));
    EXPECT_EQ(PowerFilterList::cleanPattern(QStringLiteral("\"x/y<z>|w\"")), QStringLiteral("xyzw"));
    EXPECT_EQ(PowerFilterList::cleanPattern(QStringLiteral("*[!a-z]?#. é")), QStringLiteral("*[!a-z]?#. é"));
}

TEST_F(PowerFilterListTest, AddAndEditStoreTheCleanedPatternChecked)
{
    PowerFilterList list = listOf({QStringLiteral("1*")});
    EXPECT_FALSE(list.add(QStringLiteral(":/\\")));
    EXPECT_EQ(list.size(), 1);
    EXPECT_TRUE(list.add(QStringLiteral("a:b\\c")));
    EXPECT_EQ(list.at(1), (Filter{QStringLiteral("abc"), true}));
    EXPECT_FALSE(list.at(0).checked);
    EXPECT_FALSE(list.edit(1, QStringLiteral("||")));
    EXPECT_EQ(list.at(1).pattern, QStringLiteral("abc"));
    EXPECT_TRUE(list.edit(0, QStringLiteral("<Photo*>")));
    EXPECT_EQ(checks(list), (QList<bool>{true, false}));
    EXPECT_EQ(list.at(0).pattern, QStringLiteral("Photo*"));
}

TEST_F(PowerFilterListTest, MatchesWithTheCheckedPatternsOnly)
{
    PowerFilterList list = listOf({QStringLiteral("0*"), QStringLiteral("1Photo*"), QStringLiteral("0####")});
    EXPECT_TRUE(list.matchesAny(u"Photos 2004"));
    EXPECT_FALSE(list.matchesAny(u"photos 2004"));
    EXPECT_FALSE(list.matchesAny(u"2004"));
    list.setChecked(2, true);
    EXPECT_TRUE(list.matchesAny(u"2004"));
    EXPECT_EQ(list.checkedPatterns(), (QStringList{QStringLiteral("Photo*"), QStringLiteral("####")}));
    list.remove(1);
    list.remove(1);
    EXPECT_TRUE(list.matchesAny(u"photos 2004")); // the first came back on
}

} // namespace
