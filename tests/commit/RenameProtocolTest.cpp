#include "commit/RenameProtocol.h"

#include "settings/TextCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(RenameProtocolTest, OnlyLinesThatNameOneFolderAreUsable)
{
    const QList<std::pair<QString, bool>> cases{
        {QStringLiteral("20240131153045\"/p/\"a\"b"), true},
        {QStringLiteral("20240131153045\"/\"a\"b"), true},
        {QStringLiteral("20240131153045\"/p/\"a\"b\"extra"), false},
        {QStringLiteral("20240131153045\"/p/\"a"), false},
        {QStringLiteral("20240131153045\"p/\"a\"b"), false},       // relative parent
        {QStringLiteral("20240131153045\"/p\"a\"b"), false},       // parent without a separator
        {QStringLiteral("20240131153045\"/p/../q/\"a\"b"), false}, // parent that is not clean
        {QStringLiteral("20240131153045\"/p//q/\"a\"b"), false},
        {QStringLiteral("20240131153045\"/p/\"a/x\"b"), false}, // a name holding a separator
        {QStringLiteral("20240131153045\"/p/\"a\"..\""), false},
        {QStringLiteral("20240131153045\"/p/\"a\".."), false},
        {QStringLiteral("20240131153045\"/p/\"\"b"), false},
        {QStringLiteral("garbage"), false},
    };
    for (const auto& [text, usable] : cases) {
        const RenameProtocol::Line line = RenameProtocol::parseLine(text);
        EXPECT_EQ(line.usable, usable) << text.toStdString();
        EXPECT_EQ(line.raw, text);
    }
    const RenameProtocol::Line line = RenameProtocol::parseLine(QStringLiteral("20240131153045\"/p/\"a\"b c"));
    EXPECT_EQ(line.stamp, QStringLiteral("20240131153045"));
    EXPECT_EQ(line.parentPath, QStringLiteral("/p/"));
    EXPECT_EQ(line.oldName, QStringLiteral("a"));
    EXPECT_EQ(line.newName, QStringLiteral("b c"));
}

TEST(RenameProtocolTest, RewriteKeepsLinesItCannotUseAsTheyWere)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QString original = QStringLiteral("odd line\n20240101000000\"/p/\"a\"b\n\n1\"2\"3\"4\"5\n");
    ASSERT_TRUE(TextCodec::writeFileAtomically(folder + RenameProtocol::fileName(), original));
    QList<RenameProtocol::Line> lines = RenameProtocol::read(folder);
    ASSERT_EQ(lines.size(), 3); // the empty line carries nothing
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
    const QByteArray bytes = [&] {
        QFile f(folder + RenameProtocol::fileName());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    EXPECT_EQ(bytes, QByteArray("2024\"/p/\"a\n20240229230509\"/p/\"x\"y\xc3\xa9\n"));
}

} // namespace
