#pragma once

#include "core/preview/CommandId.h"

#include <QList>
#include <QString>
#include <array>

class PreviewList;
class PreviewTableView;
class QAction;
class QComboBox;
class QLabel;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

// The controls of the main window, built in code under their given names: the menu tree, the three
// button bars, the preview table with the current-entry panel beneath it, and the status bar. Commands
// take their names from the command table and are found by their id.
struct MainWindowUi
{
    void setupUi(QMainWindow* window, PreviewList& list);

    // A command's menu item (or the menu action of its submenu, or its context-menu entry), and its bar
    // button (or drop-down entry); null where it has none.
    QAction* menuItem(CommandId id) const { return m_items[static_cast<std::size_t>(id)]; }
    QAction* button(CommandId id) const { return m_buttons[static_cast<std::size_t>(id)]; }
    QList<QAction*> actions(CommandId id) const;

    QToolBar* btnBarMain = nullptr;
    QToolBar* btnbarScript = nullptr;
    QToolBar* btnBarLeft = nullptr;
    QComboBox* lstApplyTo = nullptr;
    QLabel* lblSelectedScript = nullptr;
    QLabel* status = nullptr;       // the status panel "Status"
    QLabel* lblRecording = nullptr; // shown while a script is being recorded
    PreviewTableView* lstVorschau = nullptr;
    std::array<QLabel*, 3> lbl1{}; // captions of the current-entry panel
    std::array<QLabel*, 3> lbl2{}; // parent path, old name, new name of the current entry
    QMenu* mnuPopup1 = nullptr;
    QMenu* mnuExperts = nullptr;
    QMenu* scripts = nullptr; // the drop-down of saved scripts
    std::array<QAction*, 6> mnuViewPre{};

private:
    QMenu* addMenu(QWidget* parent, const QString& name);
    QMenu* addMenu(QMenu* parent, CommandId id);
    QAction* addItem(QMenu* menu, CommandId id);
    void addSeparator(QMenu* menu, const QString& name);
    QAction* addButton(QToolBar* bar, CommandId id);
    QMenu* addDropDown(QToolBar* bar, QAction* button, std::initializer_list<CommandId> items);
    void buildMenus(QMainWindow* window);
    void buildBars(QMainWindow* window);
    void buildCentre(QMainWindow* window, PreviewList& list);

    std::array<QAction*, kCommandCount> m_items{};
    std::array<QAction*, kCommandCount> m_buttons{};
};
