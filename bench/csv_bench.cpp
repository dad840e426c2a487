// Speed of saving and loading a full data set as a CSV data file: 32,767
// records of a version-2 meter with every column present and switched on.
#include "BenchSupport.h"
#include "Catalogue.h"
#include "TestContext.h"
#include "platform/VbDate.h"
#include "store/CsvFile.h"
#include "store/CsvLoad.h"
#include "store/CsvSave.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace quellin;

// A program folder of its own with a full data set of plausible readings.
struct FullDataSet {
    FullDataSet()
    {
        test::giveTestCatalogue(ctx, 2);
        bench::fillFullStore(
            ctx, [](int i) { return vbdate::addSeconds(37408.0, i); },
            [](int i, int c) {
                const double wave = std::sin(i * 0.01);
                const double base[kMaxColumns] = {0,          0,    101.3, 100.8, 12.25, 11.75,
                                                  2450,       -310, 2470,  99.2,  60.01, i / 1468.0,
                                                  i / 3600.0, 1.2,  0.4,   3.3,   25.5,  31};
                return static_cast<float>(base[c] * (1 + 0.05 * wave));
            });
        ctx.store.DataWiring = 2;
        ctx.store.ColumnPresent.assign(kMaxColumns, true);
        savedFile = t.path(QStringLiteral("full.csv"));
    }

    test::TestContext t;
    Context& ctx = *t.ctx;
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
