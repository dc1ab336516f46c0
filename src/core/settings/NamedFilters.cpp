#include "core/settings/NamedFilters.h"

#include "core/settings/IniDocument.h"

namespace {

const QString kSection = QStringLiteral("Filter");

QString filterKey(int n)
{
    return QStringLiteral("f%1").arg(n);
}

} // namespace

QString NamedFilter::joinedPatterns() const
{
    QStringList kept;
    for (const QString& pattern : patterns) {
        if (!pattern.trimmed().isEmpty())
            kept.append(pattern.trimmed());
    }
    return kept.join(QLatin1Char(';'));
}

QStringList NamedFilter::splitPatterns(const QString& joined)
{
    QStringList patterns;
    for (const QString& part : joined.split(QLatin1Char(';'))) {
        if (!part.trimmed().isEmpty())
            patterns.append(part.trimmed());
    }
    return patterns;
}

QList<NamedFilter> LoadFilters(const IniDocument& settings)
{
    QList<NamedFilter> filters;
    for (int n = 1;; ++n) {
        const QString value = settings.value(kSection, filterKey(n));
        if (value.isEmpty())
            break;
        const qsizetype bar = value.indexOf(QLatin1Char('|'));
        if (bar < 0)
            continue;
        filters.append({value.left(bar), NamedFilter::splitPatterns(value.mid(bar + 1))});
    }
    return filters;
}

void SaveFilters(IniDocument& settings, const QList<NamedFilter>& filters)
{
    int n = 1;
    for (const NamedFilter& filter : filters)
        settings.setValue(kSection, filterKey(n++), filter.name + QLatin1Char('|') + filter.joinedPatterns());
    settings.setValue(kSection, filterKey(n), QString());
}
