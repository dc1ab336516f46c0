#include "core/rename/PrefixSuffixParams.h"

#include "core/rename/NameParts.h"
#include "core/rename/RenameRun.h"
#include "core/script/DialogValues.h"

PrefixSuffixParams PrefixSuffixParams::fromValues(const DialogValues& values)
{
    return {values.text(QStringLiteral("txtPr")), values.text(QStringLiteral("txtSu"))};
}

void applyPrefixSuffix(RenameRun& run, const PrefixSuffixParams& params)
{
    run.renameEach([&](const FolderEntry& entry) {
        const FolderNameViews parts = SplitFolderNameViews(entry.newName);
        QString name;
        name.reserve(params.prefix.size() + parts.base.size() + params.suffix.size() + parts.ext.size());
        return name.append(params.prefix).append(parts.base).append(params.suffix).append(parts.ext);
    });
}
