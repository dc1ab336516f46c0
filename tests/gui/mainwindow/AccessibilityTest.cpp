// Every window can be used without a mouse and with a screen reader, in each language: each control that
// takes the focus has a name a screen reader can say, and every menu command has its own access key.
#include "gui/GuiTestApp.h"
#include "gui/mainwindow/EveryDialog.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/PreviewFixture.h"
#include "support/TestTree.h"

#include <QAccessible>
#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

QString describe(const QWidget* w)
{
    const QString name = w->objectName().isEmpty() ? QStringLiteral("(unnamed)") : w->objectName();
    return QLatin1String(w->metaObject()->className()) + QLatin1Char(' ') + name;
}

// Shows the window and fails on every visible control of it that takes the focus but has no accessible
// name. Disabled controls count too: a screen reader lists them.
void expectNamedControls(QWidget& window, const QString& what)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    int checked = 0;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window || !w->isVisible() || w->focusPolicy() == Qt::NoFocus)
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr) << what.toStdString() << ": " << describe(w).toStdString();
        ++checked;
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
            << what.toStdString() << ": " << describe(w).toStdString() << " has no accessible name";
    }
    EXPECT_GT(checked, 0) << what.toStdString() << " has no control that takes the focus";
    window.hide();
}

// The access key of a caption: the character after a single "&" ("&&" is a literal ampersand).
QChar mnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) != QLatin1Char('&'))
            return text.at(i + 1).toLower();
        ++i;
    }
    return {};
}

// Every entry of one menu (or of the menu bar) has an access key, and no two share one.
void expectUniqueMnemonics(const QList<QAction*>& actions, const QString& where)
{
    QHash<QChar, QString> taken;
    for (const QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QString text = a->text();
        const QChar key = mnemonicOf(text);
        EXPECT_FALSE(key.isNull()) << where.toStdString() << ": \"" << text.toStdString() << "\" ("
                                   << a->objectName().toStdString() << ") has no access key";
        if (key.isNull())
            continue;
        EXPECT_FALSE(taken.contains(key))
            << where.toStdString() << ": \"" << text.toStdString() << "\" and \"" << taken.value(key).toStdString()
            << "\" share the access key " << QString(key).toStdString();
        taken.insert(key, text);
        if (const QMenu* sub = a->menu())
            expectUniqueMnemonics(sub->actions(), where + QStringLiteral(" > ") + a->objectName());
    }
}

class Accessibility : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override { QIcon::setFallbackThemeName(QStringLiteral("Adwaita")); }
    void TearDown() override { QIcon::setFallbackThemeName(m_oldFallback); }

    const QString m_oldFallback = QIcon::fallbackThemeName();
};

TEST_P(Accessibility, EveryFocusableControlHasAnAccessibleName)
{
    GuiTestApp app(QLatin1String(GetParam()) + QStringLiteral(".lng"));
    AppState& state = app.state();
    TestTree tree({"Archive/Photos 2004/", "Archive/München 1999/", "Archive/IMG_0001.jpg"});
    const QString archive = tree.key(QStringLiteral("Archive"));
    for (const char* bar : {"btnbarMain", "btnbarScript"})
        state.settings.document().setValue(QStringLiteral("Settings"), QLatin1String(bar), QStringLiteral("1"));
    state.settings.setText(Settings::Key::LastPath, archive);

    MainWindow window(state, app.prompter());
    window.loadHandler();
    for (const char* name : {"Holiday.2004", "MY TRIP.ABC", "Photos", "Track 1", "Track 2"})
        window.list().append(MakeEntry(archive, QString::fromUtf8(name)));
    window.refreshPreview();
    window.resize(1100, 560);
    expectNamedControls(window, QStringLiteral("frmMain"));
    ForEveryDialog(state, app.prompter(), window, archive,
                   [](QDialog& dialog, DialogTitle) { expectNamedControls(dialog, dialog.objectName()); });
}

TEST_P(Accessibility, EveryMenuCommandHasItsOwnAccessKey)
{
    GuiTestApp app(QLatin1String(GetParam()) + QStringLiteral(".lng"));
    MainWindow window(app.state(), app.prompter());
    window.loadHandler();
    expectUniqueMnemonics(window.menuBar()->actions(), QStringLiteral("menu bar"));
    expectUniqueMnemonics(window.ui().mnuPopup1->actions(), QStringLiteral("context menu"));

    // With DIRWRIGHT_SHOTS_DIR set, a picture of each menu as it opens, with its access keys.
    const QString dir = qEnvironmentVariable("DIRWRIGHT_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    for (QAction* top : window.menuBar()->actions()) {
        QMenu* menu = top->menu();
        menu->popup(QPoint(0, 0));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        EXPECT_TRUE(menu->grab().save(
            QDir(dir).filePath(QStringLiteral("menu-%1-%2.png").arg(top->objectName(), QLatin1String(GetParam())))));
        menu->hide();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, Accessibility, ::testing::Values("English", "Deutsch"));

} // namespace
