#pragma once

#include <QChar>
#include <QStringList>
#include <QStringView>

// Delimited text lines as spreadsheets and older versions of this program write them.
namespace CsvLine {

// Which of tab, "," and ";" stand in every one of the lines; none does in an empty list.
struct SeparatorPresence
{
    bool tab = false;
    bool comma = false;
    bool semicolon = false;
};
SeparatorPresence separatorsInEveryLine(const QStringList& lines);

// The fields of a line. Blanks before a field are dropped, a plain field runs up to the next separator
// (trailing blanks kept), and a field that starts with a double quote runs up to the quote that closes
// it: the first quote followed by the separator or by the end of the line, so a quoted field may hold both
// separators and quotes. Without such a quote the field ends at the next separator. A quote inside a field
// has no escape. A separator at the end of the line ends the last field, it does not start another.
QStringList fields(QStringView line, QChar separator);

} // namespace CsvLine
