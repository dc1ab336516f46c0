#include "gui/attributes/FolderAttributesDialog.h"

#include "core/AppState.h"
#include "gui/attributes/CalendarDialog.h"
#include "gui/attributes/OffsetDialog.h"
#include "gui/platform/DialogButtonRow.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("frmFolderAttributes");
const QString kAttributeNames[3] = {QStringLiteral("ReadOnly"), QStringLiteral("Hidden"), QStringLiteral("Archive")};
const QString kTimeTags[3] = {QStringLiteral("chkDateCreated"), QStringLiteral("chkDateModified"),
                              QStringLiteral("chkDateLastAccess")};
constexpr FolderTimeKind kKinds[3] = {FolderTimeKind::Created, FolderTimeKind::LastWrite, FolderTimeKind::LastAccess};

QString indexed(const QString& name, int index)
{
    return name + QStringLiteral("(%1)").arg(index);
}

// The short date and the time to the second: the calendar picks seconds, so the label shows them.
QString shortText(const QDateTime& date)
{
    return QLocale::system().toString(date.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           date.time().toString(QStringLiteral("HH:mm:ss"));
}

QPushButton* ownButton(QWidget* parent, const QString& name, const QString& key)
{
    auto* button = NamedWidget<QPushButton>(parent, name);
    button->setAutoDefault(false);
    button->setProperty("tag", key);
    return button;
}

} // namespace

