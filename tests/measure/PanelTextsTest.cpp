// The value panel's texts: decimal prefixes, the power factor, and the items a
// record fills by version and wiring.

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

// ---------------------------------------------------------------------------------
// The items of a record

struct ItemsCase {
    const char* name;
    int version;
    int wiring;
    int items;         // items written
    const char* voltT; // item 4's value and unit
    const char* voltTUnit;
};

class PanelItemsTest : public ::testing::TestWithParam<ItemsCase> {};

TEST_P(PanelItemsTest, VersionAndWiringDecideTheItems)
{
    const ItemsCase& c = GetParam();
    DataRecord rec{};
    rec.setTime(37408.5);
    for (int col = 2; col <= 17; ++col)
        rec.setColumn(col, 100 + col);
    RecordingPanel panel;
    const PanelTexts texts = panelTexts(rec, c.wiring, c.version);
    showPanelTexts(panel, texts);
    EXPECT_EQ(texts.count, c.items);
    int written = 0;
    for (const auto& v : panel.values)
        written += v.has_value();
    EXPECT_EQ(written, c.items);
    EXPECT_EQ(panel.values[4], QString::fromUtf8(c.voltT));
    EXPECT_EQ(panel.units[4], QString::fromUtf8(c.voltTUnit));
    // The time and the power factor have no unit label to write.
    EXPECT_EQ(panel.values[1], QStringLiteral("06/01 12:00:00"));
    EXPECT_FALSE(panel.units[1].has_value());
    EXPECT_FALSE(panel.units[9].has_value());
}

INSTANTIATE_TEST_SUITE_P(Records, PanelItemsTest,
                         ::testing::Values(ItemsCase{"Version1ThreePhase", 1, 2, 10, "103.0", "V"},
                                           ItemsCase{"Version2ThreePhase", 2, 2, 15, "103.0", "V"},
                                           ItemsCase{"TwoWireHasNoTPhase", 2, 0, 15, "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quellin
