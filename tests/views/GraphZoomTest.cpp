// Zooming and panning the time axis, and the steps of a zoomed time axis.

#include "views/GraphZoom.h"
#include "GraphTestData.h"
#include "platform/Format.h"

#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;

namespace {

const double kFirst = at(2002, 6, 1, 0, 0, 0);

double plus(long long seconds)
{
    return vbdate::addSeconds(kFirst, seconds);
}

enum class Op { About, Range, Pan, Follow, Whole };

struct ZoomCase {
    const char* name;
    Op op;
    long long start, span; // the view before, seconds after the first record
    double a, b;           // fraction and factor, two fractions, or the pan
    long long wantStart, wantSpan;
    int interval = 1;
    long long last = 86400;
};

class Zoom : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(Zoom, GivesTheViewWithinTheDataSet)
{
    const ZoomCase& c = GetParam();
    SCOPED_TRACE(c.name);
    const ZoomLimits limits{kFirst, plus(c.last), c.interval};
    const TimeView view{plus(c.start), c.span};
    TimeView got;
    switch (c.op) {
    case Op::About:
        got = zoomAbout(view, c.a, c.b, limits);
        break;
    case Op::Range:
        got = zoomToRange(view, c.a, c.b, limits);
        break;
    case Op::Pan:
        got = panBy(view, c.a, limits);
        break;
    case Op::Follow:
        got = followNewest(view, limits);
        break;
    case Op::Whole:
        got = wholeView(limits);
        break;
    }
    EXPECT_EQ(vbdate::secondsBetween(kFirst, got.start), c.wantStart);
    EXPECT_EQ(got.span, c.wantSpan);
}

INSTANTIATE_TEST_SUITE_P(
    Views, Zoom,
    ::testing::Values(
        ZoomCase{"in about the middle", Op::About, 3600, 3600, 0.5, 0.5, 4500, 1800},
        ZoomCase{"in about the left edge", Op::About, 3600, 3600, 0.0, 0.5, 3600, 1800},
        ZoomCase{"out about the right edge", Op::About, 3600, 3600, 1.0, 2.0, 0, 7200},
        ZoomCase{"no shorter than ten seconds", Op::About, 100, 12, 0.5, 0.1, 101, 10},
        ZoomCase{"a tiny step still zooms", Op::About, 100, 12, 0.5, 0.99, 101, 11},
        ZoomCase{"no wider than the data set", Op::About, 3600, 3600, 0.5, 100, 0, 86400},
        ZoomCase{"two periods at least", Op::About, 600, 600, 0.0, 0.01, 600, 120, 60},
        ZoomCase{"whole periods", Op::About, 600, 600, 0.0, 0.55, 600, 360, 60},
        ZoomCase{"a rectangle dragged right to left", Op::Range, 0, 3600, 0.75, 0.25, 900, 1800},
        ZoomCase{"a narrow rectangle", Op::Range, 0, 3600, 0.5, 0.5001, 1795, 10},
        ZoomCase{"pan earlier", Op::Pan, 3600, 3600, -0.25, 0, 2700, 3600},
        ZoomCase{"pan stops at the first record", Op::Pan, 600, 3600, -1, 0, 0, 3600},
        ZoomCase{"pan stops at the last record", Op::Pan, 80000, 3600, 1, 0, 82800, 3600},
        ZoomCase{"follow the newest", Op::Follow, 0, 600, 0, 0, 85800, 600},
        ZoomCase{"the whole data set", Op::Whole, 0, 60, 0, 0, 0, 86400},
        ZoomCase{"the whole data set in periods", Op::Whole, 0, 60, 0, 0, 0, 86460, 60, 86430},
        ZoomCase{"a data set of one record", Op::Whole, 0, 60, 0, 0, 0, 10, 1, 0}));

struct StepCase {
    long long span;
    int lines;
    long long step;
    TimeUnit unit;
};

TEST(TimeAxisStep, IsTheSmallestThatFitsTheLines)
{
    const StepCase cases[] = {
        {60, 6, 10, TimeUnit::Seconds},
        {10, 20, 1, TimeUnit::Seconds},
        {3600, 8, 600, TimeUnit::Minutes},
        {86400, 8, 3 * 3600, TimeUnit::Hours},
        {3 * 86400, 8, 12 * 3600, TimeUnit::Hours},
        {30 * 86400, 8, 5 * 86400, TimeUnit::Days},
        {100000LL * 86400, 3, 1000 * 86400, TimeUnit::Days},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.span);
        EXPECT_EQ(timeAxisStep(c.span, c.lines), (TimeAxisStep{c.step, c.unit}));
    }
}

