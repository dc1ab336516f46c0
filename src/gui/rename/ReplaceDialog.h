#pragma once

#include "core/rename/ReplaceParams.h"
#include "gui/rename/PositionPickerDialog.h"
#include "gui/rename/RenameDialog.h"

class NameFieldWidget;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SpinField;

// Replace ("frmReplace", type 6): what (a text in txtToRep, optionally a regular expression; characters at
// positions: the first or last n, or from txtFrom to txtTo; every character of the class in cmbRemove, or
// every other one, less the characters in txtExceptions) and the action (replace by txtRepBy, or remove).
// Apply swaps a reversed range, shows the class's characters in txtToRep, and refuses empty texts, an
// invalid pattern and positions that are no numbers, each with its message.
class ReplaceDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 6;

    explicit ReplaceDialog(RenameDialogHost host, QWidget* parent = nullptr);

    ReplaceParams params() const;
    // Takes a count or range picked in the position picker into the fields of the chosen positions.
    void takePosition(const PositionPickerDialog::Result& picked);

protected:
    void textsApplied() override;
    void valuesRestored() override;
    void prepareFields() override;
    bool acceptsRun(const RenameRun& run) override;
    void runFunction(RenameRun& run) override;

private:
    void updateEnabling();
    void pickPosition();

    QRadioButton* m_text = nullptr;
    QRadioButton* m_positions = nullptr;
    QRadioButton* m_inClass = nullptr;
    QRadioButton* m_notInClass = nullptr;
    QRadioButton* m_first = nullptr;
    QRadioButton* m_last = nullptr;
    QRadioButton* m_range = nullptr;
    QRadioButton* m_replace = nullptr;
    QRadioButton* m_remove = nullptr;
    NameFieldWidget* m_find = nullptr;
    QCheckBox* m_regExp = nullptr;
    QLineEdit* m_replacement = nullptr;
    SpinField* m_firstCount = nullptr;
    SpinField* m_lastCount = nullptr;
    SpinField* m_from = nullptr;
    SpinField* m_to = nullptr;
    QPushButton* m_getPos = nullptr;
    QComboBox* m_class = nullptr;
    QCheckBox* m_useExceptions = nullptr;
    QLineEdit* m_exceptions = nullptr;
};
