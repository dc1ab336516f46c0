#include "core/settings/GlobalInit.h"
#include "core/settings/LanguageDiscovery.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"
#include "support/ProgramFolder.h"
#include "support/TestApp.h"
#include "support/WriteTextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace {

TEST(DiscoverLanguageTest, PreselectsTheDesktopsLanguageElseEnglish)
{
    // Files sort by name, so Deutsch comes before English.
    const QStringList shipped = {QStringLiteral("de"), QStringLiteral("en")};
    const struct
    {
        const char* name;
        QStringList locales;
        const char* system;
        int expected;
    } rows[] = {
        {"German desktop", shipped, "de_DE", 0},
        {"English desktop", shipped, "en_GB", 1},
        {"bare C locale", shipped, "C", 1},
        {"language without a file", shipped, "fr_FR", 1},
        {"regional file locale", {QStringLiteral("en"), QStringLiteral("pt_BR")}, "pt_PT", 1},
        {"no English file", {QStringLiteral("de"), QString()}, "C", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PreselectedLanguage(row.locales, QLatin1String(row.system)), row.expected);
    }
}

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
        folder.add(QStringLiteral("readme.txt"), "not a language");
        const LanguageChoice choice = DiscoverLanguage(folder.path(), lng);
        EXPECT_EQ(choice.outcome, outcome) << lng.toStdString();
        EXPECT_EQ(choice.file, chosen.isEmpty() ? QString() : folder.file(chosen)) << lng.toStdString();
        EXPECT_EQ(choice.files.size(), languages.size());
    }
}

TEST(InitialisationTest, UpdateLettersAndCompactionRunAtStart)
{
    TestApp app{QString()};
    // Start as a new user: no settings folder at all.
    QDir(app.dataHome()).removeRecursively();
    QDir().mkpath(app.dataHome());
    AppState& state = app.state();
    ProgramFolder folder({"English.lng=English"});
    folder.add(QStringLiteral("update.vlp"), "[Main]\nVersion=2\n[Add]\nA1=Settings|savset|1\n");
    folder.add(QStringLiteral("structures.vlp"), "Name;Structure;\n");
    QDir().mkpath(SettingsFolderPath());
    // A user file that already exists is never replaced by the template.
    WriteTextFile(SettingsFolderPath() + QStringLiteral("structures.vlp"), "mine\n");
    WriteTextFile(SettingsFolderPath() + QStringLiteral("settings.vlp"),
                  "[Main]\nVersion=1\n[Settings]\nletters=ABC\nx=<<DELETE>>\n");
    const LanguageChoice choice = BeginInitialisation(state, folder.path());
    ASSERT_EQ(choice.outcome, LanguageChoice::Outcome::Chosen);
    CompleteInitialisation(state, choice.file);
    EXPECT_EQ(TextCodec::readFile(state.settingsFile), "[Main]\nVersion=2\n\n[Settings]\nletters=ABC\nsavset=1\n");
    EXPECT_EQ(TextCodec::readFile(state.settingsFolder + QStringLiteral("structures.vlp")), "mine\n");
    EXPECT_EQ(state.charClasses.upper, "ABC");
    EXPECT_EQ(state.statusText(1), "English %1");
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
            ASSERT_TRUE(WriteTextFile(root.filePath(file), QStringLiteral("[Main]\nlngname=English\n")));
        }
        QDir().mkpath(root.filePath(QStringLiteral("bin")));
        const QString folder = ProgramFolderFor(root.filePath(QStringLiteral("bin")));
        EXPECT_EQ(folder, expected.isEmpty() ? QStringLiteral(DIRWRIGHT_DATA_DIR "/")
                                             : root.path() + QLatin1Char('/') + expected);
    }
}

} // namespace
