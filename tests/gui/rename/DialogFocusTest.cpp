#include "gui/mainwindow/EveryDialog.h"
#include "gui/mainwindow/MainWindowFixture.h"
#include "gui/rename/RenameDialog.h"

namespace {

using DialogFocus = MainWindowFixture;

// Typing goes into the first field a rename dialog shows (of options, the chosen one); OK has the focus
// only while a script runs.
TEST_F(DialogFocus, RenameDialogsOpenOnTheirFirstFieldAndOkOnlyForAScript)
{
    const std::map<QString, QString> firstField{{"frmFolderExtension", "txtFE"}, {"frmULCase", "opt1(1)"},
                                                {"frmPrefixSuffix", "txtPr"},    {"frmEditMan", "txtFileName"},
                                                {"frmNumber", "txtInit"},        {"frmDateTime", "cmbSource"}};
    open();
    addEntries({"a", "b"});
    for (const int runMode : {0, 2}) {
        window->session().scriptRunMode = runMode;
        int seen = 0;
        ForEveryDialog(app.state(), app.prompter(), *window, QStringLiteral("/p/"), [&](QDialog& dialog, DialogTitle) {
            const auto* rename = qobject_cast<RenameDialog*>(&dialog);
            if (!rename && dialog.objectName() != QLatin1String("frmEditMan"))
                return;
            SCOPED_TRACE(dialog.objectName().toStdString() + " run mode " + std::to_string(runMode));
            ++seen;
            dialog.show();
            const QWidget* focus = dialog.focusWidget();
            ASSERT_NE(focus, nullptr);
            if (rename && runMode != 0) {
                EXPECT_EQ(focus->objectName(), QStringLiteral("cmdOK"));
            } else {
                // Every dialog: a field of its own; those known here: the very field.
                EXPECT_EQ(qobject_cast<const QPushButton*>(focus), nullptr) << focus->objectName().toStdString();
                if (firstField.count(dialog.objectName())) {
                    EXPECT_EQ(focus->objectName(), firstField.at(dialog.objectName()));
                }
            }
            dialog.hide();
        });
        EXPECT_GE(seen, 4);
    }
}

} // namespace
