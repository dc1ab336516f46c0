#pragma once

#include <QColor>
#include <QString>

struct AppState;
class Language;
class QPainter;
class QWidget;

// The common look of the dialogs: pictures and tool tips of the standard buttons, the user's dialog
// colours, and a background gradient for the few windows that have one.

// For each standard button the form has ("cmdOK", "cmdApply", "cmdCancel", "cmdHelp", "cmdSelFormat"):
// its picture from the main image list and its tool tip from [Buttons]. Buttons the form lacks are
// skipped.
void SetDialogButtons(QWidget* form, const Language& language);

// The form's background becomes the background colour; frames, check boxes, labels and option buttons
// get both colours. -1 stands for the user's dialog colour of the state. When the two colours are too
// close to read, the text becomes black or white, whichever shows better.
void SetDialogColours(QWidget* form, const AppState& state, int background = -1, int foreground = -1);

// A stored colour (red + 256 green + 65536 blue) as a colour. The references to the platform's button
// face (0x8000000F) and button text (0x80000012) give the platform's colours; any other value outside
// the colour range gives the platform's window background.
QColor ColourFromStored(int value);
// A colour as stored: red + 256 green + 65536 blue.
int StoredFromColour(const QColor& colour);

// Paints the form's background from the top colour to the bottom colour, one line per pixel row.
void PaintGradient(QWidget* form, QPainter& painter, int topColour, int bottomColour);
// The colour of row y of height rows: each component goes from top to bottom, rounded.
QColor GradientColour(int topColour, int bottomColour, int y, int height);

// A menu caption as a dialog title: without accelerator marks and without the closing ellipsis that says
// a dialog follows ("&Prefix and suffix…" gives "Prefix and suffix").
QString TitleFromCaption(QString caption);

// The width a dialog needs to show its whole title in the title bar.
int TitleBarWidth(const QWidget* dialog);

// Sizes a dialog to what its controls ask for and at least as wide as its title needs, which names the
// function and the entries it changes. The dialog can grow in width (its fields with it), not in height,
// and does not shrink below its title.
void FitDialogSize(QWidget* dialog);
