#include "gui/settings/WidgetTranslator.h"
#include "core/settings/Language.h"
#include "core/settings/TextCodec.h"

#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

const char* const kLanguage = R"([frmTest]
Caption=Test window
lblPlain=Plain label
myTag=Tagged text
txtName=Never shown
fraBox=Group title
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
lblRows=&Rows:
lstUnlabelled=Unlabelled list
mnuKeys=&Keys
mnuGiven=&Open
mnuFree=Options
mnuDigits=7 days
mnuDoubled=Copy && paste

[frmOther]
lblElsewhere=From another section
chkOwn=Own name in another section
colOther=Other column

[Buttons]
cmdOK=&OK
cmdIcon=&Pictured
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
    template <typename W> W* add(const char* name, const char* tag = nullptr)
    {
        auto* w = new W(&m_form);
        w->setObjectName(QString::fromUtf8(name));
        if constexpr (requires { w->setText(QString()); })
            w->setText(QStringLiteral("design"));
        if (tag)
            w->setProperty("tag", QString::fromUtf8(tag));
        return w;
    }
    QAction* action(QWidget* owner, const char* key)
    {
        QAction* a = new QAction(QStringLiteral("design"), owner);
        owner->addAction(a);
        a->setObjectName(QString::fromUtf8(key));
        a->setToolTip(QStringLiteral("design tip"));
        return a;
    }
    void translate(const QString& section = QString()) { TranslateForm(m_language, &m_form, section); }

    QTemporaryDir m_dir;
    Language m_language;
    QWidget m_form;
};

TEST_F(WidgetTranslatorTest, ControlsFindTheirTextByNameOrTag)
{
    // The caption a control shows: a frame's title, a pictured button's tool tip, else its text.
    const auto caption = [](QWidget* w) {
        if (auto* frame = qobject_cast<QGroupBox*>(w))
            return frame->title();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            return button->icon().isNull() ? button->text() : button->text() + QLatin1Char('|') + button->toolTip();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        return qobject_cast<QLabel*>(w)->text();
    };
    QPushButton* pictured = add<QPushButton>("cmdIcon");
    pictured->setText(QString());
    pictured->setIcon(QIcon(QPixmap(16, 16)));
    const std::pair<QWidget*, const char*> cases[] = {
        {add<QLabel>("lblPlain"), "Plain label"},
        {add<QLabel>("lblTagged", "myTag"), "Tagged text"},
        {add<QLabel>("lblBar", "lblElsewhere|frmOther"), "From another section"},
        {add<QCheckBox>("chkOwn", "FRMOther"), "Own name in another section"},
        {add<QLabel>("lblUnknown"), "design"},
        {add<QLabel>("lblPlain2", "noSuchKey"), "design"}, // a tag replaces the name as key; no fallback
        {add<QGroupBox>("fraBox"), "Group title"},
        {add<QLineEdit>("txtName"), "design"}, // a text field keeps what it holds
        // Command buttons look in [Buttons], not at the window's own text for their name.
        {add<QPushButton>("cmdOK"), "&OK"},
        {pictured, "|Pictured"},
        {add<QPushButton>("cmdTagged", "myTag"), "Tagged text"},
        {add<QPushButton>("lblPlain"), "design"},
    };
    TranslateForm(Language(), &m_form); // no language: nothing changes
    EXPECT_EQ(m_form.windowTitle(), QStringLiteral("design title"));
    translate();
    for (const auto& [w, expected] : cases)
        EXPECT_EQ(caption(w), QString::fromUtf8(expected)) << w->objectName().toStdString();
    EXPECT_EQ(m_form.windowTitle(), QStringLiteral("Test window"));
}

TEST_F(WidgetTranslatorTest, ListsTabsAndTreeColumns)
{
    const auto combo = [&](const char* name, const QStringList& items) {
        auto* box = add<QComboBox>(name);
        box->addItems(items);
        box->setCurrentIndex(box->count() - 1);
        return box;
    };
    const auto items = [](QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts.append(box->itemText(i));
        return texts + QStringList{QString::number(box->currentIndex())};
    };
    QComboBox* kind = combo("cmbKind", {"a", "b", "c"});
    QComboBox* keep = combo("cmbKeep", {"x", "y"});
    QComboBox* empty = combo("cmbEmpty", {"z"});
    auto* list = add<QListWidget>("lstKind");
    list->addItems({"p", "q"});
    auto* tabs = add<QTabWidget>("TabStrip1");
    for (const char* page : {"tabGeneral", "tabMore", "tabNone"}) {
        tabs->addTab(new QWidget, QStringLiteral("design"));
        tabs->widget(tabs->count() - 1)->setObjectName(QLatin1String(page));
    }
    auto* tree = add<QTreeWidget>("lvwTree");
    tree->setHeaderLabels({"d0", "d1", "d2", "d3"});
    tree->setProperty("columnTags", QStringList{"colName", "", "colOther|frmOther", "colMissing", "colName"});

    translate();
    // Entries end at the first missing number; an empty first entry counts as none.
    EXPECT_EQ(items(kind), (QStringList{"First", "Second", "0"}));
    EXPECT_EQ(items(keep), (QStringList{"x", "y", "1"}));
    EXPECT_EQ(items(empty), (QStringList{"z", "0"}));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Only entry"));
    EXPECT_EQ(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
              QStringList({"General", "&More", "design"}));
    ASSERT_EQ(tree->columnCount(), 4) << "a tag beyond the last column adds none";
    EXPECT_EQ((QStringList{tree->headerItem()->text(0), tree->headerItem()->text(1), tree->headerItem()->text(2),
                           tree->headerItem()->text(3)}),
              (QStringList{"Name", "d1", "Other column", "d3"}));
}

