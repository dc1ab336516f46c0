#pragma once

#include <QHash>
#include <QList>
#include <QString>

class IniDocument;

// The stored field values of one dialog, keyed by control name ("txtPr", "opt1(3)"): a dialog's section
// of the settings file, or one step of a script. Rename functions build their parameters from these, so
// the dialog, the script runner and the batch mode give the same names for the same values.
class DialogValues
{
public:
    // The blank stand-in of stored texts: surrounding blanks of INI values would otherwise be lost.
    static constexpr QChar kBlank = QChar(0x90);
    static constexpr char16_t kOptionSelected[] = u"-1";

    DialogValues() = default;
    // Every key of a section (keys match without regard to case).
    static DialogValues fromSection(const IniDocument& doc, const QString& section);

    bool has(const QString& key) const;
    // The stored value as it stands in the file, empty when missing.
    QString raw(const QString& key) const;
    // A text field: the stand-in decoded back to blanks; the fallback when the key is missing or empty.
    QString text(const QString& key, const QString& fallback = QString()) const;
    // A number (check box state, list index, scroll value); the fallback when missing or not a number.
    int number(const QString& key, int fallback) const;
    bool checked(const QString& key) const { return number(key, 0) == 1; }
    // Whether an option button was the selected one of its group.
    bool selected(const QString& key) const;
    // The index n of the selected member "name(n)" of an option-button group, or the fallback.
    int selectedIndex(const QString& groupName, int first, int last, int fallback) const;
    // The indices of a multi-selection list ("0,2,5").
    QList<int> indices(const QString& key) const;

    // Sets a key; an empty value stands for "no value" (a script or settings section leaves no key).
    void set(const QString& key, const QString& rawValue);
    // The keys in the order they were first set.
    QList<QString> keys() const;

    // Encodes a text for storage: blanks become the stand-in.
    static QString encodeText(const QString& text);
    static QString decodeText(const QString& stored);

private:
    QHash<QString, QString> m_values; // lower-case key -> raw value
    QHash<QString, QString> m_names;  // lower-case key -> key as written
    QList<QString> m_order;           // keys as written, in the order first set
};
