#pragma once

#include <QIcon>
#include <QString>

// The main window's pictures by key: the button keys ("OpenFile", "Rename05" …), the sort icons
// "lstSort1" and "lstSort2", the folder pictures "*FolderOpen*" and "*FolderClosed*", and the pictures of
// the dialogs' standard buttons ("cmdOK", "cmdApply", "cmdCancel", "cmdHelp", "cmdSelect"). Each comes from
// the desktop's icon theme by its freedesktop name, else from the small drawings shipped with the
// program, so the program looks at home on any desktop and complete on a bare one.
class MainImageList
{
public:
    static QIcon image(const QString& key);
    // True when the key has a picture.
    static bool hasImage(const QString& key);
};
