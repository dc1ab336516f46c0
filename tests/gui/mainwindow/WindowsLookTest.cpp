// Every window as a user sees it, in each language: each caption comes from the language file (no empty
// text, no raw key) and no caption of a dialog is cut off. With DIRWRIGHT_SHOTS_DIR set, pictures of the
// windows are written there for a look.
#include "core/settings/SettingsStore.h"
#include "gui/GuiTestApp.h"
#include "gui/mainwindow/EveryDialog.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/settings/DialogChrome.h"
#include "support/PreviewFixture.h"
#include "support/TestTree.h"
#include "support/WriteTextFile.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

void expectText(const QString& text, const QString& name, const QString& where)
{
    const QString plain = QString(text).remove(QLatin1Char('&')).trimmed();
    EXPECT_FALSE(plain.isEmpty()) << where.toStdString() << ": " << name.toStdString() << " has no text";
    // A key that is a plain word ("Undo") may well be its own English text; a compound key may not.
    if (name.contains(QRegularExpression(QStringLiteral("^.+[A-Z0-9]")))) {
        EXPECT_NE(plain.compare(name, Qt::CaseInsensitive), 0) << where.toStdString() << " shows its key";
    }
    for (const char* prefix : {"mnu", "btnBar", "lstColHead", "Msg", "lbl", "opt", "chk", "cmd", "fra", "frm", "txt"})
        EXPECT_FALSE(plain.startsWith(QLatin1String(prefix))) << where.toStdString() << ": " << plain.toStdString();
}

// The title, captions, frames, buttons (a pictured one needs a tool tip, or has it as its only text), tool
// bar buttons, menus, list entries and column headers. Labels that show values are named in `values`; with
// `tips`, every other named control needs a tool tip too.
void checkTexts(QWidget& window, const QStringList& values = {}, bool tips = false)
{
    const QString form = window.objectName();
    expectText(window.windowTitle(), form, QStringLiteral("title"));
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const QString name = w->objectName();
        // Qt's own parts (the scroll arrows of a tab bar) have no texts of ours.
        if (name.startsWith(QLatin1String("qt_")) || values.contains(name) || qobject_cast<QTabBar*>(w->parentWidget()))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            // A picture has no text.
            if (label->pixmap().isNull())
                expectText(label->text(), name, form);
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            expectText(frame->title(), name, form);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !name.isEmpty()) {
            const bool pictured = !button->icon().isNull();
            expectText(pictured && button->text().isEmpty() ? button->toolTip() : button->text(), name, form);
            if (pictured)
                expectText(button->toolTip(), name, form + QStringLiteral(" tool tip"));
        } else if (auto* menu = qobject_cast<QMenu*>(w)) {
            // Drop-down menus of buttons have no name; the context menu has no title.
            if (!name.isEmpty() && name != QLatin1String("mnuPopup1"))
                expectText(menu->title(), name, form + QStringLiteral(" menu"));
            for (QAction* a : menu->actions()) {
                if (!a->isSeparator())
                    expectText(a->text(), a->objectName(), form + QStringLiteral(" menu item"));
            }
        } else if (auto* bar = qobject_cast<QToolBar*>(w)) {
            for (QAction* a : bar->actions()) {
                if (!a->isSeparator() && !a->objectName().isEmpty())
                    expectText(a->toolTip(), a->objectName(), form + QStringLiteral(" button tool tip"));
            }
        } else if (tips && !name.isEmpty()) {
            expectText(w->toolTip(), name, form + QStringLiteral(" tool tip"));
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                expectText(combo->itemText(i), name, form + QStringLiteral(" list entry"));
        } else if (auto* header = qobject_cast<QHeaderView*>(w); header && header->orientation() == Qt::Horizontal) {
            for (int c = 0; c < header->count(); ++c) {
                if (!header->isSectionHidden(c) && header->sectionSize(c) > 0)
                    expectText(header->model()->headerData(c, Qt::Horizontal).toString(), name,
                               form + QStringLiteral(" column header"));
            }
        }
    }
}

class WindowsLook : public ::testing::TestWithParam<const char*>
{
protected:
    // As the program itself does on desktops without an icon theme of their own.
    void SetUp() override { QIcon::setFallbackThemeName(QStringLiteral("Adwaita")); }
    void TearDown() override { QIcon::setFallbackThemeName(m_oldFallback); }

