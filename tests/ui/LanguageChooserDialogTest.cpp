#include "settings/LanguageChooserDialog.h"
#include "settings/QtTranslations.h"
#include "settings/TextCodec.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(LanguageChooserDialogTest, OffersTheLanguageNamesAndReturnsTheChosenFile)
{
    QTemporaryDir dir;
    const QString english = dir.filePath(QStringLiteral("English.lng"));
    const QString german = dir.filePath(QStringLiteral("Deutsch.lng"));
    const QString nameless = dir.filePath(QStringLiteral("Nameless.lng"));
    TextCodec::writeFileAtomically(english, QStringLiteral("[Main]\nlngname=English\n"));
    TextCodec::writeFileAtomically(german, QStringLiteral("[Main]\nlngname=Deutsch\n"));
    TextCodec::writeFileAtomically(nameless, QStringLiteral("[Main]\n"));

    LanguageChooserDialog dialog({english, german, nameless});
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstLanguages"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("English"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Nameless")) << "a file without a name shows its file name";
    EXPECT_EQ(dialog.chosenFile(), english) << "the first entry is preselected";

    list->setCurrentRow(1);
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_TRUE(ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenFile(), german);
}

TEST(QtTranslationsTest, GermanStandardButtonsAndBackToEnglish)
{
    const char* context = "QPlatformTheme";
    ASSERT_TRUE(InstallQtTranslations(QStringLiteral("de")));
    EXPECT_EQ(QCoreApplication::translate(context, "&Yes"), QStringLiteral("&Ja"));
    EXPECT_EQ(QCoreApplication::translate(context, "&No"), QStringLiteral("&Nein"));
    // Switching the language replaces the earlier translation instead of stacking a second one.
    InstallQtTranslations(QStringLiteral("en"));
    EXPECT_EQ(QCoreApplication::translate(context, "&Yes"), QStringLiteral("&Yes"));
    EXPECT_FALSE(InstallQtTranslations(QStringLiteral("../../etc/passwd")));
    EXPECT_FALSE(InstallQtTranslations(QString()));
}

} // namespace
