#include "base/TextFields.h"

#include "platform/VbError.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using quellin::test::TestContext;

struct FieldCase {
    const char* text;
    const char* sep;
    int n;
    const char* field;
};

class NthField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(NthField, TakesTheNthFieldOrNothing)
{
    TestContext t;
    const FieldCase& c = GetParam();
    EXPECT_EQ(quellin::sfNthFild(*t.ctx, QString::fromUtf8(c.text), QString::fromUtf8(c.sep), c.n),
              QString::fromUtf8(c.field))
        << '"' << c.text << "\" n=" << c.n;
    EXPECT_TRUE(t.msg.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NthField,
    ::testing::Values(FieldCase{"abc", "/", 1, "abc"}, FieldCase{"abc", "/", 2, ""},
                      FieldCase{"abc", "/", 0, ""}, FieldCase{"abc", "/", -1, ""},
                      FieldCase{"a//b", "/", 1, "a"}, FieldCase{"a//b", "/", 2, ""},
                      FieldCase{"a//b", "/", 3, "b"}, FieldCase{"a//b", "/", 4, ""},
                      FieldCase{"/v2", "/", 1, ""}, FieldCase{"/v2", "/", 2, "v2"},
                      FieldCase{"a/", "/", 2, ""}, FieldCase{"a/", "/", 3, ""},
                      FieldCase{"", "/", 1, ""}, FieldCase{"", "/", 2, ""},
                      FieldCase{"9600,N,8,1", ",", 1, "9600"}, FieldCase{"9600,N,8,1", ",", 4, "1"},
                      FieldCase{"9600,N,8,1", ",", 5, ""},
                      // Case-sensitive comparison of the separator.
                      FieldCase{"aXbxc", "x", 1, "aXb"}, FieldCase{"aXbxc", "x", 2, "c"},
                      FieldCase{"電圧Ｒ/電圧Ｔ", "/", 2, "電圧Ｔ"},
                      FieldCase{"a::b::c", "::", 3, "c"}, FieldCase{"a::b::c", "::", 2, "b"}));

TEST(NthField, AHugeFieldNumberOnAShortTextIsEmpty)
{
    TestContext t;
    EXPECT_EQ(quellin::sfNthFild(*t.ctx, QStringLiteral("a/b"), QStringLiteral("/"), 32767),
              QString());
}

struct CountCase {
    const char* text;
    const char* sep;
    int count;
};

class FieldCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(FieldCount, CountsSeparatorsPlusOne)
{
    TestContext t;
    const CountCase& c = GetParam();
    EXPECT_EQ(quellin::ifNthFilds(*t.ctx, QString::fromUtf8(c.text), QString::fromUtf8(c.sep)),
              c.count)
        << '"' << c.text << '"';
    EXPECT_TRUE(t.msg.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, FieldCount,
                         ::testing::Values(CountCase{"", "/", 0}, CountCase{"abc", "/", 1},
                                           CountCase{"/a", "/", 2}, CountCase{"a/", "/", 2},
                                           CountCase{"/", "/", 2}, CountCase{"a//b", "/", 3},
                                           CountCase{"///", "/", 4}, CountCase{" /V2 /x", "/", 3},
                                           CountCase{"aXbxc", "x", 2},
                                           CountCase{"a::b::c", "::", 3},
                                           CountCase{":::", "::", 2}));

// Every field number from 1 to the count gives back the pieces the text was made of.
TEST(FieldCount, AgreesWithTheFieldsTaken)
{
    TestContext t;
    const QStringList pieces{QString(), QStringLiteral("v2"), QString(), QStringLiteral("x y")};
    const QString text = pieces.join(QLatin1Char('/'));
    const int count = quellin::ifNthFilds(*t.ctx, text, QStringLiteral("/"));
    ASSERT_EQ(count, pieces.size());
    for (int n = 1; n <= count; ++n)
        EXPECT_EQ(quellin::sfNthFild(*t.ctx, text, QStringLiteral("/"), n), pieces[n - 1]);
}

TEST(EmptySeparator, IsReportedUnderTheRoutinesNameAndGivesTheFailureValue)
{
    TestContext t;
    EXPECT_EQ(quellin::sfNthFild(*t.ctx, QStringLiteral("abc"), QString(), 2), QString());
    EXPECT_EQ(quellin::ifNthFilds(*t.ctx, QStringLiteral("abc"), QString()), 0);
    ASSERT_EQ(t.msg.shown.size(), 2u);
    EXPECT_TRUE(
        t.msg.shown[0].text.startsWith(QStringLiteral("sfNthFildでエラーが起こりました。\r")));
    EXPECT_TRUE(
        t.msg.shown[1].text.startsWith(QStringLiteral("ifNthFildsでエラーが起こりました。\r")));
    EXPECT_TRUE(t.msg.shown[1].text.contains(QStringLiteral("エラー：5 / ")));
}

struct FixCase {
    const char* text;
    int d;
    double value;
};

class Truncation : public ::testing::TestWithParam<FixCase> {};

TEST_P(Truncation, TruncatesTowardZeroWithoutNoise)
{
    TestContext t;
    const FixCase& c = GetParam();
    const double v = quellin::FixSS(*t.ctx, QString::fromUtf8(c.text), c.d);
    EXPECT_DOUBLE_EQ(v, c.value) << c.text << " d=" << c.d;
    EXPECT_FALSE(v == 0 && std::signbit(v)) << "no negative zero for " << c.text;
    EXPECT_TRUE(t.msg.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Truncation,
    ::testing::Values(FixCase{"0.29", 2, 0.29}, FixCase{"4.35", 2, 4.35},
                      FixCase{"-1.29", 1, 1.2 * -1}, FixCase{"0.29", 1, 0.2}, FixCase{"15", 0, 15},
                      FixCase{"1.9", 0, 1}, FixCase{"2.9", 0, 2}, FixCase{"0.57", 2, 0.57},
                      FixCase{"1.15", 2, 1.15}, FixCase{"8.2", 1, 8.2}, FixCase{"0.1", 0, 0},
                      FixCase{"-0.9", 0, 0}, FixCase{"1234.5678", 3, 1234.567},
                      FixCase{" 2.5 ", 0, 2}, FixCase{"1E2", 0, 100}, FixCase{"1.5", -1, 0},
                      FixCase{"156", -1, 150}, FixCase{"0.000123456", 5, 0.00012}));

TEST(Truncation, ANegativeTextTruncatesToTheMirrorOfItsPositive)
{
    const FixCase cases[] = {{"0.29", 2, 0.29}, {"4.35", 2, 4.35}, {"1.15", 2, 1.15},
                             {"8.2", 1, 8.2},   {"1.9", 0, 1},     {"156", -1, 150}};
    for (const FixCase& c : cases) {
        TestContext t;
        EXPECT_DOUBLE_EQ(quellin::FixSS(*t.ctx, QLatin1Char('-') + QString::fromUtf8(c.text), c.d),
                         -c.value)
            << c.text;
    }
}

TEST(Truncation, ATextThatIsNoNumberIsATypeMismatchAndGivesZero)
{
    for (const char* text : {"", "abc", "1.2.3", "１"}) {
        TestContext t;
        EXPECT_EQ(quellin::FixSS(*t.ctx, QString::fromUtf8(text), 2), 0.0) << text;
        ASSERT_EQ(t.msg.shown.size(), 1u) << text;
        EXPECT_EQ(t.msg.shown[0].text,
                  QStringLiteral("FixSSでエラーが起こりました。\rエラー：13 / 型が一致しません。"));
    }
}

TEST(Truncation, AnOverflowingScaleIsReportedNotReturnedAsNotANumber)
{
    TestContext t;
    EXPECT_EQ(quellin::FixSS(*t.ctx, QStringLiteral("1e300"), 100), 0.0);
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_TRUE(t.msg.shown[0].text.contains(QStringLiteral("エラー：6 / ")));
}

} // namespace

namespace {

// The plain functions need no context: their failures are thrown with the
// number the wrappers report.
TEST(PlainTextFunctions, ThrowTheErrorNumberTheirWrappersReport)
{
    using quellin::ErrorNumber;
    const auto numberOf = [](auto&& call) {
        try {
            call();
        } catch (const quellin::VbError& e) {
            return e.code();
        }
        return static_cast<ErrorNumber>(0);
    };
    EXPECT_EQ(numberOf([] { quellin::nthField(QStringLiteral("a,b"), QString(), 1); }),
              ErrorNumber::InvalidCall);
    EXPECT_EQ(numberOf([] { quellin::fieldCount(QStringLiteral("a,b"), QString()); }),
              ErrorNumber::InvalidCall);
    EXPECT_EQ(numberOf([] { quellin::truncateDecimal(QStringLiteral("abc"), 2); }),
              ErrorNumber::TypeMismatch);
    EXPECT_EQ(numberOf([] { quellin::truncateDecimal(QStringLiteral("1"), 400); }),
              ErrorNumber::Overflow);
    EXPECT_EQ(quellin::nthField(QStringLiteral("a//b"), QStringLiteral("/"), 3), QStringLiteral("b"));
    EXPECT_EQ(quellin::fieldCount(QStringLiteral("a//b"), QStringLiteral("/")), 3);
    EXPECT_EQ(quellin::truncateDecimal(QStringLiteral("0.29"), 2), 0.29);
}

} // namespace
