#include "gui/commit/HistoryDialog.h"

#include "core/commit/CommitTestSupport.h"
#include "core/commit/RenameHistory.h"
#include "gui/GuiTestApp.h"
#include "support/WriteTextFile.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

using namespace CommitTestSupport;

namespace {

class HistoryDialogTest : public ::testing::Test
{
protected:
    // Renamed x to y, then z to w (gone since), then q to Q with q taken again by now.
    bool prepare()
    {
        useTestMessages(app);
        return WriteTextFile(
            app.settingsPath(QStringLiteral("renamed.vlp")),
            QStringLiteral("20240131153045\"%1\"x\"y\n20240131153046\"%1\"z\"w\n20240131153047\"%1\"q\"Q\n")
                .arg(tree.root() + QLatin1Char('/')));
    }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(QLatin1String(name)); }
    void selectRow(int row)
    {
        dialog.list()->selectionModel()->select(dialog.history().index(row, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    GuiTestApp app;
    TestTree tree{{QStringLiteral("y/"), QStringLiteral("Q/"), QStringLiteral("q/")}};
    const bool prepared = prepare();
    HistoryDialog dialog{app.state(), app.prompter()};
};

TEST_F(HistoryDialogTest, UndoFollowsTheSelectionAsksThenReportsEachFailure)
{
    EXPECT_FALSE(button("cmdUndoRenaming")->isEnabled());
    selectRow(0); // y back to x: works
    selectRow(2); // Q back to q: q exists
    EXPECT_TRUE(button("cmdUndoRenaming")->isEnabled());
    app.prompter().expectButton(Prompter::Yes);
    app.prompter().expectButton(Prompter::Ok);
    QTest::mouseClick(button("cmdUndoRenaming"), Qt::LeftButton);

    const auto& asked = app.prompter().asked();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked.at(0).text, QStringLiteral("undo history?\n\nsure"));
    EXPECT_EQ(asked.at(0).defaultButton, Prompter::No);
    EXPECT_EQ(asked.at(1).text, QStringLiteral("exists \"%1Q/\" -> \"%1q/\"").arg(tree.root() + QLatin1Char('/')));
    EXPECT_TRUE(tree.isFolder(QStringLiteral("x")));
    EXPECT_EQ(dialog.history().size(), 2);
    EXPECT_FALSE(button("cmdUndoRenaming")->isEnabled());
}

TEST_F(HistoryDialogTest, EverySelectedRedRowSaysWhyItCannotBeUndone)
{
    // A fourth line that names no folder: its parent path is not absolute.
    const QString folder = tree.root() + QLatin1Char('/');
    ASSERT_TRUE(
        WriteTextFile(app.settingsPath(QStringLiteral("renamed.vlp")),
                      QStringLiteral("20240131153045\"%1\"x\"y\n20240131153046\"%1\"z\"w\n20240131153048\"rel/\"a\"b\n")
                          .arg(folder)));
    dialog.history().LoadHistory(app.state());
    selectRow(1); // z to w: w is gone
    selectRow(2);
    app.prompter().expectButton(Prompter::Yes);
    app.prompter().expectButton(Prompter::Ok);
    app.prompter().expectButton(Prompter::Ok);
    dialog.undoSelected();

    const auto& asked = app.prompter().asked();
    ASSERT_EQ(asked.size(), 3);
    EXPECT_EQ(asked.at(1).text, QStringLiteral("missing \"%1w/\" -> \"%1z/\"").arg(folder));
    EXPECT_EQ(asked.at(2).text, app.state().message(QStringLiteral("msgHistoryLineUnusable"),
                                                    {QStringLiteral("\"20240131153048\"rel/\"a\"b\"")}));
    EXPECT_TRUE(asked.at(2).text.contains(QStringLiteral("rel/")));
    EXPECT_EQ(dialog.history().size(), 3);
}

TEST_F(HistoryDialogTest, NoKeepsEverythingAndYesDeletesTheHistory)
{
    app.prompter().expectButton(Prompter::No);
    QTest::mouseClick(button("cmdDeleteHistory"), Qt::LeftButton);
    EXPECT_EQ(dialog.history().size(), 3);
    app.prompter().expectButton(Prompter::Yes);
    QTest::mouseClick(button("cmdDeleteHistory"), Qt::LeftButton);
    EXPECT_EQ(app.prompter().asked().at(1).text, QStringLiteral("delete history?\n\nsure"));
    EXPECT_EQ(dialog.history().size(), 0);
    EXPECT_EQ(QFileInfo(app.settingsPath(QStringLiteral("renamed.vlp"))).size(), 0);
}

} // namespace
