#include "settings/SettingsStore.h"
#include "settings/TextCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsStoreTest : public ::testing::Test
{
protected:
    QString file(const QString& text)
    {
        const QString path = m_dir.filePath(QStringLiteral("s.vlp"));
        TextCodec::writeFileAtomically(path, text);
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_F(SettingsStoreTest, ReadsCaseInsensitiveTrimmedValues)
{
    const QString f = file(QStringLiteral("[Main]\n  Key =  some value  \n[Other]\nkey=x\n"));
    EXPECT_EQ(ReadSetting(QStringLiteral("main"), QStringLiteral("KEY"), f), QStringLiteral("some value"));
    EXPECT_EQ(ReadSetting(QStringLiteral("Other"), QStringLiteral("key"), f), QStringLiteral("x"));
    EXPECT_EQ(ReadSetting(QStringLiteral("Missing"), QStringLiteral("key"), f), QString());
    EXPECT_EQ(ReadSettingInt(QStringLiteral("Missing"), QStringLiteral("key"), f), -1);
}

TEST_F(SettingsStoreTest, CutsLongValuesAt999Characters)
{
    const QString f = file(QStringLiteral("[A]\nk=") + QString(1200, QLatin1Char('v')) + QStringLiteral("\n"));
    EXPECT_EQ(ReadSetting(QStringLiteral("A"), QStringLiteral("k"), f).size(), 999);
}

TEST_F(SettingsStoreTest, WritesIntoExistingSectionAndCreatesMissingOnes)
{
    const QString f = file(QStringLiteral("[A]\nx=1\n\n[B]\ny=2\n"));
    ASSERT_TRUE(WriteSetting(QStringLiteral("a"), QStringLiteral("z"), QStringLiteral("3"), f));
    ASSERT_TRUE(WriteSetting(QStringLiteral("B"), QStringLiteral("Y"), QStringLiteral("4"), f));
    ASSERT_TRUE(WriteSetting(QStringLiteral("C"), QStringLiteral("w"), QString(), f));
    EXPECT_EQ(TextCodec::readFile(f), QStringLiteral("[A]\nx=1\nz=3\n\n[B]\nY=4\n[C]\nw=\n"));
}

TEST_F(SettingsStoreTest, CompactionDropsDeletedKeysAndSeparatesSections)
{
    const QString f = file(QStringLiteral("[A]\nx=<<DELETE>>\ny=1\n[B]\nz=1 <<DELETE>>  \n\n[C]\n"));
    ASSERT_TRUE(CompactSettingsFile(f));
    EXPECT_EQ(TextCodec::readFile(f), QStringLiteral("[A]\ny=1\n\n[B]\n\n[C]\n"));
}

} // namespace
