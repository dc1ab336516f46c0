#include "script/BatchScript.h"
#include "rename/RenameSteps.h"
#include "script/BatchFixture.h"

namespace {

using Status = BatchRun::Status;

// The first type number whose rename function this build lacks, 0 when it has them all.
int missingType()
{
    for (int type = 1; type <= 10; ++type) {
        if (!RenameSteps::available(type))
            return type;
    }
    return 0;
}

struct BadScript
{
    const char* name;
    QString text;     // the script file; null: no file at all
    QString expected; // in the message; "%1" stands for the script's path
};

void PrintTo(const BadScript& c, std::ostream* os)
{
    *os << c.name;
}

class BatchBadScriptTest : public BatchFixture, public ::testing::WithParamInterface<BadScript>
{};

TEST_P(BatchBadScriptTest, StopsWithStatusTwoBeforeAnythingIsRenamed)
{
    tree.add(QStringLiteral("P/a/"));
    const QString path = GetParam().text.isNull() ? QStringLiteral("nope") : saveScript("bad.vls", GetParam().text);
    // The structure comes first on the command line, yet nothing happens: scripts are checked beforehand.
    const Result r = batch({"--structure", "<NAME>x", "--script", path, tree.path("P/a")});
    EXPECT_EQ(r.status, Status::CannotRun);
    const QString expected = QString(GetParam().expected).replace(QStringLiteral("%1"), path);
    EXPECT_EQ(r.err, expected + QStringLiteral("\nNothing was renamed.\n"));
    EXPECT_EQ(r.out, QString());
    EXPECT_EQ(tree.folders(QStringLiteral("P")), QStringList({"a"}));
}

QList<BadScript> badScripts()
{
    QList<BadScript> cases{
        {"Missing", QString(), "There is no script \"nope\", neither as a file nor in the script folder."},
        {"NoSteps", "[Main]\nName=x\n", "\"%1\" is not a script: [Main] has no \"Steps\"."},
        {"StepsNotANumber", "[Main]\nSteps=two\n",
         "The script \"%1\" is damaged: \"Steps\" in [Main] must be a number of 0 or more, not \"two\"."},
        {"NegativeSteps", "[Main]\nSteps=-1\n",
         "The script \"%1\" is damaged: \"Steps\" in [Main] must be a number of 0 or more, not \"-1\"."},
        {"MoreStepsThanSections", "[Main]\nSteps=3\n[2]\nType=5\n",
         "The script \"%1\" is damaged: \"Steps\" is 3, but step 1 is missing."},
        {"StepWithoutType", "[Main]\nSteps=1\n[1]\ntxtPr=x\n", "The script \"%1\" is damaged: step 1 has no \"Type\"."},
        {"TypeNotANumber", "[Main]\nSteps=1\n[1]\nType=five\n",
         "The script \"%1\" is damaged: the \"Type\" of step 1 is \"five\", not a number."},
        {"UnknownType", "[Main]\nSteps=1\n[1]\nType=42\n",
         "The script \"%1\" cannot run: step 1 has the type 42, which no rename function has."},
    };
    if (const int type = missingType()) {
        cases.append({"TypeNotInThisVersion", QStringLiteral("[Main]\nSteps=1\n[1]\nType=%1\n").arg(type),
                      QStringLiteral("The script \"%1\" cannot run: step 1 has the type %2 (%3), a rename "
                                     "function that this version cannot run yet.")
                          .arg(QStringLiteral("%1"), QString::number(type), RenameSteps::formName(type))});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Table, BatchBadScriptTest, ::testing::ValuesIn(badScripts()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchFixture, AScriptIsFoundByItsFileNameInTheScriptFolder)
{
    tree.add(QStringLiteral("P/a/"));
    const QString path = saveScript(QStringLiteral("20240131153045.vls"), QStringLiteral("[Main]\nSteps=0\n"));
    for (const QString& name : {QStringLiteral("20240131153045"), QStringLiteral("20240131153045.vls"), path}) {
        const Result r = batch({"--script", name, tree.path("P/a")});
        EXPECT_EQ(r.status, Status::Done) << name.toStdString() << r.err.toStdString();
    }
    // A name with a folder in it is a path, not a name in the script folder.
    EXPECT_EQ(BatchScript::resolve(app.state(), QStringLiteral("x/20240131153045.vls")), QString());
    EXPECT_EQ(BatchScript::resolve(app.state(), QString()), QString());
}

} // namespace
