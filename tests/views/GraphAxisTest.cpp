// The graph's pure parts: slot count, vertical grid, label times, tick labels,
// titles, the value cap and mapping, and the absolute-value series.

#include "GraphTestData.h"
#include "TestContext.h"
#include "platform/Format.h"
#include "views/ModGraph.h"

#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;

namespace {

struct SlotCase {
    long long seconds;
    int interval;
    long long slots;
};

class GraphSlots : public ::testing::TestWithParam<SlotCase> {};

TEST_P(GraphSlots, CountSamplePositionsWithHalvesToEven)
{
    const SlotCase& c = GetParam();
    const double start = at(2002, 6, 1, 10, 0, 0);
    const double end = vbdate::addSeconds(start, c.seconds);
    EXPECT_EQ(graphSlotCount(start, end, c.interval), c.slots)
        << c.seconds << " s at " << c.interval;
}

INSTANTIATE_TEST_SUITE_P(Windows, GraphSlots,
                         ::testing::Values(SlotCase{60, 1, 61}, SlotCase{3600, 1, 3601},
                                           SlotCase{3600, 60, 61}, SlotCase{60, 2, 31},
                                           SlotCase{86400, 1, 86401}, SlotCase{86400, 3600, 25},
                                           SlotCase{5, 2, 4},   // 3.5 → 4
                                           SlotCase{3, 2, 2},   // 2.5 → 2
                                           SlotCase{60, 7, 10}, // 9.57 → 10
                                           SlotCase{60, 0, 61}, // no interval counts as 1
                                           SlotCase{60, -5, 61}));

struct GridCase {
    long long slots;
    int lines;
    long long per;
};

class GraphGrid : public ::testing::TestWithParam<GridCase> {};

TEST_P(GraphGrid, LinesFollowTheThreeRanges)
{
    const GridCase& c = GetParam();
    const GridDivision g = gridDivision(c.slots);
    EXPECT_EQ(g.lines, c.lines) << "t = " << c.slots;
    EXPECT_EQ(g.per, c.per) << "t = " << c.slots;
}

INSTANTIATE_TEST_SUITE_P(
    Slots, GraphGrid,
    ::testing::Values(GridCase{61, 1, 30},     // one minute at 1 s: middle line
                      GridCase{3601, 1, 1800}, // one hour at 1 s (13 × 277): middle line
                      GridCase{31, 0, 31},     // at most 60 positions: none
                      GridCase{60, 0, 60}, GridCase{1, 0, 1},
                      GridCase{86401, 0, 86401}, // one day at 1 s: no divisor, no line
                      GridCase{25, 0, 25},       // one day at one hour
                      GridCase{1441, 1, 720},    // one day at one minute
                      GridCase{3600, 1, 1800},   // top of the middle range
                      GridCase{21600, 2, 7200}, GridCase{43200, 4, 8640}, GridCase{54000, 5, 9000},
                      GridCase{108000, 0, 108000}, GridCase{108001, 0, 108001}, GridCase{0, 0, 0},
                      GridCase{-3, 0, -3}));

struct LabelTimeCase {
    long long seconds;
    int interval;
    std::vector<const char*> labels;
};

class GraphLabelTimes : public ::testing::TestWithParam<LabelTimeCase> {};

TEST_P(GraphLabelTimes, StepPerDivisionFromTheStart)
{
    const LabelTimeCase& c = GetParam();
    const double start = at(2002, 6, 1, 10, 0, 0);
    const auto grid =
        gridDivision(graphSlotCount(start, vbdate::addSeconds(start, c.seconds), c.interval));
    const auto times = gridLabelTimes(start, c.interval, grid);
    ASSERT_EQ(times.size(), c.labels.size());
    for (size_t i = 0; i < times.size(); ++i)
        EXPECT_EQ(Format(times[i], QStringLiteral("yyyy/mm/dd hh:mm:ss")),
                  QString::fromLatin1(c.labels[i]));
}

INSTANTIATE_TEST_SUITE_P(Windows, GraphLabelTimes,
                         ::testing::Values(LabelTimeCase{60, 1, {"2002/06/01 10:00:30"}},
                                           LabelTimeCase{3600, 1, {"2002/06/01 10:30:00"}},
                                           LabelTimeCase{3600, 60, {"2002/06/01 10:30:00"}},
                                           LabelTimeCase{60, 2, {}}, LabelTimeCase{86400, 1, {}},
                                           LabelTimeCase{
                                               43199,
                                               1,
                                               {"2002/06/01 12:24:00", "2002/06/01 14:48:00",
                                                "2002/06/01 17:12:00", "2002/06/01 19:36:00"}}));

struct TickCase {
    int s;
    int k;       // scale index (normal series) or -1 to keep the catalogue's range
    double ymin; // with k: the minimum; for the others the range
    double ymax;
    int j;
    const char* text;
};

class GraphTicks : public ::testing::TestWithParam<TickCase> {};

TEST_P(GraphTicks, DivisorAndFormatByScale)
{
    const TickCase& c = GetParam();
    Catalog cat;
    test::fillGraphCatalog(cat, 2);
    if (c.k >= 0) {
        test::setDecade(cat, c.s, c.k, c.ymin);
    } else {
        cat.SeriesYMin[static_cast<size_t>(c.s)] = c.ymin;
        cat.SeriesYMax[static_cast<size_t>(c.s)] = c.ymax;
    }
    EXPECT_EQ(tickLabel(cat, c.s, c.j), QString::fromUtf8(c.text))
        << "series " << c.s << " k " << c.k << " j " << c.j;
}

INSTANTIATE_TEST_SUITE_P(
    PowerFactorIsFixed, GraphTicks,
    ::testing::Values(TickCase{7, 5, 0, 0, 1, "100.0"}, TickCase{7, 5, 0, 0, 2, "87.5"},
                      TickCase{7, 0, 0, 0, 3, "75.0"}, TickCase{7, 0, 0, 0, 4, "62.5"},
                      TickCase{7, 0, 0, 0, 5, "50.0"}, TickCase{7, 0, 0, 0, 6, "37.5"},
                      TickCase{7, 0, 0, 0, 7, "25.0"}, TickCase{7, 0, 0, 0, 8, "12.5"},
                      TickCase{7, 0, 0, 0, 9, "0.0"}));

INSTANTIATE_TEST_SUITE_P(
    NormalSeriesByScaleIndex, GraphTicks,
    ::testing::Values(TickCase{4, 0, 0, 0, 1, "9.000"}, TickCase{4, 1, 0, 0, 1, "90.00"},
                      TickCase{4, 2, 0, 0, 1, "900.0"}, TickCase{4, 3, 0, 0, 1, "9.000"},
                      TickCase{4, 4, 0, 0, 1, "90.00"}, TickCase{4, 5, 0, 0, 1, "900.0"},
                      TickCase{0, 6, 0, 0, 1, "9.000"}, TickCase{0, 7, 0, 0, 5, "50.00"},
                      TickCase{0, 8, 0, 0, 9, "100.0"}, TickCase{8, 9, 0, 0, 1, "9.000"},
                      TickCase{8, 10, 0, 0, 1, "90.00"}, TickCase{8, 11, 0, 0, 1, "900.0"},
                      TickCase{8, 12, 0, 0, 1, "9000"}, TickCase{4, 3, 0, 0, 9, "1.000"},
                      TickCase{4, 2, -500, 0, 9, "-400.0"}, // a minimum moves the range
                      TickCase{4, 0, 0, 0, 10, "0.000"}));

INSTANTIATE_TEST_SUITE_P(
    LeakageAndTemperature, GraphTicks,
    ::testing::Values(TickCase{9, -1, 0, 300, 1, "270.0"}, TickCase{10, -1, 0, 1000, 9, "100.0"},
                      TickCase{12, -1, -20, 20, 1, "16"}, TickCase{12, -1, -20, 20, 9, "-16"},
                      TickCase{13, -1, 0, 50, 1, "45"}, TickCase{13, -1, -10, 0, 5, "-5"}));

struct UnitCase {
    int s;
    int k;
    const char* unit;
};

class GraphTitleUnit : public ::testing::TestWithParam<UnitCase> {};

TEST_P(GraphTitleUnit, PrefixOnlyForDecadeSeries)
{
    Catalog cat;
    test::fillGraphCatalog(cat, 2);
    cat.SeriesScale[static_cast<size_t>(GetParam().s)] = GetParam().k;
    EXPECT_EQ(seriesUnitText(cat, GetParam().s), QString::fromUtf8(GetParam().unit));
}

INSTANTIATE_TEST_SUITE_P(Series, GraphTitleUnit,
                         ::testing::Values(UnitCase{4, 0, "W"}, UnitCase{4, 3, "KW"},
                                           UnitCase{5, 5, "KVar"}, UnitCase{6, 7, "MVA"},
                                           UnitCase{8, 12, "GWh"}, UnitCase{7, 4, "%"},
                                           UnitCase{9, 4, "mA"}, UnitCase{12, 14, "℃"},
                                           UnitCase{0, 40, "GV"})); // wild index: nearest

struct CapCase {
    double ymax;
    double value;
    double expected;
};

class GraphValueCap : public ::testing::TestWithParam<CapCase> {};

TEST_P(GraphValueCap, AtMostTwiceTheAxisMaximum)
{
    test::TestContext tc;
    EXPECT_DOUBLE_EQ(ChgValue(tc.services, 3, GetParam().ymax, GetParam().value),
                     GetParam().expected);
    EXPECT_TRUE(tc.status.panels[2].isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Values, GraphValueCap,
                         ::testing::Values(CapCase{100, 50, 50}, CapCase{100, 200, 200},
                                           CapCase{100, 250, 200}, CapCase{100, -5, -5},
                                           CapCase{0, 5, 0}, // negative-only range: top edge
                                           CapCase{10, 1e30, 20}));

TEST(GraphValueCap, ValueThatIsNotANumberIsReportedInTheStatusBar)
{
    test::TestContext tc;
    EXPECT_EQ(ChgValue(tc.services, 0, 100, std::nan("")), 0.0);
    EXPECT_EQ(
        tc.status.panels[2],
        QStringLiteral("ChgValueでエラーが起こりました。エラー：6 / オーバーフローしました。"));
    EXPECT_TRUE(tc.msg.shown.empty()) << "a refresh never stops with a box";
}

struct MapCase {
    double ymin, ymax, value, y;
};

class GraphValueToY : public ::testing::TestWithParam<MapCase> {};

TEST_P(GraphValueToY, TopIsMaximumBottomIsMinimum)
{
    const MapCase& c = GetParam();
    EXPECT_DOUBLE_EQ(valueToY(1000, c.ymin, c.ymax, c.value), c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GraphValueToY,
    ::testing::Values(MapCase{0, 10, 10, 0}, MapCase{0, 10, 0, 1000}, MapCase{0, 10, 5, 500},
                      MapCase{0, 10, -5, 1500},  // −5 V lies below the zero line
                      MapCase{0, 10, 20, -1000}, // the cap sits one height above
                      MapCase{-12.5, 112.5, 100, 100}, MapCase{-20, 20, 0, 500}));

class GraphAbs : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::fillGraphCatalog(tc.ctx->cat, 1);
        auto& cat = tc.ctx->cat;
        cat.SeriesShown[0] = cat.SeriesShown[4] = cat.SeriesShown[8] = true;
        const double t0 = at(2002, 6, 1, 10, 0, 0);
        std::vector<std::vector<double>> v(9);
        v[0] = {-5, 3};
        v[4] = {-500, 200};
        v[8] = {-1.5, -0.0};
        test::setGraphPoints(tc.ctx->graphWindow(), 9, {t0, vbdate::addSeconds(t0, 1)}, v);
    }
    double value(int s, int u) const
    {
        return tc.ctx->graphWindow().GraphValues[static_cast<size_t>(s)][static_cast<size_t>(u)];
    }
    test::TestContext tc;
};

TEST_F(GraphAbs, ReversePowerIsDrawnUpwardsVoltageIsNot)
{
    ASSERT_TRUE(bfGraph_Abs(tc.services, tc.ctx->cat, tc.ctx->graphWindow()));
    EXPECT_EQ(value(4, 1), 500);
    EXPECT_EQ(value(4, 2), 200);
    EXPECT_EQ(value(8, 1), 1.5);
    EXPECT_EQ(value(0, 1), -5) << "voltage is not in AbsSeries";
}

TEST_F(GraphAbs, HiddenSeriesAndSinglePointsStayAsTheyAre)
{
    tc.ctx->cat.SeriesShown[4] = false;
    ASSERT_TRUE(bfGraph_Abs(tc.services, tc.ctx->cat, tc.ctx->graphWindow()));
    EXPECT_EQ(value(4, 1), -500);
    EXPECT_EQ(value(8, 1), 1.5);

    tc.ctx->cat.SeriesShown[4] = true;
    tc.ctx->graphWindow().GraphPoints = 1;
    ASSERT_TRUE(bfGraph_Abs(tc.services, tc.ctx->cat, tc.ctx->graphWindow()));
    EXPECT_EQ(value(4, 1), -500);
}

TEST_F(GraphAbs, ShortValueArraysAreReportedNotRead)
{
    tc.ctx->graphWindow().GraphPoints = 40; // more points than the arrays hold
    EXPECT_FALSE(bfGraph_Abs(tc.services, tc.ctx->cat, tc.ctx->graphWindow()));
    EXPECT_TRUE(
        tc.status.panels[2].startsWith(QStringLiteral("bfGraph_Absでエラーが起こりました。")));
    EXPECT_TRUE(tc.msg.shown.empty());
}

struct AxisCase {
    int s;
    double ymin, ymax;
    int scale;
};

class GraphSeriesAxis : public ::testing::TestWithParam<AxisCase> {};

TEST_P(GraphSeriesAxis, PowerFactorFixedOthersFromTheirRange)
{
    Catalog cat;
    test::fillGraphCatalog(cat, 2);
    for (int s = 0; s <= 13; ++s)
        cat.SeriesScale[static_cast<size_t>(s)] = 5;
    test::setDecade(cat, 4, 5, -100);
    const SeriesAxis a = seriesAxis(cat, GetParam().s);
    EXPECT_EQ(a.ymin, GetParam().ymin);
    EXPECT_EQ(a.ymax, GetParam().ymax);
    EXPECT_EQ(a.scale, GetParam().scale);
}

INSTANTIATE_TEST_SUITE_P(Series, GraphSeriesAxis,
                         ::testing::Values(AxisCase{7, -12.5, 112.5, 5},
                                           AxisCase{4, -100, 999900, 5}, AxisCase{9, 0, 100, 0},
                                           AxisCase{13, -10, 10, 0}));

} // namespace

