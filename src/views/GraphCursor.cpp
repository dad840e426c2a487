#include "views/GraphCursor.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "views/ModGraph.h"

#include <algorithm>
#include <cmath>

namespace quellin {

std::optional<double> seriesValueAt(const GraphWindowState& st, int sampleInterval, int s, double t)
{
    if (s < 0 || static_cast<size_t>(s) >= st.GraphValues.size())
        return std::nullopt;
    return valueOnCurve(st.GraphTimes, st.GraphValues[static_cast<size_t>(s)], st.GraphPoints,
                        sampleInterval, t);
}

std::optional<double> valueOnCurve(std::span<const double> times, std::span<const double> values,
                                   int n, int sampleInterval, double t)
{
    if (n < 1 || times.size() <= static_cast<size_t>(n) || values.size() <= static_cast<size_t>(n))
        return std::nullopt;
    const long long at = vbdate::secondsBetween(0.0, t);
    const auto seconds = [&](int i) {
        return vbdate::secondsBetween(0.0, times[static_cast<size_t>(i)]);
    };
    // The last point at or before t (points are in time order).
    int lo = 1, hi = n, found = 0;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        if (seconds(mid) <= at) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (found == 0)
        return std::nullopt;
    const double v = values[static_cast<size_t>(found)];
    const long long from = seconds(found);
    if (from == at)
        return v;
    if (found == n)
        return std::nullopt;
    const long long span = seconds(found + 1) - from;
    const long long interval = std::max(1, sampleInterval);
    if (span > 2 * interval)
        return std::nullopt; // the curve breaks there: nothing was measured
    if (span <= 0 || span > interval)
        return v; // one missing sample: the dotted bridge at the last value
    const double next = values[static_cast<size_t>(found + 1)];
    return v + (next - v) * static_cast<double>(at - from) / static_cast<double>(span);
}

QString seriesValueText(const Catalog& cat, int s, double value)
{
    switch (seriesKind(s)) {
    case SeriesKind::Normal: {
        const ScaleLabelFormat f = scaleLabelFormat(cat, s);
        return Format(value / f.divisor, f.format);
    }
    default:
        return Format(value, QStringLiteral("0.0"));
    }
}

CursorReadout cursorReadout(const GraphWindowState& st, const DataSet& data, const Catalog& cat,
                            double x, double plotWidth, const QStringList* names)
{
    CursorReadout out;
    if (st.GraphPoints < 2 || !(plotWidth > 0))
        return out;
    const int interval = std::max(1, data.SampleInterval());
    const long long slots = graphSlotCount(st.GraphStart, st.GraphEnd, interval);
    const long long positions = std::max<long long>(slots, st.GraphPoints);
    if (positions < 2)
        return out;
    const double dx = plotWidth / static_cast<double>(positions - 1);
    const long long k = std::clamp<long long>(std::llround(x / dx), 0, positions - 1);
    out.valid = true;
    out.x = static_cast<double>(k) * dx;
    out.time = vbdate::addSeconds(st.GraphStart, k * interval);
    out.timeText = Format(out.time, QStringLiteral("yyyy/mm/dd hh:mm:ss"));
    for (int s = 0; s <= std::min(cat.SeriesLast, kMaxSeries - 1); ++s) {
        if (!flagAt(cat.SeriesShown, s))
            continue;
        const auto v = seriesValueAt(st, data.SampleInterval(), s, out.time);
        const QString name = names ? names->value(s) : shownSeriesName(cat, s);
        out.readings.push_back({s, name + QLatin1Char(' ') +
                                       (v && !std::isnan(*v) ? seriesValueText(cat, s, *v)
                                                         : TX("－")) +
                                       QLatin1Char(' ') + seriesUnitText(cat, s)});
    }
    return out;
}

} // namespace quellin
