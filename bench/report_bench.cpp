// The survey report over a full store (32,767 one-minute records of a
// version-2 meter): the analysis, and the workbook of all of it.

#include "BenchSupport.h"
#include "TestContext.h"
#include "Catalogue.h"
#include "analysis/SurveyAnalysis.h"
#include "analysis/SurveyWorkbook.h"
#include "platform/VbDate.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <cmath>

namespace quellin {
namespace {

struct FullStore {
    FullStore()
    {
        test::giveTestCatalogue(ctx, 2);
        bench::fillFullStore(ctx, [](int i) { return vbdate::addSeconds(45425.0, i * 60); },
                             [](int i, int c) { return 1000 + 500 * std::sin(i / 90.0) + c; });
    }
    test::TestContext t;
    Context& ctx = *t.ctx;
};

void BM_AnalyseFullStore(benchmark::State& state)
{
    FullStore store;
    for (auto _ : state) {
        SurveyResult r = analyseDataSet(store.ctx.dataSet(), {}, 30);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_AnalyseFullStore)->Unit(benchmark::kMillisecond);

void BM_WorkbookOfAFullStore(benchmark::State& state)
{
    FullStore store;
    const SurveyResult r = analyseDataSet(store.ctx.dataSet(), {}, 30);
    const QString path = store.t.path(QStringLiteral("report.xlsx"));
    for (auto _ : state) {
        const QString error = writeSurveyWorkbook(path, store.ctx.cat, store.ctx.dataSet(), {}, *r.figures);
        if (!error.isEmpty())
            state.SkipWithError(error.toStdString().c_str());
    }
    state.counters["bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_WorkbookOfAFullStore)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quellin

BENCHMARK_MAIN();
