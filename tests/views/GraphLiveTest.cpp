// The graph during a measurement: the window follows the newest record until the
// user pages back, and the first points scale the series the user never scaled.

#include "views/GraphLive.h"
#include "GraphTestData.h"
#include "TestContext.h"
#include "views/GraphScale.h"

#include <gtest/gtest.h>
#include <optional>

using namespace quellin;
using quellin::test::at;

namespace {

const double kStart = at(2002, 6, 1, 10, 0, 0);

double plus(long long seconds)
{
    return vbdate::addSeconds(kStart, seconds);
}

struct SlideCase {
    const char* name;
    int hani;
    long long newestSeconds; // newest record, seconds after the first
    std::optional<long long> startSeconds;
};

class SlidingStart : public ::testing::TestWithParam<SlideCase> {};

TEST_P(SlidingStart, EndsAtTheNewestRecordButStartsNoEarlierThanTheFirst)
{
    const SlideCase& c = GetParam();
    const auto start = slidingStart(kStart, plus(c.newestSeconds), c.hani);
    ASSERT_EQ(start.has_value(), c.startSeconds.has_value());
    if (start) {
        EXPECT_EQ(vbdate::secondsBetween(kStart, *start), *c.startSeconds);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, SlidingStart,
    ::testing::Values(SlideCase{"minuteYoung", 1, 30, 0}, SlideCase{"minuteFull", 1, 60, 0},
                      SlideCase{"minuteOnePast", 1, 61, 1}, SlideCase{"minuteLater", 1, 75, 15},
                      SlideCase{"hour", 2, 7200, 3600}, SlideCase{"day", 3, 3 * 86400, 2 * 86400},
                      SlideCase{"dayYoung", 3, 3600, 0},
                      SlideCase{"unknownRange", 4, 6000, std::nullopt}),
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

TEST_F(LiveFixture, TheDisplayCycleSlidesOnlyWhileMeasuringAndFollowing)
{
    test::props(ctx).LastTime = plus(30); // the first minute fills from the left
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, kStart);
    EXPECT_EQ(ctx.graphWindow().GraphEnd, plus(60));
    test::props(ctx).LastTime = plus(75);
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(15));
    EXPECT_EQ(ctx.graphWindow().GraphEnd, plus(75));

    // Paged back by the user: the window stays where it was put.
    ctx.graphWindow().GraphFollowing = false;
    test::props(ctx).LastTime = plus(200);
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(15));

    // After the measurement nothing follows either.
    ctx.graphWindow().GraphFollowing = true;
    ctx.app.Measuring = false;
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(15));
    EXPECT_EQ(ctx.graphWindow().GraphEnd, plus(75));
}

// A window zoomed to a span of its own follows the newest record with that span
// and pages by it.
TEST_F(LiveFixture, AZoomedWindowFollowsAndPagesWithItsOwnSpan)
{
    ctx.graphWindow().GraphSpan = 20;
    const struct {
        long long newest;
        int page;
        long long start, end;
        bool following;
    } steps[] = {
        {15, 0, 0, 20, true},    // young: fills from the left
        {95, 0, 75, 95, true},   // slid on with its 20 s
        {95, -1, 55, 75, false}, // paged back by its span
        {120, 0, 55, 75, false},   {120, +1, 75, 95, false}, {120, +1, 95, 115, false},
        {120, +1, 115, 135, true}, {130, 0, 110, 130, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.newest * 10 + step.page);
        test::props(ctx).LastTime = plus(step.newest);
        if (step.page != 0)
            pageGraphWindow(ctx, step.page);
        else
            stepLiveWindow(ctx);
        EXPECT_EQ(vbdate::secondsBetween(kStart, ctx.graphWindow().GraphStart), step.start);
        EXPECT_EQ(vbdate::secondsBetween(kStart, ctx.graphWindow().GraphEnd), step.end);
        EXPECT_EQ(ctx.graphWindow().GraphFollowing, step.following);
    }
}

