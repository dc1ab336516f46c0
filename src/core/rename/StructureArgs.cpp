#include "core/rename/StructureArgs.h"

#include "core/rename/NameParts.h"
#include "core/rename/NumberText.h"
#include "core/rename/StructureMarkers.h"
#include "core/rename/TextSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QStringView trimBlanks(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.sliced(start, end - start);
}

// A numeric part of a find call, rounded and held within [low, high]; the fallback when it is empty or
// not a number.
qint64 integerPart(const QList<QStringView>& parts, qsizetype index, qint64 low, qint64 high, qint64 fallback)
{
    const QStringView text = StripQuotes(parts.value(index));
    const std::optional<double> value = text.isEmpty() ? std::nullopt : NumericValue(text);
    if (!value)
        return fallback;
    return static_cast<qint64>(std::clamp(std::round(*value), double(low), double(high)));
}

QString findValue(const QList<QStringView>& parts, QStringView name)
{
    const QStringView search = StripQuotes(parts.value(0));
    if (search.isEmpty())
        return StructureMarkers::error();
    constexpr qint64 kIntMax = std::numeric_limits<int>::max();
    // Offsets far beyond any name still give a number, which the caller then finds out of range.
    constexpr qint64 kOffsetLimit = qint64(1) << 53;
    const qint64 occurrence = integerPart(parts, 1, -kIntMax, kIntMax, 1);
    const qint64 offset = integerPart(parts, 2, -kOffsetLimit, kOffsetLimit, 0);
    return QString::number(InStrNth(name, search, occurrence) + offset);
}

} // namespace

QList<QStringView> SplitArgs(QStringView text)
{
    QList<QStringView> args;
    if (text.isEmpty())
        return args;
    bool quoted = false;
    qsizetype depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            --depth;
        } else if (c == u',' && depth == 0) {
            args.append(trimBlanks(text.sliced(start, i - start)));
            start = i + 1;
            quoted = false;
            depth = 0;
        }
    }
    args.append(trimBlanks(text.sliced(start)));
    return args;
}

TagArguments ParseTagArgs(QStringView text, qsizetype tagPos, qsizetype tagLength)
{
    const qsizetype start = tagPos + tagLength;
    const qsizetype gt = text.indexOf(u'>', start);
    TagArguments result;
    result.end = gt < 0 ? text.size() : gt + 1;
    if (gt > start && text[gt - 1] == u')')
        result.args = SplitArgs(text.sliced(start, gt - 1 - start));
    return result;
}

QString EvalArgument(QStringView argument, QStringView name)
{
    static const TextSearch kFind(u"find(", true);
    qsizetype at = kFind.indexIn(argument);
    if (at < 0)
        return argument.toString();
    QString out;
    qsizetype copied = 0;
    while (at >= 0) {
        const qsizetype innerStart = at + kFind.size();
        qsizetype depth = 1;
        bool quoted = false;
        qsizetype close = argument.size();
        for (qsizetype i = innerStart; i < argument.size(); ++i) {
            const QChar c = argument[i];
            if (c == u'"')
                quoted = !quoted;
            else if (!quoted && c == u'(')
                ++depth;
            else if (!quoted && c == u')' && --depth == 0) {
                close = i;
                break;
            }
        }
        out.append(argument.sliced(copied, at - copied));
        out.append(findValue(SplitArgs(argument.sliced(innerStart, close - innerStart)), name));
        copied = qMin(close + 1, argument.size());
        at = kFind.indexIn(argument, copied);
    }
    out.append(argument.sliced(copied));
    return out;
}
