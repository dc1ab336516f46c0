#include "core/preview/PreviewList.h"
#include "gui/folderops/CreateSubFoldersDialog.h"
#include "gui/folderops/TransferProgressDialog.h"
#include "gui/mainwindow/FolderOpsController.h"
#include "gui/mainwindow/MainWindowFixture.h"
#include "gui/mainwindow/MainWindowUi.h"
#include "support/TestTree.h"

#include <QClipboard>
#include <QMimeData>

namespace {

class FolderOpsTest : public MainWindowFixture
{
protected:
    void SetUp() override { open(); }
    FolderOpsController& controller() { return window->folderOpsController(); }
    // The next dialog is worked with these steps; the run says whether it was accepted.
    void answer(const QStringList& steps)
    {
        controller().setDialogRunner([steps](QDialog& dialog) {
            operate(dialog, steps);
            return dialog.result();
        });
    }
    void list(const TestTree& tree, std::initializer_list<const char*> folders)
    {
        for (const char* f : folders) {
            const QString path = tree.path(QString::fromUtf8(f));
            const int slash = static_cast<int>(path.lastIndexOf(QLatin1Char('/')));
            window->list().append(MakeEntry(path.left(slash + 1), path.mid(slash + 1)));
        }
        window->refreshPreview();
    }
};

TEST_F(FolderOpsTest, CopyPutsTheFoldersIntoTheTargetAndTheListCanFollow)
{
    TestTree tree({"a/Trip/x.jpg=10", "b/Party/", "T/"});
    list(tree, {"a/Trip", "b/Party"});
    answer({"txtTargetPath=" + tree.path("T"), "chkUpdateList", "cmdOK"});
    controller().copyFolders();
    EXPECT_TRUE(tree.exists("T/Trip/x.jpg") && tree.exists("a/Trip/x.jpg") && tree.isFolder("T/Party"));
    EXPECT_EQ(Keys(window->list()), QStringList({tree.key("T/Party"), tree.key("T/Trip")})); // sorted by name
    EXPECT_EQ(setting("frmCopyFolders", "txtTargetPath"), tree.path("T"));
}

TEST_F(FolderOpsTest, SameNamesStopCopyingBeforeAnythingHappens)
{
    TestTree tree({"a/Trip/", "b/Trip/", "T/"});
    list(tree, {"a/Trip", "b/Trip"});
    app.prompter().expectButton(Prompter::Ok);
    answer({"txtTargetPath=" + tree.path("T"), "cmdOK"});
    controller().copyFolders();
    EXPECT_EQ(app.prompter().asked().value(0).text, message("MsgText26"));
    EXPECT_EQ(tree.folders("T"), QStringList());
}

TEST_F(FolderOpsTest, ExistingTargetIsSkippedAndKeepsItsContent)
{
    TestTree tree({"a/Trip/new=3", "b/Party/", "T/Trip/old=5"});
    list(tree, {"a/Trip", "b/Party"});
    app.prompter().expectButton(Prompter::Yes); // skip this one
    answer({"txtTargetPath=" + tree.path("T"), "cmdOK"});
    controller().moveFolders();
    EXPECT_TRUE(app.prompter().asked().value(0).text.contains(tree.path("T/Trip")));
    EXPECT_TRUE(tree.exists("T/Trip/old") && !tree.exists("T/Trip/new"));
    EXPECT_TRUE(tree.exists("a/Trip/new"));
    // The moved folder is followed; the skipped one still names its own folder.
    EXPECT_EQ(Keys(window->list()), QStringList({tree.key("a/Trip"), tree.key("T/Party")}));
}

TEST_F(FolderOpsTest, CancelInTheProgressWindowStopsTheWork)
{
    TestTree tree({"a/Trip/x=10", "T/"});
    list(tree, {"a/Trip"});
    answer({"txtTargetPath=" + tree.path("T"), "cmdOK"});
    controller().setTransferRunner([](TransferProgressDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        return dialog.run();
    });
    controller().copyFolders();
    EXPECT_EQ(QDir(tree.path("T")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    EXPECT_TRUE(tree.exists("a/Trip/x"));
}

TEST_F(FolderOpsTest, DeleteAsksFirstAndTakesListedSubfoldersAlong)
{
    TestTree tree({"a/Trip/Day 1/", "b/Party/"});
    list(tree, {"a/Trip", "a/Trip/Day 1", "b/Party"});
    select(0);
    window->ui().lstApplyTo->setCurrentIndex(1);
    app.prompter().expectButton(Prompter::No);
    controller().DeleteFolders(false);
    EXPECT_TRUE(tree.isFolder("a/Trip"));
    EXPECT_EQ(window->list().size(), 3);

    app.prompter().expectButton(Prompter::Yes);
    controller().DeleteFolders(false);
    EXPECT_FALSE(tree.exists("a/Trip"));
    EXPECT_EQ(Keys(window->list()), QStringList({tree.key("b/Party")}));
    EXPECT_EQ(app.prompter().asked().value(1).defaultButton, Prompter::No);
}

TEST_F(FolderOpsTest, SubfoldersAreCreatedInSelectedFoldersAndLoaded)
{
    TestTree tree({"a/", "b/"});
    list(tree, {"a", "b"});
    select(1);
    answer({"txtSubFolder=/Raw///Day", "txtCount=007", "chkCreateAndLoad", "cmdOK"});
    controller().CreateSubFolders();
    EXPECT_EQ(tree.folders("b/Raw"), QStringList({"Day1", "Day2", "Day3", "Day4", "Day5", "Day6", "Day7"}));
    EXPECT_EQ(tree.folders("a"), QStringList());
    EXPECT_EQ(window->list().size(), 9);
}

TEST_F(FolderOpsTest, CountFieldIsTidiedWhenLeft)
{
    CreateSubFoldersDialog dialog(app.state(), app.prompter());
    auto* count = dialog.findChild<QLineEdit*>(QStringLiteral("txtCount"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    EXPECT_FALSE(ok->isEnabled());
    dialog.findChild<QLineEdit*>(QStringLiteral("txtSubFolder"))->setText(QStringLiteral("  "));
    EXPECT_FALSE(ok->isEnabled());
    for (const auto& [typed, tidy] : {std::pair{"007", "7"}, std::pair{"", "1"}}) {
        count->setText(QLatin1String(typed));
        Q_EMIT count->editingFinished();
        EXPECT_EQ(count->text(), QLatin1String(tidy));
    }
}

TEST_F(FolderOpsTest, ExportPutsRichAndPlainTextOnTheClipboard)
{
    addEntries({"par x", "Café"}, QStringLiteral("/p\\q/"));
    answer({"optFormatFormattedText", "cmdOK"});
    app.prompter().expectButton(Prompter::Ok);
    controller().ExportList();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data(QStringLiteral("text/rtf")).endsWith("\\par /p\\\\q/Caf\\u233?/\\par /p\\\\q/par x/}"));
    EXPECT_TRUE(data->text().endsWith(QStringLiteral("\r\n\r\n/p\\q/Café/\r\n/p\\q/par x/")));
    EXPECT_TRUE(data->text().startsWith(QStringLiteral("Dirwright:  2024-01-31, 15:30:45\r\n")));
    EXPECT_EQ(app.prompter().asked().value(0).text, message("MsgText35"));
    EXPECT_EQ(setting("frmFileList", "optFormatFormattedText"), QStringLiteral("-1"));
}

} // namespace
