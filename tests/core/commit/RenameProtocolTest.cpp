#include "core/commit/RenameProtocol.h"

#include "core/platform/AppendFile.h"
#include "core/platform/FileNames.h"
#include "core/platform/PosixFileSystem.h"
#include "support/WriteTextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    return FixtureFileSystem().writeFileAtomic(path, bytes).ok();
}

class RenameProtocolFileTest : public ::testing::Test
{
protected:
    QString path() const { return folder + RenameProtocol::fileName(); }
    QByteArray line(const char* name) { return RenameProtocol::encodeLine("20240131153045", "/p/", "a", name); }

    QTemporaryDir dir;
    QString folder = dir.path() + QLatin1Char('/');
    PosixFileSystem fs;
};

TEST(RenameProtocolTest, OnlyLinesThatNameOneFolderAreUsable)
{
    const std::pair<const char*, bool> cases[] = {
        {"/p/\"a\"b", true},    {"/\"a\"b", true},           {"/p/\"a\"b\"extra", false}, {"/p/\"a", false},
        {"p/\"a\"b", false},    {"/p\"a\"b", false},         {"/p/../q/\"a\"b", false},   {"/p//q/\"a\"b", false},
        {"/p/\"a/x\"b", false}, {"/p/\"a\"..\"", false},     {"/p/\"a\"..", false},       {"/p/\"\"b", false},
        {"/p/\"a\"b\"x", true}, {"/p/\"a\\x2\"b\"x", false}, {"/p/\"a\\x2f\"b\"x", false}};
    for (const auto& [rest, usable] : cases) {
        SCOPED_TRACE(rest);
        const QByteArray text = QByteArray("20240131153045\"") + rest;
        const RenameProtocol::Line line = RenameProtocol::parseLine(text);
        EXPECT_EQ(line.usable, usable);
        EXPECT_EQ(line.stored, text);
    }
    const RenameProtocol::Line line = RenameProtocol::parseLine("20240131153045\"/p/\"a\"b c");
    EXPECT_EQ(QStringList({line.stamp, line.parentPath, line.oldName, line.newName}),
              QStringList({"20240131153045", "/p/", "a", "b c"}));
}

// Every name a Linux folder can have comes back as it went in, and only names the plain line cannot hold
// take the escaped form, which stays one line of valid UTF-8 with a fifth field.
TEST(RenameProtocolTest, EveryNameRoundTripsAndOnlyWhatPlainLinesCannotHoldIsEscaped)
{
    const struct
    {
        const char* row;
        QByteArray name;
        bool plain;
    } cases[] = {{"ascii", "Holiday 2024", true},          {"utf-8", "\xC3\xA9t\xC3\xA9 \xF0\x9F\x93\xB7", true},
                 {"backslash", "a\\x41b", true},           {"latin-1 byte", "caf\xE9", false},
                 {"other latin-1 byte", "caf\xE8", false}, {"quote", "say \"hi\"", false},
                 {"line breaks", "a\rb\nc\r\n", false},    {"everything", "\"\\x\xFF\n\xC3\xA9", false}};
    QList<QByteArray> lines;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const QString name = FileNames::decode(c.name);
        const QString parent = FileNames::decode("/h\xC3\xA9/p/");
        const QByteArray line = RenameProtocol::encodeLine("20240131153045", parent, name, name + "x");
        EXPECT_FALSE(line.contains('\n') || line.contains('\r'));
        EXPECT_EQ(line.split('"').size(), c.plain ? 4 : 5);
        const RenameProtocol::Line back = RenameProtocol::parseLine(line);
        EXPECT_EQ(FileNames::encode(back.oldName), c.name);
        EXPECT_EQ(FileNames::encode(back.newName), c.name + "x");
        EXPECT_EQ(back.parentPath, parent);
        lines.append(line);
    }
    EXPECT_NE(lines.at(3), lines.at(4)); // two folders, two lines
}

