// DrawGraph into an image: curves, grid and labels land on the pixels where the
// drawing rules put them.

#include "GraphTestData.h"
#include "TestContext.h"
#include "views/GraphColours.h"
#include "views/GraphScene.h"
#include "views/ModGraphDraw.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;

namespace {

// Two bars (voltage R and active power) left of a 650 × 300 plot, 15 twips a pixel.
//   x: bar 0 at 0..67, bar 4 at 68..135, plot at 136..785; grid line at 136 + 325
//   y: plot rows 6..305, horizontal grid every 30 rows from 36; bottom bar 309..336
class GraphDrawing : public ::testing::Test {
protected:
    static constexpr int kPlotLeft = 136;
    static constexpr int kPlotTop = 6;
    static constexpr int kCurveRow = kPlotTop + 165; // 4500 W of 0..10000 W

    void SetUp() override
    {
        Context& ctx = *tc.ctx;
        test::fillGraphCatalog(ctx.cat, 1);
        ctx.cat.SeriesShown[0] = true;
        ctx.cat.SeriesShown[4] = true;
        ctx.cat.SeriesShown[8] = false;
        test::setDecade(ctx.cat, 0, 0); // 0..10 V
        test::setDecade(ctx.cat, 4, 3); // 0..10000 W
        DataSetProperties& st = test::props(ctx);
        ctx.graphWindow().GraphStart = at(2002, 6, 1, 10, 0, 0);
        ctx.graphWindow().GraphEnd = at(2002, 6, 1, 10, 1, 0);
        st.SampleInterval = 1;
        // Every second except 10:00:04 .. 10:00:06.
        std::vector<double> times;
        std::vector<std::vector<double>> values(9);
        for (int sec = 0; sec <= 60; ++sec) {
            if (sec >= 4 && sec <= 6)
                continue;
            times.push_back(vbdate::addSeconds(ctx.graphWindow().GraphStart, sec));
            values[0].push_back(-5);    // below the voltage axis
            values[4].push_back(-4500); // reverse flow, drawn upwards
        }
        test::setGraphPoints(ctx.graphWindow(), 9, times, values);

        pics.twipsPerPixel = 15;
        pics.PicGraphBase = {QRect(0, 0, 800, 400), buttonFaceColour(), Qt::black, true};
        for (int s = 0; s < kMaxSeries; ++s)
            pics.PicLeftBar[static_cast<size_t>(s)] = {
                QRect(0, kPlotTop, 68, 300), buttonFaceColour(),
                seriesDesignColours()[static_cast<size_t>(s)], false};
        pics.PicLeftBar[0].Visible = true;
        pics.PicLeftBar[4].rect.moveLeft(68);
        pics.PicLeftBar[4].Visible = true;
        pics.PicGraph = {QRect(kPlotLeft, kPlotTop, 650, 300), plotDesignBackColour(), Qt::white,
                         true};
        pics.PicBottomBar = {QRect(kPlotLeft - 36, 309, 722, 28), buttonFaceColour(), Qt::black,
                             true};
        image = QImage(800, 400, QImage::Format_RGB32);
        image.fill(Qt::magenta);
    }

    QColor pixel(int x, int y) const { return image.pixelColor(x, y); }
    bool isCurve(int x, int y) const
    {
        const QColor c = pixel(x, y);
        return c.green() > 100 && c.red() < 100;
    }

    // The graph window's drawing: the scene of the window on the pictures.
    bool drawScene()
    {
        scene = currentGraphScene(*tc.ctx, pics);
        return DrawGraph(scene, image, tc.services);
    }

