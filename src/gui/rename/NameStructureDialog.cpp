#include "gui/rename/NameStructureDialog.h"

#include "core/AppState.h"
#include "core/preview/PreviewList.h"
#include "core/rename/NameStructure.h"
#include "core/rename/RenameRun.h"
#include "core/rename/StructureCheck.h"
#include "gui/mainwindow/MainImageList.h"
#include "gui/mainwindow/WindowSession.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/ShowHelpGuide.h"
#include "gui/platform/WarnNotWritten.h"
#include "gui/rename/StructureItemList.h"
#include "gui/settings/DialogChrome.h"
#include "gui/settings/NamedWidget.h"
#include "gui/settings/WidgetTranslator.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("frmNameStructure");

// A button whose caption is in this dialog's section, with a picture of the shared list.
QPushButton* ownButton(QWidget* parent, const QString& name, const QString& picture)
{
    // Named until translated, so the caption goes beside the picture, not into the tool tip only.
    auto* button = NamedWidget<QPushButton>(parent, name);
    button->setText(name);
    button->setAutoDefault(false);
    button->setProperty("tag", kSection);
    button->setIcon(MainImageList::image(picture));
    return button;
}

QLabel* labelFor(QWidget* parent, const QString& name, QWidget* buddy)
{
    auto* label = NamedWidget<QLabel>(parent, name);
    label->setBuddy(buddy);
    return label;
}

} // namespace

