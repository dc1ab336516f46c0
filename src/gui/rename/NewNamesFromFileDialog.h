#pragma once

#include "core/rename/CsvFile.h"
#include "core/rename/CsvNamesParams.h"

#include <QDialog>
#include <array>
#include <functional>

struct AppState;
class Prompter;
class PreviewList;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// New names from a delimited file ("frmNewNamesFromFile"): the file and its separator in one frame, the
// columns (from the file's header line) and the structure of the new name in the other. OK checks the
// whole file first: a file that cannot be read, is no text, has no rows below its header or a row too
// short for a chosen column is reported and changes nothing; then every entry named in the file gets its
// new name, and the fields are stored in the dialog's settings section. This function is no script step.
class NewNamesFromFileDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kOptionalColumns = 3;

    NewNamesFromFileDialog(AppState& state, Prompter& prompter, PreviewList& list, std::function<void()> refreshPreview,
                           QWidget* parent = nullptr);

    // The fields as the function takes them.
    CsvNamesParams params() const;

    // Takes a file as if chosen with the file picker: detects its separator and lists its columns.
    void chooseFile(const QString& path);
    // True when names were taken and the dialog closed.
    bool ok();

private:
    void selectFile();
    void fileEdited();
    void loadColumns();
    void updateEnabling();
    void restoreFields();
    QString separator() const;

    AppState& m_state;
    Prompter& m_prompter;
    PreviewList& m_list;
    std::function<void()> m_refresh;

    QLineEdit* m_file = nullptr;
    QLabel* m_separatorLabel = nullptr;
    QComboBox* m_separator = nullptr;
    QComboBox* m_match = nullptr;
    QComboBox* m_newName = nullptr;
    std::array<QComboBox*, kOptionalColumns> m_optional{};
    QList<QLabel*> m_columnLabels;
    QLineEdit* m_structure = nullptr;
    QCheckBox* m_keepExtension = nullptr;
    QPushButton* m_ok = nullptr;
    QString m_noColumn; // the item of no choice
};
