#include "settings/GlobalInit.h"
#include "settings/LanguageDiscovery.h"
#include "settings/SettingsStore.h"
#include "settings/TextCodec.h"
#include "support/TestApp.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kBuildProgramFolder = QStringLiteral(DIRWRIGHT_PROGRAM_DIR "/");

// A program folder made for one test, with language files given as "file.lng=lngname".
class ProgramFolder
{
public:
    explicit ProgramFolder(const QStringList& languages = {})
    {
        for (const QString& entry : languages) {
            const QString name = entry.section(QLatin1Char('='), 1);
            add(entry.section(QLatin1Char('='), 0, 0),
                "[Main]\nlngname=" + name + "\nlocale=xx\n[Messages]\nMsgStat01=" + name + " %1\n");
        }
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }
    void add(const QString& name, const QString& text) { TextCodec::writeFileAtomically(file(name), text); }

private:
    QTemporaryDir m_dir;
};

TEST(DiscoverLanguageTest, ChoosesByLngnameWithoutRegardToCase)
{
    struct Case
    {
        QStringList languages;
        QString lng;
        LanguageChoice::Outcome outcome;
        QString chosen;
    };
    using O = LanguageChoice::Outcome;
    const QStringList two = {"English.lng=English", "Deutsch.lng=Deutsch"};
    const Case cases[] = {
        {two, "deutsch", O::Chosen, "Deutsch.lng"},
        {two, "ENGLISH", O::Chosen, "English.lng"},
        {two, "", O::NeedsChoice, ""},
        {two, "Fran\u00e7ais", O::NeedsChoice, ""},
        // One file is the language whatever the settings say.
        {{"Deutsch.lng=Deutsch"}, "English", O::Chosen, "Deutsch.lng"},
        {{"Only.lng="}, "", O::Chosen, "Only.lng"},
        // A file without a name is never picked by an empty setting.
        {{"A.lng=", "B.lng=B"}, "", O::NeedsChoice, ""},
        {{}, "English", O::NoFiles, ""},
    };
    for (const Case& c : cases) {
        ProgramFolder folder(c.languages);
        folder.add(QStringLiteral("settings.vlp"), "[Settings]\nlng=" + c.lng + "\n");
        folder.add(QStringLiteral("readme.txt"), "not a language");
        const LanguageChoice choice = DiscoverLanguage(folder.path(), folder.file(QStringLiteral("settings.vlp")));
        EXPECT_EQ(choice.outcome, c.outcome) << c.lng.toStdString();
        EXPECT_EQ(choice.file, c.chosen.isEmpty() ? QString() : folder.file(c.chosen)) << c.lng.toStdString();
        EXPECT_EQ(choice.files.size(), c.languages.size());
    }
}

TEST(GlobalInitTest, ProgramFolderIsTheExecutablesFolderOnlyWhenItHoldsLanguageFiles)
{
    ProgramFolder withLanguage({"English.lng=English"});
    ProgramFolder without;
    EXPECT_EQ(ProgramFolderFor(withLanguage.path()), withLanguage.path());
    EXPECT_EQ(ProgramFolderFor(without.path()), QStringLiteral(DIRWRIGHT_DATA_DIR "/"));
    EXPECT_EQ(ProgramFolderFor(QString()), QStringLiteral(DIRWRIGHT_DATA_DIR "/"));
}

class InitialiseApplicationTest : public ::testing::Test
{
protected:
    InitialiseApplicationTest()
        : m_app(QString())
    {
        // Start as a new user: no settings folder at all.
        QDir(m_app.dataHome()).removeRecursively();
        QDir().mkpath(m_app.dataHome());
    }
    AppState& state() { return m_app.state(); }
    QString setting(const char* key) { return ReadSetting("Settings", key, state().settingsFile); }

    TestApp m_app;
};

TEST_F(InitialiseApplicationTest, FirstStartCopiesTemplatesAsksForTheLanguageAndRemembersIt)
{
    QStringList offered;
    const auto chooseGerman = [&](const AppState&, const QStringList& files) {
        offered = files;
        return kBuildProgramFolder + QStringLiteral("Deutsch.lng");
    };
    ASSERT_TRUE(InitialiseApplication(state(), kBuildProgramFolder, chooseGerman));
    EXPECT_EQ(state().settingsFile, m_app.dataHome() + QStringLiteral("/Pellacorn/Dirwright/settings.vlp"));
    EXPECT_TRUE(QFile::exists(state().settingsFolder + QStringLiteral("structures.vlp")));
    EXPECT_EQ(offered, ListLanguageFiles(kBuildProgramFolder));
    EXPECT_EQ(setting("lng"), "Deutsch");
    EXPECT_EQ(setting("protren"), "1");
    EXPECT_EQ(state().statusText(2), "Ordner geladen");
    EXPECT_EQ(state().charClasses.lower, CharClasses::defaultLetters());

    // The next start finds the stored language and asks nothing.
    state().language.clear();
    const auto mustNotAsk = [](const AppState&, const QStringList&) {
        ADD_FAILURE() << "the language was asked for again";
        return QString();
    };
    ASSERT_TRUE(InitialiseApplication(state(), kBuildProgramFolder, mustNotAsk));
    EXPECT_EQ(state().language.name(), "Deutsch");
}

