// What one stored record becomes for the monitoring tools: the JSON state, the
// Home Assistant configs, the InfluxDB point and the Prometheus page.

#include "publish/AlarmMessages.h"
#include "publish/Discovery.h"
#include "publish/LineProtocol.h"
#include "publish/MetricsText.h"
#include "publish/RecordJson.h"

#include "support/TestContext.h"

#include "platform/VbDate.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <limits>

namespace quellin::test {
namespace {

// A version-2 data set without voltage T (single-phase two-wire); every value
// is its column × 1.5, leakage 1 is not a number.
struct Fixture {
    TestContext t;
    DataRecord r;
    Context& ctx() { return *t.ctx; }
    Fixture()
    {
        t.ctx->cat.ColumnLast = 17;
        t.ctx->app.HardVersionText = QStringLiteral("Ver2.00");
        test::props(*t.ctx).ColumnPresent.assign(18, true);
        test::props(*t.ctx).ColumnPresent[3] = false;
        r.number = 7;
        r.setTime(*vbdate::parse(QStringLiteral("2002/06/01 12:00:05")));
        for (int c = 2; c <= 17; ++c)
            r.setColumn(c, c * 1.5);
        r.setColumn(13, std::numeric_limits<double>::quiet_NaN());
    }
};

TEST(PublishJson, WritesThePresentColumnsUnderTheirKeys)
{
    Fixture f;
    const QString line = recordJson(f.ctx(), f.r);
    EXPECT_FALSE(line.contains('\n'));
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(line.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    EXPECT_EQ(o.value("number").toInt(), 7);
    EXPECT_EQ(o.value("time").toString(), "2002/06/01 12:00:05");
    EXPECT_DOUBLE_EQ(o.value("voltR").toDouble(), 3.0);
    EXPECT_FALSE(o.contains("voltT"));
    EXPECT_DOUBLE_EQ(o.value("temp2").toDouble(), 25.5);
    EXPECT_TRUE(o.value("leak1").isNull());
    EXPECT_EQ(o.size(), 2 + 15);
}

TEST(PublishDiscovery, OneRetainedConfigPerPresentItem)
{
    Fixture f;
    const MqttTopics topics = mqttTopics(QStringLiteral("board 1"), QString());
    EXPECT_EQ(topics.prefix, "quellin/board_1");
    const std::vector<MqttMessage> messages = discoveryMessages(f.ctx(), topics);
    ASSERT_EQ(messages.size(), 15u);
    const struct {
        const char* key;
        const char* deviceClass;
        const char* unit;
        const char* stateClass;
    } expected[] = {
        {"voltR", "voltage", "V", "measurement"},
        {"power", "power", "W", "measurement"},
        {"reactive", "reactive_power", "var", "measurement"},
        {"apparent", "apparent_power", "VA", "measurement"},
        {"powerFactor", "power_factor", "%", "measurement"},
        {"frequency", "frequency", "Hz", "measurement"},
        {"energy", "energy", "kWh", "total_increasing"},
        {"hours", "duration", "h", "measurement"},
        {"leak1", "current", "mA", "measurement"},
        {"temp2", "temperature", "°C", "measurement"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.key);
        const QByteArray topic = "homeassistant/sensor/board_1/" + QByteArray(e.key) + "/config";
        const auto m = std::find_if(messages.begin(), messages.end(),
                                    [&](const MqttMessage& x) { return x.topic == topic; });
        ASSERT_NE(m, messages.end());
        EXPECT_TRUE(m->retain);
        const QJsonObject o = QJsonDocument::fromJson(m->payload).object();
        EXPECT_EQ(o.value("device_class").toString(), QString::fromUtf8(e.deviceClass));
        EXPECT_EQ(o.value("unit_of_measurement").toString(), QString::fromUtf8(e.unit));
        EXPECT_EQ(o.value("state_class").toString(), e.stateClass);
        EXPECT_EQ(o.value("state_topic").toString(), "quellin/board_1/state");
        EXPECT_EQ(o.value("availability_topic").toString(), "quellin/board_1/status");
        EXPECT_EQ(o.value("value_template").toString(), QStringLiteral("{{ value_json.%1 }}").arg(e.key));
        EXPECT_EQ(o.value("unique_id").toString(), QStringLiteral("quellin_board_1_%1").arg(e.key));
        EXPECT_EQ(o.value("device").toObject().value("model").toString(), "Ver2.00");
    }
}

TEST(PublishAlarms, AnEventAStateAndABinarySensorPerRuleOfAPresentItem)
{
    Fixture f;
    const MqttTopics topics = mqttTopics(QStringLiteral("board1"), QStringLiteral("site/b1"));
    const std::vector<AlarmRule> rules = parseAlarmRules(QStringLiteral("voltT<90;leak1>30:5;temp1<-5")).rules;
    const std::vector<MqttMessage> messages = alarmDiscoveryMessages(f.ctx(), topics, rules);
    const struct {
        const char* topic;
        const char* name; // of the config; "" for a state
        const char* payload;
    } expected[] = {
        {"homeassistant/binary_sensor/board1/leak1_above/config", "漏電電流1 > 30 mA", ""},
        {"site/b1/alarm/leak1_above", "", "OFF"},
        {"homeassistant/binary_sensor/board1/temp1_below/config", "温度1 < -5 ℃", ""},
        {"site/b1/alarm/temp1_below", "", "OFF"},
    };
    ASSERT_EQ(messages.size(), std::size(expected)) << "voltage T is not present";
    for (std::size_t i = 0; i < messages.size(); ++i) {
        SCOPED_TRACE(expected[i].topic);
        EXPECT_EQ(messages[i].topic, expected[i].topic);
        EXPECT_TRUE(messages[i].retain);
        if (*expected[i].name == 0) {
            EXPECT_EQ(messages[i].payload, expected[i].payload);
            continue;
        }
        const QJsonObject o = QJsonDocument::fromJson(messages[i].payload).object();
        EXPECT_EQ(o.value("name").toString(), QString::fromUtf8(expected[i].name));
        EXPECT_EQ(o.value("state_topic").toString(), QString::fromUtf8(expected[i + 1].topic));
        EXPECT_EQ(o.value("device_class").toString(), "problem");
        EXPECT_EQ(o.value("availability_topic").toString(), "site/b1/status");
        EXPECT_EQ(o.value("device").toObject().value("model").toString(), "Ver2.00");
    }
    const AlarmEvent cleared{f.r.time(), rules[1], 29.5, false};
    EXPECT_EQ(alarmEventJson(cleared),
              "{\"alarm\":\"leak1_above\",\"direction\":\"above\",\"hold\":5,\"item\":\"leak1\","
              "\"limit\":30,\"state\":\"cleared\",\"time\":\"2002/06/01 12:00:05\",\"value\":29.5}");
}

TEST(PublishLine, OnePointWithTheRecordsOwnTime)
{
    Fixture f;
    const qint64 ns =
        QDateTime(QDate(2002, 6, 1), QTime(12, 0, 5)).toMSecsSinceEpoch() * 1000000;
    const struct {
        const char* tag;
        const char* expectedTag;
    } cases[] = {{"board_1", "board_1"}, {"a b,c=d\\", "a\\ b\\,c\\=d\\\\"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        const QByteArray line = influxLine(f.ctx(), f.r, QString::fromUtf8(c.tag));
        EXPECT_EQ(line, "quellin,meter=" + QByteArray(c.expectedTag) +
                            " voltR=3,currR=6,currT=7.5,power=9,reactive=10.5,apparent=12,"
                            "powerFactor=13.5,frequency=15,energy=16.5,hours=18,leak2=21,leak3=22.5,"
                            "temp1=24,temp2=25.5,number=7i " +
                            QByteArray::number(ns));
    }
    DataRecord empty = f.r;
    for (int col = 2; col <= 17; ++col)
        empty.setColumn(col, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(influxLine(f.ctx(), empty, "x").isEmpty()) << "a point needs a field";
}

TEST(PublishMetrics, GaugesInBaseUnitsAndCounters)
{
    Fixture f;
    MetricsState s;
    s.meter = QStringLiteral("m\"1");
    s.records = 3;
    s.linkUp = true;
    const QByteArray before = metricsText(f.ctx(), s);
    EXPECT_TRUE(before.contains("quellin_records_total{meter=\"m\\\"1\"} 3\n"));
    EXPECT_FALSE(before.contains("quellin_voltage_r_volts")) << "no values before a record";
    s.haveRecord = true;
    s.last = f.r;
    s.lastAgeSeconds = 1.5;
    const QByteArray page = metricsText(f.ctx(), s);
    const struct {
        const char* sample;
        const char* type;
    } cases[] = {
        {"quellin_link_up{meter=\"m\\\"1\"} 1\n", "gauge"},
        {"quellin_last_record_age_seconds{meter=\"m\\\"1\"} 1.5\n", "gauge"},
        {"quellin_voltage_r_volts{meter=\"m\\\"1\"} 3\n", "gauge"},
        {"quellin_energy_joules_total{meter=\"m\\\"1\"} 59400000\n", "counter"},
        {"quellin_integration_seconds{meter=\"m\\\"1\"} 64800\n", "gauge"},
        {"quellin_leakage_current_1_amperes{meter=\"m\\\"1\"} NaN\n", "gauge"},
        {"quellin_leakage_current_2_amperes{meter=\"m\\\"1\"} 0.021\n", "gauge"},
        {"quellin_temperature_2_celsius{meter=\"m\\\"1\"} 25.5\n", "gauge"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        EXPECT_TRUE(page.contains(c.sample)) << page.toStdString();
        const QByteArray name = QByteArray(c.sample).left(QByteArray(c.sample).indexOf('{'));
        EXPECT_TRUE(page.contains("# TYPE " + name + ' ' + c.type + '\n'));
    }
    EXPECT_FALSE(page.contains("quellin_voltage_t_volts"));
}

} // namespace
} // namespace quellin::test
