#include "core/load/OpenSettings.h"

#include "core/load/OpenLocations.h"
#include "core/settings/Paths.h"
#include "core/settings/Settings.h"

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

OpenChecks OpenChecks::read(const Settings& settings)
{
    return fromBits(settings.number(Settings::Key::OpenChecks));
}

void OpenChecks::write(Settings& settings) const
{
    settings.setNumber(Settings::Key::OpenChecks, bits());
}

namespace LastPath {

QString startFolder(const FileSystem& fs, const Settings& settings, const QString& fallback)
{
    return OpenLocations::resolveFolder(fs, settings.text(Settings::Key::LastPath), fallback);
}

QString valueToSave(const QString& shownFolder, bool loadedSomething)
{
    // A one-character folder is the root: starting there again is no better than the computer level,
    // which lists the root first anyway.
    if (!loadedSomething || shownFolder.size() <= 1)
        return {};
    return EnsureTrailingSeparator(shownFolder);
}

void store(Settings& settings, const QString& shownFolder, bool loadedSomething)
{
    settings.setText(Settings::Key::LastPath, valueToSave(shownFolder, loadedSomething));
}

} // namespace LastPath