struct TickCase {
    double start, end;
    TimeAxisStep step;
    std::vector<double> ticks;
};

TEST(TimeAxisTicks, FallOnWholeStepsOfTheClock)
{
    const TickCase cases[] = {
        {at(2002, 6, 1, 10, 0, 7),
         at(2002, 6, 1, 10, 0, 37),
         {10, TimeUnit::Seconds},
         {at(2002, 6, 1, 10, 0, 10), at(2002, 6, 1, 10, 0, 20), at(2002, 6, 1, 10, 0, 30)}},
        // A line on the start or the end is the edge itself, not a line.
        {at(2002, 6, 1, 10, 0, 0),
         at(2002, 6, 1, 10, 30, 0),
         {900, TimeUnit::Minutes},
         {at(2002, 6, 1, 10, 15, 0)}},
        {at(2002, 6, 1, 12, 0, 0),
         at(2002, 6, 4, 12, 0, 0),
         {86400, TimeUnit::Days},
         {at(2002, 6, 2, 0, 0, 0), at(2002, 6, 3, 0, 0, 0), at(2002, 6, 4, 0, 0, 0)}},
        {at(2002, 6, 1, 23, 0, 0),
         at(2002, 6, 2, 5, 0, 0),
         {3 * 3600, TimeUnit::Hours},
         {at(2002, 6, 2, 0, 0, 0), at(2002, 6, 2, 3, 0, 0)}},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE(Format(c.start, QStringLiteral("yyyy/mm/dd hh:mm:ss")).toStdString());
        const std::vector<double> got = timeAxisTicks(c.start, c.end, c.step);
        ASSERT_EQ(got.size(), c.ticks.size());
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(vbdate::secondsBetween(got[i], c.ticks[i]), 0) << i;
    }
}

struct LabelCase {
    double time, previous;
    TimeUnit unit;
    const char* date;
    const char* clock;
};

TEST(TimeAxisLabel, ShowsTheDateWhereItChanges)
{
    const LabelCase cases[] = {
        {at(2002, 6, 1, 10, 0, 10), at(2002, 6, 1, 10, 0, 0), TimeUnit::Seconds, "", " 10:00:10"},
        {at(2002, 6, 2, 0, 0, 0), at(2002, 6, 1, 23, 0, 0), TimeUnit::Minutes, "2002/06/02",
         " 00:00"},
        {at(2002, 6, 1, 15, 0, 0), -1, TimeUnit::Hours, "2002/06/01", " 15:00"},
        {at(2002, 6, 3, 0, 0, 0), at(2002, 6, 2, 0, 0, 0), TimeUnit::Days, "2002/06/03", ""},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.clock);
        const TimeAxisLabel got = timeAxisLabel(c.time, c.previous, {1, c.unit});
        EXPECT_EQ(got.date, QString::fromUtf8(c.date));
        EXPECT_EQ(got.clock, QString::fromUtf8(c.clock));
    }
}

TEST(ZoomValueRange, TakesTheValuesBetweenTwoHeights)
{
    const struct {
        double ymin, ymax, from, to;
        ValueRange want;
    } cases[] = {
        {0, 1000, 0.25, 0.75, {250, 750}},
        {0, 1000, 0.75, 0.25, {250, 750}},         // dragged upwards
        {-50, 50, 0, 1, {-50, 50}},                // the whole height
        {0, 1000, -0.5, 0.5, {500, 1000}},         // beyond the top
        {0, 1000, 0.5, 0.5, {499.9995, 500.0005}}, // no height: a millionth of the axis
        {10, 10, 0.2, 0.8, {10, 10}},              // an axis of no range stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from * 100 + c.to);
        const ValueRange got = zoomValueRange(c.ymin, c.ymax, c.from, c.to);
        EXPECT_NEAR(got.ymin, c.want.ymin, 1e-9);
        EXPECT_NEAR(got.ymax, c.want.ymax, 1e-9);
    }
}

} // namespace
