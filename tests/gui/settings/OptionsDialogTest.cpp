#include "gui/settings/OptionsDialog.h"

#include "core/settings/LanguageDiscovery.h"
#include "core/settings/QtTranslations.h"
#include "core/settings/SettingsStore.h"
#include "gui/GuiTestApp.h"
#include "gui/mainwindow/CommandTable.h"
#include "gui/mainwindow/MainWindowFixture.h"
#include "gui/mainwindow/ViewController.h"
#include "gui/settings/DialogChrome.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

class OptionsDialogTest : public ::testing::Test
{
protected:
    OptionsDialogTest() { state().languageFiles = ListLanguageFiles(state().programFolder); }
    AppState& state() { return app.state(); }
    QString stored(const char* section, const char* key)
    {
        return ReadSetting(QLatin1String(section), QLatin1String(key), state().settingsFile);
    }
    template <typename W> static W* control(QDialog& dialog, const char* name)
    {
        W* w = dialog.findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void click(QDialog& dialog, const char* name) { control<QAbstractButton>(dialog, name)->click(); }
    static void tool(QDialog& dialog, const char* name)
    {
        control<QToolBar>(dialog, "TBFilter")->findChild<QAction*>(QLatin1String(name))->trigger();
    }
    QString file(const char* name) { return app.state().programFolder + QLatin1String(name); }

    GuiTestApp app;
};

TEST_F(OptionsDialogTest, ANewLanguageShowsAtOnceAndCancelTakesItBack)
{
    state().settings.setText(Settings::Key::Language, QStringLiteral("english"));
    OptionsDialog dialog(state(), app.prompter());
    auto* languages = control<QComboBox>(dialog, "cmbLngSel");
    auto* questions = control<QListWidget>(dialog, "lstSecQuest");
    ASSERT_EQ(languages->count(), 2);
    EXPECT_EQ(languages->currentText(), QStringLiteral("English"));
    dialog.chooseQuestion(2, true);
    const QString englishTitle = dialog.windowTitle();

    languages->setCurrentIndex(languages->findText(QStringLiteral("Deutsch")));
    EXPECT_EQ(dialog.windowTitle(),
              state().language.GetLngText(QStringLiteral("frmOptions"), QStringLiteral("Caption")));
    EXPECT_NE(dialog.windowTitle(), englishTitle);
    EXPECT_EQ(state().language.name(), QStringLiteral("Deutsch"));
    EXPECT_EQ(questions->item(0)->text(),
              state().language.GetLngText(QStringLiteral("frmOptions"), QStringLiteral("lstSecQuest-1")));
    EXPECT_TRUE(dialog.isQuestionChosen(2)) << "the refilled list keeps the user's choice";
    EXPECT_EQ(dialog.values().languageName, QStringLiteral("Deutsch"));

    dialog.reject();
    EXPECT_EQ(state().language.name(), QStringLiteral("English"));
    EXPECT_EQ(state().settings.text(Settings::Key::Language), QStringLiteral("english"));
    EXPECT_FALSE(QFile::exists(state().settingsFile)) << "Cancel writes nothing";
}

TEST_F(OptionsDialogTest, OkWritesEveryPageInOneWrite)
{
    OptionsDialog dialog(state(), app.prompter());
    control<QCheckBox>(dialog, "chkSaveSettings")->setChecked(true);
    control<QCheckBox>(dialog, "chkProtocolRen")->setChecked(false);
    for (int i = 0; i < 3; ++i)
        dialog.chooseQuestion(i, i != 1);
    app.prompter().expectButton(Prompter::Ok);
    control<QCheckBox>(dialog, "chkExperts")->setChecked(true);
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_EQ(app.prompter().asked().at(0).text, state().message(QStringLiteral("MsgText33")));
    EXPECT_EQ(app.prompter().asked().at(0).title, state().message(QStringLiteral("msgCapAttention")));
    EXPECT_EQ(app.prompter().asked().at(0).icon, Prompter::Icon::Warning);
    control<QCheckBox>(dialog, "chkExperts")->setChecked(false); // switching off asks nothing
    app.prompter().expectColour(QColor(10, 100, 197));
    click(dialog, "cmdSelColor(0)");
    app.prompter().expectColour(std::nullopt);
    click(dialog, "cmdSelColor(1)");
    click(dialog, "cmdOK");

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(stored("Settings", "savset"), QStringLiteral("1"));
    EXPECT_EQ(stored("Settings", "protren"), QStringLiteral("0"));
    EXPECT_EQ(stored("Settings", "secquest1") + stored("Settings", "secquest2") + stored("Settings", "secquest3"),
              QStringLiteral("101"));
    EXPECT_EQ(stored("Settings", "ExpertMode"), QStringLiteral("0"));
    EXPECT_EQ(stored("Settings", "lng"), QStringLiteral("English"));
    EXPECT_EQ(stored("Dialogs", "BackColor"), QStringLiteral("12936202")) << "10 + 256 * 100 + 65536 * 197";
    EXPECT_EQ(stored("Dialogs", "ForeColor"), QStringLiteral("0")) << "a cancelled picker keeps the colour";
}

TEST_F(OptionsDialogTest, ResetColoursStoresThePlatformReferencesAndDialogsShowThePlatformColours)
{
    OptionsDialog dialog(state(), app.prompter());
    click(dialog, "cmdReset");
    EXPECT_EQ(control<QFrame>(dialog, "picColorTest")->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Active, QPalette::Button));
    click(dialog, "cmdOK");
    EXPECT_EQ(state().settings.number(Settings::Key::BackColor), AppState::kSystemButtonFace);
    EXPECT_EQ(state().settings.number(Settings::Key::ForeColor), AppState::kSystemButtonText);
    QDialog later;
    SetDialogColours(&later, state());
    EXPECT_EQ(later.palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Active, QPalette::Button));
}

