#pragma once

#include "core/folderops/FolderTransfer.h"

#include <QDialog>
#include <QMutex>

struct AppState;
class Prompter;
class QLabel;
class QProgressBar;
class QThread;
class QTimer;

// Runs a copy, move or delete on a worker thread and shows how far it is: bytes and entries, and the
// folder being worked on. Cancel asks the transfer to stop; the window closes when it has. A target
// that exists already is asked about through the prompter, on this thread.
class TransferProgressDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmProgress"); }

    TransferProgressDialog(const AppState& state, Prompter& prompter, FolderTransfer& transfer, TransferMode mode,
                           QWidget* parent = nullptr);
    ~TransferProgressDialog() override;

    // Starts the work and returns its report when it ends; the window shows meanwhile.
    TransferReport run();
    // Cancel, Escape or closing the window: the transfer stops at the next entry.
    void reject() override;

    // What the worker leaves behind after every entry (from any thread); shown by the next showProgress,
    // so a fast transfer cannot flood the event queue.
    void report(const TransferProgress& progress);
    void showProgress();

private:
    ConflictAnswer askConflict(const QString& target);

    const AppState& m_state;
    Prompter& m_prompter;
    FolderTransfer& m_transfer;
    QThread* m_worker = nullptr;
    QTimer* m_timer = nullptr;
    QLabel* m_current = nullptr;
    QLabel* m_items = nullptr;
    QLabel* m_bytes = nullptr;
    QProgressBar* m_bar = nullptr;
    QMutex m_mutex;
    TransferProgress m_latest; // guarded by m_mutex
    TransferReport m_report;
};
