#pragma once

#include "core/commit/CommitRenames.h"
#include "core/folderops/FolderChangeReport.h"
#include "core/folderops/ListedFolderOps.h"
#include "core/platform/FolderProperties.h"
#include "core/platform/PosixFileSystem.h"
#include "core/rename/RenameSteps.h"
#include "core/settings/LanguageDiscovery.h"
#include "gui/attributes/CalendarDialog.h"
#include "gui/attributes/FolderAttributesDialog.h"
#include "gui/attributes/NotChangedDialog.h"
#include "gui/attributes/OffsetDialog.h"
#include "gui/commit/HistoryDialog.h"
#include "gui/commit/NotRenamedDialog.h"
#include "gui/folderops/CreateSubFoldersDialog.h"
#include "gui/folderops/FileListDialog.h"
#include "gui/folderops/SelActionDialog.h"
#include "gui/folderops/TransferProgressDialog.h"
#include "gui/load/OpenDialog.h"
#include "gui/mainwindow/AssistantDialog.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/MainWindowUi.h"
#include "gui/platform/Prompter.h"
#include "gui/platform/PropertiesDialog.h"
#include "gui/rename/EditManDialog.h"
#include "gui/rename/NameStructureDialog.h"
#include "gui/rename/NewNamesFromFileDialog.h"
#include "gui/rename/PositionPickerDialog.h"
#include "gui/rename/RenameDialogFactory.h"
#include "gui/script/ScriptDialog.h"
#include "gui/settings/AboutDialog.h"
#include "gui/settings/DateTimeFormatDialog.h"
#include "gui/settings/OptionsDialog.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <cerrno>
#include <functional>

// How a dialog takes its title: from the menu item that opened it, or from its own language section.
enum class DialogTitle { FromCommand, Fixed };

