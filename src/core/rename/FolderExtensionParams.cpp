#include "core/rename/FolderExtensionParams.h"

#include "core/rename/NameStructure.h"
#include "core/script/DialogValues.h"

FolderExtensionParams FolderExtensionParams::fromValues(const DialogValues& values)
{
    FolderExtensionParams params;
    params.mode = values.selectedIndex(QStringLiteral("optFE"), Remove, NewExtension, kDefaultMode);
    params.extension = cleanExtension(values.text(QStringLiteral("txtFE")));
    params.keepOld = values.checked(QStringLiteral("chkAddOldFE"));
    return params;
}

QString FolderExtensionParams::cleanExtension(const QString& text)
{
    QString cleaned = text.trimmed();
    qsizetype dots = 0;
    while (dots < cleaned.size() && cleaned.at(dots) == QLatin1Char('.'))
        ++dots;
    return cleaned.mid(dots);
}

QString FolderExtensionParams::structure() const
{
    QString structure = QStringLiteral("<Name>");
    if (mode == NewExtension) {
        if (keepOld)
            structure += QStringLiteral("<.Ext>");
        if (!extension.isEmpty())
            structure += QLatin1Char('.') + extension;
    }
    return structure;
}

void applyFolderExtension(RenameRun& run, const FolderExtensionParams& params)
{
    ApplyStructure(run, params.structure());
}
