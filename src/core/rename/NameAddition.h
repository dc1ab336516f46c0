#pragma once

#include <QString>
#include <QStringList>

class DialogValues;

// A text put before or after the base name of a folder, with an optional separator between them, the
// base name optionally replaced by a fixed text; the extension stays. Numbering and date naming add
// their texts this way, and share the separator list ("cmbIChr") with the insert function.
struct NameAddition
{
    enum Place { Before = 1, After = 2 };

    int place = Before;
    QString separator;
    bool replaceBase = false;
    QString replacement;

    // The separators offered, in list order. The first item stands for a single blank; its list text
    // comes from the language file.
    static const QStringList& separatorItems();
    // The separator of a list choice: none when the separator is not used, a blank for the first item,
    // else the item's text; an index outside the list gives none.
    static QString separatorOf(bool used, int index);

    // The addition as a dialog's "where it goes" group stores it: the option afterKey chosen means After;
    // separatorKey is the check box that turns the separator list ("cmbIChr") on.
    static NameAddition fromValues(const DialogValues& values, const QString& afterKey, const QString& separatorKey);

    // name with text added: text + separator + base (Before) or base + separator + text (After), then the
    // extension.
    QString apply(const QString& name, const QString& text) const;
};
