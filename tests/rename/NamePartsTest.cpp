#include "rename/NameParts.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    const char* name;
    const char* base;
    const char* ext;
};

TEST(NamePartsTest, SplitsAtTheLastDot)
{
    const SplitCase cases[] = {
        {"Holiday.2004", "Holiday", ".2004"},
        {"Music", "Music", ""},
        {".hidden", "", ".hidden"},
        {"a.b.c", "a.b", ".c"},
        {"end.", "end", "."},
        {"", "", ""},
    };
    for (const SplitCase& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        const FolderNameParts parts = SplitFolderName(name);
        EXPECT_EQ(parts.base, QString::fromUtf8(c.base)) << c.name;
        EXPECT_EQ(parts.ext, QString::fromUtf8(c.ext)) << c.name;
        EXPECT_EQ(GetFolderBaseName(name), parts.base) << c.name;
        EXPECT_EQ(GetFolderExt(name, true), parts.ext) << c.name;
        EXPECT_EQ(parts.base + parts.ext, name);
    }
    EXPECT_EQ(GetFolderExt(QStringLiteral("end."), false), QString());
    EXPECT_EQ(GetFolderExt(QStringLiteral(".hidden"), false), QStringLiteral("hidden"));
}

TEST(NamePartsTest, InStrNthCountsOverlappingOccurrencesInCharacters)
{
    struct Case
    {
        const char* text;
        const char* find;
        qsizetype n;
        qsizetype expected;
    };
    const Case cases[] = {
        {"a-b-c", "-", 2, 4}, {"a-b-c", "-", 3, 0}, {"aaa", "aa", 2, 2},      {"aaa", "aa", 3, 0},
        {"a-b", "-", 0, 0},   {"a-b", "", 1, 0},    {"Abc abc", "abc", 1, 5}, // case-sensitive
        {"😀-😀-", "-", 2, 4},                                                  // an emoji is one character
    };
    for (const Case& c : cases)
        EXPECT_EQ(InStrNth(QString::fromUtf8(c.text), QString::fromUtf8(c.find), c.n), c.expected)
            << c.text << " / " << c.find << " / " << c.n;
}

TEST(NamePartsTest, StripQuotesRemovesAtMostOneQuoteAtEachEnd)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\"a\"", "a"}, {"\"a", "a"}, {"a\"", "a"}, {"\"", ""}, {"\"\"x\"\"", "\"x\""}, {"a", "a"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StripQuotes(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
}

} // namespace
