#include "gui/mainwindow/MainWindowUi.h"

#include "core/preview/PreviewList.h"
#include "gui/mainwindow/CommandTable.h"
#include "gui/mainwindow/MainImageList.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "gui/settings/NamedWidget.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString itemName(CommandId id)
{
    return QLatin1String(CommandTable::command(id).item);
}

QString keyOf(CommandId id)
{
    return QLatin1String(CommandTable::command(id).key);
}

} // namespace

QMenu* MainWindowUi::addMenu(QWidget* parent, const QString& name)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    menu->setTitle(name);
    // Menu items that are not built yet say so in their tool tip.
    menu->setToolTipsVisible(true);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QMenu* MainWindowUi::addMenu(QMenu* parent, CommandId id)
{
    QMenu* menu = addMenu(parent, itemName(id));
    parent->addMenu(menu);
    m_items[static_cast<std::size_t>(id)] = menu->menuAction();
    return menu;
}

QAction* MainWindowUi::addItem(QMenu* menu, CommandId id)
{
    QAction* action = menu->addAction(itemName(id));
    action->setObjectName(itemName(id));
    m_items[static_cast<std::size_t>(id)] = action;
    return action;
}

void MainWindowUi::addSeparator(QMenu* menu, const QString& name)
{
    menu->addSeparator()->setObjectName(name);
}

void MainWindowUi::buildMenus(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    auto top = [&](const QString& name) {
        QMenu* menu = addMenu(window, name);
        bar->addMenu(menu);
        return menu;
    };
    auto sub = [&](QMenu* parent, const QString& name) {
        QMenu* menu = addMenu(parent, name);
        parent->addMenu(menu);
        return menu;
    };
    // A top menu that is a command of its own: the rules enable it as a whole.
    auto topCommand = [&](CommandId id) {
        QMenu* menu = top(itemName(id));
        m_items[static_cast<std::size_t>(id)] = menu->menuAction();
        return menu;
    };
    auto items = [&](QMenu* menu, std::initializer_list<CommandId> ids) {
        for (const CommandId id : ids)
            addItem(menu, id);
    };

    QMenu* file = top(QStringLiteral("mnuFile"));
    addItem(file, CommandId::OpenFolders)->setShortcut(QKeySequence::Open);
    addItem(file, CommandId::OpenFromList);
    items(addMenu(file, CommandId::RemoveMenu),
          {CommandId::RemoveAll, CommandId::RemoveSelected, CommandId::RemoveNotSelected, CommandId::RemoveChanged,
           CommandId::RemoveUnchanged});
    addSeparator(file, QStringLiteral("mnuFileLine1"));
    items(file, {CommandId::Options, CommandId::Update});
    addSeparator(file, QStringLiteral("mnuFileLine2"));
    addItem(file, CommandId::History);
    addSeparator(file, QStringLiteral("mnuFileLine3"));
    addItem(file, CommandId::End)->setShortcut(QKeySequence::Quit);

    QMenu* edit = topCommand(CommandId::EditMenu);
    addItem(edit, CommandId::Undo)->setShortcut(QKeySequence::Undo);
    items(addMenu(edit, CommandId::TakeMenu), {CommandId::TakeAll, CommandId::TakeSelected});
    addItem(edit, CommandId::SelectConflicts);
    addItem(edit, CommandId::RejectChanges);

    QMenu* view = top(QStringLiteral("mnuView"));
    QMenu* bars = sub(view, QStringLiteral("mnuShowBtnBars"));
    addItem(bars, CommandId::ShowMainBar)->setCheckable(true);
    addItem(bars, CommandId::ShowScriptBar)->setCheckable(true);
    QMenu* columns = sub(view, QStringLiteral("mnuViewPreview"));
    for (int n = 1; n <= 6; ++n) {
        QAction* item = addItem(columns, static_cast<CommandId>(static_cast<int>(CommandId::ShowColumn1) + n - 1));
        // The column menu shows the column captions.
        item->setProperty("tag", QStringLiteral("LstColHead0%1").arg(n));
        item->setCheckable(true);
        item->setChecked(true);
        mnuViewPre[static_cast<size_t>(n - 1)] = item;
    }

    QMenu* script = topCommand(CommandId::ScriptMenu);
    items(script, {CommandId::StartRecording, CommandId::StopRecording});
    addSeparator(script, QStringLiteral("mnuScriptLine1"));
    items(script, {CommandId::StartRunScript, CommandId::RunSelectedScript});

    QMenu* rename = topCommand(CommandId::RenameMenu);
    for (const int type : {1, 2, 9, 3, 4, 5, 6, 7, 8, 10})
        addItem(rename, renameCommand(type));
    addSeparator(rename, QStringLiteral("mnuRenameLine1"));
    addItem(rename, CommandId::NewNamesFromFile);
    addSeparator(rename, QStringLiteral("mnuRenameLine2"));
    addItem(rename, CommandId::EditCurrent)->setShortcut(Qt::Key_F2);

    QMenu* special = topCommand(CommandId::SpecialMenu);
    addItem(special, CommandId::FileList);
    addSeparator(special, QStringLiteral("mnuSpecialLine1"));
    items(special, {CommandId::CopyFolders, CommandId::MoveFolders});
    addSeparator(special, QStringLiteral("mnuSpecialLine2"));
    mnuExperts = addMenu(special, CommandId::Experts);
    addItem(mnuExperts, CommandId::RenameStructure);
    addSeparator(mnuExperts, QStringLiteral("mnuExpertsLine1"));
    items(mnuExperts, {CommandId::FolderAttributes, CommandId::DeleteFolders1, CommandId::DeleteFolders2});

    QMenu* help = top(QStringLiteral("mnuHelp"));
    addItem(help, CommandId::ShowAssistant)->setCheckable(true);
    addSeparator(help, QStringLiteral("mnuHelpLine1"));
    addItem(help, CommandId::HelpContent)->setShortcut(QKeySequence::HelpContents);
    addSeparator(help, QStringLiteral("mnuHelpLine2"));
    addItem(help, CommandId::Info);

    mnuPopup1 = addMenu(window, QStringLiteral("mnuPopup1"));
    items(mnuPopup1,
          {CommandId::PopupEdit, CommandId::PopupRemove, CommandId::CreateSubFolders, CommandId::PopupProperties});
}

