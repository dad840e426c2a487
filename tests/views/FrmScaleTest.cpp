// The axis-scale dialogs as the user drives them: refusals, the automatic choice,
// the temperature range kind and what a confirmation stores.

#include "Controls.h"
#include "GraphTestData.h"
#include "TestContext.h"
#include "views/FrmScaleX.h"
#include "views/FrmScaleY.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;
using quellin::test::control;

namespace {

struct StartCase {
    const char* text;
    const char* message; // nullptr: accepted
};

class ScaleXDialog : public ::testing::TestWithParam<StartCase> {};

TEST_P(ScaleXDialog, StartMustBeADateWithinTheData)
{
    test::TestContext tc;
    test::props(*tc.ctx).FirstTime = at(2002, 6, 1, 10, 0, 0);
    test::props(*tc.ctx).LastTime = at(2002, 6, 1, 11, 0, 0);
    tc.ctx->graphWindow().GraphStart = at(2002, 6, 1, 10, 30, 0);
    tc.ctx->app.GraphXHani = 1;
    FrmScaleX dialog(*tc.ctx);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ｘ軸スケール設定"));
    dialog.prepare({scaleXChoices(), 1, QStringLiteral("2002/06/01 10:30:00"), QString()});
    control<QLineEdit>(dialog, "TxtData", 0)->setText(QString::fromLatin1(GetParam().text));
    control<QPushButton>(dialog, "cmdOK")->click();
    if (GetParam().message) {
        ASSERT_EQ(tc.msg.shown.size(), 1u);
        EXPECT_EQ(tc.msg.shown[0].text, QString::fromUtf8(GetParam().message));
        EXPECT_EQ(tc.msg.shown[0].buttons, MsgButtons::Ok);
        EXPECT_NE(dialog.result(), QDialog::Accepted) << "the dialog stays open";
        EXPECT_EQ(tc.ctx->app.GraphXHani, 1) << "nothing taken";
    } else {
        EXPECT_TRUE(tc.msg.shown.empty());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(tc.ctx->app.GraphXHani, 2);
        EXPECT_EQ(vbdate::secondsBetween(*vbdate::parse(QString::fromLatin1(GetParam().text)),
                                         tc.ctx->graphWindow().GraphStart),
                  0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ScaleXDialog,
    ::testing::Values(StartCase{"2002/06/01 10:00:00", nullptr},
                      StartCase{"2002/06/01 09:59:59", "計測期間の範囲で設定してください。"},
                      StartCase{"2002/13/01 10:00:00", "日付を入力してください。"},
                      StartCase{"tomorrow", "日付を入力してください。"}));

class ScaleYDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        tc.ctx->app.HardVersion = 2;
        test::fillGraphCatalog(tc.ctx->cat, 2);
    }
    std::unique_ptr<FrmScaleY> dialogFor(int s)
    {
        auto d = std::make_unique<FrmScaleY>(*tc.ctx, s);
        d->prepare(scaleYSetup(*tc.ctx, s));
        return d;
    }
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
    test::TestContext tc;
};

TEST_F(ScaleYDialog, NonNumericMinimumIsRefusedWithAMessage)
{
    test::setDecade(tc.ctx->cat, 4, 2);
    auto d = dialogFor(4);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Y軸スケール設定"));
    EXPECT_EQ(control<QLineEdit>(*d, "TxtData", 0)->text(), QStringLiteral("0"));
    control<QLineEdit>(*d, "TxtData", 0)->setText(QStringLiteral("abc"));
    control<QComboBox>(*d, "CmbScale")->setCurrentIndex(5);
    control<QPushButton>(*d, "cmdOK")->click();
    ASSERT_EQ(tc.msg.shown.size(), 1u);
    EXPECT_EQ(tc.msg.shown[0].text, QStringLiteral("数値を入力してください。"));
    EXPECT_NE(d->result(), QDialog::Accepted);
    EXPECT_EQ(tc.ctx->cat.SeriesScale[4], 2);
    EXPECT_EQ(tc.ctx->cat.SeriesYMax[4], 1000);
    control<QLineEdit>(*d, "TxtData", 0)->setText(QStringLiteral("-100"));
    EXPECT_EQ(control<QLabel>(*d, "LblData")->text(), QStringLiteral("( -100.0 ～ 999900.0 )"));
    control<QPushButton>(*d, "cmdOK")->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(tc.ctx->cat.SeriesScale[4], 5);
    EXPECT_EQ(tc.ctx->cat.SeriesYMin[4], -100);
    EXPECT_EQ(tc.ctx->cat.SeriesYMax[4], 999900);
    EXPECT_EQ(tc.pointer.history, (std::vector<int>{11, 0, 11, 0}));
}

struct AutoCase {
    int s;
    std::vector<double> values;
    int kind;
    int position;
    const char* label;
    const char* minimum; // the minimum box: the choice's own for leakage and temperatures
};

class ScaleYAutomatic : public ScaleYDialog, public ::testing::WithParamInterface<AutoCase> {};

TEST_P(ScaleYAutomatic, SelectsTheStepAndShowsTheRange)
{
    const AutoCase& c = GetParam();
    points(c.s, c.values);
    auto d = dialogFor(c.s);
    control<QPushButton>(*d, "cmdAuto")->click();
    EXPECT_EQ(control<QComboBox>(*d, "CmbC")->currentIndex(), c.kind);
    EXPECT_EQ(control<QComboBox>(*d, "CmbScale")->currentIndex(), c.position);
    EXPECT_EQ(control<QLabel>(*d, "LblData")->text(), QString::fromUtf8(c.label));
    EXPECT_EQ(control<QLineEdit>(*d, "TxtData", 0)->text(), QString::fromUtf8(c.minimum));
    EXPECT_EQ(tc.ctx->cat.SeriesScale[static_cast<size_t>(c.s)], 0) << "stored only on OK";
}

INSTANTIATE_TEST_SUITE_P(
    Peaks, ScaleYAutomatic,
    ::testing::Values(AutoCase{4, {1234, 80}, 0, 3, "(0.000 ～ 10.000 K)", "0"},
                      AutoCase{9, {250}, 0, 2, "(0.0   ～ 300.0  )", "0"},
                      AutoCase{12, {-5, 12}, 0, 1, "(-20 ～ 20℃)", "-20"},
                      AutoCase{13, {3, 33}, 1, 3, "(0 ～ 40℃)", "0"},
                      AutoCase{13, {-3, -33}, 2, 3, "(-40 ～ 0℃)", "-40"},
                      AutoCase{4, {5e15}, 0, 12, "(0     ～ 10000  G)", "0"}));

TEST_F(ScaleYDialog, AutomaticChoiceWithoutPointsChangesNothing)
{
    tc.ctx->cat.SeriesScale[4] = 6;
    auto d = dialogFor(4);
    control<QPushButton>(*d, "cmdAuto")->click();
    EXPECT_EQ(control<QComboBox>(*d, "CmbScale")->currentIndex(), 6);
}

TEST_F(ScaleYDialog, TemperatureKindRefillsTheStepsAndKeepsThePosition)
{
    tc.ctx->cat.SeriesScale[13] = 3; // symmetric, 40 degrees
    auto d = dialogFor(13);
    EXPECT_EQ(control<QLabel>(*d, "LblData")->text(), QStringLiteral("(-40 ～ 40℃)"));
    control<QComboBox>(*d, "CmbC")->setCurrentIndex(2);
    EXPECT_EQ(control<QComboBox>(*d, "CmbScale")->count(), 11);
    EXPECT_EQ(control<QComboBox>(*d, "CmbScale")->currentIndex(), 3);
    EXPECT_EQ(control<QLabel>(*d, "LblData")->text(), QStringLiteral("(-40 ～ 0℃)"));
    control<QPushButton>(*d, "cmdOK")->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(tc.ctx->cat.SeriesScale[13], 23);
    EXPECT_EQ(tc.ctx->cat.SeriesYMin[13], -40);
    EXPECT_EQ(tc.ctx->cat.SeriesYMax[13], 0);
}

struct TemperatureOkCase {
    int c;
    int k;
    int scale;
    double ymin, ymax;
};

class ScaleYTemperature : public ScaleYDialog,
                          public ::testing::WithParamInterface<TemperatureOkCase> {};

TEST_P(ScaleYTemperature, ConfirmStoresKindAndStep)
{
    const TemperatureOkCase& t = GetParam();
    auto d = dialogFor(12);
    control<QComboBox>(*d, "CmbC")->setCurrentIndex(t.c);
    control<QComboBox>(*d, "CmbScale")->setCurrentIndex(t.k);
    control<QPushButton>(*d, "cmdOK")->click();
    EXPECT_EQ(tc.ctx->cat.SeriesScale[12], t.scale);
    EXPECT_EQ(tc.ctx->cat.SeriesYMin[12], t.ymin);
    EXPECT_EQ(tc.ctx->cat.SeriesYMax[12], t.ymax);
}

INSTANTIATE_TEST_SUITE_P(Codes, ScaleYTemperature,
                         ::testing::Values(TemperatureOkCase{1, 4, 14, 0, 50},
                                           TemperatureOkCase{2, 0, 20, -10, 0},
                                           TemperatureOkCase{0, 9, 9, -100, 100}));

TEST_F(ScaleYDialog, CancelStoresNothing)
{
    auto d = dialogFor(9);
    control<QComboBox>(*d, "CmbScale")->setCurrentIndex(7);
    control<QPushButton>(*d, "cmdCancel")->click();
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(tc.ctx->cat.SeriesScale[9], 0);
    EXPECT_EQ(tc.ctx->cat.SeriesYMax[9], 100);
}

} // namespace
