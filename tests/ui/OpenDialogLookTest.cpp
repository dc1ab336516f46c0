#include "load/OpenDialog.h"
#include "settings/SettingsStore.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The dialog as a user sees it, in each language: every caption and tool tip comes from the language
// file. With DIRWRIGHT_SHOTS_DIR set, screenshots are written there for a look.
struct Look
{
    const char* language;
    const char* iconTheme; // empty: whatever the platform gives
};

class OpenDialogLook : public ::testing::TestWithParam<Look>
{
protected:
    void SetUp() override
    {
        m_oldTheme = QIcon::themeName();
        m_oldPaths = QIcon::themeSearchPaths();
        if (*GetParam().iconTheme) {
            // The offscreen platform of the tests knows no icon folders of its own.
            QIcon::setThemeSearchPaths(m_oldPaths + QStringList{QStringLiteral("/usr/share/icons")});
            QIcon::setThemeName(QString::fromLatin1(GetParam().iconTheme));
        }
    }
    void TearDown() override
    {
        QIcon::setThemeName(m_oldTheme);
        QIcon::setThemeSearchPaths(m_oldPaths);
    }

    void prepare(TestApp& app, const TestTree& tree)
    {
        const QString file = app.state().settingsFile;
        const QStringList filters = {QStringLiteral("0*"), QStringLiteral("1Photo*"), QStringLiteral("1####"),
                                     QStringLiteral("0[!a-z]*"), QStringLiteral("0?ongs")};
        for (int i = 0; i < filters.size(); ++i)
            WriteSetting(QStringLiteral("PowerFilter"), QStringLiteral("f%1").arg(i + 1), filters.at(i), file);
        WriteSetting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen"), QStringLiteral("6"), file);
        WriteSetting(QStringLiteral("Settings"), QStringLiteral("lastpath"), tree.key(QStringLiteral("Archive")), file);
    }

    static void save(QWidget& w, const QString& name)
    {
        const QString dir = qEnvironmentVariable("DIRWRIGHT_SHOTS_DIR");
        if (!dir.isEmpty()) {
            EXPECT_TRUE(w.grab().save(QDir(dir).filePath(name)));
        }
    }

    QString m_oldTheme;
    QStringList m_oldPaths;
};

TEST_P(OpenDialogLook, EveryControlIsTranslated)
{
    const QString language = QString::fromLatin1(GetParam().language);
    const QString shot =
        QStringLiteral("open-%1%2").arg(language, *GetParam().iconTheme ? QStringLiteral("-themed") : QString());
    TestApp app(language + QStringLiteral(".lng"));
    TestTree tree({QStringLiteral("Archive/Photos 2004/"), QStringLiteral("Archive/Photo.Summer/"),
                   QStringLiteral("Archive/2004.backup/"), QStringLiteral("Archive/Songs/"),
                   QStringLiteral("Archive/München 1999/"), QStringLiteral("Archive/Urlaub 🏖/"),
                   QStringLiteral("Archive/IMG_0001.jpg"), QStringLiteral("Archive/Photo list.txt")});
    prepare(app, tree);
    OpenDialog dialog(app.state());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    EXPECT_EQ(dialog.windowTitle(),
              app.state().language.GetLngText(QStringLiteral("frmOpen"), QStringLiteral("Caption")));
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>();
    for (const QWidget* w : controls) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        QString caption;
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            caption = button->text().isEmpty() ? button->toolTip() : button->text();
        else if (const auto* label = qobject_cast<const QLabel*>(w))
            caption = label->text();
        else if (const auto* group = qobject_cast<const QGroupBox*>(w))
            caption = group->title();
        else
            caption = w->toolTip();
        EXPECT_FALSE(caption.isEmpty()) << name.toStdString() << " has no text in " << language.toStdString();
    }
    save(dialog, shot + QStringLiteral(".png"));

    auto* places = dialog.findChild<QComboBox*>(QStringLiteral("cmbDrvSel"));
    ASSERT_NE(places, nullptr);
    places->showPopup();
    save(*places->view()->window(), shot + QStringLiteral("-places.png"));
    places->hidePopup();

    dialog.navigate(QString());
    save(dialog, shot + QStringLiteral("-computer.png"));
}

INSTANTIATE_TEST_SUITE_P(Languages, OpenDialogLook,
                         ::testing::Values(Look{"English", ""}, Look{"Deutsch", ""}, Look{"English", "Adwaita"},
                                           Look{"Deutsch", "Adwaita"}),
                         [](const ::testing::TestParamInfo<Look>& info) {
                             return std::string(info.param.language) + (*info.param.iconTheme ? "Themed" : "");
                         });

} // namespace
