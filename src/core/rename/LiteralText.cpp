#include "core/rename/LiteralText.h"

namespace LiteralText {

namespace {

constexpr char16_t kLess = 0xE000;
constexpr char16_t kGreater = 0xE001;
constexpr char16_t kEscape = 0xE002;

bool isStandIn(char16_t c)
{
    return c == kLess || c == kGreater || c == kEscape;
}

QString convert(QStringView text, bool angles)
{
    QString out;
    out.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (isStandIn(c))
            out.append(QChar(kEscape));
        if (angles && c == u'<')
            out.append(QChar(kLess));
        else if (angles && c == u'>')
            out.append(QChar(kGreater));
        else
            out.append(qc);
    }
    return out;
}

} // namespace

QString protect(QStringView text)
{
    return convert(text, true);
}

QString escapeStandIns(QStringView structure)
{
    return convert(structure, false);
}

QString release(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == kEscape && i + 1 < text.size() && isStandIn(text[i + 1].unicode()))
            out.append(text[++i]);
        else if (c == kLess)
            out.append(u'<');
        else if (c == kGreater)
            out.append(u'>');
        else
            out.append(text[i]);
    }
    return out;
}

} // namespace LiteralText
