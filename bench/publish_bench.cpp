// Publishing one stored record: the MQTT state message and the InfluxDB point
// built and queued, as the measurement does it for every record (the clients
// send later, on their own thread or timer).

#include "Catalogue.h"
#include "DataSetAccess.h"
#include "TestContext.h"
#include "publish/InfluxWriter.h"
#include "publish/LineProtocol.h"
#include "publish/MqttPublisher.h"
#include "publish/RecordJson.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace quellin {
namespace {

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
    for (auto _ : state) {
        ++r.number;
        r.setTime(r.time() + 1.0 / 86400);
        mqtt.publishState(recordJson(ctx, r).toUtf8());
        influx.add(influxLine(ctx, r, topics.id));
    }
    benchmark::DoNotOptimize(mqtt.queued());
    state.counters["mqtt_queued"] = mqtt.queued();
    state.counters["influx_pending"] = influx.pending();
}
BENCHMARK(BM_PublishOneRecord);

} // namespace
} // namespace quellin

BENCHMARK_MAIN();
