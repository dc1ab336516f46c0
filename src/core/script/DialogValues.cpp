#include "core/script/DialogValues.h"

#include "core/settings/IniDocument.h"
#include "core/settings/SettingsStore.h"

DialogValues DialogValues::fromSection(const IniDocument& doc, const QString& section)
{
    DialogValues values;
    const QStringList keys = doc.keys(section);
    for (const QString& key : keys)
        values.set(key, SettingText(doc.value(section, key)));
    return values;
}

bool DialogValues::has(const QString& key) const
{
    return !m_values.value(key.toLower()).isEmpty();
}

QString DialogValues::raw(const QString& key) const
{
    return m_values.value(key.toLower());
}

QString DialogValues::text(const QString& key, const QString& fallback) const
{
    const QString stored = raw(key);
    return stored.isEmpty() ? fallback : decodeText(stored);
}

int DialogValues::number(const QString& key, int fallback) const
{
    bool ok = false;
    const int value = raw(key).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool DialogValues::selected(const QString& key) const
{
    return raw(key).trimmed() == QStringView(kOptionSelected);
}

int DialogValues::selectedIndex(const QString& groupName, int first, int last, int fallback) const
{
    for (int n = first; n <= last; ++n) {
        if (selected(groupName + QLatin1Char('(') + QString::number(n) + QLatin1Char(')')))
            return n;
    }
    return fallback;
}

QList<int> DialogValues::indices(const QString& key) const
{
    QList<int> result;
    const QStringList parts = raw(key).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        bool ok = false;
        const int index = part.trimmed().toInt(&ok);
        if (ok && index >= 0 && !result.contains(index))
            result.append(index);
    }
    std::sort(result.begin(), result.end());
    return result;
}

void DialogValues::set(const QString& key, const QString& rawValue)
{
    const QString lower = key.toLower();
    if (!m_names.contains(lower)) {
        m_names.insert(lower, key);
        m_order.append(key);
    }
    m_values.insert(lower, rawValue);
}

QList<QString> DialogValues::keys() const
{
    return m_order;
}

QString DialogValues::encodeText(const QString& text)
{
    QString stored = text;
    stored.replace(QLatin1Char(' '), kBlank);
    return stored;
}

QString DialogValues::decodeText(const QString& stored)
{
    QString text = stored;
    text.replace(kBlank, QLatin1Char(' '));
    return text;
}
