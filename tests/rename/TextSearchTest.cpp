#include "rename/TextSearch.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

TEST(TextSearchTest, IgnoringCaseFindsCharactersThatFoldToTheNeedle)
{
    // The Kelvin sign folds to "k", so a needle starting with a letter cannot skip ahead by a plain
    // character search.
    const TextSearch search(u"kb", true);
    EXPECT_EQ(search.indexIn(QString::fromUtf8("a\u212AB")), 1);
    EXPECT_EQ(search.indexIn(u"aKb"), 1);
    EXPECT_EQ(search.indexIn(u"aKb", 2), -1);
    const TextSearch tag(u"<uc>", true);
    EXPECT_EQ(tag.indexIn(u"x<UC>y<uC>", 2), 6);
}

TEST(TextSearchTest, OverlappingSearchContinuesInsideAMatch)
{
    const TextSearch search(u"aba");
    TextSearch::Cursor cursor;
    QList<qsizetype> starts;
    for (qsizetype at; (at = search.next(u"ababababa", cursor, true)) >= 0;)
        starts.append(at);
    EXPECT_EQ(starts, QList<qsizetype>({0, 2, 4, 6}));
    cursor = {};
    starts.clear();
    for (qsizetype at; (at = search.next(u"ababababa", cursor, false)) >= 0;)
        starts.append(at);
    EXPECT_EQ(starts, QList<qsizetype>({0, 4}));
}

} // namespace
