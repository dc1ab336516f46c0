#include "core/platform/FileNames.h"

#include "core/platform/Utf8Writer.h"

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

QByteArray encode(QStringView name)
{
    QByteArray out;
    appendEncoded(out, name);
    return out;
}

void appendEncoded(QByteArray& out, QStringView name)
{
    const qsizetype start = out.size();
    out.reserve(start + 3 * name.size()); // just that much, where there is no room yet
    out.resize(start + 3 * name.size());
    char* const end = encodeInto(out.data() + start, name);
    out.truncate(end - out.constData());
}

char* encodeInto(char* out, QStringView name)
{
    // Three bytes at most for each UTF-16 unit: a pair of them gives four.
    const qsizetype n = name.size();
    char* o = out;
    const char16_t* chars = name.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = chars[i];
        if (c < 0x80) {
            *o++ = static_cast<char>(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(chars[i + 1])) {
            o = WriteUtf8(o, QChar::surrogateToUcs4(c, chars[i + 1]));
            ++i;
        } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            *o++ = static_cast<char>(c - kEscapeBase);
        } else if (QChar::isSurrogate(c)) {
            o = WriteUtf8(o, 0xFFFD); // a stray surrogate typed or pasted into a name
        } else {
            o = WriteUtf8(o, c);
        }
    }
    return o;
}

} // namespace FileNames
