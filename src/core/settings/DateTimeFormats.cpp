#include "core/settings/DateTimeFormats.h"

#include "core/settings/IniDocument.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"

#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("DTFormats");

QString userKey(qsizetype n)
{
    return QStringLiteral("f%1").arg(n);
}

} // namespace

DateTimeFormats::DateTimeFormats()
{
    const auto builtIn = [](const char16_t* texts) { return QString::fromUtf16(texts).split(u'|'); };
    m_lists[Dates] = builtIn(u"dd.mm.yyyy|dd.mm.yy|dd. mmm yyyy|dd. mmm yy|dd. mmmm yyyy|dd. mmmm yy|dd-mm-yyyy|"
                             u"dd-mm-yy|yyyymmdd|yymmdd|yyyy-mm-dd|yy-mm-dd|yyyy_mm_dd|yy_mm_dd");
    m_lists[Times] = builtIn(u"hh-nn-ss|hh-nn|hh_nn_ss|hh_nn");
    m_lists[TimesAmPm] = builtIn(u"hh-nn-ss AM/PM|hh-nn AM/PM|hh_nn_ss AM/PM|hh_nn AM/PM");
    m_lists[DatesAndTimes] =
        builtIn(u"dd.mm.yyyy hh-nn-ss|dd.mm.yyyy hh-nn|dd.mm.yy hh-nn-ss|dd.mm.yy hh-nn|dd-mm-yyyy hh-nn-ss|"
                u"dd-mm-yy hh-nn-ss|yyyymmdd hhnnss|yyyymmddhhnnss|yymmdd hhnnss|yymmddhhnnss|"
                u"yyyy-mm-dd hh-nn-ss|yyyy-mm-dd-hh-nn-ss|yy-mm-dd hh-nn-ss|yy-mm-dd-hh-nn-ss|"
                u"yyyy_mm_dd hh_nn_ss|yyyy_mm_dd_hh_nn_ss|yy_mm_dd hh_nn_ss|yy_mm_dd_hh_nn_ss");
}

const QStringList& DateTimeFormats::list(int type) const
{
    static const QStringList none;
    return type >= 0 && type < TypeCount ? m_lists[static_cast<size_t>(type)] : none;
}

void PutFormat(QStringList& list, const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    list.removeAll(text);
    list.append(text);
}

DateTimeFormats LoadDateTimeFormats(const IniDocument& settings)
{
    DateTimeFormats formats;
    QStringList& user = formats.userFormats();
    for (qsizetype n = 1;; ++n) {
        const QString text = SettingText(settings.value(kSection, userKey(n)));
        if (text.isEmpty())
            break;
        if (!user.contains(text))
            user.append(text);
    }
    return formats;
}

void StoreUserFormats(const DateTimeFormats& formats, IniDocument& settings)
{
    const QStringList& user = formats.userFormats();
    for (qsizetype n = 1; n <= user.size(); ++n)
        settings.setValue(kSection, userKey(n), user.at(n - 1));
    settings.setValue(kSection, userKey(user.size() + 1), QString());
}

QString FormatStamp(QStringView stamp)
{
    if (stamp.size() != 14)
        return stamp.toString();
    return QStringLiteral("%1-%2-%3, %4:%5:%6")
        .arg(stamp.first(4), stamp.sliced(4, 2), stamp.sliced(6, 2), stamp.sliced(8, 2), stamp.sliced(10, 2),
             stamp.sliced(12, 2));
}
