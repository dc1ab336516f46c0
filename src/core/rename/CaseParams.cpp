#include "core/rename/CaseParams.h"

#include "core/rename/NameStructure.h"
#include "core/script/DialogValues.h"

CaseParams CaseParams::fromValues(const DialogValues& values)
{
    CaseParams params;
    params.function = values.selectedIndex(QStringLiteral("opt1"), FirstCapital, Swap, kDefaultFunction);
    params.scope = values.selectedIndex(QStringLiteral("opt2"), BaseName, Both, kDefaultScope);
    return params;
}

QString CaseParams::tag() const
{
    static const char* const kTags[] = {"1C", "WC", "UC", "LC", "SC"};
    const int function = this->function >= FirstCapital && this->function <= Swap ? this->function : kDefaultFunction;
    return QLatin1String(kTags[function - 1]);
}

QString CaseParams::structure() const
{
    const QString t = tag();
    const QString open = QLatin1Char('<') + t + QLatin1Char('>');
    const QString close = QStringLiteral("</") + t + QLatin1Char('>');
    const QString name = QStringLiteral("<NAME>");
    const QString ext = QStringLiteral("<.EXT>");
    switch (scope) {
    case Extension:
        return name + open + ext + close;
    case Both:
        return open + name + close + open + ext + close;
    default:
        return open + name + close + ext;
    }
}

void applyCase(RenameRun& run, const CaseParams& params)
{
    ApplyStructure(run, params.structure());
}
