#include "load/OpenDialog.h"
#include "settings/SettingsStore.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

class OpenDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setting(QStringLiteral("PowerFilter"), QStringLiteral("f1"), QStringLiteral("1*"));
        setting(QStringLiteral("PowerFilter"), QStringLiteral("f2"), QStringLiteral("0Photo*"));
    }

    void setting(const QString& section, const QString& key, const QString& value)
    {
        WriteSetting(section, key, value, m_app.state().settingsFile);
    }
    QString setting(const QString& section, const QString& key)
    {
        return ReadSetting(section, key, m_app.state().settingsFile);
    }

    OpenDialog& open(const QString& relative = QStringLiteral("A"))
    {
        setting(QStringLiteral("Settings"), QStringLiteral("lastpath"),
                relative.isNull() ? QString() : m_tree.key(relative));
        m_dialog = std::make_unique<OpenDialog>(m_app.state());
        m_dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        return *m_dialog;
    }

    template <typename T> T* control(const char* name) const
    {
        T* w = m_dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QListWidget* list() const { return control<QListWidget>("lstFiles"); }
    QCheckBox* box(int n) const
    {
        return control<QCheckBox>(QStringLiteral("chkOpen(%1)").arg(n).toLatin1().constData());
    }
    QPushButton* okButton() const { return control<QPushButton>("cmdOpen"); }

    QStringList listed() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts.append(list()->item(i)->text());
        return texts;
    }
    QListWidgetItem* entry(const QString& text) const
    {
        const QList<QListWidgetItem*> found = list()->findItems(text, Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << text.toStdString();
        return found.value(0);
    }
    QStringList keys(const QStringList& relative) const
    {
        QStringList result;
        for (const QString& r : relative)
            result.append(m_tree.key(r));
        return result;
    }

    TestApp m_app;
    TestTree m_tree{{QStringLiteral("A/Photos 2004/day1/"), QStringLiteral("A/photos 2005/"),
                     QStringLiteral("A/Songs/"), QStringLiteral("A/Songs/Rock/"), QStringLiteral("A/notes.txt"),
                     QStringLiteral("A/Photo.jpg")}};
    std::unique_ptr<OpenDialog> m_dialog;
};

