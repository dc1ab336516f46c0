#include "app/MessageDialogPrompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon)
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

QMessageBox::StandardButton boxButton(Prompter::Button button)
{
    switch (button) {
    case Prompter::Ok:
        return QMessageBox::Ok;
    case Prompter::Cancel:
        return QMessageBox::Cancel;
    case Prompter::Yes:
        return QMessageBox::Yes;
    case Prompter::No:
        return QMessageBox::No;
    case Prompter::NoButton:
        break;
    }
    return QMessageBox::NoButton;
}

// "Text|*.ext|Other|*.a;*.b" becomes "Text (*.ext);;Other (*.a *.b)".
QString dialogFilters(const QString& filters)
{
    const QStringList parts = filters.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out.append(parts.at(i) + QStringLiteral(" (") +
                   QString(parts.at(i + 1)).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')'));
    return out.join(QStringLiteral(";;"));
}

} // namespace

Prompter::Button MessageDialogPrompter::ask(const QString& text, const QString& title, Buttons buttons, Icon icon,
                                            Button defaultButton)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::NoButton, m_parent);
    for (Button b : {Yes, No, Ok, Cancel}) {
        if (buttons.testFlag(b))
            box.addButton(boxButton(b));
    }
    if (defaultButton != NoButton)
        box.setDefaultButton(boxButton(defaultButton));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Ok:
        return Ok;
    default:
        break;
    }
    // Closing the box counts as the most cautious button it has.
    for (Button b : {Cancel, No, Ok}) {
        if (buttons.testFlag(b))
            return b;
    }
    return NoButton;
}

std::optional<QString> MessageDialogPrompter::askText(const QString& prompt, const QString& title,
                                                      const QString& proposal)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, proposal, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QStringList MessageDialogPrompter::openFiles(const QString& title, const QString& folder, const QString& filters,
                                             bool multiple)
{
    if (multiple)
        return QFileDialog::getOpenFileNames(m_parent, title, folder, dialogFilters(filters));
    const QString file = QFileDialog::getOpenFileName(m_parent, title, folder, dialogFilters(filters));
    return file.isEmpty() ? QStringList() : QStringList{file};
}

QString MessageDialogPrompter::browseFolder(const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(m_parent, title, startFolder);
}

std::optional<QColor> MessageDialogPrompter::pickColour(const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, m_parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}
