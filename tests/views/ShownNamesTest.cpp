// The measured items' names under English: the windows show them translated,
// while the catalogue keeps the Japanese the data files' head is made of; the
// version text before the meter answers likewise.

#include "EnglishTexts.h"
#include "GraphTestRecords.h"
#include "TestContext.h"
#include "base/Context.h"
#include "platform/Tx.h"
#include "views/GraphScene.h"
#include "views/GraphWindow.h"
#include "views/ListTexts.h"
#include "views/ModGraph.h"

#include <functional>
#include <gtest/gtest.h>

namespace quellin {
namespace {

TEST(ShownNames, TranslatedWhereShownJapaneseInTheCatalogue)
{
    test::TestContext t;
    Context& ctx = *t.ctx;
    test::buildCatalog(ctx, 2);
    const QStringList titles = ctx.cat.ColumnTitles;
    const QStringList names = ctx.cat.SeriesNames;
    const test::EnglishTexts english;
    ASSERT_TRUE(english.loaded());
    const struct { const char* where; std::function<QString()> shown; const char* english; } cases[] = {
        {"list heading", [&] { return listHeaders(ctx).value(2); }, "Voltage R"},
        {"list heading v2", [&] { return listHeaders(ctx).value(12); }, "Leakage current 1"},
        {"series name", [&] { return shownSeriesName(ctx.cat, 8); }, "Accumulated energy"},
        {"Y bar", [&] { return graphScene(ctx.graphWindow(), ctx.dataSet(), ctx.cat, {}).series[4].name; },
         "Active power"},
        {"fixed axis", [&] { return scaleYSetup(ctx, 7).refusal; }, "Power factor cannot be changed."},
        {"Y dialog frame", [&] { return scaleYSetup(ctx, 12).frameCaption; }, "Y-axis scale [Temperature 1]"},
        // Kept Japanese until the meter answers, shown in the language.
        {"version not read", [&] { return txText(kNotQueriedText); }, "not read."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown(), QString::fromUtf8(c.english)) << c.where;
    EXPECT_EQ(ctx.cat.ColumnTitles, titles);
    EXPECT_EQ(ctx.cat.SeriesNames, names);
    EXPECT_EQ(ctx.cat.SeriesNames.value(8), QStringLiteral("積算電力量"));
}

} // namespace
} // namespace quellin
