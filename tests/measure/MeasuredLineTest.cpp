// The measured-data line's hexadecimal readings and their decoding.

#include "measure/MeasuredLine.h"

#include <QString>
#include <gtest/gtest.h>

#include <cmath>

namespace quellin {
namespace {

// ---------------------------------------------------------------------------------
// HexToSingle

struct HexCase {
    const char16_t* digits;
    double expected;
};

class HexToSingleTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexToSingleTest, ReadsBigEndianSingle)
{
    const HexCase& c = GetParam();
    EXPECT_EQ(HexToSingle(QStringView(c.digits)), c.expected)
        << QString::fromUtf16(c.digits).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Digits, HexToSingleTest,
    ::testing::Values(HexCase{u"41200000", 10.0}, HexCase{u"00000000", 0.0},
                      HexCase{u"C1200000", -10.0}, HexCase{u"3F800000", 1.0},
                      HexCase{u"3fc00000", 1.5}, // lower-case digits are hexadecimal too
                      HexCase{u"42C80000", 100.0}, HexCase{u"4120000G", 0.0},
                      HexCase{u"4120 000", 0.0}, HexCase{u"+4120000", 0.0},
                      HexCase{u"-1200000", 0.0}, HexCase{u"412000", 0.0}, // too short
                      HexCase{u"412000000", 0.0},                         // too long
                      HexCase{u"", 0.0}, HexCase{u"４１２０００００", 0.0}));

TEST(HexToSingleSpecial, InfinityAndNanComeBackAsTheyAre)
{
    EXPECT_TRUE(std::isinf(HexToSingle(u"7F800000")));
    EXPECT_TRUE(std::isnan(HexToSingle(u"7FC00000")));
    EXPECT_FLOAT_EQ(HexToSingle(u"3DCCCCCD"), 0.1f);
}

} // namespace
} // namespace quellin
