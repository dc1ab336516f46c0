#include "core/settings/OptionsValues.h"

#include "core/AppState.h"
#include "core/settings/IniDocument.h"
#include "core/settings/Settings.h"

#include <gtest/gtest.h>

namespace {

const QString kFilter = QStringLiteral("Filter");

TEST(NamedFiltersTest, StoredValuesBecomeFiltersUpToTheFirstEmptyKey)
{
    IniDocument doc;
    doc.setValue(kFilter, QStringLiteral("f1"), QStringLiteral("Photos|IMG_*; DSC* ;;"));
    doc.setValue(kFilter, QStringLiteral("f2"), QStringLiteral("no bar here"));
    doc.setValue(kFilter, QStringLiteral("f3"), QStringLiteral("Years|19??|20??|x"));
    doc.setValue(kFilter, QStringLiteral("f5"), QStringLiteral("After the gap|*"));
    const QList<NamedFilter> filters = LoadFilters(doc);
    ASSERT_EQ(filters.size(), 2) << "a value without \"|\" is skipped; the list ends at the missing f4";
    EXPECT_EQ(filters[0], (NamedFilter{QStringLiteral("Photos"), {QStringLiteral("IMG_*"), QStringLiteral("DSC*")}}));
    // Only the first "|" separates the name.
    EXPECT_EQ(filters[1], (NamedFilter{QStringLiteral("Years"), {QStringLiteral("19??|20??|x")}}));

    // The skipped value is dropped at the next write, and the list ends with an empty key.
    SaveFilters(doc, filters);
    EXPECT_EQ(doc.value(kFilter, QStringLiteral("f1")), QStringLiteral("Photos|IMG_*;DSC*"));
    EXPECT_EQ(doc.value(kFilter, QStringLiteral("f2")), QStringLiteral("Years|19??|20??|x"));
    EXPECT_TRUE(doc.value(kFilter, QStringLiteral("f3")).isEmpty());
    EXPECT_EQ(LoadFilters(doc), filters);
}

TEST(NamedFiltersTest, TwoFiltersAreWrittenAsTwoKeysAndAnEmptyThird)
{
    IniDocument doc;
    doc.setValue(kFilter, QStringLiteral("f3"), QStringLiteral("Old|*"));
    doc.setValue(kFilter, QStringLiteral("f4"), QStringLiteral("Older|*"));
    SaveFilters(doc, {{QStringLiteral("A"), {QStringLiteral("a*")}}, {QStringLiteral("B"), {}}});
    EXPECT_EQ(doc.value(kFilter, QStringLiteral("f1")), QStringLiteral("A|a*"));
    EXPECT_EQ(doc.value(kFilter, QStringLiteral("f2")), QStringLiteral("B|"));
    EXPECT_TRUE(doc.value(kFilter, QStringLiteral("f3")).isEmpty());
    EXPECT_EQ(LoadFilters(doc).size(), 2) << "keys after the empty one are never read again";
}

TEST(OptionsValuesTest, EveryValueGoesToItsKeyAndComesBack)
{
    Settings settings;
    OptionsValues v;
    v.languageName = QStringLiteral("Deutsch");
    v.saveSettings = true;
    v.protocolRenames = false;
    v.confirm = {true, false, true};
    v.expertMode = true;
    v.backColor = AppState::kSystemButtonFace;
    v.foreColor = AppState::kSystemButtonText;
    v.filters = {{QStringLiteral("Photos"), {QStringLiteral("IMG_*")}}};
    v.applyTo(settings);

    const IniDocument& doc = settings.document();
    auto value = [&](const char* section, const char* key) {
        return doc.value(QLatin1String(section), QLatin1String(key));
    };
    EXPECT_EQ(value("Settings", "lng"), QStringLiteral("Deutsch"));
    EXPECT_EQ(value("Settings", "savset"), QStringLiteral("1"));
    EXPECT_EQ(value("Settings", "protren"), QStringLiteral("0"));
    EXPECT_EQ(value("Settings", "secquest1") + value("Settings", "secquest2") + value("Settings", "secquest3"),
              QStringLiteral("101"));
    EXPECT_EQ(value("Settings", "ExpertMode"), QStringLiteral("1"));
    // The reset colours are stored as the platform's references, as signed numbers.
    EXPECT_EQ(value("Dialogs", "BackColor"), QStringLiteral("-2147483633"));
    EXPECT_EQ(value("Dialogs", "ForeColor"), QStringLiteral("-2147483630"));
    EXPECT_EQ(value("Filter", "f1"), QStringLiteral("Photos|IMG_*"));

    const OptionsValues back = OptionsValues::fromSettings(settings);
    EXPECT_EQ(back.languageName, v.languageName);
    EXPECT_EQ(back.confirm, v.confirm);
    EXPECT_EQ(back.backColor, v.backColor);
    EXPECT_EQ(back.foreColor, v.foreColor);
    EXPECT_EQ(back.filters, v.filters);
}

} // namespace
