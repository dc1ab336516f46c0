#include "gui/rename/PositionPickerDialog.h"

#include "core/AppState.h"
#include "core/preview/PreviewList.h"
#include "core/rename/CodePoints.h"
#include "core/rename/NameParts.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

PositionPickerDialog::PositionPickerDialog(const AppState& state, const PreviewList& list, Request request,
                                           bool fromRight, QWidget* parent)
    : QDialog(parent)
    , m_request(request)
    , m_list(list)
{
    setObjectName(QStringLiteral("frmPos"));
    auto* info = NamedWidget<QLabel>(this, QStringLiteral("lblInfo"));
    info->setWordWrap(true);
    auto* nameLabel = NamedWidget<QLabel>(this, QStringLiteral("lblFileName"));
    m_name = NamedWidget<QLineEdit>(this, QStringLiteral("txtFileName"));
    m_name->setReadOnly(true);
    m_name->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    nameLabel->setBuddy(m_name);
    m_entry = new QScrollBar(Qt::Vertical, this);
    m_entry->setObjectName(QStringLiteral("VScrollFile"));
    m_entry->setRange(1, std::max(1, list.size()));
    m_entry->setFixedHeight(m_name->sizeHint().height());
    m_align = NamedWidget<QComboBox>(this, QStringLiteral("cmbAlign"));
    m_align->setProperty("tag", QStringLiteral("cmbItem1|frmInsert"));
    auto* alignLabel = NamedWidget<QLabel>(this, QStringLiteral("lblAlign"));
    alignLabel->setBuddy(m_align);

    auto* grid = new QGridLayout;
    grid->addWidget(info, 0, 0, 1, 3);
    grid->addWidget(nameLabel, 1, 0);
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(0);
    nameRow->addWidget(m_name);
    nameRow->addWidget(m_entry);
    grid->addLayout(nameRow, 1, 1, 1, 2);
    const auto resultRow = [&](int row, const char* labelName, const char* valueName) {
        auto* label = NamedWidget<QLabel>(this, QLatin1String(labelName));
        auto* value = NamedWidget<QLabel>(this, QLatin1String(valueName));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(label, row, 0);
        grid->addWidget(value, row, 1);
        return value;
    };
    if (request == Request::FromTo) {
        m_from = resultRow(2, "lblFrom", "txtFrom");
        m_to = resultRow(3, "lblTo", "txtTo");
        alignLabel->hide();
        m_align->hide();
    } else {
        grid->addWidget(alignLabel, 2, 0);
        grid->addWidget(m_align, 2, 1);
        m_position = resultRow(3, "lblPos", "txtPos");
    }
    grid->setColumnStretch(2, 1);

    auto* ok = NamedWidget<QPushButton>(this, QStringLiteral("cmdOK"));
    auto* cancel = NamedWidget<QPushButton>(this, QStringLiteral("cmdCancel"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    TranslateForm(state.language, this, objectName());
    // Only the counting the request allows is offered.
    if (request == Request::First)
        m_align->removeItem(1);
    else if (request == Request::Last)
        m_align->removeItem(0);
    else if (request == Request::InsertPosition)
        m_align->setCurrentIndex(fromRight ? 1 : 0);
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_entry, &QScrollBar::valueChanged, this, &PositionPickerDialog::showEntry);
    connect(m_name, &QLineEdit::cursorPositionChanged, this, &PositionPickerDialog::update);
    connect(m_name, &QLineEdit::selectionChanged, this, &PositionPickerDialog::update);
    connect(m_align, &QComboBox::currentIndexChanged, this, &PositionPickerDialog::update);
    showEntry(list.currentRow() >= 0 ? list.currentRow() + 1 : 1);
    FitDialogSize(this);
}

void PositionPickerDialog::showEntry(int number)
{
    if (number < 1 || number > m_list.size())
        return;
    m_entry->setValue(number);
    m_name->setText(GetFolderBaseName(m_list.entry(number - 1).newName));
    m_name->setCursorPosition(0);
    update();
}

void PositionPickerDialog::update()
{
    const QString text = m_name->text();
    const bool selection = m_name->hasSelectedText();
    const qsizetype start = selection ? m_name->selectionStart() : m_name->cursorPosition();
    const qsizetype end = selection ? m_name->selectionEnd() : start;
    // Positions count characters, not the halves of a surrogate pair.
    const int before = static_cast<int>(CodePoints::count(QStringView(text).left(start)));
    const int selected = static_cast<int>(CodePoints::count(QStringView(text).mid(start, end - start)));
    const int after = static_cast<int>(CodePoints::count(QStringView(text).mid(start)));
    m_result.from = before + 1;
    m_result.to = before + selected;
    m_result.fromRight =
        m_request == Request::Last || (m_request == Request::InsertPosition && m_align->currentIndex() == 1);
    m_result.position = m_result.fromRight ? after : before;
    if (m_position)
        m_position->setText(QString::number(m_result.position));
    if (m_from) {
        m_from->setText(QString::number(m_result.from));
        m_to->setText(QString::number(m_result.to));
    }
}
