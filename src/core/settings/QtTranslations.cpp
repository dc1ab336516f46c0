#include "core/settings/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

namespace {

// The translator lives as a child of the application; its name finds it again on a language change.
const QString kTranslatorName = QStringLiteral("dirwrightQtTranslator");

} // namespace

bool InstallQtTranslations(const QString& locale)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    if (auto* old = app->findChild<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    // Only a plain locale name ("de", "pt_BR") is used to form the file name.
    static const QRegularExpression plainLocale(QStringLiteral("^[A-Za-z]{2,3}(_[A-Za-z]{2,4})?$"));
    const QString name = locale.trimmed();
    if (!plainLocale.match(name).hasMatch())
        return false;
    auto* translator = new QTranslator(app);
    translator->setObjectName(kTranslatorName);
    if (!translator->load(QStringLiteral("qtbase_") + name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        translator->isEmpty()) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}
