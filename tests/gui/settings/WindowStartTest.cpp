#include "gui/settings/WindowStart.h"

#include "core/AppState.h"
#include "core/settings/GlobalInit.h"
#include "core/settings/LanguageDiscovery.h"
#include "core/settings/SettingsStore.h"
#include "gui/GuiTestApp.h"
#include "support/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kBuildProgramFolder = QStringLiteral(DIRWRIGHT_PROGRAM_DIR "/");

class WindowStartTest : public ::testing::Test
{
protected:
    WindowStartTest()
        : m_app(QString())
    {
        // Start as a new user: no settings folder at all.
        QDir(m_app.dataHome()).removeRecursively();
        QDir().mkpath(m_app.dataHome());
    }
    AppState& state() { return m_app.state(); }
    QString setting(const char* key) { return ReadSetting("Settings", key, state().settingsFile); }
    GuiTestApp m_app;
};

TEST_F(WindowStartTest, FirstStartCopiesTemplatesAsksForTheLanguageAndRemembersIt)
{
    QStringList offered;
    const auto chooseGerman = [&](const QStringList& files) {
        offered = files;
        return kBuildProgramFolder + QStringLiteral("Deutsch.lng");
    };
    ASSERT_TRUE(InitialiseWindowApplication(state(), m_app.prompter(), kBuildProgramFolder, chooseGerman));
    EXPECT_EQ(state().settingsFile, m_app.dataHome() + QStringLiteral("/Pellacorn/Dirwright/settings.vlp"));
    EXPECT_EQ(offered, ListLanguageFiles(kBuildProgramFolder));
    EXPECT_EQ(setting("lng"), "Deutsch");
    EXPECT_EQ(setting("protren"), "1");
    EXPECT_EQ(state().statusText(2), "Ordner geladen");
    // The next start finds the stored language and asks nothing.
    state().language.clear();
    const auto mustNotAsk = [](const QStringList&) {
        ADD_FAILURE() << "the language was asked for again";
        return QString();
    };
    ASSERT_TRUE(InitialiseWindowApplication(state(), m_app.prompter(), kBuildProgramFolder, mustNotAsk));
    EXPECT_EQ(state().language.name(), "Deutsch");
}

// A damaged settings file would silently switch the history off: the user is told once, and the file
// stays as it is for repair.
TEST_F(WindowStartTest, ADamagedSettingsFileIsToldOnceAndLeftAsItIs)
{
    const QString folder = m_app.dataHome() + QStringLiteral("/Pellacorn/Dirwright/");
    QDir().mkpath(folder);
    const QByteArray damaged("[Settings]\nprotren=1\nlng=English\n\0\0\xff", 36);
    QFile file(folder + QStringLiteral("settings.vlp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(damaged) == damaged.size());
    file.close();
    m_app.prompter().expectButton(Prompter::Ok);
    ASSERT_TRUE(InitialiseWindowApplication(state(), m_app.prompter(), kBuildProgramFolder,
                                            [](const QStringList& files) { return files.first(); }));
    ASSERT_EQ(m_app.prompter().asked().size(), 1);
    EXPECT_EQ(m_app.prompter().asked().first().text,
              state().message(QStringLiteral("msgSettingsDamaged"), {u'"' + file.fileName() + u'"'}));
    EXPECT_FALSE(state().settings.flag(Settings::Key::ProtocolRenames));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
}

TEST_F(WindowStartTest, ClosingTheChooserUsesTheFirstLanguageAndAsksAgainNextTime)
{
    ProgramFolder folder({"A.lng=Alpha", "B.lng=Beta"});
    int asked = 0;
    const auto closeWithoutChoice = [&](const QStringList&) {
        ++asked;
        return QString();
    };
    ASSERT_TRUE(InitialiseWindowApplication(state(), m_app.prompter(), folder.path(), closeWithoutChoice));
    EXPECT_EQ(state().language.name(), "Alpha");
    EXPECT_EQ(state().statusText(1), "Alpha %1");
    EXPECT_EQ(setting("lng"), QString());
    ASSERT_TRUE(InitialiseWindowApplication(state(), m_app.prompter(), folder.path(), closeWithoutChoice));
    EXPECT_EQ(asked, 2);
}

TEST_F(WindowStartTest, NoLanguageFileShowsTheBilingualErrorAndStops)
{
    ProgramFolder empty;
    m_app.prompter().expectButton(Prompter::Ok);
    EXPECT_FALSE(InitialiseWindowApplication(state(), m_app.prompter(), empty.path(), {}));
    ASSERT_EQ(m_app.prompter().asked().size(), 1);
    const auto& asked = m_app.prompter().asked().first();
    EXPECT_EQ(asked.title, "Fehler/Error");
    EXPECT_TRUE(asked.text.contains(u"keine Sprachdateien") && asked.text.contains(u"No language files"));
}

} // namespace
