#pragma once

#include <QDialog>

class Prompter;
struct AppState;
class QPushButton;
class QTreeView;
class RenameHistory;

// The history window: every rename of the protocol, sortable by any column. Selected black rows can be
// renamed back on disk; the whole history can be deleted. Works on the protocol file only.
class HistoryDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmHistory"); }

    HistoryDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

    RenameHistory& history() { return *m_history; }
    QTreeView* list() const { return m_list; }

    // The buttons' commands.
    void undoSelected();
    void deleteHistory();

private:
    void updateButtons();

    AppState& m_state;
    Prompter& m_prompter;
    RenameHistory* m_history = nullptr;
    QTreeView* m_list = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_delete = nullptr;
};
