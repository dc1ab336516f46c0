#pragma once

#include "core/rename/TrimParams.h"
#include "gui/rename/PositionPickerDialog.h"
#include "gui/rename/RenameDialog.h"

class QPushButton;
class QRadioButton;
class SpinField;

// Trim ("frmTrim", type 10): keep the first txtPos(0) or the last txtPos(1) characters of the base name,
// the characters from txtFrom to txtTo, or the name on disk (opt1(1) to opt1(4)). Each mode enables only
// its own fields; cmdGetPos picks them in the position picker. Counts that are no numbers of 1 or more
// are refused on Apply.
class TrimDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 10;

    explicit TrimDialog(RenameDialogHost host, QWidget* parent = nullptr);

    TrimParams params() const;
    // Takes a count or range picked in the position picker into the fields of the mode.
    void takePosition(const PositionPickerDialog::Result& picked);
    // The picker's request for the mode, after a reversed range is put in order ("GetFirst", "GetLast",
    // "GetFromTo"); nothing for the name on disk.
    std::optional<PositionPickerDialog::Request> positionRequest();

protected:
    void valuesRestored() override;
    bool acceptsRun(const RenameRun& run) override;
    void runFunction(RenameRun& run) override;

private:
    void updateEnabling();
    void pickPosition();

    QList<QRadioButton*> m_modes;
    SpinField* m_first = nullptr;
    SpinField* m_last = nullptr;
    SpinField* m_from = nullptr;
    SpinField* m_to = nullptr;
    QPushButton* m_getPos = nullptr;
};
