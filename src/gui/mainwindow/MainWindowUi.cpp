#include "gui/mainwindow/MainWindowUi.h"

#include "core/preview/PreviewList.h"
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

QMenu* MainWindowUi::addMenu(QWidget* parent, const QString& name)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    menu->setTitle(name);
    // Menu items that are not built yet say so in their tool tip.
    menu->setToolTipsVisible(true);
    menu->menuAction()->setObjectName(name);
    m_menus.insert(name, menu);
    m_actions.insert(name, menu->menuAction());
    return menu;
}

QAction* MainWindowUi::addItem(QMenu* menu, const QString& name)
{
    QAction* action = menu->addAction(name);
    action->setObjectName(name);
    m_actions.insert(name, action);
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

    QMenu* file = top(QStringLiteral("mnuFile"));
    addItem(file, QStringLiteral("mnuOpenFile"))->setShortcut(QKeySequence::Open);
    addItem(file, QStringLiteral("mnuOpenFromList"));
    QMenu* delList = sub(file, QStringLiteral("mnuDelList"));
    for (int n = 1; n <= 5; ++n)
        addItem(delList, QStringLiteral("mnuDelList%1").arg(n));
    addSeparator(file, QStringLiteral("mnuFileLine1"));
    addItem(file, QStringLiteral("mnuOptions"));
    addItem(file, QStringLiteral("mnuUpdate"));
    addSeparator(file, QStringLiteral("mnuFileLine2"));
    addItem(file, QStringLiteral("mnuHistory"));
    addSeparator(file, QStringLiteral("mnuFileLine3"));
    addItem(file, QStringLiteral("mnuEnd"))->setShortcut(QKeySequence::Quit);

    QMenu* edit = top(QStringLiteral("mnuEdit"));
    addItem(edit, QStringLiteral("mnuUndo"))->setShortcut(QKeySequence::Undo);
    QMenu* take = sub(edit, QStringLiteral("mnuTakeChanges"));
    addItem(take, QStringLiteral("mnuTakeChanges1"));
    addItem(take, QStringLiteral("mnuTakeChanges2"));
    addItem(edit, QStringLiteral("mnuRejectChanges"));

    QMenu* view = top(QStringLiteral("mnuView"));
    QMenu* bars = sub(view, QStringLiteral("mnuShowBtnBars"));
    addItem(bars, QStringLiteral("mnuShowBtnBarMain"))->setCheckable(true);
    addItem(bars, QStringLiteral("mnuShowBtnBarScript"))->setCheckable(true);
    QMenu* columns = sub(view, QStringLiteral("mnuViewPreview"));
    for (int n = 1; n <= 6; ++n) {
        QAction* item = addItem(columns, QStringLiteral("mnuViewPre(%1)").arg(n));
        // The column menu shows the column captions.
        item->setProperty("tag", QStringLiteral("LstColHead0%1").arg(n));
        item->setCheckable(true);
        item->setChecked(true);
        // Path, old name and new name are always shown.
        item->setEnabled(n >= 4);
        mnuViewPre[static_cast<size_t>(n - 1)] = item;
    }

    QMenu* script = top(QStringLiteral("mnuScript"));
    addItem(script, QStringLiteral("mnuStartRecordScript"));
    addItem(script, QStringLiteral("mnuStopRecordScript"));
    addSeparator(script, QStringLiteral("mnuScriptLine1"));
    addItem(script, QStringLiteral("mnuStartRunScript"));
    addItem(script, QStringLiteral("mnuRunSelectedScript"));

    QMenu* rename = top(QStringLiteral("mnuRename"));
    for (const char* n : {"01", "02", "09", "03", "04", "05", "06", "07", "08", "10"})
        addItem(rename, QStringLiteral("mnuRename") + QLatin1String(n));
    addSeparator(rename, QStringLiteral("mnuRenameLine1"));
    addItem(rename, QStringLiteral("mnuNewNamesFromFile"));
    addSeparator(rename, QStringLiteral("mnuRenameLine2"));
    addItem(rename, QStringLiteral("mnuEditMan"))->setShortcut(Qt::Key_F2);

    QMenu* special = top(QStringLiteral("mnuSpecial"));
    addItem(special, QStringLiteral("mnuFileList"));
    addSeparator(special, QStringLiteral("mnuSpecialLine1"));
    addItem(special, QStringLiteral("mnuCopyFolders"));
    addItem(special, QStringLiteral("mnuMoveFolders"));
    addSeparator(special, QStringLiteral("mnuSpecialLine2"));
    QMenu* experts = sub(special, QStringLiteral("mnuExperts"));
    addItem(experts, QStringLiteral("mnuRenameStructure"));
    addSeparator(experts, QStringLiteral("mnuExpertsLine1"));
    addItem(experts, QStringLiteral("mnuFolderAttributes"));
    addItem(experts, QStringLiteral("mnuDeleteFolders1"));
    addItem(experts, QStringLiteral("mnuDeleteFolders2"));

    QMenu* help = top(QStringLiteral("mnuHelp"));
    addItem(help, QStringLiteral("mnuShowAssistant"))->setCheckable(true);
    addSeparator(help, QStringLiteral("mnuHelpLine1"));
    addItem(help, QStringLiteral("mnuHelpContent"))->setShortcut(QKeySequence::HelpContents);
    addSeparator(help, QStringLiteral("mnuHelpLine2"));
    addItem(help, QStringLiteral("mnuInfo"));

    mnuPopup1 = addMenu(window, QStringLiteral("mnuPopup1"));
    for (const char* name : {"btnBarLeftEditMan", "btnBarLeftDel1File", "mnuCreateSubFolders", "btnBarLeftProperties"})
        addItem(mnuPopup1, QLatin1String(name));
}

