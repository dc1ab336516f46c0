#pragma once

#include <QList>
#include <QString>

struct AppState;
class DialogValues;
class FileSystem;
class IniDocument;

// Where dialog values and scripts are kept, as files. A dialog's remembered values are a section of the
// settings file named after the form; a script is an INI file with "Steps" and "Name" in [Main] and one
// section per step ("1", "2", …) holding the dialog's type number in "Type" and its field values. Each
// call reads the file once and writes it once, atomically, with the keys marked for deletion dropped.
namespace ScriptStore {

// The recording in progress, and the folder of saved scripts (ends in a separator).
QString scratchPath(const AppState& state);
QString scriptFolder(const AppState& state);
// The extension of saved scripts: ".vls".
QString extension();

// Writes a script (or the settings) with the keys marked for deletion dropped.
[[nodiscard]] bool saveCompacted(FileSystem& fs, const IniDocument& doc, const QString& file);

// Puts the values into a section; a key whose value is empty is marked for deletion, so an option button
// that is no longer selected or a text box that was emptied leaves no key behind once the file is written.
void putSection(IniDocument& doc, const QString& section, const DialogValues& values);

// Appends one step to a script file: "Steps" grows by one, the new section gets "Type" and the values.
// Returns the number of the new step, 0 when the file could not be written.
[[nodiscard]] int appendStep(FileSystem& fs, const QString& file, int type, const DialogValues& values);

// Starts a recording file with no steps, replacing whatever an abandoned recording left.
[[nodiscard]] bool startFile(FileSystem& fs, const QString& file);

// "Steps" of [Main]; -1 when missing.
int stepCount(const QString& file);

// A script's file name ("20240131153045.vls") as shown in lists: "2024-01-31, 15:30:45". A name that is
// not such a stamp is shown as it is, without its extension.
QString FormatStamp(const QString& fileName);

struct ScriptEntry
{
    QString fileName; // in the script folder
    QString name;     // [Main] "Name", empty when it has none
    QString text;     // the script's name and its stamp: "Holiday photos [2024-01-31, 15:30:45]"
};
// Every "*.vls" file of the folder, oldest stamp first.
QList<ScriptEntry> ScriptEntries(const QString& folder);

} // namespace ScriptStore
