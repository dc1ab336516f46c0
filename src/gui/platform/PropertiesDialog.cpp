#include "gui/platform/PropertiesDialog.h"

#include "core/settings/Language.h"
#include "gui/settings/WidgetTranslator.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("frmProperties");

} // namespace

PropertiesDialog::PropertiesDialog(const FolderProperties& p, const Language& language, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(kSection);
    setWindowTitle(QStringLiteral("Properties"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    const QString unknown = language.GetLngText(kSection, QStringLiteral("Unknown"));
    const auto timeText = [&](const QDateTime& t) {
        return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : unknown;
    };
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString sizeText = language.GetLngText(kSection, QStringLiteral("SizeBytes"), {locale.toString(p.size)});
    if (sizeText.isEmpty())
        sizeText = locale.toString(p.size);
    if (p.size >= 1024)
        sizeText += QStringLiteral(" (") + locale.formattedDataSize(p.size) + QLatin1Char(')');
    const QString permissions =
        p.permissions ? FolderProperties::permissionText(*p.permissions) + QStringLiteral(" (") +
                            QString::number(*p.permissions, 8).rightJustified(4, QLatin1Char('0')) + QLatin1Char(')')
                      : unknown;

    addRow(QStringLiteral("lblPath"), p.path);
    addRow(QStringLiteral("lblSize"), sizeText);
    addRow(QStringLiteral("lblCreated"), timeText(p.created));
    addRow(QStringLiteral("lblModified"), timeText(p.lastWrite));
    addRow(QStringLiteral("lblAccessed"), timeText(p.lastAccess));
    addRow(QStringLiteral("lblPermissions"), permissions);
    addRow(QStringLiteral("lblOwner"), p.owner.isEmpty() ? unknown : p.owner);
    addRow(QStringLiteral("lblGroup"), p.group.isEmpty() ? unknown : p.group);

    auto* buttons = new QDialogButtonBox(this);
    auto* close = new QPushButton(QStringLiteral("Close"), buttons);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setProperty("tag", QStringLiteral("cmdClose|") + kSection);
    close->setDefault(true);
    buttons->addButton(close, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    TranslateForm(language, this, kSection);
}

void PropertiesDialog::addRow(const QString& name, const QString& value)
{
    auto* caption = new QLabel(name, this);
    caption->setObjectName(name);
    auto* text = new QLabel(value, this);
    text->setObjectName(QStringLiteral("txt") + name.mid(3));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setTextFormat(Qt::PlainText);
    static_cast<QFormLayout*>(layout()->itemAt(0)->layout())->addRow(caption, text);
}

QString PropertiesDialog::valueText(const QString& captionName) const
{
    const auto* label = findChild<QLabel*>(QStringLiteral("txt") + captionName.mid(3));
    return label ? label->text() : QString();
}
