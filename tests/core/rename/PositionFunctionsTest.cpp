// Insert, replace, trim and move, through the steps a script runs (the stored values, their Params and
// the one routine the dialogs use too).
#include "core/preview/PreviewList.h"
#include "core/rename/FieldNumber.h"
#include "core/rename/MoveParams.h"
#include "core/rename/RenameRun.h"
#include "core/rename/RenameSteps.h"
#include "core/rename/ReplaceParams.h"
#include "core/script/DialogValues.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

struct Row
{
    const char* name;
    int type;
    std::initializer_list<std::pair<const char*, const char*>> values;
    const char* oldName;
    const char* expected;
};

DialogValues values(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    DialogValues v;
    for (const auto& [key, value] : pairs) {
        const QString k = QLatin1String(key);
        v.set(k, k.startsWith(u"txt") ? DialogValues::encodeText(QString::fromUtf8(value)) : QString::fromUtf8(value));
    }
    return v;
}

class PositionFunctions : public ::testing::Test
{
protected:
    // The new name the step gives an entry of that name in the folder "/D/Photos/".
    QString run(int type, const DialogValues& stored, const char* name)
    {
        list.clear();
        list.append(MakeEntry(QStringLiteral("/D/Photos/"), QString::fromUtf8(name)));
        RenameRun run(app.state(), list, 0);
        EXPECT_TRUE(RenameSteps::run(type, stored, run));
        return list.entry(0).newName;
    }
    void check(std::initializer_list<Row> rows)
    {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(run(row.type, values(row.values), row.oldName), QString::fromUtf8(row.expected));
        }
    }

    PreviewList list;
    TestApp app;
};

