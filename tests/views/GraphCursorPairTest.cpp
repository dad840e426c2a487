// The figures between two cursors: each series' values at them, its extremes and
// mean between them, and the energy and mean power of the records between them.

#include "views/GraphCursorPair.h"
#include "GraphTestData.h"

#include <gtest/gtest.h>
#include <limits>

using namespace quellin;
using quellin::test::at;

namespace {

const double kStart = at(2002, 6, 1, 10, 0, 0);
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double plus(long long seconds)
{
    return vbdate::addSeconds(kStart, seconds);
}

struct BetweenCase {
    const char* name;
    std::vector<long long> seconds; // the points' times
    std::vector<double> values;
    long long a, b;
    std::optional<double> atFirst, atSecond, min, mean, max;
};

class Between : public ::testing::TestWithParam<BetweenCase> {};

TEST_P(Between, ReadsTheCurveAtTheCursorsAndThePointsBetween)
{
    const BetweenCase& c = GetParam();
    SCOPED_TRACE(c.name);
    std::vector<double> times{0}, values{0};
    for (size_t i = 0; i < c.seconds.size(); ++i) {
        times.push_back(plus(c.seconds[i]));
        values.push_back(c.values[i]);
    }
    const int n = static_cast<int>(c.seconds.size());
    const SeriesBetween got = seriesBetween(times, values, n, 10, plus(c.a), plus(c.b));
    EXPECT_EQ(got.atFirst, c.atFirst);
    EXPECT_EQ(got.atSecond, c.atSecond);
    EXPECT_EQ(got.difference.has_value(), c.atFirst && c.atSecond);
    if (got.difference) {
        EXPECT_EQ(*got.difference, *c.atSecond - *c.atFirst);
    }
    EXPECT_EQ(got.min, c.min);
    EXPECT_EQ(got.mean, c.mean);
    EXPECT_EQ(got.max, c.max);
}

INSTANTIATE_TEST_SUITE_P(
    Cursors, Between,
    ::testing::Values(
        BetweenCase{
            "on points", {0, 10, 20, 30}, {100, 300, 200, 400}, 10, 30, 300, 400, 200, 300, 400},
        BetweenCase{"in either order",
                    {0, 10, 20, 30},
                    {100, 300, 200, 400},
                    30,
                    10,
                    300,
                    400,
                    200,
                    300,
                    400},
        // Between points the line joining them; the figures of the points inside.
        BetweenCase{"between points",
                    {0, 10, 20, 30},
                    {100, 300, 200, 400},
                    5,
                    25,
                    200,
                    300,
                    200,
                    250,
                    300},
        // A value that could not be read counts for nothing.
        BetweenCase{
            "unreadable value", {0, 10, 20}, {100, kNaN, 300}, 0, 20, 100, 300, 100, 200, 300},
        // Where the curve breaks nothing is read; the figures keep to what was measured.
        BetweenCase{"in a gap",
                    {0, 10, 100, 110},
                    {100, 200, 300, 500},
                    50,
                    110,
                    std::nullopt,
                    500,
                    300,
                    400,
                    500},
        BetweenCase{"nothing between",
                    {0, 10, 100},
                    {100, 200, 300},
                    40,
                    60,
                    std::nullopt,
                    std::nullopt,
                    std::nullopt,
                    std::nullopt,
                    std::nullopt}));

struct EnergyCase {
    const char* name;
    std::vector<long long> seconds;
    std::vector<double> watts;
    int interval;
    long long a, b;
    std::optional<double> kWh, meanWatts;
};

TEST(EnergyBetween, SumsPowerTimesPeriodOfTheRecordsBetween)
{
    const EnergyCase cases[] = {
        // 3600 W for four one-second periods (the record at b ends the stretch).
        {"one second", {0, 1, 2, 3, 4}, {3600, 3600, 3600, 3600, 3600}, 1, 0, 4, 4.0 / 1000, 3600},
        {"reverse flow counts against", {0, 60}, {7200, -3600}, 60, 0, 120, 0.06, 1800},
        {"unreadable power", {0, 60}, {kNaN, 1800}, 60, 0, 120, 0.03, 1800},
        {"no record", {0}, {1000}, 1, 10, 20, std::nullopt, std::nullopt},
    };
    for (const EnergyCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<DataRecord> records;
        for (size_t i = 0; i < c.seconds.size(); ++i) {
            DataRecord r{};
            r.setTime(plus(c.seconds[i]));
            r.setColumn(column::kActivePower, c.watts[i]);
            records.push_back(r);
        }
        const EnergyBetween got = energyBetween(records, c.interval, plus(c.b), plus(c.a));
        ASSERT_EQ(got.kWh.has_value(), c.kWh.has_value());
        if (got.kWh) {
            EXPECT_NEAR(*got.kWh, *c.kWh, 1e-12);
            EXPECT_NEAR(*got.meanWatts, *c.meanWatts, 1e-9);
        }
    }
}

} // namespace
