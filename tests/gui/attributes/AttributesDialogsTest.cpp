#include "gui/attributes/CalendarDialog.h"
#include "gui/attributes/FolderAttributesDialog.h"
#include "gui/attributes/NotChangedDialog.h"
#include "gui/attributes/OffsetDialog.h"
#include "gui/mainwindow/AttributesController.h"
#include "gui/mainwindow/WindowSession.h"

#include "core/preview/PreviewList.h"
#include "gui/GuiTestApp.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/PreviewFixture.h"
#include "support/TestTree.h"

#include <QTest>
#include <QtWidgets>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

using Params = AttributesParams;

template <typename W> W* child(const QWidget& parent, const QString& name)
{
    auto* w = parent.findChild<W*>(name);
    EXPECT_TRUE(w) << name.toStdString();
    return w;
}

TEST(FolderAttributesDialog, StartsWithNothingToDoAndShowsWhatLinuxCannotDoDisabled)
{
    GuiTestApp app;
    FolderAttributesDialog dialog(app.state(), app.prompter());
    const Params params = dialog.params();
    EXPECT_EQ(params.readOnly, Params::Choice::Leave);
    EXPECT_EQ(params.hidden, Params::Choice::Leave);
    EXPECT_FALSE(params.requestsTimes());
    EXPECT_EQ(params.times[Params::Modified].date, app.state().now());

    auto* archive = child<QGroupBox>(dialog, "fraArchive");
    EXPECT_FALSE(archive->isEnabled());
    EXPECT_FALSE(archive->toolTip().isEmpty());
    auto* created = child<QCheckBox>(dialog, "chkDate(1)");
    EXPECT_FALSE(created->isEnabled());
    EXPECT_FALSE(created->toolTip().isEmpty());
    EXPECT_EQ(created->text(), QStringLiteral("&Creation time:"));
    // Checked by a script or by accident, a time this system cannot set is not requested.
    created->setChecked(true);
    child<QRadioButton>(dialog, "optArchive(2)")->setChecked(true);
    EXPECT_FALSE(dialog.params().times[Params::Created].enabled);
    EXPECT_EQ(dialog.params().archive, Params::Choice::Leave);

    auto* sources = child<QComboBox>(dialog, "cmbDate(2)");
    ASSERT_EQ(sources->count(), Params::kSourceCount);
    EXPECT_EQ(sources->itemText(7), QStringLiteral("Latest among its subfolders"));
}

