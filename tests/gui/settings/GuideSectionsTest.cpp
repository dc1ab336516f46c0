// Every window's help opens its own section of the guide: each window the program has must find that
// section in the guide of each language, and the pictures the guide shows must ship beside it.
#include "gui/GuiTestApp.h"
#include "gui/mainwindow/EveryDialog.h"
#include "support/PreviewFixture.h"
#include "support/TestTree.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString guideText(const char* name)
{
    QFile file(QStringLiteral(DIRWRIGHT_SOURCE_DIR "/data/guide/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

TEST(GuideSections, EveryWindowHasItsSectionAndEveryPictureShipsWithTheGuide)
{
    GuiTestApp app;
    TestTree tree({"Archive/Photos 2004/"});
    MainWindow window(app.state(), app.prompter());
    window.loadHandler();
    window.list().append(MakeEntry(tree.key(QStringLiteral("Archive")), QStringLiteral("Photos 2004")));
    window.list().append(MakeEntry(tree.key(QStringLiteral("Archive")), QStringLiteral("Holiday.2004")));
    window.list().append(MakeEntry(tree.key(QStringLiteral("Archive")), QStringLiteral("Trip")));
    window.refreshPreview();
    QStringList forms{window.objectName()};
    ForEveryDialog(app.state(), app.prompter(), window, tree.key(QStringLiteral("Archive")),
                   [&](QDialog& dialog, DialogTitle) { forms.append(dialog.objectName()); });
    for (const char* guide : {"guide-en.html", "guide-de.html"}) {
        SCOPED_TRACE(guide);
        const QString text = guideText(guide);
        for (const QString& form : forms)
            EXPECT_TRUE(text.contains(QStringLiteral("id=\"%1\"").arg(form))) << form.toStdString();
        const QRegularExpression picture(QStringLiteral("<img src=\"([^\"]+)\""));
        for (const QRegularExpressionMatch& m : picture.globalMatch(text)) {
            EXPECT_TRUE(QFile::exists(QStringLiteral(DIRWRIGHT_SOURCE_DIR "/data/guide/") + m.captured(1)))
                << m.captured(1).toStdString();
        }
    }
}

} // namespace
