#pragma once

#include <QString>

class FileSystem;

// What one run of ApplySettingsUpdate did.
enum class SettingsUpdateResult {
    NoUpdateFile,   // the program folder holds no "update.vlp"
    AlreadyCurrent, // the settings file already carries the update's version; only compacted
    Applied,        // the [Add], [Copy] and [Del] rules ran and the version was stored
    WriteFailed     // the settings file could not be rewritten or compacted (it stays as it was)
};

// Brings a user's settings file up to the layout of a newer program version with the rules of
// programFolder + "update.vlp":
//   [Main] Version=…        applied once per version (exact text comparison with the settings file)
//   [Add]  A1=section|key|value                  value written only when the key has none
//   [Copy] C1=oldSection|oldKey|newSection|newKey  a non-empty old value moves to the new key
//   [Del]  D1=section|key                        the key is removed
// Each list runs A1, A2, … up to its first empty entry; an entry with too few "|" fields is skipped.
// The settings file is compacted afterwards in every case where the update file exists. The update
// file itself is only read.
SettingsUpdateResult ApplySettingsUpdate(FileSystem& fs, const QString& programFolder, const QString& settingsFile);