TEST_F(OptionsDialogTest, FiltersAreAddedEditedAndDeletedInTheEditor)
{
    state().settings.document().setValue(QStringLiteral("Filter"), QStringLiteral("f1"), QStringLiteral("broken"));
    state().settings.document().setValue(QStringLiteral("Filter"), QStringLiteral("f2"),
                                         QStringLiteral("Photos|IMG_*"));
    OptionsDialog dialog(state(), app.prompter());
    auto* filters = control<QComboBox>(dialog, "cmbFilters");
    ASSERT_EQ(filters->count(), 1) << "a value without \"|\" is not offered";
    EXPECT_EQ(filters->itemData(0).toString(), QStringLiteral("IMG_*"));

    // A new filter: one pattern added to the list, one still in the field when it is saved.
    dialog.addFilter();
    ASSERT_TRUE(dialog.isEditingFilter());
    EXPECT_FALSE(control<QPushButton>(dialog, "cmdOK")->isEnabled()) << "the open edit is saved or discarded first";
    EXPECT_FALSE(control<QPushButton>(dialog, "cmdFilterOK")->isEnabled()) << "no name yet";
    control<QLineEdit>(dialog, "txtFilterName")->setText(QStringLiteral("  Years  "));
    control<QLineEdit>(dialog, "txtFilterEdit")->setText(QStringLiteral("19??"));
    click(dialog, "cmdTxt2Lst");
    EXPECT_TRUE(control<QLineEdit>(dialog, "txtFilterEdit")->text().isEmpty());
    control<QLineEdit>(dialog, "txtFilterEdit")->setText(QStringLiteral("20??"));
    click(dialog, "cmdFilterOK");
    EXPECT_FALSE(dialog.isEditingFilter());
    ASSERT_EQ(filters->count(), 2);
    EXPECT_EQ(filters->currentText(), QStringLiteral("Years")) << "trimmed, and selected";
    EXPECT_EQ(filters->currentData().toString(), QStringLiteral("19??;20??"));

    // Editing: a pattern taken out of the list for editing and put back changed.
    dialog.editFilter();
    auto* patterns = control<QListWidget>(dialog, "lstFilters");
    ASSERT_EQ(patterns->count(), 2);
    patterns->setCurrentRow(0);
    click(dialog, "cmdLst2Txt");
    EXPECT_EQ(control<QLineEdit>(dialog, "txtFilterEdit")->text(), QStringLiteral("19??"));
    control<QLineEdit>(dialog, "txtFilterEdit")->setText(QStringLiteral("18??"));
    click(dialog, "cmdTxt2Lst");
    click(dialog, "cmdFilterOK");
    EXPECT_EQ(filters->currentData().toString(), QStringLiteral("20??;18??"));

    // Discarding an edit changes nothing; deleting asks, and No keeps the filter.
    dialog.editFilter();
    control<QLineEdit>(dialog, "txtFilterName")->setText(QStringLiteral("Other"));
    click(dialog, "cmdFilterCancel");
    EXPECT_EQ(filters->currentText(), QStringLiteral("Years"));
    app.prompter().expectButton(Prompter::No);
    tool(dialog, "cmdFilterDelete");
    EXPECT_EQ(filters->count(), 2);
    EXPECT_EQ(app.prompter().asked().last().text, state().message(QStringLiteral("MsgText16")));
    EXPECT_EQ(app.prompter().asked().last().defaultButton, Prompter::No);
    filters->setCurrentIndex(0);
    app.prompter().expectButton(Prompter::Yes);
    tool(dialog, "cmdFilterDelete");

    click(dialog, "cmdOK");
    EXPECT_EQ(stored("Filter", "f1"), QStringLiteral("Years|20??;18??"));
    EXPECT_TRUE(stored("Filter", "f2").isEmpty()) << "the list ends after the one filter";
}

