#include "core/script/ScriptRecording.h"

#include "core/AppState.h"
#include "core/script/ScriptStore.h"
#include "core/settings/IniDocument.h"
#include "core/settings/Paths.h"

namespace {

// Two saves in the same second get consecutive stamps; this many seconds are tried before giving up.
constexpr int kStampAttempts = 3600;

} // namespace

bool StartRecording(const AppState& state)
{
    return ScriptStore::startFile(state.fs(), ScriptStore::scratchPath(state));
}

int RecordedSteps(const AppState& state)
{
    return ScriptStore::stepCount(ScriptStore::scratchPath(state));
}

StopResult StopRecording(const AppState& state, const std::optional<QString>& name)
{
    const QString folder = ScriptStore::scriptFolder(state);
    CreateFolderPath(state.fs(), folder);
    const QString scratch = ScriptStore::scratchPath(state);
    if (ScriptStore::stepCount(scratch) <= 0)
        return {};
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