TEST_F(OpenDialogTest, OpensAtTheLastFolderTranslatedWithItsControls)
{
    OpenDialog& dialog = open();
    EXPECT_EQ(dialog.objectName(), QStringLiteral("frmOpen"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Open Folders"));
    EXPECT_EQ(control<QLineEdit>("txtPath")->text(), m_tree.key(QStringLiteral("A")));
    EXPECT_EQ(listed(),
              (QStringList{QStringLiteral("Photos 2004"), QStringLiteral("photos 2005"), QStringLiteral("Songs")}));
    EXPECT_EQ(box(2)->text(), QStringLiteral("Include all &subfolders"));
    EXPECT_FALSE(box(2)->toolTip().isEmpty());
    EXPECT_FALSE(control<QToolButton>("cmdFolderUp")->toolTip().isEmpty());
    EXPECT_EQ(control<QComboBox>("cmbDrvSel")->itemText(0), QStringLiteral("Computer"));
    EXPECT_EQ(control<QComboBox>("cmbDrvSel")->itemData(0).toString(), QStringLiteral("*AP*"));
    EXPECT_EQ(control<QComboBox>("cmbDrvSel")->currentData().toString(), m_tree.key(QStringLiteral("A")));
    const QListWidget* filters = control<QListWidget>("lstFilters");
    ASSERT_EQ(filters->count(), 2);
    EXPECT_EQ(filters->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(filters->item(1)->text(), QStringLiteral("Photo*"));
}

TEST_F(OpenDialogTest, RestoresTheCheckBoxesFromTheirBits)
{
    setting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen"), QStringLiteral("5"));
    open();
    EXPECT_TRUE(box(1)->isChecked());
    EXPECT_FALSE(box(2)->isChecked());
    EXPECT_TRUE(box(3)->isChecked());
    // Files are listed after the folders, for orientation only: they can never be selected.
    EXPECT_EQ(listed().mid(3), (QStringList{QStringLiteral("notes.txt"), QStringLiteral("Photo.jpg")}));
    list()->selectAll();
    EXPECT_FALSE(entry(QStringLiteral("notes.txt"))->isSelected());
    EXPECT_EQ(control<QLineEdit>("txtFiles")->text(), QStringLiteral("\"Photos 2004\"  \"photos 2005\"  \"Songs\""));
}

TEST_F(OpenDialogTest, SelectionDecidesBetweenChosenAndAllFolders)
{
    open();
    EXPECT_FALSE(box(1)->isChecked());
    EXPECT_FALSE(okButton()->isEnabled()); // nothing chosen, "all" not checked

    entry(QStringLiteral("Songs"))->setSelected(true);
    entry(QStringLiteral("Photos 2004"))->setSelected(true);
    EXPECT_EQ(control<QLineEdit>("txtFiles")->text(), QStringLiteral("\"Photos 2004\"  \"Songs\""));
    EXPECT_TRUE(okButton()->isEnabled());

    list()->clearSelection();
    EXPECT_TRUE(box(1)->isChecked()); // nothing chosen now means every folder
    EXPECT_TRUE(okButton()->isEnabled());

    entry(QStringLiteral("Songs"))->setSelected(true);
    EXPECT_FALSE(box(1)->isChecked());
    box(1)->click();
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    EXPECT_TRUE(control<QLineEdit>("txtFiles")->text().isEmpty());
    box(1)->click();
    EXPECT_FALSE(okButton()->isEnabled());
}

TEST_F(OpenDialogTest, TakesTheSelectionFilteredAndStoresItsSettings)
{
    open();
    control<QListWidget>("lstFilters")->item(1)->setCheckState(Qt::Checked); // "Photo*" instead of "*"
    entry(QStringLiteral("photos 2005"))->setSelected(true);
    entry(QStringLiteral("Photos 2004"))->setSelected(true);
    okButton()->click();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->pendingPaths(), keys({QStringLiteral("A/Photos 2004")}));
    EXPECT_EQ(setting(QStringLiteral("PowerFilter"), QStringLiteral("f1")), QStringLiteral("0*"));
    EXPECT_EQ(setting(QStringLiteral("PowerFilter"), QStringLiteral("f2")), QStringLiteral("1Photo*"));
    EXPECT_EQ(setting(QStringLiteral("Settings"), QStringLiteral("lastpath")), m_tree.key(QStringLiteral("A")));
    EXPECT_EQ(setting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen")), QStringLiteral("0"));
}

TEST_F(OpenDialogTest, AllFoldersWithSubfoldersLoadBreadthFirst)
{
    setting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen"), QStringLiteral("3"));
    open();
    okButton()->click();
    EXPECT_EQ(m_dialog->pendingPaths(),
              keys({QStringLiteral("A/Photos 2004"), QStringLiteral("A/photos 2005"), QStringLiteral("A/Songs"),
                    QStringLiteral("A/Photos 2004/day1"), QStringLiteral("A/Songs/Rock")}));
    EXPECT_EQ(setting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen")), QStringLiteral("3"));
}

TEST_F(OpenDialogTest, NothingPassingTheFiltersLoadsNothingAndForgetsTheFolder)
{
    setting(QStringLiteral("PowerFilter"), QStringLiteral("f1"), QString());
    setting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen"), QStringLiteral("1"));
    open();
    EXPECT_EQ(control<QListWidget>("lstFilters")->count(), 0);
    okButton()->click();
    EXPECT_TRUE(m_dialog->pendingPaths().isEmpty());
    EXPECT_EQ(setting(QStringLiteral("Settings"), QStringLiteral("lastpath")), QString());
    EXPECT_EQ(setting(QStringLiteral("PowerFilter"), QStringLiteral("f1")), QString());
}

TEST_F(OpenDialogTest, CancelStoresNothing)
{
    open();
    entry(QStringLiteral("Songs"))->setSelected(true);
    box(2)->click();
    control<QListWidget>("lstFilters")->item(1)->setCheckState(Qt::Checked);
    control<QPushButton>("cmdCancel")->click();
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(m_dialog->pendingPaths().isEmpty());
    EXPECT_EQ(setting(QStringLiteral("PowerFilter"), QStringLiteral("f2")), QStringLiteral("0Photo*"));
    EXPECT_EQ(setting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen")), QString());
}

TEST_F(OpenDialogTest, WalksWithMouseKeyboardAndDropDown)
{
    open();
    QListWidget* files = list();
    // A real double click starts with a press on the same item.
    const QPoint songs = files->visualItemRect(entry(QStringLiteral("Songs"))).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, songs);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, songs);
    EXPECT_EQ(m_dialog->currentPath(), m_tree.key(QStringLiteral("A/Songs")));
    EXPECT_EQ(listed(), QStringList{QStringLiteral("Rock")});

    files->setFocus();
    QTest::keyClick(files, Qt::Key_Backspace);
    EXPECT_EQ(m_dialog->currentPath(), m_tree.key(QStringLiteral("A")));

    // Type-ahead, then Enter opens the folder rather than confirming the dialog.
    QTest::keyClicks(files, QStringLiteral("so"));
    EXPECT_EQ(files->currentItem()->text(), QStringLiteral("Songs"));
    QTest::keyClick(files, Qt::Key_Return);
    EXPECT_EQ(m_dialog->currentPath(), m_tree.key(QStringLiteral("A/Songs")));
    EXPECT_TRUE(m_dialog->isVisible());

    control<QToolButton>("cmdFolderUp")->click();
    EXPECT_EQ(m_dialog->currentPath(), m_tree.key(QStringLiteral("A")));

    // A typed path is gone to on Enter; one that does not exist leaves the dialog where it is.
    QLineEdit* path = control<QLineEdit>("txtPath");
    path->setText(m_tree.path(QStringLiteral("A/Photos 2004")));
    QTest::keyClick(path, Qt::Key_Return);
    EXPECT_EQ(m_dialog->currentPath(), m_tree.key(QStringLiteral("A/Photos 2004")));
    path->setText(m_tree.path(QStringLiteral("nowhere")));
    QTest::keyClick(path, Qt::Key_Enter);
    EXPECT_EQ(m_dialog->currentPath(), m_tree.key(QStringLiteral("A/Photos 2004")));
    EXPECT_EQ(path->text(), m_tree.key(QStringLiteral("A/Photos 2004")));
    EXPECT_TRUE(m_dialog->isVisible());
    // Leaving the field after typing goes there too, so what it shows is what OK takes.
    path->setFocus();
    path->selectAll();
    QTest::keyClicks(path, m_tree.path(QStringLiteral("A/Songs")));
    files->setFocus();
    EXPECT_EQ(m_dialog->currentPath(), m_tree.key(QStringLiteral("A/Songs")));

    // The drop-down holds the path's folders; choosing one goes there.
    QComboBox* places = control<QComboBox>("cmbDrvSel");
    const int aIndex = places->findData(m_tree.key(QStringLiteral("A")));
    ASSERT_GT(aIndex, 0);
    places->setCurrentIndex(aIndex);
    Q_EMIT places->activated(aIndex);
    EXPECT_EQ(m_dialog->currentPath(), m_tree.key(QStringLiteral("A")));
    Q_EMIT places->activated(0);
    EXPECT_EQ(m_dialog->currentPath(), QString());
}

TEST_F(OpenDialogTest, AVolumeChosenAtTheComputerLevelLoadsNothingByItself)
{
    setting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen"), QStringLiteral("1"));
    open(QString());
    EXPECT_EQ(m_dialog->currentPath(), QString());
    EXPECT_FALSE(box(1)->isEnabled()); // the computer cannot be taken as a whole
    EXPECT_FALSE(okButton()->isEnabled());
    EXPECT_FALSE(control<QToolButton>("cmdFolderUp")->isEnabled());
    ASSERT_GT(list()->count(), 0);
    EXPECT_EQ(list()->item(0)->data(Qt::UserRole).toString(), QStringLiteral("/"));
    list()->item(0)->setSelected(true);
    okButton()->click();
    EXPECT_TRUE(m_dialog->pendingPaths().isEmpty());
}

TEST_F(OpenDialogTest, EditsTheFilterListThroughThePrompter)
{
    open();
    QListWidget* filters = control<QListWidget>("lstFilters");
    m_app.prompter().expectText(QStringLiteral("a:b\\c"));
    control<QToolButton>("cmdFilterAdd")->click();
    ASSERT_EQ(filters->count(), 3);
    EXPECT_EQ(filters->item(2)->text(), QStringLiteral("abc"));
    EXPECT_EQ(filters->item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(filters->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(m_app.prompter().asked().last().text, QStringLiteral("Filter:"));

    m_app.prompter().expectText(QStringLiteral("|"));
    control<QToolButton>("cmdFilterAdd")->click();
    EXPECT_EQ(filters->count(), 3); // nothing left after cleaning: nothing added

    filters->setCurrentRow(1);
    m_app.prompter().expectText(QStringLiteral("Photo?"));
    control<QToolButton>("cmdFilterEdit")->click();
    EXPECT_EQ(filters->item(1)->text(), QStringLiteral("Photo?"));
    EXPECT_EQ(filters->item(1)->checkState(), Qt::Checked);

    m_app.prompter().expectButton(Prompter::No);
    control<QToolButton>("cmdFilterDel")->click();
    EXPECT_EQ(filters->count(), 3);
    m_app.prompter().expectButton(Prompter::Yes);
    control<QToolButton>("cmdFilterDel")->click();
    EXPECT_EQ(filters->count(), 2);
    EXPECT_EQ(m_app.prompter().asked().last().text, m_app.state().message(QStringLiteral("MsgText16")));
    filters->setCurrentRow(1);
    m_app.prompter().expectButton(Prompter::Yes);
    QTest::keyClick(filters, Qt::Key_Delete);
    ASSERT_EQ(filters->count(), 1);
    EXPECT_EQ(filters->item(0)->checkState(), Qt::Checked); // the last one in use is gone: the first is back
}

TEST_F(OpenDialogTest, FilterChecksFollowTheRulesAndNarrowTheFiles)
{
    setting(QStringLiteral("frmOpen"), QStringLiteral("chkOpen"), QStringLiteral("4"));
    open();
    entry(QStringLiteral("Songs"))->setSelected(true);
    QListWidget* filters = control<QListWidget>("lstFilters");
    filters->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(filters->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(listed().mid(3), QStringList{QStringLiteral("Photo.jpg")});
    EXPECT_TRUE(entry(QStringLiteral("Songs"))->isSelected()); // relisting keeps the selection
    filters->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(filters->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(listed().size(), 5);
}

} // namespace
