#include "core/commit/RenameHistory.h"
#include "core/load/PowerFilterList.h"
#include "core/script/DialogValues.h"
#include "core/script/ScriptRecording.h"
#include "core/script/ScriptStore.h"
#include "core/settings/DateTimeFormats.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/SettingsUpdate.h"
#include "core/settings/TextCodec.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TestApp.h"
#include "support/WriteTextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Every routine that rewrites one of the program's files, with the write failing: the routine says so, the
// old file stays as it was and nothing is left beside it.
struct Row
{
    const char* name;
    const char* file; // in the settings folder
    const char* text; // its content before the write
    // Runs the routine; true when it reports success.
    std::function<bool(TestApp& app, const QString& path)> write;
};

DialogValues someValues()
{
    DialogValues values;
    values.set(QStringLiteral("txtPr"), QStringLiteral("x"));
    return values;
}

const Row kRows[] = {
    {"settings document", "settings.vlp", "[PowerFilter]\nf1=1*\n[DTFormats]\nf1=yyyy\n",
     [](TestApp& app, const QString& path) {
         // Filters, date formats and dialog values all reach the disk as one settings document.
         Settings settings = Settings::load(app.state().fs(), path);
         PowerFilterList filters = PowerFilterList::load(settings.document());
         filters.add(QStringLiteral("Photo*"));
         filters.store(settings.document());
         DateTimeFormats formats = LoadDateTimeFormats(settings.document());
         formats.userFormats().append(QStringLiteral("dd mm"));
         StoreUserFormats(formats, settings.document());
         ScriptStore::putSection(settings.document(), QStringLiteral("frmTest"), someValues());
         return settings.save(app.state().fs()) == Settings::SaveResult::Saved;
     }},
    {"settings update", "settings.vlp", "[Main]\nVersion=1\n",
     [](TestApp& app, const QString& path) {
         QTemporaryDir program;
         EXPECT_TRUE(WriteTextFile(program.filePath(QStringLiteral("update.vlp")),
                                   QStringLiteral("[Main]\nVersion=2\n[Add]\nA1=Settings|protren|1\n")));
         return ApplySettingsUpdate(app.state().fs(), program.path() + u'/', path) == SettingsUpdateResult::Applied;
     }},
    {"settings compaction", "settings.vlp", "[A]\nx=<<DELETE>>\n",
     [](TestApp& app, const QString& path) { return CompactSettingsFile(app.state().fs(), path); }},
    {"recording start", "script.tmp", "[Main]\nSteps=3\n",
     [](TestApp& app, const QString&) { return StartRecording(app.state()); }},
    {"recording step", "script.tmp", "[Main]\nSteps=0\n",
     [](TestApp& app, const QString& path) {
         return ScriptStore::appendStep(app.state().fs(), path, 5, someValues()) > 0;
     }},
    {"script name when stopping", "script.tmp", "[Main]\nSteps=1\n[1]\nType=5\ntxtPr=x\n",
     [](TestApp& app, const QString&) {
         return StopRecording(app.state(), QStringLiteral("Holiday")).outcome == StopResult::Outcome::Saved;
     }},
    {"protocol rewrite", "renamed.vlp", "20240131153045\"/p/\"a\"b\n",
     [](TestApp& app, const QString&) {
         RenameHistory history;
         history.LoadHistory(app.state());
         return history.deleteHistory(app.state());
     }},
    {"hidden list", ".hidden", "other\n",
     [](TestApp& app, const QString& path) {
         const QString folder = QFileInfo(path).path() + QStringLiteral("/shy");
         EXPECT_TRUE(QDir().mkpath(folder));
         return app.state().fs().setAttributes(folder, AttrHidden).ok();
     }},
};

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST(WriteFailures, TheRoutineReportsItTheOldFileStaysAndNothingIsLeftBeside)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        TestApp app;
        const QString path = app.settingsPath(QString::fromLatin1(row.file));
        ASSERT_TRUE(WriteTextFile(path, QString::fromLatin1(row.text)));
        auto fs = std::make_unique<FaultInjectingFileSystem>();
        fs->fail(FaultInjectingFileSystem::Op::WriteFile, path);
        app.state().services.fileSystem = std::move(fs);
        const QStringList before = entries(app.state().settingsFolder);

        EXPECT_FALSE(row.write(app, path));
        EXPECT_EQ(TextCodec::readFile(path), QString::fromLatin1(row.text));
        QStringList after = entries(app.state().settingsFolder);
        after.removeAll(QStringLiteral("shy"));
        after.removeAll(QStringLiteral("Script")); // stopping a recording makes the script folder first
        EXPECT_EQ(after, before);
    }
}

} // namespace
