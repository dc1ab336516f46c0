#include "gui/settings/LanguageChooserDialog.h"
#include "core/settings/QtTranslations.h"
#include "support/WriteTextFile.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

TEST(LanguageChooserDialogTest, OffersTheLanguageNamesAndReturnsTheChosenFile)
{
    QTemporaryDir dir;
    QStringList files;
    for (const char* text : {"[Main]\nlngname=English\n", "[Main]\nlngname=Deutsch\n", "[Main]\n"}) {
        files.append(dir.filePath(QStringLiteral("L%1.lng").arg(files.size())));
        WriteTextFile(files.last(), QString::fromLatin1(text));
    }
    LanguageChooserDialog dialog(files);
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstLanguages"));
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("L2")) << "a file without a name shows its file name";
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(dialog.chosenFile(), files.at(0)) << "the first entry is preselected";
    list->setCurrentRow(1);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_EQ(dialog.chosenFile(), files.at(1));
}

TEST(QtTranslationsTest, GermanStandardButtonsAndBackToEnglish)
{
    ASSERT_TRUE(InstallQtTranslations(QStringLiteral("de")));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
    // Switching the language replaces the earlier translation instead of stacking a second one.
    InstallQtTranslations(QStringLiteral("en"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    EXPECT_FALSE(InstallQtTranslations(QStringLiteral("../../etc/passwd")));
    EXPECT_FALSE(InstallQtTranslations(QString()));
}

} // namespace
