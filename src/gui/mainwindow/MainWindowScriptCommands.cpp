#include "gui/mainwindow/MainWindowScriptCommands.h"

#include "core/AppState.h"
#include "core/script/ScriptRecording.h"
#include "core/script/ScriptStore.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/Prompter.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

MainWindowScriptCommands::MainWindowScriptCommands(MainWindow& window)
    : m_window(window)
{
    MainWindowUi& ui = window.ui();
    for (QAction* command :
         {ui.action(QStringLiteral("mnuStartRecordScript")), ui.scriptButton(QStringLiteral("StartRecordScript"))})
        QObject::connect(command, &QAction::triggered, &window, [this] { startRecording(); });
    for (QAction* command :
         {ui.action(QStringLiteral("mnuStopRecordScript")), ui.scriptButton(QStringLiteral("StopRecordScript"))})
        QObject::connect(command, &QAction::triggered, &window, [this] { stopRecording(); });
    // Running the chosen script is not part of the program yet, so the whole button opens its drop-down.
    QAction* runSelected = ui.scriptButton(QStringLiteral("RunSelectedScript"));
    if (auto* button = qobject_cast<QToolButton*>(ui.btnbarScript->widgetForAction(runSelected)))
        button->setPopupMode(QToolButton::InstantPopup);
    // Script names are the user's own text, never markup.
    ui.lblSelectedScript->setTextFormat(Qt::PlainText);
    window.setRecordingStopper([this] { stopRecording(); });
}

void MainWindowScriptCommands::applyTexts()
{
    QAction* runSelected = m_window.ui().scriptButton(QStringLiteral("RunSelectedScript"));
    runSelected->setToolTip(m_window.notAvailableText(runSelected->toolTip()));
}

void MainWindowScriptCommands::updateRecordingCommands()
{
    MainWindowUi& ui = m_window.ui();
    const bool recording = m_window.session().recordingState != 0;
    m_window.setCommandEnabled(ui.action(QStringLiteral("mnuStartRecordScript")), !recording);
    m_window.setCommandEnabled(ui.action(QStringLiteral("mnuStopRecordScript")), recording);
    m_window.setCommandEnabled(ui.scriptButton(QStringLiteral("StartRecordScript")),
                               !recording && !m_window.list().isEmpty());
    m_window.setCommandEnabled(ui.scriptButton(QStringLiteral("StopRecordScript")), recording);
}

void MainWindowScriptCommands::startRecording()
{
    AppState& state = m_window.state();
    if (StartRecording(state))
        m_window.session().recordingState = 1;
    else
        m_window.prompter().tell(
            state.message(QStringLiteral("msgScriptNotRecorded"), {ScriptStore::scratchPath(state)}),
            state.message(QStringLiteral("MsgCap11")), Prompter::Icon::Warning);
    updateRecordingCommands();
}

void MainWindowScriptCommands::stopRecording()
{
    AppState& state = m_window.state();
    m_window.session().recordingState = 0;
    const std::optional<QString> name = RecordedSteps(state) > 0 ? askScriptName() : std::nullopt;
    const StopResult result = StopRecording(state, name);
    updateRecordingCommands();
    if (result.outcome == StopResult::Outcome::Saved) {
        ListScripts();
    } else if (result.outcome == StopResult::Outcome::Failed) {
        QString text = state.message(QStringLiteral("msgScriptNotSaved"), {result.path});
        if (!result.systemText.isEmpty())
            text += QStringLiteral("\n\n") + result.systemText;
        m_window.prompter().tell(text, state.message(QStringLiteral("MsgCap12")), Prompter::Icon::Warning);
    }
}

std::optional<QString> MainWindowScriptCommands::askScriptName()
{
    const AppState& state = m_window.state();
    Prompter& prompter = m_window.prompter();
    const QString proposal = QLocale::system().toString(state.now(), QLocale::ShortFormat);
    // An empty name asks whether to discard the script; No asks for the name again.
    for (;;) {
        const std::optional<QString> answer = prompter.askText(state.message(QStringLiteral("MsgText31")),
                                                               state.message(QStringLiteral("MsgCap12")), proposal);
        const QString name = answer.value_or(QString()).trimmed();
        if (!name.isEmpty())
            return name;
        if (prompter.ask(state.message(QStringLiteral("MsgText32")), state.message(QStringLiteral("MsgCap13")),
                         Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No) == Prompter::Yes)
            return std::nullopt;
    }
}

void MainWindowScriptCommands::ListScripts()
{
    MainWindowUi& ui = m_window.ui();
    QAction* button = ui.scriptButton(QStringLiteral("RunSelectedScript"));
    QMenu* menu = button->menu();
    menu->clear();
    const QString chosen = chosenScript();
    bool chosenListed = false;
    for (const ScriptStore::ScriptEntry& entry :
         ScriptStore::ScriptEntries(ScriptStore::scriptFolder(m_window.state()))) {
        // Script names are the user's own text: no accelerator marks.
        QString caption = entry.text;
        QAction* item = menu->addAction(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(entry.fileName);
        chosenListed = chosenListed || entry.fileName == chosen;
        QObject::connect(item, &QAction::triggered, &m_window,
                         [this, file = entry.fileName, text = entry.text] { chooseScript(file, text); });
    }
    if (!chosenListed && !chosen.isEmpty())
        chooseScript(QString(), QString());
    m_window.setCommandEnabled(button, !m_window.list().isEmpty() && !menu->isEmpty());
}

void MainWindowScriptCommands::chooseScript(const QString& fileName, const QString& text)
{
    MainWindowUi& ui = m_window.ui();
    ui.scriptButton(QStringLiteral("RunSelectedScript"))->setProperty("tag", fileName);
    ui.lblSelectedScript->setText(text);
}

QString MainWindowScriptCommands::chosenScript() const
{
    return m_window.ui().scriptButton(QStringLiteral("RunSelectedScript"))->property("tag").toString();
}
