#include "MainWindowFixture.h"

#include "app/MainWindowPreviewCommands.h"
#include "app/MainWindowViewCommands.h"
#include "app/PreviewTableWidget.h"
#include "support/TestTree.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QToolBar>

namespace {

const QString kP = QStringLiteral("/p/");

} // namespace

using MainWindowRemoval = MainWindowFixture;

TEST_F(MainWindowRemoval, CancelLeavesEverythingNoRemovesWithoutRenaming)
{
    open();
    add(kP, QStringLiteral("a"), QStringLiteral("A"));
    add(kP, QStringLiteral("b"));
    window->refreshPreview();
    app.prompter().expectButton(Prompter::Cancel);
    item("mnuDelList1")->trigger();
    EXPECT_EQ(window->list().size(), 2);
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText21"));
    EXPECT_EQ(app.prompter().asked().at(0).title, message("MsgCap03"));
    EXPECT_EQ(app.prompter().asked().at(0).defaultButton, Prompter::Cancel);

    app.prompter().expectButton(Prompter::No);
    item("mnuDelList1")->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_TRUE(window->ui().lbl2[0]->text().isEmpty());
}

TEST_F(MainWindowRemoval, YesTakesChangesBeforeRemoving)
{
    TestTree tree({"a/", "b/", "c/"});
    const QString parent = tree.root() + QLatin1Char('/');
    open();
    add(parent, QStringLiteral("a"), QStringLiteral("A"));
    add(parent, QStringLiteral("b"), QStringLiteral("B"));
    add(parent, QStringLiteral("c"));
    window->refreshPreview();
    // Changed entries: one-entry runs before each removal; the unchanged entry stays.
    app.prompter().expectButton(Prompter::Yes);
    item("mnuDelList4")->trigger();
    EXPECT_EQ(OldNames(window->list()), QStringList{"c"});
    EXPECT_EQ(tree.folders(), (QStringList{"A", "B", "c"}));

    // The whole list: one run over all entries, then the list is cleared.
    window->list().entries()[0].setNewName(QStringLiteral("C"));
    window->refreshPreview();
    app.prompter().expectButton(Prompter::Yes);
    item("mnuDelList1")->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(tree.folders(), (QStringList{"A", "B", "C"}));
}

TEST_F(MainWindowRemoval, VariantsThatRemoveNothingAskNothing)
{
    open();
    add(kP, QStringLiteral("a"), QStringLiteral("A"));
    add(kP, QStringLiteral("b"), QStringLiteral("B"));
    window->refreshPreview();
    item("mnuDelList2")->trigger(); // nothing selected
    item("mnuDelList5")->trigger(); // every entry changed
    EXPECT_EQ(window->list().size(), 2);
    EXPECT_TRUE(app.prompter().asked().isEmpty());
}

TEST_F(MainWindowRemoval, ButtonRepeatsTheChosenVariantAndNamesIt)
{
    open();
    for (const char* name : {"a", "b", "c"})
        add(kP, QLatin1String(name));
    window->refreshPreview();
    select(0);
    item("mnuDelList3")->trigger();
    EXPECT_EQ(OldNames(window->list()), QStringList{"a"});
    const QString tip = window->plainCaption(QStringLiteral("mnuDelList")) + QStringLiteral(" [") +
                        window->plainCaption(QStringLiteral("mnuDelList3")) + QLatin1Char(']');
    EXPECT_EQ(button("DelList")->toolTip(), tip);

    add(kP, QStringLiteral("d"));
    window->refreshPreview();
    window->list().selectionModel()->clearSelection();
    select(1);
    button("DelList")->trigger();
    EXPECT_EQ(OldNames(window->list()), QStringList{"d"});
    EXPECT_EQ(button("DelList")->toolTip(), tip);

    // A drop-down item becomes the tag as well; keys outside the range do nothing.
    dropDownItem("DelList", "DelList1")->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(button("DelList")->property("tag").toString(), QStringLiteral("DelList1"));
}

TEST_F(MainWindowRemoval, CurrentEntryAsksWhenChanged)
{
    TestTree tree({"a/", "b/"});
    const QString parent = tree.root() + QLatin1Char('/');
    open();
    add(parent, QStringLiteral("a"), QStringLiteral("A"));
    add(parent, QStringLiteral("b"));
    window->refreshPreview();
    setCurrent(0);
    app.prompter().expectButton(Prompter::Yes);
    window->ui().leftButton(QStringLiteral("DelList"))->trigger();
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText15"));
    EXPECT_EQ(tree.folders(), (QStringList{"A", "b"}));
    EXPECT_EQ(OldNames(window->list()), QStringList{"b"});
    // Unchanged: removed without a question.
    setCurrent(0);
    item("btnBarLeftDel1File")->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(app.prompter().asked().size(), 1);
}

