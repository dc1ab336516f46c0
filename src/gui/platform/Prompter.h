#pragma once

#include <QColor>
#include <QFlags>
#include <QString>
#include <QStringList>
#include <optional>

// Every question, message, input box and file picker goes through this interface. The program uses
// message boxes and common dialogs; tests queue the answers they expect to be asked for.
class Prompter
{
public:
    enum class Icon { None, Information, Question, Warning, Critical };
    enum Button { NoButton = 0x0, Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };
    Q_DECLARE_FLAGS(Buttons, Button)

    virtual ~Prompter() = default;

    // A message box. Returns the button pressed; closing the box counts as Cancel (or No, or Ok,
    // whichever of them the box has, in that order).
    virtual Button ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
                       Button defaultButton = NoButton) = 0;

    // A one-line input box; nothing when the user cancels.
    virtual std::optional<QString> askText(const QString& prompt, const QString& title,
                                           const QString& proposal = QString()) = 0;

    // The open-file dialog. filters alternate display text and pattern, separated by "|"
    // ("All|*.*|Playlist|*.m3u"). Returns the chosen files (full paths), empty when cancelled.
    virtual QStringList openFiles(const QString& title, const QString& folder, const QString& filters,
                                  bool multiple) = 0;

    // Choosing a folder; empty when cancelled.
    virtual QString browseFolder(const QString& title, const QString& startFolder) = 0;

    // The colour picker; nothing when cancelled.
    virtual std::optional<QColor> pickColour(const QColor& initial) = 0;

    // Convenience for a plain information message with an OK button.
    void tell(const QString& text, const QString& title, Icon icon = Icon::Information)
    {
        ask(text, title, Ok, icon, Ok);
    }
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Prompter::Buttons)
