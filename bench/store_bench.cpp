// Speed of the store's readers on a full TMP.DAT (32,767 records at one-second
// steps): the list page the display cycle reads every second and the graph
// window for a one-hour window at the newest records and a one-day window over
// everything.
#include "BenchSupport.h"
#include "Catalogue.h"
#include "TestContext.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quellin;

// A program folder of its own holding a full store, as after a measurement of
// 32,767 one-second samples on a version-2 meter.
struct FullStore {
    FullStore()
    {
        test::giveTestCatalogue(ctx, 2);
        bench::fillFullStore(ctx, timeOf, [](int i, int c) { return i * 0.5 + c; });
    }
    static double timeOf(int second) { return vbdate::addSeconds(37408.0, second); }

    test::TestContext t;
    Context& ctx = *t.ctx;
};

void BM_LoadListPageNewest(benchmark::State& state)
{
    FullStore store;
    const int top = store.ctx.dataSet().RecordCount() - 14;
    for (auto _ : state) {
        LoadListPage(store.ctx, top);
        benchmark::DoNotOptimize(store.ctx.listPage().Rows[14].number);
    }
}
BENCHMARK(BM_LoadListPageNewest)->Unit(benchmark::kMicrosecond);

// The page of a list window tall enough for 40 rows.
void BM_LoadListPageNewest40Rows(benchmark::State& state)
{
    FullStore store;
    store.ctx.listPage().setRowCount(40);
    const int top = store.ctx.dataSet().RecordCount() - 40;
    for (auto _ : state) {
        LoadListPage(store.ctx, top);
        benchmark::DoNotOptimize(store.ctx.listPage().Rows[40].number);
    }
}
BENCHMARK(BM_LoadListPageNewest40Rows)->Unit(benchmark::kMicrosecond);

void graphWindow(benchmark::State& state, int startSecond, int hani)
{
    FullStore store;
    store.ctx.app.GraphXHani = hani;
    test::props(store.ctx).FirstTime = FullStore::timeOf(0);
    test::props(store.ctx).LastTime = FullStore::timeOf(kMaxRecords - 1);
    store.ctx.graphWindow().GraphStart = FullStore::timeOf(startSecond);
    SetGraphWindow(store.ctx, 0);
    for (auto _ : state) {
        LoadGraphWindow(store.ctx);
        benchmark::DoNotOptimize(store.ctx.graphWindow().GraphPoints);
    }
    state.counters["points"] = store.ctx.graphWindow().GraphPoints;
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
    store.ctx.dataSet().OpenTmpForAppend();
    DataRecord r;
    r.setTime(FullStore::timeOf(kMaxRecords));
    for (auto _ : state) {
        // Rewrites the same position so the file stays the size of a full store.
        test::props(store.ctx).RecordCount = kMaxRecords;
        store.ctx.dataSet().AppendRecord(r);
    }
    store.ctx.dataSet().CloseTmp();
}
BENCHMARK(BM_AppendRecord)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
