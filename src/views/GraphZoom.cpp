#include "views/GraphZoom.h"

#include "platform/Format.h"
#include "platform/VbDate.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quellin {

namespace {

constexpr long long kShortestSeconds = 10;
constexpr long long kDay = 86400;

long long period(const ZoomLimits& l)
{
    return std::max(1, l.interval);
}

// Seconds from the first record to t, and back.
long long offsetOf(const ZoomLimits& l, double t)
{
    return vbdate::secondsBetween(l.first, t);
}

long long roundToPeriods(long long seconds, long long p)
{
    return (seconds + p / 2) / p * p;
}

// A view given as its offset from the first record, in seconds.
TimeView fromOffsets(long long offset, long long span, const ZoomLimits& l)
{
    const long long p = period(l);
    span = std::clamp(roundToPeriods(span, p), shortestSpan(l), wholeSpan(l));
    // On a record's time, so that the points fall on the plot's positions; the
    // latest start still reaches the last record.
    const long long rest = std::max(0LL, offsetOf(l, l.last) - span);
    const long long latest = (rest + p - 1) / p * p;
    offset = std::clamp(roundToPeriods(offset, p), 0LL, latest);
    return {vbdate::addSeconds(l.first, offset), span};
}

long long dayNumber(double t)
{
    return static_cast<long long>(std::floor(t + 0.5 / kDay));
}

} // namespace

long long shortestSpan(const ZoomLimits& limits)
{
    const long long p = period(limits);
    return std::max(kShortestSeconds + (p - kShortestSeconds % p) % p, 2 * p);
}

long long wholeSpan(const ZoomLimits& limits)
{
    const long long p = period(limits);
    const long long all = offsetOf(limits, limits.last);
    return std::max(shortestSpan(limits), (all + p - 1) / p * p);
}

TimeView clampView(const TimeView& view, const ZoomLimits& limits)
{
    return fromOffsets(offsetOf(limits, view.start), view.span, limits);
}

TimeView wholeView(const ZoomLimits& limits)
{
    return fromOffsets(0, wholeSpan(limits), limits);
}

TimeView zoomAbout(const TimeView& view, double fraction, double factor, const ZoomLimits& limits)
{
    if (!std::isfinite(fraction) || !std::isfinite(factor) || factor <= 0)
        return clampView(view, limits);
    fraction = std::clamp(fraction, 0.0, 1.0);
    const TimeView from = clampView(view, limits);
    const long long p = period(limits);
    long long span = std::llround(static_cast<double>(from.span) * factor);
    span = std::clamp(roundToPeriods(span, p), shortestSpan(limits), wholeSpan(limits));
    // A step too small to change a whole period still changes the view.
    if (span == from.span && factor < 1)
        span = std::max(shortestSpan(limits), from.span - p);
    else if (span == from.span && factor > 1)
        span = std::min(wholeSpan(limits), from.span + p);
    const double anchor = static_cast<double>(offsetOf(limits, from.start)) +
                          fraction * static_cast<double>(from.span);
    const auto offset = std::llround(anchor - fraction * static_cast<double>(span));
    return fromOffsets(offset, span, limits);
}

TimeView zoomToRange(const TimeView& view, double fromFraction, double toFraction,
                     const ZoomLimits& limits)
{
    const TimeView from = clampView(view, limits);
    const double a = std::clamp(std::min(fromFraction, toFraction), 0.0, 1.0);
    const double b = std::clamp(std::max(fromFraction, toFraction), 0.0, 1.0);
    const double begin =
        static_cast<double>(offsetOf(limits, from.start)) + a * static_cast<double>(from.span);
    const long long span = std::llround((b - a) * static_cast<double>(from.span));
    // Too narrow a rectangle keeps its middle in the middle of the shortest view.
    const long long shown = std::max(span, shortestSpan(limits));
    const auto offset = std::llround(begin - static_cast<double>(shown - span) / 2);
    return fromOffsets(offset, shown, limits);
}

TimeView panBy(const TimeView& view, double fraction, const ZoomLimits& limits)
{
    const TimeView from = clampView(view, limits);
    if (!std::isfinite(fraction))
        return from;
    const auto shift = std::llround(fraction * static_cast<double>(from.span));
    return fromOffsets(offsetOf(limits, from.start) + shift, from.span, limits);
}

