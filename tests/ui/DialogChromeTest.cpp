#include "settings/DialogChrome.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

TEST(DialogChrome, StandardButtonsGetPicturesAndToolTipsAndOthersNone)
{
    TestApp app;
    QDialog dialog;
    for (const char* name : {"cmdOK", "cmdCancel", "cmdHelp", "cmdSelFormat", "cmdOther"})
        (new QPushButton(&dialog))->setObjectName(QLatin1String(name));
    SetDialogButtons(&dialog, app.state().language);
    const std::pair<const char*, const char*> expected[] = {{"cmdOK", "cmdOKToolTip"},
                                                            {"cmdCancel", "cmdCancelToolTip"},
                                                            {"cmdHelp", "cmdHelpToolTip"},
                                                            {"cmdSelFormat", "cmdSelFormat"},
                                                            {"cmdOther", nullptr}};
    for (const auto& [name, tip] : expected) {
        auto* b = dialog.findChild<QPushButton*>(QLatin1String(name));
        EXPECT_EQ(b->icon().isNull(), !tip) << name;
        EXPECT_EQ(b->toolTip(),
                  tip ? app.state().language.GetLngText(QStringLiteral("Buttons"), QLatin1String(tip)) : QString())
            << name;
        EXPECT_EQ(b->toolTip().isEmpty(), !tip) << name;
    }
}

TEST(DialogChrome, ColoursGoOnTheFormAndOnCaptionsOnly)
{
    TestApp app;
    QDialog dialog;
    auto* frame = new QGroupBox(&dialog);
    auto* label = new QLabel(&dialog);
    auto* edit = new QLineEdit(&dialog);
    const std::initializer_list<QWidget*> captions = {frame, label, new QCheckBox(&dialog), new QRadioButton(frame)};
    const QPalette before = edit->palette();
    SetDialogColours(&dialog, app.state()); // nothing stored: the default light orange with black text
    EXPECT_TRUE(dialog.autoFillBackground());
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(255, 192, 128));
    for (QWidget* w : captions) {
        EXPECT_EQ(w->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
        EXPECT_EQ(w->palette().color(QPalette::Window), QColor(255, 192, 128));
        EXPECT_NE(w->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::black));
    }
    EXPECT_EQ(edit->palette().color(QPalette::Base), before.color(QPalette::Base));
    EXPECT_EQ(edit->palette().color(QPalette::Text), before.color(QPalette::Text));

    // The platform's button colours by their stored references.
    SetDialogColours(&dialog, app.state(), -2147483633, -2147483630);
    const QPalette platform = QApplication::palette();
    EXPECT_EQ(dialog.palette().color(QPalette::Window), platform.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText),
              platform.color(QPalette::Active, QPalette::ButtonText));

    // Text that would vanish on its background becomes legible.
    SetDialogColours(&dialog, app.state(), 0x202020, 0x303030);
    EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::white));
    SetDialogColours(&dialog, app.state(), 0xFFFFFF, 0xFFFFF0);
    EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
}

TEST(DialogChrome, StoredColoursGradientAndTitles)
{
    EXPECT_EQ(ColourFromStored(8438015), QColor(255, 192, 128));
    EXPECT_EQ(ColourFromStored(12936202), QColor(10, 100, 197));
    EXPECT_EQ(ColourFromStored(-5), QApplication::palette().color(QPalette::Active, QPalette::Window));
    EXPECT_EQ(GradientColour(12936202, 16777215, 0, 100), QColor(10, 100, 197));
    EXPECT_EQ(GradientColour(12936202, 16777215, 50, 100), QColor(133, 178, 226));
    EXPECT_EQ(GradientColour(12936202, 16777215, 99, 100), QColor(253, 253, 254));
    EXPECT_EQ(TitleFromCaption(QStringLiteral("&Präfix und Suffix …")), QStringLiteral("Präfix und Suffix"));
}

} // namespace
