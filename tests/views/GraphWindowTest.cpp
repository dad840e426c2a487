// The graph window's decisions: layout rules, summary texts, how the axis
// dialogs are prepared, and the saved placement.

#include "views/GraphWindow.h"
#include "GraphTestData.h"
#include "TestContext.h"
#include "views/GraphLayout.h"

#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;

namespace {

std::array<bool, kMaxSeries> bars(std::initializer_list<int> visible)
{
    std::array<bool, kMaxSeries> v{};
    for (const int s : visible)
        v[static_cast<size_t>(s)] = true;
    return v;
}

struct LayoutCase {
    const char* name;
    int width, height;
    std::vector<int> visible;
    int plotLeft;
};

class GraphWindowLayoutRules : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(GraphWindowLayoutRules, FramePanelsBarsPlotAxisAndPager)
{
    const LayoutCase& c = GetParam();
    const GraphFormDesign d = graphFormDesign(1);
    std::array<bool, kMaxSeries> visible{};
    for (const int s : c.visible)
        visible[static_cast<size_t>(s)] = true;
    const auto l = layoutGraphWindow(c.width, c.height, d, visible, initialGraphLayout(d));

    EXPECT_EQ(l.PicGraphBase.width, c.width - 2 * d.mx) << c.name;
    EXPECT_EQ(l.PicGraphBase.height, c.height - 4 * d.my - d.infoHeight - d.hanreiHeight);
    EXPECT_EQ(l.PicInfo.top, l.PicGraphBase.bottom() + d.my);
    EXPECT_EQ(l.PicHanrei.top, l.PicInfo.bottom() + d.my);
    EXPECT_EQ(l.PicHanrei.width, l.PicGraphBase.width);

