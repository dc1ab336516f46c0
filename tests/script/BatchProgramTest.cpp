// The batch mode as users start it: the real program, in a process of its own, without a display.
#include "settings/SettingsStore.h"
#include "settings/TextCodec.h"
#include "support/TestTree.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BatchProgramTest : public ::testing::Test
{
protected:
    struct Result
    {
        int status = -1;
        QString out;
        QString err;
    };

    BatchProgramTest() { QDir().mkpath(settingsFolder()); }

    QString settingsFolder() const { return m_dataHome.path() + QStringLiteral("/Pellacorn/Dirwright/"); }
    void setSetting(const QString& key, const QString& value)
    {
        ASSERT_TRUE(WriteSetting(QStringLiteral("Settings"), key, value, settingsFolder() + "settings.vlp"));
    }

    Result dirwright(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dataHome.path());
        // No display of any kind: a batch run must not need one.
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(DIRWRIGHT_PROGRAM_DIR "/dirwright"), QStringList{"--batch"} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << "the batch run hung";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir m_dataHome;
    TestTree tree;
};

TEST_F(BatchProgramTest, ADryRunShowsWhatTheRealRunThenDoes)
{
    tree.add(QStringLiteral("Photos/2004 Summer/"));
    tree.add(QStringLiteral("Photos/Winter.old/"));
    tree.add(QStringLiteral("Photos/Winter.old/inside/"));
    setSetting(QStringLiteral("protren"), QStringLiteral("1"));
    const QStringList arguments{"--structure",
                                "<PATH> - <NAME><.EXT>",
                                "--structure",
                                "<LC><NAME></LC><.EXT>",
                                tree.path("Photos/Winter.old/inside/"),
                                tree.path("Photos/Winter.old"),
                                tree.path("Photos/2004 Summer")};
    const QString photos = tree.key(QStringLiteral("Photos"));
    const QString expected = photos + "\t2004 Summer\tphotos - 2004 summer\n" + photos +
                             "\tWinter.old\tphotos - winter.old\n" + tree.key("Photos/Winter.old") +
                             "\tinside\twinter.old - inside\n";

    Result r = dirwright(QStringList{"--dry-run"} + arguments);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(tree.folders(QStringLiteral("Photos")), QStringList({"2004 Summer", "Winter.old"}));

    r = dirwright(arguments);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(tree.folders(QStringLiteral("Photos")), QStringList({"photos - 2004 summer", "photos - winter.old"}));
    EXPECT_EQ(tree.folders(QStringLiteral("Photos/photos - winter.old")), QStringList({"winter.old - inside"}));
    // The protocol of the window: stamp, parent, old and new name per rename, the child under its new parent.
    const QStringList lines = TextCodec::readFile(settingsFolder() + "renamed.vlp").split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(2).section('"', 1), tree.key("Photos/photos - winter.old") + "\"inside\"winter.old - inside");
    EXPECT_EQ(lines.at(0).section('"', 0, 0).size(), 14);
}

TEST_F(BatchProgramTest, WrongOptionsGiveStatusTwoAndRenameNothing)
{
    tree.add(QStringLiteral("P/a/"));
    for (const QStringList& arguments :
         {QStringList{"--structure", "x", "--frobnicate", tree.path("P/a")}, QStringList{tree.path("P/a")}}) {
        const Result r = dirwright(arguments);
        EXPECT_EQ(r.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(r.err.endsWith("\"dirwright --batch --help\" shows every option.\n")) << r.err.toStdString();
        EXPECT_EQ(r.out, QString());
    }
    EXPECT_EQ(tree.folders(QStringLiteral("P")), QStringList({"a"}));
}

TEST_F(BatchProgramTest, HelpSpeaksTheLanguageOfTheSettings)
{
    Result r = dirwright({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("Usage: dirwright --batch (--script SCRIPT | --structure TEXT)..."))
        << r.out.toStdString();

    setSetting(QStringLiteral("lng"), QStringLiteral("Deutsch"));
    r = dirwright({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("Aufruf: dirwright --batch (--script SKRIPT | --structure TEXT)..."))
        << r.out.toStdString();
    for (const char* option : {"--script", "--structure", "--dry-run", "--subfolders", "--list", "--sort", "--help"})
        EXPECT_TRUE(r.out.contains(QLatin1String(option))) << option;
    for (const QString& line : r.out.split('\n'))
        EXPECT_LE(line.size(), 79) << line.toStdString();
    r = dirwright({"--structure", "x", "--sort", "farbe"});
    EXPECT_EQ(r.err, QStringLiteral("Unbekannter Sortierschlüssel „farbe“; möglich sind: none, name, path, created, "
                                    "modified, size.\n„dirwright --batch --help“ zeigt alle Optionen.\n"));

    // A language the settings do not name is not asked for: English.
    setSetting(QStringLiteral("lng"), QStringLiteral("Klingon"));
    r = dirwright({"-h"});
    EXPECT_TRUE(r.out.startsWith("Usage:")) << r.out.toStdString();
}

TEST(BatchProgramStart, TheWindowsHelpMentionsTheBatchMode)
{
    QProcess process;
    process.start(QStringLiteral(DIRWRIGHT_PROGRAM_DIR "/dirwright"), {"--help"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).contains("dirwright --batch --help"));
}

} // namespace
