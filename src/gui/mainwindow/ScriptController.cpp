#include "gui/mainwindow/ScriptController.h"

#include "core/AppState.h"
#include "core/script/RunScript.h"
#include "core/script/ScriptRecording.h"
#include "core/script/ScriptStore.h"
#include "core/settings/Language.h"
#include "gui/mainwindow/RenameController.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"
#include "gui/script/ScriptDialog.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QProgressDialog>
#include <QTimer>
#include <memory>

namespace {

// Long replays show their progress once they have taken this long.
constexpr int kProgressDelayMs = 800;

} // namespace

ScriptController::ScriptController(AppState& state, WindowSession& session, QMenu& scripts, RenameController& rename,
                                   std::function<QString()> runCaption, QWidget* dialogParent)
    : m_state(state)
    , m_session(session)
    , m_scripts(scripts)
    , m_rename(rename)
    , m_runCaption(std::move(runCaption))
    , m_dialogParent(dialogParent)
    , m_runDialog([](QDialog& dialog) { return dialog.exec(); })
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

void ScriptController::startRunScript()
{
    ScriptDialog dialog(m_state, m_session.prompter, m_runCaption ? m_runCaption() : QString(), m_dialogParent);
    if (m_runDialog(dialog) == QDialog::Accepted && !dialog.scriptPath().isEmpty())
        runScript(dialog.scriptPath(), dialog.runMode());
}

void ScriptController::runChosenScript()
{
    const QString path = m_chosen.isEmpty() ? QString() : ScriptStore::scriptFolder(m_state) + m_chosen;
    if (path.isEmpty() || !m_state.fs().fileExists(path)) {
        chooseScript(QString(), m_state.statusText(5));
        return;
    }
    runScript(path, 1);
}

void ScriptController::runScriptsLater(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    QTimer::singleShot(0, this, [this, paths] {
        for (const QString& path : paths)
            runScript(path, 1);
    });
}

void ScriptController::runScript(const QString& path, int runMode)
{
    BatchScript script;
    if (!script.load(m_state, path, BatchScript::Use::Window)) {
        // The texts that explain a script the batch mode cannot run explain it here too.
        const BatchScript::Problem& problem = script.problem();
        m_session.prompter.tell(m_state.language.GetLngText(QStringLiteral("Batch"), problem.key, problem.args),
                                m_state.message(QStringLiteral("msgCapRunScript")), Prompter::Icon::Warning);
        return;
    }
    m_session.scriptPath = script.path();
    m_session.scriptRunMode = runMode;

    // Unattended, a long run can be stopped between steps; step by step the user answers every dialog.
    std::unique_ptr<QProgressDialog> progress;
    if (runMode == 1 && script.stepCount() > 1) {
        progress = std::make_unique<QProgressDialog>(m_dialogParent);
        progress->setWindowTitle(m_state.message(QStringLiteral("msgCapRunScript")));
        progress->setCancelButtonText(
            m_state.language.GetLngText(QStringLiteral("Buttons"), QStringLiteral("cmdCancel")));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(kProgressDelayMs);
        progress->setRange(0, script.stepCount());
        progress->setValue(0);
    }
    ScriptRunHooks hooks;
    hooks.openStep = [this](const BatchScript::Step& step) {
        m_session.scriptStep = step.number;
        return m_rename.runRenameDialog(step.type);
    };
    hooks.proceed = [this, &progress](int done, int total) {
        const QString text =
            SubstituteArgs(m_state.statusText(10), {QString::number(done + 1), QString::number(total)});
        Q_EMIT statusText(text);
        if (!progress)
            return true;
        progress->setLabelText(text);
        progress->setValue(done);
        return !progress->wasCanceled();
    };
    const ScriptRunReport report = RunScript(script, runMode, hooks);
    progress.reset();
    m_session.scriptRunMode = 0;
    m_session.scriptPath.clear();
    m_session.scriptStep = 0;
    Q_EMIT runEnded();
    if (report.end == ScriptRunReport::End::Stopped)
        m_session.prompter.tell(
            m_state.message(QStringLiteral("msgScriptStopped"), {script.path(), QString::number(report.lastStep)}),
            m_state.message(QStringLiteral("msgCapRunScript")), Prompter::Icon::Warning);
}
