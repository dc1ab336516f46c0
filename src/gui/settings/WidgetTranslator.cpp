#include "gui/settings/WidgetTranslator.h"

#include "core/settings/Language.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

namespace {

const QString kButtons = QStringLiteral("Buttons");

QString withoutAmpersands(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// Where a control's text is looked up: by its tag when it has one, else by its name.
struct LookupKey
{
    QString key;
    QString section;
};

LookupKey lookupKey(const QObject* control, const QString& formSection, bool commandButton)
{
    const QString name = control->objectName();
    const QString tag = control->property("tag").toString();
    if (!tag.isEmpty() && tag.contains(QLatin1Char('|'))) {
        const qsizetype bar = tag.indexOf(QLatin1Char('|'));
        return {tag.left(bar), tag.mid(bar + 1)};
    }
    if (tag.startsWith(QLatin1String("frm"), Qt::CaseInsensitive))
        return {name, tag};
    if (!tag.isEmpty())
        return {tag, formSection};
    return {name, commandButton ? kButtons : formSection};
}

// The first non-empty text among several keys of one section.
QString firstText(const Language& lng, const QString& section, std::initializer_list<QString> keys)
{
    for (const QString& key : keys) {
        const QString text = lng.GetLngText(section, key);
        if (!text.isEmpty())
            return text;
    }
    return {};
}

bool isCommandButton(const QWidget* w)
{
    if (qobject_cast<const QPushButton*>(w))
        return true;
    const auto* tool = qobject_cast<const QToolButton*>(w);
    return tool && !qobject_cast<const QToolBar*>(w->parentWidget());
}

void applyCaption(QWidget* w, const QString& text, bool commandButton)
{
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (commandButton && button->text().isEmpty() && !button->icon().isNull()) {
            // A picture says nothing to a screen reader: it reads the caption the tool tip shows.
            button->setToolTip(withoutAmpersands(text));
            button->setAccessibleName(withoutAmpersands(text));
        } else {
            button->setText(text);
        }
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(text);
    } else {
        // A control that shows no caption (a text field, a list) is named by its text for screen readers.
        w->setAccessibleName(withoutAmpersands(text));
    }
}

// Screen readers name most controls by the label whose buddy they are, but not lists and tables: those
// take their label's caption as their accessible name.
void nameListsByTheirLabels(const QList<QWidget*>& controls)
{
    for (const QWidget* w : controls) {
        const auto* label = qobject_cast<const QLabel*>(w);
        auto* view = label ? qobject_cast<QAbstractItemView*>(label->buddy()) : nullptr;
        if (view && !label->text().isEmpty())
            view->setAccessibleName(withoutAmpersands(label->text()).trimmed());
    }
}

// The access key of a caption: the character after a single "&".
QChar accessKey(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (text.at(i + 1) != QLatin1Char('&'))
                return text.at(i + 1).toLower();
            ++i;
        }
    }
    return {};
}

// Items whose caption has no access key (those that show a column caption, or come from a language file
// that gives none) get the first letter of theirs that no other item of the menu uses, so that every
// command can be reached from the keyboard.
void giveAccessKeys(QMenu* menu)
{
    const QList<QAction*> items = menu->actions();
    QSet<QChar> taken;
    for (const QAction* item : items) {
        if (const QChar key = accessKey(item->text()); !key.isNull())
            taken.insert(key);
    }
    for (QAction* item : items) {
        const QString text = item->text();
        if (item->isSeparator() || text.isEmpty() || !accessKey(text).isNull())
            continue;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i).toLower();
            if (c.isLetterOrNumber() && !taken.contains(c)) {
                taken.insert(c);
                item->setText(QString(text).insert(i, QLatin1Char('&')));
                break;
            }
        }
    }
}

void fillEntries(const Language& lng, QWidget* w, const LookupKey& at)
{
    const QString first = lng.GetLngText(at.section, at.key + QStringLiteral("-1"));
    if (first.isEmpty())
        return;
    QStringList items;
    for (int n = 1;; ++n) {
        const QString item = lng.GetLngText(at.section, at.key + QLatin1Char('-') + QString::number(n));
        if (item.isEmpty())
            break;
        items.append(item);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->clear();
        combo->addItems(items);
        combo->setCurrentIndex(0);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->clear();
        list->addItems(items);
        list->setCurrentRow(0);
    }
}

void translateTabs(const Language& lng, QTabWidget* tabs, const QString& section)
{
    for (int i = 0; i < tabs->count(); ++i) {
        const QString text = lng.GetLngText(section, tabs->widget(i)->objectName());
        if (!text.isEmpty())
            tabs->setTabText(i, text);
    }
}

