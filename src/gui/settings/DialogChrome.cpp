#include "gui/settings/DialogChrome.h"

#include "core/AppState.h"
#include "core/settings/Language.h"
#include "gui/mainwindow/MainImageList.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QRadioButton>
#include <cmath>

namespace {

struct StandardButton
{
    const char* name;
    const char* picture;
    const char* toolTip;
};

constexpr StandardButton kStandardButtons[] = {
    {"cmdOK", "cmdOK", "cmdOKToolTip"},
    {"cmdApply", "cmdApply", "cmdApplyToolTip"},
    {"cmdCancel", "cmdCancel", "cmdCancelToolTip"},
    {"cmdHelp", "cmdHelp", "cmdHelpToolTip"},
    {"cmdSelFormat", "cmdSelect", "cmdSelFormat"},
};

// Relative luminance and contrast ratio as used for text legibility.
double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Below this ratio text is hard to read on its background.
constexpr double kReadableContrast = 3.0;

QColor readableText(const QColor& text, const QColor& background)
{
    if (contrast(text, background) >= kReadableContrast)
        return text;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrast(black, background) >= contrast(white, background) ? black : white;
}

QColor blend(const QColor& a, const QColor& b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

void colourControl(QWidget* w, const QColor& background, const QColor& text)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, background);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, text);
    // Disabled controls must still look disabled on the user's colours.
    palette.setColor(QPalette::Disabled, QPalette::WindowText, blend(text, background));
    w->setPalette(palette);
}

} // namespace

void SetDialogButtons(QWidget* form, const Language& language)
{
    // The drawings of the pictures are compiled into the program; a dialog may come before the main window.
    Q_INIT_RESOURCE(dirwright);
    for (const StandardButton& b : kStandardButtons) {
        auto* button = form->findChild<QAbstractButton*>(QLatin1String(b.name));
        if (!button)
            continue;
        const QIcon picture = MainImageList::image(QLatin1String(b.picture));
        if (!picture.isNull())
            button->setIcon(picture);
        const QString tip = language.GetLngText(QStringLiteral("Buttons"), QLatin1String(b.toolTip));
        if (!tip.isEmpty())
            button->setToolTip(tip);
    }
}

QColor ColourFromStored(int value)
{
    const QPalette platform = QApplication::palette();
    if (value == AppState::kSystemButtonFace)
        return platform.color(QPalette::Active, QPalette::Button);
    if (value == AppState::kSystemButtonText)
        return platform.color(QPalette::Active, QPalette::ButtonText);
    if (value < 0 || value > 0xFFFFFF)
        return platform.color(QPalette::Active, QPalette::Window);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int StoredFromColour(const QColor& colour)
{
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

void SetDialogColours(QWidget* form, const AppState& state, int background, int foreground)
{
    const QColor back =
        ColourFromStored(background == -1 ? state.settings.number(Settings::Key::BackColor) : background);
    const QColor text = readableText(
        ColourFromStored(foreground == -1 ? state.settings.number(Settings::Key::ForeColor) : foreground), back);

    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, back);
    form->setPalette(palette);
    form->setAutoFillBackground(true);
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (qobject_cast<QGroupBox*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QLabel*>(w) ||
            qobject_cast<QRadioButton*>(w))
            colourControl(w, back, text);
    }
}

QColor GradientColour(int topColour, int bottomColour, int y, int height)
{
    const QColor top = ColourFromStored(topColour);
    const QColor bottom = ColourFromStored(bottomColour);
    if (height <= 0)
        return top;
    auto mix = [&](int a, int b) { return static_cast<int>(std::lround(a + double(b - a) * y / height)); };
    return QColor(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()), mix(top.blue(), bottom.blue()));
}

void PaintGradient(QWidget* form, QPainter& painter, int topColour, int bottomColour)
{
    const int height = form->height();
    const int width = form->width();
    for (int y = 0; y < height; ++y)
        painter.fillRect(0, y, width, 1, GradientColour(topColour, bottomColour, y, height));
}

QString TitleFromCaption(QString caption)
{
    caption.remove(QLatin1Char('&'));
    caption = caption.trimmed();
    if (caption.endsWith(QChar(0x2026)))
        caption.chop(1);
    else if (caption.endsWith(QLatin1String("...")))
        caption.chop(3);
    return caption.trimmed();
}

int TitleBarWidth(const QWidget* dialog)
{
    // Title bars commonly set the title bold and somewhat larger than the dialog's text, beside the
    // window's icon and its own buttons.
    constexpr int kTitleMargin = 160;
    constexpr qreal kTitleScale = 1.2;
    QFont font = dialog->font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * kTitleScale);
    else
        font.setPixelSize(qRound(font.pixelSize() * kTitleScale));
    return QFontMetrics(font).horizontalAdvance(dialog->windowTitle()) + kTitleMargin;
}

void FitDialogSize(QWidget* dialog)
{
    if (QLayout* layout = dialog->layout())
        layout->activate();
    const QSize hint = dialog->sizeHint();
    const int width = std::max(hint.width(), TitleBarWidth(dialog));
    dialog->setMinimumWidth(width);
    dialog->setMaximumHeight(hint.height());
    dialog->resize(width, hint.height());
}