TEST(FolderAttributesDialog, RowsShowTheDateOrTheOffsetAndGiveTheirChoices)
{
    GuiTestApp app;
    FolderAttributesDialog dialog(app.state(), app.prompter());
    dialog.show();
    child<QRadioButton>(dialog, "optReadOnly(2)")->setChecked(true);
    child<QRadioButton>(dialog, "optHidden(3)")->setChecked(true);
    auto* modified = child<QCheckBox>(dialog, "chkDate(2)");
    auto* source = child<QComboBox>(dialog, "cmbDate(2)");
    EXPECT_FALSE(source->isEnabled());
    modified->setChecked(true);
    EXPECT_TRUE(source->isEnabled());
    EXPECT_TRUE(child<QLabel>(dialog, "lblDate(2)")->isVisible());
    EXPECT_FALSE(child<QWidget>(dialog, "frameOffset(2)")->isVisible());
    source->setCurrentIndex(5);
    EXPECT_FALSE(child<QLabel>(dialog, "lblDate(2)")->isVisible());
    EXPECT_TRUE(child<QWidget>(dialog, "frameOffset(2)")->isVisible());
    EXPECT_FALSE(child<QPushButton>(dialog, "cmdOffsetSel(2)")->isEnabled());

    // The offset dialog as the user leaves it: one day earlier.
    dialog.setDialogRunner([](QDialog& d) {
        auto* offset = qobject_cast<OffsetDialog*>(&d);
        EXPECT_TRUE(offset);
        child<QComboBox>(d, "cmbPlusMinus")->setCurrentIndex(1);
        child<QScrollBar>(d, "scrollOffset(3)")->setValue(1);
        EXPECT_EQ(offset->offsetText(), QStringLiteral("-00:00:01:00:00:00"));
        return int(QDialog::Accepted);
    });
    child<QCheckBox>(dialog, "chkOffset(2)")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(dialog, "cmdOffsetSel(2)"), Qt::LeftButton);
    Params params = dialog.params();
    EXPECT_EQ(params.readOnly, Params::Choice::Set);
    EXPECT_EQ(params.hidden, Params::Choice::Clear);
    EXPECT_TRUE(params.times[Params::Modified].enabled);
    EXPECT_EQ(params.times[Params::Modified].source, Params::Source::FilesLatest);
    EXPECT_EQ(params.times[Params::Modified].offset, QStringLiteral("-00:00:01:00:00:00"));
    // An unchecked offset is the zero offset, whatever the label still shows.
    child<QCheckBox>(dialog, "chkOffset(2)")->setChecked(false);
    EXPECT_EQ(dialog.params().times[Params::Modified].offset, TimeOffset::zeroText());

    // The calendar as the user leaves it: 29 February 2024, 13:05:09.
    child<QCheckBox>(dialog, "chkDate(3)")->setChecked(true);
    dialog.setDialogRunner([](QDialog& d) {
        auto* calendar = qobject_cast<CalendarDialog*>(&d);
        EXPECT_TRUE(calendar);
        calendar->showMonth(2024, 2);
        QTest::mouseClick(child<QLabel>(d, "lblCal(31)"), Qt::LeftButton); // Thursday 1st is cell 3
        child<QScrollBar>(d, "scrollTimeHour")->setValue(13);
        child<QLineEdit>(d, "txtTimeMinute")->setText(QStringLiteral("5"));
        Q_EMIT child<QLineEdit>(d, "txtTimeMinute")->editingFinished();
        child<QScrollBar>(d, "scrollTimeSecond")->setValue(9);
        EXPECT_EQ(child<QLineEdit>(d, "txtTimeMinute")->text(), QStringLiteral("05"));
        return int(QDialog::Accepted);
    });
    dialog.pickDate(2);
    params = dialog.params();
    EXPECT_EQ(params.times[Params::Accessed].source, Params::Source::Explicit);
    EXPECT_EQ(params.times[Params::Accessed].date, QDateTime(QDate(2024, 2, 29), QTime(13, 5, 9)));
    EXPECT_FALSE(child<QLabel>(dialog, "lblDate(3)")->text().isEmpty());
}

TEST(CalendarDialog, PlacesTheDaysFromMondayAndKeepsTheChosenDayInTheMonth)
{
    GuiTestApp app;
    CalendarDialog calendar(app.state(), app.prompter(), QDateTime(QDate(2023, 1, 31), QTime(8, 9, 10)), "Title");
    EXPECT_EQ(calendar.windowTitle(), QStringLiteral("Title"));
    EXPECT_EQ(child<QComboBox>(calendar, "cmbYear")->count(), 301);
    EXPECT_EQ(child<QComboBox>(calendar, "cmbMonth")->count(), 12);
    // 1 January 2023 is a Sunday: the last cell of the first row.
    EXPECT_EQ(child<QLabel>(calendar, "lblCal(6)")->text(), QStringLiteral("1"));
    EXPECT_TRUE(child<QLabel>(calendar, "lblCal(5)")->text().isEmpty());
    EXPECT_EQ(child<QLineEdit>(calendar, "txtTimeSecond")->text(), QStringLiteral("10"));
    // 31 January, next month: the last day of February.
    QTest::mouseClick(child<QToolButton>(calendar, "cmdNextMonth"), Qt::LeftButton);
    EXPECT_EQ(calendar.value(), QDateTime(QDate(2023, 2, 28), QTime(8, 9, 10)));
    QTest::keyClick(&calendar, Qt::Key_Right);
    EXPECT_EQ(calendar.value().date(), QDate(2023, 3, 1));
    // Clicking an empty cell chooses nothing.
    QTest::mouseClick(child<QLabel>(calendar, "lblCal(0)"), Qt::LeftButton);
    EXPECT_EQ(calendar.value().date(), QDate(2023, 3, 1));
    // Years outside 1900 to 2200 are brought into them.
    CalendarDialog old(app.state(), app.prompter(), QDateTime(QDate(1850, 6, 1), QTime(0, 0)), QString());
    EXPECT_EQ(old.value().date(), QDate(1900, 6, 1));
}

