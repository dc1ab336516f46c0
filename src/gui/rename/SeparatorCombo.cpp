#include "gui/rename/SeparatorCombo.h"

#include "core/rename/NameAddition.h"
#include "core/settings/Language.h"

#include <QComboBox>

void FillSeparatorCombo(QComboBox* combo, const Language& language)
{
    const int current = qMax(combo->currentIndex(), 0);
    QStringList items = NameAddition::separatorItems();
    items[0] = QLatin1Char('<') + language.GetLngText(QStringLiteral("frmNumber"), QStringLiteral("cmbBlank")) +
               QLatin1Char('>');
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(current);
}