// One Windows-1252 line does not garble the UTF-8 lines around it, and a rewrite keeps the bytes of
// every line it did not change.
TEST_F(RenameProtocolFileTest, EachLineIsDecodedOnItsOwnAndUnchangedLinesKeepTheirBytes)
{
    const QByteArray utf8 = "20240131153045\"/p/\"\xC3\xA9t\xC3\xA9\"b";
    const QByteArray windows = "20240131153046\"/p/\"caf\xE9\"\x80";
    ASSERT_TRUE(writeBytes(path(), utf8 + "\r\n" + windows + "\n"));
    QList<RenameProtocol::Line> lines = RenameProtocol::read(fs, folder);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0).oldName, QStringLiteral("\u00e9t\u00e9"));
    EXPECT_EQ(lines.at(1).oldName, QStringLiteral("caf\u00e9"));
    EXPECT_EQ(lines.at(1).newName, QStringLiteral("\u20ac"));
    const QList<QByteArray> loaded = {lines.at(0).stored, lines.at(1).stored};
    lines[0].parentPath = QStringLiteral("/q/");
    lines[0].edited = true;
    ASSERT_TRUE(RenameProtocol::rewrite(fs, folder, loaded, lines).ok());
    EXPECT_EQ(fileBytes(path()), "20240131153045\"/q/\"\xC3\xA9t\xC3\xA9\"b\n" + windows + "\n");
}

// An appender holds the file open; a rewrite replaces it. Lines appended after the rewrite reach the new
// file, and a rewrite keeps the lines appended after its caller read the file.
TEST_F(RenameProtocolFileTest, AppendsAndRewritesNeverLoseEachOthersLines)
{
    RenameProtocol protocol(fs, folder, QDateTime(QDate(2024, 1, 31), QTime(15, 30, 45)));
    ASSERT_TRUE(protocol.open().ok());
    ASSERT_TRUE(protocol.append({line("A")}).ok());
    const QList<RenameProtocol::Line> read = RenameProtocol::read(fs, folder);
    ASSERT_TRUE(protocol.append({line("B")}).ok()); // after the reader took its copy
    // The reader drops A: B, which it never saw, stays.
    ASSERT_TRUE(RenameProtocol::rewrite(fs, folder, {read.at(0).stored}, {}).ok());
    EXPECT_EQ(fileBytes(path()), line("B") + "\n");
    ASSERT_TRUE(protocol.append({line("C")}).ok()); // the file was replaced since the appender opened it
    EXPECT_EQ(fileBytes(path()), line("B") + "\n" + line("C") + "\n");
}

TEST_F(RenameProtocolFileTest, AppendingStartsOnAFreshLineAfterALineCutShort)
{
    ASSERT_TRUE(writeBytes(path(), "2024\"/p/\"a"));
    RenameProtocol protocol(fs, folder, QDateTime(QDate(2024, 2, 29), QTime(23, 5, 9)));
    ASSERT_TRUE(protocol.open().ok());
    ASSERT_TRUE(protocol.append({protocol.line("/p/", "x", QStringLiteral("y\u00e9"))}).ok());
    EXPECT_EQ(fileBytes(path()), QByteArray("2024\"/p/\"a\n20240229230509\"/p/\"x\"y\xc3\xa9\n"));
    EXPECT_FALSE(RenameProtocol::parseLine("2024\"/p/\"a").usable);
}

// The lock itself: while one holder has it, a second that will not wait is refused, and a rewrite waits.
TEST_F(RenameProtocolFileTest, AHeldLockKeepsOthersOut)
{
    FsResult result;
    std::unique_ptr<AppendFile> held = fs.openAppend(path(), AppendLock::Held, result);
    ASSERT_TRUE(held);
    EXPECT_FALSE(fs.openAppend(path(), AppendLock::HeldIfFree, result));
    EXPECT_EQ(result.kind, FsResult::Kind::Access);
    held.reset();
    EXPECT_TRUE(fs.openAppend(path(), AppendLock::HeldIfFree, result));
}

// The tail of an appended file, shorter and longer than the file, as the whole text's end would give it.
TEST_F(RenameProtocolFileTest, TheTailIsTheEndOfTheWholeText)
{
    FsResult result;
    std::unique_ptr<AppendFile> file = fs.openAppend(path(), AppendLock::Held, result);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->readTail(3), QByteArray());
    ASSERT_TRUE(file->append("+a\n.\n").ok());
    for (const qint64 bytes : {0, 1, 3, 5, 6, 100})
        EXPECT_EQ(file->readTail(bytes), file->readAll().right(bytes)) << bytes;
}

} // namespace
