#pragma once

#include <QString>

class MainWindow;

// The commands about the window itself: showing the button bars, expert mode, the assistant's check
// mark, the help, ending the program, and the cancel button of a running load.
class MainWindowViewCommands
{
public:
    explicit MainWindowViewCommands(MainWindow& window);

    void showMainBar(bool shown);
    void showScriptBar(bool shown);
    // Asks before switching expert mode on; does nothing while it is on.
    void askForExpertMode();
    void openHelp();
    // Texts that depend on the language beyond the control captions.
    void applyTexts();

private:
    MainWindow& m_window;
};
