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
        {"LastStepMissing", "[Main]\nSteps=2\n[1]\nType=5\ntxtPr=x\n",
         "The script \"%1\" is damaged: \"Steps\" is 2, but step 2 is missing."},
        {"CheckBoxNotANumber", "[Main]\nSteps=1\n[1]\nType=3\nchkAddOldFE=yes\n",
         "The script \"%1\" is damaged: in step 1, \"yes\" is not a valid value for chkAddOldFE."},
        {"CheckBoxOutOfRange", "[Main]\nSteps=1\n[1]\nType=3\nchkAddOldFE=3\n",
         "The script \"%1\" is damaged: in step 1, \"3\" is not a valid value for chkAddOldFE."},
        {"OptionButtonNotANumber", "[Main]\nSteps=2\n[1]\nType=5\n[2]\nType=4\nopt1(3)=on\n",
         "The script \"%1\" is damaged: in step 2, \"on\" is not a valid value for opt1(3)."},
        {"ListIndicesNotNumbers", "[Main]\nSteps=1\n[1]\nType=5\nlstX=1,a\n",
         "The script \"%1\" is damaged: in step 1, \"1,a\" is not a valid value for lstX."},
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

TEST_F(BatchFixture, AScriptRunsEveryStepInOrderLikeTheWindow)
{
    tree.add(QStringLiteral("P/trip.abc/"));
    tree.add(QStringLiteral("P/home/"));
    tree.add(QStringLiteral("P/home/inside/"));
    // As a script brought over from Windows: line ends "\r\n", blanks as the stand-in byte 0x90 of the
    // single-byte code page; prefix "Old - ", upper case of the base name, new extension "bak" after the old.
    const QByteArray bytes = "[Main]\r\nSteps=3\r\nName=Tidy up\r\n\r\n"
                             "[1]\r\nType=5\r\ntxtPr=Old\x90-\x90\r\n\r\n"
                             "[2]\r\nType=4\r\nopt1(3)=-1\r\nopt2(1)=-1\r\n\r\n"
                             "[3]\r\nType=3\r\noptFE(1)=-1\r\ntxtFE=.bak\r\nchkAddOldFE=1\r\n";
    const QString script = saveScriptBytes(QStringLiteral("20240131153045.vls"), bytes);
    const QStringList arguments{"--script", "20240131153045", "--subfolders", tree.path("P")};
    const QString expected = change("P/home", "OLD - HOME.bak") + change("P/trip.abc", "OLD - TRIP.abc.bak") +
                             change("P/home/inside", "OLD - INSIDE.bak");

    Result r = batch(QStringList{"--dry-run"} + arguments);
    EXPECT_EQ(r.status, Status::Done) << r.err.toStdString();
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(tree.folders(QStringLiteral("P")), QStringList({"home", "trip.abc"}));

    r = batch(arguments);
    EXPECT_EQ(r.status, Status::Done) << r.err.toStdString();
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(tree.folders(QStringLiteral("P")), QStringList({"OLD - HOME.bak", "OLD - TRIP.abc.bak"}));
    EXPECT_EQ(tree.folders(QStringLiteral("P/OLD - HOME.bak")), QStringList({"OLD - INSIDE.bak"}));
    // The run leaves the script state as it found it.
    EXPECT_FALSE(app.state().scriptRunning());
    EXPECT_EQ(app.state().scriptPath, QString());
    EXPECT_TRUE(QFile::exists(script));
}

TEST_F(BatchFixture, OnlyRegularFilesAreReadAsScriptsAndLists)
{
    tree.add(QStringLiteral("P/a/"));
    // A device is neither a script nor a list; reading one could stall or never end.
    Result r = batch({"--structure", "<NAME>x", "--list", "/dev/null", tree.path("P/a"), "--dry-run"});
    EXPECT_EQ(r.status, Status::Done);
    EXPECT_EQ(r.err, QStringLiteral("Skipped the list file \"/dev/null\": it cannot be read.\n"));
    r = batch({"--script", "/dev/zero", tree.path("P/a")});
    EXPECT_EQ(r.status, Status::CannotRun);
    EXPECT_EQ(r.err, QStringLiteral("The script \"/dev/zero\" cannot be read.\nNothing was renamed.\n"));
}

TEST_F(BatchFixture, ScriptsAndStructuresTakeTurnsInCommandLineOrder)
{
    tree.add(QStringLiteral("P/home/"));
    saveScript(QStringLiteral("prefix.vls"), QStringLiteral("[Main]\nSteps=1\n[1]\nType=5\ntxtPr=x\n"));
    const Result r = batch({"--structure", "<UC><NAME></UC>", "--script", "prefix", "--structure", "<NAME>_",
                            "--dry-run", tree.path("P/home")});
    EXPECT_EQ(r.status, Status::Done) << r.err.toStdString();
    EXPECT_EQ(r.out, change("P/home", "xHOME_"));
}

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
