#include "gui/load/OpenDialog.h"
#include "core/settings/SettingsStore.h"
#include "gui/GuiTestApp.h"
#include "support/TestTree.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>
#include <memory>

namespace {

class OpenDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store("PowerFilter", "f1", QStringLiteral("1*"));
        store("PowerFilter", "f2", QStringLiteral("0Photo*"));
    }
    void store(const char* section, const char* key, const QString& value)
    {
        m_app.state().settings.document().setValue(QLatin1String(section), QLatin1String(key), value);
    }
    QString stored(const char* section, const char* key)
    {
        return m_app.state().settings.document().value(QLatin1String(section), QLatin1String(key));
    }
    // Opens the dialog at a folder of the tree (the computer level for a null path).
    OpenDialog& open(const QString& relative = QStringLiteral("A"))
    {
        store("Settings", "lastpath", relative.isNull() ? QString() : m_tree.key(relative));
        m_dialog = std::make_unique<OpenDialog>(m_app.state(), m_app.prompter());
        m_dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        return *m_dialog;
    }
    template <typename T = QWidget> T* control(const QString& name) const
    {
        T* w = m_dialog->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QListWidget* list() const { return control<QListWidget>(QStringLiteral("lstFiles")); }
    QListWidget* filters() const { return control<QListWidget>(QStringLiteral("lstFilters")); }
    QCheckBox* box(int n) const { return control<QCheckBox>(QStringLiteral("chkOpen(%1)").arg(n)); }
    QPushButton* okButton() const { return control<QPushButton>(QStringLiteral("cmdOpen")); }
    void click(const char* button) const { control<QAbstractButton>(QLatin1String(button))->click(); }
    QString selectionText() const { return control<QLineEdit>(QStringLiteral("txtFiles"))->text(); }
    QString at(const char* relative) const { return m_tree.key(QLatin1String(relative)); }
    QStringList listed() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts.append(list()->item(i)->text());
        return texts;
    }
    QListWidgetItem* entry(const QString& text) const { return list()->findItems(text, Qt::MatchExactly).value(0); }
    GuiTestApp m_app;
    TestTree m_tree{{"A/Photos 2004/day1/", "A/photos 2005/", "A/Songs/Rock/", "A/notes.txt", "A/Photo.jpg"}};
    std::unique_ptr<OpenDialog> m_dialog;
};

