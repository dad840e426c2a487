// The graph of a loaded file: its span by the file's period and extent, its
// window at the first record, and only the series the user never scaled scaled.

#include "main/LoadedGraph.h"
#include "DataSetAccess.h"
#include "TestContext.h"
#include "base/MeasuredItems.h"
#include "store/CsvTestSupport.h"
#include "views/GraphTestData.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

constexpr long long kDay = 86400;

TEST(LoadedGraph, TheSpanFollowsThePeriodAndHoldsACurve)
{
    const struct {
        const char* name;
        int period;
        long long extent;
        int hani;
    } cases[] = {
        {"three minutes of seconds", 1, 180, 1},
        {"a day of ten-second records", 10, kDay, 1},
        {"few records that fit a minute", 20, 40, 1},
        {"23 days of half-minute records", 30, 23 * kDay, 2},
        {"a day of minutes", 60, kDay, 2},
        {"quarter hours", 900, 2 * kDay, 2},
        {"half hours", 1800, 2 * kDay, 3},
        {"hours for 23 days", 3600, 23 * kDay, 3},
        {"two-day steps stay at a day", 2 * 86400, 30 * kDay, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(graphXHaniForData(c.period, c.extent), c.hani) << c.name;
}

TEST(LoadedGraph, TheWindowStartsAtTheFileAndKeepsTheUsersScales)
{
    TestContext t;
    Context& ctx = *t.ctx;
    fillGraphCatalog(ctx.cat, 1);
    const double start = at(2002, 6, 1, 10, 0, 0);
    std::vector<DataRecord> records;
    for (int r = 0; r < 100; ++r) {
        DataRecord rec;
        rec.number = r;
        rec.setTime(vbdate::addSeconds(start, 30LL * r));
        rec.setColumn(seriesColumn(0), 205);  // volts
        rec.setColumn(seriesColumn(4), 2500); // watts
        records.push_back(rec);
    }
    csvdata::storeRecords(ctx, records, 2);
    props(ctx).SampleInterval = 30;
    // What the window showed before: a day of something else.
    ctx.app.GraphXHani = 3;
    ctx.graphWindow().GraphStart = at(2001, 1, 1, 0, 0, 0);
    setDecade(ctx.cat, 4, 5); // the user's 1000 kW for the active power
    ctx.cat.SeriesScaleChosen[4] = true;

    fitGraphToLoadedData(ctx);

    EXPECT_EQ(ctx.app.GraphXHani, 2);
    EXPECT_EQ(ctx.graphWindow().GraphStart, start);
    EXPECT_EQ(ctx.graphWindow().GraphEnd, vbdate::addSeconds(start, 3600));
    EXPECT_EQ(ctx.graphWindow().GraphPoints, 100);
    EXPECT_EQ(ctx.cat.SeriesYMin[0], 180); // fitted to its 205 V
    EXPECT_EQ(ctx.cat.SeriesYMax[0], 230);
    EXPECT_EQ(ctx.cat.SeriesScale[4], 5);   // left as the user set it
    EXPECT_EQ(ctx.cat.SeriesYMax[4], 1e6);
}

} // namespace
} // namespace quellin::test
