#include "core/folderops/ListExport.h"

namespace ListExport {

QString PlainText(const QString& product, const QString& stamp, const QStringList& paths)
{
    QString text = product + QLatin1String(":  ") + stamp + QLatin1String("\r\n");
    for (const QString& path : paths)
        text += QLatin1String("\r\n") + path;
    return text;
}

QString EscapeRtf(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u < 0x20) {
            out += QStringLiteral("\\u%1?").arg(static_cast<int>(u)); // a control character must not end the line
        } else if (u < 0x80) {
            out += c;
        } else { // RTF counts in signed 16-bit units; "?" stands for readers without Unicode
            out += QStringLiteral("\\u%1?").arg(static_cast<int>(static_cast<qint16>(u)));
        }
    }
    return out;
}

QString RichText(const QString& product, const QString& stamp, const QStringList& paths)
{
    QString rtf = QLatin1String("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Courier New;}}\\b\\f0\\fs24\\ ") +
                  EscapeRtf(product) + QLatin1String(":  \\i ") + EscapeRtf(stamp) +
                  QLatin1String("\\b0\\i0\\fs20\\par");
    for (const QString& path : paths)
        rtf += QLatin1String("\\par ") + EscapeRtf(path);
    return rtf + QLatin1Char('}');
}

} // namespace ListExport
