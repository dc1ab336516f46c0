#pragma once

#include <QDialog>
#include <functional>

struct AppState;
class PreviewList;
class Prompter;
class QLineEdit;

// Manual edit ("frmEditMan"): the whole new name of one entry, typed by hand. OK takes the name when it
// is not blank, exactly as typed, and refreshes; Cancel changes nothing. The entry changes whatever the
// apply-to selector says, and the edit is never recorded in a script.
class EditManDialog : public QDialog
{
    Q_OBJECT

public:
    // entryNumber is the entry's 1-based position in the list.
    EditManDialog(AppState& state, Prompter& prompter, PreviewList& list, int entryNumber,
                  std::function<void()> refreshPreview, QWidget* parent = nullptr);

    // The name as typed.
    QString typedName() const;

    void ok();

private:
    AppState& m_state;
    Prompter& m_prompter;
    PreviewList& m_list;
    int m_row;
    std::function<void()> m_refresh;
    QLineEdit* m_name = nullptr;
};
