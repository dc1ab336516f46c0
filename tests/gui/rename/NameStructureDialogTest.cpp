#include "gui/rename/NameStructureDialog.h"
#include "core/rename/StructureLibrary.h"
#include "core/settings/TextCodec.h"
#include "gui/mainwindow/MainWindowFixture.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/WriteTextFile.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTest>

namespace {

const char* const kLibrary = "Name;Structure;\nDate first;<DT(C,yyyy-mm-dd)>_<NAME>;\n"
                             "Upper;<UC><NAME></UC><.EXT>;\nDashed;<NAME_L(find(-,1,-1))>;\n";

class NameStructures : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteTextFile(libraryPath(), QString::fromUtf8(kLibrary)));
        open();
        // The list keeps them sorted by name.
        addEntries({"LOG.TXT", "Summer-trip.2004"}, QStringLiteral("/D/Photos/"));
    }
    QString libraryPath() { return app.settingsPath(QStringLiteral("structures.vlp")); }
    QString libraryText() { return TextCodec::readFile(libraryPath()); }
    std::unique_ptr<NameStructureDialog> dialog()
    {
        return std::make_unique<NameStructureDialog>(
            RenameDialogHost{app.state(), window->session(), window->list(), 0, QString(), QString(), {}, {}},
            window.get());
    }
    static QLineEdit* field(QDialog& d, const char* name) { return d.findChild<QLineEdit*>(QLatin1String(name)); }
};

// Adding, a failed check, deleting: all of it stays in the dialog, and Cancel leaves the file as it was.
TEST_F(NameStructures, ChangesOfTheLibraryStayInTheDialogUntilApply)
{
    const auto d = dialog();
    ASSERT_EQ(d->library().entries.size(), 3);
    EXPECT_EQ(d->selectedIndex(), 0);
    EXPECT_EQ(field(*d, "txtStructure")->text(), QStringLiteral("<DT(C,yyyy-mm-dd)>_<NAME>"));

    d->addStructure();
    EXPECT_TRUE(d->editing());
    EXPECT_EQ(field(*d, "txtName")->text(), QStringLiteral("Structure 4"));
    auto* keep = d->findChild<QPushButton*>(QStringLiteral("cmdStructureOK"));
    EXPECT_FALSE(keep->isEnabled());
    field(*d, "txtStructure")->setText(QStringLiteral("<UC><NAME>"));
    EXPECT_TRUE(keep->isEnabled());
    app.prompter().expectButton(Prompter::Ok);
    d->confirmStructure();
    EXPECT_TRUE(d->editing());
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_TRUE(app.prompter().asked().last().text.contains(QStringLiteral("<UC> and </UC>")));
    EXPECT_EQ(app.prompter().asked().last().title, message("msgCapErrorStructure"));

    field(*d, "txtStructure")->setText(QStringLiteral("<UC><NAME_L(2)></UC><NAME_M(3,0)><.EXT>"));
    EXPECT_EQ(field(*d, "txtFileName")->text(), QStringLiteral("LOG.TXT"));
    EXPECT_EQ(d->exampleResult(), QStringLiteral("LOG.TXT"));
    // Enter in the editor keeps the structure, and only that: the dialog stays open, nothing is applied.
    d->show();
    QTest::keyClick(field(*d, "txtStructure"), Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->editing());
    ASSERT_EQ(d->library().entries.size(), 4);
    EXPECT_EQ(d->library().entries.last(), (NamedStructure{"Structure 4", "<UC><NAME_L(2)></UC><NAME_M(3,0)><.EXT>"}));
    EXPECT_EQ(d->selectedIndex(), 3);

    // The example follows the scroll bar through the list.
    d->showExample(2);
    EXPECT_EQ(field(*d, "txtFileName")->text(), QStringLiteral("Summer-trip.2004"));
    EXPECT_EQ(d->exampleResult(), QStringLiteral("SUmmer-trip.2004"));

    app.prompter().expectButton(Prompter::No);
    d->deleteStructure();
    EXPECT_EQ(d->library().entries.size(), 4);
    d->select(0);
    app.prompter().expectButton(Prompter::Yes);
    d->deleteStructure();
    EXPECT_EQ(d->library().entries.size(), 3);
    EXPECT_EQ(app.prompter().asked().last().text, message("msgRemoveStructure"));
    EXPECT_EQ(field(*d, "txtName")->text(), QStringLiteral("Upper"));

    // Editing and discarding changes nothing.
    d->editStructure();
    field(*d, "txtName")->setText(QStringLiteral("Changed"));
    d->cancelStructure();
    EXPECT_EQ(d->library().entries.first().name, QStringLiteral("Upper"));
    EXPECT_EQ(field(*d, "txtName")->text(), QStringLiteral("Upper"));

    d->reject();
    EXPECT_EQ(libraryText(), QString::fromUtf8(kLibrary));
    EXPECT_EQ(newNames(), (QStringList{"LOG.TXT", "Summer-trip.2004"}));
}

