// Pictures of the not-renamed report and the history window in English and German, for looking at what
// a user sees. Runs only when DIRWRIGHT_SHOTS_DIR names the folder to write them to.

#include "commit/HistoryDialog.h"
#include "commit/NotRenamedDialog.h"
#include "commit/RenameHistory.h"

#include "app/PreviewList.h"
#include "settings/IniDocument.h"
#include "settings/TextCodec.h"
#include "support/TestApp.h"
#include "support/TestTree.h"

#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

struct Language
{
    const char* file;
    const char* tag;
    // Message texts for the pictures where the language file does not have them yet.
    std::vector<std::pair<const char*, const char*>> messages;
};

const std::vector<Language> kLanguages{
    {"English.lng",
     "en",
     {{"MsgText05", "%1 could not be renamed to %2: a folder or file with that name already exists."},
      {"MsgText36", "%1 could not be renamed to %2: the folder does not exist."},
      {"MsgText06", "%1 could not be renamed to %2."}}},
    {"Deutsch.lng",
     "de",
     {{"MsgText05",
       "%1 konnte nicht in %2 umbenannt werden: Ein Ordner oder eine Datei dieses Namens existiert bereits."},
      {"MsgText36", "%1 konnte nicht in %2 umbenannt werden: Der Ordner existiert nicht."},
      {"MsgText06", "%1 konnte nicht in %2 umbenannt werden."}}},
};

void useLanguage(TestApp& app, const Language& language)
{
    IniDocument doc = IniDocument::load(app.state().programFolder + QString::fromLatin1(language.file));
    for (const auto& [key, text] : language.messages) {
        if (doc.value(QStringLiteral("Messages"), QString::fromLatin1(key)).isEmpty())
            doc.setValue(QStringLiteral("Messages"), QString::fromLatin1(key), QString::fromUtf8(text));
    }
    const QString path = app.settingsPath(QString::fromLatin1(language.file));
    ASSERT_TRUE(doc.save(path));
    ASSERT_TRUE(app.state().language.load(path));
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

TEST(CommitScreenshotsTest, ReportAndHistory)
{
    const QString shots = QFile::decodeName(qgetenv("DIRWRIGHT_SHOTS_DIR"));
    if (shots.isEmpty())
        GTEST_SKIP() << "set DIRWRIGHT_SHOTS_DIR to write the pictures";
    for (const Language& language : kLanguages) {
        TestApp app;
        useLanguage(app, language);
        AppState& state = app.state();
        const QString photos = QStringLiteral("/home/anna/Pictures/");

        CommitReport report;
        const QStringList args1{quoted(photos + QStringLiteral("IMG_2041/")),
                                quoted(photos + QStringLiteral("2023-07 Lake Garda/"))};
        const QStringList args2{quoted(photos + QStringLiteral("Scans/")),
                                quoted(photos + QStringLiteral("Scans 1998/"))};
        const QStringList args3{quoted(photos + QStringLiteral("Wedding/")), quoted(photos + QStringLiteral("./"))};
        report.failures.append({QString(), state.message(QStringLiteral("MsgText05"), args1)});
        report.failures.append({QString(), state.message(QStringLiteral("MsgText36"), args2)});
        report.failures.append({QString(), state.message(QStringLiteral("MsgText06"), args3) + QStringLiteral("   ") +
                                               state.message(QStringLiteral("msgNameDots"))});
        PreviewList list;
        NotRenamedDialog report1(state, list, report);
        report1.show();
        QTest::qWait(50); // let the views lay out their rows
        EXPECT_TRUE(report1.grab().save(
            shots + QStringLiteral("/commit-notrenamed-%1.png").arg(QString::fromLatin1(language.tag))));

        TestTree tree({QStringLiteral("Pictures/2023-07 Lake Garda/"), QStringLiteral("Pictures/Scans 1998/"),
                       QStringLiteral("Music/Bach - Goldberg Variations/")});
        const QString pictures = tree.key(QStringLiteral("Pictures"));
        const QString music = tree.key(QStringLiteral("Music"));
        const QString protocol = QStringLiteral("20240131153045\"%1\"IMG_2041\"2023-07 Lake Garda\n"
                                                "20240131153046\"%1\"Scans\"Scans 1998\n"
                                                "20240131153047\"%1\"Wedding\"2019-05-18 Wedding\n"
                                                "20240202091502\"%2\"goldberg\"Bach - Goldberg Variations\n"
                                                "20240202091503\"%2\"Bach - Goldberg Variations\"Goldberg\n")
                                     .arg(pictures, music);
        ASSERT_TRUE(TextCodec::writeFileAtomically(app.settingsPath(QStringLiteral("renamed.vlp")), protocol));
        HistoryDialog history(state);
        history.show();
        history.list()->selectionModel()->select(history.history().index(0, 0),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::qWait(50);
        EXPECT_TRUE(history.grab().save(
            shots + QStringLiteral("/commit-history-%1.png").arg(QString::fromLatin1(language.tag))));
    }
}

} // namespace
