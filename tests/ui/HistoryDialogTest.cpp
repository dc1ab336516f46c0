#include "commit/HistoryDialog.h"

#include "commit/CommitTestSupport.h"
#include "commit/RenameHistory.h"
#include "settings/TextCodec.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

class HistoryDialogTest : public ::testing::Test
{
protected:
    HistoryDialogTest()
    {
        useTestMessages(app);
        const QString root = tree.root() + QLatin1Char('/');
        // Renamed x to y, then z to w (gone since), then q to Q with q taken again by now.
        const QString text = QStringLiteral("20240131153045\"%1\"x\"y\n"
                                            "20240131153046\"%1\"z\"w\n"
                                            "20240131153047\"%1\"q\"Q\n")
                                 .arg(root);
        EXPECT_TRUE(TextCodec::writeFileAtomically(app.settingsPath(QStringLiteral("renamed.vlp")), text));
    }
    QPushButton* button(HistoryDialog& dialog, const char* name)
    {
        return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void selectRow(HistoryDialog& dialog, int row)
    {
        dialog.list()->selectionModel()->select(dialog.history().index(row, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    TestApp app;
    TestTree tree{{QStringLiteral("y/"), QStringLiteral("Q/"), QStringLiteral("q/")}};
};

TEST_F(HistoryDialogTest, OpensSortedByTimeWithButtonsFollowingRowsAndSelection)
{
    HistoryDialog dialog(app.state());
    EXPECT_EQ(dialog.objectName(), QStringLiteral("frmHistory"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Rename history"));
    EXPECT_EQ(dialog.history().size(), 3);
    EXPECT_EQ(dialog.list()->header()->sortIndicatorSection(), 0);
    EXPECT_EQ(dialog.history().headerData(RenameHistory::ColOldName, Qt::Horizontal).toString(),
              QStringLiteral("Old name"));
    EXPECT_EQ(button(dialog, "cmdUndoRenaming")->text(), QStringLiteral("&Undo renaming"));
    EXPECT_FALSE(button(dialog, "cmdUndoRenaming")->isEnabled());
    EXPECT_TRUE(button(dialog, "cmdDeleteHistory")->isEnabled());
    selectRow(dialog, 1);
    EXPECT_TRUE(button(dialog, "cmdUndoRenaming")->isEnabled());
}

TEST_F(HistoryDialogTest, HeaderClicksSortAndTurnTheOrderRound)
{
    HistoryDialog dialog(app.state());
    QHeaderView* header = dialog.list()->header();
    const int x = header->sectionViewportPosition(RenameHistory::ColNewName) + 5;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    EXPECT_EQ(header->sortIndicatorSection(), RenameHistory::ColNewName);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(dialog.history().text(0, RenameHistory::ColNewName), QStringLiteral("Q"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(dialog.history().text(0, RenameHistory::ColNewName), QStringLiteral("y"));
}

TEST_F(HistoryDialogTest, UndoAsksThenReportsEachFailure)
{
    HistoryDialog dialog(app.state());
    selectRow(dialog, 0); // y back to x: works
    selectRow(dialog, 2); // Q back to q: q exists
    app.prompter().expectButton(Prompter::Yes);
    app.prompter().expectButton(Prompter::Ok);
    QTest::mouseClick(button(dialog, "cmdUndoRenaming"), Qt::LeftButton);

    const auto& asked = app.prompter().asked();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked.at(0).text, QStringLiteral("undo history?\n\nsure"));
    EXPECT_EQ(asked.at(0).title, QStringLiteral("Attention"));
    EXPECT_EQ(asked.at(0).defaultButton, Prompter::No);
    EXPECT_EQ(asked.at(0).icon, Prompter::Icon::Warning);
    const QString r = tree.root() + QLatin1Char('/');
    EXPECT_EQ(asked.at(1).text, QStringLiteral("exists \"%1Q/\" -> \"%1q/\"").arg(r));
    EXPECT_TRUE(tree.isFolder(QStringLiteral("x")));
    EXPECT_EQ(dialog.history().size(), 2);
    EXPECT_FALSE(button(dialog, "cmdUndoRenaming")->isEnabled());
}

TEST_F(HistoryDialogTest, NoKeepsEverythingAndYesDeletesTheHistory)
{
    HistoryDialog dialog(app.state());
    app.prompter().expectButton(Prompter::No);
    QTest::mouseClick(button(dialog, "cmdDeleteHistory"), Qt::LeftButton);
    EXPECT_EQ(dialog.history().size(), 3);
    app.prompter().expectButton(Prompter::Yes);
    QTest::mouseClick(button(dialog, "cmdDeleteHistory"), Qt::LeftButton);
    EXPECT_EQ(app.prompter().asked().at(1).text, QStringLiteral("delete history?\n\nsure"));
    EXPECT_EQ(dialog.history().size(), 0);
    EXPECT_EQ(QFileInfo(app.settingsPath(QStringLiteral("renamed.vlp"))).size(), 0);
    EXPECT_FALSE(button(dialog, "cmdDeleteHistory")->isEnabled());
}

TEST(HistoryDialogGermanTest, TakesItsTextsFromTheLanguageFile)
{
    TestApp app(QStringLiteral("Deutsch.lng"));
    HistoryDialog dialog(app.state());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Umbenennungsverlauf"));
    EXPECT_EQ(dialog.history().headerData(RenameHistory::ColNewName, Qt::Horizontal).toString(),
              QStringLiteral("Neuer Name"));
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("cmdDeleteHistory"))->text(),
              QStringLiteral("Verlauf &löschen"));
}

} // namespace
