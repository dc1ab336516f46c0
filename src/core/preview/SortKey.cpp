#include "core/preview/SortKey.h"

namespace {

constexpr int kDigits = 15;

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

void appendNumber(QString& out, QStringView run)
{
    qsizetype first = 0;
    while (first < run.size() - 1 && run.at(first) == QLatin1Char('0'))
        ++first;
    const QStringView significant = run.mid(first);
    if (significant.size() <= kDigits) {
        out.append(QString(kDigits - significant.size(), QLatin1Char('0')));
        out.append(significant);
        return;
    }
    out.append(QLatin1Char(':'));
    out.append(QStringLiteral("%1").arg(significant.size(), kDigits, 10, QLatin1Char('0')));
    out.append(significant);
}

} // namespace

QString BuildSortKey(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2 * kDigits);
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (!isAsciiDigit(text.at(i))) {
            out.append(text.at(i));
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && isAsciiDigit(text.at(end)))
            ++end;
        appendNumber(out, QStringView(text).mid(i, end - i));
        i = end;
    }
    return out;
}
