#include "gui/mainwindow/FolderOpsController.h"

#include "core/AppState.h"
#include "core/folderops/ListExport.h"
#include "core/folderops/ListedFolderOps.h"
#include "core/folderops/SubfolderCreation.h"
#include "core/load/FolderLoader.h"
#include "core/platform/FileReadProblem.h"
#include "core/preview/PreviewList.h"
#include "core/settings/ProgramNames.h"
#include "gui/folderops/CreateSubFoldersDialog.h"
#include "gui/folderops/FileListDialog.h"
#include "gui/folderops/SelActionDialog.h"
#include "gui/folderops/TransferProgressDialog.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>

FolderOpsController::FolderOpsController(AppState& state, WindowSession& session, PreviewList& list,
                                         const QComboBox& applyTo, FolderLoader& loader, QWidget* dialogParent)
    : m_state(state)
    , m_session(session)
    , m_list(list)
    , m_applyTo(applyTo)
    , m_loader(loader)
    , m_dialogParent(dialogParent)
    , m_runDialog([](QDialog& dialog) { return dialog.exec(); })
    , m_runTransfer([](TransferProgressDialog& dialog) { return dialog.run(); })
{}

void FolderOpsController::copyOrMove(bool moving)
{
    const std::vector<int> rows = ListedFolderOps::TargetRows(m_list, m_applyTo.currentIndex());
    SelActionDialog dialog(m_state, m_session.prompter, m_list, rows,
                           moving ? SelActionDialog::moveTag() : SelActionDialog::copyTag(), m_dialogParent);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    const QString target = dialog.targetFolder();
    const std::vector<TransferItem> items = ListedFolderOps::TransferItems(m_list, rows, target);
    const TransferReport report = transfer(moving ? TransferMode::Move : TransferMode::Copy, items);
    if (dialog.updateList())
        ListedFolderOps::PointAtDestinations(m_list, rows, report, target, moving);
    Q_EMIT listChanged();
    reportFailures(items, report);
}

void FolderOpsController::DeleteFolders(bool toTrash)
{
    const QString applyTo = m_applyTo.currentText();
    const QString question = toTrash ? m_state.message(QStringLiteral("MsgText37"), {applyTo})
                                     : m_state.message(QStringLiteral("MsgText38"), {applyTo, QStringLiteral("\n\n")});
    if (m_session.prompter.ask(question, m_state.message(QStringLiteral("msgCapAttention")),
                               Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No) != Prompter::Yes)
        return;
    std::vector<TransferItem> items;
    for (const int row : ListedFolderOps::TargetRows(m_list, m_applyTo.currentIndex())) {
        const QString path = m_list.entry(row).currentPath();
        if (m_state.fs().folderExists(path))
            items.push_back({path, QString()});
    }
    const TransferReport report = transfer(toTrash ? TransferMode::Trash : TransferMode::Delete, items);
    ListedFolderOps::RemoveVanished(m_list, m_state.fs());
    Q_EMIT listChanged();
    reportFailures(items, report);
}

void FolderOpsController::CreateSubFolders()
{
    CreateSubFoldersDialog dialog(m_state, m_session.prompter, m_dialogParent);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    QStringList folders;
    const std::vector<bool> selected = m_list.selectedRows();
    for (int row = 0; row < m_list.size(); ++row) {
        if (selected[static_cast<std::size_t>(row)])
            folders << m_list.entry(row).key();
    }
    const QStringList created =
        SubfolderCreation::CreateSubFolders(m_state.fs(), folders, dialog.subfolderName(), dialog.count());
    if (!dialog.loadCreated() || created.isEmpty())
        return;
    for (const QString& path : created)
        m_loader.AddFolder(path);
    Q_EMIT listChanged();
}

void FolderOpsController::ExportList()
{
    FileListDialog dialog(m_state, m_session.prompter, m_dialogParent);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    QStringList paths;
    for (const int row : ListedFolderOps::TargetRows(m_list, m_applyTo.currentIndex()))
        paths << m_list.entry(row).key();
    const QString stamp = m_state.now().toString(QStringLiteral("yyyy-MM-dd, HH:mm:ss"));
    auto* data = new QMimeData;
    if (dialog.formatted()) {
        // Readers that take only the rich text, and those that take only text, both get the list.
        data->setData(QStringLiteral("text/rtf"), ListExport::RichText(ProductName(), stamp, paths).toLatin1());
        data->setText(ListExport::PlainText(ProductName(), stamp, paths));
    } else {
        data->setText(ListExport::PlainText(ProductName(), stamp, paths));
    }
    QApplication::clipboard()->setMimeData(data);
    m_session.prompter.tell(m_state.message(QStringLiteral("MsgText35")), m_state.message(QStringLiteral("MsgCap14")));
}

TransferReport FolderOpsController::transfer(TransferMode mode, std::vector<TransferItem> items)
{
    if (items.empty())
        return {};
    FolderTransfer work(m_state.fs(), mode, std::move(items));
    TransferProgressDialog progress(m_state, m_session.prompter, work, mode, m_dialogParent);
    return m_runTransfer(progress);
}

void FolderOpsController::reportFailures(const std::vector<TransferItem>& items, const TransferReport& report)
{
    QStringList lines;
    for (std::size_t i = 0; i < report.results.size(); ++i) {
        const TransferResult& r = report.results[i];
        if (r.state != TransferResult::State::Failed)
            continue;
        const QString why = r.intoItself         ? m_state.message(QStringLiteral("msgTransferIntoItself"))
                            : r.copyDiffers      ? m_state.message(QStringLiteral("msgTransferCopyDiffers"))
                            : r.sourceLeftBehind ? m_state.message(QStringLiteral("msgTransferSourceKept"),
                                                                   {FileReadProblemText(m_state, r.error)})
                                                 : FileReadProblemText(m_state, r.error);
        lines << QStringLiteral("\"%1\": %2").arg(items[i].source, why);
    }
    if (lines.isEmpty())
        return;
    const int shown = 20; // a long run's failures would not fit on the screen
    const int more = static_cast<int>(lines.size()) - shown;
    QString text = lines.mid(0, shown).join(QLatin1Char('\n'));
    if (more > 0)
        text += QLatin1Char('\n') + m_state.message(QStringLiteral("msgTransferMore"), {QString::number(more)});
    m_session.prompter.tell(m_state.message(QStringLiteral("msgTransferFailed"), {text}),
                            m_state.message(QStringLiteral("msgCapAttention")), Prompter::Icon::Warning);
}
