#include "store/CsvFields.h"
#include "platform/Format.h"
#include "platform/VbDate.h"
#include "store/CsvParse.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace quellin;
using namespace quellin::csv;

namespace {

QByteArray formatted(double v, FieldFormat f)
{
    QByteArray out;
    appendValue(out, v, f);
    return out;
}

struct FormatCase {
    double value;
    FieldFormat format;
    const char* expected;
};

class DataFieldText : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DataFieldText, IsWrittenAsTheFilePatternSays)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatted(c.value, c.format), QByteArray(c.expected)) << c.value;
    // The general routine agrees.
    EXPECT_EQ(Format(c.value, fieldPattern(c.format)), QString::fromLatin1(c.expected)) << c.value;
}

INSTANTIATE_TEST_SUITE_P(Patterns, DataFieldText,
                         ::testing::Values(FormatCase{100.2, FieldFormat::Scientific, "1.002E+2"},
                                           FormatCase{99.85, FieldFormat::Scientific, "9.985E+1"},
                                           FormatCase{1200.5, FieldFormat::Scientific, "1.201E+3"},
                                           FormatCase{-250.5, FieldFormat::Scientific, "-2.505E+2"},
                                           FormatCase{0.0015, FieldFormat::Scientific, "1.500E-3"},
                                           FormatCase{9999.5, FieldFormat::Scientific, "1.000E+4"},
                                           FormatCase{0, FieldFormat::Scientific, "0.000E+0"},
                                           FormatCase{-0.0, FieldFormat::Scientific, "0.000E+0"},
                                           FormatCase{1.5e-300, FieldFormat::Scientific,
                                                      "1.500E-300"},
                                           FormatCase{1.25, FieldFormat::OneDecimal, "1.3"},
                                           FormatCase{99.95, FieldFormat::OneDecimal, "100.0"},
                                           FormatCase{-0.04, FieldFormat::OneDecimal, "-0.0"},
                                           FormatCase{0.05, FieldFormat::OneDecimal, "0.1"},
                                           FormatCase{-12.35, FieldFormat::OneDecimal, "-12.4"},
                                           FormatCase{1000, FieldFormat::OneDecimal, "1000.0"},
                                           FormatCase{25.5, FieldFormat::Integer, "26"},
                                           FormatCase{-0.5, FieldFormat::Integer, "-1"},
                                           FormatCase{0.4, FieldFormat::Integer, "0"},
                                           FormatCase{-0.4, FieldFormat::Integer, "-0"},
                                           FormatCase{123456, FieldFormat::Integer, "123456"}));

TEST(DataFieldText, RecordNumberHasFourDigitsAtLeast)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0000"},      {7, "0007"},   {123, "0123"},
        {32767, "32767"}, {-1, "-0001"}, {-2147483647 - 1, "-2147483648"}};
    for (const auto& [n, expected] : cases) {
        QByteArray out;
        appendRecordNumber(out, n);
        EXPECT_EQ(out, QByteArray(expected)) << n;
        EXPECT_EQ(Format(static_cast<double>(n), QStringLiteral("0000")), QLatin1String(expected));
    }
}

TEST(DataFieldText, TimeIsTheCivilTimeToTheSecond)
{
    const std::pair<vbdate::Civil, const char*> cases[] = {
        {{2002, 6, 1, 10, 0, 5}, "2002/06/01 10:00:05"},
        {{1999, 12, 31, 23, 59, 59}, "1999/12/31 23:59:59"},
        {{2024, 2, 29, 0, 0, 0}, "2024/02/29 00:00:00"},
        {{1900, 1, 1, 1, 2, 3}, "1900/01/01 01:02:03"},
        {{9999, 12, 31, 23, 59, 59}, "9999/12/31 23:59:59"}};
    for (const auto& [civil, expected] : cases) {
        QByteArray out;
        appendTime(out, *vbdate::fromCivil(civil));
        EXPECT_EQ(out, QByteArray(expected));
    }
}