using MainWindowCommands = MainWindowFixture;

TEST_F(MainWindowCommands, EnablingFollowsTheList)
{
    open();
    auto enabled = [&](const char* name) { return item(name)->isEnabled(); };
    EXPECT_FALSE(enabled("mnuEdit"));
    EXPECT_FALSE(enabled("mnuDelList"));
    EXPECT_FALSE(enabled("mnuRename"));
    EXPECT_FALSE(button("DelList")->isEnabled());
    EXPECT_FALSE(window->ui().lstApplyTo->isEnabled());
    EXPECT_FALSE(window->ui().leftButton(QStringLiteral("DelList"))->isEnabled());
    EXPECT_TRUE(enabled("mnuEnd"));
    EXPECT_EQ(window->ui().lblSelectedScript->text(), app.state().statusText(5));

    add(kP, QStringLiteral("a"));
    add(QStringLiteral("/q/"), QStringLiteral("b"));
    window->refreshPreview();
    EXPECT_TRUE(enabled("mnuEdit"));
    EXPECT_TRUE(enabled("mnuDelList"));
    EXPECT_TRUE(enabled("mnuSpecial"));
    EXPECT_TRUE(button("DelList")->isEnabled());
    EXPECT_TRUE(window->ui().lstApplyTo->isEnabled());
    EXPECT_TRUE(window->ui().leftButton(QStringLiteral("DelList"))->isEnabled());
    EXPECT_FALSE(enabled("mnuTakeChanges"));
    EXPECT_FALSE(button("TakeChanges")->isEnabled());
    EXPECT_FALSE(MainWindow::commandAllowed(item("mnuUndo")));
    EXPECT_TRUE(window->ui().lblSelectedScript->text().isEmpty());
    EXPECT_EQ(window->ui().status->text(), SubstituteArgs(app.state().statusText(1), {"2", "2", "0"}));
    EXPECT_EQ(window->ui().lbl2[1]->text(), window->list().entry(window->list().currentRow()).oldName());

    window->list().entries()[0].setNewName(QStringLiteral("x"));
    window->refreshPreview();
    EXPECT_TRUE(enabled("mnuTakeChanges"));
    EXPECT_TRUE(button("TakeChanges")->isEnabled());
    EXPECT_TRUE(MainWindow::commandAllowed(item("mnuRejectChanges")));
    EXPECT_TRUE(MainWindow::commandAllowed(item("mnuUndo")));
    EXPECT_TRUE(MainWindow::commandAllowed(button("Undo")));
    EXPECT_EQ(app.state().undoLevels, 1);
    EXPECT_TRUE(enabled("mnuRejectChanges"));
    // Commands that are not built stay disabled whatever the rules say, and say why.
    EXPECT_FALSE(button("Rename01")->isEnabled());
    EXPECT_TRUE(MainWindow::commandAllowed(button("Rename01")));
    EXPECT_EQ(button("Rename01")->toolTip(),
              window->notAvailableText(window->plainCaption(QStringLiteral("mnuRename01"))));
    for (const char* key : {"Rename03", "Rename04", "Rename05"})
        EXPECT_TRUE(button(key)->isEnabled()) << key;
}

TEST_F(MainWindowCommands, TakeChangesAsksWhenConfirmationIsOn)
{
    TestTree tree({"a/"});
    const QString parent = tree.root() + QLatin1Char('/');
    store("Settings", "secquest2", QStringLiteral("1"));
    open();
    add(parent, QStringLiteral("a"), QStringLiteral("A"));
    window->refreshPreview();
    app.prompter().expectButton(Prompter::No);
    button("TakeChanges")->trigger();
    EXPECT_EQ(tree.folders(), QStringList{"a"});
    app.prompter().expectButton(Prompter::Yes);
    item("mnuTakeChanges1")->trigger();
    EXPECT_EQ(tree.folders(), QStringList{"A"});
    EXPECT_EQ(window->list().entry(0).key, parent + QStringLiteral("A/"));
    EXPECT_FALSE(button("TakeChanges")->isEnabled());
    EXPECT_EQ(button("TakeChanges")->toolTip(),
              window->plainCaption(QStringLiteral("mnuTakeChanges")) + QStringLiteral(" [") +
                  window->plainCaption(QStringLiteral("mnuTakeChanges1")) + QLatin1Char(']'));
}