TEST_F(LiveFixture, PagingBackStopsFollowingAndPagingToTheNewestWindowResumesIt)
{
    test::props(ctx).LastTime = plus(150);
    stepLiveWindow(ctx);
    ASSERT_EQ(ctx.graphWindow().GraphStart, plus(90));

    pageGraphWindow(ctx, -1);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(30));
    EXPECT_FALSE(ctx.graphWindow().GraphFollowing);
    test::props(ctx).LastTime = plus(190); // records go on arriving
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(30));

    pageGraphWindow(ctx, +1); // 90..150: the newest record lies beyond it
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(90));
    EXPECT_FALSE(ctx.graphWindow().GraphFollowing);
    pageGraphWindow(ctx, +1); // 150..210 holds it
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(150));
    EXPECT_TRUE(ctx.graphWindow().GraphFollowing);
    test::props(ctx).LastTime = plus(241);
    stepLiveWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphStart, plus(181));
    EXPECT_EQ(ctx.graphWindow().GraphEnd, plus(241));

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
    // Fitted: 201.3 .. 202.3 V in steps of 0.1 V, kept as the listed 0 .. 1000 V.
    EXPECT_TRUE(cat.SeriesFitted[0]);
    EXPECT_DOUBLE_EQ(cat.SeriesYMin[0], 201.3);
    EXPECT_DOUBLE_EQ(cat.SeriesYMax[0], 202.3);
    EXPECT_EQ(cat.SeriesScale[0], 2);
    EXPECT_FALSE(cat.SeriesFitted[4]); // the user's scale stays
    EXPECT_EQ(cat.SeriesScale[4], 5);
    EXPECT_EQ(cat.SeriesYMax[4], 1e6);
    EXPECT_EQ(cat.SeriesYMin[9], 80); // 120 .. 250 mA lies far from zero
    EXPECT_EQ(cat.SeriesYMax[9], 280);
    EXPECT_EQ(cat.SeriesYMin[12], -6); // −5 .. 12 ℃
    EXPECT_EQ(cat.SeriesYMax[12], 14);
    EXPECT_EQ(seriesForFirstScale(cat)[7], false);

    // Only once: later points leave the scales alone.
    values[0] = {20000, 20000};
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    EXPECT_FALSE(applyFirstScale(ctx));
    EXPECT_DOUBLE_EQ(cat.SeriesYMax[0], 202.3);
}

// After the first scale, a curve that leaves its fitted range (the energy grows
// all through a measurement) widens it; the user's scales stay and nothing shrinks.
TEST_F(LiveFixture, AGrowingCurveWidensItsRangeButNeverNarrowsIt)
{
    Catalog& cat = ctx.cat;
    std::vector<std::vector<double>> values(14, std::vector<double>{0, 0});
    values[8] = {0.5, 4};     // Wh
    values[4] = {-500, -600}; // W, reverse flow drawn upwards; chosen by the user below
    values[12] = {5, 8};      // ℃
    ctx.graphWindow().GraphFirstScalePending = true;
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    ASSERT_TRUE(applyLiveScale(ctx));  // the first scale
    EXPECT_EQ(cat.SeriesYMin[4], 460); // 500 .. 600 W
    EXPECT_EQ(cat.SeriesYMax[4], 660);
    EXPECT_EQ(cat.SeriesYMin[8], 0); // near zero: the energy counts from it
    EXPECT_EQ(cat.SeriesYMax[8], 5);
    EXPECT_EQ(cat.SeriesYMin[12], 4);
    EXPECT_EQ(cat.SeriesYMax[12], 9);
    test::setDecade(cat, 4, 2);
    cat.SeriesFitted[4] = false;
    cat.SeriesScaleChosen[4] = true;

    values[8] = {90, 250};
    values[4] = {5000, 9000};
    values[12] = {-3, 8}; // below the bottom
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    EXPECT_EQ(seriesOutgrowingScale(ctx),
              (std::vector<bool>{false, false, false, false, false, false, false, false, true,
                                 false, false, false, true, false}));
    EXPECT_TRUE(applyLiveScale(ctx));
    EXPECT_EQ(cat.SeriesYMin[8], 0); // 0 .. 5 and 80 .. 280 together
    EXPECT_EQ(cat.SeriesYMax[8], 500);
    EXPECT_EQ(cat.SeriesYMax[4], 1000); // the user's
    EXPECT_EQ(cat.SeriesYMin[12], -6);
    EXPECT_EQ(cat.SeriesYMax[12], 14);

    values[8] = {1, 2}; // smaller values leave the range where it is
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    EXPECT_FALSE(applyLiveScale(ctx));
    EXPECT_EQ(cat.SeriesYMax[8], 500);

    // After the measurement the scales are the user's business again.
    values[8] = {5000, 6000};
    test::setGraphPoints(ctx.graphWindow(), 14, {kStart, plus(1)}, values);
    ctx.app.Measuring = false;
    EXPECT_FALSE(applyLiveScale(ctx));
    EXPECT_EQ(cat.SeriesYMax[8], 500);
}

TEST_F(LiveFixture, AScaleSetInTheDialogCountsAsTheUsers)
{
    Catalog& cat = ctx.cat;
    ASSERT_FALSE(cat.SeriesScaleChosen[0]);
    ASSERT_FALSE(cat.SeriesScaleChosen[9]);
    EXPECT_TRUE(applyScaleY(ctx, 0, 3, 0, QStringLiteral("0")));
    EXPECT_TRUE(applyScaleY(ctx, 9, 4, 0, QString()));
    EXPECT_TRUE(applyScaleY(ctx, 13, 2, 1, QString()));
    // A refused entry chooses nothing; the fitted choice hands a series back.
    EXPECT_FALSE(applyScaleY(ctx, 1, 3, 0, QStringLiteral("abc")));
    EXPECT_TRUE(applyScaleY(ctx, 10, 2, 0, QString()));
    EXPECT_TRUE(applyScaleY(ctx, 10, fitChoicePosition(SeriesKind::Leakage), 0, QString()));
    EXPECT_EQ(seriesForFirstScale(cat),
              (std::vector<bool>{false, true, true, true, true, true, true, false, true, false,
                                 true, true, true, false}));
}

} // namespace
