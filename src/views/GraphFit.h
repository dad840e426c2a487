#pragma once
// Y ranges fitted to the data: the range of a series' visible values with a
// margin, split into ten bands of a 1-2-5 step (so that every grid line carries
// a round number), and the labels such a range is written in. A fitted range
// does not start at zero unless the series counts from zero (power, energy,
// leakage) and its values come near it.

#include <QString>
#include <optional>
#include <vector>

namespace quellin {

// Ten bands: ymax = ymin + 10 × step, ymin a whole multiple of step.
struct FittedRange {
    double ymin = 0;
    double ymax = 0;
    double step = 0;
    bool operator==(const FittedRange&) const = default;
};

// The share of the values' spread added above and below them.
constexpr double kFitMargin = 0.05;

// The range for values lo..hi. keepZero: zero is taken in when the gap between
// the values and zero is at most a quarter of their largest magnitude. margin:
// the share of the spread added on each side (not on a side held at zero); a
// single value gets a spread of a tenth of its size (or 1 at zero). nullopt
// when lo or hi is not a finite number or lo > hi.
std::optional<FittedRange> fitRange(double lo, double hi, bool keepZero,
                                    double margin = kFitMargin);

// The range that holds both an earlier fitted range and new values, never
// narrower than the earlier one: a live graph whose scale shrinks and grows
// with every cycle is hard to read.
std::optional<FittedRange> grownRange(const FittedRange& before, double lo, double hi,
                                      bool keepZero);

// The smallest and largest of values[1..n] that are numbers; nullopt when none is.
struct ValueExtent {
    double lo = 0;
    double hi = 0;
};
std::optional<ValueExtent> valueExtent(const std::vector<double>& values, int n);

// Whether series s counts from zero (power, energy, leakage current).
bool fitKeepsZero(int s);

// How a fitted range's labels are written: the values divided by divisor (a
// power of a thousand; 1e-3 only for units that take a prefix), with decimals
// digits after the point, the prefix put before the unit. Series whose unit
// takes no prefix always have divisor 1 and no prefix.
struct FittedLabels {
    double divisor = 1;
    int decimals = 0;
    QString prefix;
    // The format pattern for Format ("0", "0.0", "0.00", …).
    QString pattern() const;
    bool operator==(const FittedLabels&) const = default;
};
FittedLabels fittedLabels(double ymin, double ymax, bool unitTakesPrefix);

} // namespace quellin
