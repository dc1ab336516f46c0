#pragma once

#include <QDialog>
#include <QStringList>

struct AppState;
class Prompter;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The format library ("frmDateTimeFormat"): picks a date/time format text from one of the lists of the
// application state's DateTimeFormats, and edits the user's own list (type 4). The caller hands over its
// format types (the entries of its "cmbType", see typeItems) and its current format; after OK, type() and
// format() are what the caller puts into its "cmbType" and "txtFormat". Edits of the user's list change
// the state at once; the date/time function writes them to the settings file when it is applied.
class DateTimeFormatDialog : public QDialog
{
    Q_OBJECT

public:
    DateTimeFormatDialog(AppState& state, Prompter& prompter, const QStringList& types, int type, const QString& format,
                         QWidget* parent = nullptr);

    // The entries of a format type list, in the order of DateTimeFormats::Type, from the language file.
    static QStringList typeItems(const AppState& state);

    int type() const;
    // The selected format of the shown list; the caller's format when none is selected.
    QString format() const;

    // The edit area of the user's list.
    void addFormat();
    void editFormat();
    void deleteFormat();
    void confirmEdit();
    void cancelEdit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showType();
    void fillList(const QString& select);
    void formatTyped();
    void openEditArea(const QString& text, bool editing);

    AppState& m_state;
    Prompter& m_prompter;
    QString m_callerFormat;
    bool m_editing = false;
    QString m_edited; // the entry being edited
    QComboBox* m_type = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QGroupBox* m_editArea = nullptr;
    QLineEdit* m_format = nullptr;
    QLabel* m_preview = nullptr;
    QPushButton* m_editOk = nullptr;
};