TEST_F(OpenDialogTest, OpensAtTheLastFolderWithTheCheckBoxesFromTheirBits)
{
    store("frmOpen", "chkOpen", QStringLiteral("5"));
    open();
    EXPECT_EQ(control<QComboBox>(QStringLiteral("cmbDrvSel"))->currentData().toString(), at("A"));
    EXPECT_EQ(filters()->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ((QList<bool>{box(1)->isChecked(), box(2)->isChecked(), box(3)->isChecked()}),
              (QList<bool>{true, false, true}));
    // Files are listed after the folders, for orientation only: they can never be selected.
    EXPECT_EQ(listed(), (QStringList{"Photos 2004", "photos 2005", "Songs", "notes.txt", "Photo.jpg"}));
    list()->selectAll();
    EXPECT_FALSE(entry(QStringLiteral("notes.txt"))->isSelected());
    EXPECT_EQ(selectionText(), QStringLiteral("\"Photos 2004\"  \"photos 2005\"  \"Songs\""));
}

TEST_F(OpenDialogTest, SelectionDecidesBetweenChosenAndAllFolders)
{
    open();
    EXPECT_EQ(listed().size(), 3); // no files without their box
    EXPECT_FALSE(box(1)->isChecked());
    EXPECT_FALSE(okButton()->isEnabled()); // nothing chosen, "all" not checked
    entry(QStringLiteral("Songs"))->setSelected(true);
    entry(QStringLiteral("Photos 2004"))->setSelected(true);
    EXPECT_EQ(selectionText(), QStringLiteral("\"Photos 2004\"  \"Songs\""));
    list()->clearSelection();
    EXPECT_TRUE(box(1)->isChecked()); // nothing chosen now means every folder
    EXPECT_TRUE(okButton()->isEnabled());
    entry(QStringLiteral("Songs"))->setSelected(true);
    EXPECT_FALSE(box(1)->isChecked());
    box(1)->click();
    EXPECT_TRUE(selectionText().isEmpty());
    box(1)->click();
    EXPECT_FALSE(okButton()->isEnabled());
}

TEST_F(OpenDialogTest, OKTakesTheSelectionFilteredAndStoresItsSettingsCancelNothing)
{
    const auto choose = [&] {
        open();
        filters()->item(1)->setCheckState(Qt::Checked); // "Photo*" instead of "*"
        entry(QStringLiteral("photos 2005"))->setSelected(true);
        entry(QStringLiteral("Photos 2004"))->setSelected(true);
    };
    choose();
    click("cmdCancel");
    EXPECT_TRUE(m_dialog->pendingPaths().isEmpty());
    EXPECT_EQ(stored("PowerFilter", "f2"), QStringLiteral("0Photo*"));
    EXPECT_EQ(stored("frmOpen", "chkOpen"), QString());

    choose();
    okButton()->click();
    EXPECT_EQ(m_dialog->pendingPaths(), QStringList{at("A/Photos 2004")});
    EXPECT_EQ(m_dialog->filteredOut(), 1) << "photos 2005: the filter is \"Photo*\", and case counts";
    EXPECT_EQ(stored("PowerFilter", "f1") + stored("PowerFilter", "f2"), QStringLiteral("0*1Photo*"));
    EXPECT_EQ(stored("Settings", "lastpath"), at("A"));
    EXPECT_EQ(stored("frmOpen", "chkOpen"), QStringLiteral("0"));
    EXPECT_EQ(ReadSetting("frmOpen", "chkOpen", m_app.state().settingsFile), QStringLiteral("0")) << "written";
}

TEST_F(OpenDialogTest, AllFoldersWithSubfoldersLoadBreadthFirst)
{
    store("frmOpen", "chkOpen", QStringLiteral("3"));
    open();
    okButton()->click();
    EXPECT_EQ(m_dialog->pendingPaths(), (QStringList{at("A/Photos 2004"), at("A/photos 2005"), at("A/Songs"),
                                                     at("A/Photos 2004/day1"), at("A/Songs/Rock")}));
}

TEST_F(OpenDialogTest, AVolumeChosenAtTheComputerLevelLoadsNothingByItself)
{
    store("frmOpen", "chkOpen", QStringLiteral("1"));
    open(QString());
    EXPECT_FALSE(box(1)->isEnabled()); // the computer is no whole to take
    EXPECT_FALSE(control(QStringLiteral("cmdFolderUp"))->isEnabled());
    ASSERT_GT(list()->count(), 0);
    EXPECT_EQ(list()->item(0)->data(Qt::UserRole).toString(), QStringLiteral("/"));
    list()->item(0)->setSelected(true);
    okButton()->click();
    EXPECT_TRUE(m_dialog->pendingPaths().isEmpty());
}

TEST_F(OpenDialogTest, WalksWithMouseAndKeyboard)
{
    open();
    QListWidget* files = list();
    // A real double click starts with a press on the same item.
    const QPoint songs = files->visualItemRect(entry(QStringLiteral("Songs"))).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, songs);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, songs);
    EXPECT_EQ(m_dialog->currentPath(), at("A/Songs"));
    files->setFocus();
    QTest::keyClick(files, Qt::Key_Backspace);
    // Type-ahead, then Enter opens the folder rather than confirming the dialog.
    QTest::keyClicks(files, QStringLiteral("so"));
    QTest::keyClick(files, Qt::Key_Return);
    EXPECT_EQ(m_dialog->currentPath(), at("A/Songs"));
    EXPECT_TRUE(m_dialog->isVisible());

    // A typed path is gone to on Enter; one that does not exist leaves the dialog where it is.
    auto* path = control<QLineEdit>(QStringLiteral("txtPath"));
    for (const char* typed : {"A/Photos 2004", "nowhere"}) {
        path->setText(m_tree.path(QLatin1String(typed)));
        QTest::keyClick(path, Qt::Key_Return);
        EXPECT_EQ(path->text(), at("A/Photos 2004"));
    }
    EXPECT_TRUE(m_dialog->isVisible());
    // Leaving the field after typing goes there too, so what it shows is what OK takes.
    path->setFocus();
    path->selectAll();
    QTest::keyClicks(path, m_tree.path(QStringLiteral("A/Songs")));
    files->setFocus();
    EXPECT_EQ(m_dialog->currentPath(), at("A/Songs"));
}

TEST_F(OpenDialogTest, FilterListNarrowsTheFilesAndIsEditedThroughThePrompter)
{
    store("frmOpen", "chkOpen", QStringLiteral("4"));
    open();
    QListWidget* f = filters();
    entry(QStringLiteral("Songs"))->setSelected(true);
    f->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(f->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(listed().mid(3), QStringList{"Photo.jpg"});
    EXPECT_TRUE(entry(QStringLiteral("Songs"))->isSelected()); // relisting keeps the selection
    f->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(f->item(0)->checkState(), Qt::Checked);

    // Added patterns are cleaned; deleting asks.
    m_app.prompter().expectText(QStringLiteral("a:b\\c"));
    click("cmdFilterAdd");
    ASSERT_EQ(f->count(), 3);
    EXPECT_EQ(f->item(2)->text(), QStringLiteral("abc"));
    f->setCurrentRow(1);
    m_app.prompter().expectButton(Prompter::No);
    click("cmdFilterDel");
    EXPECT_EQ(f->count(), 3);
    m_app.prompter().expectButton(Prompter::Yes);
    QTest::keyClick(f, Qt::Key_Delete);
    EXPECT_EQ(f->count(), 2);
}

} // namespace