// Apply keeps the library and names the entries; OK closes. Opened from the menu and the button bar.
TEST_F(NameStructures, ApplyWritesTheLibraryAndGivesTheTargetsTheirNames)
{
    answerDialogs([&](QDialog& dialog) {
        auto& d = dynamic_cast<NameStructureDialog&>(dialog);
        d.addStructure();
        operate(d, {"txtName=Tidy; first|last", "txtStructure=<1C><NAME></1C><1C><.EXT></1C>", "cmdStructureOK"});
        EXPECT_EQ(d.selectedIndex(), 3);
        EXPECT_TRUE(d.apply());
        EXPECT_EQ(newNames(), (QStringList{"Log.Txt", "Summer-trip.2004"}));
        EXPECT_TRUE(dialog.isVisible() || dialog.result() == QDialog::Rejected);
        d.select(1);
        operate(d, {"cmdOK"});
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    ASSERT_TRUE(item(CommandId::RenameStructure)->isEnabled());
    item(CommandId::RenameStructure)->trigger();
    EXPECT_EQ(newNames(), (QStringList{"LOG.Txt", "SUMMER-TRIP.2004"}));
    StructureLibrary expected = StructureLibrary::parse(QString::fromUtf8(kLibrary));
    expected.entries.append(NamedStructure{"Tidy; first|last", "<1C><NAME></1C><1C><.EXT></1C>"});
    EXPECT_EQ(StructureLibrary::read(app.state().fs(), libraryPath()).entries, expected.entries);

    // A structure that fails its check is not applied: the editor shows it.
    ASSERT_TRUE(WriteTextFile(libraryPath(), QStringLiteral("Name;Structure;\nBroken;a>b;\n")));
    answerDialogs([&](QDialog& dialog) {
        auto& d = dynamic_cast<NameStructureDialog&>(dialog);
        app.prompter().expectButton(Prompter::Ok);
        operate(d, {"cmdOK"});
        EXPECT_TRUE(d.editing());
        EXPECT_EQ(app.prompter().asked().last().text,
                  message("msgCheckInput") + "\n\n" + app.state().message("msgErrorStructure1", {"2"}));
        EXPECT_EQ(field(d, "txtStructure")->selectedText(), QStringLiteral(">"));
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    });
    button(CommandId::Rename99)->trigger();
    EXPECT_EQ(newNames(), (QStringList{"LOG.Txt", "SUMMER-TRIP.2004"}));
}

TEST_F(NameStructures, ALibraryThatCannotBeWrittenIsReportedAndTheOldFileStays)
{
    auto fs = std::make_unique<FaultInjectingFileSystem>();
    fs->fail(FaultInjectingFileSystem::Op::WriteFile, libraryPath(), FsResult::Kind::Other);
    app.state().services.fileSystem = std::move(fs);
    const auto d = dialog();
    app.prompter().expectButton(Prompter::Yes);
    d->deleteStructure();
    app.prompter().expectButton(Prompter::Ok);
    EXPECT_TRUE(d->apply());
    ASSERT_EQ(app.prompter().asked().size(), 2);
    EXPECT_EQ(app.prompter().asked().last().text,
              app.state().message("msgFileNotWritten", {'"' + libraryPath() + '"'}));
    EXPECT_EQ(libraryText(), QString::fromUtf8(kLibrary));
    // The selected structure ran all the same, and the next Apply tries again.
    EXPECT_EQ(newNames(), (QStringList{"LOG.TXT", "SUMMER-TRIP.2004"}));
    app.prompter().expectButton(Prompter::Ok);
    EXPECT_TRUE(d->apply());
    EXPECT_EQ(app.prompter().asked().size(), 3);
}

TEST_F(NameStructures, TheCheckSaysWhatIsWrongAndOnlyAMarkerInTheExampleStillKeepsTheStructure)
{
    const auto m = [this](const char* key, const QStringList& args = {}) {
        return app.state().message(QLatin1String(key), args);
    };
    const QString check = m("msgCheckInput");
    const QString correct = m("msgCorrectSyntax");
    const struct
    {
        const char* structure;
        QString message; // empty: none
        bool kept;
    } rows[] = {
        {"<NAME", check + "\n\n" + m("msgErrorStructure2", {"<NAME"}), false},
        {"a>b", check + "\n\n" + m("msgErrorStructure1", {"2"}), false},
        {"</UC><NAME><UC>", m("msgErrorStructure4", {"<UC>", "</UC>", correct + "\n\n"}), false},
        {"<LC><NAME></LC></LC>", m("msgErrorStructure4", {"<LC>", "</LC>", correct + "\n\n"}), false},
        // Only upper and lower case pairs are checked; the example still shows the open "<1C>".
        {"<1C><NAME>", check + ' ' + correct + "\n\n" + m("msgErrorStructure3"), true},
        {"<NAME_L(x)>", check + ' ' + correct + "\n\n" + m("msgErrorStructure3"), true},
        {"<NAME>-<DT(C,yyyy)>", QString(), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.structure);
        const auto d = dialog();
        d->addStructure();
        field(*d, "txtStructure")->setText(QString::fromUtf8(row.structure));
        const qsizetype before = app.prompter().asked().size();
        if (!row.message.isEmpty())
            app.prompter().expectButton(Prompter::Ok);
        d->confirmStructure();
        EXPECT_EQ(d->editing(), !row.kept);
        EXPECT_EQ(d->library().entries.size(), row.kept ? 4 : 3);
        ASSERT_EQ(app.prompter().asked().size(), before + (row.message.isEmpty() ? 0 : 1));
        if (!row.message.isEmpty()) {
            EXPECT_EQ(app.prompter().asked().last().text, row.message);
            EXPECT_EQ(app.prompter().asked().last().icon, Prompter::Icon::Warning);
        }
    }
}

TEST_F(NameStructures, ElementsDropIntoTheStructureWhereTheyAreLetGo)
{
    const auto d = dialog();
    d->addStructure();
    d->show();
    auto* structure = field(*d, "txtStructure");
    structure->setText(QStringLiteral("ab"));
    auto* elements = d->findChild<QTreeWidget*>(QStringLiteral("lstElements"));
    auto* functions = d->findChild<QTreeWidget*>(QStringLiteral("lstFunctions"));
    ASSERT_TRUE(elements && functions);
    EXPECT_GE(elements->topLevelItemCount(), 20);
    EXPECT_GE(functions->topLevelItemCount(), 8);
    EXPECT_EQ(elements->topLevelItem(0)->text(0), QStringLiteral("<NAME>"));
    const auto drop = [&](QTreeWidget* list, int row, QPoint at) {
        std::unique_ptr<QMimeData> data(list->model()->mimeData({list->model()->index(row, 0)}));
        ASSERT_TRUE(data);
        QDropEvent event(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        // As the window system delivers it, past the drag manager that offscreen tests lack.
        static_cast<QObject*>(structure)->event(&event);
    };
    drop(elements, 0, QPoint(structure->width() - 4, structure->height() / 2));
    EXPECT_EQ(structure->text(), QStringLiteral("ab<NAME>"));
    drop(functions, 0, QPoint(1, structure->height() / 2));
    EXPECT_EQ(structure->text(), QStringLiteral("<UC></UC>ab<NAME>"));
    EXPECT_EQ(d->exampleResult(), QStringLiteral("abLOG"));

    // A double-click inserts at the cursor.
    structure->setCursorPosition(0);
    Q_EMIT functions->itemDoubleClicked(functions->topLevelItem(1), 0);
    EXPECT_EQ(structure->text(), QStringLiteral("<LC></LC><UC></UC>ab<NAME>"));
}

} // namespace
