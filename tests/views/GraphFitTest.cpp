// Fitted Y ranges: ten bands of a 1-2-5 step around the values, zero kept for
// the series that count from it, and their labels. (Ranges that grow: the live
// graph's tests.)

#include "views/GraphFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quellin;

namespace {

struct FitCase {
    const char* name;
    double lo, hi;
    bool keepZero;
    double ymin, ymax;
};

class FitRange : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitRange, TenBandsOfARoundStepAroundTheValues)
{
    const FitCase& c = GetParam();
    const auto r = fitRange(c.lo, c.hi, c.keepZero);
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->ymin, c.ymin, 1e-9 * std::max(1.0, std::abs(c.ymin)));
    EXPECT_NEAR(r->ymax, c.ymax, 1e-9 * std::max(1.0, std::abs(c.ymax)));
    EXPECT_NEAR(r->ymax - r->ymin, 10 * r->step, 1e-9 * r->step);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FitRange,
    ::testing::Values(FitCase{"loadFarFromZero", 700, 2000, true, 400, 2400},
                      FitCase{"mains", 198, 202, false, 197.5, 202.5},
                      FitCase{"fewMilliamps", 2.5, 3.4, true, 2.0, 4.0},
                      FitCase{"leakageNearZero", 0.5, 3, true, 0, 5},
                      FitCase{"reversePowerNearZero", -2000, -300, true, -5000, 0},
                      FitCase{"bothSigns", -5, 12, false, -6, 14},
                      FitCase{"oneValue", 230, 230, false, 205, 255},
                      FitCase{"zeroAlone", 0, 0, true, 0, 1},
                      FitCase{"megawatts", 1.2e6, 1.9e6, false, 1.1e6, 2.1e6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FitRangeRefuses, ValuesThatAreNoNumbersOrNoRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [lo, hi] : {std::pair{nan, 1.0}, {0.0, inf}, {-inf, 0.0}, {2.0, 1.0}}) {
        SCOPED_TRACE(testing::Message() << lo << " .. " << hi);
        EXPECT_FALSE(fitRange(lo, hi, true));
    }
}

struct LabelCase {
    const char* name;
    double ymin, ymax;
    bool prefix;
    FittedLabels want;
};

class FittedLabelsOf : public ::testing::TestWithParam<LabelCase> {};

TEST_P(FittedLabelsOf, APrefixForTheMagnitudeAndDecimalsForTheStep)
{
    const LabelCase& c = GetParam();
    EXPECT_EQ(fittedLabels(c.ymin, c.ymax, c.prefix), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, FittedLabelsOf,
    ::testing::Values(LabelCase{"kilowatts", 400, 2400, true, {1e3, 1, QStringLiteral("K")}},
                      LabelCase{"volts", 197.5, 202.5, true, {1, 1, QString()}},
                      LabelCase{"milliamps", 0.002, 0.004, true, {1e-3, 1, QStringLiteral("m")}},
                      LabelCase{"megawatts", 1.1e6, 2.1e6, true, {1e6, 1, QStringLiteral("M")}},
                      LabelCase{"leakageTakesNoPrefix", 2000, 2500, false, {1, 0, QString()}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
