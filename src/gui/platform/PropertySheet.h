#pragma once

#include <QString>

struct AppState;
class QWidget;

// The properties of a folder: the desktop file manager's own sheet, asked for over D-Bus
// (org.freedesktop.FileManager1.ShowItemProperties); when no file manager answers, the program's own
// PropertiesDialog. Returns at once; the sheet shows without blocking the window.
namespace PropertySheet {

void show(const QString& folder, const AppState& state, QWidget* parent);

// The file:// URL of a path, byte for byte (a name that is not UTF-8 keeps its bytes).
QString fileUrl(const QString& path);

} // namespace PropertySheet
