#include "core/commit/RenameProtocol.h"

#include "support/WriteTextFile.h"

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

TEST(RenameProtocolTest, AppendingStartsOnAFreshLineAfterALineCutShort)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    ASSERT_TRUE(WriteTextFile(folder + RenameProtocol::fileName(), QStringLiteral("2024\"/p/\"a")));
    RenameProtocol protocol(folder);
    ASSERT_TRUE(protocol.open(QDateTime(QDate(2024, 2, 29), QTime(23, 5, 9))));
    ASSERT_TRUE(protocol.append(QStringLiteral("/p/"), QStringLiteral("x"), QStringLiteral("y\u00e9")));
    EXPECT_FALSE(protocol.append(QStringLiteral("/p/"), QStringLiteral("x"), QStringLiteral("y\"z")));
    QFile f(folder + RenameProtocol::fileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("2024\"/p/\"a\n20240229230509\"/p/\"x\"y\xc3\xa9\n"));
}

} // namespace
