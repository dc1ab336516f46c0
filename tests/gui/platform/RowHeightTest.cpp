// Rows of every list are as high as their text needs, whatever the font: tall accents and underscores are
// never cut off. A larger desktop font stands for a larger scale factor, which only multiplies the pixels.
#include "core/commit/CommitRenames.h"
#include "core/commit/RenameHistory.h"
#include "core/preview/PreviewList.h"
#include "gui/GuiTestApp.h"
#include "gui/commit/HistoryDialog.h"
#include "gui/commit/NotRenamedDialog.h"
#include "gui/mainwindow/PreviewTableView.h"
#include "support/PreviewFixture.h"
#include "support/WriteTextFile.h"

#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

TEST(RowHeight, ListRowsHoldTallAccentsAndUnderscoresAtEveryFontSize)
{
    GuiTestApp app;
    ASSERT_TRUE(WriteTextFile(app.settingsPath(QStringLiteral("renamed.vlp")),
                              QStringLiteral("20240131153045\"/p/\"\u00d6l_a\"\u00c5l_b\n")));
    const QFont desktop = QApplication::font();
    for (const int points : {9, 14, 28}) {
        SCOPED_TRACE(points);
        QFont font = desktop;
        font.setPointSize(points);
        QApplication::setFont(font);
        const QFontMetrics metrics(font);
        // The ink of the tallest and lowest characters, with a pixel to spare on each side.
        const int needed = metrics.boundingRect(QStringLiteral("\u00c5\u00d6_gjpqy")).height() + 2;

        PreviewList list;
        list.append(MakeEntry(QStringLiteral("/p/"), QStringLiteral("\u00d6l_a")));
        PreviewTableView preview(list);
        EXPECT_GE(preview.rowHeight(0), needed) << "preview";

        HistoryDialog history(app.state(), app.prompter());
        ASSERT_EQ(history.history().size(), 1);
        EXPECT_GE(history.list()->visualRect(history.history().index(0, 0)).height(), needed) << "history";

        CommitReport report;
        report.failures.append({QStringLiteral("/p/\u00d6l_a/"), QStringLiteral("\u00d6l_a")});
        NotRenamedDialog notRenamed(app.state(), list, report);
        auto* failures = notRenamed.findChild<QTableWidget*>(QStringLiteral("lstNotRenamed"));
        failures->resizeRowsToContents();
        EXPECT_GE(failures->rowHeight(0), needed) << "not-renamed report";
    }
    QApplication::setFont(desktop);
}

} // namespace
