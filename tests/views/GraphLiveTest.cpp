// The graph during a measurement: the window follows the newest record until the
// user pages back, and the first points scale the series the user never scaled.

#include "views/GraphLive.h"
#include "GraphTestData.h"
#include "TestContext.h"
#include "views/GraphScale.h"

#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;

namespace {

const double kStart = at(2002, 6, 1, 10, 0, 0);

double plus(long long seconds)
{
    return vbdate::addSeconds(kStart, seconds);
}

struct FollowCase {
    const char* name;
    int hani;
    long long endSeconds;    // window end, seconds after kStart
    long long newestSeconds; // newest record
    int steps;
};

class FollowSteps : public ::testing::TestWithParam<FollowCase> {};

TEST_P(FollowSteps, MoveTheWindowJustPastTheNewestRecord)
{
    const FollowCase& c = GetParam();
    EXPECT_EQ(followSteps(plus(c.endSeconds), plus(c.newestSeconds), c.hani), c.steps);
    // A window that ends at or after the newest record holds it: following it
    // after a page means the same thing.
    if (graphStepSeconds(c.hani) > 0) {
        EXPECT_EQ(followsAfterPaging(plus(c.endSeconds), plus(c.newestSeconds)), c.steps == 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, FollowSteps,
                         ::testing::Values(FollowCase{"minuteInside", 1, 60, 59, 0},
                                           FollowCase{"minuteAtTheEnd", 1, 60, 60, 0},
                                           FollowCase{"minuteOnePast", 1, 60, 61, 1},
                                           FollowCase{"minuteAWholeStepPast", 1, 60, 120, 1},
                                           FollowCase{"minuteFarBehind", 1, 60, 60 + 5 * 60 + 1, 6},
                                           FollowCase{"hourOnePast", 2, 3600, 3601, 1},
                                           FollowCase{"dayOnePast", 3, 86400, 86401, 1},
                                           FollowCase{"dayThreeDaysOn", 3, 86400, 4 * 86400, 3},
                                           FollowCase{"unknownRangeNeverMoves", 4, 60, 6000, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LiveFixture : ::testing::Test {
    LiveFixture()
    {
        test::fillGraphCatalog(ctx.cat, 2);
        ctx.app.GraphXHani = 1;
        ctx.app.Measuring = true;
        test::props(ctx).FirstTime = ctx.graphWindow().GraphStart = kStart;
        ctx.graphWindow().GraphEnd = plus(60);
        ctx.graphWindow().GraphFollowing = true;
    }
    test::TestContext t;
    Context& ctx = *t.ctx;
};

TEST_F(LiveFixture, TheDisplayCycleFollowsOnlyWhileMeasuringAndFollowing)
{
    test::props(ctx).LastTime = plus(75);
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(60));
    EXPECT_EQ(ctx.graphWindow().GraphEnd, plus(120));

    // Paged back by the user: the window stays where it was put.
    ctx.graphWindow().GraphFollowing = false;
    test::props(ctx).LastTime = plus(200);
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(60));

    // After the measurement nothing follows either.
    ctx.graphWindow().GraphFollowing = true;
    ctx.app.Measuring = false;
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(60));
    EXPECT_EQ(ctx.graphWindow().GraphEnd, plus(120));
}

TEST_F(LiveFixture, PagingBackStopsFollowingAndPagingToTheNewestWindowResumesIt)
{
    test::props(ctx).LastTime = plus(150);
    stepLiveWindow(ctx);
    ASSERT_EQ(ctx.graphWindow().GraphStart, plus(120));

    pageGraphWindow(ctx, -1);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(60));
    EXPECT_FALSE(ctx.graphWindow().GraphFollowing);
    test::props(ctx).LastTime = plus(190); // records go on arriving
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(60));

    pageGraphWindow(ctx, +1); // 120..180: the newest record lies beyond it
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(120));
    EXPECT_FALSE(ctx.graphWindow().GraphFollowing);
    pageGraphWindow(ctx, +1); // 180..240 holds it
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(180));
    EXPECT_TRUE(ctx.graphWindow().GraphFollowing);
    test::props(ctx).LastTime = plus(241);
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(240));

    // Paging back at the first record moves nothing; the newest window stays followed.
    ctx.graphWindow().GraphStart = kStart;
    ctx.graphWindow().GraphEnd = plus(60);
    test::props(ctx).LastTime = plus(30);
    pageGraphWindow(ctx, -1);
    EXPECT_EQ(ctx.graphWindow().GraphStart, kStart);
    EXPECT_TRUE(ctx.graphWindow().GraphFollowing);
}

