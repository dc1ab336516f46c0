#pragma once

#include <QDialog>

struct AppState;
class Prompter;
class QRadioButton;

// Exporting the target entries' paths to the clipboard ("frmFileList"), as formatted or plain text. Its
// choice is kept on every OK, whether or not dialog settings are remembered otherwise.
class FileListDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmFileList"); }

    FileListDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

    bool formatted() const;
    void accept() override;

private:
    AppState& m_state;
    Prompter& m_prompter;
    QRadioButton* m_formatted = nullptr;
};
