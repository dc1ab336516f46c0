#include "app/MainWindow.h"

#include "rename/EditManDialog.h"
#include "rename/RenameDialogFactory.h"
#include "support/PreviewFixture.h"
#include "support/TestApp.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// A text is missing when it is empty or still the control's name (or any other key-like word).
void expectText(const QString& text, const QString& name, const QString& what)
{
    const QString plain = QString(text).remove(QLatin1Char('&')).trimmed();
    EXPECT_FALSE(plain.isEmpty()) << what.toStdString() << " " << name.toStdString() << " has no text";
    // A key that is a plain word ("Undo") may well be its own English text; a compound key may not.
    const bool keyLike = name.contains(QRegularExpression(QStringLiteral("^.+[A-Z0-9]")));
    if (keyLike) {
        EXPECT_NE(plain.compare(name, Qt::CaseInsensitive), 0) << what.toStdString() << " shows its key";
    }
    for (const char* prefix : {"mnu", "btnBar", "lstColHead", "Msg", "lbl", "opt", "chk", "cmd", "fra", "frm", "txt"})
        EXPECT_FALSE(plain.startsWith(QLatin1String(prefix))) << what.toStdString() << ": " << plain.toStdString();
}

// Every window that takes its texts from the language file is checked here, in every language.
void checkMainWindow(const QString& languageFile)
{
    TestApp app(languageFile);
    MainWindow window(app.state());
    window.loadHandler();

    expectText(window.windowTitle(), QStringLiteral("frmMain"), QStringLiteral("title"));
    for (QMenu* menu : window.findChildren<QMenu*>()) {
        const bool dropDown = menu->objectName().isEmpty();
        if (!dropDown && menu->objectName() != QLatin1String("mnuPopup1"))
            expectText(menu->title(), menu->objectName(), QStringLiteral("menu"));
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            expectText(a->text(), a->objectName(), QStringLiteral("menu item"));
        }
    }
    for (QToolBar* bar : window.findChildren<QToolBar*>()) {
        for (QAction* a : bar->actions()) {
            if (a->isSeparator() || a->objectName().isEmpty())
                continue;
            expectText(a->toolTip(), a->objectName(), QStringLiteral("button tool tip"));
        }
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        // The current-entry values are empty while the list is.
        if (label->objectName().isEmpty() || label->objectName().startsWith(QLatin1String("lbl2(")))
            continue;
        expectText(label->text(), label->objectName(), QStringLiteral("label"));
    }
    auto* applyTo = window.findChild<QComboBox*>(QStringLiteral("lstApplyTo"));
    ASSERT_NE(applyTo, nullptr);
    ASSERT_EQ(applyTo->count(), 3);
    for (int i = 0; i < applyTo->count(); ++i)
        expectText(applyTo->itemText(i), QStringLiteral("lstApplyTo"), QStringLiteral("apply-to entry"));
    expectText(applyTo->toolTip(), QStringLiteral("Frameapply"), QStringLiteral("apply-to tool tip"));
    for (int column = 0; column < PreviewList::kVisibleColumns; ++column)
        expectText(window.list().headerText(column), QStringLiteral("lstColHead0%1").arg(column + 1),
                   QStringLiteral("column header"));
}

// Captions, frames, option buttons, check boxes, buttons and their tool tips of a dialog. Labels that show
// values rather than captions are named in `values`.
void checkDialog(QDialog& dialog, const QStringList& values = {})
{
    const QString form = dialog.objectName();
    expectText(dialog.windowTitle(), form, QStringLiteral("title"));
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!values.contains(label->objectName()))
            expectText(label->text(), label->objectName(), form + QStringLiteral(" label"));
    }
    for (QGroupBox* frame : dialog.findChildren<QGroupBox*>())
        expectText(frame->title(), frame->objectName(), form + QStringLiteral(" frame"));
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        expectText(button->text(), button->objectName(), form + QStringLiteral(" button"));
        if (qobject_cast<QPushButton*>(button))
            expectText(button->toolTip(), button->objectName(), form + QStringLiteral(" button tool tip"));
    }
}

void checkRenameDialogs(const QString& languageFile)
{
    TestApp app(languageFile);
    PreviewList list;
    list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("Trip.2004")));
    for (int type : {3, 4, 5}) {
        const auto dialog =
            CreateRenameDialog(type, {app.state(), list, 0, QStringLiteral("All"), QStringLiteral("Menu"), {}, {}});
        ASSERT_NE(dialog, nullptr) << type;
        checkDialog(*dialog);
    }
    EditManDialog edit(app.state(), list, 1, {});
    checkDialog(edit, {QStringLiteral("lblCurrentName")});
}

} // namespace

TEST(MainWindowTexts, EveryControlHasItsTextInEnglish)
{
    checkMainWindow(QStringLiteral("English.lng"));
    checkRenameDialogs(QStringLiteral("English.lng"));
}

TEST(MainWindowTexts, EveryControlHasItsTextInGerman)
{
    checkMainWindow(QStringLiteral("Deutsch.lng"));
    checkRenameDialogs(QStringLiteral("Deutsch.lng"));
}