TimeView followNewest(const TimeView& view, const ZoomLimits& limits)
{
    const TimeView from = clampView(view, limits);
    return fromOffsets(offsetOf(limits, limits.last) - from.span, from.span, limits);
}

ValueRange zoomValueRange(double ymin, double ymax, double fromFraction, double toFraction)
{
    const double top = std::clamp(std::min(fromFraction, toFraction), 0.0, 1.0);
    const double bottom = std::clamp(std::max(fromFraction, toFraction), 0.0, 1.0);
    const double range = ymax - ymin;
    if (!std::isfinite(range) || !(range > 0))
        return {ymin, ymax};
    ValueRange out{ymax - bottom * range, ymax - top * range};
    const double least = range * 1e-6;
    if (out.ymax - out.ymin < least) {
        const double middle = (out.ymax + out.ymin) / 2;
        out = {middle - least / 2, middle + least / 2};
    }
    return out;
}

TimeAxisStep timeAxisStep(long long span, int maxLines)
{
    struct Step {
        long long seconds;
        TimeUnit unit;
    };
    static constexpr std::array<Step, 27> kSteps{{
        {1, TimeUnit::Seconds},       {2, TimeUnit::Seconds},       {5, TimeUnit::Seconds},
        {10, TimeUnit::Seconds},      {15, TimeUnit::Seconds},      {30, TimeUnit::Seconds},
        {60, TimeUnit::Minutes},      {120, TimeUnit::Minutes},     {300, TimeUnit::Minutes},
        {600, TimeUnit::Minutes},     {900, TimeUnit::Minutes},     {1800, TimeUnit::Minutes},
        {3600, TimeUnit::Hours},      {2 * 3600, TimeUnit::Hours},  {3 * 3600, TimeUnit::Hours},
        {6 * 3600, TimeUnit::Hours},  {12 * 3600, TimeUnit::Hours}, {kDay, TimeUnit::Days},
        {2 * kDay, TimeUnit::Days},   {5 * kDay, TimeUnit::Days},   {10 * kDay, TimeUnit::Days},
        {20 * kDay, TimeUnit::Days},  {50 * kDay, TimeUnit::Days},  {100 * kDay, TimeUnit::Days},
        {200 * kDay, TimeUnit::Days}, {500 * kDay, TimeUnit::Days}, {1000 * kDay, TimeUnit::Days},
    }};
    const long long lines = std::max(1, maxLines);
    for (const Step& s : kSteps)
        if (span / s.seconds <= lines)
            return {s.seconds, s.unit};
    return {kSteps.back().seconds, kSteps.back().unit};
}

std::vector<double> timeAxisTicks(double start, double end, const TimeAxisStep& step)
{
    std::vector<double> ticks;
    const long long s = std::max(1LL, step.seconds);
    const long long span = vbdate::secondsBetween(start, end);
    if (span <= 0 || span / s > 1000)
        return ticks;
    // Sub-day steps count from the midnight of the start's day, day steps from
    // the epoch's.
    const long long day = dayNumber(start);
    const long long into = vbdate::secondsBetween(static_cast<double>(day), start);
    const long long base = step.unit == TimeUnit::Days ? day % (s / kDay) * kDay : 0;
    for (long long k = (into + base) / s;; ++k) {
        const long long at = k * s - base - into;
        if (at >= span)
            break;
        if (at > 0)
            ticks.push_back(vbdate::addSeconds(start, at));
    }
    return ticks;
}

TimeAxisLabel timeAxisLabel(double time, double previousTime, const TimeAxisStep& step)
{
    TimeAxisLabel label;
    if (previousTime < 0 || dayNumber(previousTime) != dayNumber(time))
        label.date = Format(time, QStringLiteral("yyyy/mm/dd"));
    switch (step.unit) {
    case TimeUnit::Seconds:
        label.clock = Format(time, QStringLiteral(" hh:mm:ss"));
        break;
    case TimeUnit::Minutes:
    case TimeUnit::Hours:
        label.clock = Format(time, QStringLiteral(" hh:mm"));
        break;
    case TimeUnit::Days:
        break;
    }
    return label;
}

} // namespace quellin
