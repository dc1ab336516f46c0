// The batch mode as users start it: the real program, in a process of its own, without a display.
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"
#include "support/TestTree.h"
#include "support/WriteTextFile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BatchProgramTest : public ::testing::Test
{
protected:
    BatchProgramTest() { QDir().mkpath(settingsFolder() + "Script"); }
    QString settingsFolder() const { return m_dataHome.path() + QStringLiteral("/Pellacorn/Dirwright/"); }
    void setSetting(const char* key, const char* value)
    {
        ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Settings", key, value, settingsFolder() + "settings.vlp"));
    }
    // Runs the program and keeps what it prints; returns the exit status. With stdoutFile the changes go
    // to that file instead.
    int dirwright(const QStringList& arguments, const QString& stdoutFile = QString())
    {
        QProcess process;
        if (!stdoutFile.isEmpty())
            process.setStandardOutputFile(stdoutFile);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dataHome.path());
        // No display of any kind: a batch run must not need one.
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(DIRWRIGHT_PROGRAM_DIR "/dirwright"), QStringList{"--batch"} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << "the batch run hung";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        out = QString::fromUtf8(process.readAllStandardOutput());
        err = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }
    QTemporaryDir m_dataHome;
    QString out, err;
};

TEST_F(BatchProgramTest, ADryRunShowsWhatTheRealRunThenDoes)
{
    TestTree tree({"Photos/2004 Summer/", "Photos/Winter.old/inside/"});
    setSetting("protren", "1");
    // A script as brought over from Windows: line ends "\r\n", blanks as the stand-in byte 0x90 of the
    // single-byte code page. Lower case on both parts, prefix "x ", new extension "bak" after the old.
    QFile script(settingsFolder() + "Script/20240131153045.vls");
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("[Main]\r\nSteps=3\r\nName=Tidy up\r\n\r\n[1]\r\nType=4\r\nopt1(4)=-1\r\nopt2(3)=-1\r\n\r\n"
                 "[2]\r\nType=5\r\ntxtPr=x\x90\r\n\r\n[3]\r\nType=3\r\noptFE(1)=-1\r\ntxtFE=.bak\r\nchkAddOldFE=1\r\n");
    script.close();
    const QStringList arguments = QStringList{"--structure", "<PATH> - <NAME><.EXT>", "--script", "20240131153045"}
                                  << tree.path("Photos/Winter.old/inside/") << tree.path("Photos/Winter.old")
                                  << tree.path("Photos/2004 Summer");
    const QString photos = tree.key("Photos");
    const QString expected = photos + "\t2004 Summer\tx photos - 2004 summer.bak\n" + photos +
                             "\tWinter.old\tx photos - winter.old.bak\n" + tree.key("Photos/Winter.old") +
                             "\tinside\tx winter.old - inside.bak\n";
    EXPECT_EQ(dirwright(QStringList{"--dry-run"} + arguments), 0) << err.toStdString();
    EXPECT_EQ(out, expected);
    EXPECT_EQ(tree.folders("Photos"), QStringList({"2004 Summer", "Winter.old"}));
    EXPECT_EQ(dirwright(arguments), 0) << err.toStdString();
    EXPECT_EQ(out + err, expected);
    EXPECT_EQ(tree.folders("Photos") + tree.folders("Photos/x photos - winter.old.bak"),
              QStringList({"x photos - 2004 summer.bak", "x photos - winter.old.bak", "x winter.old - inside.bak"}));
    // The protocol of the window: stamp, parent, old and new name per rename, the child under its new parent.
    const QStringList lines = TextCodec::readFile(settingsFolder() + "renamed.vlp").split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(2).section('"', 1),
              tree.key("Photos/x photos - winter.old.bak") + "\"inside\"x winter.old - inside.bak");
    EXPECT_EQ(lines.at(0).section('"', 0, 0).size(), 14);
}

