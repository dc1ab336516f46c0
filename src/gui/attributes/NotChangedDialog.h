#pragma once

#include "core/folderops/FolderChangeReport.h"

#include <QDialog>

struct AppState;

// The report of the folders whose attributes or times could not be changed: one numbered row per
// failure, naming the folder and why. Shown only when something failed.
class NotChangedDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmNotChanged"); }

    NotChangedDialog(const AppState& state, const FolderChangeReport& report, QWidget* parent = nullptr);
};
