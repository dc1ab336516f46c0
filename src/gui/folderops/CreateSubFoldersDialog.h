#pragma once

#include <QDialog>

struct AppState;
class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;

// Numbered subfolders inside every selected folder ("frmCreateSubFolders"): a name (a path of several
// levels may be typed, with "/"), how many, and whether the new folders join the list.
class CreateSubFoldersDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmCreateSubFolders"); }

    CreateSubFoldersDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

    QString subfolderName() const;
    int count() const;
    bool loadCreated() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nameChanged();
    void tidyCount();

    AppState& m_state;
    Prompter& m_prompter;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_count = nullptr;
    QCheckBox* m_load = nullptr;
    QPushButton* m_ok = nullptr;
};
