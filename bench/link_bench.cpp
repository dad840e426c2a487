// The receive path for one measured-data line: framing, queueing, upper-casing and
// dispatching the 134-character "RML" line to the measured-data handler.

#include "TestContext.h"
#include "link/LinkInput.h"
#include "link/Sequencer.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quellin;

class NullTransport : public LinkTransport {
public:
    bool isOpen() const override { return true; }
    void write(const QByteArray&) override {}
};
class NullTimer : public LinkTimer {
public:
    void start() override { active = true; }
    void startFor(int) override { active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    bool active = false;
};
class CountingSink : public MeasuredDataSink {
public:
    void handleMeasuredLine(const QString& rest) override { chars += rest.size(); }
    qsizetype chars = 0;
};

struct Bench {
    Bench()
    {
        ctx.app.Measuring = true;
        seq.endExchange();
        clients.measured = &sink;
    }
    test::TestContext t;
    Context& ctx = *t.ctx;
    NullTransport transport;
    NullTimer timer;
    CountingSink sink;
    LinkClients clients;
    Sequencer seq{ctx, transport, timer, clients};
    LinkInput input{seq};
};

// "RML" + 131 characters of hexadecimal fields, then the carriage return.
QByteArray measuredLine()
{
    QByteArray line = "RML";
    const char hex[] = "0123456789ABCDEF";
    for (int i = 0; i < 131; ++i)
        line.append(hex[(i * 7) % 16]);
    line.append('\r');
    return line;
}

void BM_FrameAndDispatchMeasuredLine(benchmark::State& state)
{
    Bench b;
    const QByteArray line = measuredLine();
    for (auto _ : state)
        b.input.bytesReceived(line);
    benchmark::DoNotOptimize(b.sink.chars);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameAndDispatchMeasuredLine);

// The same line arriving a few bytes per read, as a serial port delivers it.
void BM_FrameAndDispatchMeasuredLineInChunks(benchmark::State& state)
{
    Bench b;
    const QByteArray line = measuredLine();
    const int chunk = static_cast<int>(state.range(0));
    for (auto _ : state)
        for (int at = 0; at < line.size(); at += chunk)
            b.input.bytesReceived(
                QByteArrayView(line).sliced(at, std::min<qsizetype>(chunk, line.size() - at)));
    benchmark::DoNotOptimize(b.sink.chars);
}
BENCHMARK(BM_FrameAndDispatchMeasuredLineInChunks)->Arg(8)->Arg(32);

void BM_DispatchMeasuredLine(benchmark::State& state)
{
    Bench b;
    const QString line = QString::fromLatin1(measuredLine().chopped(1));
    for (auto _ : state)
        b.seq.dispatch(static_cast<int>(line.size()), line);
    benchmark::DoNotOptimize(b.sink.chars);
}
BENCHMARK(BM_DispatchMeasuredLine);

} // namespace

BENCHMARK_MAIN();