TEST_F(PositionFunctions, InsertPutsTheTextWhereItsPlaceSays)
{
    check({
        {"position 4 with separator",
         7,
         {{"txtPos", "4"}, {"txtIns", "2004"}, {"chkIntChr", "1"}, {"cmbIntChr", "4"}},
         "TripPhotos.old",
         "Trip_2004_Photos.old"},
        {"position 0: no separator in front",
         7,
         {{"txtPos", "0"}, {"txtIns", "2004"}, {"chkIntChr", "1"}, {"cmbIntChr", "4"}},
         "TripPhotos.old",
         "2004_TripPhotos.old"},
        {"position past the end appends",
         7,
         {{"txtPos", "99"}, {"txtIns", "2004"}, {"chkIntChr", "1"}, {"cmbIntChr", "4"}},
         "TripPhotos.old",
         "TripPhotos_2004.old"},
        {"from the right", 7, {{"txtPos", "3"}, {"cmbAlign", "1"}, {"txtIns", "X"}}, "Photos", "PhoXtos"},
        {"from the right past the start", 7, {{"txtPos", "9"}, {"cmbAlign", "1"}, {"txtIns", "X"}}, "ab", "Xab"},
        {"separator unticked", 7, {{"txtPos", "2"}, {"txtIns", "X"}, {"cmbIntChr", "4"}}, "abcd", "abXcd"},
        {"blank separator", 7, {{"opt1(5)", "-1"}, {"txtIns", "X"}, {"chkIntChr", "1"}}, "ab.c", "ab X.c"},
        {"before upper case, once",
         7,
         {{"opt1(2)", "-1"}, {"lstBeforeAfter", "0"}, {"chkOnlyOnce", "1"}, {"txtIns", "-"}},
         "MyHolidayPhotos",
         "-My-Holiday-Photos"},
        {"before a run of upper case, once",
         7,
         {{"opt1(2)", "-1"}, {"lstBeforeAfter", "0"}, {"chkOnlyOnce", "1"}, {"txtIns", "-"}},
         "ABc",
         "-ABc"},
        {"before every upper-case letter",
         7,
         {{"opt1(2)", "-1"}, {"lstBeforeAfter", "0"}, {"txtIns", "-"}},
         "ABc",
         "-A-Bc"},
        {"after digits, once",
         7,
         {{"opt1(3)", "-1"}, {"lstBeforeAfter", "2"}, {"chkOnlyOnce", "1"}, {"txtIns", "_"}},
         "a12b3",
         "a12_b3_"},
        {"before other characters, once",
         7,
         {{"opt1(2)", "-1"}, {"lstBeforeAfter", "3"}, {"chkOnlyOnce", "1"}, {"txtIns", "#"}},
         "a--b c!",
         "a#--b c#!"},
        {"after lower and digits",
         7,
         {{"opt1(3)", "-1"}, {"lstBeforeAfter", "1,2"}, {"chkOnlyOnce", "1"}, {"txtIns", "|"}},
         "ab1C",
         "ab|1|C"},
        {"no class chosen", 7, {{"opt1(2)", "-1"}, {"txtIns", "-"}}, "AbC", "AbC"},
        {"at the beginning",
         7,
         {{"opt1(4)", "-1"}, {"txtIns", "x"}, {"chkIntChr", "1"}, {"cmbIntChr", "2"}},
         "Trip",
         "x-Trip"},
        {"at the end of an empty base", 7, {{"opt1(5)", "-1"}, {"txtIns", "x"}, {"chkIntChr", "1"}}, ".cfg", "x.cfg"},
        {"a text with a dot at the end",
         7,
         {{"opt1(5)", "-1"}, {"txtIns", "a.b"}, {"chkIntChr", "1"}, {"cmbIntChr", "4"}},
         "Trip",
         "Trip_a.b"},
        {"the parent folder's name",
         7,
         {{"opt1(5)", "-1"}, {"txtIns", "<path>"}, {"chkIntChr", "1"}, {"cmbIntChr", "1"}},
         "Trip.x",
         "Trip - Photos.x"},
        {"characters beyond the basic plane",
         7,
         {{"txtPos", "2"}, {"txtIns", "\xF0\x9F\x8C\x8A"}},
         "\xF0\x9F\x8F\x96"
         "ab",
         "\xF0\x9F\x8F\x96"
         "a\xF0\x9F\x8C\x8A"
         "b"},
        {"a date that cannot be read",
         7,
         {{"opt2(2)", "-1"}, {"opt1(4)", "-1"}, {"txtFormat", "yyyy"}, {"chkIntChr", "1"}},
         "Trip",
         "1899 Trip"},
        {"an empty text changes nothing", 7, {{"opt1(4)", "-1"}}, "Trip", "Trip"},
    });
}

