#include "cli/RefusingPrompter.h"

#include <QColor>
#include <gtest/gtest.h>

TEST(RefusingPrompter, AnswersEveryQuestionAsClosingItWouldAndRemembersTheFirst)
{
    RefusingPrompter p;
    EXPECT_EQ(p.ask("Take the changes?", "Take changes", Prompter::Yes | Prompter::No | Prompter::Cancel,
                    Prompter::Icon::Question, Prompter::Yes),
              Prompter::Cancel);
    EXPECT_EQ(p.ask("b", "", Prompter::Yes | Prompter::No, Prompter::Icon::Question, Prompter::Yes), Prompter::No);
    EXPECT_EQ(p.ask("c", "", Prompter::Ok, Prompter::Icon::Information, Prompter::Ok), Prompter::Ok);
    EXPECT_EQ(p.askText("Name?", "Script", "x"), std::nullopt);
    EXPECT_TRUE(p.openFiles("Open", "/", "*.*|*.*", true).isEmpty() && p.browseFolder("Folder", "/").isEmpty());
    EXPECT_EQ(p.firstQuestion(), QStringLiteral("Take changes: Take the changes?"));
    p.reset();
    EXPECT_FALSE(p.wasAsked());
    EXPECT_EQ(p.pickColour(Qt::red), std::nullopt);
    EXPECT_TRUE(p.wasAsked());
}