namespace {

// A Y bar narrowed or stacked with others: the tick labels move towards the title
// to keep their room, the title centres in the bar's band, and each band shows
// the labels of the grid lines level with it.
TEST(YBarPlacement, NarrowAndStackedBarsKeepTheirLabelsReadable)
{
    EXPECT_EQ(quellin::tickLabelX(1020), 440);
    EXPECT_EQ(quellin::tickLabelX(892), 312);
    EXPECT_EQ(quellin::tickLabelX(700), 270);
    EXPECT_EQ(quellin::tickLabelX(2000), 440);

    EXPECT_EQ(quellin::barTitleTop(4000, 4000, 4), 1400); // as tall as the plot: as designed
    EXPECT_EQ(quellin::barTitleTop(1300, 4000, 4), 100);  // a third: five lines centred
    EXPECT_EQ(quellin::barTitleTop(600, 4000, 4), 0);     // never above the band

    // Plot 3000 twips high, grid every 300: three bands of 1000.
    std::vector<int> top, middle, bottom;
    for (int j = 1; j <= 9; ++j) {
        if (quellin::tickInBar(j, 300, 0, 1000))
            top.push_back(j);
        if (quellin::tickInBar(j, 300, 1000, 1000))
            middle.push_back(j);
        if (quellin::tickInBar(j, 300, 2000, 1000))
            bottom.push_back(j);
        EXPECT_TRUE(quellin::tickInBar(j, 300, 0, 3000)) << j;
    }
    EXPECT_EQ(top, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(middle, (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(bottom, (std::vector<int>{7, 8, 9}));
}

// A Y bar's title: the Japanese names one character under the other as
// designed, a name in Latin letters turned, taking the lines its length needs
// but never more than its bar leaves below the title's top.
TEST(YBarTitle, LatinNamesAreTurnedAndKeptWithinTheirBar)
{
    const struct { const char* name; bool stacked; } names[] = {{"電圧Ｒ", true}, {"漏電電流1", true}, {"", true},
                 {"Voltage R", false}, {"Leakage current 1", false}};
    for (const auto& n : names)
        EXPECT_EQ(quellin::barTitleStacked(QString::fromUtf8(n.name)), n.stacked) << n.name;

    const struct { double width, barHeight, plotHeight; int lines; } lengths[] = {
        {1500, 4000, 4000, 7},  // as tall as the plot: ten lines below the title's top
        {5000, 4000, 4000, 10}, // longer: the ten, set smaller
        {1500, 1300, 4000, 4},  // a third of the plot: the band less the unit's line
        {0, 4000, 4000, 1},
        {900, 300, 4000, 1}, // a band lower than two lines
    };
    for (const auto& l : lengths)
        EXPECT_EQ(quellin::turnedTitleLines(l.width, l.barHeight, l.plotHeight), l.lines)
            << l.width << " in " << l.barHeight;
}

} // namespace
