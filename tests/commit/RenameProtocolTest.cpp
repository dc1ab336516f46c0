#include "commit/RenameProtocol.h"

#include "settings/TextCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(RenameProtocolTest, OnlyLinesThatNameOneFolderAreUsable)
{
    const std::pair<const char*, bool> cases[] = {
        {"/p/\"a\"b", true},    {"/\"a\"b", true},       {"/p/\"a\"b\"extra", false}, {"/p/\"a", false},
        {"p/\"a\"b", false},    {"/p\"a\"b", false},     {"/p/../q/\"a\"b", false},   {"/p//q/\"a\"b", false},
        {"/p/\"a/x\"b", false}, {"/p/\"a\"..\"", false}, {"/p/\"a\"..", false},       {"/p/\"\"b", false}};
    for (const auto& [rest, usable] : cases) {
        const QString text = QStringLiteral("20240131153045\"") + QString::fromLatin1(rest);
        const RenameProtocol::Line line = RenameProtocol::parseLine(text);
        EXPECT_EQ(line.usable, usable) << rest;
        EXPECT_EQ(line.raw, text);
    }
    EXPECT_FALSE(RenameProtocol::parseLine(QStringLiteral("garbage")).usable);
    const RenameProtocol::Line line = RenameProtocol::parseLine(QStringLiteral("20240131153045\"/p/\"a\"b c"));
    EXPECT_EQ(QStringList({line.stamp, line.parentPath, line.oldName, line.newName}),
              QStringList({"20240131153045", "/p/", "a", "b c"}));
}

TEST(RenameProtocolTest, RewriteKeepsLinesItCannotUseAsTheyWere)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString original = QStringLiteral("odd line\n20240101000000\"/p/\"a\"b\n\n1\"2\"3\"4\"5\n");
    ASSERT_TRUE(TextCodec::writeFileAtomically(folder + RenameProtocol::fileName(), original));
    QList<RenameProtocol::Line> lines = RenameProtocol::read(folder);
    ASSERT_EQ(lines.size(), 3) << "the empty line carries nothing";
    lines[1].parentPath = QStringLiteral("/q/");
    ASSERT_TRUE(RenameProtocol::rewrite(folder, lines));
    EXPECT_EQ(TextCodec::readFile(folder + RenameProtocol::fileName()),
              QStringLiteral("odd line\n20240101000000\"/q/\"a\"b\n1\"2\"3\"4\"5\n"));
    EXPECT_FALSE(QFile::exists(folder + RenameProtocol::tempFileName()));
}

TEST(RenameProtocolTest, AppendingStartsOnAFreshLineAfterALineCutShort)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    ASSERT_TRUE(TextCodec::writeFileAtomically(folder + RenameProtocol::fileName(), QStringLiteral("2024\"/p/\"a")));
    RenameProtocol protocol(folder);
    ASSERT_TRUE(protocol.open(QDateTime(QDate(2024, 2, 29), QTime(23, 5, 9))));
    ASSERT_TRUE(protocol.append(QStringLiteral("/p/"), QStringLiteral("x"), QStringLiteral("y\u00e9")));
    EXPECT_FALSE(protocol.append(QStringLiteral("/p/"), QStringLiteral("x"), QStringLiteral("y\"z")));
    QFile f(folder + RenameProtocol::fileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("2024\"/p/\"a\n20240229230509\"/p/\"x\"y\xc3\xa9\n"));
}

} // namespace
