#include "gui/mainwindow/AttributesController.h"

#include "core/AppState.h"
#include "core/folderops/ApplyAttributesAndTimes.h"
#include "gui/attributes/FolderAttributesDialog.h"
#include "gui/attributes/NotChangedDialog.h"
#include "gui/mainwindow/WindowSession.h"

#include <QApplication>
#include <QComboBox>

AttributesController::AttributesController(AppState& state, WindowSession& session, PreviewList& list,
                                           const QComboBox& applyTo, QWidget* dialogParent)
    : m_state(state)
    , m_session(session)
    , m_list(list)
    , m_applyTo(applyTo)
    , m_dialogParent(dialogParent)
    , m_runDialog([](QDialog& dialog) { return dialog.exec(); })
{}

void AttributesController::openAttributesDialog()
{
    FolderAttributesDialog dialog(m_state, m_session.prompter, m_dialogParent);
    dialog.setDialogRunner(m_runDialog);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FolderChangeReport report =
        ApplyAttributesAndTimes(m_state, m_list, m_applyTo.currentIndex(), dialog.params());
    QApplication::restoreOverrideCursor();
    Q_EMIT statusText(m_state.message(QStringLiteral("msgAttributesDone"),
                                      {QString::number(report.folders), QString::number(report.failures.size())}));
    if (report.failures.isEmpty())
        return;
    NotChangedDialog notChanged(m_state, report, m_dialogParent);
    m_runDialog(notChanged);
}
