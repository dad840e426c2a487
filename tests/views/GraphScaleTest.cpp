// Axis scales: the graph window's automatic scale, the Y-axis dialog's texts,
// automatic choice and stored result, and the time-axis dialog's checks.

#include "views/GraphScale.h"
#include "GraphTestData.h"
#include "TestContext.h"
#include "store/ModFile.h"

#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;

namespace {

class GraphScaleFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        tc.ctx->app.HardVersion = 2;
        test::fillGraphCatalog(tc.ctx->cat, 2);
    }
    // Points 1..n of series s (the other series all 0).
    void points(int s, const std::vector<double>& values)
    {
        std::vector<double> times;
        for (size_t i = 0; i < values.size(); ++i)
            times.push_back(
                vbdate::addSeconds(at(2002, 6, 1, 10, 0, 0), static_cast<long long>(i)));
        std::vector<std::vector<double>> v(14);
        v[static_cast<size_t>(s)] = values;
        test::setGraphPoints(tc.ctx->graphWindow(), 14, times, v);
    }
    Catalog& cat() { return tc.ctx->cat; }
    test::TestContext tc;
};

struct PickCase {
    int s;
    std::vector<double> values;
    int kind;
    int position;
};

class GraphAutoPick : public GraphScaleFixture, public ::testing::WithParamInterface<PickCase> {};

TEST_P(GraphAutoPick, SmallestStepHoldingThePeak)
{
    const PickCase& c = GetParam();
    points(c.s, c.values);
    const auto pick = autoScaleYPick(*tc.ctx, c.s);
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->kindPosition, c.kind);
    EXPECT_EQ(pick->scalePosition, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Peaks, GraphAutoPick,
    ::testing::Values(PickCase{4, {100, 1234, 900}, 0, 3}, // "10.000 K"
                      PickCase{4, {10}, 0, 1},             // 10 is not below 10
                      PickCase{4, {2e14}, 0, 12},          // beyond the list: largest step
                      PickCase{9, {20, 250, 30}, 0, 2},    // "300.0  "
                      PickCase{9, {5000}, 0, 9},           // beyond 1000 mA: largest step
                      PickCase{12, {-5, 12}, kTempSymmetric, 1},
                      PickCase{12, {12, -5}, kTempSymmetric, 1}, // order does not matter
                      PickCase{12, {3, 45, 0}, kTempPositive, 4},
                      PickCase{13, {-31, -2}, kTempNegative, 3},
                      PickCase{13, {0, 0}, kTempSymmetric, 0},
                      PickCase{13, {-150}, kTempNegative, 9}));

TEST_F(GraphScaleFixture, AutomaticChoiceNeedsPoints)
{
    EXPECT_FALSE(autoScaleYPick(*tc.ctx, 4));
    points(4, {5});
    EXPECT_FALSE(autoScaleYPick(*tc.ctx, 7)) << "power factor has a fixed axis";
}

TEST_F(GraphScaleFixture, AutomaticChoiceCountsTheMinimumOfANormalSeries)
{
    points(4, {1234});
    cat().SeriesYMin[4] = 1000; // 10^(j+1) + 1000 > 1234 first for j = 2
    EXPECT_EQ(autoScaleYPick(*tc.ctx, 4)->scalePosition, 2);
}

struct WindowScaleCase {
    int s;
    std::vector<double> values;
    int scale;
    double ymin, ymax;
};

class GraphWindowAutoScale : public GraphScaleFixture,
                             public ::testing::WithParamInterface<WindowScaleCase> {};

TEST_P(GraphWindowAutoScale, ScaleAndRangeFromTheWindowsValues)
{
    const WindowScaleCase& c = GetParam();
    points(c.s, c.values);
    GraphAutoScale(*tc.ctx);
    const auto s = static_cast<size_t>(c.s);
    EXPECT_EQ(cat().SeriesScale[s], c.scale);
    EXPECT_EQ(cat().SeriesYMin[s], c.ymin);
    EXPECT_EQ(cat().SeriesYMax[s], c.ymax);
}

