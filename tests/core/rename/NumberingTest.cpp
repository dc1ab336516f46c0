#include "core/preview/PreviewList.h"
#include "core/rename/NumberingParams.h"
#include "core/rename/RenameRun.h"
#include "core/rename/RenameSteps.h"
#include "core/script/DialogValues.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

NumberingParams numbering(const char* start, const char* increment, int system = 0, int width = 0)
{
    NumberingParams params;
    params.start = QString::fromUtf8(start);
    params.increment = QString::fromUtf8(increment);
    params.system = system;
    params.width = width;
    return params;
}

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

TEST(NumberTexts, SystemsWidthsAndPadding)
{
    struct Row
    {
        const char* name;
        NumberingParams params;
        int count;
        QStringList expected; // first and last texts, or all of them
    };
    const Row rows[] = {
        {"twelve entries take two digits", numbering("1", "1"), 12, texts({"01", "12"})},
        {"nine entries take one digit", numbering("1", "1"), 9, texts({"1", "9"})},
        {"hexadecimal fixed width", numbering("8", "1", 1, 2), 3, texts({"08", "09", "0A"})},
        {"letters padded with blanks", numbering("1", "1", 2, 2), 27, texts({" A", "AA"})},
        {"width from the last text", numbering("26", "1", 3), 2, texts({" z", "aa"})},
        {"negative increment down to zero", numbering("10", "-5"), 3, texts({"10", "5", "0"})},
        {"negative numbers padded in front of the sign", numbering("1", "-1", 0, 3), 3, texts({"001", "000", "0-1"})},
        {"longer texts are not cut", numbering("998", "1", 0, 2), 3, texts({"998", "999", "1000"})},
        {"hexadecimal of a negative number", numbering("0", "-1", 1), 2, texts({"00000000", "FFFFFFFF"})},
        {"the last 32-bit number", numbering("2147483646", "1"), 2, texts({"2147483646", "2147483647"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QStringList result = NumberTexts(row.params, row.count, 1);
        ASSERT_EQ(result.size(), row.count);
        if (row.expected.size() == row.count)
            EXPECT_EQ(result, row.expected);
        else
            EXPECT_EQ((QStringList{result.first(), result.last()}), row.expected);
    }
}

TEST(NumberTexts, RefusesWhatIsNoNumberOrLeavesThe32BitRange)
{
    using R = NumberingParams::Refusal;
    struct Row
    {
        const char* name;
        NumberingParams params;
        int count;
        R expected;
    };
    const Row rows[] = {
        {"start only a minus", numbering("-", "1"), 3, R::NotANumber},
        {"increment only a minus", numbering("1", "-"), 3, R::NotANumber},
        {"start beyond 32 bits", numbering("2147483648", "1"), 1, R::OutOfRange},
        {"increment beyond 32 bits", numbering("1", "-99999999999"), 1, R::OutOfRange},
        {"blank in the number", numbering("1 ", "1"), 1, R::NotANumber},
        {"pasted letters", numbering("12a", "1"), 1, R::NotANumber},
        {"last number too large", numbering("2147483647", "1"), 2, R::OutOfRange},
        {"last number too small", numbering("-2147483647", "-1"), 3, R::OutOfRange},
        {"huge step over many entries", numbering("0", "100000"), 100000, R::OutOfRange},
        {"letters have no smallest number", numbering("-2147483647", "-1", 2), 2, R::OutOfRange},
        {"one entry at the limit", numbering("2147483647", "1000"), 1, R::None},
        {"smallest number in decimal", numbering("-2147483647", "-1"), 2, R::None},
        {"no entries", numbering("5", "1"), 0, R::None},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.params.check(row.count), row.expected);
        if (row.expected != R::None) {
            EXPECT_TRUE(NumberTexts(row.params, row.count, 1).isEmpty());
        }
    }
}

TEST(NumberTexts, ShuffleKeepsEveryNumberOnceAndFollowsTheSeed)
{
    NumberingParams params = numbering("1", "1");
    params.shuffle = true;
    const QStringList inOrder = NumberTexts(numbering("1", "1"), 40, 7);
    const QStringList shuffled = NumberTexts(params, 40, 7);
    EXPECT_NE(shuffled, inOrder);
    EXPECT_EQ(NumberTexts(params, 40, 7), shuffled);
    EXPECT_NE(NumberTexts(params, 40, 8), shuffled);
    QStringList sorted = shuffled;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, inOrder);
    EXPECT_EQ(NumberTexts(params, 1, 7), QStringList{"1"});
}

TEST(NumberingParams, FieldsAreCleanedAsWhenTheyAreLeft)
{
    const std::pair<const char*, const char*> rows[] = {{"", "1"}, {"-12-3", "-123"}, {"4-", "4"}, {"-", "-"}};
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(NumberingParams::cleanNumber(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
    DialogValues values;
    values.set(QStringLiteral("txtInit"), QStringLiteral("-5"));
    values.set(QStringLiteral("cmbNumberWith"), QStringLiteral("1"));
    EXPECT_EQ(NumberingParams::fromValues(values).start, "5"); // no negative starts outside decimal
    values.set(QStringLiteral("cmbNumberWith"), QStringLiteral("0"));
    EXPECT_EQ(NumberingParams::fromValues(values).start, "-5");
    EXPECT_EQ(NumberingParams::fromValues(values).increment, "1");
}

class NumberingSteps : public ::testing::Test
{
protected:
    QStringList run(const DialogValues& values, int applyTo = 0)
    {
        RenameRun run(app.state(), list, applyTo);
        EXPECT_TRUE(RenameSteps::run(1, values, run));
        QStringList names;
        for (const FolderEntry& e : list.entries())
            names.append(e.newName);
        return names;
    }
    static DialogValues values(std::initializer_list<std::pair<const char*, const char*>> pairs)
    {
        DialogValues v;
        for (const auto& [key, value] : pairs)
            v.set(QLatin1String(key), DialogValues::encodeText(QString::fromUtf8(value)));
        return v;
    }

    PreviewList list;
    TestApp app;
};

TEST_F(NumberingSteps, PlaceSeparatorAndReplacementAroundTheBaseName)
{
    struct Row
    {
        const char* name;
        DialogValues values;
        QStringList expected;
    };
    const Row rows[] = {
        {"plain prefix", values({}), texts({"1Trip.2004", "2Home"})},
        {"suffix with separator before the extension",
         values({{"optSuffix", "-1"}, {"chkIntChr", "1"}, {"cmbIChr", "4"}, {"cmbAnz", "2"}}),
         texts({"Trip_01.2004", "Home_02"})},
        {"replaced base with the blank item",
         values({{"chkReplace", "1"}, {"txtRepName", "Photo"}, {"chkIntChr", "1"}, {"cmbIChr", "1"}}),
         texts({"1 - Photo.2004", "2 - Photo"})},
        {"first item is a blank", values({{"chkIntChr", "1"}, {"cmbIChr", "0"}}), texts({"1 Trip.2004", "2 Home"})},
        {"separator unused", values({{"cmbIChr", "1"}}), texts({"1Trip.2004", "2Home"})},
        {"refused values change nothing", values({{"txtInc", "-"}}), texts({"Trip.2004", "Home"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        list.clear();
        list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("Trip.2004")));
        list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("Home")));
        EXPECT_EQ(run(row.values), row.expected);
    }
}

TEST_F(NumberingSteps, EntriesOutsideTheApplyToChoiceKeepTheirNamesAndTakeNoNumber)
{
    for (const char* name : {"a", "b", "c", "d"})
        list.append(MakeEntry(QStringLiteral("/p/"), QString::fromUtf8(name)));
    list.selectionModel()->select(list.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(run(values({{"txtInit", "10"}, {"txtInc", "-3"}}), 2), texts({"10a", "b", "7c", "4d"}));
}

} // namespace