NameStructureDialog::NameStructureDialog(RenameDialogHost host, QWidget* parent)
    : QDialog(parent)
    , m_host(std::move(host))
{
    setObjectName(kSection);
    AppState& state = m_host.state;

    // The library view.
    m_frameMain = NamedWidget<QWidget>(this, QStringLiteral("frameMain"));
    m_structures = NamedWidget<QTreeWidget>(m_frameMain, QStringLiteral("lstStructures"));
    m_structures->setColumnCount(2);
    m_structures->setRootIsDecorated(false);
    m_structures->setUniformRowHeights(true);
    m_structures->setSelectionMode(QAbstractItemView::SingleSelection);
    m_structures->setProperty("columnTags", QStringList{QStringLiteral("colName"), QStringLiteral("colStructure")});
    auto* structuresLabel = labelFor(m_frameMain, QStringLiteral("lblStructures"), m_structures);
    m_add = ownButton(m_frameMain, QStringLiteral("cmdStructureAdd"), QStringLiteral("Add"));
    m_edit = ownButton(m_frameMain, QStringLiteral("cmdStructureEdit"), QStringLiteral("EditMan"));
    m_delete = ownButton(m_frameMain, QStringLiteral("cmdStructureDel"), QStringLiteral("DelList"));
    auto* mainLayout = new QGridLayout(m_frameMain);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(structuresLabel, 0, 0);
    mainLayout->addWidget(m_structures, 1, 0);
    auto* libraryButtons = new QVBoxLayout;
    for (QPushButton* b : {m_add, m_edit, m_delete})
        libraryButtons->addWidget(b);
    libraryButtons->addStretch(1);
    mainLayout->addLayout(libraryButtons, 1, 1);
    mainLayout->setColumnStretch(0, 1);

    // The editor.
    m_frameEdit = NamedWidget<QWidget>(this, QStringLiteral("frameEdit"));
    m_name = NamedWidget<QLineEdit>(m_frameEdit, QStringLiteral("txtName"));
    m_structure = NamedWidget<QLineEdit>(m_frameEdit, QStringLiteral("txtStructure"));
    m_elements = NamedWidget<StructureItemList>(m_frameEdit, QStringLiteral("lstElements"));
    m_functions = NamedWidget<StructureItemList>(m_frameEdit, QStringLiteral("lstFunctions"));
    const QStringList itemColumns{QStringLiteral("colInsert"), QStringLiteral("colMeaning")};
    for (StructureItemList* list : {m_elements, m_functions})
        list->setProperty("columnTags", itemColumns);
    m_editOk = ownButton(m_frameEdit, QStringLiteral("cmdStructureOK"), QStringLiteral("TakeChanges"));
    m_editCancel = ownButton(m_frameEdit, QStringLiteral("cmdStructureCancel"), QStringLiteral("RejectChanges"));
    auto* editLayout = new QGridLayout(m_frameEdit);
    editLayout->setContentsMargins(0, 0, 0, 0);
    editLayout->addWidget(labelFor(m_frameEdit, QStringLiteral("lblName"), m_name), 0, 0);
    editLayout->addWidget(m_name, 0, 1, 1, 2);
    editLayout->addWidget(labelFor(m_frameEdit, QStringLiteral("lblStructure"), m_structure), 1, 0);
    editLayout->addWidget(m_structure, 1, 1, 1, 2);
    auto* lists = new QGridLayout;
    lists->addWidget(labelFor(m_frameEdit, QStringLiteral("lblElements"), m_elements), 0, 0);
    lists->addWidget(m_elements, 1, 0);
    lists->addWidget(labelFor(m_frameEdit, QStringLiteral("lblFunctions"), m_functions), 0, 1);
    lists->addWidget(m_functions, 1, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);
    editLayout->addLayout(lists, 2, 0, 1, 3);
    auto* hint = NamedWidget<QLabel>(m_frameEdit, QStringLiteral("lblDragHint"));
    hint->setWordWrap(true);
    editLayout->addWidget(hint, 3, 0, 1, 3);
    auto* editButtons = new QHBoxLayout;
    editButtons->addStretch(1);
    editButtons->addWidget(m_editOk);
    editButtons->addWidget(m_editCancel);
    editLayout->addLayout(editButtons, 4, 0, 1, 3);
    editLayout->setColumnStretch(1, 1);

    // The example, under both views: the result follows the structure as it is typed.
    auto* example = NamedWidget<QGroupBox>(this, QStringLiteral("fraExample"));
    m_fileName = NamedWidget<QLineEdit>(example, QStringLiteral("txtFileName"));
    m_result = NamedWidget<QLineEdit>(example, QStringLiteral("txtResult"));
    for (QLineEdit* field : {m_fileName, m_result})
        field->setReadOnly(true);
    m_scroll = NamedWidget<QScrollBar>(example, QStringLiteral("VScroll1"));
    m_scroll->setOrientation(Qt::Vertical);
    m_scroll->setFocusPolicy(Qt::StrongFocus);
    m_scroll->setFixedHeight(m_fileName->sizeHint().height());
    auto* exampleLayout = new QGridLayout(example);
    exampleLayout->addWidget(labelFor(example, QStringLiteral("lblFileName"), m_fileName), 0, 0);
    exampleLayout->addWidget(m_fileName, 0, 1);
    exampleLayout->addWidget(m_scroll, 0, 2);
    exampleLayout->addWidget(labelFor(example, QStringLiteral("lblResult"), m_result), 1, 0);
    exampleLayout->addWidget(m_result, 1, 1);
    exampleLayout->setColumnStretch(1, 1);

    auto* help = NamedWidget<QPushButton>(this, QStringLiteral("cmdHelp"));
    m_ok = NamedWidget<QPushButton>(this, QStringLiteral("cmdOK"));
    m_apply = NamedWidget<QPushButton>(this, QStringLiteral("cmdApply"));
    auto* cancel = NamedWidget<QPushButton>(this, QStringLiteral("cmdCancel"));
    for (QPushButton* b : {help, m_ok, m_apply, cancel})
        b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch(1);
    for (QPushButton* b : {m_ok, m_apply, cancel})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frameMain, 1);
    layout->addWidget(m_frameEdit, 1);
    layout->addWidget(example);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    TranslateForm(state.language, this, kSection);
    if (!m_host.menuCaption.isEmpty())
        setWindowTitle(TitleFromCaption(m_host.menuCaption) + QStringLiteral(" (") + m_host.applyToText +
                       QLatin1Char(')'));
    for (QPushButton* b : {m_add, m_edit, m_delete, m_editOk, m_editCancel})
        b->setToolTip(state.language.GetLngText(kSection, b->objectName() + QStringLiteral("ToolTip")));
    SetDialogButtons(this, state.language);
    SetDialogColours(this, state);

    m_elements->fill(state.language,
                     {QStringLiteral("cmbElements"), QStringLiteral("cmbExif"), QStringLiteral("cmbMP3Tag"),
                      QStringLiteral("cmbDOSTag")},
                     state.fs());
    m_functions->fill(state.language, {QStringLiteral("cmbFunctions")}, state.fs());
    m_scroll->setRange(1, std::max(1, m_host.list.size()));
    m_scroll->setEnabled(m_host.list.size() > 1);
    m_library = StructureLibrary::read(state.fs(), StructureLibrary::path(state));

    connect(m_structures, &QTreeWidget::currentItemChanged, this, &NameStructureDialog::selectionChanged);
    connect(m_structures, &QTreeWidget::itemDoubleClicked, this, &NameStructureDialog::editStructure);
    connect(m_add, &QPushButton::clicked, this, &NameStructureDialog::addStructure);
    connect(m_edit, &QPushButton::clicked, this, &NameStructureDialog::editStructure);
    connect(m_delete, &QPushButton::clicked, this, &NameStructureDialog::deleteStructure);
    connect(m_editOk, &QPushButton::clicked, this, &NameStructureDialog::confirmStructure);
    connect(m_editCancel, &QPushButton::clicked, this, &NameStructureDialog::cancelStructure);
    connect(m_name, &QLineEdit::textChanged, this, &NameStructureDialog::fieldsChanged);
    connect(m_structure, &QLineEdit::textChanged, this, &NameStructureDialog::fieldsChanged);
    for (StructureItemList* list : {m_elements, m_functions})
        connect(list, &StructureItemList::insertRequested, this, &NameStructureDialog::insertAtCursor);
    connect(m_scroll, &QScrollBar::valueChanged, this, &NameStructureDialog::refreshExample);
    connect(m_ok, &QPushButton::clicked, this, &NameStructureDialog::ok);
    connect(m_apply, &QPushButton::clicked, this, &NameStructureDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ConnectHelp(this, m_host.state, m_host.window.prompter);

    const int line = fontMetrics().height();
    m_structures->setMinimumSize(fontMetrics().averageCharWidth() * 70, line * 12);
    // Wide enough for the text to insert and most of what it does.
    const int character = fontMetrics().averageCharWidth();
    m_elements->setMinimumSize(character * 72, line * 12);
    m_functions->setMinimumSize(character * 66, line * 12);
    // Room for the widest of both views, so switching between them does not resize the window.
    m_frameEdit->show();
    layout->activate();
    const QSize editSize = sizeHint();
    showLibrary(0);
    resize(std::max({editSize.width(), sizeHint().width(), TitleBarWidth(this)}), editSize.height());
}

