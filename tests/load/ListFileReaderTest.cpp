#include "load/ListFileReader.h"

#include <QBuffer>
#include <gtest/gtest.h>

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

TEST(ListFileReader, EntriesAreTheLinesThatNamePaths)
{
    const QByteArray megabyte(1024 * 1024, 'x');
    const struct
    {
        const char* label;
        Kind kind;
        QByteArray content;
        QList<QByteArray> expected;
    } cases[] = {
        {"plain", Kind::Plain, "/a\n/b c\n\n/d", {"/a", "/b c", "/d"}},
        {"crlf and byte order mark", Kind::Plain, "\xEF\xBB\xBF/a\r\n/b\r\n", {"/a", "/b"}},
        {"blanks kept", Kind::Plain, " /a \n", {" /a "}},
        {"urls skipped",
         Kind::Plain,
         "http://x/y\nfile:///a\nsmb+x.y-z://h\n/c:/d\nC:\\Music\n",
         {"/c:/d", "C:\\Music"}},
        {"m3u", Kind::M3u, "#EXTM3U\r\n#EXTINF:12,x\r\n/D/A\r\n#extinf:1,y\r\n# note\r\n", {"/D/A", "# note"}},
        {"pls",
         Kind::Pls,
         "[playlist]\nFile1=/a\nfile2=/b=c\nTitle2=B\nFILE3\nNumberOfEntries=2\nfile4=\n",
         {"/a", "/b=c"}},
        {"megabyte line skipped", Kind::Plain, megabyte + "\n/after\n", {"/after"}},
        {"megabyte line at the end", Kind::Plain, "/before\n" + megabyte, {"/before"}},
        {"NUL kept for the caller", Kind::Plain, QByteArray("/a\0b\n", 5), {QByteArray("/a\0b", 4)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(entriesOf(c.content, c.kind), c.expected) << c.label;

    EXPECT_EQ(ListFileReader::kindOf(QStringLiteral("/x/a.M3U")), Kind::M3u);
    EXPECT_EQ(ListFileReader::kindOf(QStringLiteral("b.Pls")), Kind::Pls);
    EXPECT_EQ(ListFileReader::kindOf(QStringLiteral("c.m3u8")), Kind::Plain);
    EXPECT_EQ(ListFileReader::kindOf(QStringLiteral("/dir.m3u/list")), Kind::Plain);
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
