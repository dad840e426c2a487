// Crowded curves drawn a pixel column at a time, and the background layer the
// graph window keeps between drawings.

#include "GraphTestData.h"
#include "TestContext.h"
#include "views/GraphColours.h"
#include "views/GraphScene.h"
#include "views/ModGraph.h"
#include "views/ModGraphDense.h"
#include "views/ModGraphDraw.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>

using namespace quellin;
using quellin::test::at;

namespace {

constexpr double kTpp = 15.0; // twips per pixel
const QRect kPlot(100, 20, 400, 300);

// What the sample-by-sample walk draws, in device pixels: the curve's first point
// and the end of every solid segment (where each next one starts, to within the
// walk's rounding), by pixel column, and the dotted segments.
struct WalkPixels {
    std::map<int, std::vector<double>> ends; // column → y of the segment ends in it
    std::vector<PlotSegment> dotted;
};

WalkPixels walkPixels(const std::vector<long long>& ts, const std::vector<double>& ys, int n,
                      double width, long long slots, int interval)
{
    WalkPixels w;
    const auto add = [&](double x, double y) {
        const double px = kPlot.left() + x / kTpp + 0.5;
        w.ends[static_cast<int>(std::floor(px))].push_back(kPlot.top() + y / kTpp + 0.5);
    };
    bool first = true;
    for (const PlotSegment& seg : plotSegments(ts, ys, n, {width, slots, interval})) {
        if (seg.dotted) {
            w.dotted.push_back(seg);
            continue;
        }
        if (first)
            add(seg.x1, seg.y1);
        first = false;
        add(seg.x2, seg.y2);
    }
    return w;
}

struct Series {
    std::vector<long long> ts{0};
    std::vector<double> ys{0};
    int n() const { return static_cast<int>(ts.size()) - 1; }
};

// A day at two-second steps with a wobble, and optionally a hole of missing samples.
Series crowded(int points, long long holeFrom = -1, long long holeSeconds = 0)
{
    Series s;
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> noise(-300, 300);
    long long t = 0;
    for (int i = 0; i < points; ++i) {
        if (t == holeFrom)
            t += holeSeconds;
        s.ts.push_back(t);
        s.ys.push_back(2250 + 1500 * std::sin(i * 0.003) + noise(rng));
        t += 2;
    }
    return s;
}

TEST(DenseCurve, EachColumnRunsFromItsLowestToItsHighestPositionAndJoinsTheNext)
{
    const Series s = crowded(30000);
    const double width = kPlot.width() * kTpp;
    const long long slots = graphSlotCount(0, vbdate::addSeconds(0, 86400), 2);
    const double dx = width / static_cast<double>(std::max<long long>(slots, s.n()) - 1);
    ASSERT_TRUE(isDenseCurve(s.n(), kPlot.width()));
    const DenseCurve dense =
        denseCurve(s.ts.data(), s.ys.data(), s.n(), dx, 2, width + dx, kPlot, kTpp);
    const WalkPixels walk = walkPixels(s.ts, s.ys, s.n(), width, slots, 2);

    EXPECT_TRUE(dense.lines.empty());
    EXPECT_TRUE(dense.dots.empty());
    std::map<int, QLine> spans;
    for (const QLine& span : dense.spans) {
        EXPECT_TRUE(spans.emplace(span.x1(), span).second) << "one run per column";
        EXPECT_EQ(span.x1(), span.x2());
    }
    ASSERT_EQ(spans.size(), walk.ends.size());
    double previousLast = 0;
    bool first = true;
    for (const auto& [column, ys] : walk.ends) {
        ASSERT_TRUE(spans.count(column)) << column;
        const QLine& span = spans[column];
        const auto [lo, hi] = std::minmax_element(ys.begin(), ys.end());
        // Every end the walk draws in the column is covered …
        EXPECT_LE(span.y1(), static_cast<int>(std::floor(*lo))) << column;
        EXPECT_GE(span.y2(), static_cast<int>(std::floor(*hi))) << column;
        // … and the run reaches no further than the column's own positions and
        // where the curve came in from the column before.
        const double from = first ? *lo : std::min(*lo, previousLast);
        const double to = first ? *hi : std::max(*hi, previousLast);
        EXPECT_GE(span.y1(), static_cast<int>(std::floor(from)) - 1) << column;
        EXPECT_LE(span.y2(), static_cast<int>(std::floor(to)) + 1) << column;
        previousLast = ys.back();
        first = false;
    }
}

TEST(DenseCurve, MissingSamplesBreakTheCurve)
{
    // Two hours without samples in the middle of the day.
    const Series s = crowded(30000, 30000, 7200);
    const double width = kPlot.width() * kTpp;
    const long long slots = graphSlotCount(0, vbdate::addSeconds(0, 86400), 2);
    const double dx = width / static_cast<double>(std::max<long long>(slots, s.n()) - 1);
    const DenseCurve dense =
        denseCurve(s.ts.data(), s.ys.data(), s.n(), dx, 2, width + dx, kPlot, kTpp);
    EXPECT_TRUE(dense.dots.empty());
    EXPECT_TRUE(dense.lines.empty());
    // Nothing in the columns of the hole; the curve on both sides of it, and
    // nothing beyond the plot's right edge.
    const double holeLeft = kPlot.left() + kPlot.width() * 30000.0 / 86400;
    const double holeRight = kPlot.left() + kPlot.width() * 37200.0 / 86400;
    int before = 0, after = 0;
    for (const QLine& span : dense.spans) {
        EXPECT_FALSE(span.x1() > holeLeft + 1 && span.x1() < holeRight - 1) << span.x1();
        EXPECT_LE(span.x1(), kPlot.right() + 1);
        (span.x1() < holeLeft ? before : after) += 1;
    }
    EXPECT_GT(before, 100);
    EXPECT_GT(after, 100);
}

TEST(DenseCurve, OnlyCrowdedCurvesAreDrawnByColumn)
{
    EXPECT_FALSE(isDenseCurve(799, 400));
    EXPECT_TRUE(isDenseCurve(800, 400));
    EXPECT_FALSE(isDenseCurve(800, 0));
}

// The graph window's drawing over its kept layer is the drawing made whole, for
// the first drawing, after new points, and after a changed scale and window.
TEST(GraphLayer, DrawingOverTheKeptLayerEqualsTheWholeDrawing)
{
    test::TestContext tc;
    Context& ctx = *tc.ctx;
    test::fillGraphCatalog(ctx.cat, 2);
    for (const int s : {0, 4, 7, 9, 12})
        ctx.cat.SeriesShown[static_cast<size_t>(s)] = true;
    DataSetProperties& st = test::props(ctx);
    st.SampleInterval = 1;
    ctx.graphWindow().GraphStart = at(2002, 6, 1, 10, 0, 0);
    ctx.graphWindow().GraphEnd = vbdate::addSeconds(ctx.graphWindow().GraphStart, 3600);
    auto setPoints = [&](int n, double level) {
        std::vector<double> times;
        std::vector<std::vector<double>> values(14);
        for (int i = 0; i < n; ++i) {
            times.push_back(vbdate::addSeconds(ctx.graphWindow().GraphStart, i));
            for (auto& v : values)
                v.push_back(level + 3 * std::sin(i * 0.01));
        }
        test::setGraphPoints(ctx.graphWindow(), 14, times, values);
    };
    GraphPictures pics;
    pics.PicGraphBase = {QRect(0, 0, 640, 360), buttonFaceColour(), Qt::black, true};
    for (int s = 0; s < kMaxSeries; ++s)
        pics.PicLeftBar[static_cast<size_t>(s)] = {
            QRect((s % 5) * 68, 6, 68, 300), buttonFaceColour(),
            seriesDesignColours()[static_cast<size_t>(s)], true};
    pics.PicGraph = {QRect(340, 6, 290, 300), plotDesignBackColour(), Qt::white, true};
    pics.PicBottomBar = {QRect(304, 308, 362, 28), buttonFaceColour(), Qt::black, true};

    GraphLayerCache layer;
    const auto sameAsWhole = [&](const char* when) {
        QImage kept(640, 360, QImage::Format_ARGB32_Premultiplied);
        QImage whole(640, 360, QImage::Format_ARGB32_Premultiplied);
        GraphPictures a = pics, b = pics;
        ASSERT_TRUE(DrawGraph(currentGraphScene(ctx, a), kept, layer, ctx.svc)) << when;
        ASSERT_TRUE(DrawGraph(currentGraphScene(ctx, b), whole, ctx.svc)) << when;
        EXPECT_TRUE(kept == whole) << when;
    };
    setPoints(1200, 5);
    sameAsWhole("first drawing");
    setPoints(1800, 6);
    sameAsWhole("more points");
    test::setDecade(ctx.cat, 4, 1);
    sameAsWhole("another scale");
    ctx.graphWindow().GraphStart = vbdate::addSeconds(ctx.graphWindow().GraphStart, 3600);
    ctx.graphWindow().GraphEnd = vbdate::addSeconds(ctx.graphWindow().GraphEnd, 3600);
    sameAsWhole("the window moved on");
    pics.PicGraph.BackColor = Qt::white;
    sameAsWhole("print colours");
}

} // namespace
