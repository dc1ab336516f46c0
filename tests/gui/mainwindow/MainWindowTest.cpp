#include "gui/mainwindow/MainWindowFixture.h"

#include "gui/mainwindow/MainWindowViewCommands.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "support/TestTree.h"

#include <QTest>
#include <array>

namespace {

using MainWindowRemoval = MainWindowFixture;

TEST_F(MainWindowRemoval, CancelKeepsNoRemovesYesTakesTheChangesFirst)
{
    TestTree tree({"a/", "b/", "c/"});
    const QString parent = tree.root() + QLatin1Char('/');
    open();
    addEntries({"a>A", "b>B", "c"}, parent);
    item("mnuDelList2")->trigger(); // nothing selected: nothing removed, nothing asked
    app.prompter().expectButton(Prompter::Cancel);
    item("mnuDelList1")->trigger();
    EXPECT_EQ(window->list().size(), 3);
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText21"));
    EXPECT_EQ(app.prompter().asked().at(0).defaultButton, Prompter::Cancel);

    // Changed entries: one-entry runs before each removal; the unchanged entry stays.
    app.prompter().expectButton(Prompter::Yes);
    item("mnuDelList4")->trigger();
    EXPECT_EQ(OldNames(window->list()), QStringList{"c"});
    EXPECT_EQ(tree.folders(), (QStringList{"A", "B", "c"}));
    // The whole list: one run over all entries, then the list is cleared.
    window->list().entries()[0].setNewName(QStringLiteral("C"));
    addEntries({"A>a2"}, parent);
    app.prompter().expectButton(Prompter::Yes);
    item("mnuDelList1")->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(tree.folders(), (QStringList{"B", "C", "a2"}));

    addEntries({"B>b"}, parent);
    app.prompter().expectButton(Prompter::No);
    item("mnuDelList1")->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(tree.folders(), (QStringList{"B", "C", "a2"}));
}

TEST_F(MainWindowRemoval, ButtonRepeatsTheChosenVariantAndNamesIt)
{
    open();
    addEntries({"a", "b", "c"});
    select(0);
    item("mnuDelList3")->trigger();
    EXPECT_EQ(OldNames(window->list()), QStringList{"a"});
    EXPECT_TRUE(button("DelList")->toolTip().endsWith(window->plainCaption(QStringLiteral("mnuDelList3")) + ']'));
    addEntries({"d"});
    window->list().selectionModel()->clearSelection();
    select(1);
    button("DelList")->trigger();
    EXPECT_EQ(OldNames(window->list()), QStringList{"d"});
    // A drop-down item becomes the tag as well.
    for (QAction* a : button("DelList")->menu()->actions()) {
        if (a->objectName() == QLatin1String("DelList1"))
            a->trigger();
    }
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(button("DelList")->property("tag").toString(), QStringLiteral("DelList1"));
}

TEST_F(MainWindowRemoval, CurrentEntryAsksOnlyWhenChanged)
{
    TestTree tree({"a/", "b/"});
    open();
    addEntries({"a>A", "b"}, tree.root() + QLatin1Char('/'));
    setCurrent(0);
    app.prompter().expectButton(Prompter::Yes);
    window->ui().leftButton(QStringLiteral("DelList"))->trigger();
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText15"));
    EXPECT_EQ(tree.folders(), (QStringList{"A", "b"}));
    EXPECT_EQ(OldNames(window->list()), QStringList{"b"});
    setCurrent(0);
    item("btnBarLeftDel1File")->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(app.prompter().asked().size(), 1);
}

using MainWindowCommands = MainWindowFixture;

TEST_F(MainWindowCommands, EnablingFollowsTheListChangesAndUndoLevels)
{
    open();
    const auto expectEnabled = [&](std::initializer_list<QAction*> actions, bool enabled) {
        for (QAction* a : actions)
            EXPECT_EQ(a->isEnabled(), enabled) << a->objectName().toStdString();
    };
    QAction* leftDel = window->ui().leftButton(QStringLiteral("DelList"));
    expectEnabled({item("mnuEdit"), item("mnuDelList"), item("mnuRename"), button("DelList"), leftDel}, false);
    EXPECT_FALSE(window->ui().lstApplyTo->isEnabled());
    EXPECT_TRUE(item("mnuEnd")->isEnabled());

    addEntries({"a"});
    addEntries({"b"}, QStringLiteral("/q/"));
    expectEnabled({item("mnuEdit"), item("mnuDelList"), item("mnuSpecial"), button("DelList"), leftDel}, true);
    expectEnabled({item("mnuTakeChanges"), button("TakeChanges")}, false);
    EXPECT_TRUE(window->ui().lstApplyTo->isEnabled());
    EXPECT_FALSE(MainWindow::commandAllowed(item("mnuUndo")));
    EXPECT_EQ(window->ui().status->text(), SubstituteArgs(app.state().statusText(1), {"2", "2", "0"}));

    window->list().entries()[0].setNewName(QStringLiteral("x"));
    window->refreshPreview();
    expectEnabled({item("mnuTakeChanges"), button("TakeChanges"), item("mnuRejectChanges")}, true);
    for (QAction* a : {item("mnuRejectChanges"), item("mnuUndo"), button("Undo")})
        EXPECT_TRUE(MainWindow::commandAllowed(a)) << a->objectName().toStdString();
    // Commands that are not built stay disabled whatever the rules say.
    EXPECT_FALSE(button("Rename01")->isEnabled());
    expectEnabled({button("Rename03"), button("Rename04"), button("Rename05")}, true);
}

TEST_F(MainWindowCommands, TakeChangesAsksWhenConfirmationIsOn)
{
    TestTree tree({"a/"});
    const QString parent = tree.root() + QLatin1Char('/');
    store("Settings", "secquest2", QStringLiteral("1"));
    open();
    addEntries({"a>A"}, parent);
    app.prompter().expectButton(Prompter::No);
    button("TakeChanges")->trigger();
    EXPECT_EQ(tree.folders(), QStringList{"a"});
    app.prompter().expectButton(Prompter::Yes);
    item("mnuTakeChanges1")->trigger();
    EXPECT_EQ(tree.folders(), QStringList{"A"});
    EXPECT_EQ(window->list().entry(0).key, parent + QStringLiteral("A/"));
}

TEST_F(MainWindowCommands, ExpertModeOnlyAfterYes)
{
    open();
    for (const Prompter::Button answer : {Prompter::No, Prompter::Yes}) {
        app.prompter().expectButton(answer);
        window->viewCommands().askForExpertMode();
        EXPECT_EQ(MainWindow::commandAllowed(item("mnuDeleteFolders2")), answer == Prompter::Yes);
    }
    window->viewCommands().askForExpertMode(); // while it is on, nothing is asked
    ASSERT_EQ(app.prompter().asked().size(), 2);
    EXPECT_EQ(app.prompter().asked().at(0).defaultButton, Prompter::No);
}

TEST_F(MainWindowCommands, DragMovesOnlyEntriesDraggedInTheList)
{
    open();
    addEntries({"a", "b", "c"});
    PreviewTableView* view = window->ui().lstVorschau;
    QWidget* viewport = view->viewport();
    auto rowCentre = [&](int row) { return view->visualRect(window->list().index(row, 1)).center(); };
    auto drop = [&](int row) {
        QMimeData mime;
        mime.setData(PreviewTableView::kEntryMimeType, QByteArray("/p/c/"));
        // As the toolkit delivers a drop: only to a widget that accepted the drag when it entered.
        QDragEnterEvent enter(rowCentre(row), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDropEvent event(QPointF(rowCentre(row)), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    };
    drop(0); // a drag that did not start on an entry of this list is refused
    EXPECT_EQ(OldNames(window->list()), (QStringList{"a", "b", "c"}));
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, rowCentre(2));
    ASSERT_EQ(view->dragRow(), 2);
    drop(0);
    EXPECT_EQ(OldNames(window->list()), (QStringList{"c", "a", "b"}));
    window->refreshPreview();
    EXPECT_EQ(OldNames(window->list()), (QStringList{"c", "a", "b"}));
}

using MainWindowStartAndClose = MainWindowFixture;

TEST_F(MainWindowStartAndClose, CancelKeepsTheWindowAndStillWritesSettings)
{
    open();
    addEntries({"a>A"});
    window->list().headerClicked(3);
    app.state().expertMode = true;
    app.prompter().expectButton(Prompter::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText03"));
    EXPECT_EQ(window->list().size(), 1);
    EXPECT_EQ(setting("Settings", "PreviewSortKey"), QStringLiteral("2"));
    EXPECT_EQ(setting("Settings", "ExpertMode"), QStringLiteral("1"));
    EXPECT_EQ(setting("Dialogs", "BackColor"), QStringLiteral("8438015"));
}

TEST_F(MainWindowStartAndClose, PlacementBarsAndColumnsRoundTrip)
{
    // Stored by one session, restored and stored alike by the next; a maximised window keeps the placement.
    std::vector<std::array<QByteArray, 3>> values;
    for (const char* v : {"Main w 12000", "Main h 9000", "Main x 300", "Main y 450", "Main Col2 2400", "Main Col4 0",
                          "Settings btnbarMain 0", "Settings PreviewSortKey 18", "Settings PreviewSortOrder 1",
                          "Assistant Visible 0"}) {
        const QList<QByteArray> parts = QByteArray(v).split(' ');
        values.push_back({parts.at(0), parts.at(1), parts.at(2)});
    }
    for (const char* ws : {"0", "2"}) {
        SCOPED_TRACE(ws);
        store("Main", "ws", QLatin1String(ws));
        for (const auto& [section, key, value] : values)
            store(section.constData(), key.constData(), QString::fromLatin1(value));
        open();
        if (ws[0] == '0') {
            EXPECT_EQ(window->size(), QSize(window->toPixels(12000), window->toPixels(9000)));
        }
        EXPECT_EQ(window->windowState().testFlag(Qt::WindowMaximized), ws[0] == '2');
        EXPECT_FALSE(window->ui().btnBarMain->isVisible());
        EXPECT_FALSE(window->ui().mnuViewPre[3]->isChecked());
        EXPECT_FALSE(item("mnuShowAssistant")->isChecked());
        EXPECT_EQ(window->list().sortColumn(), FolderEntry::ColPosition);
        EXPECT_TRUE(window->closeRequest());
        EXPECT_EQ(setting("Main", "ws"), QLatin1String(ws));
        for (const auto& [section, key, value] : values)
            EXPECT_EQ(setting(section.constData(), key.constData()), QString::fromLatin1(value)) << key.constData();
    }
}

TEST_F(MainWindowStartAndClose, PlacementOffTheScreenFallsBackToTheCorner)
{
    // Far off the screen, and a width too small to be used.
    for (const auto& [key, value] : {std::pair{"ws", "0"}, {"x", "99999999"}, {"y", "-99999"}, {"w", "9000"}})
        store("Main", key, QLatin1String(value));
    open();
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    EXPECT_GE(window->width(), window->toPixels(11000) - 1);
}

TEST_F(MainWindowStartAndClose, FirstStartCreatesTheProtocolAndRemovesAStaleRecording)
{
    ASSERT_TRUE(QFile(app.settingsPath(QStringLiteral("script.tmp"))).open(QIODevice::WriteOnly));
    window = std::make_unique<MainWindow>(app.state(), app.prompter());
    window->session().recordingState = 2;
    window->loadHandler();
    EXPECT_TRUE(QFile::exists(app.settingsPath(QStringLiteral("renamed.vlp"))));
    EXPECT_FALSE(QFile::exists(app.settingsPath(QStringLiteral("script.tmp"))));
    EXPECT_EQ(window->session().recordingState, 0);
}

TEST_F(MainWindowStartAndClose, YesTakesPendingChangesBeforeClosing)
{
    TestTree tree({"a/"});
    open();
    app.state().protocolRenames = true;
    addEntries({"a>A"}, tree.root() + QLatin1Char('/'));
    app.prompter().expectButton(Prompter::Yes);
    EXPECT_TRUE(window->closeRequest());
    EXPECT_EQ(tree.folders(), QStringList{"A"});
    QFile protocol(app.settingsPath(QStringLiteral("renamed.vlp")));
    EXPECT_TRUE(protocol.open(QIODevice::ReadOnly) && protocol.readAll().count('\n') == 1);
}

} // namespace
