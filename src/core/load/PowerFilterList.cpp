#include "core/load/PowerFilterList.h"

#include "core/settings/IniDocument.h"
#include "core/settings/SettingsStore.h"

namespace {

const QString kSection = QStringLiteral("PowerFilter");

QString filterKey(int number)
{
    return QStringLiteral("f") + QString::number(number);
}

} // namespace

PowerFilterList PowerFilterList::load(const IniDocument& doc)
{
    PowerFilterList list;
    for (int n = 1;; ++n) {
        const QString value = SettingText(doc.value(kSection, filterKey(n)));
        if (value.isEmpty())
            break;
        list.m_filters.append({value.mid(1), value.at(0) == QLatin1Char('1')});
    }
    list.applyRules(-1);
    return list;
}

void PowerFilterList::store(IniDocument& doc) const
{
    for (int i = 0; i < size(); ++i) {
        const Filter& f = m_filters.at(i);
        doc.setValue(kSection, filterKey(i + 1), (f.checked ? QStringLiteral("1") : QStringLiteral("0")) + f.pattern);
    }
    doc.setValue(kSection, filterKey(size() + 1), QString());
}

void PowerFilterList::setChecked(int index, bool checked)
{
    if (index < 0 || index >= size())
        return;
    m_filters[index].checked = checked;
    applyRules(index);
}

bool PowerFilterList::add(const QString& typed)
{
    const QString pattern = cleanPattern(typed);
    if (pattern.isEmpty())
        return false;
    m_filters.append({pattern, true});
    applyRules(size() - 1);
    return true;
}

bool PowerFilterList::edit(int index, const QString& typed)
{
    const QString pattern = cleanPattern(typed);
    if (pattern.isEmpty() || index < 0 || index >= size())
        return false;
    m_filters[index] = {pattern, true};
    applyRules(index);
    return true;
}

void PowerFilterList::remove(int index)
{
    if (index < 0 || index >= size())
        return;
    m_filters.removeAt(index);
    applyRules(-1);
}

QString PowerFilterList::cleanPattern(const QString& typed)
{
    static const QString kRemoved = QStringLiteral("\"/:<>\\|");
    QString pattern;
    pattern.reserve(typed.size());
    for (const QChar c : typed) {
        if (!kRemoved.contains(c))
            pattern.append(c);
    }
    return pattern;
}

QStringList PowerFilterList::checkedPatterns() const
{
    QStringList patterns;
    for (const Filter& f : m_filters) {
        if (f.checked)
            patterns.append(f.pattern);
    }
    return patterns;
}

bool PowerFilterList::matchesAny(QStringView name) const
{
    for (const Wildcard& w : m_matchers) {
        if (w.matches(name))
            return true;
    }
    return false;
}

void PowerFilterList::applyRules(int changedIndex)
{
    if (!m_filters.isEmpty()) {
        // The first filter excludes the others. Without a changed box to go by (after loading or
        // removing), a checked first filter wins.
        const bool firstWins = m_filters.at(0).checked && changedIndex <= 0;
        if (firstWins) {
            for (int i = 1; i < size(); ++i)
                m_filters[i].checked = false;
        } else if (changedIndex > 0 && m_filters.at(changedIndex).checked) {
            m_filters[0].checked = false;
        }
        bool any = false;
        for (const Filter& f : std::as_const(m_filters))
            any = any || f.checked;
        if (!any)
            m_filters[0].checked = true;
    }
    rebuildMatchers();
}

void PowerFilterList::rebuildMatchers()
{
    m_matchers.clear();
    for (const QString& pattern : checkedPatterns())
        m_matchers.append(Wildcard(pattern));
}
