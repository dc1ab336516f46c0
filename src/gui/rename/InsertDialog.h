#pragma once

#include "core/rename/InsertParams.h"
#include "gui/rename/PositionPickerDialog.h"
#include "gui/rename/RenameDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class SpinField;

// Insert ("frmInsert", type 7): where (opt1: a position in txtPos counted as cmbAlign says, before or after
// the classes chosen in lstBeforeAfter, the beginning, the end), what (opt2: the text of txtIns, or the
// creation date in the format of txtFormat, picked from the format library with cmdSelFormat and shown for
// the current time in txtFormatPreview) and an optional separator (chkIntChr, cmbIntChr). Each choice enables its
// fields. An empty text and a position that is no number are refused on Apply.
class InsertDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 7;

    explicit InsertDialog(RenameDialogHost host, QWidget* parent = nullptr);

    InsertParams params() const;
    // Takes a position picked in the position picker, with its counting direction.
    void takePosition(const PositionPickerDialog::Result& picked);

protected:
    void textsApplied() override;
    void valuesRestored() override;
    bool acceptsRun(const RenameRun& run) override;
    void runFunction(RenameRun& run) override;

private:
    void updateEnabling();
    void updateFormatPreview();
    void pickPosition();
    void chooseFormat();

    QList<QRadioButton*> m_where;
    QRadioButton* m_text = nullptr;
    QRadioButton* m_date = nullptr;
    SpinField* m_position = nullptr;
    QComboBox* m_align = nullptr;
    QPushButton* m_getPos = nullptr;
    QListWidget* m_classes = nullptr;
    QCheckBox* m_onlyOnce = nullptr;
    QLineEdit* m_insert = nullptr;
    QLineEdit* m_format = nullptr;
    QComboBox* m_formatType = nullptr;
    QPushButton* m_selectFormat = nullptr;
    QLineEdit* m_formatPreview = nullptr;
    QCheckBox* m_useSeparator = nullptr;
    QComboBox* m_separator = nullptr;
};