TEST_F(WidgetTranslatorTest, ToolBarsAndDropDowns)
{
    // Tool tips fall back in four steps, drop-down items in two; the dialog bar takes padded [Buttons] texts.
    auto* bar = add<QToolBar>("tbMain");
    QAction* drop = action(bar, "Drop");
    auto* menu = new QMenu(&m_form);
    menu->setObjectName(QStringLiteral("mnuDropDown"));
    drop->setMenu(menu);
    auto* dialogBar = add<QToolBar>("btnBarDialogs");
    const std::pair<QAction*, const char*> tips[] = {{action(bar, "OpenFile"), "Open folders"},
                                                     {action(bar, "Save"), "Save all"},
                                                     {action(bar, "Print"), "Print"},
                                                     {action(bar, "Help"), "Help from buttons"},
                                                     {action(bar, "Missing"), "design tip"}};
    const std::pair<QAction*, const char*> texts[] = {{action(menu, "Drop1"), "Drop one"},
                                                      {action(menu, "Drop2"), "Drop two"},
                                                      {action(menu, "Drop3"), "design"},
                                                      {action(dialogBar, "cmdSave"), " Save "},
                                                      {action(dialogBar, "Help"), "design"}};

    translate();
    for (const auto& [a, tip] : tips)
        EXPECT_EQ(a->toolTip(), QString::fromUtf8(tip)) << a->objectName().toStdString();
    for (const auto& [a, text] : texts)
        EXPECT_EQ(a->text(), QString::fromUtf8(text)) << a->objectName().toStdString();
}

TEST_F(WidgetTranslatorTest, ControlsWithoutACaptionOfTheirOwnGetAnAccessibleName)
{
    QPushButton* pictured = add<QPushButton>("cmdIcon");
    pictured->setText(QString());
    pictured->setIcon(QIcon(QPixmap(16, 16)));
    auto* labelled = add<QListWidget>("lstRows");
    add<QLabel>("lblRows")->setBuddy(labelled);
    const std::pair<QWidget*, const char*> cases[] = {
        {pictured, "Pictured"},                                 // a picture only: its caption
        {labelled, "Rows:"},                                    // a list: its label's caption
        {add<QListWidget>("lstUnlabelled"), "Unlabelled list"}, // no label: its own text
        {add<QLineEdit>("txtName"), "Never shown"},
        {add<QLineEdit>("txtMissing"), ""}, // no text at all: left to the label Qt finds
        {add<QPushButton>("cmdOK"), ""},    // a captioned button is named by its caption
    };
    translate();
    for (const auto& [w, expected] : cases)
        EXPECT_EQ(w->accessibleName(), QString::fromUtf8(expected)) << w->objectName().toStdString();
}

TEST_F(WidgetTranslatorTest, MenuItemsWithoutAnAccessKeyGetAFreeOne)
{
    auto* menu = add<QMenu>("mnuKeys");
    const std::pair<QAction*, const char*> items[] = {
        {action(menu, "mnuGiven"), "&Open"},            // given: kept
        {action(menu, "mnuFree"), "O&ptions"},          // "o" is taken: the next free letter
        {action(menu, "mnuDigits"), "&7 days"},         // a digit serves as well
        {action(menu, "mnuDoubled"), "&Copy && paste"}, // a doubled "&" is text, not a key
        {action(menu, "mnuUntranslated"), "&design"},   // no language text: the caption it has
    };
    translate();
    EXPECT_EQ(menu->title(), QStringLiteral("&Keys"));
    for (const auto& [a, text] : items)
        EXPECT_EQ(a->text(), QString::fromUtf8(text)) << a->objectName().toStdString();
}

} // namespace
