// A measurement of the window program with alarms and the monitoring outputs of
// its settings: against the virtual meter and a real Mosquitto broker, the
// alarm shows in the status bar, the value panel and the event list, and the
// broker gets the records, the alarm and the binary sensor; bad outputs are
// told on the status bar and the measurement goes on. With
// QUELLIN_SCREENSHOT_DIR set the main window with the event list is saved.

#include "Broker.h"
#include "dialogs/DialogShots.h"
#include "EventWait.h"
#include "ProgramFixture.h"
#include "main/FrmMDIMain.h"
#include "views/FrmAlarmList.h"
#include "views/FrmDisp.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

using DesktopMonitoring = ProgramFixture;

void writeSettings(const QString& home, const QString& lines)
{
    QFile ini(home + QStringLiteral("/Quellin.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write((QStringLiteral("[Tarvo]\n") + lines).toUtf8());
}

TEST_F(DesktopMonitoring, AnAlarmIsShownListedAndPublished)
{
    const quint16 port = freePort();
    Daemon broker;
    ASSERT_TRUE(startMosquitto(broker, home.path(), port)) << "mosquitto is in scripts/setup.sh";
    Daemon sub;
    const QString subFile = home.filePath(QStringLiteral("sub.txt"));
    ASSERT_TRUE(startSubscriber(sub, subFile, port, {"desk/#", "homeassistant/binary_sensor/#"}));
    ASSERT_NO_FATAL_FAILURE(writeSettings(
        home.path(), QStringLiteral("Alarms=frequency>1;voltR<0\nMqttUrl=mqtt://127.0.0.1:%1/desk\nMqttId=desk\n")
                         .arg(port)));
    ASSERT_NO_FATAL_FAILURE(start({"--version", "2", "--wiring", "2", "--rate", "20"}));
    main().resize(1366, 768);
    main().MnuView_Alarms->trigger();

    main().MnuExec_Keisoku->trigger();
    ASSERT_TRUE(runEventsUntil([&] { return ctx().dataSet().RecordCount() >= 5; }));
    EXPECT_TRUE(main().StsAlarm->isVisible() && main().StsAlarm->text() == QStringLiteral("警報：周波数 > 1 Hz"));
    ASSERT_TRUE(main().dispWindow() && main().alarmList());
    EXPECT_TRUE(main().dispWindow()->alarmShown(0)) << "frequency";
    EXPECT_FALSE(main().dispWindow()->alarmShown(2)) << "voltage R";
    ASSERT_EQ(main().alarmList()->rows(), 1);
    EXPECT_EQ(main().alarmList()->row(0).mid(1), (QStringList{"周波数", "周波数 > 1 Hz", main().alarmList()->row(0)[3], "警報"}));
    saveShot(main(), QStringLiteral("alarm-list.png"));

    main().MnuExec_Keisoku->trigger();
    ASSERT_TRUE(runEventsUntil([&] { return !ctx().app.Measuring; }));
    EXPECT_FALSE(main().StsAlarm->isVisible()) << "a measurement's alarms end with it";
    EXPECT_FALSE(main().dispWindow()->alarmShown(0));
    EXPECT_EQ(main().alarmList()->rows(), 1) << "the last measurement's events stay listed";
    const QString got = stopSubscriber(sub, subFile);
    EXPECT_TRUE(got.contains("desk/state {\"number\":0,")) << got.toStdString();
    EXPECT_TRUE(got.contains("desk/alarm {\"alarm\":\"frequency_above\",")) << got.toStdString();
    EXPECT_TRUE(got.contains("homeassistant/binary_sensor/desk/frequency_above/config {")) << got.toStdString();
    EXPECT_TRUE(got.contains("desk/alarm/voltR_below OFF\n")) << got.toStdString();
    EXPECT_TRUE(got.trimmed().endsWith("desk/status offline")) << got.toStdString();
}

TEST_F(DesktopMonitoring, BadOutputsAreToldAndTheMeasurementGoesOn)
{
    const struct {
        const char* settings;
        const char* told;
    } cases[] = {
        {"MqttUrl=mqtt://\n", "外部出力: MQTT の URL: ホスト名がありません。"},
        {"Alarms=power>3;garbage\n", "警報設定: 読めない警報設定を無視しました：garbage"},
        {"MetricsAddress=1:2:3\n", "外部出力: メトリクスのポート: [ホスト:]ポート（1～65535）で指定して下さい。"},
        {"MqttUrl=mqtt://127.0.0.1:%1\n", "MQTT: 127.0.0.1:%1 に接続できません"},
    };
    const quint16 away = freePort();
    ASSERT_NO_FATAL_FAILURE(writeSettings(home.path(), QString()));
    ASSERT_NO_FATAL_FAILURE(start({"--version", "2", "--rate", "20"}));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        ASSERT_NO_FATAL_FAILURE(writeSettings(home.path(), QString::fromUtf8(c.settings).arg(away)));
        const QString told = QString::fromUtf8(c.told).arg(away);
        main().MnuExec_Keisoku->trigger();
        ASSERT_TRUE(runEventsUntil([&] { return ctx().app.Measuring; }));
        const int from = ctx().dataSet().RecordCount();
        EXPECT_TRUE(runEventsUntil([&] { return main().StsOutput->text().startsWith(told); }, 10000))
            << main().StsOutput->text().toStdString();
        EXPECT_TRUE(runEventsUntil([&] { return ctx().dataSet().RecordCount() >= from + 3; }));
        main().MnuExec_Keisoku->trigger();
        ASSERT_TRUE(runEventsUntil([&] { return !ctx().app.Measuring; }));
    }
}

} // namespace
} // namespace quellin::test