TEST_F(InitialiseApplicationTest, ClosingTheChooserUsesTheFirstLanguageAndAsksAgainNextTime)
{
    ProgramFolder folder({"A.lng=Alpha", "B.lng=Beta"});
    int asked = 0;
    const auto closeWithoutChoice = [&](const AppState&, const QStringList&) {
        ++asked;
        return QString();
    };
    ASSERT_TRUE(InitialiseApplication(state(), folder.path(), closeWithoutChoice));
    EXPECT_EQ(state().language.name(), "Alpha");
    EXPECT_EQ(state().statusText(1), "Alpha %1");
    EXPECT_EQ(setting("lng"), QString());
    ASSERT_TRUE(InitialiseApplication(state(), folder.path(), closeWithoutChoice));
    EXPECT_EQ(asked, 2);
}

TEST_F(InitialiseApplicationTest, NoLanguageFileShowsTheBilingualErrorAndStops)
{
    ProgramFolder empty;
    m_app.prompter().expectButton(Prompter::Ok);
    EXPECT_FALSE(InitialiseApplication(state(), empty.path(), {}));
    ASSERT_EQ(m_app.prompter().asked().size(), 1);
    const auto& asked = m_app.prompter().asked().first();
    EXPECT_EQ(asked.title, "Fehler/Error");
    EXPECT_EQ(asked.icon, Prompter::Icon::Critical);
    EXPECT_TRUE(asked.text.contains(QStringLiteral("keine Sprachdateien")) &&
                asked.text.contains(QStringLiteral("No language files")))
        << asked.text.toStdString();
}

TEST_F(InitialiseApplicationTest, UpdateLettersAndCompactionRunAtStart)
{
    ProgramFolder folder({"English.lng=English"});
    folder.add(QStringLiteral("update.vlp"), "[Main]\nVersion=2\n[Add]\nA1=Settings|savset|1\n");
    folder.add(QStringLiteral("structures.vlp"), "Name;Structure;\n");
    QDir().mkpath(SettingsFolderPath());
    // A user file that already exists is never replaced by the template.
    TextCodec::writeFileAtomically(SettingsFolderPath() + QStringLiteral("structures.vlp"), "mine\n");
    TextCodec::writeFileAtomically(SettingsFolderPath() + QStringLiteral("settings.vlp"),
                                   "[Main]\nVersion=1\n[Settings]\nletters=ABC\nx=<<DELETE>>\n");

    ASSERT_TRUE(InitialiseApplication(state(), folder.path(), {}));
    EXPECT_EQ(TextCodec::readFile(state().settingsFile), "[Main]\nVersion=2\n\n[Settings]\nletters=ABC\nsavset=1\n");
    EXPECT_EQ(TextCodec::readFile(state().settingsFolder + QStringLiteral("structures.vlp")), "mine\n");
    EXPECT_EQ(state().charClasses.upper, "ABC");
}

TEST_F(InitialiseApplicationTest, AnUncreatableSettingsFolderRunsOnDefaults)
{
    // The data home is a plain file, so no folder can be made below it.
    QDir(m_app.dataHome()).removeRecursively();
    TextCodec::writeFileAtomically(m_app.dataHome(), "a file");
    ProgramFolder folder({"English.lng=English"});
    folder.add(QStringLiteral("settings.vlp"), "[Settings]\nprotren=1\n");

    ASSERT_TRUE(InitialiseApplication(state(), folder.path(), {}));
    EXPECT_TRUE(m_app.prompter().asked().isEmpty());
    EXPECT_EQ(state().language.name(), "English");
    EXPECT_EQ(ReadSettingInt("Settings", "protren", state().settingsFile), -1);
    EXPECT_FALSE(WriteSetting("Main", "ws", "2", state().settingsFile));
    QFile::remove(m_app.dataHome());
    QDir().mkpath(m_app.dataHome());
}

} // namespace
