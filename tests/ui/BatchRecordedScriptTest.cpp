// A script recorded in the window, replayed by the batch mode on the folders themselves, gives the names
// the window's dialogs gave.
#include "RenameDialogsFixture.h"

#include "platform/FileNames.h"
#include "script/BatchOptions.h"
#include "script/BatchRun.h"
#include "script/ScriptStore.h"
#include "support/TestTree.h"

#include <QBuffer>
#include <QCheckBox>
#include <QRadioButton>

namespace {

using BatchRecordedScript = RenameDialogsFixture;

TEST_F(BatchRecordedScript, GivesTheNamesTheWindowGave)
{
    TestTree tree({"Photos/my trip.abc/", "Photos/Home/", "Photos/x.y.z/"});
    const QString photos = tree.key(QStringLiteral("Photos"));
    open();
    for (const QString& name : tree.folders(QStringLiteral("Photos")))
        add(photos, name);
    window->refreshPreview();

    item("mnuStartRecordScript")->trigger();
    answerDialogs([](QDialog& d) {
        const auto choose = [&d](const char* name) { d.findChild<QRadioButton*>(QLatin1String(name))->click(); };
        if (d.objectName() == QLatin1String("frmPrefixSuffix")) {
            type(d, "txtPr", QStringLiteral("  1 "));
            type(d, "txtSu", QStringLiteral(" end"));
        } else if (d.objectName() == QLatin1String("frmULCase")) {
            choose("opt1(2)");
            choose("opt2(3)");
        } else {
            choose("optFE(1)");
            type(d, "txtFE", QStringLiteral("bak"));
            d.findChild<QCheckBox*>(QStringLiteral("chkAddOldFE"))->setChecked(true);
        }
        press(d, "cmdOK");
    });
    button("Rename05")->trigger();
    item("mnuRename04")->trigger();
    item("mnuRename03")->trigger();
    QStringList byWindow = newNames();
    app.prompter().expectText(QStringLiteral("Photos"));
    window->ui().scriptButton(QStringLiteral("StopRecordScript"))->trigger();
    const QString script = ScriptStore::scriptFolder(app.state()) + QStringLiteral("20240131153045.vls");
    ASSERT_TRUE(QFile::exists(script));

    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    BatchRun run(app.state(), out, err);
    EXPECT_EQ(run.run(ParseBatchArguments({"--script", script, "--sort", "name", tree.path("Photos/Home"),
                                           tree.path("Photos/my trip.abc"), tree.path("Photos/x.y.z")})),
              BatchRun::Done)
        << err.data().toStdString();
    QStringList byBatch;
    for (const QString& line : FileNames::decode(out.data()).split('\n', Qt::SkipEmptyParts))
        byBatch.append(line.section('\t', 2));
    byWindow.sort();
    byBatch.sort();
    EXPECT_EQ(byBatch, byWindow);
    EXPECT_EQ(byBatch, QStringList({"  1 Home End.bak", "  1 My Trip End.Abc.bak", "  1 X.Y End.Z.bak"}));
    EXPECT_EQ(tree.folders(QStringLiteral("Photos")), byWindow);
}

} // namespace