QAction* MainWindowUi::addButton(QToolBar* bar, CommandId id)
{
    const QString key = keyOf(id);
    QAction* button = bar->addAction(MainImageList::image(key), key);
    button->setObjectName(key);
    m_buttons[static_cast<std::size_t>(id)] = button;
    return button;
}

QMenu* MainWindowUi::addDropDown(QToolBar* bar, QAction* button, std::initializer_list<CommandId> items)
{
    // The drop-down menu has no name of its own: its items are translated as entries of the button.
    auto* menu = new QMenu(bar);
    menu->setToolTipsVisible(true);
    for (const CommandId id : items) {
        QAction* item = menu->addAction(keyOf(id));
        item->setObjectName(keyOf(id));
        m_buttons[static_cast<std::size_t>(id)] = item;
    }
    button->setMenu(menu);
    if (auto* tool = qobject_cast<QToolButton*>(bar->widgetForAction(button)))
        tool->setPopupMode(QToolButton::MenuButtonPopup);
    return menu;
}

void MainWindowUi::buildBars(QMainWindow* window)
{
    btnBarMain = NamedWidget<QToolBar>(window, QStringLiteral("btnBarMain"));
    btnBarMain->setMovable(false);
    btnBarMain->setFloatable(false);
    window->addToolBar(Qt::TopToolBarArea, btnBarMain);
    addButton(btnBarMain, CommandId::OpenFolders);
    btnBarMain->addSeparator();
    addDropDown(btnBarMain, addButton(btnBarMain, CommandId::RemoveChosen),
                {CommandId::RemoveAll, CommandId::RemoveSelected, CommandId::RemoveNotSelected,
                 CommandId::RemoveChanged, CommandId::RemoveUnchanged});
    addDropDown(btnBarMain, addButton(btnBarMain, CommandId::TakeChosen),
                {CommandId::TakeAll, CommandId::TakeSelected});
    addButton(btnBarMain, CommandId::RejectChanges);
    addButton(btnBarMain, CommandId::Undo);
    btnBarMain->addSeparator();
    for (int type = 1; type <= 10; ++type)
        addButton(btnBarMain, renameCommand(type));
    addButton(btnBarMain, CommandId::Rename99);
    lstApplyTo = NamedWidget<QComboBox>(btnBarMain, QStringLiteral("lstApplyTo"));
    lstApplyTo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    btnBarMain->addWidget(lstApplyTo);
    btnBarMain->addSeparator();
    addButton(btnBarMain, CommandId::Options);

    window->addToolBarBreak(Qt::TopToolBarArea);
    btnbarScript = NamedWidget<QToolBar>(window, QStringLiteral("btnbarScript"));
    btnbarScript->setMovable(false);
    btnbarScript->setFloatable(false);
    window->addToolBar(Qt::TopToolBarArea, btnbarScript);
    addButton(btnbarScript, CommandId::StartRecording);
    addButton(btnbarScript, CommandId::StopRecording);
    addButton(btnbarScript, CommandId::StartRunScript);
    QAction* chooser = addButton(btnbarScript, CommandId::ChooseScript);
    scripts = addDropDown(btnbarScript, chooser, {});
    lblSelectedScript = NamedWidget<QLabel>(btnbarScript, QStringLiteral("lblSelectedScript"));
    lblSelectedScript->setContentsMargins(8, 0, 8, 0);
    // Script names are the user's own text, never markup.
    lblSelectedScript->setTextFormat(Qt::PlainText);
    btnbarScript->addWidget(lblSelectedScript);

    btnBarLeft = NamedWidget<QToolBar>(window, QStringLiteral("btnBarLeft"));
    btnBarLeft->setMovable(false);
    btnBarLeft->setFloatable(false);
    btnBarLeft->setOrientation(Qt::Vertical);
    window->addToolBar(Qt::LeftToolBarArea, btnBarLeft);
    for (const CommandId id :
         {CommandId::EditCurrent, CommandId::RemoveCurrent, CommandId::Properties, CommandId::Cancel})
        addButton(btnBarLeft, id);
}

