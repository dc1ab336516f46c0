#pragma once

#include <QString>
#include <functional>

class MainWindow;
class QDialog;
struct RenameDialogHost;

// The rename commands: the rename slots "Rename01" … "Rename10" of the menu and the main bar open the
// dialog of their type number, modally; manual edit of the current entry from the menu, the left bar and
// the context menu.
class MainWindowRenameCommands
{
public:
    // How a modal dialog is run: exec() in the program; tests answer the dialog instead.
    using DialogRunner = std::function<int(QDialog&)>;

    explicit MainWindowRenameCommands(MainWindow& window);

    // Opens the rename dialog of a type number (3 folder extension, 4 case, 5 prefix and suffix …) and
    // waits until it is closed; false when that dialog is not part of the program yet. Script runs open
    // their steps' dialogs through here as well.
    bool openRenameDialog(int type);
    // Manual edit of the current entry.
    void editManually();

    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    int runDialog(QDialog& dialog) const { return m_runDialog(dialog); }

private:
    RenameDialogHost hostFor(int type) const;

    MainWindow& m_window;
    DialogRunner m_runDialog;
};
