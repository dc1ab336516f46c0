#include "core/rename/NameParts.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(NamePartsTest, SplitsAtTheLastDotAndStripsOneQuoteAtEachEnd)
{
    // name, base, extension with its dot
    const char* cases[][3] = {{"Holiday.2004", "Holiday", ".2004"},
                              {"Music", "Music", ""},
                              {".hidden", "", ".hidden"},
                              {"a.b.c", "a.b", ".c"},
                              {"end.", "end", "."},
                              {"", "", ""}};
    for (const auto& [text, base, ext] : cases) {
        const FolderNameParts parts = SplitFolderName(QString::fromUtf8(text));
        EXPECT_EQ(parts.base + '|' + parts.ext, QString::fromUtf8(base) + '|' + ext) << text;
    }
    EXPECT_EQ(GetFolderExt(QStringLiteral("end."), false), QString());
    EXPECT_EQ(GetFolderExt(QStringLiteral(".hidden"), false), "hidden");
    const std::pair<const char*, const char*> quoted[] = {
        {"\"a\"", "a"}, {"\"a", "a"}, {"a\"", "a"}, {"\"", ""}, {"\"\"x\"\"", "\"x\""}};
    for (const auto& [text, expected] : quoted)
        EXPECT_EQ(StripQuotes(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
}

// Case-sensitive, 1-based, overlapping; an emoji is one character.
TEST(NamePartsTest, InStrNthCountsOverlappingOccurrencesInCharacters)
{
    const std::tuple<const char*, const char*, qsizetype, qsizetype> cases[] = {
        {"a-b-c", "-", 2, 4},     {"a-b-c", "-", 3, 0},       {"aaa", "aa", 2, 2},
        {"aaa", "aa", 3, 0},      {"a-b", "-", 0, 0},         {"a-b", "", 1, 0},
        {"Abc abc", "abc", 1, 5}, {"ababababa", "aba", 4, 7}, {"😀-😀-", "-", 2, 4},
    };
    for (const auto& [text, find, n, expected] : cases)
        EXPECT_EQ(InStrNth(QString::fromUtf8(text), QString::fromUtf8(find), n), expected)
            << text << " / " << find << " / " << n;
}

} // namespace
