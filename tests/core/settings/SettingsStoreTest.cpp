#include "core/settings/SettingsStore.h"
#include "core/settings/CharClasses.h"
#include "core/settings/Language.h"
#include "core/settings/TextCodec.h"
#include "support/WriteTextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

namespace {

class SettingsStoreTest : public ::testing::Test
{
protected:
    QString file(const QByteArray& bytes)
    {
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        return path;
    }
    QTemporaryDir m_dir;
    const QString path = m_dir.filePath(QStringLiteral("s.vlp"));
};

TEST_F(SettingsStoreTest, ReadsTrimmedValuesIgnoringCaseAndWritesIntoTheRightSection)
{
    const QString f = file("[ Main\t]\r\r\n  Key =  some value  \r\n\tws\r=2\r\r\n\n[Other]\nkey=x\n");
    EXPECT_EQ(ReadSetting("main", "KEY", f), "some value");
    EXPECT_EQ(ReadSettingInt("Main", "ws", f), 2);
    EXPECT_EQ(ReadSettingInt("Missing", "key", f), -1);
    // Rewriting keeps the other lines as they are, with plain line ends; a new key goes before the blank line.
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Main", "ws", "0", f));
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "main", "z", "3", f));
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "other", "KEY", "y", f));
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "C", "w", QString(), f));
    EXPECT_EQ(TextCodec::readFile(f), "[ Main\t]\n  Key =  some value  \nws=0\nz=3\n\n[Other]\nKEY=y\n[C]\nw=\n");
}

TEST_F(SettingsStoreTest, ValuesAreCutAt999CharactersNeverInsideACharacterAndAtANul)
{
    EXPECT_EQ(ReadSetting("A", "k", file("[A]\nk=" + QByteArray(1200, 'v') + "\n")).size(), 999);
    // 998 letters and an emoji: cutting at 999 code units would keep half of the emoji.
    EXPECT_EQ(ReadSetting("A", "k", file("[A]\nk=" + QByteArray(998, 'a') + "\xF0\x9F\x98\x80\n")),
              QString(998, QLatin1Char('a')));
    EXPECT_EQ(SettingText(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")), "ab");
}

TEST_F(SettingsStoreTest, CompactionDropsDeletedKeysKeepsOneBlankLineBeforeHeadersAndIsIdempotent)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[A]\nx=<<DELETE>>\ny=1\n[B]\nz=1 <<DELETE>>  \n\n[C]\n", "[A]\ny=1\n\n[B]\n\n[C]\n"},
        // A dropped key after a blank line must not leave two blank lines before the next header.
        {"[A]\na=1\n\nb=<<DELETE>>\n[B]\n", "[A]\na=1\n\n[B]\n"},
        // A dropped key right before a header still gets the header its blank line.
        {"[A]\nb=<<DELETE>>\n[B]\nc=2\n", "[A]\n\n[B]\nc=2\n"},
        {"x=1\n[A]\n", "x=1\n\n[A]\n"},
        {"[A]\n\n\n[B]\n", "[A]\n\n\n[B]\n"},
        {"[A]\r\nk=v\r\n[B]\r\n", "[A]\nk=v\n\n[B]\n"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) {
        const QString f = file(in);
        ASSERT_TRUE(CompactSettingsFile(FixtureFileSystem(), f));
        EXPECT_EQ(TextCodec::readFile(f), QString::fromUtf8(out)) << in;
        ASSERT_TRUE(CompactSettingsFile(FixtureFileSystem(), f));
        EXPECT_EQ(TextCodec::readFile(f), QString::fromUtf8(out)) << "second run of " << in;
    }
    EXPECT_FALSE(CompactSettingsFile(FixtureFileSystem(), m_dir.filePath(QStringLiteral("missing.vlp"))));
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("missing.vlp"))));
}

