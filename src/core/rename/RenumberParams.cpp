#include "core/rename/RenumberParams.h"

#include "core/rename/RenameRun.h"
#include "core/script/DialogValues.h"

RenumberParams RenumberParams::fromValues(const DialogValues& values)
{
    RenumberParams params;
    params.positionIndex = std::max(values.number(QStringLiteral("erkNum"), 0), 0);
    params.width = std::clamp(values.number(QStringLiteral("cmbAnzahl"), 0), 0, kMaxWidth);
    params.first = digitValue(values.text(QStringLiteral("txtInit")));
    params.increment = digitValue(values.text(QStringLiteral("txtInc")));
    if (values.selected(QStringLiteral("optPrefix")))
        params.atStart = true;
    else if (values.selected(QStringLiteral("optSuffix")))
        params.atStart = false;
    params.replaceMiddle = values.checked(QStringLiteral("chkReplace"));
    params.middle = cleanMiddle(values.text(QStringLiteral("txtRepName")));
    return params;
}

qint64 RenumberParams::digitValue(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    }
    return digits.isEmpty() ? 1 : digits.left(kMaxDigits).toLongLong();
}

bool RenumberParams::middleAccepts(QChar c)
{
    return !QStringView(u"\\/:?*<>|\"").contains(c);
}

QString RenumberParams::cleanMiddle(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (middleAccepts(c))
            out += c;
    }
    return out;
}

void applyRenumbering(RenameRun& run, const RenumberParams& params)
{
    QStringList names;
    names.reserve(run.list.size());
    for (const FolderEntry& entry : run.list.entries())
        names.append(entry.newName);
    const RenumberPlan plan(names);
    const QList<RenumberPlan::Position> positions = plan.positions();
    if (positions.isEmpty())
        return;
    const RenumberPlan::Position position =
        positions.at(params.positionIndex < positions.size() ? params.positionIndex : 0);
    RenumberPlan::Numbering numbering;
    numbering.first = params.first;
    numbering.increment = params.increment;
    numbering.width = params.width;
    numbering.atStart = params.atStart.value_or(position == RenumberPlan::Position::Start);
    numbering.replaceMiddle = params.replaceMiddle;
    numbering.middle = params.middle;
    const QStringList renamed =
        plan.renumbered(params.numbered ? *params.numbered : plan.orderFor(position).numbered, numbering);
    run.everyEntry = true;
    run.renameEach([&](const FolderEntry&, int row) { return renamed.at(row); });
}
