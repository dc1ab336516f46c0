#include "gui/mainwindow/AssistantDialog.h"
#include "gui/mainwindow/MainWindowFixture.h"

namespace {

using Assistant = MainWindowFixture;

QAbstractButton* control(QDialog& dialog, const char* name)
{
    return dialog.findChild<QAbstractButton*>(QLatin1String(name));
}

TEST_F(Assistant, LeadsFromOpeningThroughRenamingToTakingOrRejecting)
{
    open();
    AssistantDialog* assistant = window->assistant();
    ASSERT_NE(assistant, nullptr) << "shown at start when stored as visible (the default)";
    EXPECT_TRUE(assistant->isVisible());
    EXPECT_TRUE(item(CommandId::ShowAssistant)->isChecked());
    EXPECT_EQ(assistant->step(), AssistantSteps::OpenFolders) << "the list is empty";
    QAbstractButton* next = control(*assistant, "cmdNext");
    EXPECT_FALSE(next->isEnabled());
    addEntries({"a", "b"});
    EXPECT_TRUE(next->isEnabled()) << "follows the list";
    next->click();
    ASSERT_EQ(assistant->step(), AssistantSteps::Rename);
    EXPECT_FALSE(next->isEnabled()) << "nothing proposed yet";

    QAbstractButton* ok = control(*assistant, "cmdOK");
    struct Row
    {
        const char* name;
        int action;
        bool usable;
    };
    const Row rows[] = {
        {"undo without a proposal", 11, false},
        {"take or reject without changes", AssistantSteps::kTakeOrRejectAction, false},
        {"prefix and suffix", 5, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        assistant->chooseAction(row.action);
        EXPECT_EQ(ok->isEnabled(), row.usable);
    }
    answerDialogs([](QDialog& d) { operate(d, {"txtPr=x_", "cmdOK"}); });
    ok->click();
    EXPECT_EQ(newNames(), (QStringList{"x_a", "x_b"}));
    EXPECT_TRUE(next->isEnabled());

    assistant->chooseAction(AssistantSteps::kTakeOrRejectAction);
    ok->click();
    ASSERT_EQ(assistant->step(), AssistantSteps::TakeOrReject);
    QAbstractButton* reject = control(*assistant, "lblRejectChanges");
    EXPECT_TRUE(reject->isEnabled());
    reject->click();
    EXPECT_EQ(newNames(), (QStringList{"a", "b"}));
    for (const char* name : {"lblTakeChanges", "imgTakeChanges", "lblRejectChanges", "imgRejectChanges"})
        EXPECT_FALSE(control(*assistant, name)->isEnabled()) << name;
    control(*assistant, "cmdBack")->click();
    EXPECT_EQ(assistant->step(), AssistantSteps::Rename);
}

TEST_F(Assistant, ClosingItClearsTheMarkAndTheMarkIsStoredAtExit)
{
    open();
    AssistantDialog* assistant = window->assistant();
    ASSERT_NE(assistant, nullptr);
    assistant->move(300, 200);
    assistant->close(); // the user closes it
    EXPECT_FALSE(item(CommandId::ShowAssistant)->isChecked());
    EXPECT_NE(app.state().settings.number(Settings::Key::AssistantLeft), -1);
    window->closeRequest();
    EXPECT_EQ(setting("Assistant", "Visible"), QStringLiteral("0"));
    EXPECT_EQ(setting("Assistant", "Left").toInt(), app.state().settings.number(Settings::Key::AssistantLeft));

    // The next start leaves it hidden; the menu shows it again where it was.
    window.reset();
    open();
    EXPECT_EQ(window->assistant(), nullptr);
    EXPECT_FALSE(item(CommandId::ShowAssistant)->isChecked());
    item(CommandId::ShowAssistant)->trigger();
    ASSERT_NE(window->assistant(), nullptr);
    EXPECT_TRUE(window->assistant()->isVisible());
    EXPECT_EQ(window->assistant()->pos(), QPoint(300, 200));
}

} // namespace
