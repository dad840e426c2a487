#include "settings/FrmLogSet.h"

#include "Catalogue.h"
#include "Controls.h"
#include "TestContext.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

struct PeriodCase {
    const char* h;
    const char* m;
    const char* s;
    const char* message; // "" = accepted
    int focus;
};

class LogPeriod : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(LogPeriod, FirstFailureAndItsBox)
{
    const PeriodCase& c = GetParam();
    const auto error =
        checkLogPeriod(QString::fromUtf8(c.h), QString::fromUtf8(c.m), QString::fromUtf8(c.s));
    if (*c.message == 0) {
        EXPECT_FALSE(error.has_value()) << error->message.toStdString();
        return;
    }
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, QString::fromUtf8(c.message));
    EXPECT_EQ(error->focusBox, c.focus);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, LogPeriod,
    ::testing::Values(
        PeriodCase{"24", "00", "00", "", 0}, PeriodCase{"00", "01", "30", "", 0},
        PeriodCase{"00", "00", "01", "", 0},
        PeriodCase{"00", "00", "00", "周期は１秒～２４時間の範囲で入力してください。", 0},
        PeriodCase{"24", "00", "01", "周期は１秒～２４時間の範囲で入力してください。", 0},
        PeriodCase{"25", "00", "00", "時間は０～２４の範囲で入力してください。", 0},
        PeriodCase{"00", "60", "00", "分は０～５９の範囲で入力してください。", 1},
        PeriodCase{"00", "00", "60", "秒は０～５９の範囲で入力してください。", 2},
        PeriodCase{"-1", "00", "00", "時間は０～２４の範囲で入力してください。", 0},
        PeriodCase{"ab", "00", "00", "数値を入力してください。", 0},
        PeriodCase{"00", "", "00", "数値を入力してください。", 1},
        PeriodCase{"00", "00", "1x", "数値を入力してください。", 2}));

// A fractional period becomes whole seconds as Basic assigns it: half to even.
TEST(LogPeriod, RoundsAsBasicAssignsToAnInteger)
{
    const struct {
        const char *h, *m, *s;
        int seconds;
    } cases[] = {{"00", "00", "1.5", 2},  {"00", "00", "2.5", 2}, {"00", "00", "1.4", 1},
                 {"00", "0.5", "00", 30}, {"00", "01", "30", 90}, {"24", "00", "00", 86400}};
    for (const auto& c : cases)
        EXPECT_EQ(logPeriodSeconds(QString::fromUtf8(c.h), QString::fromUtf8(c.m),
                                   QString::fromUtf8(c.s)),
                  c.seconds)
            << c.h << ":" << c.m << ":" << c.s;

    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 1);
    FrmLogSet dlg(*t.ctx);
    control<QLineEdit>(dlg, "TxtTime", 0)->setText(QStringLiteral("00"));
    control<QLineEdit>(dlg, "TxtTime", 1)->setText(QStringLiteral("00"));
    control<QLineEdit>(dlg, "TxtTime", 2)->setText(QStringLiteral("1.5"));
    control<QPushButton>(dlg, "cmdOK")->click();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(t.ctx->app.LogingTime, 2);
    EXPECT_EQ(t.settings->read(QStringLiteral("LogingTime"), {}), QStringLiteral("2"));
}

TEST(FrmLogSet, ShowsThePeriodAndStoresWhatIsChosen)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 1);
    t.ctx->app.LogingTime = 90;
    FrmLogSet dlg(*t.ctx);
    EXPECT_EQ(control<QLineEdit>(dlg, "TxtTime", 0)->text(), QStringLiteral("00"));
    EXPECT_EQ(control<QLineEdit>(dlg, "TxtTime", 1)->text(), QStringLiteral("01"));
    EXPECT_EQ(control<QLineEdit>(dlg, "TxtTime", 2)->text(), QStringLiteral("30"));
    // Version 1 shows the boxes of columns 2..12 only.
    EXPECT_FALSE(control<QCheckBox>(dlg, "ChkData", 10)->isHidden());
    EXPECT_TRUE(control<QCheckBox>(dlg, "ChkData", 11)->isHidden());

    for (int i = 0; i < 16; ++i)
        control<QCheckBox>(dlg, "ChkData", i)->setChecked(false);
    control<QLineEdit>(dlg, "TxtTime", 0)->setText(QStringLiteral("24"));
    control<QLineEdit>(dlg, "TxtTime", 1)->setText(QStringLiteral("00"));
    control<QLineEdit>(dlg, "TxtTime", 2)->setText(QStringLiteral("00"));
    control<QPushButton>(dlg, "cmdOK")->click();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(t.ctx->app.LogingTime, 86400);
    // The record number and the time are always logged.
    EXPECT_EQ(t.settings->read(QStringLiteral("LogingData"), {}), QStringLiteral("1100000000000"));
    EXPECT_EQ(t.settings->read(QStringLiteral("LogingTime"), {}), QStringLiteral("86400"));
    EXPECT_TRUE(t.ctx->cat.ColumnOn[0]);
    EXPECT_FALSE(t.ctx->cat.ColumnOn[6]);
    EXPECT_FALSE(t.ctx->cat.LogColumns[6]);
}

TEST(FrmLogSet, RefusedPeriodKeepsTheDialogAndTheSettings)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 2);
    FrmLogSet dlg(*t.ctx);
    EXPECT_FALSE(control<QCheckBox>(dlg, "ChkData", 15)->isHidden());
    control<QLineEdit>(dlg, "TxtTime", 1)->setText(QStringLiteral("75"));
    control<QPushButton>(dlg, "cmdOK")->click();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.shown[0].text, QStringLiteral("分は０～５９の範囲で入力してください。"));
    EXPECT_EQ(t.ctx->app.LogingTime, 1);
    EXPECT_EQ(t.settings->read(QStringLiteral("LogingTime"), QStringLiteral("none")),
              QStringLiteral("none"));
}

TEST(FrmLogSet, SelectAllChecksEveryBox)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 2);
    t.ctx->cat.LogColumns.assign(18, false);
    FrmLogSet dlg(*t.ctx);
    EXPECT_FALSE(control<QCheckBox>(dlg, "ChkData", 0)->isChecked());
    control<QPushButton>(dlg, "CmdAll")->click();
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(control<QCheckBox>(dlg, "ChkData", i)->isChecked()) << i;
}

} // namespace
} // namespace quellin
