#pragma once

#include "core/folderops/AttributesParams.h"

#include <QDialog>
#include <functional>

struct AppState;
class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;

// Attributes and times of the listed folders: for each attribute leave, set or clear; for each time
// whether to set it, from an explicit date picked in the calendar or from a source (the folder's own
// times, its files, its subfolders) shifted by an offset. Times this system cannot set and attributes it
// does not have are shown disabled, with a tool tip that says why. OK gives the choices as params().
class FolderAttributesDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmFolderAttributes"); }
    // How the calendar and the offset dialog are run: exec() in the program; tests answer them instead.
    using DialogRunner = std::function<int(QDialog&)>;

    FolderAttributesDialog(const AppState& state, Prompter& prompter, QWidget* parent = nullptr);

    AttributesParams params() const;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

    // The calendar and the offset dialog of time index 0 to 2, as their buttons open them.
    void pickDate(int index);
    void pickOffset(int index);

private:
    struct TimeRow
    {
        QCheckBox* enabled = nullptr;
        QComboBox* source = nullptr;
        QStackedWidget* pages = nullptr; // the explicit date, or the offset of a derived time
        QLabel* date = nullptr;
        QPushButton* pickDate = nullptr;
        QCheckBox* useOffset = nullptr;
        QLabel* offset = nullptr;
        QPushButton* pickOffset = nullptr;
        QDateTime chosen;
    };

    void buildTimeRow(int index, const QString& tag);
    void fillSources();
    void updateRow(int index);

    const AppState& m_state;
    Prompter& m_prompter;
    QRadioButton* m_choices[3][3] = {}; // read-only, hidden, archive × leave, set, clear
    TimeRow m_rows[3];
    DialogRunner m_runDialog;
};
