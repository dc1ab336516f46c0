#include "gui/mainwindow/MainWindowFixture.h"

#include "core/script/ScriptStore.h"
#include "gui/mainwindow/PreviewTableView.h"

#include <QAbstractItemModelTester>
#include <QPainter>
#include <QTest>

namespace {

// While a rename dialog is open, the list shows what its Apply would give, in italics, for the rows in
// view; Apply makes the names real, closing the dialog shows the list's own names again.
class LivePreview : public MainWindowFixture
{
protected:
    QString shown(int row) const { return window->list().index(row, FolderEntry::ColNewName).data().toString(); }
    bool italic(int row) const
    {
        return window->list().index(row, FolderEntry::ColNewName).data(Qt::FontRole).value<QFont>().italic();
    }
    // What the new-name column shows, "*" marking the previewed names.
    QStringList column(int rows) const
    {
        QStringList cells;
        for (int row = 0; row < rows; ++row)
            cells.append(shown(row) + (italic(row) ? QStringLiteral("*") : QString()));
        return cells;
    }
};

TEST_F(LivePreview, TheListShowsWhatApplyWouldGiveUntilTheDialogCloses)
{
    open();
    QAbstractItemModelTester tester(&window->list(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    addEntries({"a", "b.x", "c"});
    select(1);
    window->ui().lstApplyTo->setCurrentIndex(2); // all but b.x
    item(CommandId::StartRecording)->trigger();
    std::vector<QStringList> steps;
    answerDialogs([&](QDialog& d) {
        steps.push_back(column(3));
        operate(d, {"txtPr=x ", "txtSu=_1"});
        steps.push_back(column(3));
        EXPECT_EQ(newNames(), (QStringList{"a", "b.x", "c"})) << "a preview is no proposal";
        operate(d, {"cmdApply"});
        steps.push_back(column(3));
        operate(d, {"txtSu="});
        steps.push_back(column(3));
        operate(d, {"cmdCancel"});
    });
    item(CommandId::Rename05)->trigger();
    steps.push_back(column(3));
    const std::vector<QStringList> expected{
        {"a", "b.x", "c"},               // the remembered values are empty: nothing would change
        {"x a_1*", "b.x", "x c_1*"},     // b.x is not admitted
        {"x a_1", "b.x", "x c_1"},       // applied: the list's own names
        {"x x a_1*", "b.x", "x x c_1*"}, // the next Apply would work on those
        {"x a_1", "b.x", "x c_1"},       // closed: what was applied stays
    };
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(window->list().summary().undoLevels, 1);
    EXPECT_EQ(ScriptStore::stepCount(ScriptStore::scratchPath(app.state())), 1);
}

TEST_F(LivePreview, OnlyTheRowsInViewAreComputedAndScrollingComputesTheOthers)
{
    open();
    std::vector<FolderEntry> entries;
    for (int n = 0; n < 3000; ++n)
        entries.push_back(MakeEntry(QStringLiteral("/p/"), QStringLiteral("f%1").arg(n, 4, 10, QLatin1Char('0'))));
    window->list().appendBatch(std::move(entries));
    window->refreshPreview();
    PreviewTableView* view = window->ui().lstVorschau;
    const int last = window->list().size() - 1;
    answerDialogs([&](QDialog& d) {
        operate(d, {"txtPr=y"});
        EXPECT_EQ(shown(0), QStringLiteral("yf0000"));
        EXPECT_EQ(shown(last), QStringLiteral("f2999"));
        EXPECT_FALSE(italic(last));
        view->scrollToBottom();
        EXPECT_EQ(shown(last), QStringLiteral("yf2999"));
        EXPECT_TRUE(italic(last));
        EXPECT_EQ(shown(0), QStringLiteral("f0000"));
        operate(d, {"cmdOK"});
    });
    item(CommandId::Rename05)->trigger();
    EXPECT_EQ(shown(0), QStringLiteral("yf0000"));
    EXPECT_EQ(shown(last), QStringLiteral("yf2999"));
    EXPECT_FALSE(italic(last));
}

// A function that counts the entries it names (numbering) previews the rows in view with the numbers
// Apply gives them, however far down they are.
TEST_F(LivePreview, CountingFunctionsPreviewTheNumbersApplyGives)
{
    open();
    std::vector<FolderEntry> entries;
    for (int n = 0; n < 1500; ++n)
        entries.push_back(MakeEntry(QStringLiteral("/p/"), QStringLiteral("f%1").arg(n, 4, 10, QLatin1Char('0'))));
    window->list().appendBatch(std::move(entries));
    window->refreshPreview();
    PreviewTableView* view = window->ui().lstVorschau;
    const int last = window->list().size() - 1;
    QStringList previewed;
    answerDialogs([&](QDialog& d) {
        view->scrollToBottom();
        previewed = QStringList{shown(last - 1), shown(last)};
        EXPECT_TRUE(italic(last));
        operate(d, {"cmdOK"});
    });
    item(CommandId::Rename01)->trigger();
    EXPECT_EQ(previewed, (QStringList{newNames().at(last - 1), newNames().at(last)}));
    EXPECT_NE(newNames().at(last), QStringLiteral("f1499"));
}

// The look: a dialog over the list with its preview, in each language (saved when a folder for
// pictures is given).
class LivePreviewLook : public ::testing::TestWithParam<const char*>
{};

TEST_P(LivePreviewLook, TheDialogOverTheListShowsItsPreviewInItalics)
{
    GuiTestApp app(QLatin1String(GetParam()) + QStringLiteral(".lng"));
    MainWindow window(app.state(), app.prompter());
    window.loadHandler();
    for (const char* name : {"Holiday 2004", "München 1999", "Photos", "Summer trip.2004", "Wedding"})
        window.list().append(MakeEntry(QStringLiteral("/home/anna/Archive/"), QString::fromUtf8(name)));
    window.refreshPreview();
    window.resize(1400, 560);
    window.renameController().setDialogRunner([&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("txtPr"))->setText(QStringLiteral("2024-"));
        dialog.findChild<QLineEdit*>(QStringLiteral("txtSu"))->setText(QStringLiteral(" (scan)"));
        EXPECT_EQ(window.list().index(1, FolderEntry::ColNewName).data().toString(),
                  QString::fromUtf8("2024-München 1999 (scan)"));
        const QString dir = qEnvironmentVariable("DIRWRIGHT_SHOTS_DIR");
        if (!dir.isEmpty()) {
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            // The offscreen platform draws no window frames: the dialog gets a title strip of its own.
            QPixmap shot = window.grab();
            QPainter painter(&shot);
            const QPoint at((shot.width() - dialog.width()) / 2, shot.height() - dialog.height() - 60);
            const QRect title(at.x(), at.y() - 26, dialog.width(), 26);
            painter.fillRect(title, dialog.palette().color(QPalette::Highlight));
            painter.setPen(dialog.palette().color(QPalette::HighlightedText));
            painter.drawText(title.adjusted(8, 0, 0, 0), Qt::AlignVCenter, dialog.windowTitle());
            painter.drawPixmap(at, dialog.grab());
            painter.end();
            EXPECT_TRUE(shot.save(QDir(dir).filePath(QStringLiteral("live-preview-") + GetParam() + ".png")));
        }
        return QDialog::Rejected;
    });
    window.renameController().openRenameDialog(5);
    EXPECT_EQ(window.list().index(1, FolderEntry::ColNewName).data().toString(), QString::fromUtf8("München 1999"));
}

INSTANTIATE_TEST_SUITE_P(Languages, LivePreviewLook, ::testing::Values("English", "Deutsch"));

} // namespace