TEST_F(OptionsDialogTest, FirstStartShowsThePreselectedLanguageAndLeavesTheWritingToTheStart)
{
    state().language.clear();
    const QStringList files{file("Deutsch.lng"), file("English.lng")};
    QString offered;
    const QString chosen = OptionsDialog::chooseAtStart(state(), app.prompter(), files, [&](QDialog& dialog) {
        auto* languages = dialog.findChild<QComboBox*>(QStringLiteral("cmbLngSel"));
        offered = languages->currentText();
        // The window speaks the language it offers.
        EXPECT_EQ(dialog.windowTitle(),
                  state().language.GetLngText(QStringLiteral("frmOptions"), QStringLiteral("Caption")));
        languages->setCurrentIndex(1);
        dialog.accept();
        return dialog.result();
    });
    EXPECT_EQ(offered, ReadSetting(QStringLiteral("Main"), QStringLiteral("lngname"),
                                   files.at(PreselectedLanguage({QStringLiteral("de"), QStringLiteral("en")},
                                                                QLocale::system().name()))));
    EXPECT_EQ(chosen, files.at(1));
    EXPECT_FALSE(QFile::exists(state().settingsFile)) << "the start writes the settings with the language";

    // Closed without a choice: no language is left behind.
    state().language.clear();
    EXPECT_TRUE(OptionsDialog::chooseAtStart(state(), app.prompter(), files, [](QDialog& dialog) {
                    dialog.reject();
                    return dialog.result();
                }).isEmpty());
    EXPECT_FALSE(state().language.isLoaded());
}

// The options change the language of the open main window at once on OK, and back again, and no control
// shows a raw key either way.
using OptionsFromTheMainWindow = MainWindowFixture;

TEST_F(OptionsFromTheMainWindow, OkTranslatesTheOpenMainWindowAndBack)
{
    app.state().languageFiles = ListLanguageFiles(app.state().programFolder);
    open();
    addEntries({"a>b"});
    const QString englishOpen = item(CommandId::OpenFolders)->text();
    const auto switchTo = [&](const char* language, bool confirm) {
        window->viewController().setDialogRunner([&](QDialog& dialog) {
            auto* languages = dialog.findChild<QComboBox*>(QStringLiteral("cmbLngSel"));
            languages->setCurrentIndex(languages->findText(QLatin1String(language)));
            if (confirm)
                dialog.accept();
            else
                dialog.reject();
            return dialog.result();
        });
        item(CommandId::Options)->trigger();
    };
    ASSERT_TRUE(item(CommandId::Options)->isEnabled());
    window->ui().lstApplyTo->setCurrentIndex(2);
    switchTo("Deutsch", false);
    EXPECT_EQ(item(CommandId::OpenFolders)->text(), englishOpen) << "Cancel keeps the window's texts";
    switchTo("Deutsch", true);
    const QString germanOpen =
        app.state().language.GetLngText(QStringLiteral("FrmMain"), QStringLiteral("mnuOpenFile"));
    EXPECT_EQ(item(CommandId::OpenFolders)->text(), germanOpen);
    EXPECT_EQ(window->ui().lstApplyTo->itemText(0), item(CommandId::RemoveAll)->text().remove(QLatin1Char('&')));
    EXPECT_EQ(window->ui().lstApplyTo->currentIndex(), 2) << "the choice of entries stays";
    EXPECT_EQ(setting("Settings", "lng"), QStringLiteral("Deutsch"));
    for (const CommandTable::Command& command : CommandTable::commands()) {
        for (QAction* a : window->ui().actions(command.id)) {
            EXPECT_FALSE(a->text().isEmpty()) << a->objectName().toStdString();
            EXPECT_FALSE(a->text().startsWith(QLatin1String("mnu"))) << a->objectName().toStdString();
        }
    }
    switchTo("English", true);
    EXPECT_EQ(item(CommandId::OpenFolders)->text(), englishOpen);
    EXPECT_EQ(setting("Settings", "lng"), QStringLiteral("English"));
}

TEST(QtTranslationsTest, GermanStandardButtonsAndBackToEnglish)
{
    ASSERT_TRUE(InstallQtTranslations(QStringLiteral("de")));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
    // Switching the language replaces the earlier translation instead of stacking a second one.
    InstallQtTranslations(QStringLiteral("en"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    EXPECT_FALSE(InstallQtTranslations(QStringLiteral("../../etc/passwd")));
    EXPECT_FALSE(InstallQtTranslations(QString()));
}

} // namespace
