#include "platform/VbDate.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vbdate = quellin::vbdate;
using vbdate::Civil;

namespace {

double date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    const auto v = vbdate::fromCivil({y, mo, d, h, mi, s});
    EXPECT_TRUE(v) << y << "-" << mo << "-" << d << " " << h << ":" << mi << ":" << s;
    return v.value_or(std::numeric_limits<double>::quiet_NaN());
}

std::string civilText(const Civil& c)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return buf;
}

// ---- civil dates and their values ----------------------------------------------------

struct CivilCase {
    Civil civil;
    double value;
};

class CivilValue : public ::testing::TestWithParam<CivilCase> {};

TEST_P(CivilValue, ConvertsBothWays)
{
    const CivilCase& c = GetParam();
    const auto v = vbdate::fromCivil(c.civil);
    ASSERT_TRUE(v);
    EXPECT_DOUBLE_EQ(*v, c.value);
    EXPECT_EQ(civilText(vbdate::toCivil(c.value)), civilText(c.civil));
}

INSTANTIATE_TEST_SUITE_P(
    KnownDays, CivilValue,
    ::testing::Values(
        CivilCase{{1899, 12, 30, 0, 0, 0}, 0.0}, CivilCase{{1899, 12, 31, 0, 0, 0}, 1.0},
        CivilCase{{1899, 12, 30, 12, 0, 0}, 0.5}, CivilCase{{1899, 12, 29, 0, 0, 0}, -1.0},
        // Before day 0 the fraction is still the time of that day.
        CivilCase{{1899, 12, 29, 6, 0, 0}, -1.25}, CivilCase{{1900, 3, 1, 0, 0, 0}, 61.0},
        CivilCase{{2002, 6, 1, 0, 0, 0}, 37408.0}, CivilCase{{2002, 6, 1, 18, 0, 0}, 37408.75},
        CivilCase{{2000, 2, 29, 0, 0, 0}, 36585.0}, CivilCase{{100, 1, 1, 0, 0, 0}, -657434.0},
        CivilCase{{9999, 12, 31, 0, 0, 0}, 2958465.0}));

TEST(CivilRoundTrip, EverySecondOfADayAndEveryDayOfFourYearsComeBack)
{
    for (int sec = 0; sec < 86400; sec += 7) {
        const Civil c{2004, 2, 29, sec / 3600, sec / 60 % 60, sec % 60};
        const auto v = vbdate::fromCivil(c);
        ASSERT_TRUE(v);
        ASSERT_EQ(civilText(vbdate::toCivil(*v)), civilText(c));
    }
    const double first = date(2000, 1, 1, 23, 59, 59);
    Civil previous = vbdate::toCivil(first);
    for (int d = 1; d < 4 * 366; ++d) {
        const Civil c = vbdate::toCivil(first + d);
        ASSERT_EQ(c.hour, 23);
        ASSERT_EQ(c.second, 59);
        // The next day: either the day grows by one or a new month starts on day 1.
        ASSERT_TRUE(c.day == previous.day + 1 || c.day == 1) << civilText(c);
        ASSERT_DOUBLE_EQ(*vbdate::fromCivil(c), first + d);
        previous = c;
    }
}

TEST(CivilRoundTrip, AFractionRoundsToTheNearestSecond)
{
    const double base = date(2002, 6, 1, 10, 0, 5);
    EXPECT_EQ(civilText(vbdate::toCivil(base + 0.4 / 86400)), "2002-06-01 10:00:05");
    EXPECT_EQ(civilText(vbdate::toCivil(base + 0.6 / 86400)), "2002-06-01 10:00:06");
    // Half a second before midnight belongs to the next day.
    EXPECT_EQ(civilText(vbdate::toCivil(date(2002, 12, 31) + 1 - 0.4 / 86400)),
              "2003-01-01 00:00:00");
}

struct BadCivilCase {
    const char* name;
    Civil civil;
};

class ImpossibleCivil : public ::testing::TestWithParam<BadCivilCase> {};

