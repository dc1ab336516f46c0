#include "app/GlobalState.h"

#include "app/AppState.h"
#include "settings/Paths.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString programFolder(const QString& executableFolder)
{
    if (!QDir(executableFolder).entryList({QStringLiteral("*.lng")}, QDir::Files).isEmpty())
        return EnsureTrailingSeparator(executableFolder);
    return EnsureTrailingSeparator(QStringLiteral(DIRWRIGHT_DATA_DIR));
}

void copyTemplate(const AppState& state, const QString& name)
{
    const QString target = state.settingsFolder + name;
    if (!QFile::exists(target) && QFile::exists(state.programFolder + name))
        QFile::copy(state.programFolder + name, target);
}

} // namespace

bool InitialiseGlobalState(AppState& state, const QString& executableFolder)
{
    state.programFolder = programFolder(executableFolder);
    state.settingsFolder =
        EnsureTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) +
        QStringLiteral("Pellacorn/Dirwright/");
    CreateFolderPath(state.fs(), state.settingsFolder);
    state.settingsFile = state.settingsFolder + QStringLiteral("settings.vlp");
    state.versionText = QStringLiteral(DIRWRIGHT_VERSION_TEXT);
    copyTemplate(state, QStringLiteral("structures.vlp"));
    copyTemplate(state, QStringLiteral("settings.vlp"));

    const QStringList files = QDir(state.programFolder).entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        return false;
    state.languageFiles = files;
    const QString wanted = ReadSetting(QStringLiteral("Settings"), QStringLiteral("lng"), state.settingsFile).toLower();
    QString chosen;
    for (const QString& file : files) {
        Language candidate;
        if (candidate.load(state.programFolder + file) && !wanted.isEmpty() && candidate.name().toLower() == wanted) {
            chosen = file;
            break;
        }
    }
    if (chosen.isEmpty())
        chosen = files.contains(QStringLiteral("English.lng")) ? QStringLiteral("English.lng") : files.first();
    state.language.load(state.programFolder + chosen);
    state.statusTexts.clear();
    for (int n = 1; n <= 10; ++n)
        state.statusTexts.append(state.message(QStringLiteral("MsgStat%1").arg(n, 2, 10, QLatin1Char('0'))));
    state.charClasses = CharClasses::fromLetters(
        ReadSetting(QStringLiteral("Settings"), QStringLiteral("letters"), state.settingsFile));
    return true;
}
