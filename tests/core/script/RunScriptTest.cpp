#include "core/script/RunScript.h"
#include "support/TestApp.h"
#include "support/WriteTextFile.h"

#include <gtest/gtest.h>

namespace {

class RunScriptTest : public ::testing::Test
{
protected:
    // Writes a script and reads it as the window does.
    bool load(const QString& text)
    {
        const QString path = app.settingsPath(QStringLiteral("test.vls"));
        EXPECT_TRUE(WriteTextFile(path, text));
        return script.load(app.state(), path, BatchScript::Use::Window);
    }
    // Runs the loaded script; each opened step is noted, and answered by `answer`.
    ScriptRunReport run(int mode, const std::function<StepEnd(int step)>& answer,
                        const std::function<bool(int done)>& proceed = {})
    {
        ScriptRunHooks hooks;
        hooks.openStep = [&](const BatchScript::Step& step) {
            opened.append(step.number);
            return answer(step.number);
        };
        if (proceed)
            hooks.proceed = [&](int done, int) { return proceed(done); };
        return RunScript(script, mode, hooks);
    }
    static StepEnd applied(int) { return StepEnd::Applied; }

    TestApp app;
    BatchScript script;
    QList<int> opened;
};

const char* kThreeSteps = "[Main]\nSteps=3\n[1]\nType=5\n[2]\nType=4\n[3]\nType=10\n";

TEST_F(RunScriptTest, NoStepsOpensNothing)
{
    ASSERT_TRUE(load("[Main]\nSteps=0\n"));
    const ScriptRunReport report = run(1, &applied);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(report.end, ScriptRunReport::End::Completed);
}

TEST_F(RunScriptTest, EveryStepOpensInOrderAndTrimIsOneOfThem)
{
    ASSERT_TRUE(load(kThreeSteps));
    const ScriptRunReport report = run(1, &applied);
    EXPECT_EQ(opened, (QList<int>{1, 2, 3}));
    EXPECT_EQ(script.steps().last().type, 10);
    EXPECT_EQ(report.applied, 3);
}

TEST_F(RunScriptTest, CancellingAStepInSingleStepsGoesOnWithTheNext)
{
    ASSERT_TRUE(load(kThreeSteps));
    const ScriptRunReport report = run(2, [](int step) { return step == 2 ? StepEnd::Cancelled : StepEnd::Applied; });
    EXPECT_EQ(opened, (QList<int>{1, 2, 3}));
    EXPECT_EQ(report.applied, 2);
    EXPECT_EQ(report.skipped, 1);
    EXPECT_EQ(report.end, ScriptRunReport::End::Completed);
}

TEST_F(RunScriptTest, ARefusedStepStopsRunAllButNotSingleSteps)
{
    ASSERT_TRUE(load(kThreeSteps));
    const auto refuseSecond = [](int step) { return step == 2 ? StepEnd::Refused : StepEnd::Applied; };
    ScriptRunReport report = run(1, refuseSecond);
    EXPECT_EQ(opened, (QList<int>{1, 2}));
    EXPECT_EQ(report.end, ScriptRunReport::End::Stopped);
    EXPECT_EQ(report.lastStep, 2);
    opened.clear();
    report = run(2, refuseSecond);
    EXPECT_EQ(opened, (QList<int>{1, 2, 3}));
    EXPECT_EQ(report.end, ScriptRunReport::End::Completed);
}

TEST_F(RunScriptTest, CancelBetweenStepsEndsTheRun)
{
    ASSERT_TRUE(load(kThreeSteps));
    const ScriptRunReport report = run(1, &applied, [](int done) { return done < 1; });
    EXPECT_EQ(opened, (QList<int>{1}));
    EXPECT_EQ(report.end, ScriptRunReport::End::Cancelled);
    EXPECT_EQ(report.lastStep, 2);
}

TEST_F(RunScriptTest, NoRunModeRunsNothing)
{
    ASSERT_TRUE(load(kThreeSteps));
    run(0, &applied);
    EXPECT_TRUE(opened.isEmpty());
}

// What the window skips and what it refuses before anything runs.
TEST_F(RunScriptTest, TheWindowSkipsGapsAndRefusesWhatIsNoScript)
{
    struct Row
    {
        const char* name;
        const char* text;
        const char* problem; // empty: the script runs these steps
        QList<int> steps;
    };
    const Row rows[] = {
        {"missing section skipped", "[Main]\nSteps=3\n[1]\nType=5\n[3]\nType=4\n", "", {1, 3}},
        {"missing type skipped", "[Main]\nSteps=2\n[1]\ntxtPr=x\n[2]\nType=4\n", "", {2}},
        {"unknown type left to the window", "[Main]\nSteps=1\n[1]\nType=42\n", "", {1}},
        {"sections beyond the count ignored", "[Main]\nSteps=1\n[1]\nType=5\n[2]\nType=4\n", "", {1}},
        {"garbage", "\x01\x02 not an ini file at all\n", "ScriptNoSteps", {}},
        {"steps not a number", "[Main]\nSteps=many\n", "ScriptBadSteps", {}},
        {"negative steps", "[Main]\nSteps=-2\n", "ScriptBadSteps", {}},
        {"huge steps", "[Main]\nSteps=2147483647\n[1]\nType=5\n", "ScriptStepMissing", {}},
        {"steps without sections", "[Main]\nSteps=2\n", "ScriptStepMissing", {}},
        {"negative type", "[Main]\nSteps=1\n[1]\nType=-3\n", "ScriptUnknownType", {}},
        {"type not a number", "[Main]\nSteps=1\n[1]\nType=five\n", "ScriptBadType", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool loaded = load(QString::fromUtf8(row.text));
        EXPECT_EQ(loaded, *row.problem == 0);
        EXPECT_EQ(script.problem().key, QLatin1String(row.problem));
        QList<int> steps;
        for (const BatchScript::Step& step : script.steps())
            steps.append(step.number);
        EXPECT_EQ(steps, row.steps);
    }
}

} // namespace
