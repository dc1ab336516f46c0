#include "core/commit/RenameFailure.h"

#include "core/AppState.h"

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString RenameFailureMessage(const AppState& state, const FsResult& result, const QString& from, const QString& to,
                             const QString& systemTextSeparator)
{
    const QStringList args{Quoted(from), Quoted(to)};
    switch (result.kind) {
    case FsResult::Kind::NotFound:
        return state.message(QStringLiteral("MsgText36"), args);
    case FsResult::Kind::TargetExists:
        return state.message(QStringLiteral("MsgText05"), args);
    case FsResult::Kind::Access:
        return state.message(QStringLiteral("MsgText11"), args);
    default:
        return state.message(QStringLiteral("MsgText06"), args) + systemTextSeparator +
               state.message(QStringLiteral("msgSystemText")) + QLatin1Char(' ') + result.systemText;
    }
}
