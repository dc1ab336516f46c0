#include "core/rename/CaseTags.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The case pass as the language defines it: take the first opening and the first closing tag, convert
// what lies between, splice, repeat. Quadratic, but obviously right.
QString referenceCaseTags(QString s, CaseFunction function, const QString& tagName)
{
    const QString open = "<" + tagName + ">";
    const QString close = "</" + tagName + ">";
    for (;;) {
        const qsizetype p = s.indexOf(open, 0, Qt::CaseInsensitive);
        const qsizetype q = s.indexOf(close, 0, Qt::CaseInsensitive);
        if (p < 0 || q < 0 || q < p + open.size())
            return s;
        s = s.left(p) + ConvertCase(QStringView(s).mid(p + open.size(), q - p - open.size()), function) +
            s.mid(q + close.size());
    }
}

TEST(CaseTagsTest, SweepAgreesWithRepeatedSplicing)
{
    const std::pair<CaseFunction, const char*> functions[] = {
        {CaseFunction::Upper, "UC"},        {CaseFunction::Lower, "LC"}, {CaseFunction::FirstCapital, "1C"},
        {CaseFunction::WordCapitals, "WC"}, {CaseFunction::Swap, "SC"},
    };
    const QStringList pieces{"a", "B", " ", "'", "-", ".", "x", "<", ">", "cD", "/"};
    QRandomGenerator random(20240131);
    for (const auto& [function, name] : functions) {
        const QString tag = QString::fromLatin1(name);
        const QStringList tags{"<" + tag + ">", "</" + tag + ">", "<" + tag.toLower() + ">",
                               "</" + tag.toLower() + ">"};
        for (int round = 0; round < 3000; ++round) {
            QString s;
            const int length = random.bounded(14);
            for (int i = 0; i < length; ++i)
                s += random.bounded(3) == 0 ? tags.at(random.bounded(tags.size()))
                                            : pieces.at(random.bounded(pieces.size()));
            ASSERT_EQ(ApplyCaseTags(s, function), referenceCaseTags(s, function, tag)) << name << ": " << qPrintable(s);
        }
    }
}

} // namespace
