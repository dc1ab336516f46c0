#include "core/rename/CodePoints.h"

namespace CodePoints {

qsizetype count(QStringView text)
{
    qsizetype pairs = 0;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i].isLowSurrogate() && text[i - 1].isHighSurrogate()) {
            ++pairs;
            ++i;
        }
    }
    return text.size() - pairs;
}

qsizetype offsetOf(QStringView text, qsizetype n)
{
    qsizetype i = 0;
    for (; n > 0 && i < text.size(); --n)
        i += unitsAt(text, i);
    return i;
}

qsizetype offsetOfLast(QStringView text, qsizetype n)
{
    qsizetype i = text.size();
    for (; n > 0 && i > 0; --n) {
        --i;
        if (i > 0 && text[i].isLowSurrogate() && text[i - 1].isHighSurrogate())
            --i;
    }
    return i;
}

QStringView left(QStringView text, qsizetype n)
{
    return n <= 0 ? QStringView() : text.first(offsetOf(text, n));
}

QStringView right(QStringView text, qsizetype n)
{
    return n <= 0 ? QStringView() : text.sliced(offsetOfLast(text, n));
}

QStringView range(QStringView text, qsizetype from, qsizetype to)
{
    if (from < 1)
        from = 1;
    if (to < from)
        return {};
    const qsizetype begin = offsetOf(text, from - 1);
    const qsizetype end = begin + offsetOf(text.sliced(begin), to - from + 1);
    return text.sliced(begin, end - begin);
}

} // namespace CodePoints
