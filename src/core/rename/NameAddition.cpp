#include "core/rename/NameAddition.h"

#include "core/rename/NameParts.h"
#include "core/script/DialogValues.h"

const QStringList& NameAddition::separatorItems()
{
    static const QStringList items{QStringLiteral(" "),   QStringLiteral(" - "), QStringLiteral("-"),
                                   QStringLiteral(" _ "), QStringLiteral("_"),   QStringLiteral(" # "),
                                   QStringLiteral("#"),   QStringLiteral(" + "), QStringLiteral("+"),
                                   QStringLiteral(" . "), QStringLiteral(".")};
    return items;
}

QString NameAddition::separatorOf(bool used, int index)
{
    const QStringList& items = separatorItems();
    return used && index >= 0 && index < items.size() ? items.at(index) : QString();
}

QString NameAddition::apply(const QString& name, const QString& text) const
{
    const FolderNameViews parts = SplitFolderNameViews(name);
    const QStringView base = replaceBase ? QStringView(replacement) : parts.base;
    QString result;
    result.reserve(text.size() + separator.size() + base.size() + parts.ext.size());
    if (place == After)
        result.append(base).append(separator).append(text);
    else
        result.append(text).append(separator).append(base);
    return result.append(parts.ext);
}

NameAddition NameAddition::fromValues(const DialogValues& values, const QString& afterKey, const QString& separatorKey)
{
    NameAddition addition;
    addition.place = values.selected(afterKey) ? After : Before;
    addition.separator = separatorOf(values.checked(separatorKey), values.number(QStringLiteral("cmbIChr"), 0));
    addition.replaceBase = values.checked(QStringLiteral("chkReplace"));
    addition.replacement = values.text(QStringLiteral("txtRepName"));
    return addition;
}
