#pragma once

#include <QDialog>
#include <QString>

struct AppState;
class Prompter;
class QListWidget;
class QPushButton;
class QRadioButton;

// "frmScript": the saved scripts of the script folder ("lstScript", each entry its script's name and
// stamp) and how to run the chosen one: all steps at once ("optRunAll") or step by step
// ("optRunSingleSteps"). Its fields are kept in its settings section. Start closes it with the choice;
// the caller runs the script.
class ScriptDialog : public QDialog
{
    Q_OBJECT

public:
    // The title is the caption of the command that opened it.
    ScriptDialog(AppState& state, Prompter& prompter, const QString& title, QWidget* parent = nullptr);

    // After Start: the chosen script file and the run mode (1 all, 2 single steps).
    QString scriptPath() const { return m_path; }
    int runMode() const { return m_runMode; }

    // Closes with the chosen entry; nothing while none is chosen.
    void start();

private:
    void updateStart();

    AppState& m_state;
    Prompter& m_prompter;
    QListWidget* m_scripts = nullptr;
    QRadioButton* m_runAll = nullptr;
    QRadioButton* m_singleSteps = nullptr;
    QPushButton* m_start = nullptr;
    QString m_path;
    int m_runMode = 0;
};
