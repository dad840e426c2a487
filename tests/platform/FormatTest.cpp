#include "platform/Format.h"
#include "platform/VbDate.h"

#include <gtest/gtest.h>

using quellin::Format;

namespace {

struct NumberCase {
    double value;
    const char* pattern;
    const char* expected;
};

class FormatNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FormatNumber, MatchesBasicFormat)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
        << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    FixedAndScientific, FormatNumber,
    ::testing::Values(
        NumberCase{0.285, "0.00", "0.29"}, NumberCase{2.5, "0", "3"}, NumberCase{-2.5, "0", "-3"},
        NumberCase{7, "0000", "0007"}, NumberCase{3, "00", "03"}, NumberCase{0.5, "0.000", "0.500"},
        NumberCase{-0.5, "0.000", "-0.500"}, NumberCase{230.4, "000.0E+0", "230.4E+0"},
        NumberCase{5, "000.0E+0", "500.0E-2"}, NumberCase{1234.5, "0.000E+0", "1.235E+3"},
        NumberCase{-0.00123, "0.000E+0", "-1.230E-3"}, NumberCase{0, "0.000E+0", "0.000E+0"},
        NumberCase{0, "0.0", "0.0"}, NumberCase{12345.6, "0.0", "12345.6"},
        NumberCase{999.96, "000.0E+0", "100.0E+1"}, NumberCase{9.9996, "0.000", "10.000"},
        NumberCase{1, "0.00000", "1.00000"}, NumberCase{0.00001, "0.00000", "0.00001"},
        NumberCase{123456, "0", "123456"}));

struct DateCase {
    const char* pattern;
    const char* expected;
};

class FormatDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(FormatDate, FormatsTheCivilTime)
{
    const auto date = quellin::vbdate::fromCivil({2002, 6, 1, 10, 0, 5});
    ASSERT_TRUE(date);
    EXPECT_EQ(Format(*date, QString::fromUtf8(GetParam().pattern)),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Patterns, FormatDate,
                         ::testing::Values(DateCase{"yyyy/mm/dd hh:mm:ss", "2002/06/01 10:00:05"},
                                           DateCase{"YYYY/MM/DD HH:MM:SS", "2002/06/01 10:00:05"},
                                           DateCase{"mm/dd hh:mm:ss", "06/01 10:00:05"},
                                           DateCase{" hh:mm:ss", " 10:00:05"},
                                           DateCase{"yyyy/mm/dd hh:mm", "2002/06/01 10:00"},
                                           DateCase{"yyyy/mm/dd", "2002/06/01"}));

TEST(FormatText, NumericTextIsFormattedAsItsNumber)
{
    EXPECT_EQ(Format(QStringLiteral("12"), QStringLiteral("0000")), QStringLiteral("0012"));
    EXPECT_EQ(Format(QStringLiteral(" -2.5 "), QStringLiteral("0")), QStringLiteral("-3"));
}

TEST(FormatText, OtherTextComesBackUnchanged)
{
    EXPECT_EQ(Format(QStringLiteral("abc"), QStringLiteral("000.0")), QStringLiteral("abc"));
    EXPECT_EQ(Format(QString(), QStringLiteral("0.0")), QString());
    EXPECT_EQ(Format(QStringLiteral("2002/13/01"), QStringLiteral("yyyy/mm/dd")),
              QStringLiteral("2002/13/01"));
    EXPECT_EQ(Format(QStringLiteral("2002/06/01 10:00:05"), QStringLiteral("mm/dd hh:mm:ss")),
              QStringLiteral("06/01 10:00:05"));
}

} // namespace

namespace {

// ---- further number cases: carries, huge values, values near zero ------------------------

class FormatEdges : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FormatEdges, MatchesBasicFormat)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
        << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    RoundingCarries, FormatEdges,
    ::testing::Values(NumberCase{99.95, "0.0", "100.0"}, NumberCase{9.5, "00", "10"},
                      NumberCase{0.95, "0", "1"}, NumberCase{999.5, "0", "1000"},
                      NumberCase{0.0095, "0.00", "0.01"}, NumberCase{0.045, "0.00", "0.05"},
                      NumberCase{1.005, "0.00", "1.01"}, NumberCase{-99.95, "0.0", "-100.0"},
                      NumberCase{9.9995, "0.000E+0", "1.000E+1"},
                      NumberCase{0.99996, "0.000E+0", "1.000E+0"},
                      NumberCase{99.995, "000.0E+0", "100.0E+0"},
                      NumberCase{0.0099995, "0.000E+0", "1.000E-2"}, NumberCase{4.35, "0.0", "4.4"},
                      NumberCase{0.29, "0.00", "0.29"}));

