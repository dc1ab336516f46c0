#include "app/MainWindow.h"
#include "rename/EditManDialog.h"
#include "rename/RenameDialogFactory.h"
#include "settings/SettingsStore.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The rename dialogs as a user sees them, in each language, on the platform's colours and on the default
// dialog colour: nothing may be cut off. With DIRWRIGHT_SHOTS_DIR set, screenshots are written there.
struct Look
{
    const char* language;
    bool platformColours;
};

class RenameDialogsLook : public ::testing::TestWithParam<Look>
{
protected:
    void SetUp() override
    {
        m_oldFallback = QIcon::fallbackThemeName();
        // As the program itself does on desktops without an icon theme of their own.
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    }
    void TearDown() override { QIcon::setFallbackThemeName(m_oldFallback); }

    QString shotName(const QString& what) const
    {
        return QStringLiteral("dialogs-%1-%2%3.png")
            .arg(what, QString::fromLatin1(GetParam().language),
                 GetParam().platformColours ? QStringLiteral("-platform") : QString());
    }
    static void save(QWidget& w, const QString& name)
    {
        const QString dir = qEnvironmentVariable("DIRWRIGHT_SHOTS_DIR");
        if (!dir.isEmpty()) {
            EXPECT_TRUE(w.grab().save(QDir(dir).filePath(name)));
        }
    }
    // Every caption gets at least the room it asks for.
    static void expectNothingCut(QWidget& dialog)
    {
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w))
                continue;
            EXPECT_GE(w->width(), w->minimumSizeHint().width())
                << dialog.objectName().toStdString() << ": " << w->objectName().toStdString() << " is cut off";
        }
    }

    QString m_oldFallback;
};

TEST_P(RenameDialogsLook, NothingIsCutOff)
{
    TestApp app(QString::fromLatin1(GetParam().language) + QStringLiteral(".lng"));
    AppState& state = app.state();
    if (GetParam().platformColours) {
        // What the options dialog stores when the colours are reset.
        WriteSetting(QStringLiteral("Dialogs"), QStringLiteral("BackColor"),
                     QString::number(AppState::kSystemButtonFace), state.settingsFile);
        WriteSetting(QStringLiteral("Dialogs"), QStringLiteral("ForeColor"),
                     QString::number(AppState::kSystemButtonText), state.settingsFile);
    }
    for (const char* bar : {"btnbarMain", "btnbarScript"})
        WriteSetting(QStringLiteral("Settings"), QLatin1String(bar), QStringLiteral("1"), state.settingsFile);
    const QString script = state.settingsFolder + QStringLiteral("Script/20240131153045.vls");
    QDir().mkpath(state.settingsFolder + QStringLiteral("Script"));
    WriteSetting(QStringLiteral("Main"), QStringLiteral("Name"), QStringLiteral("Holiday photos"), script);
    MainWindow window(state);
    window.loadHandler();
    for (const char* name : {"Holiday.2004", "MY TRIP.ABC", "Photos", "Summer-trip.2004"})
        window.list().append(MakeEntry(QStringLiteral("/home/user/Archive/"), QString::fromUtf8(name)));
    window.list().entries()[1].setNewName(QStringLiteral("My trip.Abc"));
    window.refreshPreview();
    const QList<QAction*> scripts = window.ui().scriptButton(QStringLiteral("RunSelectedScript"))->menu()->actions();
    ASSERT_EQ(scripts.size(), 1);
    scripts.at(0)->trigger();
    window.resize(1100, 560);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (!GetParam().platformColours)
        save(window, shotName(QStringLiteral("main")));

    const auto* applyTo = window.findChild<QComboBox*>(QStringLiteral("lstApplyTo"));
    for (int type : {3, 4, 5}) {
        const QString item = QStringLiteral("mnuRename%1").arg(type, 2, 10, QLatin1Char('0'));
        const auto dialog = CreateRenameDialog(
            type, {state, window.list(), 2, applyTo->itemText(2), window.plainCaption(item), {}, {}}, &window);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        expectNothingCut(*dialog);
        save(*dialog, shotName(dialog->objectName()));
    }
    EditManDialog edit(state, window.list(), 2, {}, &window);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    expectNothingCut(edit);
    save(edit, shotName(QStringLiteral("frmEditMan")));
}

INSTANTIATE_TEST_SUITE_P(Languages, RenameDialogsLook,
                         ::testing::Values(Look{"English", false}, Look{"Deutsch", false}, Look{"English", true},
                                           Look{"Deutsch", true}),
                         [](const ::testing::TestParamInfo<Look>& info) {
                             return std::string(info.param.language) + (info.param.platformColours ? "Platform" : "");
                         });

} // namespace