TEST_F(MainWindowCommands, ExpertModeOnlyAfterYes)
{
    open();
    const QString question = message("MsgText33") + QStringLiteral("\n\n") + message("MsgText34");
    app.prompter().expectButton(Prompter::No);
    window->viewCommands().askForExpertMode();
    EXPECT_FALSE(app.state().expertMode);
    EXPECT_FALSE(MainWindow::commandAllowed(item("mnuFolderAttributes")));
    app.prompter().expectButton(Prompter::Yes);
    window->viewCommands().askForExpertMode();
    EXPECT_TRUE(app.state().expertMode);
    EXPECT_TRUE(MainWindow::commandAllowed(item("mnuDeleteFolders2")));
    // While it is on, nothing is asked.
    window->viewCommands().askForExpertMode();
    ASSERT_EQ(app.prompter().asked().size(), 2);
    EXPECT_EQ(app.prompter().asked().at(0).text, question);
    EXPECT_EQ(app.prompter().asked().at(0).title, message("msgCapAttention"));
    EXPECT_EQ(app.prompter().asked().at(0).defaultButton, Prompter::No);
}

TEST_F(MainWindowCommands, HeaderClicksAndColumnsMenu)
{
    open();
    for (const char* name : {"Disc 10", "Disc 9", "Disc 2"})
        add(kP, QLatin1String(name));
    window->refreshPreview();
    QHeaderView* header = window->ui().lstVorschau->horizontalHeader();
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(OldNames(window->list()), (QStringList{"Disc 2", "Disc 9", "Disc 10"}));
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(OldNames(window->list()), (QStringList{"Disc 10", "Disc 9", "Disc 2"}));

    QAction* sizeColumn = window->ui().mnuViewPre[5];
    sizeColumn->trigger();
    EXPECT_EQ(window->columnWidthTwips(5), 0);
    sizeColumn->trigger();
    EXPECT_NEAR(window->columnWidthTwips(5), 1400, 15);
}

