#include "gui/rename/RenameDialog.h"

#include "core/AppState.h"
#include "core/rename/RenameSteps.h"
#include "core/script/ScriptStore.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/platform/WarnNotWritten.h"
#include "gui/script/DialogState.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/WidgetTranslator.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

RenameDialog::RenameDialog(int type, RenameDialogHost host, QWidget* parent)
    : QDialog(parent)
    , m_host(std::move(host))
    , m_type(type)
{
    setObjectName(RenameSteps::formName(type));
    auto* layout = new QVBoxLayout(this);
    m_content = new QVBoxLayout;
    layout->addLayout(m_content);
    layout->addSpacing(6);

    auto* buttons = new QHBoxLayout;
    m_help = addButton("cmdHelp");
    buttons->addWidget(m_help);
    buttons->addStretch(1);
    m_ok = addButton("cmdOK");
    m_apply = addButton("cmdApply");
    m_cancel = addButton("cmdCancel");
    for (QPushButton* b : {m_ok, m_apply, m_cancel})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    m_ok->setDefault(true);

    connect(m_ok, &QPushButton::clicked, this, &RenameDialog::ok);
    connect(m_apply, &QPushButton::clicked, this, &RenameDialog::apply);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    ConnectHelp(this, m_host.state, m_host.window.prompter);
}

QPushButton* RenameDialog::addButton(const char* name)
{
    auto* button = new QPushButton(QLatin1String(name), this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

void RenameDialog::load()
{
    AppState& state = m_host.state;
    TranslateForm(state.language, this, objectName());
    if (!m_host.menuCaption.isEmpty())
        setWindowTitle(TitleFromCaption(m_host.menuCaption) + QStringLiteral(" (") + m_host.applyToText +
                       QLatin1Char(')'));
    textsApplied();
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    const WindowSession& window = m_host.window;
    if (window.scriptRunning())
        RestoreScriptStep(window.scriptPath, this, window.scriptStep);
    else if (keepsSettings() && state.settings.flag(Settings::Key::SaveDialogSettings))
        RestoreDialogState(state, this, objectName());
    valuesRestored();
    WatchDialogValues(this, this, [this] { Q_EMIT changed(); });
    FitDialogSize(this);
}

QWidget* RenameDialog::firstInputField() const
{
    // Where typing goes: the first text or number field that takes input, else the first control that
    // takes the focus at all (a dialog of options only).
    QWidget* firstControl = nullptr;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (qobject_cast<QPushButton*>(w) || !isAncestorOf(w) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        // Of a group of options, the chosen one, as Tab reaches it.
        if (const auto* option = qobject_cast<QRadioButton*>(w); option && !option->isChecked())
            continue;
        // A read-only field (an example name to select in) takes no typing, and focusing it by Tab would
        // select all of it.
        if (const auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->isReadOnly())
            continue;
        const bool typed = qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w);
        if (typed)
            return w;
        if (!firstControl)
            firstControl = w;
    }
    return firstControl;
}

void RenameDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        activate();
    }
}

void RenameDialog::activate()
{
    AppState& state = m_host.state;
    if (!m_host.window.scriptRunning()) {
        if (QWidget* field = firstInputField())
            field->setFocus(Qt::TabFocusReason);
        return;
    }
    setWindowTitle(state.language.GetLngText(QStringLiteral("frmScript"), QStringLiteral("frmRunCaption")) +
                   QStringLiteral(": ") + windowTitle());
    m_ok->setFocus();
    if (m_host.window.scriptRunMode == 1)
        QTimer::singleShot(0, this, &RenameDialog::pressOkUnattended);
}

void RenameDialog::pressOkUnattended()
{
    // Nobody is there to correct the fields: a refused step ends the dialog, and the runner stops.
    if (apply()) {
        accept();
    } else {
        m_refusedScriptStep = true;
        reject();
    }
}

bool RenameDialog::apply()
{
    AppState& state = m_host.state;
    // Fields are cleaned first, so that what is stored and recorded is what runs.
    prepareFields();
    RenameRun run(state, m_host.list, m_host.applyTo, m_host.status);
    if (!acceptsRun(run))
        return false;
    if (keepsSettings() && state.settings.flag(Settings::Key::SaveDialogSettings) && !m_host.window.scriptRunning() &&
        !SaveDialogState(state, this, objectName(), 1))
        WarnNotWritten(state, m_host.window.prompter, state.settingsFile);
    if (m_host.window.recordingState != 0 && !SaveDialogState(state, this, QString::number(m_type), 2))
        WarnNotWritten(state, m_host.window.prompter, ScriptStore::scratchPath(state));

    m_ok->setEnabled(false);
    m_apply->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    runFunction(run);
    QApplication::restoreOverrideCursor();
    m_ok->setEnabled(true);
    m_apply->setEnabled(true);
    if (m_host.refreshPreview)
        m_host.refreshPreview();
    Q_EMIT applied();
    return true;
}

void RenameDialog::ok()
{
    if (apply())
        accept();
}

QStringList RenameDialog::proposedNames(int first, int last)
{
    // The step a script would record, run as a preview: the same values, Params and routine as Apply,
    // without what Apply does besides (storing, recording, questions).
    RenameRun run(m_host.state, m_host.list, m_host.applyTo);
    run.previewRows(first, last);
    runPreview(run);
    return run.previewNames();
}

void RenameDialog::runPreview(RenameRun& run)
{
    RenameSteps::run(m_type, ReadDialogValues(this), run);
}

bool RenameDialog::refuseInput(const QString& messageKey, const QString& field, const QStringList& args,
                               const QString& captionKey)
{
    AppState& state = m_host.state;
    m_host.window.prompter.tell(state.message(messageKey, args), state.message(captionKey));
    if (auto* widget = findChild<QWidget*>(field)) {
        widget->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->selectAll();
    }
    return false;
}

bool RenameDialog::acceptNumberField(const QString& key, int minimum, int maximum)
{
    if (key.isEmpty())
        return true;
    // The field is named as a screen reader names it: by its own text, else by the label that stands for it.
    const QWidget* field = findChild<QWidget*>(key);
    QString name = field ? field->accessibleName() : QString();
    for (const QLabel* label : findChildren<QLabel*>()) {
        if (name.isEmpty() && field && label->buddy() == field)
            name = label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed();
    }
    return refuseInput(QStringLiteral("msgNumberField"), key,
                       {name.isEmpty() ? key : name, QString::number(minimum), QString::number(maximum)},
                       QStringLiteral("msgCapAttention"));
}