// Half a million fields are written by the fast path; over a wide sweep of
// values it must give exactly what Format gives.
TEST(DataFieldText, AgreesWithFormatOverARandomSweep)
{
    std::mt19937_64 rng(1234567);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 12);
    const FieldFormat formats[] = {FieldFormat::Scientific, FieldFormat::OneDecimal,
                                   FieldFormat::Integer};
    int mismatches = 0;
    for (int i = 0; i < 20000; ++i) {
        double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (i % 4 == 0) // values on a decimal grid hit the rounding ties
            v = std::round(v * 1000.0) / 1000.0 + (i % 8 == 0 ? 0.0005 : 0.05);
        for (FieldFormat f : formats) {
            const QByteArray fast = formatted(v, f);
            const QByteArray general = Format(v, fieldPattern(f)).toLatin1();
            if (fast != general && ++mismatches < 10)
                ADD_FAILURE() << v << ": " << fast.constData() << " vs " << general.constData();
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Values at and next to the rounding ties of every pattern, over many decades.
TEST(DataFieldText, AgreesWithFormatAtAndBesideTheTies)
{
    std::mt19937_64 rng(7654321);
    std::uniform_int_distribution<int> digits(1000, 9999);
    std::uniform_int_distribution<int> decade(-30, 30);
    std::uniform_int_distribution<int> whole(0, 200000);
    int mismatches = 0;
    auto check = [&](double v, FieldFormat f) {
        const QByteArray fast = formatted(v, f);
        const QByteArray general = Format(v, fieldPattern(f)).toLatin1();
        if (fast != general && ++mismatches < 10)
            ADD_FAILURE() << v << ": " << fast.constData() << " vs " << general.constData();
    };
    for (int i = 0; i < 20000; ++i) {
        const double tie = (digits(rng) + 0.5) * std::pow(10.0, decade(rng));
        const double fixedTies[] = {whole(rng) + 0.5, whole(rng) / 10.0 + 0.05,
                                    whole(rng) * 1e9 + 0.5};
        for (double v : {tie, -tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e308)})
            check(v, FieldFormat::Scientific);
        for (double t : fixedTies)
            for (double v : {t, -t, std::nextafter(t, 0.0), std::nextafter(t, 1e308)}) {
                check(v, FieldFormat::OneDecimal);
                check(v, FieldFormat::Integer);
            }
    }
    for (double v : {9999.5, 9999.4999999999, 0.99995, 1e22, 1e23, 1e-22, 1e-23, 5e-324,
                     1.7976931348623157e308, 999.95, 99.95, 0.05, 0.5, 1.5, 2.5})
        for (FieldFormat f :
             {FieldFormat::Scientific, FieldFormat::OneDecimal, FieldFormat::Integer}) {
            check(v, f);
            check(-v, f);
        }
    EXPECT_EQ(mismatches, 0);
}

TEST(DataFieldText, ValuesThatAreNoNumbersAreWrittenAsFormatWritesThem)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {inf, -inf, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(formatted(v, FieldFormat::Scientific),
                  Format(v, fieldPattern(FieldFormat::Scientific)).toLatin1());
}

struct ConversionCase {
    const char* text;
    Conversion status;
    double value;
};

class SingleField : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(SingleField, ReadsAsTheNearestSingle)
{
    const ConversionCase& c = GetParam();
    const Converted r = toSingle(QByteArrayView(c.text));
    ASSERT_EQ(r.status, c.status) << c.text;
    if (c.status == Conversion::Ok) {
        EXPECT_EQ(r.value, static_cast<double>(static_cast<float>(c.value))) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SingleField,
    ::testing::Values(
        ConversionCase{"1.234567E+2", Conversion::Ok, 123.4567},
        ConversionCase{"1.002E+2", Conversion::Ok, 100.2},
        ConversionCase{"-2.505E+2", Conversion::Ok, -250.5},
        ConversionCase{" 12.5 ", Conversion::Ok, 12.5}, ConversionCase{"+3", Conversion::Ok, 3},
        ConversionCase{"5.", Conversion::Ok, 5}, ConversionCase{".5", Conversion::Ok, 0.5},
        ConversionCase{"1D3", Conversion::Ok, 1000}, ConversionCase{"1e-50", Conversion::Ok, 0},
        ConversionCase{"1e-99999999", Conversion::Ok, 0},
        ConversionCase{"3.4028234E+38", Conversion::Ok, 3.4028234e38},
        ConversionCase{"3.5E+38", Conversion::Overflow, 0},
        ConversionCase{"1.0E+39", Conversion::Overflow, 0},
        ConversionCase{"1e99999999", Conversion::Overflow, 0},
        ConversionCase{"", Conversion::NotConvertible, 0},
        ConversionCase{" ", Conversion::NotConvertible, 0},
        ConversionCase{".", Conversion::NotConvertible, 0},
        ConversionCase{"abc", Conversion::NotConvertible, 0},
        ConversionCase{"1.2.3", Conversion::NotConvertible, 0},
        ConversionCase{"1E", Conversion::NotConvertible, 0},
        ConversionCase{"1E+", Conversion::NotConvertible, 0},
        ConversionCase{"\"1.0\"", Conversion::NotConvertible, 0},
        ConversionCase{"1,0", Conversion::NotConvertible, 0},
        ConversionCase{"0x10", Conversion::NotConvertible, 0},
        ConversionCase{"infinity", Conversion::NotConvertible, 0},
        ConversionCase{"- 1", Conversion::NotConvertible, 0}));

TEST(SingleField, WhatFormatWritesForNonNumbersReadsBack)
{
    EXPECT_EQ(toSingle("inf").value, std::numeric_limits<double>::infinity());
    EXPECT_EQ(toSingle("-inf").value, -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(toSingle("nan").value));
}

TEST(SingleField, TextLongerThanANumberCanBeIsNoNumber)
{
    const QByteArray digits(401, '1');
    EXPECT_EQ(toSingle(digits).status, Conversion::NotConvertible);
    EXPECT_EQ(toSingle(QByteArray(400, '1')).status, Conversion::Overflow);
}

// The short road for common numbers gives the library's correctly rounded value.
TEST(SingleField, AgreesWithTheLibraryConversionOverARandomSweep)
{
    std::mt19937_64 rng(20240301);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 200000; ++i) {
        std::string text = pick(0, 3) == 0 ? "-" : "";
        const int digits = pick(1, 21);
        const int point = pick(0, digits + 1); // past the end: no point
        for (int d = 0; d < digits; ++d) {
            if (d == point)
                text += '.';
            text += static_cast<char>('0' + pick(0, 9));
        }
        if (pick(0, 1) == 1)
            text += std::string(pick(0, 1) ? "E" : "e") + (pick(0, 1) ? "-" : "+") +
                    std::to_string(pick(0, 40));
        const double exact = std::strtod(text.c_str(), nullptr);
        const Converted d = toDouble(QByteArrayView(text.data(), qsizetype(text.size())));
        ASSERT_EQ(d.status, Conversion::Ok) << text;
        ASSERT_EQ(d.value, exact) << text;
        if (std::fabs(exact) >= 3e38)
            continue; // no single
        const Converted f = toSingle(QByteArrayView(text.data(), qsizetype(text.size())));
        ASSERT_EQ(f.status, Conversion::Ok) << text;
        ASSERT_EQ(f.value, static_cast<double>(static_cast<float>(exact))) << text;
    }
}

class LongField : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(LongField, RoundsHalfToEvenWithin32Bits)
{
    const ConversionCase& c = GetParam();
    const Converted r = toLong(QByteArrayView(c.text));
    ASSERT_EQ(r.status, c.status) << c.text;
    if (c.status == Conversion::Ok) {
        EXPECT_EQ(r.value, c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LongField,
    ::testing::Values(ConversionCase{"0001", Conversion::Ok, 1},
                      ConversionCase{"-0001", Conversion::Ok, -1},
                      ConversionCase{"2.5", Conversion::Ok, 2},
                      ConversionCase{"3.5", Conversion::Ok, 4},
                      ConversionCase{"2147483647", Conversion::Ok, 2147483647.0},
                      ConversionCase{"-2147483648", Conversion::Ok, -2147483648.0},
                      ConversionCase{"2147483647.5", Conversion::Overflow, 0},
                      ConversionCase{"1E+10", Conversion::Overflow, 0},
                      ConversionCase{"x001", Conversion::NotConvertible, 0},
                      ConversionCase{"", Conversion::NotConvertible, 0}));

struct DateCase {
    const char* text;
    TimeForm form;
    vbdate::Civil civil;
};

class DateField : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateField, ReadsYearMonthDayTimesWithSecondsOnly)
{
    const DateCase& c = GetParam();
    const TimeField t = readTime(QByteArrayView(c.text));
    ASSERT_EQ(t.form, c.form) << c.text;
    if (c.form == TimeForm::Ok) {
        EXPECT_EQ(t.value, *vbdate::fromCivil(c.civil)) << c.text;
    }
}

constexpr TimeForm kOk = TimeForm::Ok;
constexpr TimeForm kOther = TimeForm::OtherForm;
constexpr TimeForm kNotADate = TimeForm::NotADate;

INSTANTIATE_TEST_SUITE_P(
    Texts, DateField,
    ::testing::Values(
        DateCase{"\"2002/06/01 10:00:05\"", kOk, {2002, 6, 1, 10, 0, 5}},
        DateCase{"2002/06/01 10:00:05", kOk, {2002, 6, 1, 10, 0, 5}},
        DateCase{"\"2002-06-01 10:00:05\"", kOk, {2002, 6, 1, 10, 0, 5}},
        DateCase{"\"2002/6/1 9:05:07", kOk, {2002, 6, 1, 9, 5, 7}},
        DateCase{" 2002/6/1  9:5:7 ", kOk, {2002, 6, 1, 9, 5, 7}},
        DateCase{"2002/06/01 10:00:05\"", kOk, {2002, 6, 1, 10, 0, 5}},
        DateCase{"\"2002-06-01 10:00\"", TimeForm::NoSeconds, {}},
        DateCase{"2024/3/1 12:00", TimeForm::NoSeconds, {}},
        DateCase{"\"2002/13/01 10:00:05\"", kNotADate, {}},
        DateCase{"\"2002/02/30 10:00:05\"", kNotADate, {}},
        DateCase{"\"2002/06/01 24:00:00\"", kNotADate, {}},
        DateCase{"03/01/2024 12:00:00", kOther, {}}, DateCase{"24/3/1 12:00:00", kOther, {}},
        DateCase{"2024/03-01 12:00:00", kOther, {}}, DateCase{"2024/03/01 12:00:00.5", kOther, {}},
        DateCase{"2024/03/01T12:00:00", kOther, {}}, DateCase{"2024/03/01", kOther, {}},
        DateCase{"12:00:00", kOther, {}}, DateCase{"\"\"", kOther, {}}, DateCase{"1.5", kOther, {}},
        DateCase{"\"abcd/ef/gh ij:kl:mn\"", kOther, {}}));

struct SplitCase {
    const char* line;
    int maxFields;
    std::vector<const char*> fields;
};

class FieldSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(FieldSplit, TakesTheTextsBetweenCommas)
{
    const SplitCase& c = GetParam();
    QByteArrayView fields[20];
    const int n = splitFields(QByteArrayView(c.line), fields, c.maxFields);
    ASSERT_EQ(n, static_cast<int>(c.fields.size())) << c.line;
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(fields[i], QByteArrayView(c.fields[static_cast<size_t>(i)]))
            << c.line << " #" << i;
}

INSTANTIATE_TEST_SUITE_P(Lines, FieldSplit,
                         ::testing::Values(SplitCase{"a,b,c", 18, {"a", "b", "c"}},
                                           SplitCase{"", 18, {""}}, SplitCase{",", 18, {"", ""}},
                                           SplitCase{"a,,b,", 18, {"a", "", "b", ""}},
                                           SplitCase{"\"x,y\",z", 18, {"x,y", "z"}},
                                           SplitCase{"\"a\"\"b\",c", 18, {"a\"\"b", "c"}},
                                           SplitCase{"\"a\"x,b", 18, {"\"a\"x", "b"}},
                                           SplitCase{"\"abc,d", 18, {"\"abc", "d"}},
                                           SplitCase{"a\"b,c", 18, {"a\"b", "c"}},
                                           SplitCase{"\"\",\"x\"", 18, {"", "x"}},
                                           SplitCase{"a,b,c,d", 2, {"a", "b"}},
                                           SplitCase{"a,b", 2, {"a", "b"}},
                                           SplitCase{"a", 1, {"a"}}, SplitCase{"a,b", 1, {"a"}}));

} // namespace
