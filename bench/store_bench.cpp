// Speed of the store's readers on a full TMP.DAT (32,767 records at one-second
// steps): the list page the display cycle reads every second and the graph
// window for a one-hour window at the newest records and a one-day window over
// everything.
#include "app/Context.h"
#include "platform/VbDate.h"
#include "settings/ModRegistry.h"
#include "store/ModFile.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

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

// A program folder of its own holding a full store, as after a measurement of
// 32,767 one-second samples on a version-2 meter.
struct FullStore {
    FullStore()
    {
        ctx.app.AppFolder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
        ctx.app.HardVersion = 2;
        ctx.cat.ColumnLast = 17;
        ctx.cat.SeriesLast = 13;
        ResetStore(ctx);
        OpenTmpForAppend(ctx);
        for (int i = 0; i < kMaxRecords; ++i) {
            DataRecord r;
            r.number = i;
            r.setTime(timeOf(i));
            for (int c = 2; c < kMaxColumns; ++c)
                r.setColumn(c, i * 0.5 + c);
            AppendRecord(ctx, r);
        }
        CloseTmp(ctx);
    }
    static double timeOf(int second) { return vbdate::addSeconds(37408.0, second); }

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
};

void BM_LoadListPageNewest(benchmark::State& state)
{
    FullStore store;
    const int top = store.ctx.store.RecordCount - 14;
    for (auto _ : state) {
        LoadListPage(store.ctx, top);
        benchmark::DoNotOptimize(store.ctx.store.ListPage[14].number);
    }
}
BENCHMARK(BM_LoadListPageNewest)->Unit(benchmark::kMicrosecond);

void graphWindow(benchmark::State& state, int startSecond, int hani)
{
    FullStore store;
    store.ctx.app.GraphXHani = hani;
    store.ctx.store.FirstTime = FullStore::timeOf(0);
    store.ctx.store.LastTime = FullStore::timeOf(kMaxRecords - 1);
    store.ctx.store.GraphStart = FullStore::timeOf(startSecond);
    SetGraphWindow(store.ctx, 0);
    for (auto _ : state) {
        LoadGraphWindow(store.ctx);
        benchmark::DoNotOptimize(store.ctx.store.GraphPoints);
    }
    state.counters["points"] = store.ctx.store.GraphPoints;
}

void BM_LoadGraphWindowHourAtEnd(benchmark::State& state)
{
    graphWindow(state, kMaxRecords - 3600, 2);
}
BENCHMARK(BM_LoadGraphWindowHourAtEnd)->Unit(benchmark::kMicrosecond);

void BM_LoadGraphWindowDayOverAll(benchmark::State& state)
{
    graphWindow(state, 0, 3);
}
BENCHMARK(BM_LoadGraphWindowDayOverAll)->Unit(benchmark::kMicrosecond);

void BM_AppendRecord(benchmark::State& state)
{
    FullStore store;
    OpenTmpForAppend(store.ctx);
    DataRecord r;
    r.setTime(FullStore::timeOf(kMaxRecords));
    for (auto _ : state) {
        // Rewrites the same position so the file stays the size of a full store.
        store.ctx.store.RecordCount = kMaxRecords;
        AppendRecord(store.ctx, r);
    }
    CloseTmp(store.ctx);
}
BENCHMARK(BM_AppendRecord)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
