#include "rename/NumberText.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr qint32 kMin = std::numeric_limits<qint32>::min();
constexpr qint32 kMax = std::numeric_limits<qint32>::max();

// Systems: 0 decimal, 1 hexadecimal, 2 upper-case letters, 3 lower-case letters.
TEST(NumberTextTest, NumberToText)
{
    struct Case
    {
        qint32 value;
        int system;
        const char* expected;
    };
    const Case cases[] = {
        {0, 0, "0"},          {0, 3, "0"},           {-5, 0, "-5"},
        {255, 1, "FF"},       {-1, 1, "FFFFFFFF"},   {kMin, 1, "80000000"},
        {26, 2, "Z"},         {27, 2, "AA"},         {28, 3, "ab"},
        {702, 2, "ZZ"},       {703, 2, "AAA"},       {-28, 2, "-AB"},
        {kMax, 2, "FXSHRXW"}, {kMin, 3, "-fxshrxx"}, {kMin, 0, "-2147483648"},
        {5, 4, ""},           {5, -1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberToText(c.value, c.system), QString::fromUtf8(c.expected)) << c.value << " in " << c.system;
}

TEST(NumberTextTest, TextToNumber)
{
    struct Case
    {
        const char* text;
        int system;
        const char* expected;
    };
    // Only letters are letter numerals; hexadecimal is the 32-bit two's complement NumberToText writes, and
    // every written number reads back (below), so the limits of each system are checked there.
    const Case cases[] = {
        {"", 0, ""},
        {"-", 0, ""},
        {"12", 0, "12"},
        {"-12", 0, "-12"},
        {"1.5", 0, "1.5"},
        {"12a", 0, ""},
        {"--1", 0, ""},
        {" 1", 0, ""},
        {"ab", 2, "28"},
        {"-AB", 3, "-28"},
        {"A1", 2, ""},
        {"FXSHRXX", 2, ""},
        {"ZZZZZZZZZZZZZZZZZZZZ", 2, ""},
        {"-ff", 1, "-255"},
        {"-FFFFFFFF", 1, "1"},
        {"-80000000", 1, ""},
        {"100000000", 1, ""},
        {"xyz", 1, ""},
        {"AB", 7, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToNumber(QString::fromUtf8(c.text), c.system), QString::fromUtf8(c.expected))
            << c.text << " in " << c.system;
    // Every written number reads back.
    const qint32 values[] = {kMin, kMin + 1, -703, -27, -26, -1, 1, 9, 25, 26, 27, 675, 676, 677, 702, 703, kMax};
    for (int system = 0; system <= 3; ++system) {
        for (const qint32 value : values)
            EXPECT_EQ(TextToNumber(NumberToText(value, system), system), QString::number(value))
                << value << " in " << system;
    }
}

TEST(NumberTextTest, NumericText)
{
    for (const char* text : {"1", " 2 ", "-3", "+4", "1.5", ".5", "5.", "1e3", "1E-2", "007"})
        EXPECT_TRUE(IsNumericText(QString::fromUtf8(text))) << text;
    for (const char* text : {"", "-", ".", "e3", "1e", "1,5", "0x10", "inf", "nan", "1 2", "5-1", "١"})
        EXPECT_FALSE(IsNumericText(QString::fromUtf8(text))) << text;
    EXPECT_EQ(*NumericValue(u"1e99999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(*NumericValue(u"-1e99999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(*NumericValue(u"1e-99999"), 0.0);
}

} // namespace
