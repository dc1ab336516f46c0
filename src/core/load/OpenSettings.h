#pragma once

#include <QString>

class FileSystem;
class Settings;

// The three check boxes of the open dialog, stored together as one number in [frmOpen] "chkOpen":
// box n is bit n-1.
struct OpenChecks
{
    bool takeAll = false;        // chkOpen(1): every folder shown, whether selected or not
    bool withSubfolders = false; // chkOpen(2): also every folder below the taken ones
    bool showFiles = false;      // chkOpen(3): list files too, for orientation

    // A missing or negative value gives all boxes unchecked.
    static OpenChecks fromBits(int bits);
    int bits() const;

    static OpenChecks read(const Settings& settings);
    void write(Settings& settings) const;

    bool operator==(const OpenChecks&) const = default;
};

// The folder the open dialogs start in, [Settings] "lastpath".
namespace LastPath {

// The stored folder with one trailing separator, or empty for the computer level. A folder that no longer
// exists falls back to fallback when that exists, else to the computer level.
QString startFolder(const FileSystem& fs, const Settings& settings, const QString& fallback = QString());

// What OK stores: the shown folder when something was loaded from a folder, the empty text otherwise.
QString valueToSave(const QString& shownFolder, bool loadedSomething);

void store(Settings& settings, const QString& shownFolder, bool loadedSomething);

} // namespace LastPath
