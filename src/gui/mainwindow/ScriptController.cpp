#include "gui/mainwindow/ScriptController.h"

#include "core/AppState.h"
#include "core/script/ScriptRecording.h"
#include "core/script/ScriptStore.h"

#include <QAction>
#include <QMenu>

ScriptController::ScriptController(AppState& state, QMenu& scripts)
    : m_state(state)
    , m_scripts(scripts)
{}

void ScriptController::startRecording()
{
    if (!StartRecording(m_state))
        m_state.ask().tell(m_state.message(QStringLiteral("msgScriptNotRecorded"), {ScriptStore::scratchPath(m_state)}),
                           m_state.message(QStringLiteral("MsgCap11")), Prompter::Icon::Warning);
    Q_EMIT recordingChanged();
}

void ScriptController::stopRecording()
{
    const StopResult result = StopRecording(m_state);
    Q_EMIT recordingChanged();
    if (result.outcome == StopResult::Outcome::Saved) {
        ListScripts();
    } else if (result.outcome == StopResult::Outcome::Failed) {
        QString text = m_state.message(QStringLiteral("msgScriptNotSaved"), {result.path});
        if (!result.systemText.isEmpty())
            text += QStringLiteral("\n\n") + result.systemText;
        m_state.ask().tell(text, m_state.message(QStringLiteral("MsgCap12")), Prompter::Icon::Warning);
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
