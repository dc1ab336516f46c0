// Feeds arbitrary bytes to the INI reader and writer: parsing, lookups, one write, and the round trip
// through text. Input layout: the document, then optionally "\x01" section "\x01" key "\x01" value.
#include "FuzzCheck.h"
#include "core/settings/CharClasses.h"
#include "core/settings/IniDocument.h"
#include "core/settings/Language.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"

#include <cstdint>
#include <cstdlib>

namespace {

QString trimBlanks(QString text)
{
    while (!text.isEmpty() && (text.front() == QLatin1Char(' ') || text.front() == QLatin1Char('\t')))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == QLatin1Char(' ') || text.back() == QLatin1Char('\t')))
        text.chop(1);
    return text;
}

// Names the writer can store unambiguously: no line breaks, brackets or "=".
QString cleanName(QString name)
{
    static const QString forbidden = QStringLiteral("[]=\r\n");
    for (const QChar c : forbidden)
        name.remove(c);
    return name.trimmed();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> parts = bytes.split('\x01');
    IniDocument doc = IniDocument::fromText(TextCodec::decode(parts.at(0)));

    const QStringList sections = doc.sections();
    for (qsizetype i = 0; i < sections.size() && i < 8; ++i) {
        const QStringList keys = doc.keys(sections.at(i));
        for (qsizetype k = 0; k < keys.size() && k < 8; ++k) {
            check(doc.contains(sections.at(i), keys.at(k)));
            SettingText(doc.value(sections.at(i).toUpper(), keys.at(k).toLower()));
        }
    }
    const QString text = doc.toText();
    check(IniDocument::fromText(text).toText() == text);

    if (parts.size() >= 4) {
        const QString section = cleanName(TextCodec::decode(parts.at(1)));
        const QString key = cleanName(TextCodec::decode(parts.at(2)));
        QString value = TextCodec::decode(parts.at(3));
        if (!section.isEmpty() && !key.isEmpty()) {
            doc.setValue(section, key, value);
            value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            const QString expected = trimBlanks(value);
            check(doc.value(section, key) == expected);
            // What is written is what a later start reads.
            const IniDocument reread = IniDocument::fromText(TextCodec::decode(TextCodec::encode(doc.toText())));
            check(reread.value(section, key) == expected);
        }
        SubstituteArgs(value, {section, key});
        CharClasses::fromLetters(value);
    }
    return 0;
}
