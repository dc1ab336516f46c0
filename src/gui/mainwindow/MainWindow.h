#pragma once

#include "core/preview/PreviewList.h"
#include "gui/mainwindow/MainWindowUi.h"
#include "gui/mainwindow/WindowSession.h"

#include <QMainWindow>
#include <functional>
#include <memory>

struct AppState;
struct CommitReport;
class MainWindowLoadCommands;
class MainWindowPreviewCommands;
class MainWindowRenameCommands;
class MainWindowScriptCommands;
class MainWindowSettings;
class MainWindowViewCommands;

// The main window ("frmMain"): the preview list with its current-entry panel, the menus and button
// bars, the status line. Command handlers live in their own classes by area; this class holds what
// they share: the refresh after every change, the enabling of commands, the texts, and the load and
// close sequences.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
    ~MainWindow() override;

    AppState& state() { return m_state; }
    WindowSession& session() { return m_session; }
    Prompter& prompter() { return m_session.prompter; }
    PreviewList& list() { return m_list; }
    MainWindowUi& ui() { return m_ui; }
    MainWindowPreviewCommands& previewCommands() { return *m_preview; }
    MainWindowViewCommands& viewCommands() { return *m_view; }
    MainWindowLoadCommands& loadCommands() { return *m_load; }
    MainWindowRenameCommands& renameCommands() { return *m_rename; }
    MainWindowScriptCommands& scriptCommands() { return *m_script; }

    // Runs once after the global initialisation: reads the stored window, column, sort and flag
    // settings, prepares the protocol and scratch files, puts the texts on and shows the window.
    void loadHandler();
    bool isLoading() const { return m_loading; }

    // The close sequence: writes the window settings, asks about a running recording and pending
    // changes. False when the user cancelled the close.
    bool closeRequest();

    // Puts the language texts on every control (also after the language changed).
    void applyTexts();

    // Recomputes everything derived from the entries and the enabled state of the commands. Called after
    // every operation that changes entries.
    void refreshPreview();
    void ShowCurrentEntry();
    void HideWorkColumns();

    // Shows what a take-changes run could not rename.
    void showCommitFailures(const CommitReport& report);

    // Enables a command as far as the rules allow; commands that are not built yet stay disabled.
    void setCommandEnabled(QAction* command, bool enabled);
    // What the rules last said about a command, whether or not it is built.
    static bool commandAllowed(const QAction* command);
    static bool commandBuilt(const QAction* command);

    void applyExpertMode();
    // The cancel button works only while folders are being loaded.
    void setLoadingFolders(bool loading);
    // Stops a running recording and saves the script (called by the close sequence).
    void setRecordingStopper(std::function<void()> stopper) { m_stopRecording = std::move(stopper); }

    // Column widths of header positions 1 to 19 (columns 0 to 18) in twips; 0 hides the column.
    int columnWidthTwips(int column) const;
    void setColumnWidthTwips(int column, int twips);
    // A default width, widened when the font needs more room for a time stamp than it gives.
    int fittedWidth(int column, int twips) const;
    int toPixels(int twips) const;
    int toTwips(int pixels) const;

    // Text of a main-window key of the language file, and the caption of a menu item without "&".
    QString text(const QString& key) const;
    QString plainCaption(const QString& menuItem) const;
    QString notAvailableText(const QString& caption) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void markCommandsNotBuilt();
    void updateLeftBar();

    AppState& m_state;
    WindowSession m_session;
    PreviewList m_list;
    MainWindowUi m_ui;
    std::unique_ptr<MainWindowSettings> m_settings;
    std::unique_ptr<MainWindowPreviewCommands> m_preview;
    std::unique_ptr<MainWindowViewCommands> m_view;
    std::unique_ptr<MainWindowLoadCommands> m_load;
    std::unique_ptr<MainWindowRenameCommands> m_rename;
    std::unique_ptr<MainWindowScriptCommands> m_script;
    std::function<void()> m_stopRecording;
    bool m_loading = false;
};