INSTANTIATE_TEST_SUITE_P(Series, GraphWindowAutoScale,
                         ::testing::Values(WindowScaleCase{4, {1234, -2000}, 3, 0, 10000},
                                           WindowScaleCase{0, {101.5, 99}, 2, 0, 1000},
                                           WindowScaleCase{
                                               8, {5e13}, 12, 0, 1e13}, // beyond the last step
                                           WindowScaleCase{10, {250}, 2, 0, 300},
                                           WindowScaleCase{12, {-5, 12}, 1, -20, 20},
                                           WindowScaleCase{12, {5, 12}, 11, 0, 20},
                                           WindowScaleCase{13, {-5, -12}, 21, -20, 0},
                                           WindowScaleCase{13, {0, -0.5}, 20, -10, 0}));

TEST_F(GraphScaleFixture, WindowAutoScaleLeavesPowerFactorAndEmptyWindowsAlone)
{
    cat().SeriesScale[7] = 5;
    cat().SeriesScale[4] = 7;
    cat().SeriesYMax[4] = 1e8;
    GraphAutoScale(*tc.ctx); // no points at all
    EXPECT_EQ(cat().SeriesScale[4], 7);
    points(7, {100, 50});
    GraphAutoScale(*tc.ctx);
    EXPECT_EQ(cat().SeriesScale[7], 5);
    EXPECT_EQ(cat().SeriesScale[4], 0) << "zeros fit the smallest step";
}

struct TemperatureCodeCase {
    int c;
    int k;
    int scale;
    double ymin, ymax;
};

class GraphTemperatureCodes : public GraphScaleFixture,
                              public ::testing::WithParamInterface<TemperatureCodeCase> {};

TEST_P(GraphTemperatureCodes, KindIsTheTensDigit)
{
    const TemperatureCodeCase& t = GetParam();
    ASSERT_TRUE(applyScaleY(*tc.ctx, 12, t.k, t.c, QStringLiteral("ignored")));
    EXPECT_EQ(cat().SeriesScale[12], t.scale);
    EXPECT_EQ(cat().SeriesYMin[12], t.ymin);
    EXPECT_EQ(cat().SeriesYMax[12], t.ymax);
}

INSTANTIATE_TEST_SUITE_P(Codes, GraphTemperatureCodes,
                         ::testing::Values(TemperatureCodeCase{1, 4, 14, 0, 50},
                                           TemperatureCodeCase{2, 0, 20, -10, 0},
                                           TemperatureCodeCase{0, 2, 2, -30, 30},
                                           TemperatureCodeCase{2, 9, 29, -100, 0}));

TEST_F(GraphScaleFixture, NormalSeriesTakesStepAndMinimum)
{
    ASSERT_TRUE(applyScaleY(*tc.ctx, 4, 3, 0, QStringLiteral("-500")));
    EXPECT_EQ(cat().SeriesScale[4], 3);
    EXPECT_EQ(cat().SeriesYMin[4], -500);
    EXPECT_EQ(cat().SeriesYMax[4], 9500);
}

TEST_F(GraphScaleFixture, NonNumericMinimumIsRefusedAndNothingStored)
{
    test::setDecade(cat(), 4, 2, 0);
    for (const char* text : {"", "abc", "12kW", "--1"}) {
        EXPECT_FALSE(applyScaleY(*tc.ctx, 4, 5, 0, QString::fromLatin1(text))) << text;
        EXPECT_EQ(cat().SeriesScale[4], 2);
        EXPECT_EQ(cat().SeriesYMin[4], 0);
        EXPECT_EQ(cat().SeriesYMax[4], 1000);
    }
}

TEST_F(GraphScaleFixture, LeakageStepIsHundredsOfMilliamperes)
{
    ASSERT_TRUE(applyScaleY(*tc.ctx, 11, 4, 0, QString()));
    EXPECT_EQ(cat().SeriesScale[11], 4);
    EXPECT_EQ(cat().SeriesYMax[11], 500);
    EXPECT_FALSE(applyScaleY(*tc.ctx, 7, 4, 0, QStringLiteral("0"))) << "power factor is fixed";
}

