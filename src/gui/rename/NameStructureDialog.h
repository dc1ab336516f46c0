#pragma once

#include "core/rename/StructureLibrary.h"
#include "gui/rename/RenameDialog.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QScrollBar;
class QTreeWidget;
class StructureItemList;

// The name structures ("frmNameStructure"): the user's library of named structures, an editor that
// composes one from lists of elements and functions (dragged onto the structure, or inserted at the
// cursor with a double-click), and an example: the current new name of any entry of the list, chosen with
// VScroll1, and what the structure in the editor makes of it, as it is typed.
//
// The library view and the editor take turns. The editor's OK checks the structure and keeps it in the
// library; Apply saves the library to "structures.vlp" (when it changed), checks the selected structure
// and gives every entry the apply-to choice admits the name it builds. OK is Apply and close; Cancel
// closes and forgets changes of the library since the last Apply. Applying a structure is not a script
// step: a structure lives in the user's library, which another computer need not have.
class NameStructureDialog : public QDialog
{
    Q_OBJECT

public:
    NameStructureDialog(RenameDialogHost host, QWidget* parent = nullptr);

    const StructureLibrary& library() const { return m_library; }
    // The selected structure, -1 for none.
    int selectedIndex() const;
    void select(int index);
    // Whether the editor is shown (instead of the library view).
    bool editing() const;

    // The library view.
    void addStructure();
    void editStructure();
    void deleteStructure();
    // The editor.
    void confirmStructure();
    void cancelStructure();
    // Inserts an element or function at the cursor of the structure.
    void insertAtCursor(const QString& text);

    // The example: entry number (from 1) of the list, and what the edited structure makes of its name.
    void showExample(int number);
    QString exampleResult() const;

    // False when the structure fails its check (the editor then shows it) or nothing could be applied.
    bool apply();
    void ok();

private:
    void showLibrary(int select);
    void selectionChanged();
    void openEditor(bool adding);
    void fieldsChanged();
    void refreshExample();
    // Checks the structure in the editor's field and tells the user what is wrong; false when it fails.
    bool checkStructure();
    bool saveLibrary();

    RenameDialogHost m_host;
    StructureLibrary m_library;
    bool m_libraryChanged = false;
    bool m_adding = false;
    QWidget* m_frameMain = nullptr;
    QWidget* m_frameEdit = nullptr;
    QTreeWidget* m_structures = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_structure = nullptr;
    StructureItemList* m_elements = nullptr;
    StructureItemList* m_functions = nullptr;
    QPushButton* m_editOk = nullptr;
    QPushButton* m_editCancel = nullptr;
    QLineEdit* m_fileName = nullptr;
    QLineEdit* m_result = nullptr;
    QScrollBar* m_scroll = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_apply = nullptr;
};
