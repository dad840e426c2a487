// 警報設定 and 外部出力 as the user meets them: laid out without clipping for
// both hardware versions (saved with QUELLIN_SCREENSHOT_DIR set), a bad box
// told with the focus put on it and nothing stored, a good one stored.

#include "Catalogue.h"
#include "Controls.h"
#include "DialogShots.h"
#include "TestContext.h"
#include "dialogs/FrmAlarmSet.h"
#include "dialogs/FrmOutputSet.h"
#include "settings/ModRegistry.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

class MonitoringDialogs : public ::testing::TestWithParam<int> {};

TEST_P(MonitoringDialogs, FitTheirWindows)
{
    TestContext t;
    giveTestCatalogue(*t.ctx, GetParam());
    t.settings->write(kAlarmsSetting, QStringLiteral("power>3000:10;leak1>30:5;temp1<-5;temp1>60:60"));
    FrmAlarmSet alarms(*t.ctx);
    expectNothingClippedOrOverlapping(alarms);
    EXPECT_EQ(control<QLineEdit>(alarms, "TxtAboveHold", 6)->text(), "10");
    EXPECT_EQ(alarms.findChildren<QLineEdit*>(QStringLiteral("TxtAbove13")).size(), GetParam() >= 2 ? 1 : 0);
    saveShot(alarms, QStringLiteral("alarmset-v%1.png").arg(GetParam()));
    FrmOutputSet outputs(*t.ctx);
    expectNothingClippedOrOverlapping(outputs);
    saveShot(outputs, QStringLiteral("outputset-v%1.png").arg(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Versions, MonitoringDialogs, ::testing::Values(1, 2));

TEST(MonitoringDialogs, ABadBoxIsToldAndFocusedAGoodOneStored)
{
    const struct {
        const char* dialog;
        const char* box;
        const char* text;
        const char* told; // "" when stored
        const char* setting;
        const char* stored;
    } cases[] = {
        {"alarms", "TxtBelow16", "-x", "温度1：下限は数値で入力して下さい。", "Alarms", "power>1"},
        {"alarms", "TxtBelow16", "-5", "", "Alarms", "power>1;temp1<-5"},
        {"outputs", "TxtMqttUrl", "http://h", "MQTT の URL: mqtt:// か mqtts:// で始めて下さい。", "MqttUrl", ""},
        {"outputs", "TxtMetrics", "9100", "", "MetricsAddress", "9100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + " " + c.text);
        TestContext t;
        giveTestCatalogue(*t.ctx, 2);
        t.settings->write(kAlarmsSetting, QStringLiteral("power>1"));
        std::unique_ptr<QDialog> dlg;
        if (QByteArray(c.dialog) == "alarms")
            dlg = std::make_unique<FrmAlarmSet>(*t.ctx);
        else
            dlg = std::make_unique<FrmOutputSet>(*t.ctx);
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        QLineEdit* box = control<QLineEdit>(*dlg, QString::fromLatin1(c.box));
        box->setText(QString::fromUtf8(c.text));
        control<QPushButton>(*dlg, "cmdOK")->click();
        EXPECT_EQ(t.msg.texts().join('|'), QString::fromUtf8(c.told));
        EXPECT_EQ(dlg->isVisible(), *c.told != 0);
        if (*c.told)
            EXPECT_TRUE(box->hasFocus());
        EXPECT_EQ(t.settings->read(QString::fromLatin1(c.setting), QString()), QString::fromUtf8(c.stored));
    }
}

} // namespace
} // namespace quellin::test
