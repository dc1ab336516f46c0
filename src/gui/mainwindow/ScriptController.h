#pragma once

#include <QObject>
#include <QString>
#include <optional>

struct AppState;
struct WindowSession;
class QMenu;

// The script commands of the menu and the script bar: start and stop recording, and the drop-down of
// saved scripts, where choosing an entry selects that script.
class ScriptController : public QObject
{
    Q_OBJECT

public:
    // `scripts` is the drop-down that lists the saved scripts.
    ScriptController(AppState& state, WindowSession& session, QMenu& scripts);

    void startRecording();
    // Stops the recording and saves the script when it has steps (asking for its name).
    void stopRecording();
    // Rebuilds the drop-down of saved scripts from the script folder.
    void ListScripts();
    void chooseScript(const QString& fileName, const QString& text);
    // The file name of the chosen script; empty when none is chosen.
    QString chosenScript() const { return m_chosen; }

Q_SIGNALS:
    void recordingChanged();
    void scriptsListed();
    // The text of the chosen script (empty when none is).
    void scriptChosen(const QString& text);

private:
    // The new script's name (the current date and time proposed); nothing when the user discards it.
    std::optional<QString> askScriptName();

    AppState& m_state;
    WindowSession& m_session;
    QMenu& m_scripts;
    QString m_chosen;
};