QAction* MainWindowUi::addButton(QToolBar* bar, const QString& key, QHash<QString, QAction*>& keys)
{
    QAction* button = bar->addAction(MainImageList::image(key), key);
    button->setObjectName(key);
    keys.insert(key, button);
    return button;
}

void MainWindowUi::addDropDown(QToolBar* bar, QAction* button, const QStringList& itemKeys)
{
    // The drop-down menu has no name of its own: its items are translated as entries of the button.
    auto* menu = new QMenu(bar);
    for (const QString& key : itemKeys) {
        QAction* item = menu->addAction(key);
        item->setObjectName(key);
    }
    button->setMenu(menu);
    if (auto* tool = qobject_cast<QToolButton*>(bar->widgetForAction(button)))
        tool->setPopupMode(QToolButton::MenuButtonPopup);
}

void MainWindowUi::buildBars(QMainWindow* window)
{
    btnBarMain = NamedWidget<QToolBar>(window, QStringLiteral("btnBarMain"));
    btnBarMain->setMovable(false);
    btnBarMain->setFloatable(false);
    window->addToolBar(Qt::TopToolBarArea, btnBarMain);
    addButton(btnBarMain, QStringLiteral("OpenFile"), m_mainKeys);
    btnBarMain->addSeparator();
    QAction* delList = addButton(btnBarMain, QStringLiteral("DelList"), m_mainKeys);
    addDropDown(btnBarMain, delList,
                {QStringLiteral("DelList1"), QStringLiteral("DelList2"), QStringLiteral("DelList3"),
                 QStringLiteral("DelList4"), QStringLiteral("DelList5")});
    QAction* take = addButton(btnBarMain, QStringLiteral("TakeChanges"), m_mainKeys);
    addDropDown(btnBarMain, take, {QStringLiteral("TakeChanges1"), QStringLiteral("TakeChanges2")});
    addButton(btnBarMain, QStringLiteral("RejectChanges"), m_mainKeys);
    addButton(btnBarMain, QStringLiteral("Undo"), m_mainKeys);
    btnBarMain->addSeparator();
    for (int n = 1; n <= 10; ++n)
        addButton(btnBarMain, QStringLiteral("Rename%1").arg(n, 2, 10, QLatin1Char('0')), m_mainKeys);
    addButton(btnBarMain, QStringLiteral("Rename99"), m_mainKeys);
    lstApplyTo = NamedWidget<QComboBox>(btnBarMain, QStringLiteral("lstApplyTo"));
    lstApplyTo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    btnBarMain->addWidget(lstApplyTo);
    btnBarMain->addSeparator();
    addButton(btnBarMain, QStringLiteral("Options"), m_mainKeys);

    window->addToolBarBreak(Qt::TopToolBarArea);
    btnbarScript = NamedWidget<QToolBar>(window, QStringLiteral("btnbarScript"));
    btnbarScript->setMovable(false);
    btnbarScript->setFloatable(false);
    window->addToolBar(Qt::TopToolBarArea, btnbarScript);
    addButton(btnbarScript, QStringLiteral("StartRecordScript"), m_scriptKeys);
    addButton(btnbarScript, QStringLiteral("StopRecordScript"), m_scriptKeys);
    addButton(btnbarScript, QStringLiteral("StartRunScript"), m_scriptKeys);
    QAction* runSelected = addButton(btnbarScript, QStringLiteral("RunSelectedScript"), m_scriptKeys);
    addDropDown(btnbarScript, runSelected, {});
    lblSelectedScript = NamedWidget<QLabel>(btnbarScript, QStringLiteral("lblSelectedScript"));
    lblSelectedScript->setContentsMargins(8, 0, 8, 0);
    btnbarScript->addWidget(lblSelectedScript);

    btnBarLeft = NamedWidget<QToolBar>(window, QStringLiteral("btnBarLeft"));
    btnBarLeft->setMovable(false);
    btnBarLeft->setFloatable(false);
    btnBarLeft->setOrientation(Qt::Vertical);
    window->addToolBar(Qt::LeftToolBarArea, btnBarLeft);
    for (const char* key : {"EditMan", "DelList", "Properties", "CancelAction"})
        addButton(btnBarLeft, QLatin1String(key), m_leftKeys);
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
}

void MainWindowUi::setupUi(QMainWindow* window, PreviewList& list)
{
    window->setObjectName(QStringLiteral("frmMain"));
    buildMenus(window);
    buildBars(window);
    buildCentre(window, list);
}

QAction* MainWindowUi::action(const QString& name) const
{
    return m_actions.value(name);
}

QMenu* MainWindowUi::menu(const QString& name) const
{
    return m_menus.value(name);
}

QAction* MainWindowUi::mainButton(const QString& key) const
{
    return m_mainKeys.value(key);
}

QAction* MainWindowUi::scriptButton(const QString& key) const
{
    return m_scriptKeys.value(key);
}

QAction* MainWindowUi::leftButton(const QString& key) const
{
    return m_leftKeys.value(key);
}

QList<QAction*> MainWindowUi::allCommands() const
{
    QList<QAction*> commands;
    for (QAction* a : m_actions) {
        if (!a->menu())
            commands.append(a);
    }
    for (const auto* keys : {&m_mainKeys, &m_scriptKeys, &m_leftKeys})
        commands.append(keys->values());
    return commands;
}
