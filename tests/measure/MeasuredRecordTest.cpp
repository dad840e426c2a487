// The record a line makes: derived powers and the integration of energy and
// time (the record's columns are checked with whole lines, in the link's tests).

#include "measure/MeasuredRecord.h"
#include "platform/VbError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quellin {
namespace {

// ---------------------------------------------------------------------------------
// Derived values

struct PowerCase {
    int wiring;
    double vr, ir, vt, it, p;
    double s, q;
};

class PowerTest : public ::testing::TestWithParam<PowerCase> {};

TEST_P(PowerTest, ApparentAndReactivePowerFollowTheWiring)
{
    const PowerCase& c = GetParam();
    const double s = apparentPower(c.wiring, c.vr, c.ir, c.vt, c.it);
    EXPECT_NEAR(s, c.s, 1e-6);
    EXPECT_NEAR(reactivePower(s, c.p), c.q, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Wirings, PowerTest,
    ::testing::Values(PowerCase{0, 100, 5, 0, 0, 400, 500, 300},
                      PowerCase{0, 100, 5, 200, 9, 400, 500, 300}, // T ignored
                      PowerCase{1, 100, 5, 100, 3, 700, 800, std::sqrt(800.0 * 800 - 700 * 700)},
                      PowerCase{2, 200, 10, 200, 10, 3000, 3464.1016151377544,
                                std::sqrt(3000000.0)},
                      PowerCase{3, 200, 10, 200, 10, 500, 0, 500},                 // unknown wiring
                      PowerCase{0, 100, 5, 0, 0, 600, 500, std::sqrt(110000.0)})); // |S²−P²|

// ---------------------------------------------------------------------------------
// Energy and time

struct SecondCase {
    const char* name;
    PowerTotals before;
    double watts;
    bool overflows;
    PowerTotals after;
};

class AddSecondTest : public ::testing::TestWithParam<SecondCase> {};

TEST_P(AddSecondTest, OneLineIsOneSecondOfThePower)
{
    const SecondCase& c = GetParam();
    if (c.overflows) {
        EXPECT_THROW(addSecond(c.before, c.watts), VbError);
        return;
    }
    const PowerTotals t = addSecond(c.before, c.watts);
    EXPECT_DOUBLE_EQ(t.energy, c.after.energy);
    EXPECT_DOUBLE_EQ(t.hours, c.after.hours);
}

constexpr double kMax = std::numeric_limits<double>::max();

INSTANTIATE_TEST_SUITE_P(
    Seconds, AddSecondTest,
    ::testing::Values(SecondCase{"FirstSecond", {0, 0}, 3600000, false, {1, 1.0 / 3600}},
                      SecondCase{"Negative", {2, 1}, -360000, false, {1.9, 1 + 1.0 / 3600}},
                      SecondCase{"Overflow", {kMax, 0}, kMax, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quellin
