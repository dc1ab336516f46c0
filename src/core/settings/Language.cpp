#include "core/settings/Language.h"

#include "core/settings/SettingsStore.h"

#include <QFileInfo>

QString SubstituteArgs(const QString& text, const QStringList& args)
{
    QString result = text;
    for (qsizetype n = 0; n < args.size(); ++n)
        result.replace(QLatin1Char('%') + QString::number(n + 1), args.at(n));
    return result;
}

QLocale Language::textLocale() const
{
    const QString name = locale();
    return name.isEmpty() ? QLocale::system() : QLocale(name);
}

bool Language::load(const QString& path)
{
    clear();
    if (!QFileInfo(path).isFile())
        return false;
    m_doc = IniDocument::load(path);
    m_path = path;
    m_charset = GetLngText(QStringLiteral("Main"), QStringLiteral("charset"));
    return true;
}

void Language::clear()
{
    m_path.clear();
    m_charset.clear();
    m_doc = IniDocument();
}

QString Language::GetLngText(const QString& section, const QString& key, const QStringList& args) const
{
    const QString text = SettingText(m_doc.value(section, key));
    return args.isEmpty() ? text : SubstituteArgs(text, args);
}
