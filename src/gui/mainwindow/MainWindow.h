#pragma once

#include "core/preview/CommandRules.h"
#include "core/preview/PreviewList.h"
#include "gui/mainwindow/MainWindowUi.h"
#include "gui/mainwindow/WindowSession.h"

#include <QMainWindow>
#include <memory>

struct AppState;
class AssistantDialog;
class AttributesController;
class LoadController;
class MainWindowSettings;
class PreviewController;
class RenameController;
class ScriptController;
class ViewController;

// The main window ("frmMain"): the preview list with its current-entry panel, the menus and button
// bars, the status line. It builds the controls from the command table, connects each command to its
// controller, and enables the commands by the core's rule whenever something it depends on changes.
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
    PreviewController& previewController() { return *m_preview; }
    LoadController& loadController() { return *m_load; }
    RenameController& renameController() { return *m_rename; }
    ScriptController& scriptController() { return *m_script; }
    ViewController& viewController() { return *m_view; }
    AttributesController& attributesController() { return *m_attributes; }

    // Runs once after the global initialisation: reads the stored window, column, sort and flag
    // settings, prepares the protocol and scratch files, puts the texts on and shows the window.
    void loadHandler();

    // The close sequence: writes the window settings, asks about a running recording and pending
    // changes. False when the user cancelled the close.
    bool closeRequest();

    // Puts the language texts on every control (also after the language changed).
    void applyTexts();

    // Recomputes everything derived from the entries. Called after every operation that changes entries.
    void refreshPreview();
    void ShowCurrentEntry();

    bool isEnabled(CommandId id) const { return contains(m_enabled, id); }
    const CommandSet& enabledCommands() const { return m_enabled; }

    // The assistant window, once it has been shown; null before.
    AssistantDialog* assistant() const { return m_assistant; }

    // Column widths of header positions 1 to 19 (columns 0 to 18) in twips, as the user set them (the
    // name columns show wider on a wide window); 0 hides the column.
    int columnWidthTwips(int column) const;
    void setColumnWidthTwips(int column, int twips);
    // A default width, widened when the font needs more room for a time stamp than it gives.
    int fittedWidth(int column, int twips) const;
    int toPixels(int twips) const;
    int toTwips(int pixels) const;

    // Text of a main-window key of the language file, and the caption of a command's menu item without "&".
    QString text(const QString& key) const;
    QString plainCaption(CommandId id) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectCommands();
    void connectControllers();
    void updateCommands();
    void showRecording();
    void markCommandsNotBuilt();
    void showRefreshed();
    void describeChoice(CommandId button, CommandId variant);
    void showColumn(int column, bool shown);
    void openContextMenu(const QPoint& globalPos);
    void showAssistant(bool shown);
    QString notAvailableText(const QString& caption) const;

    AppState& m_state;
    WindowSession m_session;
    PreviewList m_list;
    MainWindowUi m_ui;
    std::unique_ptr<MainWindowSettings> m_settings;
    std::unique_ptr<PreviewController> m_preview;
    std::unique_ptr<LoadController> m_load;
    std::unique_ptr<RenameController> m_rename;
    std::unique_ptr<ScriptController> m_script;
    std::unique_ptr<ViewController> m_view;
    AssistantDialog* m_assistant = nullptr;
    std::unique_ptr<AttributesController> m_attributes;
    CommandSet m_enabled;
    bool m_singleSelection = false;
    bool m_helpGuide = false;
    bool m_starting = false;
};
