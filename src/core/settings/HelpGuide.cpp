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

bool OpenHelpGuide(const AppState& state, const QString& section)
{
    const QString path = HelpGuidePath(state);
    if (path.isEmpty())
        return false;
    QUrl url = QUrl::fromLocalFile(path);
    if (!section.isEmpty())
        url.setFragment(section);
    return QDesktopServices::openUrl(url);
}
