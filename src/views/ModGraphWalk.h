#pragma once
// The plotting walk of one series, shared by plotSegments (which collects the
// segments) and the painter (which chains them into polylines as they come).

#include <cmath>

namespace quellin::graphwalk {

// Records further apart than two storage periods leave a gap in the curve (a
// meter that fell silent, a download with skipped lines, two joined files); one
// missing record is still bridged at the last value.
inline bool breaksCurve(long long before, long long after, long long interval)
{
    return after - before > 2 * interval;
}

// ts[i]: seconds from the window start to point i; ys[i]: vertical position;
// i = 1..n. dx: width of one sample position. sink(x1, y1, x2, y2, dotted) gets
// every segment that starts at or before limitX.
template <class Sink>
void walk(const long long* ts, const double* ys, int n, double dx, long long interval,
          double limitX, Sink&& sink)
{
    if (n < 2 || interval < 1)
        return;
    // First point: step on from the window start until the cursor reaches it.
    long long cursor = 0;
    double x = 0;
    if (ts[1] > 0) {
        const long long steps = (ts[1] + interval - 1) / interval;
        cursor = steps * interval;
        x = static_cast<double>(steps) * dx;
    }
    double xp = std::nearbyint(x);
    for (int i = 2; i <= n; ++i) {
        x += dx;
        cursor += interval;
        if (breaksCurve(ts[i - 1], ts[i], interval)) {
            // Nothing was measured over the gap: no line pretends otherwise.
            const long long steps = cursor < ts[i] ? (ts[i] - cursor + interval - 1) / interval : 0;
            x += static_cast<double>(steps) * dx;
            cursor += steps * interval;
            xp = std::nearbyint(x);
            if (xp > limitX)
                return;
            continue;
        }
        if (cursor < ts[i]) {
            // Missing samples: one dotted step per sample position at the last value.
            long long steps = (ts[i] - cursor + interval - 1) / interval;
            while (steps > 0 && xp <= limitX) {
                sink(xp, ys[i - 1], x, ys[i - 1], true);
                xp = std::nearbyint(x);
                x += dx;
                cursor += interval;
                --steps;
            }
            if (steps > 0) {
                // The rest of the gap is out of sight: step over it at once.
                xp = std::nearbyint(x + static_cast<double>(steps - 1) * dx);
                x += static_cast<double>(steps) * dx;
                cursor += steps * interval;
            }
        }
        if (xp > limitX)
            return; // everything from here lies beyond the right edge
        sink(xp, ys[i - 1], x, ys[i], false);
        xp = std::nearbyint(x);
    }
}

} // namespace quellin::graphwalk