TEST_F(PositionFunctions, ReplaceWorksOnTheBaseNameOnly)
{
    check({
        {"a text, case-sensitive", 6, {{"txtToRep", "o"}, {"txtRepBy", "0"}}, "Foo.doc", "F00.doc"},
        {"a text in another case", 6, {{"txtToRep", "O"}, {"txtRepBy", "0"}}, "Foo", "Foo"},
        {"remove a text", 6, {{"txtToRep", " "}, {"optRemove", "-1"}, {"txtRepBy", "ignored"}}, "a b c.d", "abc.d"},
        {"first 2 of 2 changes nothing",
         6,
         {{"optChr2Repl", "-1"}, {"txtPos(0)", "2"}, {"optRemove", "-1"}},
         "ab",
         "ab"},
        {"first 2 of 3", 6, {{"optChr2Repl", "-1"}, {"txtPos(0)", "2"}, {"optRemove", "-1"}}, "abc", "c"},
        {"last 2",
         6,
         {{"optChr2Repl", "-1"}, {"optChrLast", "-1"}, {"txtPos(1)", "2"}, {"txtRepBy", "X"}},
         "abcd.e",
         "abX.e"},
        {"range",
         6,
         {{"optChr2Repl", "-1"}, {"optChrFromTo", "-1"}, {"txtFrom", "2"}, {"txtTo", "3"}, {"txtRepBy", "X"}},
         "abcd",
         "aXd"},
        {"reversed range",
         6,
         {{"optChr2Repl", "-1"}, {"optChrFromTo", "-1"}, {"txtFrom", "3"}, {"txtTo", "2"}, {"txtRepBy", "X"}},
         "abcd",
         "aXd"},
        {"range past the end",
         6,
         {{"optChr2Repl", "-1"}, {"optChrFromTo", "-1"}, {"txtFrom", "5"}, {"txtTo", "6"}, {"txtRepBy", "X"}},
         "ab",
         "ab"},
        {"range running past the end",
         6,
         {{"optChr2Repl", "-1"}, {"optChrFromTo", "-1"}, {"txtFrom", "2"}, {"txtTo", "9"}, {"txtRepBy", "X"}},
         "abc",
         "aX"},
        {"all but digits", 6, {{"optAllChrExcept", "-1"}, {"cmbRemove", "1"}, {"txtRepBy", "_"}}, "a1b2", "_1_2"},
        {"letters removed", 6, {{"optFollowingChr", "-1"}, {"cmbRemove", "0"}, {"optRemove", "-1"}}, "aÄ1ß2.x", "12.x"},
        {"other characters",
         6,
         {{"optFollowingChr", "-1"}, {"cmbRemove", "2"}, {"optRemove", "-1"}},
         "a-b_c!é d",
         "abcé d"},
        {"other characters with exceptions",
         6,
         {{"optFollowingChr", "-1"},
          {"cmbRemove", "2"},
          {"optRemove", "-1"},
          {"chkExceptions", "1"},
          {"txtExceptions", "_"}},
         "a-b_c",
         "ab_c"},
        {"exceptions unticked",
         6,
         {{"optFollowingChr", "-1"}, {"cmbRemove", "2"}, {"optRemove", "-1"}, {"txtExceptions", "_"}},
         "a-b_c",
         "abc"},
        {"a name never becomes empty", 6, {{"optFollowingChr", "-1"}, {"optRemove", "-1"}}, "abc.d", "abc.d"},
        {"first character beyond the basic plane",
         6,
         {{"optChr2Repl", "-1"}, {"txtPos(0)", "1"}, {"optRemove", "-1"}},
         "\xF0\x9F\x8F\x96"
         "ab",
         "ab"},
        {"a character beyond the basic plane is not a letter",
         6,
         {{"optAllChrExcept", "-1"}, {"cmbRemove", "0"}, {"txtRepBy", "_"}},
         "a\xF0\x9F\x8F\x96"
         "b",
         "a_b"},
    });
}

TEST_F(PositionFunctions, ReplaceTakesRegularExpressionsWithGroups)
{
    check({
        {"groups",
         6,
         {{"chkRegExp", "1"}, {"txtToRep", "(\\d+)-(\\d+)"}, {"txtRepBy", "$2-$1"}},
         "12-34 x.7",
         "34-12 x.7"},
        {"the whole match", 6, {{"chkRegExp", "1"}, {"txtToRep", "a"}, {"txtRepBy", "[$0]"}}, "ab", "[a]b"},
        {"missing group and a plain dollar",
         6,
         {{"chkRegExp", "1"}, {"txtToRep", "b"}, {"txtRepBy", "$9$x$"}},
         "ab",
         "a$x$"},
        {"start anchor", 6, {{"chkRegExp", "1"}, {"txtToRep", "^"}, {"txtRepBy", "X"}}, "ab", "Xab"},
        {"end anchor stops at the extension",
         6,
         {{"chkRegExp", "1"}, {"txtToRep", "b$"}, {"txtRepBy", "B"}},
         "ab.b",
         "aB.b"},
        {"empty matches", 6, {{"chkRegExp", "1"}, {"txtToRep", "x*"}, {"txtRepBy", "-"}}, "ab", "-a-b-"},
        {"removed", 6, {{"chkRegExp", "1"}, {"txtToRep", "\\d"}, {"optRemove", "-1"}}, "a1b2", "ab"},
        {"case as written", 6, {{"chkRegExp", "1"}, {"txtToRep", "A"}, {"txtRepBy", "x"}}, "aA", "ax"},
        {"case ignored on request", 6, {{"chkRegExp", "1"}, {"txtToRep", "(?i)A"}, {"txtRepBy", "x"}}, "aA", "xx"},
        {"a dot is any character", 6, {{"chkRegExp", "1"}, {"txtToRep", "."}, {"txtRepBy", "-"}}, "a.b.c", "---.c"},
        {"without the option a dot is a dot", 6, {{"txtToRep", "."}, {"txtRepBy", "-"}}, "a.b.c", "a-b.c"},
        {"an invalid pattern changes nothing",
         6,
         {{"chkRegExp", "1"}, {"txtToRep", "(a"}, {"txtRepBy", "x"}},
         "ab",
         "ab"},
    });
}

