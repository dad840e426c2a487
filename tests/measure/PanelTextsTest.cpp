// The value panel's texts: decimal prefixes and the power factor (the items a
// record fills are checked with whole lines, in the link's tests).

#include "measure/PanelTexts.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>

// Readable failure messages for texts (internal to this test file).
[[maybe_unused]] static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace quellin {
namespace {

class RecordingPanel : public ValuePanel {
public:
    void setValue(int item, const QString& text) override { values.at(item) = text; }
    void setUnit(int item, const QString& text) override { units.at(item) = text; }
    std::array<std::optional<QString>, 15> values;
    std::array<std::optional<QString>, 15> units;
};

struct ScaledCase {
    double v;
    const char* unit;
    const char* value;
    const char* shownUnit;
};

class FormatScaledTest : public ::testing::TestWithParam<ScaledCase> {};

TEST_P(FormatScaledTest, ChoosesPrefixAndDigits)
{
    const ScaledCase& c = GetParam();
    RecordingPanel panel;
    FormatScaled(panel, 6, c.v, QString::fromLatin1(c.unit));
    EXPECT_EQ(panel.values[6], QString::fromLatin1(c.value));
    EXPECT_EQ(panel.units[6], QString::fromLatin1(c.shownUnit));
}

INSTANTIATE_TEST_SUITE_P(
    Decades, FormatScaledTest,
    ::testing::Values(ScaledCase{12345.6, "W", "12.35", "KW"}, ScaledCase{0.5, "A", "0.500", "A"},
                      ScaledCase{0, "V", "0.000", "V"}, ScaledCase{9.9994, "V", "9.999", "V"},
                      ScaledCase{10, "V", "10.00", "V"}, ScaledCase{100, "V", "100.0", "V"},
                      ScaledCase{999.9, "VA", "999.9", "VA"},
                      ScaledCase{1000, "VA", "1.000", "KVA"},
                      ScaledCase{-2500, "W", "-2.500", "KW"},
                      ScaledCase{123456, "W", "123.5", "KW"},
                      ScaledCase{1e6, "Var", "1.000", "MVar"}, ScaledCase{5e7, "W", "50.00", "MW"},
                      ScaledCase{2.5e8, "W", "250.0", "MW"}, ScaledCase{1e9, "W", "1.000", "GW"},
                      ScaledCase{1e11, "W", "100.0", "GW"}, ScaledCase{1e12, "W", "1000", "GW"},
                      ScaledCase{3e15, "W", "3000000", "GW"}));

struct PfCase {
    double pf;
    const char* text;
};

class PowerFactorTextTest : public ::testing::TestWithParam<PfCase> {};

TEST_P(PowerFactorTextTest, BlankAfterNonNegativeAndSixCharacters)
{
    EXPECT_EQ(powerFactorText(GetParam().pf), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Values, PowerFactorTextTest,
                         ::testing::Values(PfCase{-0.5, "-0.500"}, PfCase{0.5, "0.500 "},
                                           PfCase{0, "0.000 "}, PfCase{85.25, "85.250"},
                                           PfCase{100, "100.00"}, PfCase{-85.25, "-85.25"}));

} // namespace
} // namespace quellin