int NameStructureDialog::selectedIndex() const
{
    QTreeWidgetItem* item = m_structures->currentItem();
    return item ? m_structures->indexOfTopLevelItem(item) : -1;
}

void NameStructureDialog::select(int index)
{
    if (QTreeWidgetItem* item = m_structures->topLevelItem(index))
        m_structures->setCurrentItem(item);
}

bool NameStructureDialog::editing() const
{
    return !m_frameEdit->isHidden();
}

void NameStructureDialog::showLibrary(int select)
{
    {
        const QSignalBlocker blocker(m_structures);
        m_structures->clear();
        for (const NamedStructure& entry : m_library.entries)
            new QTreeWidgetItem(m_structures, {entry.name, entry.structure});
        m_structures->resizeColumnToContents(0);
    }
    m_frameEdit->hide();
    m_frameMain->show();
    m_ok->setEnabled(true);
    m_apply->setEnabled(true);
    m_ok->setDefault(true);
    if (m_library.entries.isEmpty())
        selectionChanged();
    else
        m_structures->setCurrentItem(m_structures->topLevelItem(qBound(0, select, int(m_library.entries.size()) - 1)));
    m_structures->setFocus();
}

void NameStructureDialog::selectionChanged()
{
    const int index = selectedIndex();
    const bool any = index >= 0;
    m_name->setText(any ? m_library.entries.at(index).name : QString());
    m_structure->setText(any ? m_library.entries.at(index).structure : QString());
    m_edit->setEnabled(any);
    m_delete->setEnabled(any);
    refreshExample();
}

void NameStructureDialog::openEditor(bool adding)
{
    m_adding = adding;
    m_frameMain->hide();
    m_frameEdit->show();
    // The library's own buttons wait until the edit is kept or discarded.
    m_ok->setEnabled(false);
    m_apply->setEnabled(false);
    m_editOk->setDefault(true);
    fieldsChanged();
}

void NameStructureDialog::addStructure()
{
    m_name->setText(m_host.state.language.GetLngText(kSection, QStringLiteral("DefaultName"),
                                                     {QString::number(m_library.entries.size() + 1)}));
    m_structure->clear();
    openEditor(true);
    m_name->selectAll();
    m_name->setFocus();
}

void NameStructureDialog::editStructure()
{
    if (selectedIndex() < 0)
        return;
    openEditor(false);
    m_structure->setFocus();
}

void NameStructureDialog::fieldsChanged()
{
    m_editOk->setEnabled(!m_name->text().trimmed().isEmpty() && !m_structure->text().trimmed().isEmpty());
    refreshExample();
}

void NameStructureDialog::confirmStructure()
{
    if (!editing() || !m_editOk->isEnabled() || !checkStructure())
        return;
    const NamedStructure entry{m_name->text(), m_structure->text()};
    int index = selectedIndex();
    if (m_adding || index < 0) {
        m_library.entries.append(entry);
        index = int(m_library.entries.size()) - 1;
    } else {
        m_library.entries[index] = entry;
    }
    m_libraryChanged = true;
    showLibrary(index);
}

