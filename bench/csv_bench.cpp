// Speed of saving and loading a full data set as a CSV data file: 32,767
// records of a version-2 meter with every column present and switched on.
#include "app/Context.h"
#include "platform/VbDate.h"
#include "settings/ModRegistry.h"
#include "store/CsvFile.h"
#include "store/ModFile.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <cmath>

namespace {

using namespace quellin;

class SilentBox : public MessageBoxService {
public:
    MsgAnswer show(const MessageRequest&) override { return MsgAnswer::Ok; }
};
class NoDialogs : public FileDialogService {
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
    double now() const override { return 37408.0; }
};
class NoStatus : public StatusPanel {
public:
    void setPanelText(int, const QString&) override {}
    QString panelText(int) const override { return {}; }
};

// A program folder of its own with a full data set of plausible readings.
struct FullDataSet {
    FullDataSet()
    {
        ctx.app.AppFolder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
        ctx.app.HardVersion = 2;
        ctx.cat.ColumnLast = 17;
        ctx.cat.SeriesLast = 13;
        const char16_t* const titles[kMaxColumns] = {
            u"番号",           u"時刻",          u"電圧Ｒ(V)",     u"電圧Ｔ(V)",
            u"電流Ｒ(A)",      u"電流Ｔ(A)",     u"有効電力(W)",   u"無効電力(Var)",
            u"皮相電力(VA)",   u"力率(%)",       u"周波数(Hz)",    u"積算電力(kWh)",
            u"積算時間(時間)", u"漏電電流1(mA)", u"漏電電流2(mA)", u"漏電電流3(mA)",
            u"温度1(℃)",       u"温度2(℃)"};
        for (const char16_t* t : titles)
            ctx.cat.ColumnTitles << QString::fromUtf16(t);
        ctx.cat.ColumnOn.assign(kMaxColumns, true);
        ResetStore(ctx);
        ctx.store.DataWiring = 2;
        ctx.store.ColumnPresent.assign(kMaxColumns, true);
        OpenTmpForAppend(ctx);
        for (int i = 0; i < kMaxRecords; ++i) {
            DataRecord r;
            r.number = i;
            r.setTime(vbdate::addSeconds(37408.0, i));
            const double wave = std::sin(i * 0.01);
            const double base[kMaxColumns] = {0,          0,    101.3, 100.8, 12.25, 11.75,
                                              2450,       -310, 2470,  99.2,  60.01, i / 1468.0,
                                              i / 3600.0, 1.2,  0.4,   3.3,   25.5,  31};
            for (int c = 2; c < kMaxColumns; ++c)
                r.setColumn(c, static_cast<float>(base[c] * (1 + 0.05 * wave)));
            AppendRecord(ctx, r);
        }
        CloseTmp(ctx);
        savedFile = dir.filePath(QStringLiteral("full.csv"));
    }

    QTemporaryDir dir;
    SilentBox msg;
    NoDialogs files;
    NoSleep sleeper;
    NoPointer pointer;
    FixedClock clock;
    NoStatus status;
    Services services{msg, files, sleeper, pointer, clock, status};
    SettingsStore settings{dir.filePath(QStringLiteral("Quellin.ini")), msg};
    Context ctx{services, settings};
    QString savedFile;
};

void BM_SaveDataFile(benchmark::State& state)
{
    FullDataSet data;
    for (auto _ : state)
        if (!SaveDataFile(data.ctx, data.savedFile))
            state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveDataFile)->Unit(benchmark::kMillisecond)->Repetitions(7);

void BM_LoadDataFile(benchmark::State& state)
{
    FullDataSet data;
    if (!SaveDataFile(data.ctx, data.savedFile)) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        if (!LoadDataFile(data.ctx, data.savedFile) || data.ctx.store.RecordCount != kMaxRecords)
            state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadDataFile)->Unit(benchmark::kMillisecond)->Repetitions(7);

} // namespace

BENCHMARK_MAIN();
