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
    ::testing::Values(NumberCase{0.285, "0.00", "0.29"}, NumberCase{2.5, "0", "3"},
                      NumberCase{-2.5, "0", "-3"}, NumberCase{7, "0000", "0007"},
                      NumberCase{3, "00", "03"}, NumberCase{0.5, "0.000", "0.500"},
                      NumberCase{-0.5, "0.000", "-0.500"}, NumberCase{230.4, "000.0E+0", "230.4E+0"},
                      NumberCase{5, "000.0E+0", "500.0E-2"}, NumberCase{1234.5, "0.000E+0", "1.235E+3"},
                      NumberCase{-0.00123, "0.000E+0", "-1.230E-3"},
                      NumberCase{0, "0.000E+0", "0.000E+0"}, NumberCase{0, "0.0", "0.0"},
                      NumberCase{12345.6, "0.0", "12345.6"}, NumberCase{999.96, "000.0E+0", "100.0E+1"},
                      NumberCase{9.9996, "0.000", "10.000"}, NumberCase{1, "0.00000", "1.00000"},
                      NumberCase{0.00001, "0.00000", "0.00001"}, NumberCase{123456, "0", "123456"}));

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

}  // namespace
