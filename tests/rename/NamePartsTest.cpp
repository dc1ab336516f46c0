#include "rename/NameParts.h"

#include <gtest/gtest.h>

namespace {

TEST(NamePartsTest, SplitsAtTheLastDot)
{
    // name, base, extension with its dot
    const char* cases[][3] = {
        {"Holiday.2004", "Holiday", ".2004"},
        {"Music", "Music", ""},
        {".hidden", "", ".hidden"},
        {"a.b.c", "a.b", ".c"},
        {"end.", "end", "."},
        {"", "", ""},
    };
    for (const auto& [text, base, ext] : cases) {
        const QString name = QString::fromUtf8(text);
        const FolderNameParts parts = SplitFolderName(name);
        EXPECT_EQ(parts.base, QString::fromUtf8(base)) << text;
        EXPECT_EQ(parts.ext, QString::fromUtf8(ext)) << text;
    }
    EXPECT_EQ(GetFolderExt(QStringLiteral("end."), false), QString());
    EXPECT_EQ(GetFolderExt(QStringLiteral(".hidden"), false), "hidden");
}

// Case-sensitive, 1-based, overlapping; an emoji is one character.
TEST(NamePartsTest, InStrNthCountsOverlappingOccurrencesInCharacters)
{
    struct Case
    {
        const char* text;
        const char* find;
        qsizetype n;
        qsizetype expected;
    };
    const Case cases[] = {{"a-b-c", "-", 2, 4},     {"a-b-c", "-", 3, 0},       {"aaa", "aa", 2, 2},
                          {"aaa", "aa", 3, 0},      {"a-b", "-", 0, 0},         {"a-b", "", 1, 0},
                          {"Abc abc", "abc", 1, 5}, {"ababababa", "aba", 4, 7}, {"😀-😀-", "-", 2, 4}};
    for (const Case& c : cases)
        EXPECT_EQ(InStrNth(QString::fromUtf8(c.text), QString::fromUtf8(c.find), c.n), c.expected)
            << c.text << " / " << c.find << " / " << c.n;
}

TEST(NamePartsTest, StripQuotesRemovesAtMostOneQuoteAtEachEnd)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\"a\"", "a"}, {"\"a", "a"}, {"a\"", "a"}, {"\"", ""}, {"\"\"x\"\"", "\"x\""}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StripQuotes(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
}

} // namespace