TEST_F(PositionFunctions, TrimKeepsAPartOfTheBaseName)
{
    check({
        {"first 4", 10, {{"txtPos(0)", "4"}}, "Holiday.2004", "Holi.2004"},
        {"first 4 without extension", 10, {{"opt1(1)", "-1"}, {"txtPos(0)", "4"}}, "Holiday", "Holi"},
        {"last 3", 10, {{"opt1(2)", "-1"}, {"txtPos(1)", "3"}}, "Holiday.x", "day.x"},
        {"count past the end", 10, {{"opt1(2)", "-1"}, {"txtPos(1)", "99"}}, "Holiday", "Holiday"},
        {"range", 10, {{"opt1(3)", "-1"}, {"txtFrom", "2"}, {"txtTo", "4"}}, "Holiday", "oli"},
        {"reversed range", 10, {{"opt1(3)", "-1"}, {"txtFrom", "4"}, {"txtTo", "2"}}, "Holiday", "oli"},
        {"beyond the basic plane",
         10,
         {{"txtPos(0)", "2"}},
         "\xF0\x9F\x8F\x96\xF0\x9F\x8C\x8A"
         "c",
         "\xF0\x9F\x8F\x96\xF0\x9F\x8C\x8A"},
    });
    list.clear();
    list.append(MakeEntry(QStringLiteral("/D/"), QStringLiteral("Holiday.2004"), QStringLiteral("Other.x")));
    RenameRun trim(app.state(), list, 0);
    EXPECT_TRUE(RenameSteps::run(10, values({{"opt1(4)", "-1"}}), trim));
    EXPECT_EQ(list.entry(0).newName, QStringLiteral("Holiday.2004")) << "the name on disk";
}