FolderAttributesDialog::FolderAttributesDialog(const AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
    , m_runDialog([](QDialog& dialog) { return dialog.exec(); })
{
    setObjectName(formName());
    setModal(true);

    auto* attributes = new QHBoxLayout;
    for (int a = 0; a < 3; ++a) {
        auto* frame = NamedWidget<QGroupBox>(this, QStringLiteral("fra") + kAttributeNames[a]);
        auto* frameLayout = new QVBoxLayout(frame);
        for (int c = 0; c < 3; ++c) {
            auto* option = NamedWidget<QRadioButton>(frame, indexed(QStringLiteral("opt") + kAttributeNames[a], c + 1));
            // The same three captions in every frame.
            option->setProperty("tag", QStringLiteral("optChoice%1").arg(c + 1));
            frameLayout->addWidget(option);
            m_choices[a][c] = option;
        }
        m_choices[a][0]->setChecked(true);
        attributes->addWidget(frame, 1);
    }

    auto* times = NamedWidget<QGroupBox>(this, QStringLiteral("fraTimes"));
    auto* timeGrid = new QGridLayout(times);
    timeGrid->setColumnStretch(2, 1);
    for (int i = 0; i < 3; ++i)
        buildTimeRow(i, kTimeTags[i]);
    for (int i = 0; i < 3; ++i) {
        timeGrid->addWidget(m_rows[i].enabled, i, 0);
        timeGrid->addWidget(m_rows[i].source, i, 1);
        timeGrid->addWidget(m_rows[i].pages, i, 2);
    }

    const DialogButtonRow buttons = DialogButtonRow::create(this);
    buttons.help->setAutoDefault(false);
    buttons.cancel->setAutoDefault(false);
    ConnectHelp(this, m_state, m_prompter);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(attributes);
    layout->addWidget(times);
    layout->addStretch(1);
    layout->addLayout(buttons.layout);

    TranslateForm(state.language, this);
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    fillSources();

    // What this system cannot do is shown, disabled, with the reason.
    if (!state.fs().supportsAttribute(AttrArchive)) {
        auto* archive = findChild<QGroupBox*>(QStringLiteral("fraArchive"));
        archive->setEnabled(false);
        archive->setToolTip(state.language.GetLngText(kSection, QStringLiteral("ArchiveMissing")));
    }
    const QDateTime now = state.now();
    for (int i = 0; i < 3; ++i) {
        TimeRow& row = m_rows[i];
        row.chosen = now.addMSecs(-now.time().msec());
        row.date->setText(shortText(row.chosen));
        if (!state.fs().canSetTime(kKinds[i])) {
            const QString why = state.language.GetLngText(kSection, QStringLiteral("CreatedNotSettable"));
            row.enabled->setEnabled(false);
            for (QWidget* w : {static_cast<QWidget*>(row.enabled), static_cast<QWidget*>(row.source)})
                w->setToolTip(why);
        }
        updateRow(i);
    }
    FitDialogSize(this);
}

void FolderAttributesDialog::buildTimeRow(int index, const QString& tag)
{
    TimeRow& row = m_rows[index];
    const int n = index + 1;
    row.enabled = NamedWidget<QCheckBox>(this, indexed(QStringLiteral("chkDate"), n));
    row.enabled->setProperty("tag", tag);
    row.source = NamedWidget<QComboBox>(this, indexed(QStringLiteral("cmbDate"), n));
    row.pages = new QStackedWidget(this);

    auto* datePage = new QWidget(row.pages);
    row.date = NamedWidget<QLabel>(datePage, indexed(QStringLiteral("lblDate"), n));
    row.pickDate = ownButton(datePage, indexed(QStringLiteral("cmdDateSel"), n), QStringLiteral("cmdDateSel"));
    auto* dateLayout = new QHBoxLayout(datePage);
    dateLayout->setContentsMargins(0, 0, 0, 0);
    dateLayout->addWidget(row.date, 1);
    dateLayout->addWidget(row.pickDate);

    auto* offsetPage = NamedWidget<QWidget>(row.pages, indexed(QStringLiteral("frameOffset"), n));
    row.useOffset = NamedWidget<QCheckBox>(offsetPage, indexed(QStringLiteral("chkOffset"), n));
    row.useOffset->setProperty("tag", QStringLiteral("chkOffset"));
    row.offset = NamedWidget<QLabel>(offsetPage, indexed(QStringLiteral("lblOffset"), n));
    row.offset->setText(TimeOffset::zeroText());
    row.pickOffset = ownButton(offsetPage, indexed(QStringLiteral("cmdOffsetSel"), n), QStringLiteral("cmdOffsetSel"));
    auto* offsetLayout = new QHBoxLayout(offsetPage);
    offsetLayout->setContentsMargins(0, 0, 0, 0);
    offsetLayout->addWidget(row.useOffset);
    offsetLayout->addWidget(row.offset, 1);
    offsetLayout->addWidget(row.pickOffset);

    row.pages->addWidget(datePage);
    row.pages->addWidget(offsetPage);

    connect(row.enabled, &QCheckBox::toggled, this, [this, index] { updateRow(index); });
    connect(row.useOffset, &QCheckBox::toggled, this, [this, index] { updateRow(index); });
    connect(row.source, &QComboBox::currentIndexChanged, this, [this, index] { updateRow(index); });
    connect(row.pickDate, &QPushButton::clicked, this, [this, index] { pickDate(index); });
    connect(row.pickOffset, &QPushButton::clicked, this, [this, index] { pickOffset(index); });
}

void FolderAttributesDialog::fillSources()
{
    const Language& lng = m_state.language;
    QStringList entries{lng.GetLngText(kSection, QStringLiteral("cmbIndividualValue"))};
    for (const QString& prefix : {QStringLiteral("cmbSource"), QStringLiteral("cmbDate-")}) {
        for (int n = 1;; ++n) {
            const QString text = lng.GetLngText(kSection, prefix + QString::number(n));
            if (text.isEmpty())
                break;
            entries.append(text);
        }
    }
    for (TimeRow& row : m_rows) {
        row.source->clear();
        row.source->addItems(entries);
        row.source->setCurrentIndex(0);
    }
}

void FolderAttributesDialog::updateRow(int index)
{
    TimeRow& row = m_rows[index];
    const bool on = row.enabled->isChecked() && row.enabled->isEnabled();
    const bool derived = row.source->currentIndex() > 0;
    row.source->setEnabled(on);
    row.pages->setCurrentIndex(derived ? 1 : 0);
    row.date->setEnabled(on);
    row.pickDate->setEnabled(on);
    row.useOffset->setEnabled(on);
    row.offset->setEnabled(on && row.useOffset->isChecked());
    row.pickOffset->setEnabled(on && row.useOffset->isChecked());
}

void FolderAttributesDialog::pickDate(int index)
{
    TimeRow& row = m_rows[index];
    CalendarDialog calendar(m_state, m_prompter, row.chosen, TitleFromCaption(row.enabled->text()), this);
    if (m_runDialog(calendar) != QDialog::Accepted)
        return;
    row.chosen = calendar.value();
    row.date->setText(shortText(row.chosen));
}

void FolderAttributesDialog::pickOffset(int index)
{
    TimeRow& row = m_rows[index];
    OffsetDialog dialog(m_state, m_prompter, row.offset->text(), TitleFromCaption(row.enabled->text()), this);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    row.offset->setText(dialog.offsetText());
}

AttributesParams FolderAttributesDialog::params() const
{
    AttributesParams params;
    AttributesParams::Choice* choices[3] = {&params.readOnly, &params.hidden, &params.archive};
    for (int a = 0; a < 3; ++a) {
        for (int c = 0; c < 3; ++c) {
            if (m_choices[a][c]->isChecked() && m_choices[a][c]->isEnabled())
                *choices[a] = static_cast<AttributesParams::Choice>(c + 1);
        }
    }
    for (int i = 0; i < 3; ++i) {
        const TimeRow& row = m_rows[i];
        AttributesParams::TimeRequest& request = params.times[static_cast<size_t>(i)];
        request.enabled = row.enabled->isChecked() && row.enabled->isEnabled();
        request.source = static_cast<AttributesParams::Source>(
            qBound(0, row.source->currentIndex(), AttributesParams::kSourceCount - 1));
        request.date = row.chosen;
        request.offset = row.useOffset->isChecked() ? row.offset->text() : TimeOffset::zeroText();
    }
    return params;
}
