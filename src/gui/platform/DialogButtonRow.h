#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

// The row a dialog ends in: Help at the left, OK (the default button) and Cancel at the right. The
// buttons carry the names the language file and the guide know them by ("cmdHelp", "cmdOK",
// "cmdCancel"); OK accepts the dialog and Cancel rejects it. Their texts come with the dialog's
// translation; the help button opens the guide once the dialog calls ConnectHelp.
struct DialogButtonRow
{
    QHBoxLayout* layout = nullptr;
    QPushButton* help = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;

    static DialogButtonRow create(QDialog* dialog);
};
