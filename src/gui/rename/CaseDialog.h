#pragma once

#include "core/rename/CaseParams.h"
#include "gui/rename/RenameDialog.h"

// Upper and lower case ("frmULCase", type 4): the case function opt1(1) to opt1(5) in one frame, the
// part of the name it applies to, opt2(1) to opt2(3), in another.
class CaseDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 4;

    explicit CaseDialog(RenameDialogHost host, QWidget* parent = nullptr);

    CaseParams params() const;

protected:
    void runFunction(RenameRun& run) override;
};
