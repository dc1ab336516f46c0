#include "gui/mainwindow/MainImageList.h"

#include "gui/mainwindow/DisabledLookIconEngine.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace {

// Theme names in order of preference; the symbolic variants cover themes that ship only those.
const QHash<QString, QStringList>& themeNames()
{
    static const QHash<QString, QStringList> names = {
        {QStringLiteral("OpenFile"), {QStringLiteral("document-open"), QStringLiteral("folder-open")}},
        {QStringLiteral("DelList"), {QStringLiteral("edit-clear-list"), QStringLiteral("list-remove")}},
        {QStringLiteral("TakeChanges"), {QStringLiteral("document-save")}},
        {QStringLiteral("RejectChanges"), {QStringLiteral("edit-clear")}},
        {QStringLiteral("Undo"), {QStringLiteral("edit-undo")}},
        {QStringLiteral("Rename06"), {QStringLiteral("edit-find-replace")}},
        {QStringLiteral("Rename09"), {QStringLiteral("x-office-calendar")}},
        {QStringLiteral("Options"), {QStringLiteral("preferences-system")}},
        {QStringLiteral("StartRecordScript"), {QStringLiteral("media-record")}},
        {QStringLiteral("StopRecordScript"), {QStringLiteral("media-playback-stop")}},
        {QStringLiteral("StartRunScript"), {QStringLiteral("media-playback-start")}},
        {QStringLiteral("RunSelectedScript"), {QStringLiteral("media-skip-forward")}},
        {QStringLiteral("EditMan"), {QStringLiteral("document-edit")}},
        {QStringLiteral("Add"), {QStringLiteral("list-add")}},
        {QStringLiteral("Properties"), {QStringLiteral("document-properties")}},
        {QStringLiteral("CancelAction"), {QStringLiteral("process-stop")}},
        {QStringLiteral("lstSort1"), {QStringLiteral("pan-up"), QStringLiteral("go-up")}},
        {QStringLiteral("lstSort2"), {QStringLiteral("pan-down"), QStringLiteral("go-down")}},
        {QStringLiteral("*FolderOpen*"), {QStringLiteral("folder-open")}},
        {QStringLiteral("*FolderClosed*"), {QStringLiteral("folder")}},
        // The standard buttons of the dialogs.
        {QStringLiteral("cmdOK"), {QStringLiteral("dialog-ok"), QStringLiteral("object-select")}},
        {QStringLiteral("cmdApply"), {QStringLiteral("dialog-ok-apply"), QStringLiteral("emblem-ok")}},
        {QStringLiteral("cmdCancel"), {QStringLiteral("dialog-cancel"), QStringLiteral("window-close")}},
        {QStringLiteral("cmdHelp"), {QStringLiteral("help-contents"), QStringLiteral("help-browser")}},
        {QStringLiteral("cmdSelect"), {QStringLiteral("view-list-details"), QStringLiteral("view-list")}},
    };
    return names;
}

QString drawingOf(const QString& key)
{
    QString file = key;
    file.remove(QLatin1Char('*'));
    return QStringLiteral(":/icons/") + file + QStringLiteral(".svg");
}

} // namespace

QIcon MainImageList::image(const QString& key)
{
    QIcon found;
    for (const QString& name : themeNames().value(key)) {
        for (const QString& candidate : {name, name + QStringLiteral("-symbolic")}) {
            if (found.isNull() && QIcon::hasThemeIcon(candidate))
                found = QIcon::fromTheme(candidate);
        }
    }
    const QString drawing = drawingOf(key);
    if (found.isNull() && QFile::exists(drawing))
        found = QIcon(drawing);
    return found.isNull() ? found : QIcon(new DisabledLookIconEngine(found));
}

bool MainImageList::hasImage(const QString& key)
{
    return !image(key).isNull();
}
