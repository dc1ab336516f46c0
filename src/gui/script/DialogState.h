#pragma once

#include "core/script/DialogValues.h"

#include <QString>
#include <functional>

struct AppState;
class QObject;
class QWidget;

// The fields of a dialog as stored values, and back. Every named control of the dialog is visited; its
// key is its objectName ("txtPr", "opt1(3)"):
//  - QLineEdit, QPlainTextEdit: the text with blanks as the stand-in character; empty text has no value;
//  - QRadioButton: "-1" when selected, else no value (so only the selected one of a group is stored);
//  - QCheckBox: 0 unchecked, 1 checked, 2 partly checked;
//  - QAbstractSlider (scroll bars), QSpinBox: the value;
//  - QComboBox: the current index; QListWidget: the current row, or with multiple selection the sorted
//    indices of the selected rows joined by "," (nothing selected: no value);
//  - any other control: no value.
// A key without a value is removed from a stored section, so it never outlives the state it stood for.

// The values of the dialog's fields; controls without a value are listed with an empty value.
DialogValues ReadDialogValues(const QWidget* dialog);

// Calls changed whenever a value the line above reads changes: a text typed, an option chosen, a box
// checked, a number or an entry picked. The connections live as long as the receiver.
void WatchDialogValues(const QWidget* dialog, QObject* receiver, const std::function<void()>& changed);

// Puts values back. A missing or empty value leaves its control as it is, and so does a value that does
// not fit: a control that is gone, an index out of range, text where a number belongs.
void WriteDialogValues(QWidget* dialog, const DialogValues& values);

// Mode 1: the settings file, section = the form name. Mode 2: appends a step to the recording
// ("script.tmp"), section = the dialog's type number as text. False when nothing could be written.
[[nodiscard]] bool SaveDialogState(AppState& state, const QWidget* dialog, const QString& section, int mode);

// The values kept in the settings file, section = the form name.
void RestoreDialogState(const AppState& state, QWidget* dialog, const QString& section);

// The values of a step of the script being run.
void RestoreScriptStep(const QString& scriptFile, QWidget* dialog, int step);