void translateColumns(const Language& lng, QWidget* view, const QString& section)
{
    const QStringList tags = view->property("columnTags").toStringList();
    for (int column = 0; column < tags.size(); ++column) {
        const QString& tag = tags.at(column);
        if (tag.isEmpty())
            continue;
        const qsizetype bar = tag.indexOf(QLatin1Char('|'));
        const QString text = bar >= 0 ? lng.GetLngText(tag.mid(bar + 1), tag.left(bar)) : lng.GetLngText(section, tag);
        if (text.isEmpty())
            continue;
        // A tag list longer than the view's columns must not add columns.
        if (auto* tree = qobject_cast<QTreeWidget*>(view)) {
            if (column < tree->columnCount())
                tree->headerItem()->setText(column, text);
        } else if (auto* itemView = qobject_cast<QAbstractItemView*>(view); itemView && itemView->model()) {
            if (column < itemView->model()->columnCount())
                itemView->model()->setHeaderData(column, Qt::Horizontal, text);
        }
    }
}

void translateToolBar(const Language& lng, QToolBar* bar, const QString& section)
{
    const QString barName = bar->objectName();
    const bool dialogBar = barName == QLatin1String("btnBarDialogs");
    for (QAction* action : bar->actions()) {
        const QString key = action->objectName();
        if (key.isEmpty() || action->isSeparator())
            continue;
        if (dialogBar) {
            if (key.startsWith(QLatin1String("cmd"))) {
                const QString text = lng.GetLngText(kButtons, key);
                if (!text.isEmpty())
                    action->setText(QLatin1Char(' ') + text + QLatin1Char(' '));
            }
            continue;
        }
        QString tip = firstText(lng, section, {key, barName + key, QStringLiteral("mnu") + key});
        if (tip.isEmpty())
            tip = lng.GetLngText(kButtons, key);
        if (!tip.isEmpty()) {
            action->setToolTip(withoutAmpersands(tip));
            action->setIconText(withoutAmpersands(tip));
        }
        if (QMenu* menu = action->menu()) {
            for (QAction* item : menu->actions()) {
                const QString itemKey = item->objectName();
                if (itemKey.isEmpty() || item->isSeparator())
                    continue;
                const QString text = firstText(lng, section, {barName + itemKey, QStringLiteral("Mnu") + itemKey});
                if (!text.isEmpty())
                    item->setText(text);
            }
        }
    }
}

// Menu items are captions like any other control, looked up by name (or tag) in the window's section.
void translateMenu(const Language& lng, QMenu* menu, const QString& section)
{
    const LookupKey at = lookupKey(menu, section, false);
    if (!at.key.isEmpty()) {
        const QString title = lng.GetLngText(at.section, at.key);
        if (!title.isEmpty())
            menu->setTitle(title);
    }
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->menu() || action->objectName().isEmpty())
            continue;
        const LookupKey item = lookupKey(action, section, false);
        const QString text = lng.GetLngText(item.section, item.key);
        if (!text.isEmpty())
            action->setText(text);
    }
    giveAccessKeys(menu);
}

} // namespace

void TranslateForm(const Language& language, QWidget* form, const QString& section)
{
    if (!form)
        return;
    const QString formSection = section.isEmpty() ? form->objectName() : section;

    const QList<QWidget*> controls = form->findChildren<QWidget*>();
    // A tool bar button's drop-down menu takes its entries by the tool bar rules only; the menu rules
    // would look its keys up under other names.
    QSet<const QMenu*> dropDowns;
    for (const QToolBar* bar : form->findChildren<QToolBar*>()) {
        for (const QAction* action : bar->actions()) {
            if (action->menu())
                dropDowns.insert(action->menu());
        }
    }
    for (QWidget* w : controls) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (auto* menu = qobject_cast<QMenu*>(w)) {
            if (!dropDowns.contains(menu))
                translateMenu(language, menu, formSection);
            continue;
        }
        if (auto* bar = qobject_cast<QToolBar*>(w)) {
            translateToolBar(language, bar, formSection);
            continue;
        }
        const bool command = isCommandButton(w);
        const LookupKey at = lookupKey(w, formSection, command);
        const QString text = language.GetLngText(at.section, at.key);
        if (!text.isEmpty())
            applyCaption(w, text, command);
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QListWidget*>(w))
            fillEntries(language, w, at);
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            translateTabs(language, tabs, formSection);
        else if (qobject_cast<QTreeWidget*>(w) || qobject_cast<QTableView*>(w) || qobject_cast<QTreeView*>(w))
            translateColumns(language, w, formSection);
    }
    nameListsByTheirLabels(controls);

    const QString caption = language.GetLngText(formSection, QStringLiteral("Caption"));
    if (!caption.isEmpty())
        form->setWindowTitle(caption);
}
