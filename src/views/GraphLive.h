#pragma once
// The graph while a measurement runs, decided without windows: the time window
// follows the newest record until the user pages back (and again once the user
// pages to the newest window), and the series whose Y scale the user never chose
// are fitted to the measurement's first points, as after a load, and widened
// whenever the values leave their range.

#include "base/Context.h"

#include <optional>
#include <vector>

namespace quellin {

// Seconds of one window step for GraphXHani 1, 2, 3 (a minute, an hour, a day);
// 0 for any other value, which leaves the window where it is.
long long graphStepSeconds(int graphXHani);

// The start of the followed window of GraphXHani's span: the span before the
// newest record, so that the window ends at it, but never before the first
// record (a young measurement fills its first window from the left). nullopt
// for a GraphXHani that names no span.
std::optional<double> slidingStart(double firstTime, double newest, int graphXHani);

// Following after the user paged: on when the window reaches the newest record
// (it ends at or after it), off when it ends before it.
bool followsAfterPaging(double graphEnd, double newest);

// The display cycle's window: while measuring and following, slid on to end at
// LastTime (slidingStart); otherwise recomputed where it is (SetGraphWindow(0)).
void stepLiveWindow(Context& ctx);

// Following after the time-axis dialog during a measurement: a start left as the
// dialog showed it only changes the span and keeps following as it was; an
// edited start follows when its window reaches the newest record.
bool followsAfterScaleX(bool following, bool startEdited, double graphEnd, double newest);

// The user paged the window (−1 earlier, +1 later): the window moves as
// SetGraphWindow says, and following is on only when the new window reaches the
// newest record.
void pageGraphWindow(Context& ctx, int direction);

// The first scale is due once the measurement's window holds two points (the
// first curve the user sees).
bool firstScaleDue(bool pending, int graphPoints);

// Series the first scale sets: those whose Y scale the user has not chosen
// (power factor has a fixed axis and is never scaled).
std::vector<bool> seriesForFirstScale(const Catalog& cat);

// When due: fits the series of seriesForFirstScale to the loaded window's
// points and clears GraphFirstScalePending. True when it scaled.
bool applyFirstScale(Context& ctx);

// After the first scale, the series the user has not scaled whose window holds a
// value beyond their range (above its top; for fitted ranges and temperatures
// also below its bottom). A curve that grows (the integrated energy, a rising
// load) would leave the plot otherwise.
std::vector<bool> seriesOutgrowingScale(const Context& ctx);

// The display cycle's scales while measuring: the first scale when due, else the
// outgrown series' ranges widened to hold their values (never narrowed, so the
// scale does not jump about). True when a scale changed.
bool applyLiveScale(Context& ctx);

} // namespace quellin
