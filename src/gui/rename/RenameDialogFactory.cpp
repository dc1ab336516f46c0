#include "gui/rename/RenameDialogFactory.h"

#include "gui/rename/CaseDialog.h"
#include "gui/rename/DateTimeDialog.h"
#include "gui/rename/FolderExtensionDialog.h"
#include "gui/rename/InsertDialog.h"
#include "gui/rename/MoveDialog.h"
#include "gui/rename/NumberDialog.h"
#include "gui/rename/PrefixSuffixDialog.h"
#include "gui/rename/RenumberDialog.h"
#include "gui/rename/ReplaceDialog.h"
#include "gui/rename/TrimDialog.h"

#include <array>

namespace {

using Creator = std::unique_ptr<RenameDialog> (*)(RenameDialogHost, QWidget*);

struct DialogOfType
{
    int type;
    Creator create;
};

template <typename Dialog> constexpr DialogOfType dialogOf()
{
    return {Dialog::kType, [](RenameDialogHost host, QWidget* parent) -> std::unique_ptr<RenameDialog> {
                return std::make_unique<Dialog>(std::move(host), parent);
            }};
}

// The dialog classes, each under the type number it declares; which numbers exist and which functions
// are built is the rename step table's business.
constexpr std::array kDialogs{
    dialogOf<FolderExtensionDialog>(), dialogOf<CaseDialog>(),     dialogOf<PrefixSuffixDialog>(),
    dialogOf<NumberDialog>(),          dialogOf<DateTimeDialog>(), dialogOf<ReplaceDialog>(),
    dialogOf<InsertDialog>(),          dialogOf<MoveDialog>(),     dialogOf<TrimDialog>(),
    dialogOf<RenumberDialog>(),
};

} // namespace

std::unique_ptr<RenameDialog> CreateRenameDialog(int type, RenameDialogHost host, QWidget* parent)
{
    for (const DialogOfType& dialog : kDialogs) {
        if (dialog.type == type)
            return dialog.create(std::move(host), parent);
    }
    return nullptr;
}
