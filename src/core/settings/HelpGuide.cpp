#include "core/settings/HelpGuide.h"

#include "core/AppState.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

QString HelpGuidePath(const AppState& state)
{
    const QString name = state.language.GetLngText(QStringLiteral("Main"), QStringLiteral("hlpfile"));
    if (name.isEmpty())
        return {};
    const QString path = state.programFolder + name;
    return QFileInfo::exists(path) ? path : QString();
}

bool OpenHelpGuide(const AppState& state)
{
    const QString path = HelpGuidePath(state);
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
