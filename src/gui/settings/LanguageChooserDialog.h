#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// Asks for the language at a start where several language files exist and the settings name none of
// them. No language is loaded yet, so the dialog's own texts are bilingual literals; the entries are the
// "lngname"s of the files.
class LanguageChooserDialog : public QDialog
{
    Q_OBJECT

public:
    // files: full paths of the language files, in the order they are offered.
    explicit LanguageChooserDialog(const QStringList& files, QWidget* parent = nullptr);

    // The file of the selected entry; empty when nothing is selected.
    QString chosenFile() const;

    // Shows the dialog modally; the chosen file, or the empty text when it was closed without OK.
    static QString choose(const QStringList& files);

private:
    QStringList m_files;
    QListWidget* m_list = nullptr;
};