TEST(OffsetDialog, StartsFromTheOffsetGivenAndRebuildsItOnEveryChange)
{
    GuiTestApp app;
    OffsetDialog dialog(app.state(), app.prompter(), QStringLiteral("-01:02:03:04:05:06"), QString());
    EXPECT_EQ(dialog.offsetText(), QStringLiteral("-01:02:03:04:05:06"));
    EXPECT_EQ(child<QLineEdit>(dialog, "txtOffset(4)")->text(), QStringLiteral("04"));
    child<QComboBox>(dialog, "cmbPlusMinus")->setCurrentIndex(0);
    child<QScrollBar>(dialog, "scrollOffset(1)")->setValue(20);
    child<QScrollBar>(dialog, "scrollOffset(1)")->setValue(21); // beyond its range
    EXPECT_EQ(dialog.offsetText(), QStringLiteral("+20:02:03:04:05:06"));
    OffsetDialog damaged(app.state(), app.prompter(), QStringLiteral("soon"), QString());
    EXPECT_EQ(damaged.offsetText(), TimeOffset::zeroText());
}

TEST(AttributesController, ReportsTheFoldersThatCouldNotBeChangedAndNothingWhenAllWent)
{
    GuiTestApp app;
    auto faulty = std::make_unique<FaultInjectingFileSystem>();
    FaultInjectingFileSystem* fs = faulty.get();
    app.state().services.fileSystem = std::move(faulty);
    TestTree tree({"A/", "B/"});
    PreviewList list;
    for (const char* name : {"A", "B"})
        list.append(MakeEntry(tree.root() + QLatin1Char('/'), QLatin1String(name)));
    WindowSession session(app.prompter());
    QComboBox applyTo;
    applyTo.addItems({"all", "selected", "not selected"});
    AttributesController controller(app.state(), session, list, applyTo, nullptr);
    QStringList reported;
    QString status;
    QString option = QStringLiteral("optReadOnly(2)");
    QObject::connect(&controller, &AttributesController::statusText, [&](const QString& text) { status = text; });
    controller.setDialogRunner([&](QDialog& d) {
        if (qobject_cast<NotChangedDialog*>(&d)) {
            auto* rows = child<QTableWidget>(d, "lstNotChanged");
            for (int row = 0; row < rows->rowCount(); ++row)
                reported.append(rows->item(row, 1)->text());
            return int(QDialog::Accepted);
        }
        child<QRadioButton>(d, option)->setChecked(true);
        return int(QDialog::Accepted);
    });

    controller.openAttributesDialog();
    EXPECT_TRUE(reported.isEmpty());
    EXPECT_EQ(fs->attributes(tree.path("A")), AttrReadOnly);

    fs->fail(FaultInjectingFileSystem::Op::SetAttributes, tree.path("B"), FsResult::Kind::Other);
    option = QStringLiteral("optHidden(2)");
    controller.openAttributesDialog();
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported.first().contains(QLatin1Char('"') + tree.path("B") + QLatin1Char('"')));
    EXPECT_TRUE(reported.first().contains(PosixFileSystem::fromErrno(EIO).systemText))
        << reported.first().toStdString();
    EXPECT_EQ(status, app.state().message(QStringLiteral("msgAttributesDone"), {"2", "1"}));
    EXPECT_EQ(fs->attributes(tree.path("A")), AttrReadOnly | AttrHidden);
}

} // namespace
