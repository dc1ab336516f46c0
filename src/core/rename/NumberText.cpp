#include "core/rename/NumberText.h"

#include <QLocale>
#include <limits>

namespace {

constexpr qint64 kInt32Min = std::numeric_limits<qint32>::min();
constexpr qint64 kInt32Max = std::numeric_limits<qint32>::max();

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads 1 to 8 hexadecimal digits as a 32-bit two's complement value.
std::optional<qint64> readHex(QStringView text)
{
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    quint32 value = 0;
    for (const QChar c : text) {
        const int digit = c >= u'0' && c <= u'9'   ? c.unicode() - u'0'
                          : c >= u'a' && c <= u'f' ? c.unicode() - u'a' + 10
                          : c >= u'A' && c <= u'F' ? c.unicode() - u'A' + 10
                                                   : -1;
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | quint32(digit);
    }
    return qint64(qint32(value));
}

// Reads letters as bijective base 26 (A = 1 … Z = 26, AA = 27), stopping before the value leaves 32 bits.
std::optional<qint64> readLetters(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const int digit = u >= u'A' && u <= u'Z' ? u - u'A' + 1 : u >= u'a' && u <= u'z' ? u - u'a' + 1 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * 26 + digit;
        if (value > kInt32Max + 1)
            return std::nullopt;
    }
    return value;
}

} // namespace

QString NumberToText(qint32 value, int system)
{
    if (system < NumberDecimal || system > NumberLowerLetters)
        return {};
    if (value == 0)
        return QStringLiteral("0");
    switch (system) {
    case NumberDecimal:
        return QString::number(value);
    case NumberHex:
        return QString::number(quint32(value), 16).toUpper();
    default: {
        qint64 v = value < 0 ? -qint64(value) : qint64(value);
        QString letters;
        while (v >= 1) {
            qint64 d = v % 26;
            if (d == 0)
                d = 26;
            letters.prepend(QChar(char16_t((system == NumberUpperLetters ? u'A' : u'a') + d - 1)));
            v = (v - 1) / 26;
        }
        return value < 0 ? QLatin1Char('-') + letters : letters;
    }
    }
}

QString TextToNumber(const QString& text, int system)
{
    QStringView digits(text);
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits = digits.sliced(1);
    if (digits.isEmpty())
        return {};
    std::optional<qint64> value;
    switch (system) {
    case NumberDecimal: {
        // The text stands as it is, so it must be a plain unsigned number (no blanks, no second sign).
        if (!isDigit(digits.front()) && digits.front() != u'.')
            return {};
        if (!isDigit(digits.back()) && digits.back() != u'.')
            return {};
        return IsNumericText(digits) ? text : QString();
    }
    case NumberHex:
        value = readHex(digits);
        break;
    case NumberUpperLetters:
    case NumberLowerLetters:
        value = readLetters(digits);
        break;
    default:
        return {};
    }
    if (!value)
        return {};
    const qint64 result = negative ? -*value : *value;
    if (result < kInt32Min || result > kInt32Max)
        return {};
    return QString::number(result);
}

std::optional<double> NumericValue(QStringView text)
{
    text = text.trimmed();
    const qsizetype n = text.size();
    // Whole numbers, by far the most common, are read directly.
    {
        qsizetype i = 0;
        const bool negative = i < n && text[i] == u'-';
        if (i < n && (text[i] == u'-' || text[i] == u'+'))
            ++i;
        const qsizetype first = i;
        qint64 value = 0;
        for (; i < n && i - first < 18 && isDigit(text[i]); ++i)
            value = value * 10 + (text[i].unicode() - u'0');
        if (i == n && i > first)
            return negative ? -double(value) : double(value);
    }
    qsizetype i = 0;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        const qsizetype exponentStart = i;
        while (i < n && isDigit(text[i]))
            ++i;
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    // The syntax is checked above, so the C locale can only fail on a value beyond a double: a huge
    // exponent gives infinity, a tiny one zero.
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (ok)
        return value;
    const qsizetype exponent = qMax(text.indexOf(u'e'), text.indexOf(u'E'));
    if (exponent >= 0 && exponent + 1 < n && text[exponent + 1] == u'-')
        return 0.0;
    const double infinity = std::numeric_limits<double>::infinity();
    return text.startsWith(u'-') ? -infinity : infinity;
}
