#include "core/settings/SettingsStore.h"

#include "core/platform/FileSystem.h"
#include "core/settings/IniDocument.h"
#include "core/settings/TextCodec.h"

#include <QFileInfo>

namespace {

constexpr qsizetype kMaxValueLength = 999;

} // namespace

QString SettingText(const QString& raw)
{
    QString value = raw;
    const qsizetype nul = value.indexOf(QChar(0));
    if (nul >= 0)
        value.truncate(nul);
    if (value.size() > kMaxValueLength) {
        // Never keep half of a surrogate pair: it would turn into a replacement character on the next save.
        const bool splitsPair = value.at(kMaxValueLength - 1).isHighSurrogate();
        value.truncate(splitsPair ? kMaxValueLength - 1 : kMaxValueLength);
    }
    return value;
}

QString ReadSetting(const QString& section, const QString& key, const QString& file)
{
    if (file.isEmpty())
        return {};
    return SettingText(IniDocument::load(file).value(section, key));
}

int ReadSettingInt(const QString& section, const QString& key, const QString& file)
{
    const QString text = ReadSetting(section, key, file);
    return text.isEmpty() ? -1 : SettingNumber(text);
}

int SettingNumber(const QString& text)
{
    // Like the classic profile readers: an optional sign and the leading digits count; text that does
    // not start with a number reads as 0, and values beyond the 32-bit range are clamped.
    const QString t = text.trimmed();
    qsizetype i = 0;
    const bool negative = t.startsWith(QLatin1Char('-'));
    if (negative || t.startsWith(QLatin1Char('+')))
        ++i;
    qint64 value = 0;
    for (; i < t.size() && t.at(i).isDigit() && t.at(i).unicode() < 128; ++i) {
        value = value * 10 + (t.at(i).unicode() - '0');
        if (value > 2147483648LL)
            value = 2147483648LL;
    }
    if (negative)
        value = -value;
    return static_cast<int>(qBound<qint64>(-2147483648LL, value, 2147483647LL));
}

bool WriteSetting(FileSystem& fs, const QString& section, const QString& key, const QString& value, const QString& file)
{
    if (file.isEmpty())
        return false;
    IniDocument doc = IniDocument::load(file);
    doc.setValue(section, key, value);
    return doc.save(fs, file).ok();
}

bool FlagFromInt(int value, bool defaultValue)
{
    if (value == 1)
        return true;
    if (value == 0)
        return false;
    return defaultValue;
}

int IntFromFlag(bool flag)
{
    return flag ? 1 : 0;
}

QString CompactSettingsText(const QString& text)
{
    const QString marker = QString::fromUtf16(kDeleteMarker);
    QString out;
    out.reserve(text.size());
    // The blank line before a header depends on the last line kept, not the last line read: a dropped
    // key right after a blank line must not leave two blank lines, and a second run changes nothing.
    bool lastKeptBlank = true;
    for (const QString& line : TextCodec::splitLines(text)) {
        const QString trimmed = line.trimmed();
        if (trimmed.endsWith(marker))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && !lastKeptBlank)
            out.append(QLatin1Char('\n'));
        out.append(line);
        out.append(QLatin1Char('\n'));
        lastKeptBlank = trimmed.isEmpty();
    }
    return out;
}

bool CompactSettingsFile(FileSystem& fs, const QString& file)
{
    bool ok = false;
    const QString text = TextCodec::readFile(file, &ok);
    if (!ok)
        return false;
    const QString out = CompactSettingsText(text);
    if (out == text)
        return true;
    return fs.writeFileAtomic(file, TextCodec::encode(out)).ok();
}
