#include "core/load/OpenSettings.h"

#include "core/load/OpenLocations.h"
#include "core/settings/Paths.h"
#include "core/settings/SettingsStore.h"

namespace {

const QString kChecksSection = QStringLiteral("frmOpen");
const QString kChecksKey = QStringLiteral("chkOpen");

} // namespace

OpenChecks OpenChecks::fromBits(int bits)
{
    if (bits < 0)
        return {};
    return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
}

int OpenChecks::bits() const
{
    return (takeAll ? 1 : 0) | (withSubfolders ? 2 : 0) | (showFiles ? 4 : 0);
}

OpenChecks OpenChecks::read(const QString& settingsFile)
{
    return fromBits(ReadSettingInt(kChecksSection, kChecksKey, settingsFile));
}

bool OpenChecks::write(const QString& settingsFile) const
{
    return WriteSetting(kChecksSection, kChecksKey, QString::number(bits()), settingsFile);
}

namespace LastPath {

QString startFolder(const FileSystem& fs, const QString& settingsFile, const QString& fallback)
{
    return OpenLocations::resolveFolder(
        fs, ReadSetting(QStringLiteral("Settings"), QStringLiteral("lastpath"), settingsFile), fallback);
}

QString valueToSave(const QString& shownFolder, bool loadedSomething)
{
    // A one-character folder is the root: starting there again is no better than the computer level,
    // which lists the root first anyway.
    if (!loadedSomething || shownFolder.size() <= 1)
        return {};
    return EnsureTrailingSeparator(shownFolder);
}

bool save(const QString& settingsFile, const QString& shownFolder, bool loadedSomething)
{
    return WriteSetting(QStringLiteral("Settings"), QStringLiteral("lastpath"),
                        valueToSave(shownFolder, loadedSomething), settingsFile);
}

} // namespace LastPath