TEST_P(ImpossibleCivil, HasNoValue)
{
    EXPECT_FALSE(vbdate::fromCivil(GetParam().civil)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Cases, ImpossibleCivil,
                         ::testing::Values(BadCivilCase{"month 13", {2002, 13, 1}},
                                           BadCivilCase{"month 0", {2002, 0, 1}},
                                           BadCivilCase{"day 0", {2002, 6, 0}},
                                           BadCivilCase{"31 June", {2002, 6, 31}},
                                           BadCivilCase{"29 Feb 2001", {2001, 2, 29}},
                                           BadCivilCase{"29 Feb 1900", {1900, 2, 29}},
                                           BadCivilCase{"hour 24", {2002, 6, 1, 24, 0, 0}},
                                           BadCivilCase{"minute 60", {2002, 6, 1, 0, 60, 0}},
                                           BadCivilCase{"second 60", {2002, 6, 1, 0, 0, 60}},
                                           BadCivilCase{"negative hour", {2002, 6, 1, -1, 0, 0}},
                                           BadCivilCase{"year 99", {99, 1, 1}},
                                           BadCivilCase{"year 10000", {10000, 1, 1}}));

TEST(DateRange, ValuesOutsideTheRangeAreHeldAtItsEnds)
{
    EXPECT_TRUE(vbdate::inDateRange(0));
    EXPECT_TRUE(vbdate::inDateRange(2958465.5));
    EXPECT_FALSE(vbdate::inDateRange(2958466));
    EXPECT_FALSE(vbdate::inDateRange(-657435));
    EXPECT_FALSE(vbdate::inDateRange(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(vbdate::inDateRange(1e300));
    EXPECT_EQ(civilText(vbdate::toCivil(1e300)), "9999-12-31 23:59:59");
    EXPECT_EQ(civilText(vbdate::toCivil(-1e300)), "0100-01-01 00:00:00");
    EXPECT_EQ(civilText(vbdate::toCivil(std::numeric_limits<double>::infinity())),
              "1899-12-30 00:00:00");
}

TEST(QDateTimeBridge, CarriesTheCivilTime)
{
    const QDateTime dt(QDate(2002, 6, 1), QTime(10, 0, 5));
    const double v = vbdate::fromQDateTime(dt);
    EXPECT_DOUBLE_EQ(v, date(2002, 6, 1, 10, 0, 5));
    EXPECT_EQ(vbdate::toQDateTime(v), dt);
}

// ---- text → date ------------------------------------------------------------------------

struct TextCase {
    const char* text;
    Civil civil;
};

class DateText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DateText, IsAccepted)
{
    const TextCase& c = GetParam();
    const auto v = vbdate::parse(QString::fromUtf8(c.text));
    ASSERT_TRUE(v) << c.text;
    EXPECT_EQ(civilText(vbdate::toCivil(*v)), civilText(c.civil)) << c.text;
    EXPECT_TRUE(vbdate::isDate(QString::fromUtf8(c.text)));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DateText,
    ::testing::Values(TextCase{"2002/06/01 10:00:05", {2002, 6, 1, 10, 0, 5}},
                      TextCase{"2002-06-01 10:00:05", {2002, 6, 1, 10, 0, 5}},
                      TextCase{"2002/06/01 10:07", {2002, 6, 1, 10, 7, 0}},
                      TextCase{"2002-06-01 10:07", {2002, 6, 1, 10, 7, 0}},
                      TextCase{"2002/06/01", {2002, 6, 1, 0, 0, 0}},
                      TextCase{"2002-06-01", {2002, 6, 1, 0, 0, 0}},
                      TextCase{"2002/6/1 9:5:3", {2002, 6, 1, 9, 5, 3}},
                      TextCase{"2002-6-1 9:05", {2002, 6, 1, 9, 5, 0}},
                      TextCase{"10:00:05", {1899, 12, 30, 10, 0, 5}},
                      TextCase{"23:59", {1899, 12, 30, 23, 59, 0}},
                      TextCase{"  2002/06/01   10:00:05\t", {2002, 6, 1, 10, 0, 5}},
                      TextCase{"\t2002/06/01\r", {2002, 6, 1, 0, 0, 0}},
                      TextCase{"02/06/01", {2002, 6, 1, 0, 0, 0}},
                      TextCase{"29/12/31", {2029, 12, 31, 0, 0, 0}},
                      TextCase{"30/01/01", {1930, 1, 1, 0, 0, 0}},
                      TextCase{"99-01-01", {1999, 1, 1, 0, 0, 0}},
                      TextCase{"2000/02/29 23:59:59", {2000, 2, 29, 23, 59, 59}},
                      TextCase{"2004-02-29", {2004, 2, 29, 0, 0, 0}},
                      TextCase{"0100/01/01", {100, 1, 1, 0, 0, 0}},
                      TextCase{"9999/12/31 23:59:59", {9999, 12, 31, 23, 59, 59}}));

class BadDateText : public ::testing::TestWithParam<const char*> {};

TEST_P(BadDateText, IsRefused)
{
    const QString text = QString::fromUtf8(GetParam());
    EXPECT_FALSE(vbdate::parse(text)) << GetParam();
    EXPECT_FALSE(vbdate::isDate(text)) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Impossible, BadDateText,
                         ::testing::Values("2002/13/01", "2002/00/10", "2002/06/31", "2001/02/29",
                                           "1900/02/29", "2002/06/00", "2002/06/01 24:00:00",
                                           "2002/06/01 10:60", "2002/06/01 10:00:60", "24:00",
                                           "0099/01/01"));

INSTANTIATE_TEST_SUITE_P(
    Malformed, BadDateText,
    ::testing::Values("", "   ", "abc", "2002", "2002/06/", "2002/06", "2002/", "/06/01",
                      "2002/06/01 10", "2002/06/01 10:", "2002/06/01 10:00:", "10:", ":00",
                      "2002/06-01", "2002.06.01", "2002/06/01T10:00:00", "2002/06/0110:00",
                      "2002/06/01 10:00:05 x", "x 2002/06/01", "-2002/06/01", "2002/-6/01",
                      "+10:00", "20021/06/01", "200/06/01", "2002/006/01", "2002/06/001",
                      "2002/06/01 100:00", "2002/06/01 10:000", "99999999999999999999/1/1",
                      "2002/06/01 10:00:05.5", "１０:００", "2002／06／01", "2002/06/01\u300010:00",
                      "é", "2002/06/01 10:00 10:00"));

TEST(DateTextLength, AVeryLongTextIsRefusedQuickly)
{
    const QString longBlanks = QString(100000, QLatin1Char(' ')) + QStringLiteral("2002/06/01x");
    EXPECT_FALSE(vbdate::parse(longBlanks));
    const QString longDigits = QString(100000, QLatin1Char('1'));
    EXPECT_FALSE(vbdate::parse(longDigits));
}

// ---- numeric text -------------------------------------------------------------------------

struct NumberTextCase {
    const char* text;
    double value;
};

class NumericText : public ::testing::TestWithParam<NumberTextCase> {};

TEST_P(NumericText, IsReadAsItsValue)
{
    const NumberTextCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    const auto v = vbdate::parseNumber(text);
    ASSERT_TRUE(v) << c.text;
    EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    EXPECT_TRUE(vbdate::isNumeric(text));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, NumericText,
    ::testing::Values(NumberTextCase{"0", 0}, NumberTextCase{"15", 15}, NumberTextCase{"-15", -15},
                      NumberTextCase{"+15", 15}, NumberTextCase{"1.5", 1.5},
                      NumberTextCase{"1.", 1}, NumberTextCase{".5", 0.5},
                      NumberTextCase{"-.5", -0.5}, NumberTextCase{"007", 7},
                      NumberTextCase{"  42  ", 42}, NumberTextCase{"\t-3.25\r", -3.25},
                      NumberTextCase{"1e3", 1000}, NumberTextCase{"1E+3", 1000},
                      NumberTextCase{"2.5e-3", 0.0025}, NumberTextCase{"1D2", 100},
                      NumberTextCase{"1d-2", 0.01}, NumberTextCase{"230.4E+0", 230.4},
                      NumberTextCase{"-1.230E-3", -0.00123}, NumberTextCase{"86400", 86400},
                      NumberTextCase{"1.7976931348623157e308", 1.7976931348623157e308},
                      NumberTextCase{"123456789012345678901234567890", 1.2345678901234568e29},
                      // Too small for a double: zero, not an error.
                      NumberTextCase{"1e-400", 0}, NumberTextCase{"-1e-99999", 0},
                      NumberTextCase{"0.0000000000000000000001e-390", 0}));

class NotNumericText : public ::testing::TestWithParam<const char*> {};

TEST_P(NotNumericText, IsRefused)
{
    const QString text = QString::fromUtf8(GetParam());
    EXPECT_FALSE(vbdate::parseNumber(text)) << GetParam();
    EXPECT_FALSE(vbdate::isNumeric(text)) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Cases, NotNumericText,
                         ::testing::Values("", " ", ".", "-", "+", "+-1", "--1", "1-", "1.2.3",
                                           "1e", "1e+", "e5", ".e5", "1 2", "12abc", "abc", "0x10",
                                           "&H10", "1,000", "1e400", "-1e400",
                                           "1e99999999999999999999", "1.5f", "inf", "nan", "１２",
                                           "12\u3000", "2002/06/01", "10:00", "１"));

TEST(NumericTextLength, AVeryLongNumberIsStillRead)
{
    const QString zeros = QString(5000, QLatin1Char('0')) + QStringLiteral("12.5");
    ASSERT_TRUE(vbdate::parseNumber(zeros));
    EXPECT_DOUBLE_EQ(*vbdate::parseNumber(zeros), 12.5);
    const QString tiny = QStringLiteral("0.") + QString(5000, QLatin1Char('0')) + QLatin1Char('1');
    ASSERT_TRUE(vbdate::parseNumber(tiny));
    EXPECT_EQ(*vbdate::parseNumber(tiny), 0.0);
    const QString huge = QLatin1Char('1') + QString(5000, QLatin1Char('0'));
    EXPECT_FALSE(vbdate::parseNumber(huge));
}

// ---- date arithmetic ------------------------------------------------------------------------

struct StepCase {
    Civil from;
    long long seconds;
    Civil to;
};

class AddSeconds : public ::testing::TestWithParam<StepCase> {};

TEST_P(AddSeconds, MovesAlongTheCivilCalendar)
{
    const StepCase& c = GetParam();
    const double from = *vbdate::fromCivil(c.from);
    const double to = vbdate::addSeconds(from, c.seconds);
    EXPECT_EQ(civilText(vbdate::toCivil(to)), civilText(c.to));
    EXPECT_EQ(vbdate::secondsBetween(from, to), c.seconds);
}

INSTANTIATE_TEST_SUITE_P(
    AcrossEnds, AddSeconds,
    ::testing::Values(StepCase{{2002, 6, 1, 10, 0, 5}, 1, {2002, 6, 1, 10, 0, 6}},
                      StepCase{{2002, 6, 30, 23, 59, 59}, 1, {2002, 7, 1, 0, 0, 0}},
                      StepCase{{2002, 12, 31, 23, 59, 59}, 1, {2003, 1, 1, 0, 0, 0}},
                      StepCase{{2003, 1, 1, 0, 0, 0}, -1, {2002, 12, 31, 23, 59, 59}},
                      StepCase{{2004, 2, 28, 23, 0, 0}, 3600, {2004, 2, 29, 0, 0, 0}},
                      StepCase{{2003, 2, 28, 23, 0, 0}, 3600, {2003, 3, 1, 0, 0, 0}},
                      StepCase{{2002, 6, 1, 0, 0, 0}, 86400LL * 365, {2003, 6, 1, 0, 0, 0}},
                      StepCase{{1899, 12, 30, 0, 0, 30}, -60, {1899, 12, 29, 23, 59, 30}},
                      StepCase{{1899, 12, 29, 23, 0, 0}, 7200, {1899, 12, 30, 1, 0, 0}},
                      StepCase{{2002, 6, 1, 12, 0, 0}, 0, {2002, 6, 1, 12, 0, 0}}));

class AddDays : public ::testing::TestWithParam<StepCase> {};

TEST_P(AddDays, KeepsTheTimeOfDay)
{
    const StepCase& c = GetParam();
    const double to = vbdate::addDays(*vbdate::fromCivil(c.from), static_cast<int>(c.seconds));
    EXPECT_EQ(civilText(vbdate::toCivil(to)), civilText(c.to));
}

INSTANTIATE_TEST_SUITE_P(
    AcrossEnds, AddDays,
    ::testing::Values(StepCase{{2002, 6, 30, 10, 0, 5}, 1, {2002, 7, 1, 10, 0, 5}},
                      StepCase{{2002, 12, 31, 23, 59, 59}, 1, {2003, 1, 1, 23, 59, 59}},
                      StepCase{{2004, 2, 28, 8, 0, 0}, 1, {2004, 2, 29, 8, 0, 0}},
                      StepCase{{2004, 2, 28, 8, 0, 0}, 2, {2004, 3, 1, 8, 0, 0}},
                      StepCase{{2001, 2, 28, 8, 0, 0}, 1, {2001, 3, 1, 8, 0, 0}},
                      StepCase{{2000, 3, 1, 8, 0, 0}, -1, {2000, 2, 29, 8, 0, 0}},
                      StepCase{{1900, 3, 1, 8, 0, 0}, -1, {1900, 2, 28, 8, 0, 0}},
                      StepCase{{1900, 1, 1, 6, 0, 0}, -3, {1899, 12, 29, 6, 0, 0}},
                      StepCase{{2002, 6, 1, 0, 0, 0}, 366, {2003, 6, 2, 0, 0, 0}},
                      StepCase{{2003, 6, 1, 0, 0, 0}, 366, {2004, 6, 1, 0, 0, 0}}));

TEST(DateArithmetic, StepsBeyondTheRangeEndAtItsLimits)
{
    const double d = date(9999, 12, 31, 23, 0, 0);
    EXPECT_EQ(civilText(vbdate::toCivil(vbdate::addSeconds(d, 7200))), "9999-12-31 23:59:59");
    EXPECT_EQ(civilText(vbdate::toCivil(vbdate::addDays(date(2002, 6, 1), 2000000000))),
              "9999-12-31 23:59:59");
    EXPECT_EQ(civilText(vbdate::toCivil(vbdate::addSeconds(0, -9000000000000000000LL))),
              "0100-01-01 00:00:00");
    EXPECT_EQ(
        civilText(vbdate::toCivil(vbdate::addSeconds(0, std::numeric_limits<long long>::max()))),
        "9999-12-31 23:59:59");
}

TEST(SecondsBetween, CountsWholeSecondsEachSideRounded)
{
    const double a = date(2002, 6, 1, 10, 0, 0);
    EXPECT_EQ(vbdate::secondsBetween(a, a), 0);
    EXPECT_EQ(vbdate::secondsBetween(a, date(2002, 6, 1, 10, 1, 0)), 60);
    EXPECT_EQ(vbdate::secondsBetween(date(2002, 6, 1, 10, 1, 0), a), -60);
    EXPECT_EQ(vbdate::secondsBetween(date(2002, 12, 31, 23, 59, 59), date(2003, 1, 1)), 1);
    EXPECT_EQ(vbdate::secondsBetween(date(2004, 2, 28), date(2004, 3, 1)), 2 * 86400);
    EXPECT_EQ(vbdate::secondsBetween(date(2003, 2, 28), date(2003, 3, 1)), 86400);
    // Floating noise in a stored time does not make a second vanish.
    EXPECT_EQ(vbdate::secondsBetween(a, a + 1.0 / 86400 - 1e-12), 1);
    EXPECT_EQ(vbdate::secondsBetween(a, a + 0.4 / 86400), 0);
    EXPECT_EQ(vbdate::secondsBetween(-1.25, 0.0), 18 * 3600);
}

} // namespace
