#pragma once

#include <QPoint>
#include <QString>

class MainWindow;
class QAction;

// The commands that act on the preview list: removing entries (five variants and the current entry),
// taking changes, undo and reject of proposals, the history, sorting by a header click, showing and hiding columns, the
// context menu and moving entries by drag and drop.
class MainWindowPreviewCommands
{
public:
    explicit MainWindowPreviewCommands(MainWindow& window);

    // Removes entries by the variant in the "DelList" button's tag; a non-empty key first becomes the
    // tag ("DelList1" … "DelList5").
    void RemoveEntries(const QString& chosenKey = QString());
    void removeCurrentEntry();
    // The take-changes command by the variant in the "TakeChanges" button's tag.
    void takeChanges(const QString& chosenKey = QString());
    // Takes every change (whole-list run) and shows what failed; the caller refreshes.
    void commitAll();
    // Steps every proposal back one level, or throws all proposals away (each asks first when set to).
    void undoProposals();
    void rejectProposals();

    void headerClicked(int column);
    void showColumn(int menuIndex, bool shown);
    void openContextMenu(const QPoint& globalPos);

private:
    void connectCommands();
    // A drop-down button keeps the item last chosen from its menu in its tag; a click on the button itself
    // (chosenKey empty) repeats it. Updates the tool tip (menu caption and the item's text in brackets,
    // fallbackKey's while nothing was chosen yet) and returns the tag.
    QString chooseItem(const QString& buttonName, const QString& menuName, const QString& chosenKey,
                       const QString& fallbackKey);
    void describeChoice(QAction* button, const QString& menuName, const QString& itemKey);

    MainWindow& m_window;
};
