// One measured-data line as the handler takes it during a long measurement: a
// version-2 line on three-phase wiring, with 32,000 records already in TMP.DAT,
// PC logging on at a one-second period (so every line is decoded, appended to
// TMP.DAT, written to the log file and flushed) and the value panel shown.

#include "app/Context.h"
#include "link/MeasuredData.h"
#include "main/PcLogging.h"
#include "platform/Services.h"
#include "settings/ModRegistry.h"
#include "store/ModFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <bit>
#include <cstdint>

namespace {

using namespace quellin;

class NoMessages : public MessageBoxService {
public:
    MsgAnswer show(const MessageRequest&) override { return MsgAnswer::Ok; }
};
class NoFiles : public FileDialogService {
public:
    QString openFile(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
};
class NoSleep : public SleepService {
public:
    void sleep(int) override {}
    void processEvents() override {}
};
class NoPointer : public PointerService {
public:
    void setPointer(int) override {}
};
class FixedClock : public Clock {
public:
    double now() const override { return 37408.5; }
};
class Panel2 : public StatusPanel {
public:
    void setPanelText(int panel, const QString& text) override { texts[panel & 3] = text; }
    QString panelText(int panel) const override { return texts[panel & 3]; }
    QString texts[4];
};

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
    QTemporaryDir dir;
    NoMessages msg;
    NoFiles files;
    NoSleep sleep;
    NoPointer pointer;
    FixedClock clock;
    Panel2 status;
    Services services{msg, files, sleep, pointer, clock, status};
    SettingsStore settings(dir.filePath(QStringLiteral("Quellin.ini")), msg);
    Context ctx(services, settings);
    ctx.app.AppFolder = dir.path() + QDir::separator();
    ctx.app.HardVersion = 2;
    ctx.app.LogingTime = 1;
    ctx.app.Measuring = true;
    ctx.link.WiringMode = 2;
    ctx.cat.ColumnLast = 17;
    for (int c = 0; c <= 17; ++c)
        ctx.cat.ColumnTitles << QStringLiteral("c%1").arg(c);
    ctx.cat.LogColumns.assign(18, true);
    ctx.cat.ColumnOn.assign(18, true);
    ctx.store.ColumnPresent.assign(18, true);
    ctx.store.PeakWatts = -9999.9;

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
    ctx.store.RecordCount = 32000;
    ctx.store.NextRecordNumber = 32000;
    OpenTmpForAppend(ctx);
    openPcLogFile(ctx, dir.filePath(QStringLiteral("log.csv")));
    ctx.app.PcLogging = true;
    ctx.meas.FirstSampleSeen = true;

    Host host;
    MeasuredData handler(ctx, host);
    const QString rest = QStringLiteral("0000") + hex(201.5f) + ',' + hex(199.25f) + ',' +
                         hex(12.5f) + ',' + hex(11.75f) + ',' + hex(3987.5f) + ',' + hex(91.5f) +
                         ',' + hex(50.02f) + QStringLiteral(",2002/06/01 12:34:56,") + hex(1.5f) +
                         ',' + hex(2.25f) + ',' + hex(0.75f) + ',' + hex(24.5f) + ',' + hex(31.0f);

    for (auto _ : state) {
        handler.handleMeasuredLine(rest);
        benchmark::ClobberMemory();
    }
    if (host.failed || ctx.store.RecordCount <= 32000)
        state.SkipWithError("the line was not stored and logged");
    state.counters["records"] = ctx.store.RecordCount;
    closePcLogFile(ctx);
    CloseTmp(ctx);
}
BENCHMARK(BM_MeasuredLineWithPcLogging)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