void NameStructureDialog::cancelStructure()
{
    showLibrary(selectedIndex());
}

void NameStructureDialog::deleteStructure()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    const AppState& state = m_host.state;
    if (m_host.window.prompter.ask(state.message(QStringLiteral("msgRemoveStructure")),
                                   state.message(QStringLiteral("msgCapRemoveStructure")), Prompter::Yes | Prompter::No,
                                   Prompter::Icon::Question, Prompter::No) != Prompter::Yes)
        return;
    m_library.entries.removeAt(index);
    m_libraryChanged = true;
    showLibrary(index);
}

void NameStructureDialog::insertAtCursor(const QString& text)
{
    if (!editing())
        return;
    m_structure->insert(text);
    m_structure->setFocus();
}

void NameStructureDialog::showExample(int number)
{
    m_scroll->setValue(number);
    refreshExample();
}

QString NameStructureDialog::exampleResult() const
{
    return m_result->text();
}

void NameStructureDialog::refreshExample()
{
    const int row = m_scroll->value() - 1;
    if (row < 0 || row >= m_host.list.size()) {
        m_fileName->clear();
        m_result->clear();
        return;
    }
    const FolderEntry& entry = m_host.list.entry(row);
    m_fileName->setText(entry.newName);
    m_result->setText(EvaluateStructure(entry, m_structure->text(), m_host.state.fs(), QLocale::system()));
    m_fileName->setCursorPosition(0);
    m_result->setCursorPosition(0);
}

bool NameStructureDialog::checkStructure()
{
    const AppState& state = m_host.state;
    Prompter& prompter = m_host.window.prompter;
    const QString caption = state.message(QStringLiteral("msgCapErrorStructure"));
    const QString checkInput = state.message(QStringLiteral("msgCheckInput"));
    const QString paragraph = QStringLiteral("\n\n");
    const QString structure = m_structure->text();
    const StructureCheck check = CheckStructure(structure);
    QString problem;
    switch (check.problem) {
    case StructureCheck::Problem::Misplaced:
        problem = checkInput + paragraph +
                  state.message(QStringLiteral("msgErrorStructure1"), {QString::number(check.position)});
        break;
    case StructureCheck::Problem::Unclosed:
        problem = checkInput + paragraph + state.message(QStringLiteral("msgErrorStructure2"), {check.fragment});
        break;
    case StructureCheck::Problem::UnpairedCase:
        problem = state.message(
            QStringLiteral("msgErrorStructure4"),
            {check.openTag, check.closeTag, state.message(QStringLiteral("msgCorrectSyntax")) + paragraph});
        break;
    case StructureCheck::Problem::None:
        break;
    }
    if (!problem.isEmpty()) {
        prompter.ask(problem, caption, Prompter::Ok, Prompter::Icon::Warning, Prompter::Ok);
        m_structure->setFocus();
        if (check.index >= 0)
            m_structure->setSelection(int(check.index), structure.at(check.index).isHighSurrogate() ? 2 : 1);
        return false;
    }
    refreshExample();
    const QString result = m_result->text();
    if (result.contains(QLatin1Char('<')) || result.contains(QLatin1Char('>')))
        prompter.ask(checkInput + QLatin1Char(' ') + state.message(QStringLiteral("msgCorrectSyntax")) + paragraph +
                         state.message(QStringLiteral("msgErrorStructure3")),
                     caption, Prompter::Ok, Prompter::Icon::Warning, Prompter::Ok);
    return true;
}

bool NameStructureDialog::saveLibrary()
{
    // Only a library the user changed is written: a file this version could not read stays as it is.
    if (!m_libraryChanged)
        return true;
    AppState& state = m_host.state;
    const QString path = StructureLibrary::path(state);
    if (!m_library.write(state.fs(), path).ok()) {
        WarnNotWritten(state, m_host.window.prompter, path);
        return false;
    }
    m_libraryChanged = false;
    return true;
}

bool NameStructureDialog::apply()
{
    if (editing())
        return false;
    saveLibrary();
    if (!checkStructure()) {
        openEditor(false);
        return false;
    }
    const int index = selectedIndex();
    if (index < 0)
        return false;
    RenameRun run(m_host.state, m_host.list, m_host.applyTo, m_host.status);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ApplyStructure(run, m_library.entries.at(index).structure);
    QApplication::restoreOverrideCursor();
    if (m_host.refreshPreview)
        m_host.refreshPreview();
    refreshExample();
    return true;
}

void NameStructureDialog::ok()
{
    apply();
    if (!editing())
        accept();
}
