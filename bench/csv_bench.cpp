// Speed of saving and loading a full data set as a CSV data file: 32,767
// records of a version-2 meter with every column present and switched on.
#include "BenchSupport.h"
#include "Catalogue.h"
#include "TestContext.h"
#include "platform/VbDate.h"
#include "store/CsvFile.h"
#include "store/CsvLoad.h"
#include "store/CsvSave.h"

#include <QFile>
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
        test::props(ctx).DataWiring = 2;
        test::props(ctx).ColumnPresent.assign(kMaxColumns, true);
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
        if (!LoadDataFile(data.ctx, data.savedFile) ||
            data.ctx.dataSet().RecordCount() != kMaxRecords)
            state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadDataFile)->Unit(benchmark::kMillisecond)->Repetitions(7);

// The same data set as a spreadsheet saves it back: LF line ends, the time
// unquoted with one-digit month and day, and a column of the user's own after
// it (the slower roads of the time and the field reading).
void BM_LoadSpreadsheetFile(benchmark::State& state)
{
    FullDataSet data;
    if (!SaveDataFile(data.ctx, data.savedFile)) {
        state.SkipWithError("save failed");
        return;
    }
    QFile file(data.savedFile);
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("saved file unreadable");
        return;
    }
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    for (qsizetype i = 2; i < lines.size(); ++i) {
        QByteArray& line = lines[i];
        line.replace("\r", "").replace("\"2002/06/0", "2002/6/").replace("\"", "");
        const qsizetype afterTime = line.indexOf(',', line.indexOf(',') + 1);
        if (afterTime > 0)
            line.insert(afterTime, i == 2 ? QByteArray(",memo") : QByteArray(",1"));
    }
    const QString sheet = data.t.path(QStringLiteral("sheet.csv"));
    QFile out(sheet);
    if (!out.open(QIODevice::WriteOnly) || out.write(lines.join('\n')) < 0) {
        state.SkipWithError("sheet not written");
        return;
    }
    out.close();
    for (auto _ : state) {
        if (!LoadDataFile(data.ctx, sheet) || data.ctx.dataSet().RecordCount() != kMaxRecords)
            state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadSpreadsheetFile)->Unit(benchmark::kMillisecond)->Repetitions(7);

} // namespace

BENCHMARK_MAIN();
