#include "gui/mainwindow/MainWindowFixture.h"

#include "gui/mainwindow/PreviewTableView.h"

namespace {

using ColumnWidths = MainWindowFixture;

// On a wide window the old and new names take the room the other columns leave; what is stored stays
// the user's widths, in twips, whatever the window's width.
TEST_F(ColumnWidths, NameColumnsTakeTheExtraRoomAndTheStoredWidthsStayTheUsers)
{
    const std::array<const char*, 6> stored{"6000", "1500", "1500", "0", "2250", "1500"};
    for (size_t n = 0; n < stored.size(); ++n)
        store("Main", QStringLiteral("Col%1").arg(n + 1).toLatin1().constData(), QLatin1String(stored[n]));
    open();
    addEntries({"a"});
    const QHeaderView* header = window->ui().lstVorschau->horizontalHeader();
    const QWidget* viewport = window->ui().lstVorschau->viewport();
    int own = 0;
    for (const char* twips : stored)
        own += window->toPixels(QString::fromLatin1(twips).toInt());
    for (const int width : {760, 2600, 1800}) {
        SCOPED_TRACE(width);
        window->resize(width, 600);
        QCoreApplication::processEvents();
        int shown = 0;
        for (int column = 0; column < PreviewList::kVisibleColumns; ++column)
            shown += header->isSectionHidden(column) ? 0 : header->sectionSize(column);
        const int extra = std::max(0, viewport->width() - own);
        EXPECT_EQ(header->sectionSize(1) + header->sectionSize(2), 2 * window->toPixels(1500) + extra);
        EXPECT_LE(std::abs(header->sectionSize(1) - header->sectionSize(2)), 1);
        if (extra > 0) {
            EXPECT_EQ(shown, viewport->width());
        }
        EXPECT_EQ(width == 760, extra == 0);
        EXPECT_EQ(header->sectionSize(0), window->toPixels(6000));
        for (size_t n = 0; n < stored.size(); ++n)
            EXPECT_EQ(window->columnWidthTwips(static_cast<int>(n)), QString::fromLatin1(stored[n]).toInt()) << n;
    }

    // A column the user drags changes its own width by the drag; the name beside it keeps its own.
    window->ui().lstVorschau->horizontalHeader()->resizeSection(1, header->sectionSize(1) + window->toPixels(300));
    EXPECT_EQ(window->columnWidthTwips(1), 1800);
    EXPECT_EQ(window->columnWidthTwips(2), 1500);
    EXPECT_TRUE(window->closeRequest());
    EXPECT_EQ(setting("Main", "Col2"), QStringLiteral("1800"));
    for (const auto& [key, value] :
         {std::pair{"Col1", "6000"}, {"Col3", "1500"}, {"Col4", "0"}, {"Col5", "2250"}, {"Col6", "1500"}})
        EXPECT_EQ(setting("Main", key), QLatin1String(value)) << key;
}

} // namespace
