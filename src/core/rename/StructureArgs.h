#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Arguments of the name-structure functions "<NAME_L(", "<NAME_R(", "<NAME_M(" and "<DT(".

// Splits an argument text at the commas that stand outside double quotes and outside parentheses; each
// argument is trimmed of blanks and keeps its quotes. Depth and quoting restart with every argument.
// An empty text has no arguments. The arguments are views into the text.
QList<QStringView> SplitArgs(QStringView text);

// The arguments of the function tag that starts at tagPos, and where the tag ends. The tag ends at its
// first ">" (or with the text); its arguments are the text from the end of the opening up to that ">",
// which must be preceded by ")". Without that closing ")>" the tag has no arguments. Ending every tag at
// its first ">" keeps one stray ">" from swallowing the tags after it.
struct TagArguments
{
    QList<QStringView> args; // views into the text
    qsizetype end = 0;       // first position after the tag
};
TagArguments ParseTagArgs(QStringView text, qsizetype tagPos, qsizetype tagLength);

// Replaces every "find(" text "," occurrence "," offset ")" of an argument (ignoring case) by the
// position of that occurrence of the text in the name, plus the offset, in decimal; "<ERROR>" when the
// text is empty. A "find(" without its ")" takes the rest of the argument. Quotes around the three parts
// are optional. Occurrences overlap, and the search is case-sensitive over the whole name.
QString EvalArgument(QStringView argument, QStringView name);
