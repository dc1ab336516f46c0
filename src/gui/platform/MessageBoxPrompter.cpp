#include "gui/platform/MessageBoxPrompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

constexpr std::pair<Prompter::Button, QMessageBox::StandardButton> kButtonPairs[] = {
    {Prompter::Ok, QMessageBox::Ok},
    {Prompter::Cancel, QMessageBox::Cancel},
    {Prompter::Yes, QMessageBox::Yes},
    {Prompter::No, QMessageBox::No},
};

QMessageBox::StandardButton standardButton(Prompter::Button button)
{
    for (const auto& [ours, theirs] : kButtonPairs) {
        if (ours == button)
            return theirs;
    }
    return QMessageBox::NoButton;
}

Prompter::Button ourButton(int standard)
{
    for (const auto& [ours, theirs] : kButtonPairs) {
        if (theirs == standard)
            return ours;
    }
    return Prompter::NoButton;
}

QMessageBox::Icon messageIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Closing the box counts as Cancel, or No, or Ok, whichever of them the box has, in that order.
Prompter::Button closeAnswer(Prompter::Buttons buttons)
{
    for (Prompter::Button b : {Prompter::Cancel, Prompter::No, Prompter::Ok}) {
        if (buttons.testFlag(b))
            return b;
    }
    return Prompter::NoButton;
}

} // namespace

Prompter::Button MessageBoxPrompter::ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
                                         Button defaultButton)
{
    if (buttons == NoButton)
        buttons = Ok;
    QMessageBox box(messageIcon(icon), title, text, QMessageBox::NoButton, m_parent);
    for (const auto& [ours, theirs] : kButtonPairs) {
        if (buttons.testFlag(ours))
            box.addButton(theirs);
    }
    if (defaultButton != NoButton && buttons.testFlag(defaultButton))
        box.setDefaultButton(standardButton(defaultButton));
    const Button onClose = closeAnswer(buttons);
    if (onClose != NoButton)
        box.setEscapeButton(standardButton(onClose));
    const Button answer = ourButton(box.exec());
    return answer != NoButton ? answer : onClose;
}

std::optional<QString> MessageBoxPrompter::askText(const QString& prompt, const QString& title, const QString& proposal)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, proposal, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QStringList MessageBoxPrompter::openFiles(const QString& title, const QString& folder, const QString& filters,
                                          bool multiple)
{
    const QString filter = qtFilter(filters);
    if (multiple)
        return QFileDialog::getOpenFileNames(m_parent, title, folder, filter);
    const QString file = QFileDialog::getOpenFileName(m_parent, title, folder, filter);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

QString MessageBoxPrompter::browseFolder(const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(m_parent, title, startFolder);
}

std::optional<QColor> MessageBoxPrompter::pickColour(const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, m_parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

QString MessageBoxPrompter::qtFilter(const QString& filters)
{
    const QStringList parts = filters.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (QString pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
            if (!pattern.isEmpty())
                patterns.append(pattern);
        }
        if (patterns.isEmpty())
            patterns.append(QStringLiteral("*"));
        // Qt reads the patterns from the last parentheses of an entry, so none may stand in its text.
        QString text = parts.at(i).trimmed();
        text.replace(QLatin1Char('('), QLatin1Char('[')).replace(QLatin1Char(')'), QLatin1Char(']'));
        entries.append(text + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}