TEST_F(SettingsStoreTest, FlagsTakeTheCallersDefaultWhenMissingOrEmpty)
{
    const QString f = file("[S]\non=1\noff=0\nempty=\nblank=   \nodd=7\nword=yes\n");
    // key, raw value, flag with default on, flag with default off
    const std::tuple<const char*, int, bool, bool> cases[] = {
        {"on", 1, true, true},        {"off", 0, false, false}, {"empty", -1, true, false}, {"blank", -1, true, false},
        {"missing", -1, true, false}, {"odd", 7, true, false},  {"word", 0, false, false},
    };
    for (const auto& [key, raw, withDefaultOn, withDefaultOff] : cases) {
        EXPECT_EQ(ReadSettingInt("S", key, f), raw) << key;
        EXPECT_EQ(FlagFromInt(raw, true), withDefaultOn) << key;
        EXPECT_EQ(FlagFromInt(raw, false), withDefaultOff) << key;
    }
}

TEST_F(SettingsStoreTest, BadFilesGiveEmptyValuesAndNeverHang)
{
    // Arbitrary bytes are the fuzz target's; these are the sizes that would show quadratic work.
    const QByteArray contents[] = {QByteArray(), "[S]\nk=" + QByteArray(4 << 20, 'x') + "\nother=1\n",
                                   QByteArray(2 << 20, '['), QByteArray(1 << 20, '\n'),
                                   "[S]\nk=first\nK=second\n[s]\nk=third\nlater=1\n"};
    for (const QByteArray& content : contents) {
        file(content);
        ReadSetting("S", "k", path);
        EXPECT_EQ(ReadSettingInt("Main", "ws", path), -1);
        ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Main", "ws", "2", path));
        EXPECT_EQ(ReadSettingInt("Main", "ws", path), 2);
        EXPECT_TRUE(CompactSettingsFile(FixtureFileSystem(), path));
    }
    // The last file: duplicates resolve to the first key of the first section.
    EXPECT_EQ(ReadSetting("S", "k", path), "first");
    EXPECT_EQ(ReadSetting("S", "later", path), QString());
    EXPECT_EQ(ReadSetting("S", "k", QString()), QString());
}

TEST_F(SettingsStoreTest, WindowsFilesAreReadAndRewrittenAsUtf8)
{
    file("[Settings]\r\nletters=abc\xe4\xf6\xfc\r\n");
    EXPECT_EQ(ReadSetting("Settings", "letters", path), "abc\u00e4\u00f6\u00fc");
    ASSERT_TRUE(WriteSetting(FixtureFileSystem(), "Settings", "lng", "Deutsch", path));
    QFile in(path);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), QByteArray("[Settings]\nletters=abc\xc3\xa4\xc3\xb6\xc3\xbc\nlng=Deutsch\n"));
}

TEST(CharClassesTest, LettersRules)
{
    // letters, lower, upper, letter numerals (upper); only letters that have an upper form are upper letters
    const char* cases[][4] = {
        {"ABC", "abc", "ABC", "-ABC"}, {"a1bß", "a1bß", "AB", "-A1Bß"}, {"αβ", "αβ", "ΑΒ", "-ΑΒ"}};
    for (const auto& [letters, lower, upper, numerals] : cases) {
        const CharClasses c = CharClasses::fromLetters(QString::fromUtf8(letters));
        EXPECT_EQ(QStringList({c.lower, c.upper, c.letterNumeralsUpper, c.letterNumeralsLower}),
                  QStringList({lower, upper, numerals, QString::fromUtf8(numerals).toLower()}));
    }
    const CharClasses blank = CharClasses::fromLetters(QStringLiteral("  "));
    EXPECT_EQ(
        QStringList({blank.lower, blank.upper, blank.letterNumeralsUpper}),
        QStringList({CharClasses::defaultLetters(), "ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜ", "-ABCDEFGHIJKLMNOPQRSTUVWXYZ"}));
}

TEST(SubstituteArgsTest, PlaceholdersAreFilledInOrder)
{
    const QString text = QStringLiteral("%1 -> %2 (%1)");
    // The first argument is substituted first, so a "%2" inside it is filled by the second argument.
    EXPECT_EQ(SubstituteArgs(text, {"x%2", "y"}), "xy -> y (xy)");
    // A "%1" inside the second argument stays: its turn has passed.
    EXPECT_EQ(SubstituteArgs(text, {"x", "%1"}), "x -> %1 (x)");
    EXPECT_EQ(SubstituteArgs(text, {}), text);
    EXPECT_EQ(SubstituteArgs(QStringLiteral("100%"), {"a"}), "100%");
}

} // namespace
