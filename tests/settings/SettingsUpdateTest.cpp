#include "settings/SettingsUpdate.h"
#include "settings/SettingsStore.h"
#include "settings/TextCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsUpdateTest : public ::testing::Test
{
protected:
    QString programFolder() const { return m_dir.path() + QStringLiteral("/"); }
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("settings.vlp")); }

    void writeUpdate(const QString& text) { TextCodec::writeFileAtomically(programFolder() + "update.vlp", text); }
    void writeSettings(const QString& text) { TextCodec::writeFileAtomically(settingsFile(), text); }
    QString settingsText() const { return TextCodec::readFile(settingsFile()); }
    QString read(const QString& section, const QString& key) const { return ReadSetting(section, key, settingsFile()); }

    SettingsUpdateResult run() { return ApplySettingsUpdate(programFolder(), settingsFile()); }

    QTemporaryDir m_dir;
};

TEST_F(SettingsUpdateTest, WithoutUpdateFileNothingChanges)
{
    writeSettings(QStringLiteral("[A]\nx=<<DELETE>>\n"));
    EXPECT_EQ(run(), SettingsUpdateResult::NoUpdateFile);
    EXPECT_EQ(settingsText(), QStringLiteral("[A]\nx=<<DELETE>>\n"));
}

TEST_F(SettingsUpdateTest, EqualVersionSkipsTheRulesButCompacts)
{
    writeSettings(QStringLiteral("[Main]\nVersion=2.00\nold=<<DELETE>>\n[Settings]\nkeep=1\n"));
    writeUpdate(QStringLiteral("[Main]\nVersion=2.00\n[Add]\nA1=Settings|new|5\n[Del]\nD1=Settings|keep\n"));
    EXPECT_EQ(run(), SettingsUpdateResult::AlreadyCurrent);
    EXPECT_EQ(settingsText(), QStringLiteral("[Main]\nVersion=2.00\n\n[Settings]\nkeep=1\n"));
}

TEST_F(SettingsUpdateTest, AnyDifferentVersionIsApplied)
{
    // A lower version is not "older, so skip": the update is keyed by exact text.
    for (const QString& version : {QStringLiteral("1.00"), QStringLiteral("3.00"), QStringLiteral("")}) {
        writeSettings(QStringLiteral("[Main]\nVersion=2.00\n"));
        writeUpdate(QStringLiteral("[Main]\nVersion=") + version + QStringLiteral("\n[Add]\nA1=S|k|v\n"));
        EXPECT_EQ(run(), SettingsUpdateResult::Applied) << version.toStdString();
        EXPECT_EQ(read("S", "k"), QStringLiteral("v"));
        EXPECT_EQ(read("Main", "Version"), version);
    }
}

TEST_F(SettingsUpdateTest, RulesAddCopyAndDelete)
{
    writeSettings(QStringLiteral("[Main]\nVersion=1.00\n[Settings]\nlng=Deutsch\nsavset=1\nempty=\n"
                                 "obsolete=x\n[Old]\ncolour=255\n"));
    writeUpdate(QStringLiteral("[Main]\nVersion=1.10\n"
                               "[Add]\nA1=Settings|lng|English\nA2=Settings|empty|filled\nA3=New|k|a|b\n"
                               "[Copy]\nC1=Old|colour|Dialogs|BackColor\nC2=Old|missing|Dialogs|ForeColor\n"
                               "C3=Settings|savset|settings|SAVSET\n"
                               "[Del]\nD1=Settings|obsolete\n"));
    ASSERT_EQ(run(), SettingsUpdateResult::Applied);
    EXPECT_EQ(read("Settings", "lng"), QStringLiteral("Deutsch")) << "[Add] never overwrites";
    EXPECT_EQ(read("Settings", "empty"), QStringLiteral("filled")) << "an empty value counts as missing";
    EXPECT_EQ(read("New", "k"), QStringLiteral("a|b")) << "the value keeps further bars";
    EXPECT_EQ(read("Dialogs", "BackColor"), QStringLiteral("255"));
    EXPECT_FALSE(settingsText().contains(QStringLiteral("colour="))) << "a copied key is removed";
    EXPECT_FALSE(settingsText().contains(QStringLiteral("ForeColor"))) << "an empty old value copies nothing";
    EXPECT_EQ(read("Settings", "savset"), QStringLiteral("1")) << "copying a key onto itself keeps it";
    EXPECT_EQ(read("Settings", "obsolete"), QString());
    EXPECT_EQ(read("Main", "Version"), QStringLiteral("1.10"));
    EXPECT_EQ(settingsText(), QStringLiteral("[Main]\nVersion=1.10\n\n[Settings]\nlng=Deutsch\nsavset=1\nempty=filled\n"
                                             "\n[Old]\n\n[New]\nk=a|b\n\n[Dialogs]\nBackColor=255\n"));
}