    test::TestContext tc;
    GraphPictures pics;
    GraphScene scene;
    QImage image;
};

TEST_F(GraphDrawing, ReversePowerCurveIsDrawnUpwardsAtItsValue)
{
    ASSERT_TRUE(drawScene());
    for (int x = kPlotLeft + 80; x < kPlotLeft + 640; x += 37)
        EXPECT_TRUE(isCurve(x, kCurveRow) || isCurve(x, kCurveRow - 1)) << "x = " << x;
    EXPECT_EQ(pixel(kPlotLeft + 300, kCurveRow - 20), QColor(Qt::black)) << "nothing above it";
    EXPECT_TRUE(tc.status.panels[2].isEmpty()) << tc.status.panels[2].toStdString();
}

TEST_F(GraphDrawing, NegativeVoltageFallsBelowThePlot)
{
    ASSERT_TRUE(drawScene());
    for (int y = kPlotTop; y < kPlotTop + 300; ++y)
        for (int x = kPlotLeft; x < kPlotLeft + 650; ++x) {
            const QColor c = pixel(x, y);
            ASSERT_FALSE(c.red() > 150 && c.green() < 120)
                << "red curve pixel at " << x << "," << y;
        }
}

// Records missing for more than two periods, or values a record could not be
// given (NaN): the curve breaks there, without an overflow report or a point at 0.
TEST_F(GraphDrawing, MissingRecordsAndValuesBreakTheCurve)
{
    std::vector<double>& power = tc.ctx->graphWindow().GraphValues[4];
    for (int sec = 20; sec <= 22; ++sec)
        power[static_cast<size_t>(sec - 3 + 1)] = std::numeric_limits<double>::quiet_NaN();
    ASSERT_TRUE(drawScene());
    EXPECT_TRUE(tc.status.panels[2].isEmpty()) << tc.status.panels[2].toStdString();
    // 10:00:03 … 10:00:07 lies between x = 136 + 32.5 and 136 + 75.8 (10.83 px a
    // second), 10:00:19 … 10:00:23 between 136 + 205.8 and 136 + 249.1.
    const std::vector<std::pair<int, int>> holes{{36, 72}, {210, 245}};
    for (const auto& [from, to] : holes)
        for (int x = kPlotLeft + from; x < kPlotLeft + to; ++x)
            for (int y = kCurveRow - 2; y <= kCurveRow + 2; ++y)
                ASSERT_FALSE(isCurve(x, y)) << "drawn across the gap at " << x;
    for (int x = kPlotLeft + 90; x < kPlotLeft + 200; ++x)
        ASSERT_TRUE(isCurve(x, kCurveRow) || isCurve(x, kCurveRow - 1)) << "solid at " << x;
    for (int x = kPlotLeft; x < kPlotLeft + 650; ++x)
        ASSERT_FALSE(isCurve(x, kPlotTop + 299)) << "a point at 0 W at " << x;
}

TEST_F(GraphDrawing, GridIsDottedLightGreyOnTheDarkPlot)
{
    ASSERT_TRUE(drawScene());
    const QColor grey(0xC0, 0xC0, 0xC0);
    int lineDots = 0, gaps = 0;
    for (int y = kPlotTop + 2; y < kPlotTop + 28; ++y)
        (pixel(kPlotLeft + 325, y) == grey ? lineDots : gaps) += 1;
    EXPECT_GE(lineDots, 6) << "the middle vertical line of a one-minute window";
    EXPECT_GE(gaps, 6) << "dotted, not solid";
    EXPECT_NE(pixel(kPlotLeft + 324, kPlotTop + 10), grey);
    int rowDots = 0;
    for (int x = kPlotLeft + 2; x < kPlotLeft + 300; ++x)
        rowDots += pixel(x, kPlotTop + 30) == grey ? 1 : 0;
    EXPECT_GE(rowDots, 60) << "first horizontal line, a tenth down";
    EXPECT_EQ(scene.pictures.PicLeftBar[7].ForeColor, QColor(Qt::white));
}

TEST_F(GraphDrawing, WhitePlotForPrintingGetsBlackGridAndPowerFactor)
{
    pics.PicGraph.BackColor = Qt::white;
    ASSERT_TRUE(drawScene());
    int black = 0;
    for (int y = kPlotTop + 2; y < kPlotTop + 28; ++y)
        black += pixel(kPlotLeft + 325, y) == QColor(Qt::black) ? 1 : 0;
    EXPECT_GE(black, 6);
    EXPECT_EQ(scene.pictures.PicLeftBar[7].ForeColor, QColor(Qt::black));
    // The green curve is darkened enough to read on paper.
    const QColor c = pixel(kPlotLeft + 300, kCurveRow);
    const QColor d = pixel(kPlotLeft + 300, kCurveRow - 1);
    EXPECT_TRUE(c.green() > c.red() + 40 || d.green() > d.red() + 40);
    EXPECT_LT(std::min(c.lightness(), d.lightness()), 200);
}

TEST_F(GraphDrawing, BarsAndTimeAxisCarryTheirLabels)
{
    ASSERT_TRUE(drawScene());
    auto inkIn = [&](QRect r) {
        int ink = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ink += pixel(x, y).lightness() < 180 ? 1 : 0;
        return ink;
    };
    // Tick labels from x = 440 twips (29 px) of each bar, level with the grid lines.
    EXPECT_GT(inkIn(QRect(68 + 29, kPlotTop + 24, 36, 12)), 10);
    EXPECT_GT(inkIn(QRect(29, kPlotTop + 264, 36, 12)), 10);
    // Start label at L0 − 410 twips, middle label, end label.
    EXPECT_GT(inkIn(QRect(kPlotLeft - 36 + 9, 309, 40, 26)), 20);
    EXPECT_GT(inkIn(QRect(kPlotLeft + 300, 309, 50, 26)), 20);
    EXPECT_GT(inkIn(QRect(kPlotLeft + 630, 309, 50, 26)), 20);
    // Right and bottom edges of a bar are black.
    EXPECT_EQ(pixel(67, kPlotTop + 100), QColor(Qt::black));
    EXPECT_EQ(pixel(30, kPlotTop + 299), QColor(Qt::black));
}

TEST_F(GraphDrawing, NoCurveWithFewerThanTwoPoints)
{
    tc.ctx->graphWindow().GraphPoints = 1;
    ASSERT_TRUE(drawScene());
    for (int x = kPlotLeft; x < kPlotLeft + 650; x += 5)
        ASSERT_FALSE(isCurve(x, kCurveRow)) << x;
    int grid = 0;
    for (int y = kPlotTop + 2; y < kPlotTop + 28; ++y)
        grid += pixel(kPlotLeft + 325, y) == QColor(0xC0, 0xC0, 0xC0) ? 1 : 0;
    EXPECT_GE(grid, 6) << "the grid is still drawn";
}

TEST_F(GraphDrawing, AnUnusableRangeIsReportedInTheStatusBarAndTheRestIsDrawn)
{
    tc.ctx->cat.SeriesYMax[0] = tc.ctx->cat.SeriesYMin[0] = 0;
    ASSERT_TRUE(drawScene());
    EXPECT_TRUE(
        tc.status.panels[2].startsWith(QStringLiteral("DrawGraphでエラーが起こりました。")));
    EXPECT_TRUE(isCurve(kPlotLeft + 300, kCurveRow) || isCurve(kPlotLeft + 300, kCurveRow - 1));
    EXPECT_TRUE(tc.msg.shown.empty());
}

} // namespace
