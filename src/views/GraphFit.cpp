#include "views/GraphFit.h"

#include "base/MeasuredItems.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quellin {

namespace {

constexpr int kBands = 10;
constexpr double kZeroNearShare = 0.25;
constexpr int kMostDecimals = 6;
// Far beyond any reading; keeps the step search finite for absurd values.
constexpr double kLargestMagnitude = 1e15;

// The smallest step of 1, 2 or 5 times a power of ten that is at least raw.
double stepAtLeast(double raw)
{
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * decade >= raw * (1 - 1e-12))
            return m * decade;
    return 10 * decade;
}

double nextStep(double step)
{
    const double decade = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double m = step / decade;
    if (m < 1.5)
        return 2 * decade;
    if (m < 3.5)
        return 5 * decade;
    return 10 * decade;
}

enum class Anchor { Zero, ZeroOnTop, Centre };

// Ten bands of a 1-2-5 step, bounds on multiples of the step, holding lo..hi:
// from zero, up to zero, or with the spare bands shared above and below (but
// not across zero when the values keep to one side of it).
FittedRange bandsHolding(double lo, double hi, Anchor anchor)
{
    double step = stepAtLeast((hi - lo) / kBands);
    for (;;) {
        // A bound that is a multiple of the step already (zero, an earlier
        // range) must not slip a step outwards through a rounding error.
        const double nLo = std::floor(lo / step + 1e-9);
        const double nHi = std::ceil(hi / step - 1e-9);
        if (nHi - nLo <= kBands) {
            double n = nLo;
            if (anchor == Anchor::ZeroOnTop)
                n = nHi - kBands;
            else if (anchor == Anchor::Centre) {
                n = nLo - std::floor((kBands - (nHi - nLo)) / 2);
                if (nLo >= 0)
                    n = std::max(n, 0.0);
                if (nHi <= 0)
                    n = std::min(n, -static_cast<double>(kBands));
            }
            return {n * step, (n + kBands) * step, step};
        }
        step = nextStep(step);
    }
}

} // namespace

std::optional<FittedRange> fitRange(double lo, double hi, bool keepZero, double margin)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi)
        return std::nullopt;
    lo = std::clamp(lo, -kLargestMagnitude, kLargestMagnitude);
    hi = std::clamp(hi, -kLargestMagnitude, kLargestMagnitude);
    bool zeroBelow = false, zeroAbove = false;
    if (keepZero) {
        const double largest = std::max(std::abs(lo), std::abs(hi));
        const double gap = lo > 0 ? lo : (hi < 0 ? -hi : 0);
        if (gap <= kZeroNearShare * largest) {
            zeroBelow = lo >= 0;
            zeroAbove = hi <= 0;
            lo = std::min(lo, 0.0);
            hi = std::max(hi, 0.0);
        }
    }
    double spread = hi - lo;
    if (spread <= 0)
        spread = lo != 0 ? std::abs(lo) / 10 : 1;
    if (spread == hi - lo) {
        if (!zeroBelow)
            lo -= margin * spread;
        if (!zeroAbove)
            hi += margin * spread;
    } else {
        // A single value: centred in its spread (zero stays the bottom or top;
        // zero alone reads upwards).
        if (zeroBelow && zeroAbove) {
            hi = spread;
            zeroAbove = false;
        } else {
            lo = zeroBelow ? lo : lo - spread / 2;
            hi = zeroAbove ? hi : hi + spread / 2;
        }
    }
    const Anchor anchor = zeroBelow ? Anchor::Zero : (zeroAbove ? Anchor::ZeroOnTop : Anchor::Centre);
    return bandsHolding(lo, hi, anchor);
}

std::optional<FittedRange> grownRange(const FittedRange& before, double lo, double hi,
                                      bool keepZero)
{
    const auto fresh = fitRange(lo, hi, keepZero);
    if (!fresh)
        return std::nullopt;
    // Both are ten bands already: their union needs no further margin.
    return fitRange(std::min(before.ymin, fresh->ymin), std::max(before.ymax, fresh->ymax), false,
                    0.0);
}

std::optional<ValueExtent> valueExtent(const std::vector<double>& values, int n)
{
    std::optional<ValueExtent> out;
    const int last = std::min(n, static_cast<int>(values.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        const double v = values[static_cast<size_t>(i)];
        if (!std::isfinite(v))
            continue;
        if (!out)
            out = ValueExtent{v, v};
        out->lo = std::min(out->lo, v);
        out->hi = std::max(out->hi, v);
    }
    return out;
}

bool fitKeepsZero(int s)
{
    if (s < 0 || s >= kMaxSeries)
        return false;
    if (seriesKind(s) == SeriesKind::Leakage)
        return true;
    const int c = seriesColumn(s);
    return c == column::kActivePower || c == column::kReactivePower ||
           c == column::kApparentPower || c == column::kEnergy;
}

QString FittedLabels::pattern() const
{
    return decimals > 0 ? QStringLiteral("0.") + QString(decimals, QLatin1Char('0'))
                        : QStringLiteral("0");
}

FittedLabels fittedLabels(double ymin, double ymax, bool unitTakesPrefix)
{
    FittedLabels out;
    const double largest = std::max(std::abs(ymin), std::abs(ymax));
    if (unitTakesPrefix && largest > 0) {
        struct Prefix {
            double divisor;
            const char* text;
        };
        static constexpr std::array<Prefix, 5> kPrefixes = {
            {{1e9, "G"}, {1e6, "M"}, {1e3, "K"}, {1, ""}, {1e-3, "m"}}};
        out.divisor = 1e-3;
        out.prefix = QStringLiteral("m");
        for (const Prefix& p : kPrefixes)
            if (largest >= p.divisor) {
                out.divisor = p.divisor;
                out.prefix = QString::fromLatin1(p.text);
                break;
            }
    }
    const double step = (ymax - ymin) / kBands / out.divisor;
    if (step > 0 && std::isfinite(step))
        out.decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0,
                                  kMostDecimals);
    return out;
}

} // namespace quellin
