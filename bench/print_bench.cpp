// Speed of the PDF of a full data set: 32,767 records of a version-2 meter, every
// column on, from TMP.DAT to the finished file with the graph page and the list
// (about a thousand landscape pages). The table alone is measured as well.
#include "BenchSupport.h"
#include "TestContext.h"
#include "catalog/ModVer.h"
#include "platform/VbDate.h"
#include "print/PrintFiles.h"
#include "print/PrintTable.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"
#include "views/GraphColours.h"
#include "views/GraphScale.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <cmath>

namespace {

using namespace quellin;

struct FullStore {
    FullStore()
    {
        ctx.app.HardVersion = 2;
        bfVer_NoCheck(ctx);
        bench::fillFullStore(
            ctx, [](int i) { return vbdate::addSeconds(37408.0, i); },
            [](int i, int c) { return 100.0 * c + 40 * std::sin(i * 0.01 * c) + i * 0.001; });
        test::props(ctx).ColumnPresent.assign(18, true);
        test::props(ctx).SampleInterval = 1;
        test::props(ctx).FirstTime = 37408.0;
        test::props(ctx).LastTime = vbdate::addSeconds(37408.0, kMaxRecords - 1);
        ctx.app.DataPresent = true;
        ctx.app.GraphXHani = 3; // one day: the whole set in the graph
        SetGraphWindow(ctx, 0);
        LoadGraphWindow(ctx);
        GraphAutoScale(ctx);
        for (int s = 0; s <= ctx.cat.SeriesLast; ++s)
            ctx.cat.SeriesShown[static_cast<size_t>(s)] = s < 5;
        // The graph window maximised on a 1366 × 768 screen: five Y bars.
        pictures.PicGraphBase = {QRect(0, 0, 1340, 560), Qt::white, Qt::black, true};
        for (int s = 0; s < 5; ++s)
            pictures.PicLeftBar[static_cast<size_t>(s)] = {
                QRect(s * 68, 6, 68, 500), Qt::white, seriesDesignColours()[static_cast<size_t>(s)],
                true};
        pictures.PicGraph = {QRect(340, 6, 990, 500), Qt::white, Qt::black, true};
        pictures.PicBottomBar = {QRect(304, 507, 1030, 40), Qt::white, Qt::black, true};
    }

    test::TestContext t;
    Context& ctx = *t.ctx;
    GraphPictures pictures;
};

void BM_PrintTableOfFullStore(benchmark::State& state)
{
    FullStore store;
    for (auto _ : state) {
        const PrintTable table = buildPrintTable(store.ctx);
        benchmark::DoNotOptimize(table.cells.data());
    }
}
BENCHMARK(BM_PrintTableOfFullStore)->Unit(benchmark::kMillisecond);

void BM_PdfOfFullStoreVersion2(benchmark::State& state)
{
    FullStore store;
    const QString path = store.t.path(QStringLiteral("full.pdf"));
    for (auto _ : state) {
        auto table = std::make_shared<const PrintTable>(buildPrintTable(store.ctx));
        const GraphScene scene = currentGraphScene(store.ctx, store.pictures);
        GraphSection graph(scene, graphSheetHead(store.ctx.dataSet(), scene), 2, store.ctx.svc);
        SpreadSection list(table, 2);
        const FileWriteResult result =
            writePdfFile(path, {&graph, &list}, QStringLiteral("計測データ"));
        if (!result.ok())
            state.SkipWithError(result.error.toUtf8().constData());
    }
    state.counters["MB"] = QFileInfo(path).size() / 1e6;
}
BENCHMARK(BM_PdfOfFullStoreVersion2)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the user waits for before the preview of a full list shows: the table,
// its pages counted, and the first page drawn for the screen.
void BM_FirstPreviewPageOfFullStore(benchmark::State& state)
{
    FullStore store;
    QPdfWriter printer(store.t.path(QStringLiteral("unused.pdf")));
    printer.setResolution(1200); // a printer's high resolution
    for (auto _ : state) {
        auto table = std::make_shared<const PrintTable>(buildPrintTable(store.ctx));
        SpreadSection list(table, 2);
        printer.setPageLayout(list.pageLayout());
        const std::vector<DocumentPage> pages = documentPages(printer, {&list});
        const QImage first = previewPageImage(printer, pages.front(), 96);
        benchmark::DoNotOptimize(first.constBits());
        state.counters["pages"] = static_cast<double>(pages.size());
    }
}
BENCHMARK(BM_FirstPreviewPageOfFullStore)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return quellin::bench::runPaintingBenchmarks(argc, argv);
}
