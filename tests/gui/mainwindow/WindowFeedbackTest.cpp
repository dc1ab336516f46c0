#include "core/commit/RenameHistory.h"
#include "core/preview/CommandRules.h"
#include "gui/commit/HistoryDialog.h"
#include "gui/mainwindow/CommandTable.h"
#include "gui/mainwindow/LoadController.h"
#include "gui/mainwindow/MainImageList.h"
#include "gui/mainwindow/MainWindowFixture.h"
#include "gui/mainwindow/PreviewController.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "support/TestTree.h"
#include "support/WriteTextFile.h"

#include <QShortcut>
#include <QTest>

namespace {

// What the window tells a user about what just happened and what it is doing.
using WindowFeedback = MainWindowFixture;

TEST_F(WindowFeedback, UndoingInTheHistoryGivesTheEntriesTheirRestoredNames)
{
    TestTree tree({"a/sub/", "b/"});
    const QString parent = tree.root() + QLatin1Char('/');
    store("Settings", "protren", QStringLiteral("1"));
    open();
    addEntries({"a>A", "b>B"}, parent);
    addEntries({"sub"}, parent + QStringLiteral("a/"));
    item(CommandId::TakeAll)->trigger();
    ASSERT_EQ(tree.folders(), (QStringList{"A", "B"}));

    // The user undoes the rename of a alone.
    window->previewController().setHistoryRunner([this](HistoryDialog& dialog) {
        for (int row = 0; row < dialog.history().size(); ++row) {
            if (dialog.history().row(row).line.oldName == QLatin1String("a"))
                dialog.list()->selectionModel()->select(dialog.history().index(row, 0),
                                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        app.prompter().expectButton(Prompter::Yes);
        dialog.undoSelected();
    });
    item(CommandId::History)->trigger();
    ASSERT_EQ(tree.folders(), (QStringList{"B", "a"}));

    const PreviewList& list = window->list();
    const int a = list.rowOfKey(parent + QStringLiteral("a/"));
    ASSERT_GE(a, 0);
    EXPECT_EQ(list.entry(a).oldName, QStringLiteral("a"));
    EXPECT_EQ(list.entry(a).newName, QStringLiteral("a"));
    EXPECT_EQ(list.entry(a).history.at(0), QStringLiteral("a"));
    const int sub = list.rowOfKey(parent + QStringLiteral("a/sub/"));
    ASSERT_GE(sub, 0);
    EXPECT_EQ(list.entry(sub).parentPath, parent + QStringLiteral("a/"));
    EXPECT_TRUE(list.hasKey(parent + QStringLiteral("B/")));
    EXPECT_EQ(list.summary().changedCount, 0);

    // The next take finds every folder where the list says it is.
    window->list().setNewName(a, QStringLiteral("c"));
    window->refreshPreview();
    item(CommandId::TakeAll)->trigger();
    EXPECT_EQ(tree.folders(), (QStringList{"B", "c"}));
    EXPECT_TRUE(tree.isFolder(QStringLiteral("c/sub")));
}

TEST_F(WindowFeedback, AnEmptyListShowsHowToFillIt)
{
    open();
    PreviewTableView* view = window->ui().lstVorschau;
    EXPECT_EQ(view->emptyHint(), QStringLiteral("Drop folders here, or open them with Ctrl+O"));
    view->resize(600, 300);
    const QImage hinted = view->grab().toImage();
    view->setEmptyHint(QString());
    EXPECT_NE(view->grab().toImage(), hinted) << "the hint is painted in the view";
}

TEST_F(WindowFeedback, ARestoredSortShowsItsIconAndALoadIsSortedByIt)
{
    store("Settings", "PreviewSortKey", QStringLiteral("1"));
    store("Settings", "PreviewSortOrder", QStringLiteral("1"));
    open();
    EXPECT_EQ(window->list().sortIndicatorColumn(), FolderEntry::ColOldName);
    EXPECT_TRUE(window->list().headerData(FolderEntry::ColOldName, Qt::Horizontal, Qt::DecorationRole).isValid());
    addEntries({"Disc 1", "Disc 10", "Disc 2"});
    EXPECT_EQ(OldNames(window->list()), (QStringList{"Disc 10", "Disc 2", "Disc 1"}));
}

TEST_F(WindowFeedback, ALoadEndsWithWhatBecameOfThePaths)
{
    TestTree tree({"a/", "b/"});
    const QString listFile = tree.path(QStringLiteral("list.txt"));
    ASSERT_TRUE(WriteTextFile(listFile, QStringList{tree.path("a"), tree.path("b"), tree.path("gone")}.join('\n')));
    open();
    for (const char* expected : {"Loaded: 2 added, 0 already in the list, 1 not found, 0 left out by the filters.",
                                 "Loaded: 0 added, 2 already in the list, 1 not found, 0 left out by the filters."}) {
        SCOPED_TRACE(expected);
        app.prompter().expectFiles({listFile});
        window->loadController().openFromListFile();
        EXPECT_EQ(window->ui().status->text(), QLatin1String(expected));
    }
    EXPECT_EQ(window->list().size(), 2);
}

TEST_F(WindowFeedback, RecordingShowsUntilItStops)
{
    open();
    addEntries({"a"});
    QAction* record = button(CommandId::StartRecording);
    EXPECT_FALSE(window->ui().lblRecording->isVisibleTo(window.get()));
    item(CommandId::StartRecording)->trigger();
    EXPECT_TRUE(window->ui().lblRecording->isVisibleTo(window.get()));
    EXPECT_EQ(window->ui().lblRecording->text(), QStringLiteral("\u25cf Recording a script"));
    EXPECT_TRUE(record->isChecked());
    const QIcon picture = record->icon();
    EXPECT_EQ(picture.pixmap(QSize(24, 24), 1.0, QIcon::Disabled, QIcon::On).toImage(),
              picture.pixmap(QSize(24, 24), 1.0, QIcon::Normal, QIcon::On).toImage())
        << "held down, the record button shows its picture whole";
    window->refreshPreview(); // the refresh's counts do not hide it
    EXPECT_TRUE(window->ui().lblRecording->isVisibleTo(window.get()));
    item(CommandId::StopRecording)->trigger(); // nothing recorded: nothing to name
    EXPECT_FALSE(window->ui().lblRecording->isVisibleTo(window.get()));
    EXPECT_FALSE(record->isChecked());
}

TEST_F(WindowFeedback, HelpSaysWhereTheGuideIsWhenNothingOpensItAndUnbuiltCommandsSaySo)
{
    open();
    // The offscreen platform opens no documents, as a desktop without a browser.
    ASSERT_TRUE(item(CommandId::HelpContent)->isEnabled());
    app.prompter().expectButton(Prompter::Ok);
    item(CommandId::HelpContent)->trigger();
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_TRUE(
        app.prompter().asked().at(0).text.contains(app.state().programFolder + QStringLiteral("guide-en.html")));
    // The rename dialogs' help buttons alike.
    addEntries({"a"});
    answerDialogs([](QDialog& d) { operate(d, {"cmdHelp", "cmdCancel"}); });
    app.prompter().expectButton(Prompter::Ok);
    item(CommandId::Rename05)->trigger();
    EXPECT_EQ(app.prompter().asked().size(), 2);
    // And F1 in the manual edit.
    answerDialogs([](QDialog& d) {
        QAction* f1 = nullptr;
        for (QAction* a : d.actions()) {
            if (a->shortcut() == QKeySequence(QKeySequence::HelpContents))
                f1 = a;
        }
        ASSERT_NE(f1, nullptr);
        f1->trigger();
        operate(d, {"cmdCancel"});
    });
    app.prompter().expectButton(Prompter::Ok);
    window->ui().lstVorschau->setCurrentIndex(window->list().index(0, 0));
    item(CommandId::EditCurrent)->trigger();
    EXPECT_EQ(app.prompter().asked().size(), 3);

    EXPECT_FALSE(item(CommandId::TakeSelected)->isEnabled());
    EXPECT_EQ(item(CommandId::TakeSelected)->toolTip(), QStringLiteral("Selected changes (not available yet)"));
}

TEST_F(WindowFeedback, TheProposedScriptNameIsDatedInTheLanguagesLocale)
{
    ASSERT_TRUE(app.state().language.load(app.state().programFolder + QStringLiteral("Deutsch.lng")));
    open();
    addEntries({"a"});
    item(CommandId::StartRecording)->trigger();
    answerDialogs([](QDialog& d) { operate(d, {"txtPr=x", "cmdOK"}); });
    item(CommandId::Rename05)->trigger();
    app.prompter().expectText(QStringLiteral("Test"));
    item(CommandId::StopRecording)->trigger();
    ASSERT_EQ(app.prompter().proposals().size(), 1);
    EXPECT_EQ(app.prompter().proposals().at(0),
              QLocale(QStringLiteral("de")).toString(app.state().now(), QLocale::ShortFormat));
}

TEST(CommandTableTest, NoCommandIsEnabledThatDoesNothing)
{
    // Submenus open, the drop-down lists the scripts, and the first three columns are always shown.
    const std::initializer_list<CommandId> noHandlerNeeded = {
        CommandId::RemoveMenu,  CommandId::EditMenu,    CommandId::TakeMenu,     CommandId::ScriptMenu,
        CommandId::RenameMenu,  CommandId::SpecialMenu, CommandId::ChooseScript, CommandId::ShowColumn1,
        CommandId::ShowColumn2, CommandId::ShowColumn3};
    for (const CommandTable::Command& command : CommandTable::commands()) {
        SCOPED_TRACE(command.item ? command.item : command.key);
        if (!command.run &&
            std::find(noHandlerNeeded.begin(), noHandlerNeeded.end(), command.id) == noHandlerNeeded.end()) {
            EXPECT_FALSE(commandBuilt(command.id)) << "enabled without doing anything";
        }
    }
}

TEST(MainImageListTest, EveryButtonPictureLooksFaintWhenDisabled)
{
    const auto ink = [](const QPixmap& picture) {
        const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
        qint64 sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                sum += qAlpha(image.pixel(x, y));
        }
        return sum;
    };
    QStringList keys{"OpenFile", "DelList", "TakeChanges", "RejectChanges", "Undo", "Rename99",
                     "Options",  "EditMan", "Add"};
    for (int n = 1; n <= 10; ++n)
        keys.append(QStringLiteral("Rename%1").arg(n, 2, 10, QLatin1Char('0')));
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        const QIcon icon = MainImageList::image(key);
        ASSERT_FALSE(icon.isNull());
        for (const qreal scale : {1.0, 2.0}) {
            const qint64 normal = ink(icon.pixmap(QSize(24, 24), scale, QIcon::Normal));
            EXPECT_GT(normal, 0);
            EXPECT_LT(ink(icon.pixmap(QSize(24, 24), scale, QIcon::Disabled)) * 2, normal);
        }
    }
}

} // namespace