TEST_F(MainWindowCommands, DragMovesOnlyEntriesDraggedInTheList)
{
    open();
    for (const char* name : {"a", "b", "c"})
        add(kP, QLatin1String(name));
    window->refreshPreview();
    PreviewTableWidget* view = window->ui().lstVorschau;
    QWidget* viewport = view->viewport();
    auto rowCentre = [&](int row) { return view->visualRect(window->list().index(row, 1)).center(); };
    auto drop = [&](const QString& key, int row) {
        QMimeData mime;
        mime.setData(PreviewTableWidget::kEntryMimeType, key.toUtf8());
        // As the toolkit delivers a drop: only to a widget that accepted the drag when it entered.
        QDragEnterEvent enter(rowCentre(row), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDropEvent event(QPointF(rowCentre(row)), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    };
    // A drag that did not start on an entry of this list is refused.
    drop(kP + QStringLiteral("c/"), 0);
    EXPECT_EQ(OldNames(window->list()), (QStringList{"a", "b", "c"}));

    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, rowCentre(2));
    ASSERT_EQ(view->dragRow(), 2) << window->isVisible() << " " << rowCentre(2).y();
    drop(kP + QStringLiteral("c/"), 0);
    EXPECT_EQ(OldNames(window->list()), (QStringList{"c", "a", "b"}));
    EXPECT_EQ(window->list().sortColumn(), FolderEntry::ColPosition);
    window->refreshPreview();
    EXPECT_EQ(OldNames(window->list()), (QStringList{"c", "a", "b"}));
}

using MainWindowStartAndClose = MainWindowFixture;

TEST_F(MainWindowStartAndClose, CancelKeepsTheWindowAndStillWritesSettings)
{
    open();
    add(kP, QStringLiteral("a"), QStringLiteral("A"));
    window->refreshPreview();
    window->viewCommands().showMainBar(false);
    window->list().headerClicked(3);
    app.state().expertMode = true;
    app.prompter().expectButton(Prompter::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText03"));
    EXPECT_EQ(setting("Settings", "btnbarMain"), QStringLiteral("0"));
    EXPECT_EQ(setting("Settings", "btnbarScript"), QStringLiteral("0"));
    EXPECT_EQ(setting("Settings", "PreviewSortKey"), QStringLiteral("2"));
    EXPECT_EQ(setting("Settings", "PreviewSortOrder"), QStringLiteral("0"));
    EXPECT_EQ(setting("Settings", "ExpertMode"), QStringLiteral("1"));
    EXPECT_EQ(setting("Assistant", "Visible"), QStringLiteral("1"));
    EXPECT_EQ(setting("Dialogs", "BackColor"), QStringLiteral("8438015"));
    EXPECT_EQ(setting("Main", "Col7"), QStringLiteral("0"));
    EXPECT_EQ(window->list().size(), 1);
}

TEST_F(MainWindowStartAndClose, MaximisedWindowKeepsStoredPlacement)
{
    for (const char* key : {"x", "y", "w", "h"})
        store("Main", key, QStringLiteral("12345"));
    store("Main", "ws", QStringLiteral("2"));
    open();
    EXPECT_TRUE(window->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_TRUE(window->closeRequest());
    EXPECT_EQ(setting("Main", "ws"), QStringLiteral("2"));
    for (const char* key : {"x", "y", "w", "h"})
        EXPECT_EQ(setting("Main", key), QStringLiteral("12345")) << key;
}

TEST_F(MainWindowStartAndClose, SizePositionBarsAndColumnsRoundTrip)
{
    store("Main", "ws", QStringLiteral("0"));
    store("Main", "w", QStringLiteral("12000"));
    store("Main", "h", QStringLiteral("9000"));
    store("Main", "x", QStringLiteral("300"));
    store("Main", "y", QStringLiteral("450"));
    store("Main", "Col2", QStringLiteral("2400"));
    store("Main", "Col4", QStringLiteral("0"));
    store("Settings", "btnbarMain", QStringLiteral("0"));
    store("Settings", "btnbarScript", QStringLiteral("1"));
    store("Settings", "PreviewSortKey", QStringLiteral("18"));
    store("Settings", "PreviewSortOrder", QStringLiteral("1"));
    store("Assistant", "Visible", QStringLiteral("0"));
    open();
    EXPECT_EQ(window->size(), QSize(window->toPixels(12000), window->toPixels(9000)));
    EXPECT_FALSE(window->ui().btnBarMain->isVisible());
    EXPECT_FALSE(item("mnuShowBtnBarMain")->isChecked());
    EXPECT_FALSE(window->ui().mnuViewPre[3]->isChecked());
    EXPECT_FALSE(item("mnuShowAssistant")->isChecked());
    EXPECT_EQ(window->list().sortColumn(), FolderEntry::ColPosition);
    EXPECT_TRUE(window->closeRequest());
    const struct
    {
        const char* section;
        const char* key;
        const char* value;
    } expected[] = {{"Main", "ws", "0"},
                    {"Main", "w", "12000"},
                    {"Main", "h", "9000"},
                    {"Main", "x", "300"},
                    {"Main", "y", "450"},
                    {"Main", "Col2", "2400"},
                    {"Main", "Col4", "0"},
                    {"Settings", "btnbarMain", "0"},
                    {"Settings", "PreviewSortKey", "18"},
                    {"Settings", "PreviewSortOrder", "1"},
                    {"Assistant", "Visible", "0"}};
    for (const auto& e : expected)
        EXPECT_EQ(setting(e.section, e.key), QLatin1String(e.value)) << e.key;
}

TEST_F(MainWindowStartAndClose, PlacementOffTheScreenFallsBackToTheCorner)
{
    store("Main", "ws", QStringLiteral("0"));
    store("Main", "x", QStringLiteral("99999999"));
    store("Main", "y", QStringLiteral("-99999"));
    store("Main", "w", QStringLiteral("9000")); // too small to be used
    open();
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    EXPECT_GE(window->width(), window->toPixels(11000) - 1);
}

TEST_F(MainWindowStartAndClose, FirstStartCreatesTheProtocolAndRemovesAStaleRecording)
{
    QFile stale(app.settingsPath(QStringLiteral("script.tmp")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    app.state().recordingState = 2;
    open();
    EXPECT_TRUE(QFile::exists(app.settingsPath(QStringLiteral("renamed.vlp"))));
    EXPECT_FALSE(QFile::exists(app.settingsPath(QStringLiteral("script.tmp"))));
    EXPECT_EQ(app.state().recordingState, 0);
    EXPECT_EQ(app.state().backColor, AppState::kDefaultBackColor);
    EXPECT_TRUE(item("mnuShowAssistant")->isChecked());
}

TEST_F(MainWindowStartAndClose, YesTakesPendingChangesBeforeClosing)
{
    TestTree tree({"a/"});
    app.state().protocolRenames = true;
    open();
    app.state().protocolRenames = true;
    add(tree.root() + QLatin1Char('/'), QStringLiteral("a"), QStringLiteral("A"));
    window->refreshPreview();
    app.prompter().expectButton(Prompter::Yes);
    EXPECT_TRUE(window->closeRequest());
    EXPECT_EQ(tree.folders(), QStringList{"A"});
    QFile protocol(app.settingsPath(QStringLiteral("renamed.vlp")));
    ASSERT_TRUE(protocol.open(QIODevice::ReadOnly));
    EXPECT_EQ(protocol.readAll().count('\n'), 1);
}
