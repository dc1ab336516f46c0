#include "gui/rename/PrefixSuffixDialog.h"

#include "core/AppState.h"
#include "gui/rename/NameFieldWidget.h"
#include "gui/script/DialogState.h"
#include "gui/settings/NamedWidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// The field labels are the caption's two words around "/": the text before it, and the word after it.
std::optional<std::pair<QString, QString>> captionWords(const QString& caption)
{
    const qsizetype slash = caption.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return std::nullopt;
    const QString first = caption.left(slash).trimmed();
    const QString rest = caption.mid(slash + 1).trimmed();
    const qsizetype blank = rest.indexOf(QLatin1Char(' '));
    const QString second = blank < 0 ? rest : rest.left(blank);
    if (first.isEmpty() || second.isEmpty())
        return std::nullopt;
    return std::make_pair(first + QLatin1Char(':'), second + QLatin1Char(':'));
}

} // namespace

PrefixSuffixDialog::PrefixSuffixDialog(RenameDialogHost host, QWidget* parent)
    : RenameDialog(kType, std::move(host), parent)
{
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    m_prefixLabel = NamedWidget<QLabel>(this, QStringLiteral("lblPrefix"));
    m_suffixLabel = NamedWidget<QLabel>(this, QStringLiteral("lblSuffix"));
    m_prefix = NamedWidget<NameFieldWidget>(this, QStringLiteral("txtPr"));
    m_suffix = NamedWidget<NameFieldWidget>(this, QStringLiteral("txtSu"));
    for (QLineEdit* field : {m_prefix, m_suffix})
        field->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    m_prefixLabel->setBuddy(m_prefix);
    m_suffixLabel->setBuddy(m_suffix);
    grid->addWidget(m_prefixLabel, 0, 0);
    grid->addWidget(m_prefix, 0, 1);
    grid->addWidget(m_suffixLabel, 1, 0);
    grid->addWidget(m_suffix, 1, 1);
    auto* info = NamedWidget<QLabel>(this, QStringLiteral("lblInfo"));
    grid->addWidget(info, 2, 1);
    contentLayout()->addLayout(grid);
    load();
}

void PrefixSuffixDialog::textsApplied()
{
    const auto words = captionWords(state().language.GetLngText(objectName(), QStringLiteral("Caption")));
    if (!words)
        return;
    m_prefixLabel->setText(words->first);
    m_suffixLabel->setText(words->second);
}

PrefixSuffixParams PrefixSuffixDialog::params() const
{
    return PrefixSuffixParams::fromValues(ReadDialogValues(this));
}

void PrefixSuffixDialog::runFunction(RenameRun& run)
{
    applyPrefixSuffix(run, params());
}
