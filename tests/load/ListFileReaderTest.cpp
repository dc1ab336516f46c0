#include "load/ListFileReader.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <ostream>

namespace {

using Kind = ListFileReader::Kind;

QList<QByteArray> entriesOf(const QByteArray& content, Kind kind)
{
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    ListFileReader reader(buffer, kind);
    QList<QByteArray> entries;
    while (std::optional<QByteArray> entry = reader.next())
        entries.append(*entry);
    return entries;
}

struct ReaderCase
{
    const char* label;
    Kind kind;
    QByteArray content;
    QList<QByteArray> expected;
};

void PrintTo(const ReaderCase& c, std::ostream* os)
{
    *os << c.label;
}

class ListFileEntries : public ::testing::TestWithParam<ReaderCase>
{};

TEST_P(ListFileEntries, AreTheLinesThatNamePaths)
{
    EXPECT_EQ(entriesOf(GetParam().content, GetParam().kind), GetParam().expected);
}

const QByteArray kLong(1024 * 1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, ListFileEntries,
    ::testing::Values(ReaderCase{"plain_lf", Kind::Plain, "/a\n/b c\n\n/d", {"/a", "/b c", "/d"}},
                      ReaderCase{"plain_crlf_bom", Kind::Plain, "\xEF\xBB\xBF/a\r\n/b\r\n", {"/a", "/b"}},
                      ReaderCase{"plain_keeps_blanks", Kind::Plain, " /a \n", {" /a "}},
                      ReaderCase{"urls_skipped",
                                 Kind::Plain,
                                 "http://x/y\nfile:///a\nsmb+x.y-z://h\n/c:/d\nC:\\Music\n",
                                 {"/c:/d", "C:\\Music"}},
                      ReaderCase{"m3u_extended",
                                 Kind::M3u,
                                 "#EXTM3U\r\n#EXTINF:12,x\r\n/D/A\r\n#extinf:1,y\r\n# note\r\n",
                                 {"/D/A", "# note"}},
                      ReaderCase{"pls",
                                 Kind::Pls,
                                 "[playlist]\nFile1=/a\nfile2=/b=c\nTitle2=B\nFILE3\nNumberOfEntries=2\nfile4=\n",
                                 {"/a", "/b=c"}},
                      ReaderCase{"megabyte_line_skipped", Kind::Plain, kLong + "\n/after\n", {"/after"}},
                      ReaderCase{"megabyte_line_at_end", Kind::Plain, "/before\n" + kLong, {"/before"}},
                      ReaderCase{
                          "nul_kept_for_the_caller", Kind::Plain, QByteArray("/a\0b\n", 5), {QByteArray("/a\0b", 4)}}),
    [](const ::testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.label); });

TEST(ListFileReader, KindFollowsTheExtensionInAnyCase)
{
    EXPECT_EQ(ListFileReader::kindOf(QStringLiteral("/x/a.M3U")), Kind::M3u);
    EXPECT_EQ(ListFileReader::kindOf(QStringLiteral("b.Pls")), Kind::Pls);
    EXPECT_EQ(ListFileReader::kindOf(QStringLiteral("c.m3u8")), Kind::Plain);
    EXPECT_EQ(ListFileReader::kindOf(QStringLiteral("/dir.m3u/list")), Kind::Plain);
    EXPECT_EQ(ListFileReader::kindOf(QStringLiteral("noext")), Kind::Plain);
}

TEST(ListFileReader, BinaryContentEndsWithoutHoldingMoreThanALine)
{
    QByteArray binary;
    for (int i = 0; i < 3 * 1024 * 1024; ++i)
        binary.append(static_cast<char>((i * 2654435761u) >> 24));
    for (Kind kind : {Kind::Plain, Kind::M3u, Kind::Pls}) {
        for (const QByteArray& entry : entriesOf(binary, kind))
            EXPECT_LE(entry.size(), ListFileReader::kMaxLineBytes + 1);
    }
}

} // namespace
