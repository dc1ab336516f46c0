#pragma once

#include <QHash>
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
// button bars, the preview table with the current-entry panel beneath it, and the status bar. Menu
// items and submenus are found by name, bar buttons by bar and key.
struct MainWindowUi
{
    void setupUi(QMainWindow* window, PreviewList& list);

    QAction* action(const QString& name) const; // a menu item, or the menu action of a submenu
    QMenu* menu(const QString& name) const;
    QAction* mainButton(const QString& key) const;
    QAction* scriptButton(const QString& key) const;
    QAction* leftButton(const QString& key) const;
    // Every menu item and bar button (not separators, not submenus).
    QList<QAction*> allCommands() const;

    QToolBar* btnBarMain = nullptr;
    QToolBar* btnbarScript = nullptr;
    QToolBar* btnBarLeft = nullptr;
    QComboBox* lstApplyTo = nullptr;
    QLabel* lblSelectedScript = nullptr;
    QLabel* status = nullptr; // the status panel "Status"
    PreviewTableView* lstVorschau = nullptr;
    std::array<QLabel*, 3> lbl1{}; // captions of the current-entry panel
    std::array<QLabel*, 3> lbl2{}; // parent path, old name, new name of the current entry
    QMenu* mnuPopup1 = nullptr;
    std::array<QAction*, 6> mnuViewPre{};

private:
    QMenu* addMenu(QWidget* parent, const QString& name);
    QAction* addItem(QMenu* menu, const QString& name);
    void addSeparator(QMenu* menu, const QString& name);
    QAction* addButton(QToolBar* bar, const QString& key, QHash<QString, QAction*>& keys);
    void addDropDown(QToolBar* bar, QAction* button, const QStringList& itemKeys);
    void buildMenus(QMainWindow* window);
    void buildBars(QMainWindow* window);
    void buildCentre(QMainWindow* window, PreviewList& list);

    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAction*> m_mainKeys;
    QHash<QString, QAction*> m_scriptKeys;
    QHash<QString, QAction*> m_leftKeys;
};
