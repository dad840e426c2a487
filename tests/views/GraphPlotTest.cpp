// The plotting walk (solid joins, dotted bridges), label placement, thinning and
// colours, and one drawing into an image checked pixel by pixel.

#include "GraphTestData.h"
#include "TestContext.h"
#include "views/GraphColours.h"
#include "views/ModGraphCurve.h"
#include "views/ModGraphDraw.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;

namespace {

// Points at the given seconds of the window, with y = 10 × the point number.
struct WalkInput {
    std::vector<long long> seconds{0};
    std::vector<double> ys{0};
    explicit WalkInput(const std::vector<long long>& at)
    {
        for (size_t i = 0; i < at.size(); ++i) {
            seconds.push_back(at[i]);
            ys.push_back(10.0 * static_cast<double>(i + 1));
        }
    }
    int n() const { return static_cast<int>(seconds.size()) - 1; }
};

PlotSegment solid(double x1, double y1, double x2, double y2)
{
    return {x1, y1, x2, y2, false};
}
PlotSegment dotted(double x1, double y, double x2)
{
    return {x1, y, x2, y, true};
}

struct WalkCase {
    const char* name;
    std::vector<long long> seconds;
    double width;
    long long slots;
    int interval;
    std::vector<PlotSegment> expected;
};

class GraphWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(GraphWalk, SegmentsInOrder)
{
    const WalkCase& c = GetParam();
    const WalkInput in(c.seconds);
    const auto got = plotSegments(in.seconds, in.ys, in.n(), {c.width, c.slots, c.interval});
    ASSERT_EQ(got.size(), c.expected.size()) << c.name;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x1, c.expected[i].x1, 1e-9) << c.name << " #" << i;
        EXPECT_NEAR(got[i].x2, c.expected[i].x2, 1e-9) << c.name << " #" << i;
        EXPECT_EQ(got[i].y1, c.expected[i].y1) << c.name << " #" << i;
        EXPECT_EQ(got[i].y2, c.expected[i].y2) << c.name << " #" << i;
        EXPECT_EQ(got[i].dotted, c.expected[i].dotted) << c.name << " #" << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Walks, GraphWalk,
                         ::testing::Values(
                             // 10:00:00 … 10:00:03, nothing until 10:00:07: the curve breaks
                             // there and starts again at the 10:00:07 value.
                             WalkCase{"gap",
                                      {0, 1, 2, 3, 7, 8},
                                      6000,
                                      61,
                                      1,
                                      {solid(0, 10, 100, 20), solid(100, 20, 200, 30),
                                       solid(200, 30, 300, 40), solid(700, 50, 800, 60)}},
                             // One record missing: a dotted step at the last value, then on.
                             WalkCase{"one missing",
                                      {0, 1, 3},
                                      6000,
                                      61,
                                      1,
                                      {solid(0, 10, 100, 20), dotted(100, 20, 200),
                                       solid(200, 20, 300, 30)}},
                             // The curve starts where its first point is, not at the left edge.
                             WalkCase{"late start", {5, 6}, 6000, 61, 1, {solid(500, 10, 600, 20)}},
                             // Positions round to whole twips where a segment starts.
                             WalkCase{"rounded starts",
                                      {0, 1, 2, 3},
                                      1000,
                                      61,
                                      1,
                                      {solid(0, 10, 1000.0 / 60, 20),
                                       solid(17, 20, 2000.0 / 60, 30), solid(33, 30, 50, 40)}},
                             // More points than positions: the points share the width.
                             WalkCase{"dense",
                                      {0, 1, 2, 3, 4},
                                      400,
                                      3,
                                      2,
                                      {solid(0, 10, 100, 20), solid(100, 20, 200, 30),
                                       solid(200, 30, 300, 40), solid(300, 40, 400, 50)}},
                             // At a 10-second interval missing records count in periods.
                             WalkCase{"interval",
                                      {0, 10, 30},
                                      600,
                                      7,
                                      10,
                                      {solid(0, 10, 100, 20), dotted(100, 20, 200),
                                       solid(200, 20, 300, 30)}},
                             WalkCase{"interval gap",
                                      {0, 10, 40, 50},
                                      600,
                                      7,
                                      10,
                                      {solid(0, 10, 100, 20), solid(400, 30, 500, 40)}},
                             WalkCase{"single point", {0}, 6000, 61, 1, {}}));

