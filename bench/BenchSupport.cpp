#include "BenchSupport.h"

#include "store/ModFile.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace quellin::bench {

void fillFullStore(Context& ctx, const std::function<double(int record)>& timeOf,
                   const std::function<double(int record, int column)>& valueOf)
{
    ResetStore(ctx);
    ctx.dataSet().OpenTmpForAppend();
    for (int i = 0; i < kMaxRecords; ++i) {
        DataRecord r;
        r.number = i;
        r.setTime(timeOf(i));
        for (int c = 2; c < kMaxColumns; ++c)
            r.setColumn(c, valueOf(i, c));
        ctx.dataSet().AppendRecord(r);
    }
    ctx.dataSet().CloseTmp();
}

int runPaintingBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quellin::bench