TEST_F(SettingsUpdateTest, CopyWithEmptyOldValueLeavesTheOldKeyUnmarked)
{
    writeSettings(QStringLiteral("[Main]\nVersion=1\n[A]\nold=\n"));
    writeUpdate(QStringLiteral("[Main]\nVersion=2\n[Copy]\nC1=A|old|B|new\n"));
    ASSERT_EQ(run(), SettingsUpdateResult::Applied);
    EXPECT_EQ(settingsText(), QStringLiteral("[Main]\nVersion=2\n\n[A]\nold=\n"));
}

TEST_F(SettingsUpdateTest, ListsEndAtTheFirstGapAndSkipShortEntries)
{
    writeSettings(QStringLiteral("[Main]\nVersion=1\n"));
    writeUpdate(QStringLiteral("[Main]\nVersion=2\n[Add]\nA1=S|one\nA2=S|two|2\nA3=|three|3\nA5=S|five|5\n"
                               "[Del]\nD1=S\nD2=\nD3=S|two\n"));
    ASSERT_EQ(run(), SettingsUpdateResult::Applied);
    EXPECT_EQ(read("S", "one"), QString()) << "too few fields";
    EXPECT_EQ(read("S", "two"), QStringLiteral("2")) << "D3 lies after the gap at D2";
    EXPECT_EQ(read("S", "five"), QString()) << "A5 lies after the gap at A4";
    EXPECT_FALSE(settingsText().contains(QStringLiteral("three")));
}

TEST_F(SettingsUpdateTest, MissingSettingsFileIsCreatedAndASecondRunIsANoOp)
{
    writeUpdate(QStringLiteral("[Main]\nVersion=7\n[Add]\nA1=Settings|protren|1\n"));
    ASSERT_EQ(run(), SettingsUpdateResult::Applied);
    const QString first = settingsText();
    EXPECT_EQ(first, QStringLiteral("[Settings]\nprotren=1\n\n[Main]\nVersion=7\n"));
    EXPECT_EQ(run(), SettingsUpdateResult::AlreadyCurrent);
    EXPECT_EQ(settingsText(), first);
}

TEST_F(SettingsUpdateTest, UnwritableSettingsFileIsReportedAndLeftAlone)
{
    writeUpdate(QStringLiteral("[Main]\nVersion=2\n[Add]\nA1=S|k|v\n"));
    const QString missingFolderFile = m_dir.filePath(QStringLiteral("no/such/folder/settings.vlp"));
    EXPECT_EQ(ApplySettingsUpdate(programFolder(), missingFolderFile), SettingsUpdateResult::WriteFailed);
}

TEST_F(SettingsUpdateTest, HostileUpdateFilesNeverBreakTheSettings)
{
    const QString settings = QStringLiteral("[Main]\nVersion=1\n[S]\nk=v\n");
    const QList<QByteArray> updates = {
        QByteArray(),
        QByteArray("\x00\xff\xfe[Add]\x00"
                   "A1=S|k|x",
                   17),
        QByteArray("[Main]\nVersion=2\n[Add]\nA1=") + QByteArray(1 << 20, '|') + "\n",
        QByteArray("[Main]\nVersion=2\n[Add]\nA1=S|big|") + QByteArray(1 << 20, 'x') + "\n",
        QByteArray("[Main]\nVersion=2\n[Add]\nA1\nA1=S|dup|1\nA1=S|dup|2\n[add]\nA2=S|second|1\n"),
    };
    for (const QByteArray& update : updates) {
        writeSettings(settings);
        QFile file(programFolder() + "update.vlp");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(update);
        file.close();
        run();
        EXPECT_EQ(read("S", "k"), QStringLiteral("v"));
        EXPECT_FALSE(settingsText().contains(QStringLiteral("<<DELETE>>")));
    }
    // Duplicates: the first of each key and section counts.
    EXPECT_EQ(read("S", "dup"), QStringLiteral("1"));
    EXPECT_EQ(read("S", "second"), QString());
}

} // namespace
