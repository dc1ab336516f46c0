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
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QDialog* form(std::initializer_list<const char*> buttons)
{
    auto* dialog = new QDialog;
    auto* layout = new QVBoxLayout(dialog);
    for (const char* name : buttons) {
        auto* b = new QPushButton(dialog);
        b->setObjectName(QLatin1String(name));
        layout->addWidget(b);
    }
    return dialog;
}

TEST(DialogChrome, StandardButtonsGetPicturesAndToolTipsAndMissingOnesAreSkipped)
{
    TestApp app;
    std::unique_ptr<QDialog> dialog(form({"cmdOK", "cmdCancel", "cmdHelp", "cmdSelFormat", "cmdOther"}));
    SetDialogButtons(dialog.get(), app.state().language);
    const std::pair<const char*, const char*> expected[] = {{"cmdOK", "cmdOKToolTip"},
                                                            {"cmdCancel", "cmdCancelToolTip"},
                                                            {"cmdHelp", "cmdHelpToolTip"},
                                                            {"cmdSelFormat", "cmdSelFormat"}};
    for (const auto& [name, tip] : expected) {
        auto* b = dialog->findChild<QPushButton*>(QLatin1String(name));
        EXPECT_FALSE(b->icon().isNull()) << name;
        EXPECT_EQ(b->toolTip(), app.state().language.GetLngText(QStringLiteral("Buttons"), QLatin1String(tip))) << name;
        EXPECT_FALSE(b->toolTip().isEmpty()) << name;
    }
    auto* other = dialog->findChild<QPushButton*>(QStringLiteral("cmdOther"));
    EXPECT_TRUE(other->icon().isNull());
    EXPECT_TRUE(other->toolTip().isEmpty());
}

TEST(DialogChrome, ColoursGoOnTheFormAndOnCaptionsOnly)
{
    TestApp app;
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* frame = new QGroupBox(&dialog);
    auto* label = new QLabel(QStringLiteral("label"), &dialog);
    auto* check = new QCheckBox(&dialog);
    auto* option = new QRadioButton(frame);
    auto* edit = new QLineEdit(&dialog);
    for (QWidget* w : std::initializer_list<QWidget*>{frame, label, check, edit})
        layout->addWidget(w);
    const QPalette before = edit->palette();

    // Nothing stored: the default light orange (red 255, green 192, blue 128) with black text.
    SetDialogColours(&dialog, app.state());
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(255, 192, 128));
    EXPECT_TRUE(dialog.autoFillBackground());
    for (QWidget* w : std::initializer_list<QWidget*>{frame, label, check, option}) {
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
