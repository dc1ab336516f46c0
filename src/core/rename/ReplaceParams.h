#pragma once

#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringView>

class DialogValues;
class RenameRun;
struct CharClasses;

// Replace (type 6, "frmReplace"): in the base name, replaces or removes a text, the first or last n
// characters, the characters from a to b, or every character that is (or is not) in a class. The text may
// be a regular expression, with "$0" to "$9" in the replacement standing for its groups. A base name is
// never made empty: such an entry keeps its name. The extension stays as it is.
struct ReplaceParams
{
    enum What {
        Text = 1,
        Positions,
        InClass,
        NotInClass
    };                                          // opttxt2Repl, optChr2Repl, optFollowingChr, optAllChrExcept
    enum Positions { First = 1, Last, FromTo }; // optChrFirst, optChrLast, optChrFromTo
    enum Action { Replace = 1, Remove };        // optReplace, optRemove
    enum Class { Letters = 1, Digits, Others }; // "cmbRemove" index + 1

    int what = Text;
    int positions = First;
    int action = Replace;
    QString find;        // "txtToRep"
    QString replacement; // "txtRepBy"; empty with Remove
    int first = 1;       // "txtPos(0)"
    int last = 1;        // "txtPos(1)"
    int from = 1;        // "txtFrom", not greater than `to`
    int to = 1;          // "txtTo"
    int charClass = Letters;
    QString exceptions;             // "txtExceptions" when "chkExceptions" is checked
    bool regularExpression = false; // "chkRegExp"

    static ReplaceParams fromValues(const DialogValues& values);
    // The key of a stored value the function refuses: a position or count that is no whole number of 1 or
    // more, or a regular expression that does not compile. Empty when every value it uses is sound.
    static QString refusedKey(const DialogValues& values);

    // The characters of the chosen class without the exceptions: what replacing by class works on.
    QString characterSet(const CharClasses& classes) const;
    // The search text as a regular expression (case-sensitive, as the plain search).
    QRegularExpression pattern() const;

    // The characters of characterSet() for looking up.
    static QSet<char32_t> lookupSet(QStringView set);
    // The new base name; empty when the base stays as it is. set is lookupSet(), re is pattern().
    QString replaceIn(QStringView base, const QSet<char32_t>& set, const QRegularExpression& re) const;
};

void applyReplace(RenameRun& run, const ReplaceParams& params);

// text with every match of re replaced: "$0" in the replacement stands for the match, "$1" to "$9" for its
// groups (empty when a group took no part); any other "$" is itself. Empty matches count too: "x*" matches
// between every two characters.
QString ReplaceMatches(const QString& text, const QRegularExpression& re, QStringView replacement);
