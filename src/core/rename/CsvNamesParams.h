#pragma once

#include <QString>
#include <QStringList>
#include <array>

class PreviewList;

// New names from a delimited file ("frmNewNamesFromFile"): one column names a folder by its current name
// or its full path, up to four columns give the values of "<F1>" to "<F4>" in a structure of the new name.
// Matching ignores letter case, the first matching row wins and the header is never matched.
struct CsvNamesParams
{
    // How a row names its folder: by default a value holding "/" is a full path and any other a name.
    enum class MatchBy { Auto, Path, Name };
    static constexpr int kTokens = 4;

    QString separator;
    int matchColumn = -1;                                  // 0-based; "cmbOldFN"
    std::array<int, kTokens> tokenColumns{-1, -1, -1, -1}; // "<F1>" to "<F4>", -1 when not chosen
    QString structure = defaultStructure();                // "txtStructure"
    bool keepExtension = false;                            // "chkKeepFileExtension"
    MatchBy matchBy = MatchBy::Auto;

    static QString defaultStructure() { return QStringLiteral("<F1>"); }
    // The highest column the names need, -1 when none is chosen.
    int lastColumn() const;
    // The structure with every token replaced by its value; a value is never searched for tokens.
    QString fill(const std::array<QString, kTokens>& values) const;
    // The new name with the folder's own extension kept: the new name's extension goes when it is short
    // (four characters with the dot, or none), and the old name's is appended.
    static QString keepExtensionOf(const QString& oldName, const QString& newName);
};

// Why names could not be taken from a file's lines; nothing was changed then.
struct CsvNamesProblem
{
    enum class Kind { None, NoRows, ShortRow };
    Kind kind = Kind::None;
    int line = 0;   // 1-based line of the short row
    int fields = 0; // how many fields that row has

    bool ok() const { return kind == Kind::None; }
};

// Checks every data row, then gives each entry of the list whose name (or path) a row names its new name.
// A row with fewer fields than a chosen column stops it all before any name changes. The caller refreshes
// the list afterwards. matched counts the entries that a row named.
CsvNamesProblem applyCsvNames(PreviewList& list, const QStringList& lines, const CsvNamesParams& params,
                              int* matched = nullptr);
