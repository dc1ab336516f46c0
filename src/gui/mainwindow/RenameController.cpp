#include "gui/mainwindow/RenameController.h"

#include "core/preview/PreviewList.h"
#include "core/rename/ManualEdit.h"
#include "core/script/RunScript.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"
#include "gui/rename/EditManDialog.h"
#include "gui/rename/LivePreview.h"
#include "gui/rename/NameStructureDialog.h"
#include "gui/rename/NewNamesFromFileDialog.h"
#include "gui/rename/RenameDialogFactory.h"

#include <QComboBox>

RenameController::RenameController(AppState& state, WindowSession& session, PreviewList& list, const QComboBox& applyTo,
                                   std::function<QString(CommandId)> menuCaption, QTableView& view,
                                   QWidget* dialogParent)
    : m_state(state)
    , m_session(session)
    , m_list(list)
    , m_applyTo(applyTo)
    , m_menuCaption(std::move(menuCaption))
    , m_view(view)
    , m_dialogParent(dialogParent)
    , m_runDialog([](QDialog& dialog) { return dialog.exec(); })
{}

RenameDialogHost RenameController::dialogHost(const QString& menuCaption)
{
    return {m_state,
            m_session,
            m_list,
            m_applyTo.currentIndex(),
            m_applyTo.currentText(),
            menuCaption,
            [this] { Q_EMIT listChanged(); },
            [this](const QString& text) { Q_EMIT statusText(text); }};
}

bool RenameController::openRenameDialog(int type)
{
    return runRenameDialog(type) != StepEnd::NoDialog;
}

StepEnd RenameController::runRenameDialog(int type)
{
    // A script may name any number; only the rename slots have a dialog (and a menu caption).
    if (type <= 0 || renameType(renameCommand(type)) != type)
        return StepEnd::NoDialog;
    const auto dialog = CreateRenameDialog(type, dialogHost(m_menuCaption(renameCommand(type))), m_dialogParent);
    if (!dialog)
        return StepEnd::NoDialog;
    const LivePreview preview(*dialog, m_list, m_view);
    if (m_runDialog(*dialog) == QDialog::Accepted)
        return StepEnd::Applied;
    return dialog->refusedScriptStep() ? StepEnd::Refused : StepEnd::Cancelled;
}

void RenameController::openStructureDialog()
{
    NameStructureDialog dialog(dialogHost(m_menuCaption(CommandId::RenameStructure)), m_dialogParent);
    m_runDialog(dialog);
}

void RenameController::editManually()
{
    const int row = m_list.currentRow();
    if (row < 0 || row >= m_list.size())
        return;
    EditManDialog dialog(
        m_state, m_session.prompter, m_list, row + 1, [this] { Q_EMIT listChanged(); }, m_dialogParent);
    m_runDialog(dialog);
}

void RenameController::newNamesFromFile()
{
    NewNamesFromFileDialog dialog(
        m_state, m_session.prompter, m_list, [this] { Q_EMIT listChanged(); }, m_dialogParent);
    m_runDialog(dialog);
}

void RenameController::takeTypedName(int row, const QString& typed)
{
    if (applyManualEdit(m_list, row, typed))
        Q_EMIT listChanged();
}
