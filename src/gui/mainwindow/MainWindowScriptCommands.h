#pragma once

#include <QString>
#include <optional>

class MainWindow;

// The script commands of the menu and the script bar: start and stop recording (with the enabling of
// both), and the "RunSelectedScript" drop-down with the saved scripts, where choosing an entry selects
// that script: the button keeps its file name in its tag and lblSelectedScript shows its text.
class MainWindowScriptCommands
{
public:
    explicit MainWindowScriptCommands(MainWindow& window);

    void startRecording();
    // Stops the recording and saves the script when it has steps (asking for its name).
    void stopRecording();
    // Rebuilds the drop-down of "RunSelectedScript" from the script folder.
    void ListScripts();
    void chooseScript(const QString& fileName, const QString& text);
    // The file name of the chosen script; empty when none is chosen.
    QString chosenScript() const;
    // Start is usable while no recording runs, stop only while one does.
    void updateRecordingCommands();
    // The run button's tool tip says that running is not available yet; its drop-down works.
    void applyTexts();

private:
    // The new script's name (the current date and time proposed); nothing when the user discards it.
    std::optional<QString> askScriptName();

    MainWindow& m_window;
};
