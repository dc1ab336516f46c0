#include "core/preview/NaturalKeys.h"

#include "core/platform/Utf8Writer.h"

#include <QChar>
#include <algorithm>

namespace {

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

void NaturalKeys::reserve(size_t count, size_t bytes)
{
    m_ends.reserve(count);
    m_bytes.reserve(bytes);
}

void NaturalKeys::append(QStringView text)
{
    const char16_t* chars = text.utf16();
    const size_t n = static_cast<size_t>(text.size());
    // Room for the longest key the text can give: a lone digit takes four bytes, a character three.
    const size_t begin = m_bytes.size();
    m_bytes.resize(begin + 4 * n);
    char* out = m_bytes.data() + begin;
    size_t i = 0;
    while (i < n) {
        const char16_t c = chars[i];
        if (isAsciiDigit(c)) {
            size_t end = i;
            while (end < n && isAsciiDigit(chars[end]))
                ++end;
            while (i + 1 < end && chars[i] == u'0')
                ++i;
            // No name or path holds 65 535 digits in a row; beyond that, only the digits order.
            const size_t digits = std::min<size_t>(end - i, 0xFFFF);
            *out++ = '0';
            *out++ = static_cast<char>(digits >> 8);
            *out++ = static_cast<char>(digits & 0xFF);
            for (; i < end; ++i)
                *out++ = static_cast<char>(chars[i]);
            continue;
        }
        ++i;
        if (c < 0x80) {
            *out++ = static_cast<char>(c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c);
            continue;
        }
        char32_t point = c;
        if (QChar::isHighSurrogate(c) && i < n && QChar::isLowSurrogate(chars[i]))
            point = QChar::surrogateToUcs4(c, chars[i++]);
        // UTF-8, whose byte order is code point order.
        out = WriteUtf8(out, QChar::toCaseFolded(point));
    }
    m_bytes.resize(static_cast<size_t>(out - m_bytes.data()));
    m_ends.push_back(m_bytes.size());
}

quint64 NaturalKeys::head(size_t i) const
{
    const std::string_view key = at(i);
    quint64 head = 0;
    for (size_t b = 0; b < 8; ++b)
        head = head << 8 | (b < key.size() ? static_cast<unsigned char>(key[b]) : 0U);
    return head;
}
