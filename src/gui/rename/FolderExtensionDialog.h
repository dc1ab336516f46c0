#pragma once

#include "core/rename/FolderExtensionParams.h"
#include "gui/rename/RenameDialog.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

// Folder extension ("frmFolderExtension", type 3): optFE(0) removes the extension, optFE(1) sets the one
// in txtFE, after the old one when chkAddOldFE is checked. The field and the check box are enabled only
// with optFE(1). Apply writes the cleaned extension back into txtFE.
class FolderExtensionDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 3;

    explicit FolderExtensionDialog(RenameDialogHost host, QWidget* parent = nullptr);

    FolderExtensionParams params() const;

protected:
    void valuesRestored() override;
    void prepareFields() override;
    void runFunction(RenameRun& run) override;

private:
    void updateEnabling();

    QRadioButton* m_remove = nullptr;
    QRadioButton* m_set = nullptr;
    QLineEdit* m_extension = nullptr;
    QCheckBox* m_keepOld = nullptr;
};
