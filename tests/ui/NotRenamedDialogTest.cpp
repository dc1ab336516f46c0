#include "commit/NotRenamedDialog.h"

#include "app/PreviewList.h"
#include "commit/CommitTestSupport.h"
#include "settings/SettingsStore.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
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
    QString stored(const QString& key)
    {
        return ReadSetting(QStringLiteral("frmNotRenamed"), key, app.state().settingsFile);
    }
    static void click(QWidget* dialog, const char* name)
    {
        auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    TestApp app;
    TestTree tree{{QStringLiteral("a/"), QStringLiteral("b/"), QStringLiteral("c/"), QStringLiteral("taken/")}};
    PreviewList list;
    CommitReport report;
};

TEST_F(NotRenamedDialogTest, ListsNumberedFailuresWithBothPathsQuoted)
{
    NotRenamedDialog dialog(app.state(), list, report);
    EXPECT_EQ(dialog.objectName(), QStringLiteral("frmNotRenamed"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Folders not renamed"));
    auto* rows = dialog.findChild<QTableWidget*>(QStringLiteral("lstNotRenamed"));
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->item(0, 0)->text(), QStringLiteral("1"));
    const QString r = tree.root() + QLatin1Char('/');
    EXPECT_EQ(rows->item(0, 1)->text(), QStringLiteral("exists \"%1b/\" -> \"%1taken/\"").arg(r));
    EXPECT_EQ(rows->horizontalHeaderItem(1)->text(), QStringLiteral("Reason"));
    EXPECT_TRUE(dialog.findChild<QRadioButton*>(QStringLiteral("optNoAction"))->isChecked());
}

TEST_F(NotRenamedDialogTest, RemovesTheProcessedEntriesOnlyAndRemembersTheChoice)
{
    {
        NotRenamedDialog dialog(app.state(), list, report);
        dialog.findChild<QRadioButton*>(QStringLiteral("optRemoveRenamed"))->setChecked(true);
        click(&dialog, "cmdOK");
        EXPECT_TRUE(dialog.listChanged());
    }
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.entry(0).key, tree.key(QStringLiteral("c")));
    EXPECT_EQ(list.rowOfKey(tree.key(QStringLiteral("c"))), 0);
    EXPECT_EQ(stored(QStringLiteral("optRemoveRenamed")), QStringLiteral("-1"));
    EXPECT_EQ(stored(QStringLiteral("optNoAction")), QString());
    EXPECT_FALSE(app.state().saveDialogSettings); // remembered even so

    // Offered again; keys no longer in the list are skipped.
    NotRenamedDialog again(app.state(), list, report);
    EXPECT_TRUE(again.findChild<QRadioButton*>(QStringLiteral("optRemoveRenamed"))->isChecked());
    again.findChild<QRadioButton*>(QStringLiteral("optNoAction"))->setChecked(true);
    click(&again, "cmdOK");
    EXPECT_FALSE(again.listChanged());
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(stored(QStringLiteral("optRemoveRenamed")), QString());
    EXPECT_EQ(stored(QStringLiteral("optNoAction")), QStringLiteral("-1"));
}

TEST_F(NotRenamedDialogTest, CancelChangesNothing)
{
    NotRenamedDialog dialog(app.state(), list, report);
    dialog.findChild<QRadioButton*>(QStringLiteral("optRemoveRenamed"))->setChecked(true);
    click(&dialog, "cmdCancel");
    EXPECT_FALSE(dialog.listChanged());
    EXPECT_EQ(list.size(), 3);
    EXPECT_EQ(stored(QStringLiteral("optRemoveRenamed")), QString());
}

TEST_F(NotRenamedDialogTest, TellsOnceWhenTheProtocolFailedAndShowsNothingWithoutFailures)
{
    CommitReport clean;
    EXPECT_FALSE(NotRenamedDialog::showReport(app.state(), list, clean, nullptr));
    EXPECT_TRUE(app.prompter().asked().isEmpty());

    clean.protocolFailed = true;
    app.prompter().expectButton(Prompter::Ok);
    EXPECT_FALSE(NotRenamedDialog::showReport(app.state(), list, clean, nullptr));
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().at(0).text,
              QStringLiteral("protocol \"%1\"").arg(app.settingsPath(QStringLiteral("renamed.vlp"))));
    EXPECT_EQ(app.prompter().asked().at(0).icon, Prompter::Icon::Warning);
}

TEST(NotRenamedDialogGermanTest, TakesItsTextsFromTheLanguageFile)
{
    TestApp app(QStringLiteral("Deutsch.lng"));
    PreviewList list;
    NotRenamedDialog dialog(app.state(), list, CommitReport{});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Nicht umbenannte Ordner"));
    EXPECT_EQ(dialog.findChild<QTableWidget*>(QStringLiteral("lstNotRenamed"))->horizontalHeaderItem(0)->text(),
              QStringLiteral("Nr."));
    EXPECT_EQ(dialog.findChild<QRadioButton*>(QStringLiteral("optNoAction"))->text(),
              QStringLiteral("Liste unverändert lassen"));
}

} // namespace
