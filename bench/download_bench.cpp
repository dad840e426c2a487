// Downloads from the meter's logging memory.
//
// BM_DownloadRecvV2IntoFullStore: one version-2 record line as Download_Recv takes
// it, with 32,000 records of the download already in TMP.DAT (decoded, computed,
// appended and flushed).
//
// BM_DownloadFromMeter32767: a whole 32,767-record measurement (four blocks)
// downloaded from the virtual meter at its fastest rate through the program's
// core: port, framing, sequencer, the download exchange, Download_Recv, and the
// data set prepared for list and graph. "program_cpu_s" is the CPU time of the
// program's process alone (getrusage; the meter is a process of its own).

#include "Catalogue.h"
#include "MeterSim.h"
#include "TestContext.h"
#include "dialogs/MemoryCommands.h"
#include "link/FrmComm.h"
#include "link/MemoryExchange.h"
#include "main/DownloadReception.h"
#include "store/ModFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <bit>
#include <cstdint>

namespace {

using namespace quellin;

QString hex(float v)
{
    return QStringLiteral("%1")
        .arg(std::bit_cast<std::uint32_t>(v), 8, 16, QLatin1Char('0'))
        .toUpper();
}

void BM_DownloadRecvV2IntoFullStore(benchmark::State& state)
{
    test::TestContext t;
    Context& ctx = *t.ctx;
    test::giveTestCatalogue(ctx, 2);
    const MemoryBlockInfo block{2, 0, QStringLiteral("2024/05/14 08:30"), 50.02, 9999};
    const DownloadPlanResult planned = planDownload({block}, 0);
    DownloadCounts counts;
    prepareDownload(ctx, counts, *planned.plan);
    const QString line = QStringLiteral("1234") + hex(201.5f) + ',' + hex(199.25f) + ',' +
                         hex(12.5f) + ',' + hex(11.75f) + ',' + hex(3987.5f) + ',' + hex(91.5f) +
                         ',' + hex(1.5f) + ',' + hex(2.25f) + ',' + hex(0.75f) + ',' + hex(24.5f) +
                         ',' + hex(31.0f);
    constexpr int kStored = 32000;
    for (int k = 0; k < kStored; ++k)
        Download_Recv(ctx, counts, line);
    if (ctx.dataSet().RecordCount() != kStored)
        state.SkipWithError("the store was not filled");
    for (auto _ : state) {
        // The line lands at record 32,001 every time.
        test::props(ctx).RecordCount = kStored;
        counts.RecordCounter = kStored;
        Download_Recv(ctx, counts, line);
        benchmark::ClobberMemory();
    }
    if (ctx.dataSet().RecordCount() != kStored + 1 || counts.Skipped != 0)
        state.SkipWithError("the line was not stored");
    ctx.dataSet().CloseTmp();
}
BENCHMARK(BM_DownloadRecvV2IntoFullStore)->Unit(benchmark::kMicrosecond);

// The main window and the download dialog without windows.
class Headless : public MainWindowClient, public DownloadDialogClient {
public:
    explicit Headless(Context& ctx) : ctx_(ctx) {}
    void KeisokuStart() override {}
    void KeisokuEnd() override {}
    void KeisokuEnd_Req() override {}
    void clearBusyText() override {}
    void linkLost() override { failed = true; }
    void Download_Recv(const QString& text) override
    {
        quellin::Download_Recv(ctx_, counts, text);
    }
    void DispDownload() override
    {
        shown = prepareDownloadedDataSet(ctx_, counts);
        finished = true;
    }
    void downloadAbandoned() override
    {
        failed = true;
        finished = true;
    }
    void setEnabled(bool) override {}
    void unload() override {}
    void DispMemory(const ExchangeReplies& answers) override
    {
        replies = answers;
        listed = true;
    }
    void showSingleLine(const QString&) override { failed = true; }
    void disableDownload() override { failed = true; }

    ExchangeReplies replies;
    bool listed = false;
    bool finished = false;
    bool shown = false;
    bool failed = false;
    DownloadCounts counts;

private:
    Context& ctx_;
};

bool runUntil(const bool& flag, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!flag && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return flag;
}

double processCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void BM_DownloadFromMeter32767(benchmark::State& state)
{
    test::MeterSim sim;
    if (!sim.start({"--version", "2", "--download-baud", "0", "--memory-add",
                    "2,0,2024/01/01 00:00,32767", "--log", "/dev/null"})) {
        state.SkipWithError("the virtual meter did not start");
        return;
    }
    qputenv("QUELLIN_COM1", sim.device().toLocal8Bit());
    test::TestContext t;
    Context& ctx = *t.ctx;
    test::giveTestCatalogue(ctx, 2);
    LinkClients clients;
    FrmComm comm(ctx, clients);
    MemoryExchange memory(clients);
    Headless headless(ctx);
    clients.main = &headless;
    clients.memoryExchange = &memory;
    memory.attach(&headless);
    if (!comm.openPort()) {
        state.SkipWithError("the port did not open");
        return;
    }
    startDownloadList(comm.sequencer());
    if (!runUntil(headless.listed, 10000)) {
        state.SkipWithError("the memory list was not read");
        return;
    }
    const DownloadPlanResult planned = planDownload(memoryBlocksFrom(headless.replies), 0);
    if (!planned.plan || planned.plan->requested != 32767) {
        state.SkipWithError("no plan for 32,767 records");
        return;
    }
    double cpu = 0;
    for (auto _ : state) {
        headless.finished = headless.shown = false;
        const double before = processCpuSeconds();
        startDownload(ctx, headless.counts, comm.sequencer(), *planned.plan);
        runUntil(headless.finished, 120000);
        cpu += processCpuSeconds() - before;
        if (!headless.shown || headless.failed || ctx.dataSet().RecordCount() != 32767) {
            state.SkipWithError("the download did not complete");
            break;
        }
    }
    state.counters["program_cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
    comm.closePort();
    qunsetenv("QUELLIN_COM1");
}
BENCHMARK(BM_DownloadFromMeter32767)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