    // Shows a window; every caption of a dialog gets at least the room it asks for.
    void look(QWidget& window, const QString& what)
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (qobject_cast<QDialog*>(&window) && w->isVisible() &&
                (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))) {
                EXPECT_GE(w->width(), w->minimumSizeHint().width())
                    << what.toStdString() << ": " << w->objectName().toStdString() << " is cut off";
            }
        }
        const QString dir = qEnvironmentVariable("DIRWRIGHT_SHOTS_DIR");
        if (!dir.isEmpty()) {
            EXPECT_TRUE(window.grab().save(QDir(dir).filePath(what + QLatin1Char('-') + GetParam() + ".png")));
        }
    }

    const QString m_oldFallback = QIcon::fallbackThemeName();
};

TEST_P(WindowsLook, EveryCaptionIsTranslatedAndNothingIsCutOff)
{
    GuiTestApp app(QLatin1String(GetParam()) + QStringLiteral(".lng"));
    AppState& state = app.state();
    TestTree tree({"Archive/Photos 2004/", "Archive/München 1999/", "Archive/Urlaub 🏖/", "Archive/IMG_0001.jpg"});
    const QString archive = tree.key(QStringLiteral("Archive"));
    for (const char* bar : {"btnbarMain", "btnbarScript"})
        state.settings.document().setValue(QStringLiteral("Settings"), QLatin1String(bar), QStringLiteral("1"));
    state.settings.setText(Settings::Key::LastPath, archive);
    QDir().mkpath(state.settingsFolder + QStringLiteral("Script"));
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), QStringLiteral("Main"), QStringLiteral("Name"),
                             QStringLiteral("Holiday photos"),
                             state.settingsFolder + QStringLiteral("Script/20240131153045.vls")));

    MainWindow window(state, app.prompter());
    window.loadHandler();
    for (const char* name :
         {"Holiday.2004", "MY TRIP.ABC", "Photos", "Summer-trip.2004", "Track 1", "Track 2", "Track 3", "Track 4"})
        window.list().append(MakeEntry(archive, QString::fromUtf8(name)));
    window.list().setNewName(1, QStringLiteral("My trip.Abc"));
    window.refreshPreview();
    window.ui().scripts->actions().value(0)->trigger();
    window.resize(1100, 560);
    checkTexts(window);
    expectText(window.ui().lstApplyTo->toolTip(), QStringLiteral("Frameapply"), QStringLiteral("apply-to tool tip"));
    look(window, QStringLiteral("main"));

    // A dialog shown twice (in two states) gets a second picture of its own.
    QSet<QString> seen;
    ForEveryDialog(state, app.prompter(), window, archive, [&](QDialog& dialog, DialogTitle title) {
        // The manual edit shows the current name in a label of its own, the format library its preview.
        // The calendar's day cells are values too, the empty ones before the 1st included.
        QStringList values{QStringLiteral("lblCurrentName"), QStringLiteral("lblPreview")};
        for (int cell = 0; cell < 42; ++cell)
            values.append(QStringLiteral("lblCal(%1)").arg(cell));
        checkTexts(dialog, values, dialog.objectName() == QLatin1String("frmOpen"));
        // The dialogs with a fixed title take it from their section.
        if (title == DialogTitle::Fixed) {
            EXPECT_EQ(dialog.windowTitle(), state.language.GetLngText(dialog.objectName(), QStringLiteral("Caption")));
        }
        EXPECT_GE(dialog.width(), TitleBarWidth(&dialog)) << dialog.objectName().toStdString() << " cuts its title";
        const QString name = dialog.objectName();
        look(dialog, seen.contains(name) ? name + QStringLiteral("-2") : name);
        seen.insert(name);
    });

    // Every page of the options, the last with a filter open in its editor, and every step of the assistant.
    state.settings.document().setValue(QStringLiteral("Filter"), QStringLiteral("f1"),
                                       QStringLiteral("Photos|IMG_*;DSC*"));
    OptionsDialog options(state, app.prompter(), OptionsDialog::Mode::Options, &window);
    for (const OptionsDialog::Page page : {OptionsDialog::LanguagePage, OptionsDialog::GeneralPage,
                                           OptionsDialog::ColoursPage, OptionsDialog::FiltersPage}) {
        options.showPage(page);
        if (page == OptionsDialog::FiltersPage)
            options.editFilter();
        checkTexts(options);
        look(options, QStringLiteral("frmOptions-page%1").arg(int(page)));
    }
    AssistantDialog* assistant = window.assistant();
    ASSERT_NE(assistant, nullptr);
    for (const AssistantSteps::Step step :
         {AssistantSteps::OpenFolders, AssistantSteps::Rename, AssistantSteps::TakeOrReject}) {
        assistant->setStep(step);
        look(*assistant, QStringLiteral("frmAssistant-step%1").arg(int(step)));
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowsLook, ::testing::Values("English", "Deutsch"));

} // namespace
