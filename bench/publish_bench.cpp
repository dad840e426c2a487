// Publishing one stored record: the MQTT state message and the InfluxDB point
// built and queued and the alarms evaluated, as the measurement does it for
// every record (the clients send later, on their own thread or timer); and the
// alarms alone.

#include "Catalogue.h"
#include "DataSetAccess.h"
#include "TestContext.h"
#include "measure/AlarmEvaluator.h"
#include "publish/InfluxWriter.h"
#include "publish/LineProtocol.h"
#include "publish/MqttPublisher.h"
#include "publish/RecordJson.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace quellin {
namespace {

// The alarms a board is watched for: leakage, temperatures, overload.
const QString kRules = QStringLiteral("leak1>30:5;leak2>30:5;leak3>30:5;temp1>60:60;temp2>60:60;temp1<-10;power>3000:10");

void BM_PublishOneRecord(benchmark::State& state)
{
    int argc = 1;
    char name[] = "publish_bench";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    test::TestContext t;
    Context& ctx = *t.ctx;
    test::giveTestCatalogue(ctx, 2);
    test::props(ctx).ColumnPresent.assign(kMaxColumns, true);
    DataRecord r;
    r.setTime(37408.5);
    for (int c = 2; c < kMaxColumns; ++c)
        r.setColumn(c, 100.0 + c * 1.234567);
    const MqttTopics topics = mqttTopics(QStringLiteral("board1"), QString());
    // Not started: the messages wait in the bounded queue, as while a broker is away.
    MqttPublisher mqtt(*parseMqttTarget(QStringLiteral("mqtt://127.0.0.1:1")).target, {}, topics, {});
    InfluxWriter influx(*parseInfluxTarget(QStringLiteral("http://127.0.0.1:1/write?db=x")).target, {}, {});
    AlarmEvaluator alarms(parseAlarmRules(kRules).rules);
    std::vector<AlarmEvent> events;
    for (auto _ : state) {
        ++r.number;
        r.setTime(r.time() + 1.0 / 86400);
        mqtt.publishState(recordJson(ctx, r).toUtf8());
        influx.add(influxLine(ctx, r, topics.id));
        events.clear();
        alarms.evaluate(r, presentColumns(ctx.dataSet()), events);
    }
    benchmark::DoNotOptimize(mqtt.queued());
    state.counters["mqtt_queued"] = mqtt.queued();
    state.counters["influx_pending"] = influx.pending();
}
BENCHMARK(BM_PublishOneRecord);

// Every item with both limits, the power's crossed every other record: an
// event per record at worst.
void BM_AlarmsOfOneRecord(benchmark::State& state)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, 2);
    test::props(*t.ctx).ColumnPresent.assign(kMaxColumns, true);
    QString rules;
    for (int c = 2; c < kMaxColumns; ++c)
        rules += alarmRuleText({c, AlarmDirection::Above, 1e6, 5}) + QLatin1Char(';') +
                 alarmRuleText({c, AlarmDirection::Below, -1e6, 5}) + QLatin1Char(';');
    AlarmEvaluator alarms(parseAlarmRules(rules + QStringLiteral("power>150")).rules);
    DataRecord r;
    r.setTime(37408.5);
    for (int c = 2; c < kMaxColumns; ++c)
        r.setColumn(c, 100.0 + c);
    std::vector<AlarmEvent> events;
    qint64 total = 0;
    for (auto _ : state) {
        r.setTime(r.time() + 1.0 / 86400);
        r.setColumn(6, r.column(6) > 150 ? 100 : 200);
        events.clear();
        alarms.evaluate(r, presentColumns(t.ctx->dataSet()), events);
        total += static_cast<qint64>(events.size());
    }
    benchmark::DoNotOptimize(total);
    state.counters["rules"] = static_cast<double>(alarms.rules().size());
}
BENCHMARK(BM_AlarmsOfOneRecord);

} // namespace
} // namespace quellin

BENCHMARK_MAIN();
