#include "core/script/ScriptRecording.h"

#include "core/AppState.h"
#include "core/script/ScriptStore.h"
#include "core/settings/IniDocument.h"
#include "core/settings/Paths.h"

#include <QLocale>
#include <optional>

namespace {

// Two saves in the same second get consecutive stamps; this many seconds are tried before giving up.
constexpr int kStampAttempts = 3600;

// The script's name, or nothing when the user chose to discard the script.
std::optional<QString> askForName(AppState& state)
{
    const QString proposal = QLocale::system().toString(state.now(), QLocale::ShortFormat);
    for (;;) {
        const std::optional<QString> answer = state.ask().askText(state.message(QStringLiteral("MsgText31")),
                                                                  state.message(QStringLiteral("MsgCap12")), proposal);
        const QString name = answer.value_or(QString()).trimmed();
        if (!name.isEmpty())
            return name;
        const Prompter::Button discard =
            state.ask().ask(state.message(QStringLiteral("MsgText32")), state.message(QStringLiteral("MsgCap13")),
                            Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No);
        if (discard == Prompter::Yes)
            return std::nullopt;
    }
}

} // namespace

bool StartRecording(AppState& state)
{
    if (!ScriptStore::startFile(state.fs(), ScriptStore::scratchPath(state)))
        return false;
    state.recordingState = 1;
    return true;
}

StopResult StopRecording(AppState& state)
{
    state.recordingState = 0;
    const QString folder = ScriptStore::scriptFolder(state);
    CreateFolderPath(state.fs(), folder);
    const QString scratch = ScriptStore::scratchPath(state);
    if (ScriptStore::stepCount(scratch) <= 0)
        return {};

    const std::optional<QString> name = askForName(state);
    if (!name)
        return {StopResult::Outcome::Abandoned, {}, {}};

    IniDocument doc = IniDocument::load(scratch);
    doc.setValue(QStringLiteral("Main"), QStringLiteral("Name"), *name);
    if (!ScriptStore::saveCompacted(state.fs(), doc, scratch))
        return {StopResult::Outcome::Failed, scratch, {}};

    const QDateTime now = state.now();
    FsResult moved;
    for (int second = 0; second < kStampAttempts; ++second) {
        const QString target =
            folder + now.addSecs(second).toString(QStringLiteral("yyyyMMddhhmmss")) + ScriptStore::extension();
        moved = state.fs().moveFile(scratch, target);
        if (moved.ok())
            return {StopResult::Outcome::Saved, target, {}};
        if (moved.kind != FsResult::Kind::TargetExists)
            break;
    }
    return {StopResult::Outcome::Failed, folder, moved.systemText};
}
