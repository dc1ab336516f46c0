#include "gui/rename/NewNamesFromFileDialog.h"

#include "core/AppState.h"
#include "core/preview/PreviewList.h"
#include "core/rename/CsvProblemText.h"
#include "core/script/DialogValues.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/platform/WarnNotWritten.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/script/DialogState.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("frmNewNamesFromFile");
// The separators by their item in "cmbSeparator": none chosen, ";", ",", the tab (shown as "<tab>").
const QStringList kSeparators{QString(), QStringLiteral(";"), QStringLiteral(","), QStringLiteral("\t")};

QString optionalName(const char* prefix, int n)
{
    return QLatin1String(prefix) + QLatin1Char('(') + QString::number(n) + QLatin1Char(')');
}

QLabel* labelFor(QWidget* parent, const QString& name, QWidget* buddy)
{
    auto* label = NamedWidget<QLabel>(parent, name);
    label->setBuddy(buddy);
    return label;
}

} // namespace

NewNamesFromFileDialog::NewNamesFromFileDialog(AppState& state, Prompter& prompter, PreviewList& list,
                                               std::function<void()> refreshPreview, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
    , m_list(list)
    , m_refresh(std::move(refreshPreview))
{
    setObjectName(kSection);
    auto* layout = new QVBoxLayout(this);

    auto* fileFrame = NamedWidget<QGroupBox>(this, QStringLiteral("fraFile"));
    auto* fileGrid = new QGridLayout(fileFrame);
    m_file = NamedWidget<QLineEdit>(fileFrame, QStringLiteral("txtFile"));
    m_file->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    auto* browse = NamedWidget<QPushButton>(fileFrame, QStringLiteral("cmdSelFile"));
    browse->setAutoDefault(false);
    m_separator = NamedWidget<QComboBox>(fileFrame, QStringLiteral("cmbSeparator"));
    // The first item: no separator chosen yet (its text comes with the language).
    m_separator->addItems({QString(), QStringLiteral(";"), QStringLiteral(","), QStringLiteral("<tab>")});
    m_separatorLabel = labelFor(fileFrame, QStringLiteral("lblSeparator"), m_separator);
    fileGrid->addWidget(labelFor(fileFrame, QStringLiteral("lblFile"), m_file), 0, 0);
    fileGrid->addWidget(m_file, 0, 1);
    fileGrid->addWidget(browse, 0, 2);
    fileGrid->addWidget(m_separatorLabel, 1, 0);
    fileGrid->addWidget(m_separator, 1, 1, Qt::AlignLeft);
    fileGrid->setColumnStretch(1, 1);
    layout->addWidget(fileFrame);

    auto* columnFrame = NamedWidget<QGroupBox>(this, QStringLiteral("fraColumns"));
    auto* columnGrid = new QGridLayout(columnFrame);
    m_match = NamedWidget<QComboBox>(columnFrame, QStringLiteral("cmbOldFN"));
    m_newName = NamedWidget<QComboBox>(columnFrame, QStringLiteral("cmbNewFN"));
    const auto addColumn = [&](int row, const QString& labelName, QComboBox* combo) {
        QLabel* label = labelFor(columnFrame, labelName, combo);
        m_columnLabels.append(label);
        combo->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
        columnGrid->addWidget(label, row, 0);
        columnGrid->addWidget(combo, row, 1);
    };
    addColumn(0, QStringLiteral("lblOldFN"), m_match);
    addColumn(1, QStringLiteral("lblNewFN"), m_newName);
    for (int n = 1; n <= kOptionalColumns; ++n) {
        m_optional[static_cast<size_t>(n - 1)] = NamedWidget<QComboBox>(columnFrame, optionalName("cmbNewFNopt", n));
        addColumn(n + 1, optionalName("lblNewFNopt", n), m_optional[static_cast<size_t>(n - 1)]);
    }
    m_structure = NamedWidget<NameFieldWidget>(columnFrame, QStringLiteral("txtStructure"));
    m_structure->setText(CsvNamesParams::defaultStructure());
    columnGrid->addWidget(labelFor(columnFrame, QStringLiteral("lblStructure"), m_structure), 5, 0);
    columnGrid->addWidget(m_structure, 5, 1, 1, 2);
    auto* hint = NamedWidget<QLabel>(columnFrame, QStringLiteral("lblStructureHint"));
    hint->setWordWrap(true);
    columnGrid->addWidget(hint, 6, 1, 1, 2);
    m_keepExtension = NamedWidget<QCheckBox>(columnFrame, QStringLiteral("chkKeepFileExtension"));
    columnGrid->addWidget(m_keepExtension, 7, 0, 1, 3);
    columnGrid->setColumnStretch(2, 1);
    layout->addWidget(columnFrame);
    layout->addSpacing(6);

    auto* buttons = new QHBoxLayout;
    QPushButton* helpButton = nullptr;
    for (const char* name : {"cmdHelp", "cmdOK", "cmdCancel"}) {
        auto* button = new QPushButton(QLatin1String(name), this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        if (!helpButton) {
            helpButton = button;
            buttons->addStretch(1);
        }
    }
    layout->addLayout(buttons);
    m_ok = findChild<QPushButton*>(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);

    connect(m_ok, &QPushButton::clicked, this, &NewNamesFromFileDialog::ok);
    connect(findChild<QPushButton*>(QStringLiteral("cmdCancel")), &QPushButton::clicked, this, &QDialog::reject);
    ConnectHelp(this, m_state, m_prompter);
    connect(browse, &QPushButton::clicked, this, &NewNamesFromFileDialog::selectFile);
    connect(m_file, &QLineEdit::textChanged, this, &NewNamesFromFileDialog::updateEnabling);
    connect(m_file, &QLineEdit::editingFinished, this, &NewNamesFromFileDialog::fileEdited);
    connect(m_separator, &QComboBox::currentIndexChanged, this, &NewNamesFromFileDialog::loadColumns);
    for (QComboBox* combo : {m_match, m_newName})
        connect(combo, &QComboBox::currentIndexChanged, this, &NewNamesFromFileDialog::updateEnabling);

    TranslateForm(state.language, this, objectName());
    m_noColumn = state.language.GetLngText(kSection, QStringLiteral("cmbNone"));
    m_separator->setItemText(0, m_noColumn);
    const QString optionalCaption = state.language.GetLngText(kSection, QStringLiteral("lblNewFNopt"));
    for (int n = 1; n <= kOptionalColumns; ++n)
        findChild<QLabel*>(optionalName("lblNewFNopt", n))
            ->setText(QString(optionalCaption).replace(QStringLiteral("%1"), QString::number(n + 1)));
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);
    restoreFields();
    updateEnabling();
    FitDialogSize(this);
}

void NewNamesFromFileDialog::restoreFields()
{
    const DialogValues values = DialogValues::fromSection(m_state.settings.document(), kSection);
    const QString file = values.text(QStringLiteral("txtFile"));
    if (!file.isEmpty() && m_state.fs().pathInfo(file).type == PathInfo::Type::File)
        chooseFile(file);
    m_structure->setText(values.text(QStringLiteral("txtStructure"), m_structure->text()));
    const auto restoreIndex = [&](QComboBox* combo) {
        const int index = values.number(combo->objectName(), -1);
        if (combo->isEnabled() && index >= 0 && index < combo->count())
            combo->setCurrentIndex(index);
    };
    restoreIndex(m_match);
    restoreIndex(m_newName);
    for (QComboBox* combo : m_optional)
        restoreIndex(combo);
    if (values.has(QStringLiteral("chkKeepFileExtension")))
        m_keepExtension->setChecked(values.checked(QStringLiteral("chkKeepFileExtension")));
}

QString NewNamesFromFileDialog::separator() const
{
    return kSeparators.value(m_separator->currentIndex());
}

void NewNamesFromFileDialog::selectFile()
{
    const QString filter =
        m_state.language.GetLngText(kSection, QStringLiteral("capCSV")) + QStringLiteral(" (*.csv; *.txt)|*.csv;*.txt");
    const QString start = m_file->text().isEmpty() ? QString() : QFileInfo(m_file->text()).absolutePath();
    const QStringList chosen = m_prompter.openFiles(windowTitle(), start, filter, false);
    if (!chosen.isEmpty())
        chooseFile(chosen.first());
}

void NewNamesFromFileDialog::chooseFile(const QString& path)
{
    m_file->setText(path);
    fileEdited();
}

void NewNamesFromFileDialog::fileEdited()
{
    const QString detected = CsvFile::read(m_state.fs(), m_file->text()).separator();
    const int index = detected.isEmpty() ? -1 : static_cast<int>(kSeparators.indexOf(detected));
    if (index >= 0 && index != m_separator->currentIndex())
        m_separator->setCurrentIndex(index);
    else
        loadColumns();
}

void NewNamesFromFileDialog::loadColumns()
{
    QList<QComboBox*> combos{m_match, m_newName};
    for (QComboBox* combo : m_optional)
        combos.append(combo);
    for (QComboBox* combo : combos)
        combo->clear();
    const QString sep = separator();
    const QStringList header = sep.isEmpty() || m_file->text().trimmed().isEmpty()
                                   ? QStringList()
                                   : CsvFile::read(m_state.fs(), m_file->text()).header(sep);
    for (QComboBox* combo : combos) {
        const bool optional = combo != m_match && combo != m_newName;
        // An optional column can be left out again: its first item is the empty one.
        if (optional && !header.isEmpty())
            combo->addItem(m_noColumn);
        combo->addItems(header);
        combo->setCurrentIndex(optional && !header.isEmpty() ? 0 : -1);
    }
    updateEnabling();
}

void NewNamesFromFileDialog::updateEnabling()
{
    const bool file = !m_file->text().trimmed().isEmpty();
    m_separator->setEnabled(file);
    m_separatorLabel->setEnabled(file);
    const bool columns = m_match->count() > 0;
    for (QLabel* label : std::as_const(m_columnLabels)) {
        label->setEnabled(columns);
        if (QWidget* combo = label->buddy())
            combo->setEnabled(columns);
    }
    m_ok->setEnabled(m_match->currentIndex() >= 0 && m_newName->currentIndex() >= 0);
}

CsvNamesParams NewNamesFromFileDialog::params() const
{
    CsvNamesParams params;
    params.separator = separator();
    params.matchColumn = m_match->currentIndex();
    params.tokenColumns[0] = m_newName->currentIndex();
    for (size_t n = 0; n < m_optional.size(); ++n)
        params.tokenColumns[n + 1] = m_optional[n]->currentIndex() - 1;
    params.structure = m_structure->text();
    params.keepExtension = m_keepExtension->isChecked();
    return params;
}

bool NewNamesFromFileDialog::ok()
{
    if (!m_ok->isEnabled())
        return false;
    const QString path = m_file->text();
    const QString caption = m_state.message(QStringLiteral("msgCapAttention"));
    const CsvFile file = CsvFile::read(m_state.fs(), path);
    if (file.problem() != CsvFile::Problem::None) {
        m_prompter.tell(CsvFileProblemText(m_state, path, file), caption, Prompter::Icon::Warning);
        return false;
    }
    const CsvNamesParams names = params();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CsvNamesProblem problem = applyCsvNames(m_list, file.lines(), names);
    QApplication::restoreOverrideCursor();
    if (!problem.ok()) {
        m_prompter.tell(CsvNamesProblemText(m_state, path, problem, names.lastColumn() + 1), caption,
                        Prompter::Icon::Warning);
        return false;
    }
    if (m_refresh)
        m_refresh();
    if (!SaveDialogState(m_state, this, kSection, 1))
        WarnNotWritten(m_state, m_prompter, m_state.settingsFile);
    accept();
    return true;
}
