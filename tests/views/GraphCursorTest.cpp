// The cursor's readout: the sample position under the mouse, its time and each
// shown series' value there as its curve draws it, in the unit of its Y bar.

#include "views/GraphCursor.h"
#include "GraphTestData.h"
#include "TestContext.h"

#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;

namespace {

const double kStart = at(2002, 6, 1, 10, 0, 0);

double plus(long long seconds)
{
    return vbdate::addSeconds(kStart, seconds);
}

struct CursorFixture : ::testing::Test {
    CursorFixture()
    {
        test::fillGraphCatalog(ctx.cat, 2);
        ctx.cat.SeriesShown.assign(14, false);
        for (const int s : {4, 7, 9})
            ctx.cat.SeriesShown[static_cast<size_t>(s)] = true;
        test::setDecade(ctx.cat, 4, 3); // kilowatts
        DataSetProperties& st = test::props(ctx);
        st.SampleInterval = 1;
        ctx.graphWindow().GraphStart = kStart;
        ctx.graphWindow().GraphEnd = plus(60);
        // Seconds 0..9, then nothing until 20..25 (a gap of missing samples).
        std::vector<double> times;
        std::vector<std::vector<double>> values(14);
        for (const int t : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 20, 21, 22, 23, 24, 25}) {
            times.push_back(plus(t));
            values[4].push_back(1000.0 + 100 * t); // W
            values[7].push_back(90.0);             // %
            values[9].push_back(2.5 * t);          // mA
        }
        test::setGraphPoints(ctx.graphWindow(), 14, times, values);
    }
    test::TestContext t;
    Context& ctx = *t.ctx;
};

TEST_F(CursorFixture, ValuesAsTheCurvesDrawThem)
{
    const GraphWindowState& st = ctx.graphWindow();
    EXPECT_EQ(seriesValueAt(st, 1, 4, plus(3)), 1300.0);  // a point
    EXPECT_EQ(seriesValueAt(st, 1, 4, plus(25)), 3500.0); // the last point
    EXPECT_EQ(seriesValueAt(st, 1, 4, plus(14)), std::nullopt); // in the gap: nothing
    EXPECT_EQ(seriesValueAt(st, 1, 4, plus(9)), 1900.0);
    EXPECT_EQ(seriesValueAt(st, 1, 4, plus(26)), std::nullopt); // after the last point
    EXPECT_EQ(seriesValueAt(st, 1, 4, vbdate::addSeconds(kStart, -1)), std::nullopt);
    EXPECT_EQ(seriesValueAt(st, 1, 13, plus(3)), 0.0); // a series without values reads 0
    EXPECT_EQ(seriesValueAt(st, 1, 20, plus(3)), std::nullopt);

    // Samples further apart than the interval but joined: every 10 s at a 10 s interval.
    GraphWindowState sparse;
    test::setGraphPoints(sparse, 14, {plus(0), plus(10)}, {{}, {}, {}, {}, {100, 200}});
    EXPECT_EQ(seriesValueAt(sparse, 10, 4, plus(4)), 140.0);
    // One sample missing: the dotted bridge at the last value.
    EXPECT_EQ(seriesValueAt(sparse, 5, 4, plus(7)), 100.0);
}

TEST_F(CursorFixture, ValuesReadInTheUnitOfTheirBar)
{
    EXPECT_EQ(seriesValueText(ctx.cat, 4, 1234.0), QStringLiteral("1.234"));
    test::setDecade(ctx.cat, 4, 1);
    EXPECT_EQ(seriesValueText(ctx.cat, 4, 1234.0), QStringLiteral("1234.00"));
    EXPECT_EQ(seriesValueText(ctx.cat, 7, 95.25), QStringLiteral("95.3"));
    EXPECT_EQ(seriesValueText(ctx.cat, 9, 12.34), QStringLiteral("12.3"));
    EXPECT_EQ(seriesValueText(ctx.cat, 12, -4.06), QStringLiteral("-4.1"));
}

TEST_F(CursorFixture, TheReadoutSnapsToTheNearestSamplePosition)
{
    // 61 positions over 6000 twips: one every 100.
    const CursorReadout r = cursorReadout(ctx.graphWindow(), ctx.dataSet(), ctx.cat, 349, 6000);
    ASSERT_TRUE(r.valid);
    EXPECT_DOUBLE_EQ(r.x, 300);
    EXPECT_EQ(r.time, plus(3));
    EXPECT_EQ(r.timeText, QStringLiteral("2002/06/01 10:00:03"));
    ASSERT_EQ(r.readings.size(), 3u);
    EXPECT_EQ(r.readings[0].series, 4);
    EXPECT_EQ(r.readings[0].text, QStringLiteral("有効電力 1.300 KW"));
    EXPECT_EQ(r.readings[1].text, QStringLiteral("力率 90.0 %"));
    EXPECT_EQ(r.readings[2].text, QStringLiteral("漏電電流1 7.5 mA"));

    // Past the data: no values; outside the plot: its edges.
    EXPECT_EQ(cursorReadout(ctx.graphWindow(), ctx.dataSet(), ctx.cat, 4000, 6000).readings[0].text,
              QStringLiteral("有効電力 － KW"));
    EXPECT_EQ(cursorReadout(ctx.graphWindow(), ctx.dataSet(), ctx.cat, -50, 6000).time, kStart);
    EXPECT_EQ(cursorReadout(ctx.graphWindow(), ctx.dataSet(), ctx.cat, 9000, 6000).time, plus(60));

    // Nothing to read without a curve.
    ctx.graphWindow().GraphPoints = 1;
    EXPECT_FALSE(cursorReadout(ctx.graphWindow(), ctx.dataSet(), ctx.cat, 300, 6000).valid);
}

} // namespace
