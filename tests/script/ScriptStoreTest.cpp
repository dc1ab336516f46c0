#include "script/ScriptStore.h"
#include "script/DialogValues.h"
#include "settings/IniDocument.h"
#include "settings/SettingsStore.h"
#include "settings/TextCodec.h"
#include "support/TestApp.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class ScriptStoreTest : public ::testing::Test
{
protected:
    QString file() const { return app.settingsPath(QStringLiteral("store.ini")); }
    QString read(const QString& section, const char* key) const
    {
        return ReadSetting(section, QLatin1String(key), file());
    }

    TestApp app;
};

TEST_F(ScriptStoreTest, SectionKeepsOnlyKeysWithValues)
{
    DialogValues v;
    v.set(QStringLiteral("txtPr"), DialogValues::encodeText(QStringLiteral("  two  blanks ")));
    v.set(QStringLiteral("txtSu"), QString());
    v.set(QStringLiteral("opt1(1)"), QString());
    v.set(QStringLiteral("opt1(2)"), QStringLiteral("-1"));
    v.set(QStringLiteral("cmdOK"), QString());
    ASSERT_TRUE(ScriptStore::storeSection(file(), QStringLiteral("frmTest"), v));

    const IniDocument doc = IniDocument::load(file());
    EXPECT_EQ(doc.keys(QStringLiteral("frmTest")), (QStringList{"txtPr", "opt1(2)"}));
    EXPECT_EQ(DialogValues::fromSection(doc, QStringLiteral("frmTest")).text(QStringLiteral("txtPr")),
              QStringLiteral("  two  blanks "));
    EXPECT_FALSE(TextCodec::readFile(file()).contains(QString::fromUtf16(kDeleteMarker)));

    // Selecting the other option removes the key of the first; other sections stay as they were.
    WriteSetting(QStringLiteral("Other"), QStringLiteral("k"), QStringLiteral("v"), file());
    v.set(QStringLiteral("opt1(1)"), QStringLiteral("-1"));
    v.set(QStringLiteral("opt1(2)"), QString());
    v.set(QStringLiteral("txtPr"), QString());
    ASSERT_TRUE(ScriptStore::storeSection(file(), QStringLiteral("frmTest"), v));
    EXPECT_EQ(IniDocument::load(file()).keys(QStringLiteral("frmTest")), QStringList{"opt1(1)"});
    EXPECT_EQ(read(QStringLiteral("Other"), "k"), QStringLiteral("v"));
}

TEST_F(ScriptStoreTest, StepsCountOnFromTheStoredNumber)
{
    ASSERT_TRUE(ScriptStore::startFile(file()));
    DialogValues caseChange;
    caseChange.set(QStringLiteral("opt1(3)"), QStringLiteral("-1"));
    caseChange.set(QStringLiteral("opt1(1)"), QString());
    EXPECT_EQ(ScriptStore::appendStep(file(), 4, caseChange), 1);
    EXPECT_EQ(IniDocument::load(file()).keys(QStringLiteral("1")), (QStringList{"Type", "opt1(3)"}));
    // A recording whose count was lost goes on at step 1, never at a step 0.
    WriteSetting(QStringLiteral("Main"), QStringLiteral("Steps"), QStringLiteral("x"), file());
    EXPECT_EQ(ScriptStore::appendStep(file(), 3, caseChange), 1);
    EXPECT_EQ(ScriptStore::stepCount(file()), 1);
}

TEST_F(ScriptStoreTest, StartingReplacesALeftoverRecording)
{
    WriteSetting(QStringLiteral("1"), QStringLiteral("txtPr"), QStringLiteral("old"), file());
    WriteSetting(QStringLiteral("Main"), QStringLiteral("Steps"), QStringLiteral("1"), file());
    ASSERT_TRUE(ScriptStore::startFile(file()));
    DialogValues caseChange;
    caseChange.set(QStringLiteral("opt1(3)"), QStringLiteral("-1"));
    ScriptStore::appendStep(file(), 4, caseChange);
    EXPECT_TRUE(read(QStringLiteral("1"), "txtPr").isEmpty());
}

TEST_F(ScriptStoreTest, StampsAndEntries)
{
    EXPECT_EQ(ScriptStore::FormatStamp(QStringLiteral("20240131153045.vls")), QStringLiteral("2024-01-31, 15:30:45"));
    EXPECT_EQ(ScriptStore::FormatStamp(QStringLiteral("my script.vls")), QStringLiteral("my script"));
    EXPECT_EQ(ScriptStore::FormatStamp(QStringLiteral("2024013115304.vls")), QStringLiteral("2024013115304"));

    const QString folder = app.settingsPath(QStringLiteral("Script/"));
    QDir().mkpath(folder);
    WriteSetting(QStringLiteral("Main"), QStringLiteral("Name"), QStringLiteral("Photos"),
                 folder + QStringLiteral("20240131153045.vls"));
    WriteSetting(QStringLiteral("Main"), QStringLiteral("Steps"), QStringLiteral("1"),
                 folder + QStringLiteral("20230101000000.vls"));
    WriteSetting(QStringLiteral("Main"), QStringLiteral("Name"), QStringLiteral("no"),
                 folder + QStringLiteral("a.txt"));
    const QList<ScriptStore::ScriptEntry> entries = ScriptStore::ScriptEntries(folder);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(0).fileName, QStringLiteral("20230101000000.vls"));
    EXPECT_EQ(entries.at(0).text, QStringLiteral("[2023-01-01, 00:00:00]"));
    EXPECT_EQ(entries.at(1).text, QStringLiteral("Photos [2024-01-31, 15:30:45]"));
    EXPECT_TRUE(ScriptStore::ScriptEntries(app.settingsPath(QStringLiteral("none/"))).isEmpty());
}

} // namespace