INSTANTIATE_TEST_SUITE_P(
    HugeAndTiny, FormatEdges,
    ::testing::Values(
        NumberCase{1e20, "0", "100000000000000000000"},
        NumberCase{123456789012345678.0, "0", "123456789012346000"},
        NumberCase{1e15, "0.0", "1000000000000000.0"}, NumberCase{1e300, "0.000E+0", "1.000E+300"},
        NumberCase{-1e-300, "0.000E+0", "-1.000E-300"}, NumberCase{1.5e-10, "0.00000", "0.00000"},
        NumberCase{1e-5, "0.0000", "0.0000"}, NumberCase{5e-5, "0.0000", "0.0001"},
        NumberCase{2147483648.0, "0", "2147483648"}, NumberCase{86400, "0", "86400"}));

// A negative value that rounds to zero keeps its sign, as Basic's Format does;
// zero itself (also a negative zero) has none.
INSTANTIATE_TEST_SUITE_P(
    NegativeNearZero, FormatEdges,
    ::testing::Values(NumberCase{-0.001, "0.0", "-0.0"}, NumberCase{-0.4, "0", "-0"},
                      NumberCase{-0.5, "0", "-1"}, NumberCase{-0.049, "0.0", "-0.0"},
                      NumberCase{-0.05, "0.0", "-0.1"}, NumberCase{-0.0, "0.00", "0.00"},
                      NumberCase{-1e-20, "00", "-00"}, NumberCase{-0.0, "0.000E+0", "0.000E+0"},
                      NumberCase{-3, "00", "-03"}, NumberCase{-0.004, "0.00", "-0.00"},
                      NumberCase{0.004, "0.00", "0.00"}));

INSTANTIATE_TEST_SUITE_P(ScientificShapes, FormatEdges,
                         ::testing::Values(NumberCase{0.5, "000.0E+0", "500.0E-3"},
                                           NumberCase{1, "000.0E+0", "100.0E-2"},
                                           NumberCase{100, "000.0E+0", "100.0E+0"},
                                           NumberCase{0.1, "0.000E+0", "1.000E-1"},
                                           NumberCase{15, "0.0E-0", "1.5E1"},
                                           NumberCase{0.15, "0.0E-0", "1.5E-1"},
                                           NumberCase{12345, "0.00E+00", "1.23E+04"}));

struct TextFormatCase {
    const char* text;
    const char* pattern;
    const char* expected;
};

class FormatOfText : public ::testing::TestWithParam<TextFormatCase> {};

TEST_P(FormatOfText, FormatsNumbersAndDatesAndKeepsTheRest)
{
    const TextFormatCase& c = GetParam();
    EXPECT_EQ(Format(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)),
              QString::fromUtf8(c.expected))
        << c.text << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, FormatOfText,
    ::testing::Values(TextFormatCase{"12abc", "0", "12abc"},
                      TextFormatCase{"1.2.3", "0.0", "1.2.3"}, TextFormatCase{" ", "0", " "},
                      TextFormatCase{"-", "0.0", "-"}, TextFormatCase{"1e400", "0.000E+0", "1e400"},
                      TextFormatCase{"１２", "00", "１２"}, TextFormatCase{"0x1F", "0", "0x1F"},
                      TextFormatCase{"2002/06/31", "yyyy/mm/dd", "2002/06/31"},
                      TextFormatCase{"2002/06/", "yyyy/mm/dd", "2002/06/"},
                      TextFormatCase{"abc", "yyyy/mm/dd hh:mm:ss", "abc"}));

INSTANTIATE_TEST_SUITE_P(
    Accepted, FormatOfText,
    ::testing::Values(TextFormatCase{"7", "0000", "0007"}, TextFormatCase{"1D2", "0", "100"},
                      TextFormatCase{" 0.285 ", "0.00", "0.29"},
                      TextFormatCase{"230.4", "000.0E+0", "230.4E+0"},
                      TextFormatCase{"2002-06-01 10:00:05", "yyyy/mm/dd hh:mm:ss",
                                     "2002/06/01 10:00:05"},
                      TextFormatCase{"2002/6/1", "yyyy/mm/dd hh:mm", "2002/06/01 00:00"},
                      TextFormatCase{"37408.5", "yyyy/mm/dd hh:mm:ss", "2002/06/01 12:00:00"}));

TEST(FormatNumberAsDate, AValueOutsideTheDateRangeStaysANumber)
{
    EXPECT_EQ(Format(1e300, QStringLiteral("yyyy/mm/dd")), QStringLiteral("1e+300"));
    EXPECT_EQ(Format(-1e7, QStringLiteral("yyyy/mm/dd hh:mm:ss")), QStringLiteral("-10000000"));
    EXPECT_EQ(Format(2958465.0, QStringLiteral("yyyy/mm/dd")), QStringLiteral("9999/12/31"));
    EXPECT_EQ(Format(-1.25, QStringLiteral("yyyy/mm/dd hh:mm:ss")),
              QStringLiteral("1899/12/29 06:00:00"));
}

TEST(FormatNumberAsDate, SecondsRoundAcrossMidnight)
{
    const double justBefore = 37408.0 + 1 - 0.3 / 86400; // 2002/06/01 23:59:59.7
    EXPECT_EQ(Format(justBefore, QStringLiteral("yyyy/mm/dd hh:mm:ss")),
              QStringLiteral("2002/06/02 00:00:00"));
}

} // namespace
