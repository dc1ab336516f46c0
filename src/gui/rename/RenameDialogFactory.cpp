#include "gui/rename/RenameDialogFactory.h"

#include "gui/rename/CaseDialog.h"
#include "gui/rename/FolderExtensionDialog.h"
#include "gui/rename/PrefixSuffixDialog.h"

std::unique_ptr<RenameDialog> CreateRenameDialog(int type, RenameDialogHost host, QWidget* parent)
{
    switch (type) {
    case FolderExtensionDialog::kType:
        return std::make_unique<FolderExtensionDialog>(std::move(host), parent);
    case CaseDialog::kType:
        return std::make_unique<CaseDialog>(std::move(host), parent);
    case PrefixSuffixDialog::kType:
        return std::make_unique<PrefixSuffixDialog>(std::move(host), parent);
    default:
        return nullptr;
    }
}