struct RangeTextCase {
    SeriesKind kind;
    int k;
    int c;
    const char* listText;
    const char* text;
};

class GraphRangeText : public ::testing::TestWithParam<RangeTextCase> {};

TEST_P(GraphRangeText, AfterAStepIsChosen)
{
    const RangeTextCase& r = GetParam();
    EXPECT_EQ(scaleYRangeText(r.kind, r.k, r.c, QString::fromUtf8(r.listText), QStringLiteral("℃")),
              QString::fromUtf8(r.text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GraphRangeText,
    ::testing::Values(RangeTextCase{SeriesKind::Normal, 4, 0, "100.00 K", "(0.00  ～ 100.00 K)"},
                      RangeTextCase{SeriesKind::Normal, 0, 0, "10.000  ", "(0.000 ～ 10.000  )"},
                      RangeTextCase{SeriesKind::Normal, 11, 0, "1000.0 G", "(0.0   ～ 1000.0 G)"},
                      RangeTextCase{SeriesKind::Normal, 12, 0, "10000  G", "(0     ～ 10000  G)"},
                      RangeTextCase{SeriesKind::Leakage, 2, 0, "300.0  ", "(0.0   ～ 300.0  )"},
                      RangeTextCase{SeriesKind::Temperature, 1, 0, "", "(-20 ～ 20℃)"},
                      RangeTextCase{SeriesKind::Temperature, 4, 1, "", "(0 ～ 50℃)"},
                      RangeTextCase{SeriesKind::Temperature, 0, 2, "", "(-10 ～ 0℃)"}));

struct MinimumTextCase {
    SeriesKind kind;
    int k;
    int c;
    const char* minimum;
    const char* text; // nullptr: no text (not a number)
};

class GraphMinimumText : public ::testing::TestWithParam<MinimumTextCase> {};

TEST_P(GraphMinimumText, AfterTheMinimumChanged)
{
    const MinimumTextCase& m = GetParam();
    const auto got = scaleYMinimumText(m.kind, m.k, m.c, QString::fromLatin1(m.minimum));
    if (!m.text) {
        EXPECT_FALSE(got);
        return;
    }
    ASSERT_TRUE(got);
    EXPECT_EQ(*got, QString::fromUtf8(m.text));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GraphMinimumText,
    ::testing::Values(MinimumTextCase{SeriesKind::Normal, 2, 0, "-50", "( -50.0 ～ 950.0 )"},
                      MinimumTextCase{SeriesKind::Normal, 0, 0, "0", "( 0.0 ～ 10.0 )"},
                      MinimumTextCase{SeriesKind::Normal, 0, 0, "x", nullptr},
                      MinimumTextCase{SeriesKind::Leakage, 3, 0, "0", "( 0.0 ～ 400.0 )"},
                      MinimumTextCase{SeriesKind::Temperature, 2, 0, "-30", "( -30 ～ 30 )"},
                      MinimumTextCase{SeriesKind::Temperature, 2, 1, "0", "( 0 ～ 30 )"},
                      MinimumTextCase{SeriesKind::Temperature, 2, 2, "0", "( -30 ～ 0 )"}));

TEST(GraphScaleLists, ChoicesOfEveryList)
{
    EXPECT_EQ(scaleXChoices(), (QStringList{QStringLiteral("１分間  "), QStringLiteral("１時間  "),
                                            QStringLiteral("１日　　")}));
    EXPECT_EQ(normalScaleChoices().size(), 13);
    EXPECT_EQ(normalScaleChoices()[3], QStringLiteral("10.000 K"));
    EXPECT_EQ(normalScaleChoices()[12], QStringLiteral("10000  G"));
    EXPECT_EQ(leakageScaleChoices().size(), 10);
    EXPECT_EQ(leakageScaleChoices()[9], QStringLiteral("1000.0 "));
    const QStringList temps = temperatureScaleChoices(QStringLiteral("℃"));
    ASSERT_EQ(temps.size(), 10);
    EXPECT_EQ(temps[0], QStringLiteral("10  ℃"));
    EXPECT_EQ(temps[9], QStringLiteral("100 ℃"));
    EXPECT_EQ(temperatureKindChoices(),
              (QStringList{QStringLiteral("＋－"), QStringLiteral("＋"), QStringLiteral("－")}));
}

struct StartCase {
    const char* text;
    const char* refusal; // nullptr: accepted
};

class GraphScaleXStart : public GraphScaleFixture,
                         public ::testing::WithParamInterface<StartCase> {};

TEST_P(GraphScaleXStart, WithinTheDataSetAndADate)
{
    test::props(*tc.ctx).FirstTime = at(2002, 6, 1, 10, 0, 0);
    test::props(*tc.ctx).LastTime = at(2002, 6, 1, 12, 0, 0);
    const ScaleXEntry e = checkScaleXStart(*tc.ctx, QString::fromLatin1(GetParam().text));
    if (GetParam().refusal) {
        EXPECT_FALSE(e.start);
        EXPECT_EQ(e.refusal, QString::fromUtf8(GetParam().refusal));
    } else {
        ASSERT_TRUE(e.start);
        EXPECT_TRUE(e.refusal.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, GraphScaleXStart,
    ::testing::Values(StartCase{"2002/06/01 10:00:00", nullptr},
                      StartCase{"2002/06/01 09:59:59", "計測期間の範囲で設定してください。"},
                      StartCase{"2002/13/01 10:00:00", "日付を入力してください。"},
                      StartCase{"", "日付を入力してください。"},
                      StartCase{"2002/06/01 11:30", nullptr},
                      StartCase{"2003/01/01", nullptr})); // after the data: paging stops there

TEST_F(GraphScaleFixture, TakingTheTimeAxisSetsSpanStartAndEnd)
{
    tc.ctx->app.DataPresent = false;
    applyScaleX(*tc.ctx, 1, at(2002, 6, 1, 10, 15, 0));
    EXPECT_EQ(tc.ctx->app.GraphXHani, 2);
    EXPECT_EQ(vbdate::secondsBetween(at(2002, 6, 1, 10, 15, 0), tc.ctx->graphWindow().GraphStart),
              0);
    EXPECT_EQ(vbdate::secondsBetween(at(2002, 6, 1, 11, 15, 0), tc.ctx->graphWindow().GraphEnd), 0);
    applyScaleX(*tc.ctx, 2, at(2002, 6, 1, 0, 0, 0));
    EXPECT_EQ(vbdate::secondsBetween(at(2002, 6, 2, 0, 0, 0), tc.ctx->graphWindow().GraphEnd), 0);
}

TEST_F(GraphScaleFixture, NoSpanChosenStartsAtTheFirstRecord)
{
    test::props(*tc.ctx).FirstTime = at(2002, 6, 1, 9, 0, 0);
    applyScaleX(*tc.ctx, -1, at(2002, 6, 1, 10, 15, 0));
    EXPECT_EQ(tc.ctx->app.GraphXHani, 0);
    EXPECT_EQ(
        vbdate::secondsBetween(tc.ctx->dataSet().FirstTime(), tc.ctx->graphWindow().GraphStart), 0);
}

struct SignCase {
    std::vector<double> values;
    int kind;
};

class GraphTemperatureSigns : public ::testing::TestWithParam<SignCase> {};

TEST_P(GraphTemperatureSigns, ZerosDoNotCount)
{
    std::vector<double> v{0};
    v.insert(v.end(), GetParam().values.begin(), GetParam().values.end());
    EXPECT_EQ(temperatureRangeKind(v, 1, static_cast<int>(v.size()) - 1), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Signs, GraphTemperatureSigns,
    ::testing::Values(SignCase{{1, 2}, kTempPositive}, SignCase{{0, 2, 0}, kTempPositive},
                      SignCase{{-1, 0}, kTempNegative}, SignCase{{-1, 1}, kTempSymmetric},
                      SignCase{{0, 0}, kTempSymmetric}, SignCase{{}, kTempSymmetric}));

} // namespace
