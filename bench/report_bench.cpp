// The survey report over a full store (32,767 one-minute records of a
// version-2 meter, every column present): the analysis, the workbook and the
// PDF report of all of it.

#include "BenchSupport.h"
#include "TestContext.h"
#include "Catalogue.h"
#include "analysis/SurveyAnalysis.h"
#include "analysis/SurveyWorkbook.h"
#include "platform/VbDate.h"
#include "print/PrintFiles.h"
#include "print/ReportPages.h"

#include <QFile>
#include <QImage>
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
        // Every item present, as a version-2 meter records them, a minute apart.
        DataSetProperties& p = test::DataSetAccess::properties(ctx.dataSet());
        p.ColumnPresent.assign(kMaxColumns, true);
        p.SampleInterval = 60;
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

void BM_PdfReportOfAFullStore(benchmark::State& state)
{
    FullStore store;
    const SurveyResult r = analyseDataSet(store.ctx.dataSet(), {}, 30);
    const QString path = store.t.path(QStringLiteral("report.pdf"));
    int pages = 0;
    for (auto _ : state) {
        ReportSection report(store.ctx.cat, 2, store.ctx.dataSet(), *r.figures,
                             reportHeading(store.ctx.app, store.ctx.dataSet()), 45500.5, store.t.services);
        const FileWriteResult written = writePdfFile(path, {&report}, reportTitleText());
        if (!written.ok())
            state.SkipWithError(written.error.toStdString().c_str());
        QImage device(1, 1, QImage::Format_RGB32);
        const int dpi = kPdfResolution;
        pages = report.pageCount(device, {QSizeF(report.pageLayout().paintRectPixels(dpi).size()), double(dpi)});
    }
    state.counters["bytes"] = double(QFile(path).size());
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PdfReportOfAFullStore)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace quellin

// The PDF sets texts in fonts, which need the GUI application.
int main(int argc, char** argv)
{
    return quellin::bench::runPaintingBenchmarks(argc, argv);
}
