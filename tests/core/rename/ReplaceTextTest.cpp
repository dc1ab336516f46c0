#include "core/rename/ReplaceText.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(ReplaceTextTest, ReplacesLeftToRightFromTheStartCharacter)
{
    constexpr qsizetype all = kReplaceAll;
    // The replacement is never searched again; characters before the start (clamped) are kept; matches
    // do not overlap; case folding covers the final sigma, letters beyond the basic plane and the Kelvin
    // sign; positions count characters; the last rows need the search to fall back after a late mismatch.
    const std::tuple<const char*, const char*, const char*, qsizetype, qsizetype, bool, const char*> cases[] = {
        {"aAa", "a", "x", 1, all, true, "xxx"},
        {"aAa", "a", "x", 1, all, false, "xAx"},
        {"abcabc", "abc", "abcabc", 1, all, false, "abcabcabcabc"},
        {"-a-a", "a", "b", 3, all, false, "-a-b"},
        {"-a-a", "a", "b", -7, all, false, "-b-b"},
        {"-a-a", "a", "b", 99, all, false, "-a-a"},
        {"aaaa", "a", "b", 1, 2, false, "bbaa"},
        {"aaaa", "a", "b", 1, 0, false, "aaaa"},
        {"aaa", "aa", "b", 1, all, false, "ba"},
        {"abab", "", "x", 1, all, false, "abab"},
        {"ab", "abc", "x", 1, all, false, "ab"},
        {"aabaab", "aab", "", 1, all, false, ""},
        {"ÄBC äbc", "äb", "x", 1, all, true, "xC xc"},
        {"ΣΑΣ σας", "σ", "s", 1, all, true, "sΑs sαs"},
        {"𐐀x𐐨", "𐐨", "y", 1, all, true, "yxy"},
        {"a\u212AB aKb", "kb", "x", 1, all, true, "ax ax"},
        {"😀a😀a", "a", "b", 3, all, false, "😀a😀b"},
        {"😀😀", "😀", "-", 1, all, false, "--"},
        {"aaabaaabaaaab", "aaaab", "X", 1, all, false, "aaabaaabX"},
        {"abcabdabcabcabd", "abcabd", "X", 1, all, false, "XabcX"},
    };
    for (const auto& [text, find, replacement, start, count, ignoreCase, expected] : cases)
        EXPECT_EQ(ReplaceText(QString::fromUtf8(text), QString::fromUtf8(find), QString::fromUtf8(replacement), start,
                              count, ignoreCase),
                  QString::fromUtf8(expected))
            << text << " / " << find << " / start " << start;
    // A surrogate pair is never split; a lone half in the text itself is a character.
    const QString emoji = QString::fromUtf8("😀");
    const QString highHalf(emoji.at(0));
    EXPECT_EQ(ReplaceText(emoji, highHalf, QStringLiteral("x")), emoji);
    EXPECT_EQ(ReplaceText(emoji, QString(QChar(emoji.at(1))), QStringLiteral("x")), emoji);
    EXPECT_EQ(ReplaceText(highHalf + QStringLiteral("a"), highHalf, QStringLiteral("x")), "xa");
}

} // namespace
