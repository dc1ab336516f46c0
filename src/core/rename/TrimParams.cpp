#include "core/rename/TrimParams.h"

#include "core/rename/FieldNumber.h"
#include "core/rename/NameStructure.h"
#include "core/script/DialogValues.h"

namespace {

const QString kFirst = QStringLiteral("txtPos(0)");
const QString kLast = QStringLiteral("txtPos(1)");
const QString kFrom = QStringLiteral("txtFrom");
const QString kTo = QStringLiteral("txtTo");

std::optional<int> count(const DialogValues& values, const QString& key)
{
    return FieldNumber(values.text(key), 1, kMaxNamePosition);
}

} // namespace

TrimParams TrimParams::fromValues(const DialogValues& values)
{
    TrimParams params;
    params.mode = values.selectedIndex(QStringLiteral("opt1"), First, ShortName, kDefaultMode);
    params.first = count(values, kFirst).value_or(1);
    params.last = count(values, kLast).value_or(1);
    params.from = count(values, kFrom).value_or(1);
    params.to = count(values, kTo).value_or(1);
    return params;
}

QString TrimParams::refusedKey(const DialogValues& values)
{
    const TrimParams params = fromValues(values);
    const QStringList keys = params.mode == First    ? QStringList{kFirst}
                             : params.mode == Last   ? QStringList{kLast}
                             : params.mode == FromTo ? QStringList{kFrom, kTo}
                                                     : QStringList{};
    for (const QString& key : keys) {
        if (!count(values, key))
            return key;
    }
    return {};
}

QString TrimParams::structure() const
{
    switch (mode) {
    case Last:
        return QStringLiteral("<Name_R(%1)><.Ext>").arg(last);
    case FromTo:
        return QStringLiteral("<Name_M(%1,%2)><.Ext>").arg(from).arg(to);
    case ShortName:
        return QStringLiteral("<DosName>");
    default:
        return QStringLiteral("<Name_L(%1)><.Ext>").arg(first);
    }
}

void applyTrim(RenameRun& run, const TrimParams& params)
{
    ApplyStructure(run, params.structure());
}
