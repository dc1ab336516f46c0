#include "gui/mainwindow/MainWindowFixture.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "support/TestTree.h"

#include <QTest>
#include <QToolTip>

namespace {

using ConflictMarks = MainWindowFixture;

// The window as a user sees it, with the tool tip of a marked entry painted where it shows.
void saveShot(MainWindow& window, const QModelIndex& marked, const QString& name)
{
    const QString dir = qEnvironmentVariable("DIRWRIGHT_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    window.resize(900, 360);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    PreviewTableView* view = window.ui().lstVorschau;
    const QRect cell = view->visualRect(marked);
    const QPoint at = view->viewport()->mapToGlobal(cell.center());
    QToolTip::showText(at, marked.data(Qt::ToolTipRole).toString(), view->viewport());
    QPixmap shot = window.grab();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("QTipLabel") && w->isVisible()) {
            QPainter painter(&shot);
            painter.drawPixmap(window.mapFromGlobal(w->pos()), w->grab());
        }
    }
    EXPECT_TRUE(shot.save(QDir(dir).filePath(name)));
    QToolTip::hideText();
}

// A proposal onto a folder that stays is marked (icon, tool tip, count) and can be selected; the safe
// take refuses while it is, and takes the swap once it is resolved.
TEST_F(ConflictMarks, MarkedEntriesAreShownCountedSelectedAndBlockTheSafeTake)
{
    TestTree tree({"a/", "b/", "c/", "d/", "e/"});
    const QString parent = tree.root() + QLatin1Char('/');
    open();
    addEntries({"a>b", "b>a", "c>d", "e>x"}, parent);
    PreviewList& list = window->list();
    const int c = list.rowOfKey(parent + QStringLiteral("c/"));
    const QModelIndex marked = list.index(c, FolderEntry::ColNewName);
    EXPECT_FALSE(marked.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(marked.data(Qt::ToolTipRole).toString(),
              app.state().message(QStringLiteral("msgConflictExists"), {QLatin1Char('"') + parent + "d\""}));
    for (const char* unmarked : {"a/", "b/", "e/"})
        EXPECT_TRUE(list.index(list.rowOfKey(parent + QLatin1String(unmarked)), FolderEntry::ColNewName)
                        .data(Qt::DecorationRole)
                        .isNull());
    EXPECT_TRUE(window->ui().status->text().endsWith(
        app.state().message(QStringLiteral("msgConflictCount"), {QStringLiteral("1")})));
    for (const char* language : {"Deutsch", "English"}) {
        ASSERT_TRUE(app.state().language.load(app.state().programFolder + QLatin1String(language) + ".lng"));
        window->applyTexts();
        window->refreshPreview();
        saveShot(*window, marked, QStringLiteral("conflicts-%1.png").arg(QLatin1String(language)));
    }

    ASSERT_TRUE(item(CommandId::SelectConflicts)->isEnabled());
    item(CommandId::SelectConflicts)->trigger();
    EXPECT_EQ(list.selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(list.isSelected(c));
    EXPECT_EQ(list.currentRow(), c);

    app.prompter().expectButton(Prompter::Ok);
    item(CommandId::TakeSelected)->trigger();
    EXPECT_EQ(tree.folders(), (QStringList{"a", "b", "c", "d", "e"}));
    ASSERT_EQ(app.prompter().asked().size(), 1);
    EXPECT_TRUE(app.prompter().asked().at(0).text.contains(parent + QStringLiteral("c\": ")));

    list.setNewName(c, QStringLiteral("y"));
    window->refreshPreview();
    EXPECT_FALSE(item(CommandId::SelectConflicts)->isEnabled());
    // The bar button repeats the variant chosen last: the safe take.
    button(CommandId::TakeChosen)->trigger();
    EXPECT_EQ(tree.folders(), (QStringList{"a", "b", "d", "x", "y"}));
    EXPECT_EQ(app.prompter().asked().size(), 1); // no report: nothing failed
    EXPECT_EQ(window->ui().button(CommandId::TakeChosen)->toolTip().count(QLatin1Char('[')), 1);
    EXPECT_TRUE(window->ui().button(CommandId::TakeChosen)->toolTip().contains(QStringLiteral("safe")));
}

} // namespace
