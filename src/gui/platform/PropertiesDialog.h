#pragma once

#include "core/platform/FolderProperties.h"

#include <QDialog>

class Language;
class QLabel;

// The program's own small properties window of a folder (frmProperties), for desktops whose file
// manager offers none: path, size, times, permissions, owner and group.
class PropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    PropertiesDialog(const FolderProperties& properties, const Language& language, QWidget* parent = nullptr);

    // The value shown in the row of a caption label ("lblSize" → its value text), for tests.
    QString valueText(const QString& captionName) const;

private:
    void addRow(const QString& name, const QString& value);
};