TEST(GraphWalk, AGapBeyondTheRightEdgeEndsTheWalkThere)
{
    // The second point lies five minutes after the start of a one-minute window,
    // the third a second later.
    for (const long long later : {300LL, 4'000'000'000LL}) {
        SCOPED_TRACE(later);
        const WalkInput in({0, later, later + 1});
        EXPECT_TRUE(plotSegments(in.seconds, in.ys, in.n(), {6000, 61, 1}).empty());
    }
}

struct PlaceCase {
    const char* name;
    std::vector<double> want;
    std::vector<double> width;
    double left, right;
    std::vector<std::optional<double>> placed;
};

class GraphTimeLabels : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(GraphTimeLabels, StayVisibleAndApart)
{
    const PlaceCase& c = GetParam();
    EXPECT_EQ(placeTimeLabels(c.want, c.width, c.left, c.right, 90), c.placed) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Layouts, GraphTimeLabels,
                         ::testing::Values(PlaceCase{"room for all",
                                                     {130, 5400, 10630},
                                                     {800, 800, 800},
                                                     0,
                                                     12000,
                                                     {130.0, 5400.0, 10630.0}},
                                           PlaceCase{"start cut by the frame moves right",
                                                     {-410, 5000},
                                                     {800, 800},
                                                     0,
                                                     12000,
                                                     {0.0, 5000.0}},
                                           PlaceCase{"end cut by the frame moves left",
                                                     {130, 10630},
                                                     {800, 800},
                                                     0,
                                                     11000,
                                                     {130.0, 10200.0}},
                                           PlaceCase{"crowded middle label is left out",
                                                     {130, 700, 2000},
                                                     {800, 800, 800},
                                                     0,
                                                     12000,
                                                     {130.0, std::nullopt, 2000.0}},
                                           PlaceCase{"too narrow for start and end",
                                                     {0, 300},
                                                     {800, 800},
                                                     0,
                                                     12000,
                                                     {0.0, std::nullopt}}));

TEST(GraphThinning, ADenseColumnBecomesOneRunEnteredAtItsFirstPoint)
{
    QPolygonF line{QPointF(3.2, 40), QPointF(4.5, 45)};
    for (int i = 0; i < 10; ++i)
        line << QPointF(5.0 + i * 0.05, i == 3 ? 1.0 : (i == 6 ? 90.0 : 50.0 + i));
    line << QPointF(6.2, 20) << QPointF(7.9, 25);
    const ThinnedCurve thin = thinByPixelColumn(line);
    ASSERT_EQ(thin.lines.size(), 2u);
    EXPECT_EQ(thin.lines[0], (QPolygonF{QPointF(3.2, 40), QPointF(4.5, 45), QPointF(5.0, 50)}));
    ASSERT_EQ(thin.lines[1].size(), 3);
    EXPECT_NEAR(thin.lines[1][0].x(), 5.45, 1e-9);
    EXPECT_EQ(thin.lines[1][0].y(), 59);
    EXPECT_EQ(thin.lines[1][2], QPointF(7.9, 25));
    ASSERT_EQ(thin.spans.size(), 1u);
    EXPECT_EQ(thin.spans[0], QLine(5, 1, 5, 90)) << "lowest to highest of the column";
}

TEST(GraphThinning, DenseColumnsSideBySideFormOneBand)
{
    QPolygonF line;
    for (int i = 0; i < 30; ++i) // ten points in each of the columns 0, 1, 2
        line << QPointF(i * 0.1, (i % 2) ? 10.0 + i : 80.0 - i);
    line << QPointF(3.5, 40);
    const ThinnedCurve thin = thinByPixelColumn(line);
    ASSERT_EQ(thin.spans.size(), 3u);
    EXPECT_EQ(thin.spans[0], QLine(0, 11, 0, 80));
    EXPECT_EQ(thin.spans[1], QLine(1, 19, 1, 70)) << "reaches back to 19, where column 0 ended";
    EXPECT_EQ(thin.spans[2], QLine(2, 29, 2, 60));
    ASSERT_EQ(thin.lines.size(), 1u) << "only the way out of the band";
    EXPECT_EQ(thin.lines[0].size(), 2);
    EXPECT_EQ(thin.lines[0].last(), QPointF(3.5, 40));
}

TEST(GraphThinning, SparseLinesStayWhole)
{
    const QPolygonF line{QPointF(0, 0), QPointF(1.5, 3), QPointF(3, 1), QPointF(3.5, 2)};
    const ThinnedCurve thin = thinByPixelColumn(line);
    ASSERT_EQ(thin.lines.size(), 1u);
    EXPECT_EQ(thin.lines[0], line);
    EXPECT_TRUE(thin.spans.empty());
}

struct ContrastCase {
    QRgb colour;
    QRgb background;
    double minRatio;
};

class GraphColourContrast : public ::testing::TestWithParam<ContrastCase> {};

TEST_P(GraphColourContrast, ReadableOnItsBackground)
{
    const ContrastCase& c = GetParam();
    const QColor got = readableColour(QColor(c.colour), QColor(c.background), c.minRatio);
    EXPECT_GE(contrastRatio(got, QColor(c.background)), c.minRatio);
    if (contrastRatio(QColor(c.colour), QColor(c.background)) >= c.minRatio) {
        EXPECT_EQ(got, QColor(c.colour)) << "a readable colour is kept as it is";
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, GraphColourContrast,
                         ::testing::Values(ContrastCase{0xF0DC28, 0xFFFFFF, 3.0},
                                           ContrastCase{0xF0DC28, 0x000000, 3.0},
                                           ContrastCase{0xFFFFFF, 0xF0F0F0, 4.5},
                                           ContrastCase{0x000000, 0x101010, 3.0},
                                           ContrastCase{0x3CDC78, 0xF0F0F0, 4.5}));

TEST(GraphColours, EverySeriesColourStandsOutOnTheDarkPlotAndOnPaper)
{
    const auto& colours = seriesDesignColours();
    for (size_t s = 0; s < colours.size(); ++s) {
        if (s == 7)
            continue; // power factor: white or black by the background
        EXPECT_GE(contrastRatio(colours[s], plotDesignBackColour()), 4.5) << "series " << s;
        const QColor onWhite = readableColour(colours[s], Qt::white, 3.0);
        for (size_t o = 0; o < s; ++o) {
            if (o != 7) {
                EXPECT_NE(colours[s], colours[o]) << s << " and " << o;
            }
        }
        EXPECT_GE(contrastRatio(onWhite, Qt::white), 3.0);
    }
}

TEST(GraphColours, QbColoursOfTheGrid)
{
    EXPECT_EQ(qbColor(0), QColor(0, 0, 0));
    EXPECT_EQ(qbColor(7), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(qbColor(4), QColor(0x80, 0, 0));
    EXPECT_EQ(qbColor(15), QColor(255, 255, 255));
}

} // namespace