void MainWindowUi::buildCentre(QMainWindow* window, PreviewList& list)
{
    auto* centre = new QWidget(window);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    lstVorschau = new PreviewTableView(list, centre);
    QStringList tags;
    for (int n = 1; n <= PreviewList::kVisibleColumns; ++n)
        tags.append(QStringLiteral("lstColHead0%1").arg(n));
    lstVorschau->setProperty("columnTags", tags);
    layout->addWidget(lstVorschau, 1);

    auto* panel = new QGridLayout;
    panel->setHorizontalSpacing(12);
    panel->setVerticalSpacing(2);
    panel->setColumnStretch(1, 1);
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(centre);
        caption->setObjectName(QStringLiteral("lbl1(%1)").arg(i + 1));
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        auto* value = new QLabel(centre);
        value->setObjectName(QStringLiteral("lbl2(%1)").arg(i + 1));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(1);
        lbl1[static_cast<size_t>(i)] = caption;
        lbl2[static_cast<size_t>(i)] = value;
        panel->addWidget(caption, i, 0);
        panel->addWidget(value, i, 1);
    }
    layout->addLayout(panel);
    window->setCentralWidget(centre);

    status = NamedWidget<QLabel>(window, QStringLiteral("Status"));
    status->setProperty("tag", 0);
    window->statusBar()->addWidget(status, 1);
    // Beside the status panel, so that refreshes writing their counts there do not hide it.
    lblRecording = NamedWidget<QLabel>(window, QStringLiteral("lblRecording"));
    lblRecording->setVisible(false);
    window->statusBar()->addPermanentWidget(lblRecording);
}

void MainWindowUi::setupUi(QMainWindow* window, PreviewList& list)
{
    window->setObjectName(QStringLiteral("frmMain"));
    buildMenus(window);
    buildBars(window);
    buildCentre(window, list);
}

QList<QAction*> MainWindowUi::actions(CommandId id) const
{
    QList<QAction*> found;
    for (QAction* a : {menuItem(id), button(id)}) {
        if (a)
            found.append(a);
    }
    return found;
}
