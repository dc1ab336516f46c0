#pragma once

#include "gui/rename/RenameDialog.h"

#include <memory>

// The rename dialogs by the type number of their function: what a rename slot of the main window and a
// script step open. Nothing for a type whose dialog is not part of the program yet.
std::unique_ptr<RenameDialog> CreateRenameDialog(int type, RenameDialogHost host, QWidget* parent = nullptr);
