#include "gui/settings/LanguageChooserDialog.h"

#include "core/settings/LanguageDiscovery.h"
#include "core/settings/ProgramNames.h"
#include "core/settings/SettingsStore.h"
#include "gui/settings/NamedWidget.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

LanguageChooserDialog::LanguageChooserDialog(const QStringList& files, QWidget* parent)
    : QDialog(parent)
    , m_files(files)
{
    setObjectName(QStringLiteral("frmLanguageChooser"));
    setWindowTitle(ProductName() + QStringLiteral(" \u2013 Sprache/Language"));

    auto* label = new QLabel(QStringLiteral("Bitte w\u00e4hlen Sie Ihre Sprache.\nPlease choose your language."), this);
    m_list = NamedWidget<QListWidget>(this, QStringLiteral("lstLanguages"));
    QStringList locales;
    for (const QString& file : files) {
        QString name = ReadSetting(QStringLiteral("Main"), QStringLiteral("lngname"), file);
        if (name.isEmpty())
            name = QFileInfo(file).completeBaseName();
        locales.append(ReadSetting(QStringLiteral("Main"), QStringLiteral("locale"), file));
        m_list->addItem(name);
    }
    // The language of the desktop's locale comes first selected, so most users only confirm.
    m_list->setCurrentRow(PreselectedLanguage(locales, QLocale::system().name()));
    // No language file is read yet, so the list is named in both languages, as the window is.
    label->setBuddy(m_list);
    m_list->setAccessibleName(QStringLiteral("Sprache/Language"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

QString LanguageChooserDialog::chosenFile() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < m_files.size() ? m_files.at(row) : QString();
}

QString LanguageChooserDialog::choose(const QStringList& files)
{
    LanguageChooserDialog dialog(files);
    return dialog.exec() == QDialog::Accepted ? dialog.chosenFile() : QString();
}
