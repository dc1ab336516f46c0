#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Splitting the lines of a delimited file (CSV or TXT) into fields.

// The separator every line uses: a tab, "," or ";"; empty when the lines do not tell (the user chooses).
// A tab wins when it is in every line and neither "," nor ";" is; otherwise "," or ";" when exactly one of
// them is in every line and the tab is not. Blank lines are no rows and do not count; no rows at all give
// the empty text.
QString DetectSeparator(const QStringList& lines);

// The fields of a line, always followed by one extra empty element (a line of n fields gives n + 1).
// Blanks before a field are dropped, blanks after a plain field kept. A field in double quotes may hold
// the separator; its closing quote is expected right before the next separator. There is no escape for a
// quote inside a quoted field. An empty separator splits nothing: the line is one field.
QStringList ParseCsvLine(QStringView line, QStringView separator);
