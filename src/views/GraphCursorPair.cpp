#include "views/GraphCursorPair.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "views/GraphCursor.h"
#include "views/ModGraph.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quellin {

namespace {

long long secondsOf(double t)
{
    return vbdate::secondsBetween(0.0, t);
}

// The value of the points at t as the curve shows it (GraphCursor's rule).
std::optional<double> valueAt(std::span<const double> times, std::span<const double> values, int n,
                              int interval, double t)
{
    const auto v = valueOnCurve(times, values, n, interval, t);
    if (v && std::isnan(*v))
        return std::nullopt;
    return v;
}

QString timeText(double t)
{
    return Format(t, QStringLiteral("yyyy/mm/dd hh:mm:ss"));
}

QString durationText(long long seconds)
{
    const long long days = seconds / 86400;
    const double rest = static_cast<double>(seconds % 86400) / 86400.0;
    const QString clock = Format(rest, QStringLiteral("hh:mm:ss"));
    return days > 0 ? TX("%1日 %2").arg(days).arg(clock) : clock;
}

} // namespace

namespace {

// Points first..last (1-based) lie within a..b (a ≤ b); empty when first > last.
std::pair<int, int> pointsWithin(std::span<const double> times, int n, double a, double b)
{
    const long long from = secondsOf(a), to = secondsOf(b);
    const auto begin = times.begin() + 1, end = times.begin() + n + 1;
    const auto first =
        std::lower_bound(begin, end, from, [](double t, long long s) { return secondsOf(t) < s; });
    const auto after =
        std::upper_bound(begin, end, to, [](long long s, double t) { return s < secondsOf(t); });
    return {static_cast<int>(first - times.begin()), static_cast<int>(after - times.begin()) - 1};
}

SeriesBetween figuresOf(std::span<const double> times, std::span<const double> values, int n,
                        int sampleInterval, double a, double b, std::pair<int, int> within)
{
    SeriesBetween out;
    out.atFirst = valueAt(times, values, n, sampleInterval, a);
    out.atSecond = valueAt(times, values, n, sampleInterval, b);
    if (out.atFirst && out.atSecond)
        out.difference = *out.atSecond - *out.atFirst;
    double sum = 0, lo = 0, hi = 0;
    for (int i = within.first; i <= within.second; ++i) {
        const double v = values[static_cast<size_t>(i)];
        if (!std::isfinite(v))
            continue;
        lo = out.points == 0 ? v : std::min(lo, v);
        hi = out.points == 0 ? v : std::max(hi, v);
        sum += v;
        ++out.points;
    }
    if (out.points > 0) {
        out.min = lo;
        out.max = hi;
        out.mean = sum / out.points;
    }
    return out;
}

bool holds(std::span<const double> times, std::span<const double> values, int n)
{
    return n >= 1 && times.size() > static_cast<size_t>(n) &&
           values.size() > static_cast<size_t>(n);
}

} // namespace

SeriesBetween seriesBetween(std::span<const double> times, std::span<const double> values, int n,
                            int sampleInterval, double a, double b)
{
    if (!holds(times, values, n))
        return {};
    if (secondsOf(b) < secondsOf(a))
        std::swap(a, b);
    return figuresOf(times, values, n, sampleInterval, a, b, pointsWithin(times, n, a, b));
}

EnergyBetween energyBetween(const std::vector<DataRecord>& records, int sampleInterval, double a,
                            double b)
{
    EnergyBetween out;
    if (secondsOf(b) < secondsOf(a))
        std::swap(a, b);
    const long long from = secondsOf(a), to = secondsOf(b);
    const double period = std::max(1, sampleInterval);
    double watts = 0;
    for (const DataRecord& r : records) {
        const long long t = secondsOf(r.time());
        const double p = r.column(column::kActivePower);
        if (t < from || t >= to || !std::isfinite(p))
            continue;
        watts += p;
        ++out.records;
    }
    if (out.records > 0) {
        out.kWh = watts * period / 3600.0 / 1000.0;
        out.meanWatts = watts / out.records;
    }
    return out;
}

std::vector<DataRecord> recordsBetween(const DataSet& data, double a, double b)
{
    if (secondsOf(b) < secondsOf(a))
        std::swap(a, b);
    const int count = data.RecordCount();
    // The first record at or after a, then the first after b.
    const auto firstFrom = [&](long long s) {
        int lo = 1, hi = count + 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (secondsOf(data.ReadRecord(mid).time()) < s)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    };
    const int first = firstFrom(secondsOf(a));
    const int after = firstFrom(secondsOf(b) + 1);
    if (after <= first)
        return {};
    return data.ReadRecords(first, after - first);
}

CursorPairReadout cursorPairReadout(const GraphWindowState& window, const DataSet& data,
                                    const Catalog& cat, double a, double b,
                                    const EnergyBetween& energy)
{
    CursorPairReadout out;
    if (secondsOf(b) < secondsOf(a))
        std::swap(a, b);
    out.first = a;
    out.second = b;
    out.seconds = secondsOf(b) - secondsOf(a);
    out.lines << TX("カーソル1 %1").arg(timeText(a))
              << TX("カーソル2 %1").arg(timeText(b))
              << TX("Δt %1").arg(durationText(out.seconds));
    const auto text = [&](int s, const std::optional<double>& v) {
        return v ? seriesValueText(cat, s, *v) : TX("－");
    };
    const int n = window.GraphPoints;
    const std::span<const double> times = window.GraphTimes;
    const std::pair<int, int> within = n >= 1 && times.size() > static_cast<size_t>(n)
                                           ? pointsWithin(times, n, a, b)
                                           : std::pair<int, int>{1, 0};
    for (int s = 0; s <= std::min(cat.SeriesLast, kMaxSeries - 1); ++s) {
        if (!flagAt(cat.SeriesShown, s) || static_cast<size_t>(s) >= window.GraphValues.size())
            continue;
        const std::span<const double> values = window.GraphValues[static_cast<size_t>(s)];
        SeriesBetween between =
            holds(times, values, n)
                ? figuresOf(times, values, n, data.SampleInterval(), a, b, within)
                : SeriesBetween{};
        between.series = s;
        const QString name = shownSeriesName(cat, s);
        out.lines << TX("%1 %2 → %3 (差 %4) 最小 %5 平均 %6 最大 %7 %8")
                         .arg(name, text(s, between.atFirst), text(s, between.atSecond),
                              text(s, between.difference), text(s, between.min),
                              text(s, between.mean), text(s, between.max), seriesUnitText(cat, s));
        out.series.push_back(between);
    }
    out.energy = energy;
    if (out.energy.kWh)
        out.lines << TX("電力量 %1 kWh  平均電力 %2 kW")
                         .arg(Format(*out.energy.kWh, QStringLiteral("0.0000")),
                              Format(*out.energy.meanWatts / 1000.0, QStringLiteral("0.000")));
    return out;
}

} // namespace quellin
