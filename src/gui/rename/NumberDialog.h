#pragma once

#include "core/rename/NumberingParams.h"
#include "gui/rename/RenameDialog.h"

class NumberFieldWidget;
class PlaceBox;
class QComboBox;
class QLabel;

// Numbering ("frmNumber", type 1). The start value txtInit is typed in decimal; for the other number
// systems txtInitFormat (with its label lbl1) shows it in that system and can be typed in too, the two
// kept in step. Values that are no whole numbers, or numbers that would leave 32 bits, are refused with
// a message when applied.
class NumberDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 1;

    explicit NumberDialog(RenameDialogHost host, QWidget* parent = nullptr);
    ~NumberDialog() override;

    NumberingParams params() const;

protected:
    void textsApplied() override;
    void valuesRestored() override;
    void prepareFields() override;
    bool acceptsRun(const RenameRun& run) override;
    void runFunction(RenameRun& run) override;

private:
    void startChanged();
    void formatEdited();
    void systemChosen();

    NumberFieldWidget* m_start = nullptr;
    QLabel* m_formatLabel = nullptr;
    NumberFieldWidget* m_startFormat = nullptr;
    NumberFieldWidget* m_increment = nullptr;
    QComboBox* m_system = nullptr;
    QComboBox* m_width = nullptr;
    PlaceBox* m_place = nullptr;
};