TEST_F(PositionFunctions, MoveShiftsARunOfCharacters)
{
    const struct
    {
        const char* name;
        int from, to, target;
        const char* base;
        const char* expected;
    } rows[] = {
        {"to target 2", 1, 3, 2, "abcdef", "dabcef"},
        {"past the end of the rest", 1, 3, 4, "abcdef", "defabc"},
        {"far past the end", 1, 3, 40, "abcdef", "defabc"},
        {"to where it is", 1, 3, 1, "abcdef", "abcdef"},
        {"towards the start", 4, 5, 1, "abcdef", "deabcf"},
        {"a target below 1", 4, 5, -3, "abcdef", "deabcf"},
        {"an empty run", 3, 2, 1, "abcdef", "abcdef"},
        {"a run past the end", 5, 9, 1, "abcdef", "efabcd"},
        {"a run starting past the end", 8, 9, 1, "abcdef", "abcdef"},
        {"beyond the basic plane", 2, 2, 1,
         "a\xF0\x9F\x8F\x96"
         "b",
         "\xF0\x9F\x8F\x96"
         "ab"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(MoveCharacters(QString::fromUtf8(row.base), row.from, row.to, row.target),
                  QString::fromUtf8(row.expected));
    }
}

TEST_F(PositionFunctions, MoveChangesTheExampleOrEveryAdmittedEntry)
{
    for (const char* name : {"abc.x", "def", "ghi"})
        list.append(MakeEntry(QStringLiteral("/D/"), QLatin1String(name)));
    list.selectionModel()->select(list.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // Only the unselected entries are admitted, but the example (entry 1) changes all the same.
    const DialogValues example = values({{"txtFrom", "1"}, {"txtTo", "1"}, {"txtPos", "2"}, {"VScroll1", "1"}});
    RenameRun one(app.state(), list, 2);
    EXPECT_TRUE(RenameSteps::run(8, example, one));
    const QStringList expectedOne{"bca.x", "def", "ghi"};
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list.entry(row).newName, expectedOne.at(row)) << row;
    DialogValues all = example;
    all.set(QStringLiteral("chkAdd2All"), QStringLiteral("1"));
    RenameRun every(app.state(), list, 2);
    EXPECT_TRUE(RenameSteps::run(8, all, every));
    const QStringList expectedAll{"bca.x", "efd", "hig"};
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list.entry(row).newName, expectedAll.at(row)) << row;
}

// A value that is no number, or out of its range, is refused, never read as some other number; only the
// fields the chosen mode uses count.
TEST_F(PositionFunctions, StepsWithUnusableNumbersAreRefused)
{
    const struct
    {
        const char* name;
        int type;
        std::initializer_list<std::pair<const char*, const char*>> values;
        const char* refused;
    } rows[] = {
        {"insert position typed wrong", 7, {{"txtPos", "4a"}, {"txtIns", "x"}}, "txtPos"},
        {"insert position negative", 7, {{"txtPos", "-1"}, {"txtIns", "x"}}, "txtPos"},
        {"insert position missing", 7, {{"txtIns", "x"}}, "txtPos"},
        {"insert position unused", 7, {{"opt1(4)", "-1"}, {"txtPos", "x"}, {"txtIns", "x"}}, ""},
        {"insert position 0", 7, {{"txtPos", " 0 "}, {"txtIns", "x"}}, ""},
        {"replace count 0", 6, {{"optChr2Repl", "-1"}, {"txtPos(0)", "0"}}, "txtPos(0)"},
        {"replace range end",
         6,
         {{"optChr2Repl", "-1"}, {"optChrFromTo", "-1"}, {"txtFrom", "1"}, {"txtTo", "+2"}},
         "txtTo"},
        {"replace counts unused", 6, {{"txtToRep", "a"}, {"txtPos(0)", "x"}}, ""},
        {"replace invalid pattern", 6, {{"chkRegExp", "1"}, {"txtToRep", "a)"}}, "txtToRep"},
        {"trim last count", 10, {{"opt1(2)", "-1"}, {"txtPos(1)", "two"}}, "txtPos(1)"},
        {"trim range start", 10, {{"opt1(3)", "-1"}, {"txtFrom", "-2"}, {"txtTo", "3"}}, "txtFrom"},
        {"trim short name", 10, {{"opt1(4)", "-1"}, {"txtPos(0)", "x"}}, ""},
        {"move shift", 8, {{"txtFrom", "1"}, {"txtTo", "2"}, {"txtPos", "1.5"}}, "txtPos"},
        {"move negative shift", 8, {{"txtFrom", "2"}, {"txtTo", "2"}, {"txtPos", "-1"}}, ""},
        {"move start 0", 8, {{"txtFrom", "0"}, {"txtTo", "2"}, {"txtPos", "1"}}, "txtFrom"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RenameSteps::refusedKey(row.type, values(row.values)), QLatin1String(row.refused));
    }
    EXPECT_EQ(FieldNumber(QStringLiteral("99999999999"), 0, kMaxNamePosition), std::nullopt);
}

} // namespace
