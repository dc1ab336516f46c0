#include "gui/settings/DateTimeFormatDialog.h"

#include "core/AppState.h"
#include "core/settings/DateFormatter.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("frmDateTimeFormat");

// A button of this dialog: its caption is in the dialog's section, not among the standard buttons.
QPushButton* ownButton(QWidget* parent, const QString& name)
{
    auto* button = NamedWidget<QPushButton>(parent, name);
    button->setAutoDefault(false);
    button->setProperty("tag", kSection);
    return button;
}

} // namespace

DateTimeFormatDialog::DateTimeFormatDialog(AppState& state, Prompter& prompter, const QStringList& types, int type,
                                           const QString& format, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
    , m_callerFormat(format)
{
    setObjectName(kSection);
    m_type = NamedWidget<QComboBox>(this, QStringLiteral("cmbType"));
    auto* typeLabel = NamedWidget<QLabel>(this, QStringLiteral("lblType"));
    typeLabel->setBuddy(m_type);
    m_list = NamedWidget<QListWidget>(this, QStringLiteral("lstFormat"));
    auto* listLabel = NamedWidget<QLabel>(this, QStringLiteral("lblFormats"));
    listLabel->setBuddy(m_list);
    m_add = ownButton(this, QStringLiteral("cmdAdd"));
    m_edit = ownButton(this, QStringLiteral("cmdEdit"));
    m_delete = ownButton(this, QStringLiteral("cmdDelete"));

    m_editArea = NamedWidget<QGroupBox>(this, QStringLiteral("fraEdit"));
    m_format = NamedWidget<NameFieldWidget>(m_editArea, QStringLiteral("txtFormat"));
    m_format->installEventFilter(this);
    auto* formatLabel = NamedWidget<QLabel>(m_editArea, QStringLiteral("lblFormat"));
    formatLabel->setBuddy(m_format);
    auto* previewLabel = NamedWidget<QLabel>(m_editArea, QStringLiteral("lblPreviewCaption"));
    m_preview = NamedWidget<QLabel>(m_editArea, QStringLiteral("lblPreview"));
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_editOk = ownButton(m_editArea, QStringLiteral("cmdEditOK"));
    auto* editCancel = ownButton(m_editArea, QStringLiteral("cmdEditCancel"));
    auto* editLayout = new QGridLayout(m_editArea);
    editLayout->addWidget(formatLabel, 0, 0);
    editLayout->addWidget(m_format, 0, 1, 1, 3);
    editLayout->addWidget(previewLabel, 1, 0);
    editLayout->addWidget(m_preview, 1, 1, 1, 3);
    editLayout->addWidget(m_editOk, 2, 2);
    editLayout->addWidget(editCancel, 2, 3);
    editLayout->setColumnStretch(1, 1);

    auto* ok = NamedWidget<QPushButton>(this, QStringLiteral("cmdOK"));
    auto* cancel = NamedWidget<QPushButton>(this, QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(typeLabel);
    typeRow->addWidget(m_type, 1);
    layout->addLayout(typeRow);
    layout->addWidget(listLabel);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    auto* editButtons = new QVBoxLayout;
    for (QPushButton* b : {m_add, m_edit, m_delete})
        editButtons->addWidget(b);
    editButtons->addStretch(1);
    listRow->addLayout(editButtons);
    layout->addLayout(listRow, 1);
    layout->addWidget(m_editArea);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    m_list->setMinimumHeight(fontMetrics().height() * 10);
    m_list->setMinimumWidth(fontMetrics().averageCharWidth() * 30);

    TranslateForm(m_state.language, this, kSection);
    ConnectHelp(this, m_state, m_prompter);
    SetDialogButtons(this, m_state.language);
    SetDialogColours(this, m_state);
    m_type->addItems(types);
    m_type->setCurrentIndex(qBound(0, type, int(types.size()) - 1));
    m_editArea->hide();
    showType();

    connect(m_type, &QComboBox::currentIndexChanged, this, &DateTimeFormatDialog::showType);
    connect(m_add, &QPushButton::clicked, this, &DateTimeFormatDialog::addFormat);
    connect(m_edit, &QPushButton::clicked, this, &DateTimeFormatDialog::editFormat);
    connect(m_delete, &QPushButton::clicked, this, &DateTimeFormatDialog::deleteFormat);
    connect(m_editOk, &QPushButton::clicked, this, &DateTimeFormatDialog::confirmEdit);
    connect(editCancel, &QPushButton::clicked, this, &DateTimeFormatDialog::cancelEdit);
    connect(m_format, &QLineEdit::textChanged, this, &DateTimeFormatDialog::formatTyped);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitDialogSize(this);
}

QStringList DateTimeFormatDialog::typeItems(const AppState& state)
{
    const auto text = [&](const char* key) { return state.language.GetLngText(kSection, QLatin1String(key)); };
    const QString time = text("cmbType2");
    return {text("cmbType1"), time + QStringLiteral(" 24h"), time + QStringLiteral(" AM/PM"), text("cmbType3"),
            text("cmbType4")};
}

int DateTimeFormatDialog::type() const
{
    return m_type->currentIndex();
}

QString DateTimeFormatDialog::format() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? item->text() : m_callerFormat;
}

void DateTimeFormatDialog::showType()
{
    const bool user = type() == DateTimeFormats::User;
    for (QPushButton* b : {m_add, m_edit, m_delete})
        b->setVisible(user);
    if (!user)
        m_editArea->hide();
    fillList(m_callerFormat);
}

void DateTimeFormatDialog::fillList(const QString& select)
{
    m_list->clear();
    m_list->addItems(m_state.dateTimeFormats.list(type()));
    const QList<QListWidgetItem*> found = m_list->findItems(select, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!found.isEmpty())
        m_list->setCurrentItem(found.first());
    const bool user = type() == DateTimeFormats::User;
    m_edit->setEnabled(user && m_list->count() > 0);
    m_delete->setEnabled(user && m_list->count() > 0);
}

void DateTimeFormatDialog::openEditArea(const QString& text, bool editing)
{
    m_editing = editing;
    m_edited = text;
    m_format->setText(text);
    formatTyped();
    m_editArea->show();
    m_format->setFocus();
}

void DateTimeFormatDialog::addFormat()
{
    openEditArea(QString(), false);
}

void DateTimeFormatDialog::editFormat()
{
    if (const QListWidgetItem* item = m_list->currentItem())
        openEditArea(item->text(), true);
}

void DateTimeFormatDialog::formatTyped()
{
    const QString text = m_format->text();
    const bool blank = text.trimmed().isEmpty();
    m_preview->setText(blank ? QString() : DateFormatter::format(m_state.now(), text));
    m_editOk->setEnabled(!blank);
}

void DateTimeFormatDialog::confirmEdit()
{
    if (!m_editOk->isEnabled())
        return;
    QStringList& user = m_state.dateTimeFormats.userFormats();
    if (m_editing)
        user.removeAll(m_edited);
    PutFormat(user, m_format->text());
    fillList(QString());
    m_list->setCurrentRow(m_list->count() - 1);
    cancelEdit();
}

void DateTimeFormatDialog::cancelEdit()
{
    m_editArea->hide();
    m_list->setFocus();
}

void DateTimeFormatDialog::deleteFormat()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    if (m_prompter.ask(m_state.message(QStringLiteral("MsgText29")), m_state.message(QStringLiteral("MsgCap10")),
                       Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No) != Prompter::Yes)
        return;
    m_state.dateTimeFormats.userFormats().removeAll(item->text());
    fillList(QString());
}

bool DateTimeFormatDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_format && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            confirmEdit();
            return true;
        }
        if (key == Qt::Key_Escape) {
            cancelEdit();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
