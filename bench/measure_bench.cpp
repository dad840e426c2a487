// One measured-data line as the handler takes it during a long measurement: a
// version-2 line on three-phase wiring, with 32,000 records already in TMP.DAT,
// PC logging on at a one-second period (so every line is decoded, appended to
// TMP.DAT, written to the log file and flushed) and the value panel shown.

#include "Catalogue.h"
#include "TestContext.h"
#include "link/MeasuredData.h"
#include "main/PcLogging.h"
#include "store/ModFile.h"

#include <QFile>
#include <benchmark/benchmark.h>

#include <array>
#include <bit>
#include <cstdint>

namespace {

using namespace quellin;

class LabelPanel : public ValuePanel {
public:
    void setValue(int item, const QString& text) override { values[item] = text; }
    void setUnit(int item, const QString& text) override { units[item] = text; }
    std::array<QString, 15> values;
    std::array<QString, 15> units;
};

class Host : public MeasuredDataHost {
public:
    bool valuePanelChecked() const override { return true; }
    ValuePanel* valuePanel() override { return &panel; }
    void startDisplayTimer() override {}
    void pcLogWriteFailed(const QString&) override { failed = true; }
    void storeAppendFailed(const VbError&) override { failed = true; }
    int wiringMode() const override { return 2; }
    LabelPanel panel;
    bool failed = false;
};

QString hex(float v)
{
    return QStringLiteral("%1")
        .arg(std::bit_cast<std::uint32_t>(v), 8, 16, QLatin1Char('0'))
        .toUpper();
}

void BM_MeasuredLineWithPcLogging(benchmark::State& state)
{
    test::TestContext t;
    t.clock.value = 37408.5;
    Context& ctx = *t.ctx;
    test::giveTestCatalogue(ctx, 2);
    ctx.app.LogingTime = 1;
    ctx.app.Measuring = true;
    test::props(ctx).PeakWatts = -9999.9;

    // 32,000 records of an earlier part of the measurement.
    {
        QFile tmp(ctx.tmpDatPath());
        tmp.open(QIODevice::WriteOnly);
        DataRecord rec;
        QByteArray block;
        for (int k = 0; k < 32000; ++k) {
            rec.number = k;
            rec.setTime(37408.5 + k / 86400.0);
            block.append(reinterpret_cast<const char*>(&rec), kRecordBytes);
        }
        tmp.write(block);
    }
    test::props(ctx).RecordCount = 32000;
    test::props(ctx).NextRecordNumber = 32000;
    ctx.dataSet().OpenTmpForAppend();
    Host host;
    MeasuredData handler(ctx, host);
    handler.beginMeasurement(ctx.app.LogingTime);
    handler.beginLog(openPcLogFile(ctx, t.path(QStringLiteral("log.csv")), 2));
    const QString rest = QStringLiteral("0000") + hex(201.5f) + ',' + hex(199.25f) + ',' +
                         hex(12.5f) + ',' + hex(11.75f) + ',' + hex(3987.5f) + ',' + hex(91.5f) +
                         ',' + hex(50.02f) + QStringLiteral(",2002/06/01 12:34:56,") + hex(1.5f) +
                         ',' + hex(2.25f) + ',' + hex(0.75f) + ',' + hex(24.5f) + ',' + hex(31.0f);

    for (auto _ : state) {
        handler.handleMeasuredLine(rest);
        benchmark::ClobberMemory();
    }
    if (host.failed || ctx.dataSet().RecordCount() <= 32000)
        state.SkipWithError("the line was not stored and logged");
    state.counters["records"] = ctx.dataSet().RecordCount();
    handler.endLog();
    ctx.dataSet().CloseTmp();
}
BENCHMARK(BM_MeasuredLineWithPcLogging)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
