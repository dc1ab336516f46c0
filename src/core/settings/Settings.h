#pragma once

#include "core/settings/IniDocument.h"

#include <QString>

class FileSystem;

// The user's settings file ("settings.vlp"), read once at start and written as one document. Every fixed
// key the program reads is declared once, in the key table of Settings.cpp, with its section, name, type
// and default; callers name keys by Key. Sections whose keys are not fixed (a dialog's remembered values,
// [DTFormats], the filter list) are reached through document().
class Settings
{
public:
    enum class Key {
        LastPath,           // [Settings] lastpath: the folder the open dialog and the list-file picker start in
        Language,           // [Settings] lng: the [Main] lngname of the chosen language file
        Letters,            // [Settings] letters: the user's extra letters
        SaveDialogSettings, // [Settings] savset
        ProtocolRenames,    // [Settings] protren
        ConfirmUndo,        // [Settings] secquest1
        ConfirmTake,        // [Settings] secquest2
        ConfirmReject,      // [Settings] secquest3
        ExpertMode,         // [Settings] ExpertMode
        ButtonBarMain,      // [Settings] btnbarMain
        ButtonBarScript,    // [Settings] btnbarScript
        PreviewSortKey,     // [Settings] PreviewSortKey
        PreviewSortOrder,   // [Settings] PreviewSortOrder
        OpenChecks,         // [frmOpen] chkOpen: the open dialog's check boxes as bits
        WindowState,        // [Main] ws: 0 normal, 1 minimised, 2 maximised
        WindowLeft,         // [Main] x, y, w, h in twips
        WindowTop,
        WindowWidth,
        WindowHeight,
        Column1, // [Main] Col1 to Col7: column widths in twips
        Column2,
        Column3,
        Column4,
        Column5,
        Column6,
        Column7,
        AssistantVisible, // [Assistant] Visible
        BackColor,        // [Dialogs] BackColor
        ForeColor,        // [Dialogs] ForeColor
        AssistantLeft,    // [Assistant] Left, Top: the assistant's position in twips (-1 when never stored)
        AssistantTop,
    };
    // The default dialog colours when none are stored: a light orange background with black text.
    static constexpr int kDefaultBackColor = 8438015;
    static constexpr int kDefaultForeColor = 0;

    // Column key n (1 to 7).
    static Key column(int n);

    Settings() = default;
    // Reads the file, dropping the keys marked for deletion. A file that exists but cannot be read, or
    // is damaged (holds a NUL byte, or no section at all), gives the defaults and is never written over.
    static Settings load(const FileSystem& fs, const QString& path);
    // The file exists but could not be used: the program runs on the defaults (the history among them is
    // off), which the user must be told once.
    bool isUnusable() const { return m_unreadable; }
    // True when the file as read held keys marked for deletion: saving it then cleans it up.
    bool hadDeletedKeys() const { return m_hadDeletedKeys; }

    const QString& path() const { return m_path; }

    // The stored text (cut at a NUL and to 999 characters), or the key's default when it is missing or empty.
    QString text(Key key) const;
    // The stored number: an optional sign and the leading digits (text that is no number reads as 0);
    // the key's default when it is missing or empty.
    int number(Key key) const;
    // 1 is on, 0 is off, anything else gives the key's default.
    bool flag(Key key) const;

    void setText(Key key, const QString& value);
    void setNumber(Key key, int value);
    void setFlag(Key key, bool on);

    // The whole document, for the sections without fixed keys.
    const IniDocument& document() const { return m_doc; }
    IniDocument& document() { return m_doc; }

    enum class SaveResult {
        Saved,
        NoFile,     // no settings file is known (no settings folder)
        Unreadable, // the file exists but could not be read at start: it is left as it is
        WriteFailed,
    };
    // Writes the document as it is now, in one piece, without the keys marked for deletion.
    [[nodiscard]] SaveResult save(FileSystem& fs);

private:
    IniDocument m_doc;
    QString m_path;
    bool m_unreadable = false;
    bool m_hadDeletedKeys = false;
};
