#include "gui/mainwindow/MainWindowFixture.h"

#include "core/platform/FileNames.h"
#include "gui/mainwindow/CommandTable.h"
#include "gui/mainwindow/LoadController.h"
#include "gui/mainwindow/PreviewController.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "gui/mainwindow/ViewController.h"
#include "support/TestTree.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <array>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using MainWindowRemoval = MainWindowFixture;

TEST_F(MainWindowRemoval, CancelKeepsNoRemovesYesTakesTheChangesFirst)
{
    TestTree tree({"a/", "b/", "c/"});
    const QString parent = tree.root() + QLatin1Char('/');
    open();
    addEntries({"a>A", "b>B", "c"}, parent);
    item(CommandId::RemoveSelected)->trigger(); // nothing selected: nothing removed, nothing asked
    app.prompter().expectButton(Prompter::Cancel);
    item(CommandId::RemoveAll)->trigger();
    EXPECT_EQ(window->list().size(), 3);
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText21"));
    EXPECT_EQ(app.prompter().asked().at(0).defaultButton, Prompter::Cancel);

    // Changed entries: one-entry runs before each removal; the unchanged entry stays.
    app.prompter().expectButton(Prompter::Yes);
    item(CommandId::RemoveChanged)->trigger();
    EXPECT_EQ(OldNames(window->list()), QStringList{"c"});
    EXPECT_EQ(tree.folders(), (QStringList{"A", "B", "c"}));
    // The whole list: one run over all entries, then the list is cleared.
    window->list().setNewName(0, QStringLiteral("C"));
    addEntries({"A>a2"}, parent);
    app.prompter().expectButton(Prompter::Yes);
    item(CommandId::RemoveAll)->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(tree.folders(), (QStringList{"B", "C", "a2"}));

    addEntries({"B>b"}, parent);
    app.prompter().expectButton(Prompter::No);
    item(CommandId::RemoveAll)->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(tree.folders(), (QStringList{"B", "C", "a2"}));
}

TEST_F(MainWindowRemoval, ButtonRepeatsTheChosenVariantAndNamesIt)
{
    open();
    addEntries({"a", "b", "c"});
    select(0);
    item(CommandId::RemoveNotSelected)->trigger();
    EXPECT_EQ(OldNames(window->list()), QStringList{"a"});
    EXPECT_TRUE(
        button(CommandId::RemoveChosen)->toolTip().endsWith(window->plainCaption(CommandId::RemoveNotSelected) + ']'));
    addEntries({"d"});
    window->list().selectionModel()->clearSelection();
    select(1);
    button(CommandId::RemoveChosen)->trigger();
    EXPECT_EQ(OldNames(window->list()), QStringList{"d"});
    // A drop-down item becomes the tag as well.
    button(CommandId::RemoveAll)->trigger();
    EXPECT_TRUE(window->list().isEmpty());
    EXPECT_EQ(window->previewController().chosenRemoval(), CommandId::RemoveAll);
}

