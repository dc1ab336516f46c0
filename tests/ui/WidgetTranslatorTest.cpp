#include "settings/WidgetTranslator.h"
#include "settings/Language.h"
#include "settings/TextCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const char* const kLanguage = R"([frmTest]
Caption=Test window
lblPlain=Plain label
myTag=Tagged text
txtName=Never shown
fraBox=Group title
opt1(3)=Third option
cmbKind=Not a caption
cmbKind-1=First
cmbKind-2=Second
cmbKind-4=After a gap
lstKind-1=Only entry
cmbEmpty-1=
tabGeneral=General
tabMore=&More
colName=Name
OpenFile=Open &folders
tbMainSave=Save &all
mnuPrint=Print
tbMainDrop1=Drop one
MnuDrop2=Drop two
Drop1=Menu pass must not win
mnuFile=&File
mnuOpen=&Open…

[frmOther]
lblElsewhere=From another section
chkOwn=Own name in another section
colOther=Other column

[Buttons]
cmdOK=&OK
cmdIcon=&Pictured
cmdTool=Tool button
Help=Help from buttons
cmdSave=Save
)";

class WidgetTranslatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString path = m_dir.filePath(QStringLiteral("test.lng"));
        ASSERT_TRUE(TextCodec::writeFileAtomically(path, QString::fromUtf8(kLanguage)));
        ASSERT_TRUE(m_language.load(path));
        m_form.setObjectName(QStringLiteral("frmTest"));
        m_form.setWindowTitle(QStringLiteral("design title"));
    }

    template <typename W> W* add(const QString& name, const QString& tag = QString())
    {
        auto* w = new W(&m_form);
        w->setObjectName(name);
        if (!tag.isEmpty())
            w->setProperty("tag", tag);
        return w;
    }
    QLabel* label(const QString& name, const QString& tag = QString())
    {
        auto* l = add<QLabel>(name, tag);
        l->setText(QStringLiteral("design"));
        return l;
    }
    void translate(const QString& section = QString()) { TranslateForm(m_language, &m_form, section); }

    QTemporaryDir m_dir;
    Language m_language;
    QWidget m_form;
};

TEST_F(WidgetTranslatorTest, ControlsFindTheirTextByNameOrTag)
{
    QLabel* plain = label(QStringLiteral("lblPlain"));
    QLabel* tagged = label(QStringLiteral("lblTagged"), QStringLiteral("myTag"));
    QLabel* barTag = label(QStringLiteral("lblBar"), QStringLiteral("lblElsewhere|frmOther"));
    auto* own = add<QCheckBox>(QStringLiteral("chkOwn"), QStringLiteral("FRMOther"));
    QLabel* unknown = label(QStringLiteral("lblUnknown"));
    QLabel* missingTag = label(QStringLiteral("lblPlain2"), QStringLiteral("noSuchKey"));
    auto* group = add<QGroupBox>(QStringLiteral("fraBox"));
    auto* option = add<QRadioButton>(QStringLiteral("opt1(3)"));
    auto* edit = add<QLineEdit>(QStringLiteral("txtName"));
    edit->setText(QStringLiteral("typed"));

    translate();
    EXPECT_EQ(plain->text(), QStringLiteral("Plain label"));
    EXPECT_EQ(tagged->text(), QStringLiteral("Tagged text"));
    EXPECT_EQ(barTag->text(), QStringLiteral("From another section"));
    EXPECT_EQ(own->text(), QStringLiteral("Own name in another section"));
    EXPECT_EQ(unknown->text(), QStringLiteral("design"));
    EXPECT_EQ(missingTag->text(), QStringLiteral("design")) << "a tag replaces the name as key; no fallback";
    EXPECT_EQ(group->title(), QStringLiteral("Group title"));
    EXPECT_EQ(option->text(), QStringLiteral("Third option"));
    EXPECT_EQ(edit->text(), QStringLiteral("typed")) << "a control without a caption is left alone";
    EXPECT_EQ(m_form.windowTitle(), QStringLiteral("Test window"));
}

