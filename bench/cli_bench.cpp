// quellin-cli measuring as it runs on a small logger: a process of its own
// against the virtual meter, 10,000 measured-data lines at the simulator's
// fastest rate with every line stored in TMP.DAT and written to the PC log (a
// one-second period), until the meter's "STP" ends the run. Reported from the
// process's own accounting (wait4): the CPU time per line (user + system, the
// start-up and the stop included) and the peak resident memory.

#include "MeterSim.h"

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

void BM_CliMeasureTenThousandLines(benchmark::State& state)
{
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
}
BENCHMARK(BM_CliMeasureTenThousandLines)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