// Opens every dialog of the program in turn over a main window that lists entries (the second of which
// the manual edit opens), and hands each to visit. A test of all windows, whatever it checks, sees the same
// set of them.
inline void ForEveryDialog(AppState& state, Prompter& prompter, MainWindow& window, const QString& folder,
                           const std::function<void(QDialog& dialog, DialogTitle title)>& visit)
{
    for (int type = 1; type <= 10; ++type) {
        if (!RenameSteps::available(type))
            continue;
        const auto dialog = CreateRenameDialog(type,
                                               {state,
                                                window.session(),
                                                window.list(),
                                                2,
                                                window.ui().lstApplyTo->itemText(2),
                                                window.plainCaption(renameCommand(type)),
                                                {},
                                                {}},
                                               &window);
        visit(*dialog, DialogTitle::FromCommand);
    }
    for (const auto request : {PositionPickerDialog::Request::InsertPosition, PositionPickerDialog::Request::FromTo}) {
        PositionPickerDialog picker(state, window.list(), request, false, &window);
        visit(picker, DialogTitle::Fixed);
    }
    // The name structures over the shipped library: its list, then its editor with a structure typed.
    QFile::copy(QStringLiteral(DIRWRIGHT_SOURCE_DIR "/data/structures.vlp"),
                state.settingsFolder + QStringLiteral("structures.vlp"));
    for (const bool editing : {false, true}) {
        NameStructureDialog structures({state,
                                        window.session(),
                                        window.list(),
                                        0,
                                        window.ui().lstApplyTo->itemText(0),
                                        window.plainCaption(CommandId::RenameStructure),
                                        {},
                                        {}},
                                       &window);
        if (editing) {
            structures.select(4);
            structures.editStructure();
            structures.findChild<QLineEdit*>(QStringLiteral("txtStructure"))
                ->setText(QStringLiteral("<DT(C,yyyy-mm-dd)> <WC><NAME></WC><.EXT>"));
        }
        visit(structures, DialogTitle::FromCommand);
    }
    // New names from a file: before a file is chosen, and with a file whose columns are chosen.
    NewNamesFromFileDialog csvEmpty(state, prompter, window.list(), {}, &window);
    visit(csvEmpty, DialogTitle::Fixed);
    QFile csv(folder + QStringLiteral("names.csv"));
    if (csv.open(QIODevice::WriteOnly))
        csv.write("Old name;New name;Year\nHoliday.2004;Beach;2004\n");
    csv.close();
    NewNamesFromFileDialog csvLoaded(state, prompter, window.list(), {}, &window);
    csvLoaded.chooseFile(csv.fileName());
    if (auto* match = csvLoaded.findChild<QComboBox*>(QStringLiteral("cmbOldFN")))
        match->setCurrentIndex(0);
    if (auto* newName = csvLoaded.findChild<QComboBox*>(QStringLiteral("cmbNewFN")))
        newName->setCurrentIndex(1);
    visit(csvLoaded, DialogTitle::Fixed);
    EditManDialog edit(state, prompter, window.list(), 2, {}, &window);
    visit(edit, DialogTitle::FromCommand);
    ScriptDialog script(state, prompter, window.plainCaption(CommandId::StartRunScript), &window);
    visit(script, DialogTitle::FromCommand);
    OpenDialog open(state, prompter);
    visit(open, DialogTitle::Fixed);
    HistoryDialog history(state, prompter);
    visit(history, DialogTitle::Fixed);
    CommitReport report;
    report.failures.append({QString(), state.message(QStringLiteral("MsgText05"), {folder + "IMG_2041/", folder})});
    NotRenamedDialog notRenamed(state, window.list(), report);
    visit(notRenamed, DialogTitle::Fixed);
    FolderProperties properties;
    properties.path = folder;
    PropertiesDialog propertiesDialog(properties, state.language);
    visit(propertiesDialog, DialogTitle::Fixed);
    // The format library with the user's own list, one entry open for editing.
    state.dateTimeFormats.userFormats() = {QStringLiteral("yyyy-mm-dd 'Photos'"), QStringLiteral("dddd, d. mmmm yyyy")};
    DateTimeFormatDialog formats(state, prompter, DateTimeFormatDialog::typeItems(state), DateTimeFormats::User,
                                 state.dateTimeFormats.userFormats().last(), &window);
    formats.editFormat();
    visit(formats, DialogTitle::Fixed);
    state.languageFiles = ListLanguageFiles(state.programFolder);
    OptionsDialog options(state, prompter, OptionsDialog::Mode::Options, &window);
    visit(options, DialogTitle::Fixed);
    AboutDialog about(state, prompter, &window);
    visit(about, DialogTitle::Fixed);
    if (!window.assistant())
        window.ui().menuItem(CommandId::ShowAssistant)->trigger();
    visit(*window.assistant(), DialogTitle::Fixed);
    FolderAttributesDialog attributes(state, prompter, &window);
    visit(attributes, DialogTitle::Fixed);
    CalendarDialog calendar(state, prompter, QDateTime(QDate(2024, 2, 29), QTime(13, 5, 9)), QString(), &window);
    visit(calendar, DialogTitle::Fixed);
    OffsetDialog offset(state, prompter, QStringLiteral("-01:02:03:04:05:06"), QString(), &window);
    visit(offset, DialogTitle::Fixed);
    FolderChangeReport changes;
    changes.failures.append(
        {folder, state.message(QStringLiteral("msgModifiedNotSet"),
                               {QLatin1Char('"') + folder + QLatin1Char('"'),
                                state.message(QStringLiteral("msgFileAccess")) + QStringLiteral(" (") +
                                    PosixFileSystem::fromErrno(EROFS).systemText + ')'})});
    NotChangedDialog notChanged(state, changes, &window);
    visit(notChanged, DialogTitle::Fixed);
    // Copy and move share one form; its title comes from the section its tag names.
    SelActionDialog copy(state, prompter, window.list(), ListedFolderOps::TargetRows(window.list(), 0),
                         SelActionDialog::copyTag(), &window);
    visit(copy, DialogTitle::FromCommand);
    FolderTransfer transfer(state.fs(), TransferMode::Move, {});
    TransferProgressDialog progress(state, prompter, transfer, TransferMode::Move, &window);
    progress.report({3'500'000, 12'000'000, 41, 160, folder + QStringLiteral("Photos 2004")});
    progress.showProgress();
    visit(progress, DialogTitle::FromCommand);
    CreateSubFoldersDialog subfolders(state, prompter, &window);
    visit(subfolders, DialogTitle::Fixed);
    FileListDialog fileList(state, prompter, &window);
    visit(fileList, DialogTitle::Fixed);
}