TEST_F(BatchProgramTest, AFullStandardOutputGivesStatusTwoAndRenamesNothing)
{
    TestTree tree({"P/a/"});
    EXPECT_EQ(dirwright({"--structure", "b", tree.path("P/a")}, QStringLiteral("/dev/full")), 2);
    EXPECT_TRUE(err.startsWith("The list of changes could not be written to the standard output")) << err.toStdString();
    EXPECT_EQ(tree.folders("P"), QStringList({"a"}));
}

// Not a byte is written: the settings keep the key marked for deletion, no template is copied in.
TEST_F(BatchProgramTest, ADryRunWritesNoFileAtAll)
{
    TestTree tree({"P/a/"});
    const QString settings = settingsFolder() + "settings.vlp";
    const QByteArray stored = "[Settings]\nprotren=1\nold=<<DELETE>>\n";
    {
        QFile file(settings);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(stored);
    }
    EXPECT_EQ(dirwright({"--dry-run", "--structure", "b", tree.path("P/a")}), 0) << err.toStdString();
    EXPECT_EQ(out, tree.key("P") + "\ta\tb\n");
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), stored);
    EXPECT_EQ(QDir(settingsFolder()).entryList(QDir::Files), QStringList({"settings.vlp"}));
    EXPECT_EQ(tree.folders("P"), QStringList({"a"}));
}

TEST_F(BatchProgramTest, WrongOptionsGiveStatusTwoAndRenameNothing)
{
    TestTree tree({"P/a/"});
    for (const QStringList& arguments :
         {QStringList{"--structure", "x", "--frobnicate", tree.path("P/a")}, QStringList{tree.path("P/a")}}) {
        EXPECT_EQ(dirwright(arguments), 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(err.endsWith("\"dirwright --batch --help\" shows every option.\n")) << err.toStdString();
        EXPECT_EQ(out, QString());
    }
    EXPECT_EQ(tree.folders("P"), QStringList({"a"}));
}

TEST_F(BatchProgramTest, HelpAndErrorsSpeakTheLanguageOfTheSettings)
{
    setSetting("lng", "Deutsch");
    EXPECT_EQ(dirwright({"--help"}), 0);
    EXPECT_TRUE(out.startsWith("Aufruf: dirwright --batch (--script SKRIPT | --structure TEXT |\n"
                               "        --structure-name NAME | --csv DATEI)..."))
        << out.toStdString();
    EXPECT_TRUE(out.contains("\n  --structure-name NAME jedem Ordner den Namen geben, den eine Struktur Ihrer"))
        << out.toStdString();
    dirwright({"--structure", "x", "--sort", "farbe"});
    EXPECT_EQ(err, QStringLiteral("Unbekannter Sortierschlüssel „farbe“; möglich sind: none, name, path, created, "
                                  "modified, size.\n„dirwright --batch --help“ zeigt alle Optionen.\n"));
    // A language the settings do not name is not asked for: English.
    setSetting("lng", "Klingon");
    dirwright({"-h"});
    EXPECT_TRUE(out.startsWith("Usage: dirwright --batch")) << out.toStdString();
}

// A damaged settings file turns the history off: the run says so on stderr and leaves the file alone.
TEST_F(BatchProgramTest, ADamagedSettingsFileIsReportedAndLeftAsItIs)
{
    TestTree tree({"a/"});
    const QByteArray damaged("[Settings]\nprotren=1\n\0\0garbage", 30);
    ASSERT_TRUE(FixtureFileSystem().writeFileAtomic(settingsFolder() + "settings.vlp", damaged).ok());
    EXPECT_EQ(dirwright({"--structure", "<NAME>1", tree.path("a")}), 0);
    EXPECT_TRUE(err.contains(settingsFolder() + "settings.vlp")) << err.toStdString();
    EXPECT_EQ(err.count('\n'), 1) << "once";
    QFile file(settingsFolder() + "settings.vlp");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
}

} // namespace
