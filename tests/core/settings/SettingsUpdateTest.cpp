#include "core/settings/SettingsUpdate.h"
#include "core/platform/PosixFileSystem.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using R = SettingsUpdateResult;

class SettingsUpdateTest : public ::testing::Test
{
protected:
    void write(const QString& path, const QByteArray& bytes)
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    }
    R run(const QByteArray& settings, const QByteArray& update)
    {
        write(settingsFile, settings);
        write(updateFile, update);
        return apply();
    }
    R apply() { return ApplySettingsUpdate(fs, programFolder, settingsFile); }
    QString text() const { return TextCodec::readFile(settingsFile); }
    QString read(const char* section, const char* key) const { return ReadSetting(section, key, settingsFile); }
    PosixFileSystem fs;
    QTemporaryDir m_dir;
    const QString programFolder = m_dir.path() + QStringLiteral("/");
    const QString settingsFile = programFolder + QStringLiteral("settings.vlp");
    const QString updateFile = programFolder + QStringLiteral("update.vlp");
};

TEST_F(SettingsUpdateTest, RulesRunOncePerVersionTextAndTheFileIsAlwaysCompacted)
{
    write(settingsFile, "[A]\nx=<<DELETE>>\n");
    EXPECT_EQ(apply(), R::NoUpdateFile);
    EXPECT_EQ(text(), "[A]\nx=<<DELETE>>\n");
    EXPECT_EQ(run("[Main]\nVersion=2.00\nold=<<DELETE>>\n[Settings]\nkeep=1\n",
                  "[Main]\nVersion=2.00\n[Add]\nA1=Settings|new|5\n[Del]\nD1=Settings|keep\n"),
              R::AlreadyCurrent);
    EXPECT_EQ(text(), "[Main]\nVersion=2.00\n\n[Settings]\nkeep=1\n");
    // A lower version is not "older, so skip": the update is keyed by exact text.
    for (const char* version : {"1.00", "3.00", ""}) {
        EXPECT_EQ(run("[Main]\nVersion=2.00\n", QByteArray("[Main]\nVersion=") + version + "\n[Add]\nA1=S|k|v\n"),
                  R::Applied)
            << version;
        EXPECT_EQ(read("S", "k") + read("Main", "Version"), "v" + QString::fromUtf8(version));
    }
    // A missing settings file is created; a second run changes nothing.
    QFile::remove(settingsFile);
    write(updateFile, "[Main]\nVersion=7\n[Add]\nA1=Settings|protren|1\n");
    ASSERT_EQ(apply(), R::Applied);
    EXPECT_EQ(apply(), R::AlreadyCurrent);
    EXPECT_EQ(text(), "[Settings]\nprotren=1\n\n[Main]\nVersion=7\n");
    EXPECT_EQ(ApplySettingsUpdate(fs, programFolder, m_dir.filePath(QStringLiteral("no/such/folder/settings.vlp"))),
              R::WriteFailed);
}

TEST_F(SettingsUpdateTest, RulesAddCopyAndDelete)
{
    ASSERT_EQ(run("[Main]\nVersion=1.00\n[Settings]\nlng=Deutsch\nsavset=1\nempty=\nobsolete=x\n"
                  "[Old]\ncolour=255\nblank=\n",
                  "[Main]\nVersion=1.10\n"
                  "[Add]\nA1=Settings|lng|English\nA2=Settings|empty|filled\nA3=New|k|a|b\n"
                  "[Copy]\nC1=Old|colour|Dialogs|BackColor\nC2=Old|blank|Dialogs|ForeColor\n"
                  "C3=Settings|savset|settings|SAVSET\n"
                  "[Del]\nD1=Settings|obsolete\n"),
              R::Applied);
    EXPECT_EQ(read("Settings", "lng"), "Deutsch") << "[Add] never overwrites";
    EXPECT_EQ(read("Settings", "empty"), "filled") << "an empty value counts as missing";
    EXPECT_EQ(read("New", "k"), "a|b") << "the value keeps further bars";
    EXPECT_EQ(read("Dialogs", "BackColor"), "255");
    EXPECT_EQ(read("Settings", "savset"), "1") << "copying a key onto itself keeps it";
    // A copied key is removed; an empty old value copies nothing and stays.
    EXPECT_EQ(text(), QStringLiteral("[Main]\nVersion=1.10\n\n[Settings]\nlng=Deutsch\nsavset=1\nempty=filled\n"
                                     "\n[Old]\nblank=\n\n[New]\nk=a|b\n\n[Dialogs]\nBackColor=255\n"));
}

TEST_F(SettingsUpdateTest, ListsEndAtTheFirstGapAndSkipShortEntries)
{
    ASSERT_EQ(run("[Main]\nVersion=1\n", "[Main]\nVersion=2\n[Add]\nA1=S|one\nA2=S|two|2\nA3=|three|3\nA5=S|five|5\n"
                                         "[Del]\nD1=S\nD2=\nD3=S|two\n"),
              R::Applied);
    EXPECT_EQ(read("S", "one"), QString()) << "too few fields";
    EXPECT_EQ(read("S", "two"), "2") << "D3 lies after the gap at D2";
    EXPECT_EQ(read("S", "five"), QString()) << "A5 lies after the gap at A4";
    EXPECT_FALSE(text().contains(QStringLiteral("three")));
}

} // namespace
