#include "gui/settings/OptionsDialog.h"

#include "core/AppState.h"
#include "core/settings/GlobalInit.h"
#include "core/settings/LanguageDiscovery.h"
#include "core/settings/SettingsStore.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/SaveSettings.h"
#include "gui/settings/WidgetTranslator.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kForm = QStringLiteral("frmOptions");

// A button whose caption is a key of this window's section rather than of [Buttons].
QPushButton* ownButton(QWidget* parent, const QString& name)
{
    auto* button = NamedWidget<QPushButton>(parent, name);
    button->setProperty("tag", kForm);
    button->setAutoDefault(false);
    return button;
}

QLabel* label(QWidget* parent, const QString& name, QWidget* buddy = nullptr)
{
    auto* l = NamedWidget<QLabel>(parent, name);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

} // namespace

OptionsDialog::OptionsDialog(AppState& state, Prompter& prompter, Mode mode, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_prompter(prompter)
    , m_mode(mode)
    , m_languageAtOpen(state.language.path())
    , m_files(state.languageFiles)
{
    setObjectName(kForm);
    setModal(true);
    const OptionsValues stored = OptionsValues::fromSettings(state.settings);
    m_colours = {stored.backColor, stored.foreColor};
    m_filters = stored.filters;

    m_tabs = NamedWidget<QTabWidget>(this, QStringLiteral("TabStrip1"));
    const std::array<void (OptionsDialog::*)(QWidget*), 4> builders{
        &OptionsDialog::buildLanguagePage, &OptionsDialog::buildGeneralPage, &OptionsDialog::buildColoursPage,
        &OptionsDialog::buildFiltersPage};
    for (size_t i = 0; i < builders.size(); ++i) {
        auto* page = NamedWidget<QWidget>(m_tabs, QStringLiteral("Frame1(%1)").arg(i));
        (this->*builders[i])(page);
        m_tabs->addTab(page, page->objectName());
    }

    auto* buttons = new QDialogButtonBox(this);
    for (const char* name : {"cmdOK", "cmdCancel", "cmdHelp"}) {
        auto* button = NamedWidget<QPushButton>(buttons, QLatin1String(name));
        button->setText(QLatin1String(name));
        buttons->addButton(button, QDialogButtonBox::ActionRole);
    }
    auto* ok = buttons->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(buttons->findChild<QPushButton*>(QStringLiteral("cmdCancel")), &QPushButton::clicked, this,
            &OptionsDialog::reject);
    ConnectHelp(this, state, prompter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);

    // Fill the controls before they are connected, so loading shows no warning.
    for (const QString& file : m_files) {
        QString name = ReadSetting(QStringLiteral("Main"), QStringLiteral("lngname"), file);
        m_language->addItem(name.isEmpty() ? QFileInfo(file).completeBaseName() : name);
    }
    m_language->setCurrentIndex(static_cast<int>(m_files.indexOf(m_languageAtOpen)));
    m_saveSettings->setChecked(stored.saveSettings);
    m_protocol->setChecked(stored.protocolRenames);
    m_experts->setChecked(stored.expertMode);
    retranslate();
    for (int i = 0; i < m_questions->count() && i < int(stored.confirm.size()); ++i)
        chooseQuestion(i, stored.confirm.at(static_cast<size_t>(i)));
    fillFilters(0);
    showColours();
    closeFilterEditor();
    showPage(LanguagePage);

    connect(m_language, &QComboBox::currentIndexChanged, this, &OptionsDialog::languageChosen);
    connect(m_experts, &QCheckBox::toggled, this, &OptionsDialog::expertsToggled);
    resize(sizeHint().expandedTo(QSize(560, 420)));
}

void OptionsDialog::buildLanguagePage(QWidget* page)
{
    m_language = NamedWidget<QComboBox>(page, QStringLiteral("cmbLngSel"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(label(page, QStringLiteral("lblLngSel"), m_language));
    layout->addWidget(m_language);
    auto* note = label(page, QStringLiteral("lblLngNote"));
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch(1);
}

void OptionsDialog::buildGeneralPage(QWidget* page)
{
    m_saveSettings = NamedWidget<QCheckBox>(page, QStringLiteral("chkSaveSettings"));
    m_protocol = NamedWidget<QCheckBox>(page, QStringLiteral("chkProtocolRen"));
    m_questions = NamedWidget<QListWidget>(page, QStringLiteral("lstSecQuest"));
    m_questions->setSelectionMode(QAbstractItemView::NoSelection);
    m_questions->setSpacing(2);
    m_experts = NamedWidget<QCheckBox>(page, QStringLiteral("chkExperts"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_saveSettings);
    layout->addWidget(m_protocol);
    layout->addWidget(label(page, QStringLiteral("lblSecQuest"), m_questions));
    layout->addWidget(m_questions);
    layout->addWidget(m_experts);
    layout->addStretch(1);
}

void OptionsDialog::buildColoursPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    for (int box = 0; box < 2; ++box) {
        auto* swatch = NamedWidget<QFrame>(page, QStringLiteral("picColor(%1)").arg(box));
        swatch->setFrameShape(QFrame::Box);
        swatch->setAutoFillBackground(true);
        swatch->setFixedSize(48, 24);
        m_colourBoxes.at(static_cast<size_t>(box)) = swatch;
        QPushButton* choose = ownButton(page, QStringLiteral("cmdSelColor(%1)").arg(box));
        connect(choose, &QPushButton::clicked, this, [this, box] { chooseColour(box); });
        grid->addWidget(label(page, QStringLiteral("lblColor(%1)").arg(box), choose), box, 0);
        grid->addWidget(swatch, box, 1);
        grid->addWidget(choose, box, 2);
    }
    m_colourTest = NamedWidget<QFrame>(page, QStringLiteral("picColorTest"));
    m_colourTest->setFrameShape(QFrame::Box);
    m_colourTest->setAutoFillBackground(true);
    m_colourTest->setMinimumHeight(64);
    m_colourTestText = label(m_colourTest, QStringLiteral("lblColorTest"));
    m_colourTestText->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(m_colourTest))->addWidget(m_colourTestText);
    auto* reset = NamedWidget<QPushButton>(page, QStringLiteral("cmdReset"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &OptionsDialog::resetColours);
    grid->addWidget(m_colourTest, 2, 0, 1, 3);
    grid->addWidget(reset, 3, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(4, 1);
}

void OptionsDialog::buildFiltersPage(QWidget* page)
{
    m_filterList = NamedWidget<QComboBox>(page, QStringLiteral("cmbFilters"));
    m_filterBar = NamedWidget<QToolBar>(page, QStringLiteral("TBFilter"));
    m_filterBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const std::array<std::pair<const char*, const char*>, 3> tools{
        {{"cmdFilterAdd", "list-add"}, {"cmdFilterEdit", "document-edit"}, {"cmdFilterDelete", "list-remove"}}};
    const std::array<void (OptionsDialog::*)(), 3> runs{&OptionsDialog::addFilter, &OptionsDialog::editFilter,
                                                        &OptionsDialog::deleteFilter};
    for (size_t i = 0; i < tools.size(); ++i) {
        QAction* tool = m_filterBar->addAction(QIcon::fromTheme(QLatin1String(tools[i].second)), QString());
        tool->setObjectName(QLatin1String(tools[i].first));
        connect(tool, &QAction::triggered, this, runs[i]);
    }

    m_editor = NamedWidget<QGroupBox>(page, QStringLiteral("Frame2"));
    m_filterName = NamedWidget<QLineEdit>(m_editor, QStringLiteral("txtFilterName"));
    // "|" separates the name from the patterns in the stored value.
    m_filterName->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|]*")), m_filterName));
    m_patterns = NamedWidget<QListWidget>(m_editor, QStringLiteral("lstFilters"));
    m_patternEdit = NamedWidget<QLineEdit>(m_editor, QStringLiteral("txtFilterEdit"));
    QPushButton* toText = ownButton(m_editor, QStringLiteral("cmdLst2Txt"));
    QPushButton* toList = ownButton(m_editor, QStringLiteral("cmdTxt2Lst"));
    QPushButton* confirm = ownButton(m_editor, QStringLiteral("cmdFilterOK"));
    QPushButton* cancel = ownButton(m_editor, QStringLiteral("cmdFilterCancel"));
    connect(toText, &QPushButton::clicked, this, &OptionsDialog::patternToText);
    connect(toList, &QPushButton::clicked, this, &OptionsDialog::textToPattern);
    connect(m_patternEdit, &QLineEdit::returnPressed, this, &OptionsDialog::textToPattern);
    connect(confirm, &QPushButton::clicked, this, &OptionsDialog::confirmFilter);
    connect(cancel, &QPushButton::clicked, this, &OptionsDialog::closeFilterEditor);
    connect(m_filterName, &QLineEdit::textChanged, this, &OptionsDialog::updateFilterButtons);
    connect(m_patterns, &QListWidget::currentRowChanged, this, &OptionsDialog::updateFilterButtons);

    auto* grid = new QGridLayout(m_editor);
    grid->addWidget(label(m_editor, QStringLiteral("lblFilterName"), m_filterName), 0, 0);
    grid->addWidget(m_filterName, 0, 1, 1, 2);
    grid->addWidget(label(m_editor, QStringLiteral("lblFilters"), m_patterns), 1, 0);
    grid->addWidget(m_patterns, 1, 1, 3, 1);
    grid->addWidget(toText, 1, 2);
    grid->addWidget(toList, 2, 2);
    grid->addWidget(label(m_editor, QStringLiteral("lblFilterEdit"), m_patternEdit), 4, 0);
    grid->addWidget(m_patternEdit, 4, 1, 1, 2);
    auto* editorButtons = new QHBoxLayout;
    editorButtons->addStretch(1);
    editorButtons->addWidget(confirm);
    editorButtons->addWidget(cancel);
    grid->addLayout(editorButtons, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    top->addWidget(label(page, QStringLiteral("lblFilterSel"), m_filterList));
    top->addWidget(m_filterList, 1);
    layout->addLayout(top);
    layout->addWidget(m_filterBar);
    layout->addWidget(m_editor, 1);
    layout->addStretch(0);
}

void OptionsDialog::retranslate()
{
    // Translation refills the list of questions: the user's choices survive it.
    QList<bool> chosen;
    for (int i = 0; i < m_questions->count(); ++i)
        chosen.append(isQuestionChosen(i));
    const QSignalBlocker blockLanguage(m_language);
    TranslateForm(m_state.language, this);
    SetDialogButtons(this, m_state.language);
    SetDialogColours(this, m_state);
    // The page tabs are reached by keyboard; a screen reader names them after the window.
    m_tabs->setAccessibleName(windowTitle());
    m_tabs->tabBar()->setAccessibleName(windowTitle());
    for (int i = 0; i < m_questions->count(); ++i)
        chooseQuestion(i, chosen.value(i));
    // Three rows, no more: the page has nothing else to give the room to.
    m_questions->setFixedHeight((m_questions->sizeHintForRow(0) + 2 * m_questions->spacing()) * m_questions->count() +
                                2 * m_questions->frameWidth() + 4);
    // The filter tools show their names beside their pictures.
    for (QAction* tool : m_filterBar->actions())
        tool->setText(tool->toolTip());
    showColours();
}

bool OptionsDialog::isQuestionChosen(int question) const
{
    const QListWidgetItem* item = m_questions->item(question);
    return item && item->checkState() == Qt::Checked;
}

void OptionsDialog::chooseQuestion(int question, bool chosen)
{
    if (QListWidgetItem* item = m_questions->item(question)) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
}

void OptionsDialog::languageChosen(int index)
{
    if (index < 0 || index >= m_files.size())
        return;
    UseLanguage(m_state, m_files.at(index));
    retranslate();
}

void OptionsDialog::expertsToggled(bool on)
{
    if (on)
        m_prompter.tell(m_state.message(QStringLiteral("MsgText33")),
                        m_state.message(QStringLiteral("msgCapAttention")), Prompter::Icon::Warning);
}

void OptionsDialog::chooseColour(int box)
{
    int& value = m_colours.at(static_cast<size_t>(box));
    if (const std::optional<QColor> colour = m_prompter.pickColour(ColourFromStored(value))) {
        value = StoredFromColour(*colour);
        showColours();
    }
}

void OptionsDialog::resetColours()
{
    m_colours = {AppState::kSystemButtonFace, AppState::kSystemButtonText};
    showColours();
}

void OptionsDialog::showColours()
{
    for (size_t box = 0; box < m_colourBoxes.size(); ++box) {
        QPalette palette = m_colourBoxes[box]->palette();
        palette.setColor(QPalette::Window, ColourFromStored(m_colours[box]));
        m_colourBoxes[box]->setPalette(palette);
    }
    QPalette test = m_colourTest->palette();
    test.setColor(QPalette::Window, ColourFromStored(m_colours[0]));
    m_colourTest->setPalette(test);
    QPalette text = m_colourTestText->palette();
    text.setColor(QPalette::WindowText, ColourFromStored(m_colours[1]));
    m_colourTestText->setPalette(text);
}

void OptionsDialog::fillFilters(int selected)
{
    m_filterList->clear();
    for (const NamedFilter& filter : m_filters)
        m_filterList->addItem(filter.name, filter.joinedPatterns());
    m_filterList->setCurrentIndex(m_filters.isEmpty() ? -1 : std::clamp(selected, 0, int(m_filters.size()) - 1));
    updateFilterButtons();
}

void OptionsDialog::addFilter()
{
    openFilterEditor(true);
}

void OptionsDialog::editFilter()
{
    if (m_filterList->currentIndex() >= 0)
        openFilterEditor(false);
}

bool OptionsDialog::isEditingFilter() const
{
    return !m_editor->isHidden();
}

void OptionsDialog::deleteFilter()
{
    const int index = m_filterList->currentIndex();
    if (index < 0)
        return;
    if (m_prompter.ask(m_state.message(QStringLiteral("MsgText16")), m_state.message(QStringLiteral("MsgCap07")),
                       Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::No) != Prompter::Yes)
        return;
    m_filters.removeAt(index);
    fillFilters(index);
}

void OptionsDialog::openFilterEditor(bool add)
{
    m_addingFilter = add;
    const int index = m_filterList->currentIndex();
    const NamedFilter filter = add || index < 0 ? NamedFilter{} : m_filters.at(index);
    m_filterName->setText(filter.name);
    m_patterns->clear();
    m_patterns->addItems(filter.patterns);
    m_patternEdit->clear();
    m_editor->setVisible(true);
    updateFilterButtons();
    m_filterName->setFocus();
}

void OptionsDialog::closeFilterEditor()
{
    m_editor->setVisible(false);
    updateFilterButtons();
}

void OptionsDialog::confirmFilter()
{
    NamedFilter filter;
    filter.name = m_filterName->text().trimmed();
    if (filter.name.isEmpty())
        return;
    for (int i = 0; i < m_patterns->count(); ++i)
        filter.patterns.append(m_patterns->item(i)->text());
    // A pattern typed but not yet put in the list is meant to belong to the filter too.
    filter.patterns.append(m_patternEdit->text());
    filter.patterns = NamedFilter::splitPatterns(filter.joinedPatterns());
    int index = m_filterList->currentIndex();
    if (m_addingFilter || index < 0) {
        m_filters.append(filter);
        index = static_cast<int>(m_filters.size()) - 1;
    } else {
        m_filters[index] = filter;
    }
    closeFilterEditor();
    fillFilters(index);
}

void OptionsDialog::patternToText()
{
    const int row = m_patterns->currentRow();
    if (row < 0)
        return;
    m_patternEdit->setText(m_patterns->takeItem(row)->text());
    m_patternEdit->setFocus();
    updateFilterButtons();
}

void OptionsDialog::textToPattern()
{
    const QString pattern = m_patternEdit->text().trimmed();
    if (pattern.isEmpty())
        return;
    m_patterns->addItem(pattern);
    m_patterns->setCurrentRow(m_patterns->count() - 1);
    m_patternEdit->clear();
}

void OptionsDialog::updateFilterButtons()
{
    const bool editing = isEditingFilter();
    const bool selected = m_filterList->currentIndex() >= 0;
    m_filterList->setEnabled(!editing && !m_filters.isEmpty());
    m_filterBar->setEnabled(!editing);
    for (QAction* tool : m_filterBar->actions()) {
        if (tool->objectName() != QLatin1String("cmdFilterAdd"))
            tool->setEnabled(selected);
    }
    findChild<QPushButton*>(QStringLiteral("cmdLst2Txt"))->setEnabled(m_patterns->currentRow() >= 0);
    findChild<QPushButton*>(QStringLiteral("cmdFilterOK"))->setEnabled(!m_filterName->text().trimmed().isEmpty());
    // The editor has its own OK; the window's would leave the open edit unsaved.
    if (auto* ok = findChild<QPushButton*>(QStringLiteral("cmdOK")))
        ok->setEnabled(!editing);
}

void OptionsDialog::showPage(Page page)
{
    m_tabs->setCurrentIndex(page);
}

OptionsValues OptionsDialog::values() const
{
    OptionsValues v;
    v.languageName = m_state.language.name();
    v.saveSettings = m_saveSettings->isChecked();
    v.protocolRenames = m_protocol->isChecked();
    for (int i = 0; i < m_questions->count() && i < int(v.confirm.size()); ++i)
        v.confirm.at(static_cast<size_t>(i)) = isQuestionChosen(i);
    v.expertMode = m_experts->isChecked();
    v.backColor = m_colours[0];
    v.foreColor = m_colours[1];
    v.filters = m_filters;
    return v;
}

QString OptionsDialog::languageFile() const
{
    return m_files.value(m_language->currentIndex());
}

void OptionsDialog::accept()
{
    if (isEditingFilter())
        return;
    values().applyTo(m_state.settings);
    if (m_mode == Mode::Options)
        SaveSettings(m_state, m_prompter);
    QDialog::accept();
}

void OptionsDialog::reject()
{
    if (m_state.language.path() != m_languageAtOpen) {
        if (m_languageAtOpen.isEmpty())
            m_state.language.clear();
        else
            UseLanguage(m_state, m_languageAtOpen);
    }
    QDialog::reject();
}

QString OptionsDialog::chooseAtStart(AppState& state, Prompter& prompter, const QStringList& files,
                                     const std::function<int(QDialog&)>& run)
{
    if (files.isEmpty())
        return {};
    QStringList locales;
    for (const QString& file : files)
        locales.append(ReadSetting(QStringLiteral("Main"), QStringLiteral("locale"), file));
    // The desktop's language comes selected, and the window speaks it, so most users only confirm.
    UseLanguage(state, files.at(PreselectedLanguage(locales, QLocale::system().name())));
    state.languageFiles = files;
    OptionsDialog dialog(state, prompter, Mode::FirstStart);
    if (run(dialog) == QDialog::Accepted)
        return dialog.languageFile();
    // The start decides which language a run without a choice speaks.
    state.language.clear();
    return {};
}
