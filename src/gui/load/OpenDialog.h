#pragma once

#include "core/load/OpenLocations.h"
#include "core/load/PowerFilterList.h"

#include <QDialog>
#include <QIcon>
#include <QStringList>
#include <array>

class Prompter;
struct AppState;
class LocationComboWidget;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;

// The open dialog (frmOpen): the user walks the volumes and folders, takes some folders of one folder
// (or all of them), optionally with every folder below them, and narrows the result with name filters.
// On OK the dialog stores its folder, options and filters and holds the folders to load:
//
//     OpenDialog dialog(app, prompter, this);
//     if (dialog.exec() == QDialog::Accepted)
//         LoadPendingFolders(dialog.pendingPaths());
//
// Cancel stores nothing.
class OpenDialog : public QDialog
{
    Q_OBJECT
public:
    OpenDialog(AppState& app, Prompter& prompter, QWidget* parent = nullptr);

    // The folders OK chose, each with one trailing separator, in loading order; empty before OK.
    QStringList pendingPaths() const { return m_pending; }
    // How many of the chosen folders the filters left out.
    int filteredOut() const { return m_filteredOut; }

    // Shows a folder (one trailing separator), or the computer level for the empty path. A folder that
    // does not exist leaves the dialog where it is, or at the computer level.
    void navigate(const QString& path);
    QString currentPath() const { return m_path; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void applyTexts();
    void setIcons();
    const QIcon& iconOf(OpenLocations::Kind kind) const { return m_kindIcons.at(size_t(kind)); }

    void rebuildDropDown();
    void relist(bool keepSelection);
    void refreshSelectionText();
    void updateOpenEnabled();
    void onTakeAllToggled(bool checked);
    void onEntryOpened(QListWidgetItem* item);
    void goUp();

    void fillFilterList(int currentRow);
    void onFilterChanged(QListWidgetItem* item);
    void addFilter();
    void editFilter();
    void deleteFilter();
    void updateFilterButtons();

    void takeAndAccept();

    AppState& m_app;
    Prompter& m_prompter;
    QString m_path;
    bool m_listed = false;
    QList<OpenLocations::Entry> m_volumes;
    PowerFilterList m_filters;
    QStringList m_pending;
    int m_filteredOut = 0;
    std::array<QIcon, 6> m_kindIcons; // by OpenLocations::Kind

    LocationComboWidget* m_drives = nullptr;
    QToolButton* m_up = nullptr;
    QLineEdit* m_pathEdit = nullptr;
    QListWidget* m_entries = nullptr;
    QLineEdit* m_selection = nullptr;
    QListWidget* m_filterList = nullptr;
    QToolButton* m_filterAdd = nullptr;
    QToolButton* m_filterEdit = nullptr;
    QToolButton* m_filterDel = nullptr;
    QCheckBox* m_takeAll = nullptr;
    QCheckBox* m_subfolders = nullptr;
    QCheckBox* m_showFiles = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_cancel = nullptr;
};
