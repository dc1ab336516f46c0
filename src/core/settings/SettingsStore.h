#pragma once

#include <QString>

class FileSystem;

// The single access layer for the program's INI files (settings, scripts, language files). Files are
// opened on every access; nothing is cached, so what is read is always what is on disk.

// The value of a key, cut to its first 999 characters and at its first NUL; empty when the key, the
// section or the file is missing.
QString ReadSetting(const QString& section, const QString& key, const QString& file);

// -1 when ReadSetting gives the empty text; otherwise the value as an integer (0 when it is not one).
int ReadSettingInt(const QString& section, const QString& key, const QString& file);

// Writes one key of a file the program does not hold open (a script's name, say), creating the section and
// the file as needed. An empty value stays as an empty key. False when the file cannot be written.
[[nodiscard]] bool WriteSetting(FileSystem& fs, const QString& section, const QString& key, const QString& value,
                                const QString& file);

// 1 is on, 0 is off, anything else (a missing key reads as -1) gives the default.
bool FlagFromInt(int value, bool defaultValue);
int IntFromFlag(bool flag);

// Removes every line whose trimmed text ends in "<<DELETE>>" and puts one empty line before each
// section header that follows a non-empty line. Rewrites the file atomically.
[[nodiscard]] bool CompactSettingsFile(FileSystem& fs, const QString& file);
// The same clean-up on a text, for callers that write a file once after changing many keys.
QString CompactSettingsText(const QString& text);

// The deletion marker of stored values.
inline constexpr char16_t kDeleteMarker[] = u"<<DELETE>>";

// The text a setting read gives for a raw stored value: NUL cut and 999-character cut.
QString SettingText(const QString& raw);
// The number a non-empty setting text stands for: an optional sign and the leading digits, clamped to 32
// bits; text that does not start with a number reads as 0.
int SettingNumber(const QString& text);
