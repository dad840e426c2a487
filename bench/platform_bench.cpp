// Speed of the text readers on the hot paths: one date and a dozen numbers per
// measured-data line, one date and up to eighteen numbers per CSV line.
#include "platform/Format.h"
#include "platform/VbDate.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

void BM_ParseDateTime(benchmark::State& state)
{
    const QString text = QStringLiteral("2002/06/01 10:00:05");
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::vbdate::parse(text));
}
BENCHMARK(BM_ParseDateTime);

void BM_ParseDateRefused(benchmark::State& state)
{
    const QString text = QStringLiteral("2002/06/31 10:00:05");
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::vbdate::parse(text));
}
BENCHMARK(BM_ParseDateRefused);

void BM_ParseNumberScientific(benchmark::State& state)
{
    const QString text = QStringLiteral("1.234E+3");
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::vbdate::parseNumber(text));
}
BENCHMARK(BM_ParseNumberScientific);

void BM_ParseNumberPlain(benchmark::State& state)
{
    const QString text = QStringLiteral("230.4");
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::vbdate::parseNumber(text));
}
BENCHMARK(BM_ParseNumberPlain);

void BM_ParseNumberRefused(benchmark::State& state)
{
    const QString text = QStringLiteral("12abc");
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::vbdate::parseNumber(text));
}
BENCHMARK(BM_ParseNumberRefused);

void BM_FormatScientific(benchmark::State& state)
{
    const QString pattern = QStringLiteral("0.000E+0");
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::Format(1234.5, pattern));
}
BENCHMARK(BM_FormatScientific);

void BM_FormatDate(benchmark::State& state)
{
    const QString pattern = QStringLiteral("yyyy/mm/dd hh:mm:ss");
    for (auto _ : state)
        benchmark::DoNotOptimize(quellin::Format(37408.4167, pattern));
}
BENCHMARK(BM_FormatDate);

} // namespace

BENCHMARK_MAIN();
