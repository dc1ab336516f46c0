#pragma once

#include <QDialog>
#include <vector>

struct AppState;
class PreviewList;
class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;

// Copying or moving the target entries into one folder ("frmSelAction"). The mode is the dialog's tag,
// "frmCopyFolders" or "frmMoveFolders", which is also the section of its texts and of its kept values.
// OK is possible only for an existing folder; it keeps the values and refuses (staying open) when two
// folders of one name would meet in the target.
class SelActionDialog : public QDialog
{
    Q_OBJECT

public:
    static QString formName() { return QStringLiteral("frmSelAction"); }
    static QString copyTag() { return QStringLiteral("frmCopyFolders"); }
    static QString moveTag() { return QStringLiteral("frmMoveFolders"); }

    SelActionDialog(AppState& state, Prompter& prompter, const PreviewList& list, std::vector<int> rows,
                    const QString& tag, QWidget* parent = nullptr);

    bool moving() const { return m_tag == moveTag(); }
    QString targetFolder() const;
    // A move always updates the list.
    bool updateList() const;

    void accept() override;

private:
    void targetChanged();
    void browse();

    AppState& m_state;
    Prompter& m_prompter;
    const PreviewList& m_list;
    std::vector<int> m_rows;
    QString m_tag;
    QLineEdit* m_target = nullptr;
    QCheckBox* m_update = nullptr;
    QPushButton* m_ok = nullptr;
};
