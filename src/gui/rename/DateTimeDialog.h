#pragma once

#include "core/rename/DateTimeParams.h"
#include "gui/rename/RenameDialog.h"

class PlaceBox;
class QComboBox;
class QLineEdit;

// Date and time ("frmDateTime", type 9): the creation time of each entry in a format from the format
// library (cmdSelFormat opens it on the type chosen in cmbType), before or after the base name. Apply
// writes the user's own formats to the settings file before it runs.
class DateTimeDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 9;

    explicit DateTimeDialog(RenameDialogHost host, QWidget* parent = nullptr);

    DateTimeParams params() const;

    // Opens the format library on the chosen type and format, and takes what the user picks there.
    void selectFormat();

protected:
    void textsApplied() override;
    void valuesRestored() override;
    void runFunction(RenameRun& run) override;

private:
    QComboBox* m_source = nullptr;
    QComboBox* m_type = nullptr;
    QLineEdit* m_format = nullptr;
    PlaceBox* m_place = nullptr;
};
