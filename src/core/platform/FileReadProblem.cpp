#include "core/platform/FileReadProblem.h"

#include "core/AppState.h"
#include "core/platform/FileSystem.h"

QString FileReadProblemText(const AppState& state, const FsResult& result)
{
    switch (result.kind) {
    case FsResult::Kind::NotFound:
        return state.message(QStringLiteral("msgFileMissing"));
    case FsResult::Kind::NotRegularFile:
        return state.message(QStringLiteral("msgFileNotRegular"));
    case FsResult::Kind::TooLarge:
        return state.message(QStringLiteral("msgFileTooLarge"),
                             {QString::number(FileSystem::kTextFileLimit / (1024 * 1024))});
    case FsResult::Kind::Access:
        return state.message(QStringLiteral("msgFileAccess"));
    default:
        return state.message(QStringLiteral("msgSystemText")) + QLatin1Char(' ') + result.systemText;
    }
}
