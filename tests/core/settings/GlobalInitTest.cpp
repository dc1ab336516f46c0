#include "core/settings/GlobalInit.h"
#include "core/settings/LanguageDiscovery.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"
#include "support/TestApp.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const QString kBuildProgramFolder = QStringLiteral(DIRWRIGHT_PROGRAM_DIR "/");

// A program folder made for one test, with language files given as "file.lng=lngname".
struct ProgramFolder
{
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
    QTemporaryDir m_dir;
};

TEST(DiscoverLanguageTest, ChoosesByLngnameWithoutRegardToCase)
{
    using O = LanguageChoice::Outcome;
    const QStringList two = {"English.lng=English", "Deutsch.lng=Deutsch"};
    // language files, "lng" setting, outcome, file chosen
    const std::tuple<QStringList, QString, O, QString> cases[] = {
        {two, "deutsch", O::Chosen, "Deutsch.lng"},
        {two, "", O::NeedsChoice, ""},
        {two, "Fran\u00e7ais", O::NeedsChoice, ""},
        // One file is the language whatever the settings say.
        {{"Deutsch.lng=Deutsch"}, "English", O::Chosen, "Deutsch.lng"},
        {{"Only.lng="}, "", O::Chosen, "Only.lng"},
        // A file without a name is never picked by an empty setting.
        {{"A.lng=", "B.lng=B"}, "", O::NeedsChoice, ""},
        {{}, "English", O::NoFiles, ""},
    };
    for (const auto& [languages, lng, outcome, chosen] : cases) {
        ProgramFolder folder(languages);
        folder.add(QStringLiteral("settings.vlp"), "[Settings]\nlng=" + lng + "\n");
        folder.add(QStringLiteral("readme.txt"), "not a language");
        const LanguageChoice choice = DiscoverLanguage(folder.path(), folder.file(QStringLiteral("settings.vlp")));
        EXPECT_EQ(choice.outcome, outcome) << lng.toStdString();
        EXPECT_EQ(choice.file, chosen.isEmpty() ? QString() : folder.file(chosen)) << lng.toStdString();
        EXPECT_EQ(choice.files.size(), languages.size());
    }
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
    EXPECT_EQ(offered, ListLanguageFiles(kBuildProgramFolder));
    EXPECT_EQ(setting("lng"), "Deutsch");
    EXPECT_EQ(setting("protren"), "1");
    EXPECT_EQ(state().statusText(2), "Ordner geladen");
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
    EXPECT_TRUE(asked.text.contains(u"keine Sprachdateien") && asked.text.contains(u"No language files"));
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

TEST(ProgramFolderTest, BesideTheProgramThenItsShareFolderThenTheConfiguredOne)
{
    // Which folders hold language files, relative to a root; the executable lives in "bin".
    const std::tuple<const char*, QStringList, QString> cases[] = {
        {"build tree", {"bin/English.lng", "share/dirwright/English.lng"}, "bin/"},
        {"installed", {"share/dirwright/English.lng"}, "share/dirwright/"},
        {"nowhere", {}, QString()},
    };
    for (const auto& [name, files, expected] : cases) {
        SCOPED_TRACE(name);
        QTemporaryDir root;
        for (const QString& file : files) {
            QDir().mkpath(QFileInfo(root.filePath(file)).path());
            ASSERT_TRUE(
                TextCodec::writeFileAtomically(root.filePath(file), QStringLiteral("[Main]\nlngname=English\n")));
        }
        QDir().mkpath(root.filePath(QStringLiteral("bin")));
        const QString folder = ProgramFolderFor(root.filePath(QStringLiteral("bin")));
        EXPECT_EQ(folder, expected.isEmpty() ? QStringLiteral(DIRWRIGHT_DATA_DIR "/")
                                             : root.path() + QLatin1Char('/') + expected);
    }
}

} // namespace
