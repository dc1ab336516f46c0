#pragma once

#include <QObject>

struct AppState;
struct WindowSession;
struct MainWindowUi;

// The commands about the window itself: showing the button bars and columns, expert mode, the help and
// ending the program.
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

Q_SIGNALS:
    void columnToggled(int column, bool shown);
    void expertModeChanged();
    void endRequested();

private:
    AppState& m_state;
    WindowSession& m_session;
    MainWindowUi& m_ui;
};
