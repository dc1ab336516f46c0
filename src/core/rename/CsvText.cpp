#include "core/rename/CsvText.h"

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kBlank = QLatin1Char(' ');

qsizetype findSeparator(QStringView line, QStringView separator, qsizetype from)
{
    return separator.isEmpty() ? -1 : line.indexOf(separator, from);
}

} // namespace

QString DetectSeparator(const QStringList& lines)
{
    bool rows = false;
    bool tab = true;
    bool comma = true;
    bool semicolon = true;
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        rows = true;
        tab = tab && line.contains(QLatin1Char('\t'));
        comma = comma && line.contains(QLatin1Char(','));
        semicolon = semicolon && line.contains(QLatin1Char(';'));
    }
    if (!rows)
        return {};
    if (tab && !comma && !semicolon)
        return QStringLiteral("\t");
    if (!tab && comma != semicolon)
        return comma ? QStringLiteral(",") : QStringLiteral(";");
    return {};
}

QStringList ParseCsvLine(QStringView line, QStringView separator)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype at = 0;
    while (at < n) {
        if (line[at] == kBlank) {
            ++at;
            continue;
        }
        if (!separator.isEmpty() && line.sliced(at).startsWith(separator)) {
            fields.append(QString());
            at += separator.size();
            continue;
        }
        if (line[at] == kQuote) {
            const qsizetype open = at;
            const qsizetype close = line.indexOf(kQuote, open + 1);
            const qsizetype sep = findSeparator(line, separator, close >= 0 ? close + 1 : open + 1);
            if (close >= 0 && sep >= 0) {
                // The closing quote belongs right before the separator; what stands between them stays.
                fields.append(line.sliced(open + 1, std::max<qsizetype>(sep - 1 - (open + 1), 0)).toString());
            } else if (close >= 0) {
                fields.append(line.sliced(open + 1, close - open - 1).toString());
            } else {
                // Unclosed: up to the next separator, or to the end of the line.
                const qsizetype end = sep >= 0 ? sep : n;
                fields.append(line.sliced(open + 1, end - open - 1).toString());
            }
            at = sep >= 0 ? sep + separator.size() : n;
            continue;
        }
        const qsizetype sep = findSeparator(line, separator, at);
        const qsizetype end = sep >= 0 ? sep : n;
        fields.append(line.sliced(at, end - at).toString());
        at = sep >= 0 ? sep + separator.size() : n;
    }
    fields.append(QString());
    return fields;
}
