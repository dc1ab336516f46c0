#include "gui/platform/PropertySheet.h"

#include "core/AppState.h"
#include "core/platform/FileNames.h"
#include "core/settings/Paths.h"
#include "gui/platform/PropertiesDialog.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QPointer>

namespace PropertySheet {

namespace {

void showOwnDialog(const QString& folder, const AppState& state, QWidget* parent)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FolderProperties properties = FolderProperties::read(state.fs(), folder);
    QApplication::restoreOverrideCursor();
    auto* dialog = new PropertiesDialog(properties, state.language, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

} // namespace

QString fileUrl(const QString& path)
{
    return QStringLiteral("file://") +
           QString::fromLatin1(FileNames::encode(StripTrailingSeparator(path)).toPercentEncoding("/"));
}

void show(const QString& folder, const AppState& state, QWidget* parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        showOwnDialog(folder, state, parent);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
    call << QStringList{fileUrl(folder)} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000), parent);
    const QPointer<QWidget> owner(parent);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [folder, &state, owner](QDBusPendingCallWatcher* w) {
                         if (w->isError())
                             showOwnDialog(folder, state, owner);
                         w->deleteLater();
                     });
}

} // namespace PropertySheet
