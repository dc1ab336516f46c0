#include "core/settings/ProjectPage.h"

QString ProjectWebPage()
{
    return QStringLiteral(DIRWRIGHT_PROJECT_URL);
}
