#include "core/settings/IniDocument.h"
#include "core/settings/TextCodec.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString kLangFolder = QStringLiteral(DIRWRIGHT_SOURCE_DIR "/lang/");
const QStringList kLanguages = {"English.lng", "Deutsch.lng"};

// Lower-case "section/key" -> value; a structural fault of the file fails the test.
QMap<QString, QString> parse(const QString& name)
{
    const IniDocument doc = IniDocument::load(kLangFolder + name);
    QMap<QString, QString> values;
    for (const QString& section : doc.sections()) {
        for (const QString& key : doc.keys(section)) {
            const QString value = doc.value(section, key);
            const std::string where = (name + " [" + section + "] " + key).toStdString();
            EXPECT_FALSE(value.isEmpty()) << where << " is empty";
            EXPECT_LE(value.size(), 999) << where << " is longer than a setting can be read";
            values.insert((section + '/' + key).toLower(), value);
        }
    }
    // Every other line is a section header or a key, each there once.
    const auto blank = [](const QString& line) { return line.trimmed().isEmpty(); };
    EXPECT_EQ(doc.lines().size() - std::count_if(doc.lines().cbegin(), doc.lines().cend(), blank),
              doc.sections().size() + values.size())
        << name.toStdString() << ": a repeated key or section, or a line that is neither";
    EXPECT_FALSE(values.isEmpty()) << name.toStdString();
    return values;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QSet<QString> found;
    for (const auto& match : placeholder.globalMatch(text))
        found.insert(match.captured());
    return found;
}

TEST(LanguageFilesTest, BothFilesHoldTheSameKeysWithTheSamePlaceholdersAndTheMainEntries)
{
    const QMap<QString, QString> english = parse(kLanguages.at(0));
    const QMap<QString, QString> german = parse(kLanguages.at(1));
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        EXPECT_TRUE(german.contains(it.key())) << "only in English: " << it.key().toStdString();
        EXPECT_TRUE(!german.contains(it.key()) || placeholders(it.value()) == placeholders(german.value(it.key())))
            << "placeholders differ in " << it.key().toStdString();
    }
    for (const QString& key : german.keys())
        EXPECT_TRUE(english.contains(key)) << "only in German: " << key.toStdString();
    for (const auto& [name, values] : {std::pair(kLanguages.at(0), english), std::pair(kLanguages.at(1), german)}) {
        EXPECT_EQ(values.value("main/lngname"), QFileInfo(name).completeBaseName());
        EXPECT_TRUE(
            QFileInfo::exists(QStringLiteral(DIRWRIGHT_SOURCE_DIR "/data/guide/") + values.value("main/hlpfile")));
        EXPECT_TRUE(values.contains("main/locale"));
        for (int n = 1; n <= 10; ++n)
            EXPECT_TRUE(values.contains(QStringLiteral("messages/msgstat%1").arg(n, 2, 10, QLatin1Char('0'))));
    }
}

// Message keys ("MsgText05", "msgCapAttention") and explicit GetLngText("Section", "Key") pairs that the
// code under src/ spells out as literals, as "section/key" (lower case) -> where.
QMap<QString, QString> keysUsedBySources()
{
    static const QString literal = QStringLiteral(
        "(?:(?:QStringLiteral|QLatin1String|QLatin1StringView|QString)\\s*\\(\\s*)?u?\"([^\"\\\\]*)\"\\s*\\)?");
    static const QRegularExpression messageKey(QStringLiteral("\"((?:MsgText|MsgCap|MsgStat)\\d\\d|msg[A-Z]\\w*)\""));
    static const QRegularExpression pair(QStringLiteral("GetLngText\\s*\\(\\s*") + literal +
                                         QStringLiteral("\\s*,\\s*") + literal);
    QMap<QString, QString> uses;
    QDirIterator it(QStringLiteral(DIRWRIGHT_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString text = TextCodec::readFile(it.next());
        for (const auto& m : messageKey.globalMatch(text))
            uses.insert(QStringLiteral("messages/") + m.captured(1).toLower(), it.fileName());
        for (const auto& m : pair.globalMatch(text))
            uses.insert(m.captured(1).toLower() + QLatin1Char('/') + m.captured(2).toLower(), it.fileName());
    }
    return uses;
}

TEST(LanguageFilesTest, EveryKeyTheSourcesNameExistsInBothFiles)
{
    const QMap<QString, QString> uses = keysUsedBySources();
    // The scan must see the keys it is known to find, or a broken pattern would pass silently.
    ASSERT_TRUE(uses.contains(QStringLiteral("main/lngname")));
    ASSERT_TRUE(uses.contains(QStringLiteral("messages/msgtext36")));
    // The files hold the same keys (above), so English stands for both.
    const QMap<QString, QString> english = parse(kLanguages.at(0));
    for (auto it = uses.cbegin(); it != uses.cend(); ++it)
        EXPECT_TRUE(english.contains(it.key()))
            << "lacks " << it.key().toStdString() << " (" << it.value().toStdString() << ")";
}

} // namespace
