#pragma once

#include "core/rename/MoveParams.h"
#include "gui/rename/RenameDialog.h"

class QCheckBox;
class QLineEdit;
class QScrollBar;

// Move ("frmMove", type 8): the run of characters selected in txtFileName (the base name of the entry
// chosen with VScroll1) moves by the shift of HScroll1, which reaches from the start to the end of the
// name; txtFrom, txtTo and txtPos show the numbers, txtPreview the result with the moved run selected.
// Apply moves the run in the example entry only, or in every admitted entry with chkAdd2All.
class MoveDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 8;

    explicit MoveDialog(RenameDialogHost host, QWidget* parent = nullptr);

    MoveParams params() const;
    // The example entry, 1-based.
    void showEntry(int number);
    // Selects the run from..to (1-based, in characters) of the example name.
    void selectRun(int from, int to);
    void setShift(int shift);

protected:
    void valuesRestored() override;
    bool acceptsRun(const RenameRun& run) override;
    void runFunction(RenameRun& run) override;

private:
    void selectionChanged();
    void shiftChanged(int shift);
    void updatePreview();

    QLineEdit* m_name = nullptr;
    QScrollBar* m_entry = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QScrollBar* m_shift = nullptr;
    QLineEdit* m_shiftText = nullptr;
    QLineEdit* m_preview = nullptr;
    QCheckBox* m_all = nullptr;
};
