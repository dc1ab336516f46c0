#include "gui/settings/DialogChrome.h"
#include "gui/GuiTestApp.h"

#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

TEST(DialogChrome, ColoursGoOnTheFormAndOnCaptionsOnly)
{
    GuiTestApp app;
    QDialog dialog;
    auto* frame = new QGroupBox(&dialog);
    auto* label = new QLabel(&dialog);
    auto* edit = new QLineEdit(&dialog);
    const std::initializer_list<QWidget*> captions = {frame, label, new QCheckBox(&dialog), new QRadioButton(frame)};
    const QPalette before = edit->palette();
    SetDialogColours(&dialog, app.state()); // nothing stored: the default light orange with black text
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(255, 192, 128));
    for (QWidget* w : captions) {
        EXPECT_EQ(w->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
        EXPECT_NE(w->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::black));
    }
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Text})
        EXPECT_EQ(edit->palette().color(role), before.color(role));

    // Text that would vanish on its background becomes legible.
    SetDialogColours(&dialog, app.state(), 0x202020, 0x303030);
    EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::white));
    SetDialogColours(&dialog, app.state(), 0xFFFFFF, 0xFFFFF0);
    EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
}

TEST(DialogChrome, TitleDropsAccessKeyAndEllipsis)
{
    EXPECT_EQ(TitleFromCaption(QStringLiteral("&Präfix und Suffix …")), QStringLiteral("Präfix und Suffix"));
}

} // namespace
