// quellin-cli measuring, two ways.
//
// BM_CliLinePath: the work the program does for one measured-data line, in this
// process: the bytes framed and dispatched, the line decoded, the record
// appended to TMP.DAT and the PC log line written and flushed (a one-second
// period, so every line), as quellin-cli's measurement runs it; with Arg 1 the
// record is also written as a JSON line (--jsonl) to /dev/null.
//
// BM_CliMeasureTenThousandLines: quellin-cli as it runs on a small logger: a process of its own
// against the virtual meter, 10,000 measured-data lines at the simulator's
// fastest rate with every line stored in TMP.DAT and written to the PC log (a
// one-second period), until the meter's "STP" ends the run. Reported from the
// process's own accounting (wait4): the CPU time per line (user + system, the
// start-up and the stop included) and the peak resident memory.

#include "Catalogue.h"
#include "MeterSim.h"
#include "TestContext.h"
#include "cli/CliConsole.h"
#include "cli/CliRecordText.h"
#include "link/LinkInput.h"
#include "link/Sequencer.h"
#include "main/MeasurementRun.h"
#include "publish/RecordJson.h"
#include "store/ModFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <bit>
#include <cstdint>

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

using quellin::test::MeterSim;

constexpr int kLines = 10000;

using namespace quellin;

class NullTransport : public LinkTransport {
public:
    bool isOpen() const override { return true; }
    void write(const QByteArray&) override {}
};
class NullTimer : public LinkTimer {
public:
    void start() override {}
    void startFor(int) override {}
    void stop() override {}
    bool isActive() const override { return false; }
};

QString hex(float v)
{
    return QStringLiteral("%1")
        .arg(std::bit_cast<std::uint32_t>(v), 8, 16, QLatin1Char('0'))
        .toUpper();
}

void BM_CliLinePath(benchmark::State& state)
{
    int argc = 1;
    char name[] = "cli_bench";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv); // the run's one-second timers
    test::TestContext t;
    t.clock.value = 37408.5;
    Context& ctx = *t.ctx;
    test::giveTestCatalogue(ctx, 2);
    ctx.app.LogingTime = 1;
    std::FILE* devNull = state.range(0) ? std::fopen("/dev/null", "w") : nullptr;
    NullTransport transport;
    NullTimer timer;
    LinkClients clients;
    Sequencer seq(ctx, transport, timer, clients);
    LinkInput input(seq);
    // The measurement as quellin-cli has it: nothing shown, each line's record to
    // the JSON output when asked.
    MeasurementView noWindow;
    MeasurementRun run(ctx, noWindow, seq);
    if (devNull)
        QObject::connect(&run, &MeasurementRun::lineHandled, &run, [&](const DataRecord& record) {
            writeLine(devNull, recordJson(ctx, record));
        });
    clients.measured = &run.measuredData();
    // The meter's status at the start: three-phase three-wire.
    seq.startMeasurementRequest();
    seq.dispatch(6, QStringLiteral("RMD200"));
    run.KeisokuStart();
    seq.endExchange();
    if (!run.beginPcLogging(t.path(QStringLiteral("log.csv")))) {
        state.SkipWithError("the log did not open");
        return;
    }
    const QByteArray line =
        (QStringLiteral("RML0000") + hex(201.5f) + ',' + hex(199.25f) + ',' + hex(12.5f) + ',' +
         hex(11.75f) + ',' + hex(3987.5f) + ',' + hex(91.5f) + ',' + hex(50.02f) +
         QStringLiteral(",2002/06/01 12:34:56,") + hex(1.5f) + ',' + hex(2.25f) + ',' + hex(0.75f) +
         ',' + hex(24.5f) + ',' + hex(31.0f) + QLatin1Char('\r'))
            .toLatin1();
    for (auto _ : state)
        input.bytesReceived(line);
    if (ctx.dataSet().RecordCount() != static_cast<int>(state.iterations()) ||
        run.measureState().LogLineCount != static_cast<int>(state.iterations()))
        state.SkipWithError("the lines were not stored and logged");
    state.counters["records"] = ctx.dataSet().RecordCount();
    run.stopPcLogging();
    ctx.dataSet().CloseTmp();
    if (devNull)
        std::fclose(devNull);
}
// 30,000 lines: each one is also a record of TMP.DAT (it holds 32,768).
BENCHMARK(BM_CliLinePath)->Arg(0)->Arg(1)->Iterations(30000)->Unit(benchmark::kMicrosecond);

struct ChildRun {
    int status = -1;
    rusage usage{};
};

ChildRun runCli(const std::vector<std::string>& args, const std::string& home)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("QUELLIN_HOME=", 0) != 0)
            env.emplace_back(*e);
    env.push_back("QUELLIN_HOME=" + home);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(QUELLIN_CLI));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    ChildRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, QUELLIN_CLI, nullptr, nullptr, argv.data(), envp.data()) != 0)
        return run;
    wait4(pid, &run.status, 0, &run.usage);
    return run;
}

double seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Arg 1: with all three outputs on: MQTT to a real broker, InfluxDB to a port
// nobody listens on (its points pile up to their bound: the most memory the
// outputs take), and the metrics page.
void BM_CliMeasureTenThousandLines(benchmark::State& state)
{
    const bool outputs = state.range(0) == 1;
    QTemporaryDir brokerDir;
    QProcess broker;
    const quint16 mqttPort = freePort();
    if (outputs) {
        QFile conf(brokerDir.filePath("mosquitto.conf"));
        if (!conf.open(QIODevice::WriteOnly)) {
            state.SkipWithError("no broker configuration");
            return;
        }
        conf.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\n")
                       .arg(mqttPort)
                       .toUtf8());
        conf.close();
        broker.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), conf.fileName()});
        if (!broker.waitForStarted(5000)) {
            state.SkipWithError("mosquitto did not start (scripts/setup.sh installs it)");
            return;
        }
        QThread::msleep(300);
    }
    for (auto _ : state) {
        MeterSim sim;
        if (!sim.start(
                {"--rate", "1000", "--stp-after", QString::number(kLines), "--version", "2"})) {
            state.SkipWithError("the simulator did not start");
            return;
        }
        QTemporaryDir home;
        std::vector<std::string> args = {"measure",
                                         "--port",
                                         sim.device().toStdString(),
                                         "--log",
                                         home.filePath("log.csv").toStdString(),
                                         "--interval",
                                         "1",
                                         "--quiet"};
        if (outputs)
            for (const std::string& a :
                 {std::string("--mqtt"), "mqtt://127.0.0.1:" + std::to_string(mqttPort),
                  std::string("--influx"),
                  "http://127.0.0.1:" + std::to_string(freePort()) + "/write?db=bench",
                  std::string("--metrics"), std::to_string(freePort())})
                args.push_back(a);
        const ChildRun run = runCli(args, home.path().toStdString());
        if (!WIFEXITED(run.status) || WEXITSTATUS(run.status) != 0) {
            state.SkipWithError("quellin-cli did not end well");
            return;
        }
        const int lines = static_cast<int>(sim.measuredLines().size());
        const double cpu = seconds(run.usage.ru_utime) + seconds(run.usage.ru_stime);
        state.SetIterationTime(cpu);
        state.counters["lines"] = lines;
        state.counters["cpu_us_per_line"] = cpu * 1e6 / std::max(lines, 1);
        state.counters["max_rss_MB"] = static_cast<double>(run.usage.ru_maxrss) / 1024.0;
    }
    if (outputs) {
        broker.kill();
        broker.waitForFinished(3000);
    }
}
BENCHMARK(BM_CliMeasureTenThousandLines)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