TEST_F(MainWindowRemoval, CurrentEntryAsksOnlyWhenChanged)
{
    TestTree tree({"a/", "b/"});
    open();
    addEntries({"a>A", "b"}, tree.root() + QLatin1Char('/'));
    setCurrent(0);
    app.prompter().expectButton(Prompter::Yes);
    window->ui().button(CommandId::RemoveCurrent)->trigger();
    EXPECT_EQ(app.prompter().asked().at(0).text, message("MsgText15"));
    EXPECT_EQ(tree.folders(), (QStringList{"A", "b"}));
    EXPECT_EQ(OldNames(window->list()), QStringList{"b"});
    // The context menu's entries need exactly one selected entry.
    setCurrent(0);
    PreviewTableView* view = window->ui().lstVorschau;
    Q_EMIT view->contextMenuRequested(view->mapToGlobal(QPoint(5, 5)));
    EXPECT_FALSE(item(CommandId::PopupRemove)->isEnabled());
    window->ui().mnuPopup1->close();
    select(0);
    Q_EMIT view->contextMenuRequested(view->mapToGlobal(QPoint(5, 5)));
    item(CommandId::PopupRemove)->trigger();
    window->ui().mnuPopup1->close();
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
    QAction* leftDel = window->ui().button(CommandId::RemoveCurrent);
    expectEnabled({item(CommandId::EditMenu), item(CommandId::RemoveMenu), item(CommandId::RenameMenu),
                   button(CommandId::RemoveChosen), leftDel},
                  false);
    EXPECT_FALSE(window->ui().lstApplyTo->isEnabled());
    EXPECT_TRUE(item(CommandId::End)->isEnabled());

    addEntries({"a"});
    addEntries({"b"}, QStringLiteral("/q/"));
    expectEnabled({item(CommandId::EditMenu), item(CommandId::RemoveMenu), item(CommandId::SpecialMenu),
                   button(CommandId::RemoveChosen), leftDel},
                  true);
    expectEnabled({item(CommandId::TakeMenu), button(CommandId::TakeChosen)}, false);
    EXPECT_TRUE(window->ui().lstApplyTo->isEnabled());
    EXPECT_FALSE(window->isEnabled(CommandId::Undo));
    EXPECT_EQ(window->ui().status->text(), SubstituteArgs(app.state().statusText(1), {"2", "2", "0"}));

    window->list().setNewName(0, QStringLiteral("x"));
    window->refreshPreview();
    expectEnabled({item(CommandId::TakeMenu), button(CommandId::TakeChosen), item(CommandId::RejectChanges)}, true);
    expectEnabled({item(CommandId::RejectChanges), item(CommandId::Undo), button(CommandId::Undo)}, true);
    expectEnabled({button(CommandId::Rename03), button(CommandId::Rename04), button(CommandId::Rename05)}, true);
}

// The menus, bars, drop-downs and the context menu hold exactly the table's commands, under the table's
// names: a command left out of the layout would never be reachable, a stray action never enabled.
TEST_F(MainWindowCommands, EveryTableRowHasItsControlsAndEveryControlItsRow)
{
    open();
    QSet<QAction*> fromTable;
    for (const CommandTable::Command& command : CommandTable::commands()) {
        SCOPED_TRACE(static_cast<int>(command.id));
        QAction* item = window->ui().menuItem(command.id);
        QAction* button = window->ui().button(command.id);
        ASSERT_EQ(item != nullptr, command.item != nullptr);
        ASSERT_EQ(button != nullptr, command.key != nullptr);
        if (item) {
            EXPECT_EQ(item->objectName(), QLatin1String(command.item));
            fromTable.insert(item);
        }
        if (button) {
            EXPECT_EQ(button->objectName(), QLatin1String(command.key));
            fromTable.insert(button);
        }
    }
    QList<QAction*> shown = window->menuBar()->actions();
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        shown += bar->actions();
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        if (menu != window->ui().scripts)
            shown += menu->actions();
    }
    QSet<QAction*> commands;
    for (QAction* action : shown) {
        // Separators, plain menus and the apply-to and script-name widgets are not commands.
        if (action->isSeparator() || (action->menu() && !fromTable.contains(action)) ||
            qobject_cast<QWidgetAction*>(action) || action->objectName().isEmpty())
            continue;
        EXPECT_TRUE(fromTable.contains(action)) << action->objectName().toStdString();
        commands.insert(action);
    }
    EXPECT_EQ(commands.size(), fromTable.size());
}