TEST_F(WidgetTranslatorTest, CommandButtonsDefaultToTheButtonsSection)
{
    auto* ok = add<QPushButton>(QStringLiteral("cmdOK"));
    ok->setText(QStringLiteral("design"));
    auto* pictured = add<QPushButton>(QStringLiteral("cmdIcon"));
    pictured->setIcon(QIcon(QPixmap(16, 16)));
    auto* tagged = add<QPushButton>(QStringLiteral("cmdTagged"), QStringLiteral("myTag"));
    auto* tool = add<QToolButton>(QStringLiteral("cmdTool"));
    // A window's own text for a command button's name is not used: buttons look in [Buttons].
    auto* plainNamed = add<QPushButton>(QStringLiteral("lblPlain"));
    plainNamed->setText(QStringLiteral("design"));

    translate();
    EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
    EXPECT_EQ(pictured->text(), QString());
    EXPECT_EQ(pictured->toolTip(), QStringLiteral("Pictured"));
    EXPECT_EQ(tagged->text(), QStringLiteral("Tagged text"));
    EXPECT_EQ(tool->text(), QStringLiteral("Tool button"));
    EXPECT_EQ(plainNamed->text(), QStringLiteral("design"));
}

TEST_F(WidgetTranslatorTest, ListsTakeNumberedEntriesOrKeepTheirOwn)
{
    auto* kind = add<QComboBox>(QStringLiteral("cmbKind"));
    kind->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    kind->setCurrentIndex(2);
    auto* keep = add<QComboBox>(QStringLiteral("cmbKeep"));
    keep->addItems({QStringLiteral("x"), QStringLiteral("y")});
    keep->setCurrentIndex(1);
    auto* empty = add<QComboBox>(QStringLiteral("cmbEmpty"));
    empty->addItem(QStringLiteral("z"));
    auto* list = add<QListWidget>(QStringLiteral("lstKind"));
    list->addItems({QStringLiteral("p"), QStringLiteral("q")});

    translate();
    ASSERT_EQ(kind->count(), 2) << "entries end at the first missing number";
    EXPECT_EQ(kind->itemText(0), QStringLiteral("First"));
    EXPECT_EQ(kind->itemText(1), QStringLiteral("Second"));
    EXPECT_EQ(kind->currentIndex(), 0);
    ASSERT_EQ(keep->count(), 2);
    EXPECT_EQ(keep->itemText(0), QStringLiteral("x"));
    EXPECT_EQ(keep->currentIndex(), 1);
    ASSERT_EQ(empty->count(), 1) << "an empty first entry counts as none";
    EXPECT_EQ(empty->itemText(0), QStringLiteral("z"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Only entry"));
    EXPECT_EQ(list->currentRow(), 0);
}

TEST_F(WidgetTranslatorTest, TabsAndListViewColumns)
{
    auto* tabs = add<QTabWidget>(QStringLiteral("TabStrip1"));
    for (const char* page : {"tabGeneral", "tabMore", "tabNone"}) {
        auto* w = new QWidget;
        w->setObjectName(QString::fromLatin1(page));
        tabs->addTab(w, QStringLiteral("design"));
    }
    auto* tree = add<QTreeWidget>(QStringLiteral("lvwTree"));
    tree->setHeaderLabels({QStringLiteral("d0"), QStringLiteral("d1"), QStringLiteral("d2"), QStringLiteral("d3")});
    const QStringList tags = {QStringLiteral("colName"), QString(), QStringLiteral("colOther|frmOther"),
                              QStringLiteral("colMissing"), QStringLiteral("colName")};
    tree->setProperty("columnTags", tags);
    auto* table = add<QTableView>(QStringLiteral("lvwTable"));
    QStandardItemModel model(0, 3);
    model.setHorizontalHeaderLabels({QStringLiteral("d0"), QStringLiteral("d1"), QStringLiteral("d2")});
    table->setModel(&model);
    table->setProperty("columnTags", tags);

    translate();
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("General"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("&More"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("design"));
    const QStringList expected = {QStringLiteral("Name"), QStringLiteral("d1"), QStringLiteral("Other column"),
                                  QStringLiteral("d3")};
    ASSERT_EQ(tree->columnCount(), 4) << "a tag beyond the last column adds none";
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(tree->headerItem()->text(c), expected.at(c)) << c;
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), expected.at(c)) << c;
    EXPECT_EQ(model.columnCount(), 3);
}

TEST_F(WidgetTranslatorTest, ToolBarToolTipsFallBackInFourStepsAndDropDownsInTwo)
{
    auto* bar = add<QToolBar>(QStringLiteral("tbMain"));
    auto action = [bar](const char* key) {
        QAction* a = bar->addAction(QStringLiteral("design"));
        a->setObjectName(QString::fromLatin1(key));
        a->setToolTip(QStringLiteral("design tip"));
        return a;
    };
    QAction* open = action("OpenFile");
    QAction* save = action("Save");
    QAction* print = action("Print");
    QAction* help = action("Help");
    QAction* missing = action("Missing");
    QAction* drop = action("Drop");
    auto* menu = new QMenu(&m_form);
    menu->setObjectName(QStringLiteral("mnuDropDown"));
    QAction* items[3];
    for (int i = 0; i < 3; ++i) {
        items[i] = menu->addAction(QStringLiteral("design"));
        items[i]->setObjectName(QStringLiteral("Drop%1").arg(i + 1));
    }
    drop->setMenu(menu);

    translate();
    EXPECT_EQ(open->toolTip(), QStringLiteral("Open folders"));
    EXPECT_EQ(save->toolTip(), QStringLiteral("Save all"));
    EXPECT_EQ(print->toolTip(), QStringLiteral("Print"));
    EXPECT_EQ(help->toolTip(), QStringLiteral("Help from buttons"));
    EXPECT_EQ(missing->toolTip(), QStringLiteral("design tip"));
    EXPECT_EQ(items[0]->text(), QStringLiteral("Drop one"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("Drop two"));
    EXPECT_EQ(items[2]->text(), QStringLiteral("design"));
}

TEST_F(WidgetTranslatorTest, DialogButtonBarTakesPaddedButtonCaptions)
{
    auto* bar = add<QToolBar>(QStringLiteral("btnBarDialogs"));
    QAction* save = bar->addAction(QStringLiteral("design"));
    save->setObjectName(QStringLiteral("cmdSave"));
    QAction* other = bar->addAction(QStringLiteral("design"));
    other->setObjectName(QStringLiteral("Help"));

    translate();
    EXPECT_EQ(save->text(), QStringLiteral(" Save "));
    EXPECT_EQ(other->text(), QStringLiteral("design")) << "only keys beginning with cmd";
}

TEST_F(WidgetTranslatorTest, MenusAndAnExplicitSection)
{
    auto* bar = add<QMenuBar>(QStringLiteral("menuBar"));
    auto* file = new QMenu(QStringLiteral("design"), bar);
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* open = file->addAction(QStringLiteral("design"));
    open->setObjectName(QStringLiteral("mnuOpen"));
    bar->addMenu(file);
    QLabel* elsewhere = label(QStringLiteral("lblElsewhere"));

    translate();
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    EXPECT_EQ(open->text(), QStringLiteral("&Open…"));
    EXPECT_EQ(elsewhere->text(), QStringLiteral("design"));

    translate(QStringLiteral("frmOther"));
    EXPECT_EQ(elsewhere->text(), QStringLiteral("From another section"));
    EXPECT_EQ(m_form.windowTitle(), QStringLiteral("Test window")) << "no Caption in the section: title kept";
}

TEST_F(WidgetTranslatorTest, NoLanguageChangesNothing)
{
    QLabel* plain = label(QStringLiteral("lblPlain"));
    Language none;
    TranslateForm(none, &m_form);
    TranslateForm(m_language, nullptr);
    EXPECT_EQ(plain->text(), QStringLiteral("design"));
    EXPECT_EQ(m_form.windowTitle(), QStringLiteral("design title"));
}

} // namespace
