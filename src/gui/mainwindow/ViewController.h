#pragma once

#include <QObject>
#include <functional>

struct AppState;
struct WindowSession;
struct MainWindowUi;
class QDialog;

// The commands about the window itself: showing the button bars and columns, expert mode, the options,
// the assistant, the help, the about window and ending the program.
class ViewController : public QObject
{
    Q_OBJECT

public:
    ViewController(AppState& state, WindowSession& session, MainWindowUi& ui);

    void showMainBar(bool shown);
    void showScriptBar(bool shown);
    // Column 1 to 6 of the columns menu.
    void showColumn(int column, bool shown) { Q_EMIT columnToggled(column, shown); }
    // Asks before switching expert mode on; does nothing while it is on.
    void askForExpertMode();
    void openHelp();
    void end() { Q_EMIT endRequested(); }
    void openOptions();
    void showAssistant(bool shown) { Q_EMIT assistantToggled(shown); }
    void showAbout();
    // Opens the project's web page, where new versions are announced.
    void openProjectPage();

    // Runs a modal dialog and returns its result; tests operate the dialog instead of waiting on it.
    using DialogRunner = std::function<int(QDialog&)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

Q_SIGNALS:
    void columnToggled(int column, bool shown);
    void expertModeChanged();
    void endRequested();
    // The options were confirmed: the texts and the commands' enabling may have changed.
    void optionsChanged();
    void assistantToggled(bool shown);

private:
    AppState& m_state;
    WindowSession& m_session;
    MainWindowUi& m_ui;
    DialogRunner m_runDialog;
};
