#include "gui/mainwindow/ScriptController.h"

#include "core/AppState.h"
#include "core/script/ScriptRecording.h"
#include "core/script/ScriptStore.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"

#include <QAction>
#include <QLocale>
#include <QMenu>

ScriptController::ScriptController(AppState& state, WindowSession& session, QMenu& scripts)
    : m_state(state)
    , m_session(session)
    , m_scripts(scripts)
{}

void ScriptController::startRecording()
{
    if (StartRecording(m_state))
        m_session.recordingState = 1;
    else
        m_session.prompter.tell(
            m_state.message(QStringLiteral("msgScriptNotRecorded"), {ScriptStore::scratchPath(m_state)}),
            m_state.message(QStringLiteral("MsgCap11")), Prompter::Icon::Warning);
    Q_EMIT recordingChanged();
}

void ScriptController::stopRecording()
{
    m_session.recordingState = 0;
    const std::optional<QString> name = RecordedSteps(m_state) > 0 ? askScriptName() : std::nullopt;
    const StopResult result = StopRecording(m_state, name);
    Q_EMIT recordingChanged();
    if (result.outcome == StopResult::Outcome::Saved) {
        ListScripts();
    } else if (result.outcome == StopResult::Outcome::Failed) {
        QString text = m_state.message(QStringLiteral("msgScriptNotSaved"), {result.path});
        if (!result.systemText.isEmpty())
            text += QStringLiteral("\n\n") + result.systemText;
        m_session.prompter.tell(text, m_state.message(QStringLiteral("MsgCap12")), Prompter::Icon::Warning);
    }
}

std::optional<QString> ScriptController::askScriptName()
{
    Prompter& prompter = m_session.prompter;
    const QString proposal = m_state.language.textLocale().toString(m_state.now(), QLocale::ShortFormat);
    // An empty name asks whether to discard the script; No asks for the name again.
    for (;;) {
        const std::optional<QString> answer = prompter.askText(m_state.message(QStringLiteral("MsgText31")),
                                                               m_state.message(QStringLiteral("MsgCap12")), proposal);
        const QString name = answer.value_or(QString()).trimmed();
        if (!name.isEmpty())
            return name;
        if (prompter.ask(m_state.message(QStringLiteral("MsgText32")), m_state.message(QStringLiteral("MsgCap13")),
                         Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No) == Prompter::Yes)
            return std::nullopt;
    }
}

void ScriptController::ListScripts()
{
    m_scripts.clear();
    bool chosenListed = false;
    for (const ScriptStore::ScriptEntry& entry : ScriptStore::ScriptEntries(ScriptStore::scriptFolder(m_state))) {
        // Script names are the user's own text: no accelerator marks.
        QString caption = entry.text;
        QAction* item = m_scripts.addAction(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
        chosenListed = chosenListed || entry.fileName == m_chosen;
        connect(item, &QAction::triggered, this,
                [this, file = entry.fileName, text = entry.text] { chooseScript(file, text); });
    }
    if (!chosenListed && !m_chosen.isEmpty())
        chooseScript(QString(), QString());
    Q_EMIT scriptsListed();
}

void ScriptController::chooseScript(const QString& fileName, const QString& text)
{
    m_chosen = fileName;
    Q_EMIT scriptChosen(text);
}
