#include "rename/TextSearch.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

TEST(TextSearchTest, FoldingKeepsEveryPosition)
{
    const QString text = QString::fromUtf8("ΣΑς 𐐀 \u212A Straße");
    const QString folded = FoldCaseCopy(text);
    EXPECT_EQ(folded, QString::fromUtf8("σασ 𐐨 k straße"));
    EXPECT_EQ(folded.size(), text.size());
    // A lone surrogate stays as it is.
    const QString lone(QChar(0xDC00));
    EXPECT_EQ(FoldCaseCopy(lone), lone);
}

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
