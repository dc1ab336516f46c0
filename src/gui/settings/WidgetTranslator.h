#pragma once

#include <QString>

class Language;
class QWidget;

// Puts the texts of the language file on a window. Controls are found by their objectName, which is the
// control's given name ("cmdOK", "txtPr", "opt1(3)"); what the language file calls a control's tag is
// the dynamic property "tag" (a key, "key|section", or a section name beginning with "frm").
//
// Conventions the windows follow so that their texts can be found:
//  - Command buttons are QPushButtons (or QToolButtons outside tool bars); their captions default to
//    section [Buttons]. A button with an icon and no caption gets the text as its tool tip.
//  - Combo boxes and list widgets take entries from key + "-1", key + "-2", … when key + "-1" exists.
//  - Tabs: the key of a tab of a QTabWidget is its page's objectName.
//  - List views (QTreeWidget, QTableView, QTreeView) carry the dynamic property "columnTags", a
//    QStringList with one tag per column ("key" or "key|section"; empty for no text).
//  - Tool bars: each button is a QAction of the QToolBar whose objectName is the button key; the items of
//    a button's drop-down QMenu are QActions whose objectName is the menu key. The dialog button bar is
//    the tool bar named "btnBarDialogs".
//  - Menus: every QMenu and every menu QAction has the item's name as objectName ("mnuFile",
//    "mnuOpenFile").
// Only controls for which the language file has a non-empty text are changed. The window title comes
// from the key "Caption" of the section.
void TranslateForm(const Language& language, QWidget* form, const QString& section = QString());