TEST_F(LiveFixture, TheFirstPointsScaleOnlyTheSeriesTheUserNeverScaled)
{
    Catalog& cat = ctx.cat;
    test::setDecade(cat, 0, 0); // voltage R: never chosen
    test::setDecade(cat, 4, 5); // active power: the user's 1000 kW
    cat.SeriesScaleChosen[4] = true;
    std::vector<std::vector<double>> values(14, std::vector<double>{0, 0});
    values[0] = {201.5, 202.0}; // volts
    values[4] = {1500, 2500};   // watts
    values[7] = {95, 96};       // power factor: fixed axis
    values[9] = {250, 120};     // leakage mA
    values[12] = {-5, 12};      // temperature
    ctx.graphWindow().GraphFirstScalePending = true;

    // One point is not yet a curve: nothing is scaled, the scale is still due.
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart}, values);
    EXPECT_FALSE(applyFirstScale(ctx));
    EXPECT_EQ(cat.SeriesScale[0], 0);

    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    EXPECT_TRUE(applyFirstScale(ctx));
    EXPECT_FALSE(ctx.graphWindow().GraphFirstScalePending);
    EXPECT_EQ(cat.SeriesScale[0], 2); // 0 .. 1000 V
    EXPECT_EQ(cat.SeriesYMax[0], 1000);
    EXPECT_EQ(cat.SeriesScale[4], 5); // the user's scale stays
    EXPECT_EQ(cat.SeriesYMax[4], 1e6);
    EXPECT_EQ(cat.SeriesScale[9], 2);  // 0 .. 300 mA
    EXPECT_EQ(cat.SeriesScale[12], 1); // ±20 ℃
    EXPECT_EQ(cat.SeriesYMin[12], -20);
    EXPECT_EQ(seriesForFirstScale(cat)[7], false);

    // Only once: later points leave the scales alone.
    values[0] = {20000, 20000};
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    EXPECT_FALSE(applyFirstScale(ctx));
    EXPECT_EQ(cat.SeriesScale[0], 2);
}

// After the first scale, a curve that leaves its automatic range (the energy
// grows all through a measurement) takes the next step up; the user's scales stay
// and nothing shrinks.
TEST_F(LiveFixture, AGrowingCurveTakesTheNextStepUpButNeverDown)
{
    Catalog& cat = ctx.cat;
    std::vector<std::vector<double>> values(14, std::vector<double>{0, 0});
    values[8] = {0.5, 4};   // Wh
    values[4] = {500, 600}; // W, chosen by the user below
    values[12] = {5, 8};    // ℃, positive only
    ctx.graphWindow().GraphFirstScalePending = true;
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    ASSERT_TRUE(applyLiveScale(ctx)); // the first scale
    EXPECT_EQ(cat.SeriesYMax[8], 10);
    EXPECT_EQ(cat.SeriesScale[12], 10); // 0 .. 10 ℃
    test::setDecade(cat, 4, 2);
    cat.SeriesScaleChosen[4] = true;

    values[8] = {90, 250};
    values[4] = {5000, 9000};
    values[12] = {-3, 8};
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    EXPECT_EQ(seriesOutgrowingScale(ctx),
              (std::vector<bool>{false, false, false, false, false, false, false, false, true,
                                 false, false, false, true, false}));
    EXPECT_TRUE(applyLiveScale(ctx));
    EXPECT_EQ(cat.SeriesYMax[8], 1000);
    EXPECT_EQ(cat.SeriesYMax[4], 1000); // the user's
    EXPECT_EQ(cat.SeriesScale[12], 0);  // now both signs: ±10 ℃
    EXPECT_EQ(cat.SeriesYMin[12], -10);

    values[8] = {1, 2}; // smaller values leave the scale where it is
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    EXPECT_FALSE(applyLiveScale(ctx));
    EXPECT_EQ(cat.SeriesYMax[8], 1000);

    // After the measurement the scales are the user's business again.
    values[8] = {5000, 6000};
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    ctx.app.Measuring = false;
    EXPECT_FALSE(applyLiveScale(ctx));
    EXPECT_EQ(cat.SeriesYMax[8], 1000);
}

TEST_F(LiveFixture, AScaleSetInTheDialogCountsAsTheUsers)
{
    Catalog& cat = ctx.cat;
    ASSERT_FALSE(cat.SeriesScaleChosen[0]);
    ASSERT_FALSE(cat.SeriesScaleChosen[9]);
    EXPECT_TRUE(applyScaleY(ctx, 0, 3, 0, QStringLiteral("0")));
    EXPECT_TRUE(applyScaleY(ctx, 9, 4, 0, QString()));
    EXPECT_TRUE(applyScaleY(ctx, 13, 2, 1, QString()));
    // A refused entry chooses nothing.
    EXPECT_FALSE(applyScaleY(ctx, 1, 3, 0, QStringLiteral("abc")));
    EXPECT_EQ(seriesForFirstScale(cat),
              (std::vector<bool>{false, true, true, true, true, true, true, false, true, false,
                                 true, true, true, false}));
}

} // namespace
