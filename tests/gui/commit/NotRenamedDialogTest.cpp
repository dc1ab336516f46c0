#include "gui/commit/NotRenamedDialog.h"

#include "core/commit/CommitTestSupport.h"
#include "core/preview/PreviewList.h"
#include "core/settings/SettingsStore.h"
#include "gui/GuiTestApp.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

class NotRenamedDialogTest : public ::testing::Test
{
protected:
    NotRenamedDialogTest()
    {
        useTestMessages(app);
        // One rename that works, one onto a taken name, one entry without a change.
        list.append(entryFor(tree, QStringLiteral("a"), QStringLiteral("a1")));
        list.append(entryFor(tree, QStringLiteral("b"), QStringLiteral("taken")));
        list.append(entryFor(tree, QStringLiteral("c")));
        report = CommitRenames(app.state(), list, kAllEntries);
    }

    GuiTestApp app;
    TestTree tree{{QStringLiteral("a/"), QStringLiteral("b/"), QStringLiteral("c/"), QStringLiteral("taken/")}};
    PreviewList list;
    CommitReport report;
};

TEST_F(NotRenamedDialogTest, ListsTheFailuresAndRemovesTheProcessedEntriesOnOK)
{
    {
        NotRenamedDialog dialog(app.state(), list, report);
        auto* rows = dialog.findChild<QTableWidget*>(QStringLiteral("lstNotRenamed"));
        ASSERT_EQ(rows->rowCount(), 1);
        EXPECT_EQ(rows->item(0, 1)->text(),
                  QStringLiteral("exists \"%1b/\" -> \"%1taken/\"").arg(tree.root() + QLatin1Char('/')));
        EXPECT_TRUE(dialog.findChild<QRadioButton*>(QStringLiteral("optNoAction"))->isChecked());
    }
    const auto answer = [&](const char* option, const char* button) {
        NotRenamedDialog dialog(app.state(), list, report);
        dialog.findChild<QRadioButton*>(QLatin1String(option))->setChecked(true);
        QTest::mouseClick(dialog.findChild<QAbstractButton*>(QLatin1String(button)), Qt::LeftButton);
        return dialog.listChanged();
    };
    const auto stored = [&](const char* key) {
        return ReadSetting(QStringLiteral("frmNotRenamed"), QLatin1String(key), app.state().settingsFile);
    };
    EXPECT_FALSE(answer("optRemoveRenamed", "cmdCancel"));
    EXPECT_EQ(list.size(), 3);

    EXPECT_TRUE(answer("optRemoveRenamed", "cmdOK"));
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.rowOfKey(tree.key(QStringLiteral("c"))), 0);
    EXPECT_EQ(stored("optRemoveRenamed"), QStringLiteral("-1")); // remembered without the option to keep values

    // Offered again; keys no longer in the list are skipped.
    EXPECT_TRUE(NotRenamedDialog(app.state(), list, report)
                    .findChild<QRadioButton*>(QStringLiteral("optRemoveRenamed"))
                    ->isChecked());
    EXPECT_FALSE(answer("optNoAction", "cmdOK"));
    EXPECT_EQ((QStringList{stored("optRemoveRenamed"), stored("optNoAction")}), (QStringList{"", "-1"}));
}

TEST_F(NotRenamedDialogTest, TellsOnceWhenTheProtocolFailedAndShowsNothingWithoutFailures)
{
    CommitReport clean;
    EXPECT_FALSE(NotRenamedDialog::showReport(app.state(), app.prompter(), list, clean, nullptr));
    EXPECT_TRUE(app.prompter().asked().isEmpty());

    clean.protocolFailed = true;
    app.prompter().expectButton(Prompter::Ok);
    EXPECT_FALSE(NotRenamedDialog::showReport(app.state(), app.prompter(), list, clean, nullptr));
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().at(0).text,
              QStringLiteral("protocol \"%1\"").arg(app.settingsPath(QStringLiteral("renamed.vlp"))));
}

} // namespace
