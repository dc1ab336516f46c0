#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct AppState;
struct WindowSession;
class QDialog;
class QMenu;
class QWidget;
class RenameController;

// The script commands of the menu and the script bar: start and stop recording, the dialog that runs a
// saved script, and the drop-down of saved scripts, where choosing an entry selects that script and
// pressing the button runs it. A script runs by opening the rename dialog of each step in turn.
class ScriptController : public QObject
{
    Q_OBJECT

public:
    // How a modal dialog is run: exec() in the program; tests answer the dialog instead.
    using DialogRunner = std::function<int(QDialog&)>;

    // `scripts` is the drop-down that lists the saved scripts; the rename controller opens the dialogs of
    // the steps; runCaption is the caption of the command that opens the script dialog.
    ScriptController(AppState& state, WindowSession& session, QMenu& scripts, RenameController& rename,
                     std::function<QString()> runCaption, QWidget* dialogParent);

    void startRecording();
    // Stops the recording and saves the script when it has steps (asking for its name).
    void stopRecording();
    // Rebuilds the drop-down of saved scripts from the script folder.
    void ListScripts();
    void chooseScript(const QString& fileName, const QString& text);
    // The file name of the chosen script; empty when none is chosen.
    QString chosenScript() const { return m_chosen; }

    // "frmScript": the user chooses a script and how to run it, then it runs.
    void startRunScript();
    // The script bar's button: runs the chosen script, all steps at once. When its file is gone, the
    // label of the chosen script says that none is chosen.
    void runChosenScript();
    // Replays a script file, 1 all steps at once, 2 step by step. A script that cannot run is named in a
    // message and nothing changes; a run-all replay shows its progress and can be cancelled between steps.
    void runScript(const QString& path, int runMode);
    // Runs scripts all at once, in order, once the event loop serves the shown window: the scripts of the
    // command line.
    void runScriptsLater(const QStringList& paths);

    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

Q_SIGNALS:
    void recordingChanged();
    void scriptsListed();
    // The text of the chosen script (empty when none is).
    void scriptChosen(const QString& text);
    void statusText(const QString& text);
    // A replay ended: the status line goes back to the list's counts.
    void runEnded();

private:
    // The new script's name (the current date and time proposed); nothing when the user discards it.
    std::optional<QString> askScriptName();

    AppState& m_state;
    WindowSession& m_session;
    QMenu& m_scripts;
    RenameController& m_rename;
    std::function<QString()> m_runCaption;
    QWidget* m_dialogParent;
    DialogRunner m_runDialog;
    QString m_chosen;
};