// A load serves the event queue every hundred folders; whatever the user does then must not act on the
// rows loaded so far, whose keys are not final yet.
TEST_F(MainWindowCommands, WhileFoldersLoadOnlyCancelWorks)
{
    QStringList folders{QStringLiteral("a/")};
    for (const char* prefix : {"d", "e"}) {
        for (int n = 0; n < 150; ++n)
            folders.append(QLatin1String(prefix) + QStringLiteral("%1/").arg(n, 3, 10, QLatin1Char('0')));
    }
    TestTree tree(folders);
    const QString parent = tree.root() + QLatin1Char('/');
    open();
    addEntries({"a>A"}, parent);
    setCurrent(0);
    bool dialogOpened = false;
    answerDialogs([&](QDialog&) { dialogOpened = true; });
    FolderLoader& loader = window->loadController().loader();
    int served = 0;
    loader.onProcessEvents = [&] {
        if (served++ > 0)
            return;
        EXPECT_TRUE(button(CommandId::Cancel)->isEnabled());
        for (const CommandId id :
             {CommandId::TakeChosen, CommandId::TakeAll, CommandId::RemoveChosen, CommandId::RemoveAll,
              CommandId::RemoveCurrent, CommandId::PopupRemove, CommandId::Rename05, CommandId::EditCurrent,
              CommandId::RejectChanges, CommandId::OpenFromList}) {
            SCOPED_TRACE(window->ui().actions(id).first()->objectName().toStdString());
            EXPECT_FALSE(window->isEnabled(id));
            for (QAction* action : window->ui().actions(id)) {
                EXPECT_FALSE(action->isEnabled());
                action->trigger();
            }
        }
    };
    const auto paths = [&](const char* prefix) {
        QStringList result;
        for (int n = 0; n < 150; ++n)
            result.append(tree.path(QLatin1String(prefix) + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'))));
        return result;
    };
    // The open dialog's pending folders, and a list file as the command line names it.
    const QString listFile = tree.root() + QStringLiteral("/list.txt");
    QFile file(listFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(paths("e").join(QLatin1Char('\n')).toUtf8());
    file.close();
    const std::pair<const char*, std::function<void()>> loads[] = {
        {"pending folders",
         [&] {
             loader.lstOpen = paths("d");
             loader.LoadPendingFolders();
         }},
        {"list file", [&] { EXPECT_TRUE(loader.ReadListFile(listFile).ok()); }},
    };
    int expectedSize = 1;
    for (const auto& [name, load] : loads) {
        SCOPED_TRACE(name);
        served = 0;
        load();
        window->refreshPreview();
        expectedSize += 150;
        EXPECT_GE(served, 1);
        EXPECT_FALSE(dialogOpened);
        EXPECT_TRUE(app.prompter().asked().isEmpty());
        EXPECT_TRUE(tree.folders().contains(QStringLiteral("a")));
        EXPECT_EQ(window->list().size(), expectedSize);
        EXPECT_EQ(window->list().entry(0).newName, QStringLiteral("A"));
        // Afterwards the rules of the list apply again.
        EXPECT_TRUE(button(CommandId::TakeChosen)->isEnabled());
        EXPECT_FALSE(button(CommandId::Cancel)->isEnabled());
    }
}

TEST_F(MainWindowCommands, TakeChangesAsksWhenConfirmationIsOnAndSaysHowMany)
{
    TestTree tree({"a/", "b/", "c/"});
    const QString parent = tree.root() + QLatin1Char('/');
    store("Settings", "secquest2", QStringLiteral("1"));
    open();
    addEntries({"a>A", "b", "c>C"}, parent);
    app.prompter().expectButton(Prompter::No);
    button(CommandId::TakeChosen)->trigger();
    EXPECT_EQ(tree.folders(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(app.prompter().asked().at(0).text,
              app.state().message(QStringLiteral("msgTakeCount"), {QStringLiteral("2"), QStringLiteral("\n\n")}));
    app.prompter().expectButton(Prompter::Yes);
    item(CommandId::TakeAll)->trigger();
    EXPECT_EQ(tree.folders(), (QStringList{"A", "C", "b"}));
    EXPECT_EQ(window->list().entry(0).key(), parent + QStringLiteral("A/"));
}

TEST_F(MainWindowCommands, ExpertModeIsAskedFromTheItemNeverFromAnOpeningMenu)
{
    open();
    QMenu* experts = window->ui().mnuExperts;
    Q_EMIT experts->aboutToShow(); // opening a menu asks nothing (the scripted prompter fails on a question)
    for (const Prompter::Button answer : {Prompter::No, Prompter::Yes}) {
        EXPECT_EQ(experts->menuAction()->menu(), nullptr); // a plain item while expert mode is off
        app.prompter().expectButton(answer);
        experts->menuAction()->trigger();
        EXPECT_EQ(app.state().settings.flag(Settings::Key::ExpertMode), answer == Prompter::Yes);
        // Deleting folders is an expert's command.
        EXPECT_EQ(item(CommandId::DeleteFolders2)->isEnabled(), answer == Prompter::Yes);
    }
    EXPECT_EQ(experts->menuAction()->menu(), experts); // now it opens its submenu
    window->viewController().askForExpertMode();       // while it is on, nothing is asked
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
        mime.setData(PreviewList::kEntryMimeType, QByteArray("/p/c/"));
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

TEST_F(MainWindowCommands, ADroppedFolderWhoseNameIsNotUtf8AddsItsSubfolders)
{
    open();
    TestTree tree({"P/"});
    const QByteArray raw = FileNames::encode(tree.path("P")) + "/caf\xe9";
    ASSERT_EQ(mkdir(raw.constData(), 0755), 0);
    ASSERT_EQ(mkdir(raw + "/sub", 0755), 0);
    QMimeData mime;
    mime.setUrls({QUrl::fromEncoded("file://" + raw.toPercentEncoding("/"))});
    QWidget* viewport = window->ui().lstVorschau->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
    ASSERT_EQ(window->list().size(), 1);
    EXPECT_EQ(FileNames::encode(window->list().entry(0).key()), raw + "/sub/");
    // Removed here: the temporary folder cannot remove a name that is not UTF-8.
    EXPECT_EQ(rmdir(raw + "/sub"), 0);
    EXPECT_EQ(rmdir(raw), 0);
}

using MainWindowStartAndClose = MainWindowFixture;

TEST_F(MainWindowStartAndClose, CancelKeepsTheWindowAndStillWritesSettings)
{
    open();
    addEntries({"a>A"});
    window->list().headerClicked(3);
    app.state().settings.setFlag(Settings::Key::ExpertMode, true);
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
        EXPECT_FALSE(item(CommandId::ShowAssistant)->isChecked());
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

// A history file that is a pipe must neither stall the start nor be replaced.
TEST_F(MainWindowStartAndClose, APipeInPlaceOfTheHistoryDoesNotStallTheStart)
{
    ASSERT_EQ(mkfifo(FileNames::encode(app.settingsPath(QStringLiteral("renamed.vlp"))).constData(), 0600), 0);
    window = std::make_unique<MainWindow>(app.state(), app.prompter());
    window->loadHandler();
    struct stat st;
    ASSERT_EQ(stat(FileNames::encode(app.settingsPath(QStringLiteral("renamed.vlp"))).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(MainWindowStartAndClose, YesTakesPendingChangesBeforeClosing)
{
    TestTree tree({"a/"});
    open();
    app.state().settings.setFlag(Settings::Key::ProtocolRenames, true);
    addEntries({"a>A"}, tree.root() + QLatin1Char('/'));
    app.prompter().expectButton(Prompter::Yes);
    EXPECT_TRUE(window->closeRequest());
    EXPECT_EQ(tree.folders(), QStringList{"A"});
    QFile protocol(app.settingsPath(QStringLiteral("renamed.vlp")));
    EXPECT_TRUE(protocol.open(QIODevice::ReadOnly) && protocol.readAll().count('\n') == 1);
}

} // namespace
