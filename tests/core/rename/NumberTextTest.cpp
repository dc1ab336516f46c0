#include "core/rename/NumberText.h"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace {

constexpr qint32 kMin = std::numeric_limits<qint32>::min();
constexpr qint32 kMax = std::numeric_limits<qint32>::max();

// Systems: 0 decimal, 1 hexadecimal, 2 upper-case letters, 3 lower-case letters.
TEST(NumberTextTest, NumberToTextAndBack)
{
    const std::tuple<qint32, int, const char*> written[] = {
        {0, 0, "0"},          {0, 3, "0"},           {-5, 0, "-5"},
        {255, 1, "FF"},       {-1, 1, "FFFFFFFF"},   {kMin, 1, "80000000"},
        {26, 2, "Z"},         {27, 2, "AA"},         {28, 3, "ab"},
        {702, 2, "ZZ"},       {703, 2, "AAA"},       {-28, 2, "-AB"},
        {kMax, 2, "FXSHRXW"}, {kMin, 3, "-fxshrxx"}, {kMin, 0, "-2147483648"},
        {5, 4, ""},           {5, -1, ""},
    };
    for (const auto& [value, system, expected] : written)
        EXPECT_EQ(NumberToText(value, system), QString::fromUtf8(expected)) << value << " in " << system;
    // Only letters are letter numerals; hexadecimal is the 32-bit two's complement NumberToText writes.
    const std::tuple<const char*, int, const char*> read[] = {
        {"", 0, ""},          {"-", 0, ""},         {"12", 0, "12"},     {"-12", 0, "-12"},  {"1.5", 0, "1.5"},
        {"12a", 0, ""},       {"--1", 0, ""},       {" 1", 0, ""},       {"ab", 2, "28"},    {"-AB", 3, "-28"},
        {"A1", 2, ""},        {"FXSHRXX", 2, ""},   {"ZZZZZZZZ", 2, ""}, {"-ff", 1, "-255"}, {"-FFFFFFFF", 1, "1"},
        {"-80000000", 1, ""}, {"100000000", 1, ""}, {"xyz", 1, ""},      {"AB", 7, ""},
    };
    for (const auto& [text, system, expected] : read)
        EXPECT_EQ(TextToNumber(QString::fromUtf8(text), system), QString::fromUtf8(expected))
            << text << " in " << system;
    // Every written number reads back, up to the limits of each system.
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
