#pragma once
// Zooming and panning the graph's time axis, and the steps of a free time axis,
// decided without widgets: the graph window turns the wheel, drags and keys into
// these calls and draws what they give.

#include <QString>
#include <vector>

namespace quellin {

// The stretch of a data set a view shows: from start (a date value) for span
// seconds.
struct TimeView {
    double start = 0;
    long long span = 0;
    bool operator==(const TimeView&) const = default;
};

// What a view may show: the data set's first and last record and its period.
struct ZoomLimits {
    double first = 0;
    double last = 0;
    int interval = 1;
};

// Ten seconds, but never less than two periods: a shorter view would hold at
// most one record and show no curve at all.
long long shortestSpan(const ZoomLimits& limits);
// The whole data set (at least the shortest span).
long long wholeSpan(const ZoomLimits& limits);

// The view made showable: its span between the shortest and the whole data set,
// a whole number of periods, its start on a record's time within the data set so
// that it shows as much of it as its span allows.
TimeView clampView(const TimeView& view, const ZoomLimits& limits);
// The whole data set, the 全体 view.
TimeView wholeView(const ZoomLimits& limits);
// Zoomed by factor (below 1 in, above 1 out) about the time at fraction 0..1 of
// the width, which stays where it is as far as the limits allow.
TimeView zoomAbout(const TimeView& view, double fraction, double factor, const ZoomLimits& limits);
// The part between two fractions of the width (in either order).
TimeView zoomToRange(const TimeView& view, double fromFraction, double toFraction,
                     const ZoomLimits& limits);
// Moved by fraction of its span (negative: earlier).
TimeView panBy(const TimeView& view, double fraction, const ZoomLimits& limits);
// The same span ending at the newest record (while measuring).
TimeView followNewest(const TimeView& view, const ZoomLimits& limits);

// The values between two fractions of a plot's height (0 the top, in either
// order) on an axis from ymin to ymax: the new bottom and top, at least a
// millionth of the axis apart.
struct ValueRange {
    double ymin = 0;
    double ymax = 0;
    bool operator==(const ValueRange&) const = default;
};
ValueRange zoomValueRange(double ymin, double ymax, double fromFraction, double toFraction);

// The step between the lines of a free time axis and what its labels show.
enum class TimeUnit { Seconds, Minutes, Hours, Days };
struct TimeAxisStep {
    long long seconds = 1;
    TimeUnit unit = TimeUnit::Seconds;
    bool operator==(const TimeAxisStep&) const = default;
};
// The smallest step of 1-2-5 (and clock-like) steps from a second to years that
// puts no more than maxLines lines over span seconds.
TimeAxisStep timeAxisStep(long long span, int maxLines);
// The times of the lines strictly inside start..end: whole multiples of the step
// on the clock (minutes on the minute, days at midnight).
std::vector<double> timeAxisTicks(double start, double end, const TimeAxisStep& step);
// A label's two lines: the date where it differs from the label before (always
// on the first, previousDate < 0), the time of day as fine as the step.
struct TimeAxisLabel {
    QString date;
    QString clock;
};
TimeAxisLabel timeAxisLabel(double time, double previousTime, const TimeAxisStep& step);

} // namespace quellin
