#include "core/platform/FileNames.h"

#include <cstring>

namespace FileNames {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at p (at most n bytes available), or 0 when it is not one. Overlong
// forms, surrogates and code points above U+10FFFF are not valid.
int sequenceLength(const unsigned char* p, qsizetype n)
{
    const unsigned char b = p[0];
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return n >= 2 && isContinuation(p[1]) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        if (n < 3 || !isContinuation(p[1]) || !isContinuation(p[2]))
            return 0;
        if ((b == 0xE0 && p[1] < 0xA0) || (b == 0xED && p[1] > 0x9F))
            return 0;
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (n < 4 || !isContinuation(p[1]) || !isContinuation(p[2]) || !isContinuation(p[3]))
            return 0;
        if ((b == 0xF0 && p[1] < 0x90) || (b == 0xF4 && p[1] > 0x8F))
            return 0;
        return 4;
    }
    return 0;
}

void appendUtf8(QByteArray& out, char32_t cp)
{
    if (cp < 0x80) {
        out.append(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.append(static_cast<char>(0xC0 | (cp >> 6)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(static_cast<char>(0xE0 | (cp >> 12)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (cp >> 18)));
        out.append(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

QString decode(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n && p[i] < 0x80)
        ++i;
    if (i == n)
        return QString::fromLatin1(bytes);

    QString out = QString::fromLatin1(bytes.constData(), i);
    out.reserve(n);
    while (i < n) {
        const int len = sequenceLength(p + i, n - i);
        if (len == 0) {
            out.append(QChar(static_cast<char16_t>(kEscapeBase + p[i])));
            ++i;
        } else if (len == 1) {
            out.append(QChar(p[i]));
            ++i;
        } else {
            // Decoded here: Qt's decoders would drop a U+FEFF as a byte-order mark.
            char32_t cp = p[i] & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
            for (int k = 1; k < len; ++k)
                cp = (cp << 6) | (p[i + k] & 0x3F);
            if (QChar::requiresSurrogates(cp)) {
                out.append(QChar(QChar::highSurrogate(cp)));
                out.append(QChar(QChar::lowSurrogate(cp)));
            } else {
                out.append(QChar(static_cast<char16_t>(cp)));
            }
            i += len;
        }
    }
    return out;
}

QString decode(const char* bytes)
{
    return decode(QByteArray::fromRawData(bytes, static_cast<qsizetype>(std::strlen(bytes))));
}

QByteArray encode(const QString& name)
{
    QByteArray out;
    out.reserve(name.size());
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = name.at(i).unicode();
        if (c < 0x80) {
            out.append(static_cast<char>(c));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(name.at(i + 1).unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(c, name.at(i + 1).unicode()));
            ++i;
        } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            out.append(static_cast<char>(c - kEscapeBase));
        } else if (QChar::isSurrogate(c)) {
            appendUtf8(out, 0xFFFD); // a stray surrogate typed or pasted into a name
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

} // namespace FileNames
