#include "rename/PrefixSuffixParams.h"

#include "rename/NameParts.h"
#include "rename/RenameRun.h"
#include "script/DialogValues.h"

PrefixSuffixParams PrefixSuffixParams::fromValues(const DialogValues& values)
{
    return {values.text(QStringLiteral("txtPr")), values.text(QStringLiteral("txtSu"))};
}

void applyPrefixSuffix(RenameRun& run, const PrefixSuffixParams& params)
{
    std::vector<FolderEntry>& entries = run.list.entries();
    const int total = run.list.size();
    for (int row = 0; row < total; ++row) {
        run.progress(row + 1);
        if (!run.admits(row))
            continue;
        FolderEntry& entry = entries[static_cast<size_t>(row)];
        const FolderNameViews parts = SplitFolderNameViews(entry.newName());
        QString name;
        name.reserve(params.prefix.size() + parts.base.size() + params.suffix.size() + parts.ext.size());
        name.append(params.prefix).append(parts.base).append(params.suffix).append(parts.ext);
        entry.setNewName(name);
    }
    run.list.notifyEntriesChanged();
}
