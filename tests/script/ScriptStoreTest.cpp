#include "script/ScriptStore.h"
#include "script/DialogValues.h"
#include "settings/IniDocument.h"
#include "settings/SettingsStore.h"
#include "settings/TextCodec.h"
#include "support/TestApp.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

DialogValues values(std::initializer_list<std::pair<const char*, QString>> pairs)
{
    DialogValues v;
    for (const auto& [key, value] : pairs)
        v.set(QLatin1String(key), value);
    return v;
}

class ScriptStoreTest : public ::testing::Test
{
protected:
    TestApp app;
    const QString file = app.settingsPath(QStringLiteral("store.ini"));
};

TEST_F(ScriptStoreTest, SectionKeepsOnlyKeysWithValues)
{
    const QString blanks = DialogValues::encodeText(QStringLiteral("  two  blanks "));
    ASSERT_TRUE(ScriptStore::storeSection(
        file, "frmTest",
        values({{"txtPr", blanks}, {"txtSu", ""}, {"opt1(1)", ""}, {"opt1(2)", "-1"}, {"cmdOK", ""}})));
    const IniDocument doc = IniDocument::load(file);
    EXPECT_EQ(doc.keys("frmTest"), (QStringList{"txtPr", "opt1(2)"}));
    EXPECT_EQ(DialogValues::fromSection(doc, "frmTest").text("txtPr"), "  two  blanks ");
    EXPECT_FALSE(TextCodec::readFile(file).contains(QString::fromUtf16(kDeleteMarker)));

    // Selecting the other option removes the key of the first; other sections stay as they were.
    WriteSetting("Other", "k", "v", file);
    ASSERT_TRUE(
        ScriptStore::storeSection(file, "frmTest", values({{"opt1(1)", "-1"}, {"opt1(2)", ""}, {"txtPr", ""}})));
    EXPECT_EQ(IniDocument::load(file).keys("frmTest"), QStringList{"opt1(1)"});
    EXPECT_EQ(ReadSetting("Other", "k", file), "v");
}

TEST_F(ScriptStoreTest, StartingReplacesALeftoverAndStepsCountOnFromTheStoredNumber)
{
    WriteSetting("1", "txtPr", "old", file);
    WriteSetting("Main", "Steps", "1", file);
    ASSERT_TRUE(ScriptStore::startFile(file));
    const DialogValues caseChange = values({{"opt1(3)", "-1"}, {"opt1(1)", ""}});
    EXPECT_EQ(ScriptStore::appendStep(file, 4, caseChange), 1);
    EXPECT_EQ(IniDocument::load(file).keys("1"), (QStringList{"Type", "opt1(3)"}));
    EXPECT_EQ(ScriptStore::appendStep(file, 4, caseChange), 2);
    // A recording whose count was lost goes on at step 1, never at a step 0.
    WriteSetting("Main", "Steps", "x", file);
    EXPECT_EQ(ScriptStore::appendStep(file, 3, caseChange), 1);
    EXPECT_EQ(ScriptStore::stepCount(file), 1);
}

TEST_F(ScriptStoreTest, StampsAndEntries)
{
    EXPECT_EQ(ScriptStore::FormatStamp("20240131153045.vls"), "2024-01-31, 15:30:45");
    EXPECT_EQ(ScriptStore::FormatStamp("my script.vls"), "my script");
    EXPECT_EQ(ScriptStore::FormatStamp("2024013115304.vls"), "2024013115304");

    const QString folder = app.settingsPath(QStringLiteral("Script/"));
    QDir().mkpath(folder);
    WriteSetting("Main", "Name", "Photos", folder + "20240131153045.vls");
    WriteSetting("Main", "Steps", "1", folder + "20230101000000.vls");
    WriteSetting("Main", "Name", "no", folder + "a.txt");
    const QList<ScriptStore::ScriptEntry> entries = ScriptStore::ScriptEntries(folder);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(0).fileName, "20230101000000.vls");
    EXPECT_EQ(entries.at(0).text, "[2023-01-01, 00:00:00]");
    EXPECT_EQ(entries.at(1).text, "Photos [2024-01-31, 15:30:45]");
    EXPECT_TRUE(ScriptStore::ScriptEntries(app.settingsPath(QStringLiteral("none/"))).isEmpty());
}

} // namespace
