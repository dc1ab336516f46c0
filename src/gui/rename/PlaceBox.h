#pragma once

#include <QGroupBox>

class Language;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The "where the addition goes" group of the numbering and date dialogs: before or after the name, an
// optional separator, and an optional text that replaces the base name. Each list and field is enabled
// only while its check box is ticked. The object names are the dialogs' own, since remembered values and
// scripts address the controls by them.
class PlaceBox : public QGroupBox
{
public:
    PlaceBox(QWidget* parent, const QString& beforeName, const QString& afterName, const QString& separatorName);

    // Fills the separator list in the current language; called whenever the dialog's texts are applied.
    void fillSeparators(const Language& language);
    // Brings the enabling in line with the check boxes, e.g. after values were restored.
    void updateEnabling();

private:
    QCheckBox* m_useSeparator = nullptr;
    QComboBox* m_separator = nullptr;
    QCheckBox* m_replace = nullptr;
    QLineEdit* m_replacement = nullptr;
};
