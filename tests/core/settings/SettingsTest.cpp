#include "core/settings/Settings.h"

#include "core/settings/TextCodec.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/TestTree.h"
#include "support/WriteTextFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using K = Settings::Key;

TEST(SettingsTest, TypedKeysReadTheirStoredValueOrTheirDefault)
{
    struct Row
    {
        const char* name;
        const char* stored; // nullptr: the key is missing
        K key;
        int number;
        bool flag;
    };
    const Row rows[] = {
        {"missing flag is off", nullptr, K::SaveDialogSettings, 0, false},
        {"flag on", "1", K::SaveDialogSettings, 1, true},
        {"other flag value keeps the default", "7", K::ProtocolRenames, 7, false},
        {"missing flag that defaults to on", nullptr, K::AssistantVisible, 1, true},
        {"flag that defaults to on, off", "0", K::AssistantVisible, 0, false},
        {"missing colour", nullptr, K::BackColor, Settings::kDefaultBackColor, false},
        {"empty number", "", K::Column3, -1, false},
        {"leading digits count", " 42abc", K::Column3, 42, false},
        {"text is zero", "abc", K::WindowState, 0, false},
        {"clamped", "-99999999999", K::WindowLeft, -2147483647 - 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Settings settings;
        if (row.stored)
            settings.setText(row.key, QString::fromUtf8(row.stored));
        EXPECT_EQ(settings.number(row.key), row.number);
        EXPECT_EQ(settings.flag(row.key), row.flag);
    }
    EXPECT_EQ(Settings::column(7), K::Column7);
}

TEST(SettingsTest, ReadOnceAndWrittenAsOneDocumentKeepingEveryOtherLine)
{
    TestTree tree;
    const QString path = tree.path("settings.vlp");
    WriteTextFile(path, QStringLiteral("; mine\n[settings]\nSAVSET=1\n[main]\ncol1=100\n[frmX]\na=1\n"));
    FaultInjectingFileSystem fs;
    Settings settings = Settings::load(fs, path);
    EXPECT_TRUE(settings.flag(K::SaveDialogSettings)) << "names match without regard to case";
    EXPECT_EQ(settings.number(K::Column1), 100);
    // The file changes behind the program's back: what was read at start counts, and the save replaces it.
    WriteTextFile(path, QStringLiteral("[Settings]\nsavset=0\n"));
    EXPECT_TRUE(settings.flag(K::SaveDialogSettings));

    settings.setNumber(K::Column2, 200);
    settings.setText(K::LastPath, QStringLiteral("/data/"));
    settings.setNumber(K::OpenChecks, 5);
    settings.document().setValue(QStringLiteral("frmX"), QStringLiteral("a"), QStringLiteral("<<DELETE>>"));
    ASSERT_EQ(settings.save(fs), Settings::SaveResult::Saved);
    EXPECT_EQ(TextCodec::readFile(path).toStdString(),
              "; mine\n\n[settings]\nSAVSET=1\nlastpath=/data/\n\n[main]\ncol1=100\nCol2=200\n\n"
              "[frmX]\n\n[frmOpen]\nchkOpen=5\n");
    EXPECT_FALSE(settings.document().contains(QStringLiteral("frmX"), QStringLiteral("a")));
}

TEST(SettingsTest, AFileThatCannotBeReadIsNeverReplaced)
{
    TestTree tree;
    const QString path = tree.path("settings.vlp");
    WriteTextFile(path, QStringLiteral("[Settings]\nsavset=1\nlastpath=/data/\n"));
    FaultInjectingFileSystem fs;
    fs.fail(FaultInjectingFileSystem::Op::Read, path);
    Settings settings = Settings::load(fs, path);
    EXPECT_FALSE(settings.flag(K::SaveDialogSettings)) << "the defaults";
    settings.setFlag(K::ExpertMode, true);
    EXPECT_EQ(settings.save(fs), Settings::SaveResult::Unreadable);
    EXPECT_EQ(TextCodec::readFile(path), "[Settings]\nsavset=1\nlastpath=/data/\n");

    // A missing file is no such case: it is created.
    Settings fresh = Settings::load(fs, tree.path("new.vlp"));
    fresh.setFlag(K::ExpertMode, true);
    EXPECT_EQ(fresh.save(fs), Settings::SaveResult::Saved);
    EXPECT_EQ(Settings().save(fs), Settings::SaveResult::NoFile);
}

// A damaged file is as good as an unreadable one: the defaults, a warning for the user, and the file is
// never written over (not even by the start-up's clean-up).
TEST(SettingsTest, ADamagedFileIsUnusableAndKeptAsItIs)
{
    const std::pair<const char*, QByteArray> cases[] = {{"binary", QByteArray("[Settings]\nprotren=1\n\0\0\x01", 24)},
                                                        {"no section", "protren=1\nlastpath=/x/\n"},
                                                        {"fine", "[Settings]\nprotren=1\n"}};
    for (const auto& [row, bytes] : cases) {
        SCOPED_TRACE(row);
        TestTree tree;
        const QString path = tree.path("settings.vlp");
        ASSERT_TRUE(FixtureFileSystem().writeFileAtomic(path, bytes).ok());
        PosixFileSystem fs;
        Settings settings = Settings::load(fs, path);
        const bool fine = QByteArray(row) == "fine";
        EXPECT_EQ(settings.isUnusable(), !fine);
        EXPECT_EQ(settings.flag(K::ProtocolRenames), fine);
        EXPECT_EQ(settings.save(fs) == Settings::SaveResult::Saved, fine);
        if (!fine) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), bytes);
        }
    }
}

// One line in Windows-1252 (an edit on Windows) does not garble the UTF-8 lines of the same file.
TEST(SettingsTest, EachLineIsDecodedOnItsOwn)
{
    TestTree tree;
    const QString path = tree.path("settings.vlp");
    ASSERT_TRUE(FixtureFileSystem()
                    .writeFileAtomic(path, "[Settings]\nlastpath=/home/\xC3\xA9t\xC3\xA9/\nletters=\xE4\xF6\xFC\n")
                    .ok());
    PosixFileSystem fs;
    const Settings settings = Settings::load(fs, path);
    EXPECT_EQ(settings.text(K::LastPath), QStringLiteral("/home/\u00e9t\u00e9/"));
    EXPECT_EQ(settings.text(K::Letters), QStringLiteral("\u00e4\u00f6\u00fc"));
}

} // namespace
