#include "rename/ReplaceText.h"

#include <gtest/gtest.h>

namespace {

struct ReplaceCase
{
    const char* text;
    const char* find;
    const char* replacement;
    qsizetype start;
    qsizetype count;
    bool ignoreCase;
    const char* expected;
};

TEST(ReplaceTextTest, Table)
{
    const ReplaceCase cases[] = {
        {"aAa", "a", "x", 1, kReplaceAll, true, "xxx"},
        {"aAa", "a", "x", 1, kReplaceAll, false, "xAx"},
        // The inserted replacement is never searched again.
        {"abcabc", "abc", "abcabc", 1, kReplaceAll, false, "abcabcabcabc"},
        // Characters before the start are kept.
        {"-a-a", "a", "b", 3, kReplaceAll, false, "-a-b"},
        {"-a-a", "a", "b", 0, kReplaceAll, false, "-b-b"},
        {"-a-a", "a", "b", -7, kReplaceAll, false, "-b-b"},
        {"-a-a", "a", "b", 99, kReplaceAll, false, "-a-a"},
        {"aaaa", "a", "b", 1, 2, false, "bbaa"},
        {"aaaa", "a", "b", 1, 0, false, "aaaa"},
        // Left to right, no overlap.
        {"aaaa", "aa", "b", 1, kReplaceAll, false, "bb"},
        {"aaa", "aa", "b", 1, kReplaceAll, false, "ba"},
        {"abab", "", "x", 1, kReplaceAll, false, "abab"},
        {"ab", "abc", "x", 1, kReplaceAll, false, "ab"},
        {"aabaab", "aab", "", 1, kReplaceAll, false, ""},
        // The result keeps the text's own case and inserts the replacement exactly.
        {"Hello WORLD world", "world", "There", 1, kReplaceAll, true, "Hello There There"},
        {"ÄBC äbc", "äb", "x", 1, kReplaceAll, true, "xC xc"},
        // Case folding matches the final sigma with the other sigmas.
        {"ΣΑΣ σας", "σ", "s", 1, kReplaceAll, true, "sΑs sαs"},
        // Letters outside the basic plane have case too.
        {"𐐀x𐐨", "𐐨", "y", 1, kReplaceAll, true, "yxy"},
        // Positions count characters: start 3 is the second emoji.
        {"😀a😀a", "a", "b", 3, kReplaceAll, false, "😀a😀b"},
        {"😀😀", "😀", "-", 1, kReplaceAll, false, "--"},
        // KMP fallback after a partial match that fails late.
        {"aaabaaabaaaab", "aaaab", "X", 1, kReplaceAll, false, "aaabaaabX"},
        {"abcabdabcabcabd", "abcabd", "X", 1, kReplaceAll, false, "XabcX"},
    };
    for (const ReplaceCase& c : cases) {
        EXPECT_EQ(ReplaceText(QString::fromUtf8(c.text), QString::fromUtf8(c.find), QString::fromUtf8(c.replacement),
                              c.start, c.count, c.ignoreCase),
                  QString::fromUtf8(c.expected))
            << c.text << " / " << c.find << " / start " << c.start;
    }
}

TEST(ReplaceTextTest, NeverSplitsASurrogatePair)
{
    const QString emoji = QString::fromUtf8("😀");
    const QString highHalf(QChar(emoji.at(0)));
    const QString lowHalf(QChar(emoji.at(1)));
    EXPECT_EQ(ReplaceText(emoji, highHalf, QStringLiteral("x")), emoji);
    EXPECT_EQ(ReplaceText(emoji, lowHalf, QStringLiteral("x")), emoji);
    // A lone half in the text itself is a character and can be replaced.
    EXPECT_EQ(ReplaceText(highHalf + QStringLiteral("a"), highHalf, QStringLiteral("x")), QStringLiteral("xa"));
}

} // namespace
