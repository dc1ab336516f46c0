#include "gui/script/DialogState.h"
#include "core/settings/IniDocument.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TextCodec.h"
#include "gui/GuiTestApp.h"

#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

// A dialog with one control of every kind the stored values know.
class Form : public QDialog
{
public:
    Form()
    {
        setObjectName(QStringLiteral("frmTest"));
        auto* group = make<QGroupBox>("fraOptions");
        for (int n = 0; n < 3; ++n)
            (option[n] = new QRadioButton(group))->setObjectName(QStringLiteral("opt1(%1)").arg(n + 1));
        option[0]->setChecked(true);
        check->setTristate(true);
        scroll->setRange(0, 50);
        spin->setRange(1, 9);
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        single->addItems({QStringLiteral("a"), QStringLiteral("b")});
        multi->setSelectionMode(QAbstractItemView::MultiSelection);
        multi->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
        make<QLabel>("lblCaption")->setText(QStringLiteral("label"));
        make<QPushButton>("cmdOK")->setText(QStringLiteral("OK"));
    }
    template <typename T> T* make(const char* name)
    {
        auto* w = new T(this);
        w->setObjectName(QLatin1String(name));
        return w;
    }

    QLineEdit* text = make<QLineEdit>("txtText");
    QPlainTextEdit* plain = make<QPlainTextEdit>("txtPlain");
    QRadioButton* option[3];
    QCheckBox* check = make<QCheckBox>("chkBox");
    QCheckBox* twoState = make<QCheckBox>("chkTwo");
    QScrollBar* scroll = make<QScrollBar>("VScrollVon");
    QSpinBox* spin = make<QSpinBox>("spnCount");
    QComboBox* combo = make<QComboBox>("cmbChoice");
    QListWidget* single = make<QListWidget>("lstSingle");
    QListWidget* multi = make<QListWidget>("lstMulti");
};

class DialogStateTest : public ::testing::Test
{
protected:
    void fill(Form& f)
    {
        f.text->setText(QStringLiteral("  two leading, double  inner, trailing "));
        f.plain->setPlainText(QStringLiteral(" plain "));
        f.option[2]->setChecked(true);
        f.check->setCheckState(Qt::PartiallyChecked);
        f.twoState->setChecked(true);
        f.scroll->setValue(42);
        f.spin->setValue(7);
        f.combo->setCurrentIndex(2);
        f.single->setCurrentRow(1);
        f.multi->item(3)->setSelected(true);
        f.multi->item(1)->setSelected(true);
    }
    IniDocument settings() { return IniDocument::load(app.state().settingsFile); }

    GuiTestApp app;
};

TEST_F(DialogStateTest, EveryKindSurvivesASaveAndARestore)
{
    Form saved;
    fill(saved);
    ASSERT_TRUE(SaveDialogState(app.state(), &saved, QStringLiteral("frmTest"), 1));

    const IniDocument doc = settings();
    const QString section = QStringLiteral("frmTest");
    EXPECT_EQ(doc.value(section, QStringLiteral("opt1(3)")), QStringLiteral("-1"));
    EXPECT_EQ(doc.value(section, QStringLiteral("chkBox")), QStringLiteral("2"));
    EXPECT_EQ(doc.value(section, QStringLiteral("chkTwo")), QStringLiteral("1"));
    EXPECT_EQ(doc.value(section, QStringLiteral("lstMulti")), QStringLiteral("1,3"));
    // Unselected options, labels and buttons leave no key; no deletion mark stays in the file.
    for (const char* key : {"opt1(1)", "opt1(2)", "lblCaption", "cmdOK", "fraOptions"})
        EXPECT_FALSE(doc.contains(section, QLatin1String(key))) << key;
    EXPECT_FALSE(TextCodec::readFile(app.state().settingsFile).contains(QStringLiteral("<<DELETE>>")));
    EXPECT_FALSE(doc.value(section, QStringLiteral("txtText")).contains(QLatin1Char(' ')));

    Form restored;
    RestoreDialogState(app.state(), &restored, section);
    const DialogValues want = ReadDialogValues(&saved);
    const DialogValues got = ReadDialogValues(&restored);
    EXPECT_EQ(got.keys(), want.keys());
    for (const QString& key : want.keys())
        EXPECT_EQ(got.raw(key), want.raw(key)) << key.toStdString();
    EXPECT_EQ(restored.text->text(), saved.text->text());
    EXPECT_EQ(restored.plain->toPlainText(), QStringLiteral(" plain "));
    EXPECT_FALSE(restored.option[0]->isChecked());

    // An empty text or list leaves no key, and restoring keeps the control's default.
    Form blank;
    ASSERT_TRUE(SaveDialogState(app.state(), &blank, section, 1));
    for (const char* key : {"txtText", "lstMulti"})
        EXPECT_FALSE(settings().contains(section, QLatin1String(key))) << key;
    blank.text->setText(QStringLiteral("default"));
    RestoreDialogState(app.state(), &blank, section);
    EXPECT_EQ(blank.text->text(), QStringLiteral("default"));
}

TEST_F(DialogStateTest, ValuesThatDoNotFitLeaveTheirControls)
{
    const char* bad[][2] = {
        {"chkBox", "x"},      {"chkTwo", "2"},     {"chkTwo", "7"},    {"VScrollVon", "51"}, {"VScrollVon", "1e3"},
        {"spnCount", "0"},    {"cmbChoice", "3"},  {"cmbChoice", "b"}, {"lstSingle", "2"},   {"lstMulti", "1,9"},
        {"lstMulti", "1,,2"}, {"lstMulti", "a,b"}, {"opt1(2)", "0"},   {"opt1(2)", "yes"},   {"txtGone", "x"},
    };
    for (const auto& [key, value] : bad) {
        Form form;
        fill(form);
        const DialogValues before = ReadDialogValues(&form);
        DialogValues stored;
        stored.set(QLatin1String(key), QLatin1String(value));
        WriteDialogValues(&form, stored);
        const DialogValues after = ReadDialogValues(&form);
        for (const QString& k : before.keys())
            EXPECT_EQ(after.raw(k), before.raw(k)) << key << "=" << value << " changed " << k.toStdString();
    }
}

} // namespace
