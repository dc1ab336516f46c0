#pragma once

#include <QList>
#include <QString>
#include <QStringView>

class DialogValues;
class RenameRun;
struct CharClasses;

// Insert (type 7, "frmInsert"): puts a text, or the folder's creation date in a format, into the base name
// at a position counted from the left or the right, before or after characters of chosen classes, at the
// beginning or at the end. An optional separator goes between the inserted text and its neighbours, never
// at the start or the end of the base name. A text with placeholders ("<PATH>", "<DT(…)>") is evaluated as
// a name structure for each entry. The extension stays as it is.
struct InsertParams
{
    // The selected "opt1(n)".
    enum Where { AtPosition = 1, BeforeClasses, AfterClasses, AtStart, AtEnd };
    // The selected "opt2(n)": the text of "txtIns", or a date in the format of "txtFormat".
    enum What { Text = 1, Date };
    static constexpr int kDefaultWhere = AtPosition;
    static constexpr int kDefaultWhat = Text;

    int where = kDefaultWhere;
    int position = 0;       // "txtPos"
    bool fromRight = false; // "cmbAlign" index 1
    QList<int> classes;     // "lstBeforeAfter": CharClasses::Kind values 0-3
    bool onlyOnce = false;  // "chkOnlyOnce"
    int what = kDefaultWhat;
    QString text;      // "txtIns"
    QString format;    // "txtFormat"
    QString separator; // "cmbIntChr" when "chkIntChr" is checked, else empty

    static InsertParams fromValues(const DialogValues& values);
    // The key of a stored value the function refuses (a position that is no whole number of 0 or more),
    // empty when every value it uses is sound.
    static QString refusedKey(const DialogValues& values);

    static QString defaultFormat() { return QStringLiteral("yyyy-mm-dd"); }
    // What is inserted before placeholders are evaluated: the text, or the creation-date placeholder.
    QString insertion() const;
    // The base name with the text inserted.
    QString insertInto(QStringView base, QStringView inserted, const CharClasses& charClasses) const;
};

void applyInsert(RenameRun& run, const InsertParams& params);
