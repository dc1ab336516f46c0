#include "gui/mainwindow/MainWindowFixture.h"

#include "core/script/ScriptStore.h"
#include "gui/mainwindow/PreviewController.h"
#include "gui/mainwindow/PreviewTableView.h"

#include <QTest>

namespace {

// The preview list answers the keys of a file manager, each through its command.
class ListKeys : public MainWindowFixture
{
protected:
    PreviewTableView* view() { return window->ui().lstVorschau; }
    QPoint cellCentre(int row, int column) { return view()->visualRect(window->list().index(row, column)).center(); }
    // Counts the dialogs opened and answers the manual edit with a typed name.
    void answerManualEdit(const QString& typed)
    {
        answerDialogs([this, typed](QDialog& d) {
            opened.append(d.objectName() + QLatin1Char(':') +
                          d.findChild<QLineEdit*>(QStringLiteral("txtFileName"))->text());
            operate(d, {QStringLiteral("txtFileName=") + typed, QStringLiteral("cmdOK")});
        });
    }
    QStringList opened;
};

TEST_F(ListKeys, DeleteRemovesTheSelectedEntriesAskingAsTheCommandDoes)
{
    open();
    addEntries({"a>A", "b", "c"});
    select(0);
    select(2);
    app.prompter().expectButton(Prompter::Cancel);
    QTest::keyClick(view(), Qt::Key_Delete);
    EXPECT_EQ(OldNames(window->list()), (QStringList{"a", "b", "c"}));
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText21"));
    app.prompter().expectButton(Prompter::No);
    QTest::keyClick(view(), Qt::Key_Delete);
    EXPECT_EQ(OldNames(window->list()), QStringList{"b"});
    EXPECT_EQ(window->previewController().chosenRemoval(), CommandId::RemoveSelected);
}

TEST_F(ListKeys, EnterAndADoubleClickOpenTheManualEditOfTheCurrentEntry)
{
    open();
    addEntries({"a", "b", "c"});
    answerManualEdit(QStringLiteral("B"));
    setCurrent(1);
    QTest::keyClick(view(), Qt::Key_Return);
    setCurrent(0);
    answerManualEdit(QStringLiteral("C"));
    // On an entry already selected too: the click before the double-click must not leave an edit in
    // place waiting behind the dialog.
    select(2);
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, cellCentre(2, FolderEntry::ColNewName));
    EXPECT_EQ(opened, (QStringList{"frmEditMan:b", "frmEditMan:c"}));
    EXPECT_EQ(newNames(), (QStringList{"a", "B", "C"}));
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_EQ(view()->indexWidget(window->list().index(2, FolderEntry::ColNewName)), nullptr);
    // A double-click beside the entries opens nothing.
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, QPoint(5, view()->viewport()->height() - 3));
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(ListKeys, F2KeepsTheDialogAndEditingInPlaceIsAManualEdit)
{
    open();
    addEntries({"a", "b"});
    item(CommandId::StartRecording)->trigger();
    setCurrent(1);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    answerManualEdit(QStringLiteral("b2"));
    QTest::keyClick(view(), Qt::Key_F2);
    EXPECT_EQ(opened, QStringList{"frmEditMan:b"});
    EXPECT_EQ(view()->indexWidget(window->list().index(1, FolderEntry::ColNewName)), nullptr);

    // In place: only the new name, the manual edit's filter, and the typed name is a proposal like any.
    const QModelIndex oldName = window->list().index(1, FolderEntry::ColOldName);
    view()->edit(oldName);
    EXPECT_EQ(view()->indexWidget(oldName), nullptr);
    const QModelIndex cell = window->list().index(0, FolderEntry::ColNewName);
    for (const QString& typed : {QStringLiteral("   "), QStringLiteral("A/1")}) {
        SCOPED_TRACE(typed.toStdString());
        view()->setCurrentIndex(cell);
        view()->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(view()->indexWidget(cell));
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), QStringLiteral("a"));
        editor->clear();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view takes the name once the key is done
        EXPECT_EQ(view()->indexWidget(cell), nullptr);
    }
    EXPECT_EQ(newNames(), (QStringList{"A1", "b2"}));
    EXPECT_EQ(window->list().summary().changedCount, 2);
    EXPECT_EQ(window->list().summary().undoLevels, 2);
    EXPECT_EQ(ScriptStore::stepCount(ScriptStore::scratchPath(app.state())), 0);
    item(CommandId::Undo)->trigger();
    EXPECT_EQ(newNames(), (QStringList{"a", "b2"}));
}

} // namespace