    int x = 0;
    for (const int s : c.visible) {
        EXPECT_EQ(l.PicLeftBar[static_cast<size_t>(s)].left, x) << c.name << " bar " << s;
        EXPECT_EQ(l.PicLeftBar[static_cast<size_t>(s)].height, l.PicGraph.height);
        EXPECT_EQ(l.PicLeftBar[static_cast<size_t>(s)].top, l.PicGraph.top);
        x += d.barWidth;
    }
    EXPECT_EQ(l.PicGraph.left, c.plotLeft) << c.name;
    EXPECT_EQ(l.PicGraph.width, l.PicGraphBase.width - l.PicGraph.left - 33);
    EXPECT_EQ(l.PicGraph.height,
              l.PicGraphBase.height - 3 * d.graphTop - d.bottomBarHeight - d.udHeight);
    // The time axis is centred under the plot, wider on both sides.
    EXPECT_EQ(l.PicBottomBar.top, l.PicGraph.bottom() + 3);
    EXPECT_EQ(l.PicBottomBar.left + l.PicBottomBar.width / 2,
              l.PicGraph.left + l.PicGraph.width / 2);
    EXPECT_GT(l.PicBottomBar.width, l.PicGraph.width);
    EXPECT_EQ(l.UDGraph.top, l.PicBottomBar.bottom() + 3);
    EXPECT_EQ(l.UDGraph.left, l.PicGraph.left);
    EXPECT_EQ(l.UDGraph.width, l.PicGraph.width);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, GraphWindowLayoutRules,
    ::testing::Values(LayoutCase{"default series", 11400, 6900, {4, 8}, 2040},
                      LayoutCase{"no series: plot at the frame's left edge", 11400, 6900, {}, 0},
                      LayoutCase{"gaps take no room", 16000, 9000, {0, 7, 13}, 3060},
                      LayoutCase{"one series", 9000, 6000, {5}, 1020}));

struct ArrangeCase {
    int bars;
    int frameWidth;
    BarArrangement want;
};

class BarArrangements : public ::testing::TestWithParam<ArrangeCase> {};

// Few bars stand as designed; more grow narrower, then stack, so that the plot
// keeps half the frame.
TEST_P(BarArrangements, LeaveThePlotHalfTheFrame)
{
    const ArrangeCase& c = GetParam();
    const GraphFormDesign d = graphFormDesign(2);
    const BarArrangement got = arrangeBars(c.bars, c.frameWidth, d);
    EXPECT_EQ(got, c.want) << c.bars << " bars in " << c.frameWidth;
    const int columns = (c.bars + got.stack - 1) / got.stack;
    if (got.width >= d.minBarWidth) {
        EXPECT_GE(c.frameWidth - d.graphRightMargin - columns * got.width, c.frameWidth / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, BarArrangements,
    ::testing::Values(ArrangeCase{0, 10770, {1020, 1}}, ArrangeCase{2, 10770, {1020, 1}},
                      ArrangeCase{5, 10770, {1020, 1}},  // 5100 of 5352 twips of room
                      ArrangeCase{6, 10770, {892, 1}},   // narrower
                      ArrangeCase{11, 10770, {892, 2}},  // two to a column
                      ArrangeCase{14, 10770, {1020, 3}}, // three to a column
                      ArrangeCase{14, 23880, {850, 1}},  // a wide window: side by side
                      ArrangeCase{14, 4000, {600, 3}})); // too small for anything better

TEST(GraphWindowLayoutRules, StackedBarsShareTheirColumnInBandsOfThePlotsHeight)
{
    const GraphFormDesign d = graphFormDesign(2);
    std::array<bool, kMaxSeries> all{};
    all.fill(true);
    const auto l = layoutGraphWindow(10890, 7000, d, all, initialGraphLayout(d));
    ASSERT_EQ(l.barStack, 3);
    EXPECT_EQ(l.PicGraph.left, 5 * 1020);
    EXPECT_GE(l.PicGraph.width * 2, 10890 - 2 * d.mx);
    for (int s = 0; s < kMaxSeries; ++s) {
        const TwipsRect& bar = l.PicLeftBar[static_cast<size_t>(s)];
        EXPECT_EQ(bar.left, (s / 3) * 1020) << s;
        EXPECT_EQ(bar.width, 1020) << s;
        EXPECT_EQ(bar.top, l.PicGraph.top + (s % 3) * (l.PicGraph.height / 3)) << s;
        // The bands of a column cover the plot's height without overlapping.
        if (s % 3 == 2) {
            EXPECT_EQ(bar.bottom(), l.PicGraph.bottom()) << s;
        } else if (s + 1 < kMaxSeries) {
            EXPECT_EQ(bar.bottom(), l.PicLeftBar[static_cast<size_t>(s + 1)].top) << s;
        }
    }
}

TEST(GraphWindowLayoutRules, SizesThatWouldVanishKeepTheirLastValue)
{
    const GraphFormDesign d = graphFormDesign(2);
    const auto big = layoutGraphWindow(11000, 7000, d, bars({4}), initialGraphLayout(d));
    const auto tiny = layoutGraphWindow(100, 100, d, bars({4}), big);
    EXPECT_EQ(tiny.PicGraphBase.width, big.PicGraphBase.width);
    EXPECT_EQ(tiny.PicGraphBase.height, big.PicGraphBase.height);
    EXPECT_EQ(tiny.PicGraph.width, big.PicGraph.width);
    EXPECT_EQ(tiny.PicGraph.height, big.PicGraph.height);
    EXPECT_GT(graphFormDesign(2).hanreiHeight, graphFormDesign(1).hanreiHeight)
        << "version 2 has a second legend row";
}

class GraphWindowTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::fillGraphCatalog(tc.ctx->cat, 2);
        DataSetProperties& st = test::props(*tc.ctx);
        st.FirstTime = at(2002, 6, 1, 10, 0, 0);
        st.LastTime = at(2002, 6, 1, 12, 34, 56);
        st.TotalEnergy = 12.345678;
        st.PeakWatts = 1249.9;
        st.PeakTime = at(2002, 6, 1, 11, 2, 3);
        tc.ctx->graphWindow().GraphStart = at(2002, 6, 1, 11, 0, 0);
        tc.ctx->app.GraphXHani = 2;
    }
    test::TestContext tc;
};

TEST_F(GraphWindowTexts, SummaryFilledOrEmpty)
{
    const auto texts = graphSummaryTexts(tc.ctx->dataSet(), GraphSummary::Filled);
    EXPECT_EQ(texts[0], QStringLiteral("2002/06/01 10:00:00 ～ 2002/06/01 12:34:56"));
    EXPECT_EQ(texts[1], QStringLiteral("12.3457 kWh"));
    EXPECT_EQ(texts[2], QStringLiteral("1.2 kW (2002/06/01 11:02:03)"));
    for (const QString& t : graphSummaryTexts(tc.ctx->dataSet(), GraphSummary::Empty))
        EXPECT_TRUE(t.isEmpty());
}

TEST_F(GraphWindowTexts, TimeAxisDialogShowsSpanStartAndPeriod)
{
    const ScaleXSetup x =
        scaleXSetup(tc.ctx->dataSet(), tc.ctx->graphWindow(), tc.ctx->app.GraphXHani);
    EXPECT_EQ(x.choices.size(), 3);
    EXPECT_EQ(x.position, 1);
    EXPECT_EQ(x.startText, QStringLiteral("2002/06/01 11:00:00"));
    EXPECT_EQ(x.periodText, QStringLiteral("2002/06/01 10:00:00 ～ 2002/06/01 12:34:56"));
}

struct YSetupCase {
    int s;
    int scale;
    const char* refusal;
    int choices;
    int scalePosition;
    bool temperature;
    int kindPosition;
    bool fitted = false;
};

class GraphYAxisSetup : public GraphWindowTexts,
                        public ::testing::WithParamInterface<YSetupCase> {};

TEST_P(GraphYAxisSetup, ListsAndSelectionBySeries)
{
    const YSetupCase& c = GetParam();
    tc.ctx->cat.SeriesScale[static_cast<size_t>(c.s)] = c.scale;
    tc.ctx->cat.SeriesYMin[static_cast<size_t>(c.s)] = -20;
    tc.ctx->cat.SeriesFitted[static_cast<size_t>(c.s)] = c.fitted;
    const ScaleYSetup y = scaleYSetup(*tc.ctx, c.s);
    if (c.refusal) {
        EXPECT_EQ(y.refusal, QString::fromUtf8(c.refusal));
        return;
    }
    EXPECT_TRUE(y.refusal.isEmpty());
    EXPECT_EQ(y.choices.size(), c.choices);
    EXPECT_EQ(y.scalePosition, c.scalePosition);
    EXPECT_EQ(y.temperature, c.temperature);
    EXPECT_EQ(y.kindPosition, c.kindPosition);
    EXPECT_EQ(y.choices.back(), fitChoiceText());
    // A listed step chosen after a fitted range counts from zero.
    EXPECT_EQ(y.minimumText, c.fitted ? QStringLiteral("0") : QStringLiteral("-20"));
    EXPECT_EQ(y.frameCaption, QStringLiteral("Ｙ軸スケール［") + tc.ctx->cat.SeriesNames[c.s] +
                                  QStringLiteral("］"));
}

INSTANTIATE_TEST_SUITE_P(Series, GraphYAxisSetup,
                         ::testing::Values(YSetupCase{4, 3, nullptr, 14, 3, false, 0},
                                           YSetupCase{8, 12, nullptr, 14, 12, false, 0},
                                           YSetupCase{9, 2, nullptr, 11, 2, false, 0},
                                           YSetupCase{12, 14, nullptr, 11, 4, true, 1},
                                           YSetupCase{13, 20, nullptr, 11, 0, true, 2},
                                           YSetupCase{4, 3, nullptr, 14, 13, false, 0, true},
                                           YSetupCase{9, 2, nullptr, 11, 10, false, 0, true},
                                           YSetupCase{7, 0, "力率は変更できません。", 0, 0, false,
                                                      0}));

struct PlacementCase {
    const char* name;
    int version;
    std::vector<std::pair<const char*, const char*>> stored;
    GraphPlacement expected;
};

class GraphPlacementRead : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(GraphPlacementRead, DefaultsAndUnreadableValues)
{
    test::TestContext tc;
    for (const auto& [name, value] : GetParam().stored)
        tc.settings->write(QString::fromLatin1(name), QString::fromLatin1(value));
    EXPECT_EQ(readGraphPlacement(*tc.settings, GetParam().version), GetParam().expected)
        << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GraphPlacementRead,
    ::testing::Values(
        PlacementCase{"version 1 defaults", 1, {}, {0, 0, 11580, 7425, 0}},
        PlacementCase{"version 2 defaults", 2, {}, {0, 0, 11010, 7425, 0}},
        PlacementCase{"stored",
                      2,
                      {{"FrmGraph_Top", "300"},
                       {"FrmGraph_Left", "450"},
                       {"FrmGraph_Width", "9000"},
                       {"FrmGraph_Height", "6000"},
                       {"FrmGraph_State", "2"}},
                      {300, 450, 9000, 6000, 2}},
        PlacementCase{"state not numeric", 1, {{"FrmGraph_State", "max"}}, {0, 0, 11580, 7425, 0}},
        PlacementCase{"state out of range", 1, {{"FrmGraph_State", "7"}}, {0, 0, 11580, 7425, 0}},
        PlacementCase{"coordinates not numeric",
                      1,
                      {{"FrmGraph_Top", "top"}, {"FrmGraph_Width", "wide"}},
                      {0, 0, 11580, 7425, 0}},
        PlacementCase{"too small to use",
                      1,
                      {{"FrmGraph_Width", "-40"}, {"FrmGraph_Height", "0"}},
                      {0, 0, 1500, 1500, 0}}));

TEST(GraphPlacementWrite, ReadsBackAsWritten)
{
    test::TestContext tc;
    const GraphPlacement p{120, 240, 10000, 6500, 1};
    writeGraphPlacement(*tc.settings, p);
    EXPECT_EQ(tc.settings->read(QStringLiteral("FrmGraph_Width"), QString()),
              QStringLiteral("10000"));
    EXPECT_EQ(readGraphPlacement(*tc.settings, 1), p);
}

// The legend's boxes flow into further rows where the frame is too narrow for
// them (English names), the version-2 items still on a row of their own, and the
// legend grows a row's height for each row beyond the designed ones.
TEST(GraphLegend, BoxesWrapWhereTheFrameIsTooNarrow)
{
    const struct { std::vector<int> widths; int room, firstOfSecondRow; std::vector<int> rows; int version, height; } cases[] = {
        {{50, 50, 50}, 200, 3, {0, 0, 0}, 1, 360},                      // as designed
        {{50, 50, 50, 40, 40}, 200, 3, {0, 0, 0, 1, 1}, 2, 660},        // the version-2 row
        {{80, 80, 80}, 200, 3, {0, 0, 1}, 1, 660},                      // one row more
        {{80, 80, 80, 40, 40}, 200, 3, {0, 0, 1, 2, 2}, 2, 960},
        {{250, 30}, 200, 2, {0, 1}, 1, 660},                            // too wide alone
        {{}, 200, 0, {}, 1, 360},
    };
    const GraphFormDesign v1 = graphFormDesign(1), v2 = graphFormDesign(2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.widths.size());
        const std::vector<int> rows = legendRows(c.widths, c.room, 1, c.firstOfSecondRow);
        EXPECT_EQ(rows, c.rows);
        const int count = rows.empty() ? 1 : rows.back() + 1;
        EXPECT_EQ(legendHeight(c.version >= 2 ? v2 : v1, c.version, count), c.height);
    }
}

} // namespace
