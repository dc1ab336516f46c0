#pragma once

#include "core/rename/RenumberParams.h"
#include "core/rename/RenumberPlan.h"
#include "gui/rename/RenameDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class NumberFieldWidget;

// Renumbering ("frmRenumber", type 2): finds the numbers at the beginning or the end of all names in the
// list ("erkNum"), lists the numbered entries in the order of their numbers ("lstFilesSorted") beside
// those that keep their names ("lstFilesUnsorted"), proposes the new sequence, and lets the user reorder
// and move entries between the lists. It keeps no settings section; a script step restores its fields.
// When too few names carry a number, it says so once shown and closes.
class RenumberDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 2;

    explicit RenumberDialog(RenameDialogHost host, QWidget* parent = nullptr);
    ~RenumberDialog() override;

    // The fields, with the order and membership of the numbered list.
    RenumberParams params() const;
    // Whether any position qualified.
    bool hasNumbers() const { return !m_positions.isEmpty(); }

    // The list commands, also for tests.
    void moveToUnsorted();
    void moveToSorted();
    void moveUp();
    void moveDown();

protected:
    bool keepsSettings() const override { return false; }
    void runPreview(RenameRun& run) override;
    void textsApplied() override;
    void valuesRestored() override;
    bool acceptsRun(const RenameRun& run) override;
    void runFunction(RenameRun& run) override;
    void showEvent(QShowEvent* event) override;

private:
    void positionChosen(int index);
    void fillLists(int index);
    void updateButtons();
    void updateReplace();
    QList<int> rowsOf(const QListWidget* list) const;

    RenumberPlan m_plan;
    QList<RenumberPlan::Position> m_positions;
    int m_listedIndex = -1; // the position the lists were filled for
    bool m_restoring = false;
    bool m_warned = false;

    QComboBox* m_found = nullptr;
    QListWidget* m_sorted = nullptr;
    QListWidget* m_unsorted = nullptr;
    QPushButton* m_toUnsorted = nullptr;
    QPushButton* m_toSorted = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    NumberFieldWidget* m_first = nullptr;
    NumberFieldWidget* m_increment = nullptr;
    QComboBox* m_width = nullptr;
    QRadioButton* m_atStart = nullptr;
    QRadioButton* m_atEnd = nullptr;
    QCheckBox* m_replace = nullptr;
    QLineEdit* m_middle = nullptr;
};
