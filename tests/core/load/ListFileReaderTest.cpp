#include "core/load/ListFileReader.h"

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
    // {what, kind, content, entries}
    const std::tuple<const char*, Kind, QByteArray, QList<QByteArray>> cases[] = {
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
        {"NUL kept for the caller", Kind::Plain, QByteArray("/a\0b\n", 5), {QByteArray("/a\0b", 4)}}};
    for (const auto& [what, kind, content, expected] : cases)
        EXPECT_EQ(entriesOf(content, kind), expected) << what;

    for (const auto& [file, kind] : {std::pair{"/x/a.M3U", Kind::M3u},
                                     {"b.Pls", Kind::Pls},
                                     {"c.m3u8", Kind::Plain},
                                     {"/dir.m3u/list", Kind::Plain}})
        EXPECT_EQ(ListFileReader::kindOf(QLatin1String(file)), kind) << file;
}

} // namespace
