#include "core/rename/CsvLine.h"

namespace CsvLine {

SeparatorPresence separatorsInEveryLine(const QStringList& lines)
{
    if (lines.isEmpty())
        return {};
    SeparatorPresence every{true, true, true};
    for (const QString& line : lines) {
        every.tab = every.tab && line.contains(QLatin1Char('\t'));
        every.comma = every.comma && line.contains(QLatin1Char(','));
        every.semicolon = every.semicolon && line.contains(QLatin1Char(';'));
    }
    return every;
}

QStringList fields(QStringView line, QChar separator)
{
    const QChar quote(u'"');
    QStringList out;
    qsizetype pos = 0;
    const qsizetype length = line.size();
    while (pos < length) {
        const QChar c = line.at(pos);
        if (c == QLatin1Char(' ')) {
            ++pos;
            continue;
        }
        if (c == separator) {
            out.append(QString());
            ++pos;
            continue;
        }
        if (c == quote) {
            // The closing quote is the first that the separator or the end of the line follows.
            qsizetype close = -1;
            for (qsizetype q = line.indexOf(quote, pos + 1); q >= 0; q = line.indexOf(quote, q + 1)) {
                if (q + 1 == length || line.at(q + 1) == separator) {
                    close = q;
                    break;
                }
            }
            if (close >= 0) {
                out.append(line.sliced(pos + 1, close - pos - 1).toString());
                pos = close + 2;
                continue;
            }
        }
        // A plain field, or an unclosed quoted one without its opening quote.
        const qsizetype start = c == quote ? pos + 1 : pos;
        qsizetype end = line.indexOf(separator, start);
        if (end < 0)
            end = length;
        out.append(line.sliced(start, end - start).toString());
        pos = end + 1;
    }
    return out;
}

} // namespace CsvLine
