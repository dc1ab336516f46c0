#include "gui/mainwindow/MainWindowFixture.h"

#include "core/script/ScriptStore.h"
#include "core/settings/IniDocument.h"
#include "gui/settings/DateTimeFormatDialog.h"

#include <QTest>

namespace {

using NumberAndDateDialogs = MainWindowFixture;

template <typename W> W* control(QDialog& d, const char* name)
{
    W* w = d.findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST_F(NumberAndDateDialogs, NumberFieldsFollowTheTypingRulesAndStayInStep)
{
    open();
    addEntries({"a", "b", "c"});
    answerDialogs([](QDialog& d) {
        auto* start = control<QLineEdit>(d, "txtInit");
        auto* shown = control<QLineEdit>(d, "txtInitFormat");
        auto* increment = control<QLineEdit>(d, "txtInc");
        auto* system = control<QComboBox>(d, "cmbNumberWith");
        EXPECT_TRUE(shown->isHidden()); // decimal shows no second field
        start->clear();
        QTest::keyClicks(start, "2x5");
        EXPECT_EQ(start->text(), "25");
        QTest::keyClicks(start, "-");
        EXPECT_EQ(start->text(), "-25"); // "-" toggles the sign
        system->setCurrentIndex(1);
        EXPECT_FALSE(shown->isHidden());
        EXPECT_EQ(start->text(), "25"); // no negative start outside decimal
        EXPECT_EQ(shown->text(), "19");
        QTest::keyClicks(start, "5");
        EXPECT_EQ(shown->text(), "FF");
        QTest::keyClicks(shown, "g1");
        EXPECT_EQ(shown->text(), "FF1");
        EXPECT_EQ(start->text(), "4081");
        system->setCurrentIndex(2);
        EXPECT_EQ(shown->text(), "EZY");
        shown->clear();
        QTest::keyClicks(shown, "ab");
        EXPECT_EQ(shown->text(), "AB"); // upper-cased as typed
        EXPECT_EQ(start->text(), "28");
        increment->selectAll();
        QTest::keyClicks(increment, "-");
        EXPECT_EQ(increment->text(), "-"); // a selected text becomes the sign alone
        QTest::keyClicks(increment, "2");
        EXPECT_EQ(increment->text(), "-2");
        control<QComboBox>(d, "cmbAnz")->setCurrentIndex(3);
        // Leaving a field tidies it: empty is 1, a "-" counts only in front.
        const auto leave = [](QLineEdit* field, const char* text) {
            field->setText(QLatin1String(text));
            QFocusEvent out(QEvent::FocusOut);
            QApplication::sendEvent(field, &out);
            return field->text();
        };
        EXPECT_EQ(leave(increment, ""), "1");
        EXPECT_EQ(leave(increment, "-2-"), "-2");
        operate(d, {"cmdOK"});
    });
    item(CommandId::Rename01)->trigger();
    EXPECT_EQ(newNames(), (QStringList{" ABa", "  Zb", "  Xc"}));
}

TEST_F(NumberAndDateDialogs, ALoneMinusOrNumbersBeyond32BitsAreRefusedAndNothingIsRecorded)
{
    open();
    addEntries({"a", "b"});
    item(CommandId::StartRecording)->trigger();
    const QString scratch = ScriptStore::scratchPath(app.state());
    for (const auto& [start, increment, key] :
         {std::tuple("-", "1", "msgNumberNotNumber"), std::tuple("2147483647", "1", "msgNumberRange")}) {
        SCOPED_TRACE(start);
        app.prompter().expectButton(Prompter::Ok);
        bool stayedOpen = false;
        answerDialogs([&, start = start, increment = increment](QDialog& d) {
            control<QLineEdit>(d, "txtInit")->setText(QLatin1String(start));
            control<QLineEdit>(d, "txtInc")->setText(QLatin1String(increment));
            operate(d, {"cmdOK"});
            stayedOpen = d.result() != QDialog::Accepted;
            operate(d, {"cmdCancel"});
        });
        item(CommandId::Rename01)->trigger();
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(app.prompter().asked().last().text, message(key));
        EXPECT_EQ(newNames(), (QStringList{"a", "b"}));
        EXPECT_EQ(IniDocument::load(scratch).value(QStringLiteral("Main"), QStringLiteral("Steps")), "0");
    }
}

TEST_F(NumberAndDateDialogs, DateDialogAppliesItsFormatAndSavesTheUsersFormats)
{
    open();
    addEntries({"Trip.old"});
    app.state().dateTimeFormats.userFormats() = {QStringLiteral("'Day' d")};
    answerDialogs([](QDialog& d) {
        EXPECT_EQ(control<QLineEdit>(d, "txtFormat")->text(), "yyyy-mm-dd"); // the default when empty
        EXPECT_EQ(control<QComboBox>(d, "cmbType")->count(), 5);
        EXPECT_FALSE(control<QComboBox>(d, "cmbIChr")->isEnabled());
        operate(d, {"chkIChr"});
        control<QComboBox>(d, "cmbIChr")->setCurrentIndex(4);
        operate(d, {"txtFormat=yymmdd hhnn", "cmdOK"});
    });
    item(CommandId::Rename09)->trigger();
    EXPECT_EQ(newNames(), QStringList{"240131 1530_Trip.old"});
    EXPECT_EQ(setting("DTFormats", "f1"), QStringLiteral("'Day' d"));
}

TEST_F(NumberAndDateDialogs, FormatLibraryPicksAndEditsTheUsersList)
{
    open();
    QStringList& user = app.state().dateTimeFormats.userFormats();
    user = {QStringLiteral("yyyy"), QStringLiteral("dd mm")};
    DateTimeFormatDialog d(app.state(), app.prompter(), DateTimeFormatDialog::typeItems(app.state()), 0,
                           QStringLiteral("yymmdd"), window.get());
    auto* list = control<QListWidget>(d, "lstFormat");
    auto* add = control<QPushButton>(d, "cmdAdd");
    EXPECT_TRUE(add->isHidden()); // built-in lists cannot be edited
    EXPECT_EQ(d.format(), "yymmdd");
    EXPECT_EQ(list->currentItem()->text(), "yymmdd");
    control<QComboBox>(d, "cmbType")->setCurrentIndex(DateTimeFormats::User);
    EXPECT_FALSE(add->isHidden());
    EXPECT_EQ(list->count(), 2);

    auto* field = control<QLineEdit>(d, "txtFormat");
    auto* confirm = control<QPushButton>(d, "cmdEditOK");
    auto* area = control<QGroupBox>(d, "fraEdit");
    operate(d, {"cmdAdd"});
    EXPECT_FALSE(area->isHidden());
    EXPECT_FALSE(confirm->isEnabled());
    QTest::keyClicks(field, "hh:nn/ ");
    EXPECT_EQ(field->text(), "hhnn "); // forbidden characters are not typed
    EXPECT_EQ(control<QLabel>(d, "lblPreview")->text(), "1530 ");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_TRUE(area->isHidden());
    EXPECT_EQ(user, (QStringList{"yyyy", "dd mm"}));

    operate(d, {"cmdAdd"});
    QTest::keyClicks(field, "yyyy");
    QTest::keyClick(field, Qt::Key_Return); // an existing text moves to the end
    EXPECT_EQ(user, (QStringList{"dd mm", "yyyy"}));
    EXPECT_EQ(list->currentRow(), 1);
    list->setCurrentRow(0);
    operate(d, {"cmdEdit"});
    EXPECT_EQ(field->text(), "dd mm");
    field->setText(QStringLiteral("yyyy"));
    operate(d, {"cmdEditOK"}); // edited into another entry: one entry of that text
    EXPECT_EQ(user, QStringList{"yyyy"});
    app.prompter().expectButton(Prompter::No);
    operate(d, {"cmdDelete"});
    EXPECT_EQ(user, QStringList{"yyyy"});
    app.prompter().expectButton(Prompter::Yes);
    operate(d, {"cmdDelete"});
    EXPECT_TRUE(user.isEmpty());
    EXPECT_EQ(app.prompter().asked().last().text, message("MsgText29"));
    field->clear();
    operate(d, {"cmdAdd"});
    QTest::keyClicks(field, "   ");
    QTest::keyClick(field, Qt::Key_Return); // blank formats cannot be confirmed
    EXPECT_TRUE(user.isEmpty());
    EXPECT_EQ(d.type(), DateTimeFormats::User);
}

} // namespace

namespace {

TEST_F(NumberAndDateDialogs, RememberedNumberingComesBackInItsNumberSystem)
{
    open();
    addEntries({"a"});
    app.state().settings.setFlag(Settings::Key::SaveDialogSettings, true);
    answerDialogs([](QDialog& d) {
        control<QComboBox>(d, "cmbNumberWith")->setCurrentIndex(3);
        operate(d, {"txtInit=-28", "optSuffix", "cmdOK"});
    });
    item(CommandId::Rename01)->trigger();
    EXPECT_EQ(newNames(), QStringList{"aab"});
    EXPECT_EQ(setting("frmNumber", "txtInit"), "28"); // stored as it ran: no sign outside decimal
    answerDialogs([](QDialog& d) {
        EXPECT_EQ(control<QComboBox>(d, "cmbNumberWith")->currentIndex(), 3);
        EXPECT_FALSE(control<QLineEdit>(d, "txtInitFormat")->isHidden());
        EXPECT_EQ(control<QLineEdit>(d, "txtInitFormat")->text(), "ab");
        EXPECT_TRUE(control<QRadioButton>(d, "optSuffix")->isChecked());
        operate(d, {"cmdCancel"});
    });
    item(CommandId::Rename01)->trigger();
}

} // namespace
