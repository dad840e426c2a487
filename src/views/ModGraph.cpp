#include "views/ModGraph.h"

#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "views/GraphFit.h"
#include "views/ModGraphWalk.h"

#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

constexpr int kLastScale = kLastScaleIndex;
constexpr double kPowerFactorMin = -12.5;
constexpr double kPowerFactorMax = 112.5;

// Tick label divisor and format by scale index (the unit prefix of the title
// says which power of ten the labels are in).
struct ScaleLabel {
    double divisor;
    const char* format;
};
constexpr ScaleLabel kScaleLabels[kLastScale + 1] = {
    {1, "0.000"},  {1, "0.00"},    {1, "0.0"},    {1e3, "0.000"}, {1e3, "0.00"},
    {1e3, "0.0"},  {1e6, "0.000"}, {1e6, "0.00"}, {1e6, "0.0"},   {1e9, "0.000"},
    {1e9, "0.00"}, {1e9, "0.0"},   {1e9, "0"}};

template <class T> T at(const std::vector<T>& v, int i, T fallback)
{
    return (i >= 0 && static_cast<size_t>(i) < v.size()) ? v[static_cast<size_t>(i)] : fallback;
}

QString at(const QStringList& v, int i)
{
    return (i >= 0 && i < v.size()) ? v[i] : QString();
}

} // namespace

long long graphSlotCount(double graphStart, double graphEnd, int sampleInterval)
{
    const int interval = std::max(1, sampleInterval);
    const double seconds = static_cast<double>(vbdate::secondsBetween(graphStart, graphEnd));
    return static_cast<long long>(std::nearbyint(seconds / interval + 1.0));
}

GridDivision gridDivision(long long slots)
{
    const long long t = slots;
    // The first divisor n of t (searching down) with fewer than six divisions.
    auto search = [t](long long from, long long to) -> long long {
        for (long long n = from; n >= to; --n)
            if (t % n == 0 && t / n < 6)
                return n;
        return 0;
    };
    GridDivision g;
    if (t >= 1 && t <= 60) {
        if (const long long n = search(60, 1))
            g.lines = static_cast<int>(t / n - 1);
    } else if (t >= 61 && t <= 3600) {
        if (const long long n = search(3600, 61))
            g.lines = static_cast<int>(t / n);
    } else if (t >= 3601 && t <= 108000) {
        if (const long long n = search(10800, 3601))
            g.lines = static_cast<int>(t / n);
    }
    g.per = t / (g.lines + 1);
    return g;
}

std::vector<double> gridLabelTimes(double graphStart, int sampleInterval, GridDivision grid)
{
    const long long interval = std::max(1, sampleInterval);
    std::vector<double> times;
    times.reserve(static_cast<size_t>(std::max(0, grid.lines)));
    double t = graphStart;
    for (int d = 1; d <= grid.lines; ++d) {
        t = vbdate::addSeconds(t, interval * grid.per);
        times.push_back(t);
    }
    return times;
}

namespace {

bool takesPrefix(int s)
{
    return s >= 0 && s < kMaxSeries && seriesItem(s).decimalPrefix;
}

} // namespace

QString shownSeriesName(const Catalog& cat, int s)
{
    return (s >= 0 && s < cat.SeriesNames.size()) ? txText(cat.SeriesNames[s]) : QString();
}

QStringList shownSeriesNames(const Catalog& cat)
{
    QStringList names;
    for (const QString& name : cat.SeriesNames)
        names << txText(name);
    return names;
}

QString seriesUnitText(const Catalog& cat, int s)
{
    const QString unit = at(cat.SeriesUnits, s);
    if (!takesPrefix(s))
        return unit;
    if (flagAt(cat.SeriesFitted, s))
        return fittedLabels(at(cat.SeriesYMin, s, 0.0), at(cat.SeriesYMax, s, 0.0), true).prefix +
               unit;
    const int k = std::clamp(at(cat.SeriesScale, s, 0), 0, kLastScale);
    return at(cat.UnitPrefixes, k) + unit;
}

ScaleLabelFormat scaleLabelFormat(int scale)
{
    // An index outside the table (a hand-edited setting) reads as the nearest step.
    const ScaleLabel& l = kScaleLabels[std::clamp(scale, 0, kLastScale)];
    return {l.divisor, QString::fromLatin1(l.format)};
}

ScaleLabelFormat scaleLabelFormat(const Catalog& cat, int s)
{
    if (flagAt(cat.SeriesFitted, s)) {
        const FittedLabels f =
            fittedLabels(at(cat.SeriesYMin, s, 0.0), at(cat.SeriesYMax, s, 0.0), takesPrefix(s));
        return {f.divisor, f.pattern()};
    }
    return scaleLabelFormat(at(cat.SeriesScale, s, 0));
}

QString tickLabel(const Catalog& cat, int s, int j)
{
    return tickLabel(s, at(cat.SeriesYMin, s, 0.0), at(cat.SeriesYMax, s, 0.0),
                     at(cat.SeriesScale, s, 0), j, flagAt(cat.SeriesFitted, s));
}

QString tickLabel(int s, double ymin, double ymax, int scale, int j, bool fitted)
{
    const SeriesKind kind = seriesKind(s);
    if (kind == SeriesKind::PowerFactor)
        return Format(kPowerFactorMax - j * 12.5, QStringLiteral("0.0"));
    const double top = ymax;
    const double step = (top - ymin) / 10.0;
    double value = top - j * step;
    // A label that should read zero may come out a rounding error below it, which
    // the format would show as "-0.0".
    if (std::abs(value) < std::abs(step) * 1e-9)
        value = 0;
    if (fitted) {
        const FittedLabels f = fittedLabels(ymin, ymax, takesPrefix(s));
        return Format(value / f.divisor, f.pattern());
    }
    if (kind == SeriesKind::Leakage)
        return Format(value, QStringLiteral("0.0"));
    if (kind == SeriesKind::Temperature)
        return Format(value, QStringLiteral("0"));
    const ScaleLabelFormat f = scaleLabelFormat(scale);
    return Format(value / f.divisor, f.format);
}

double tickLabelX(double barWidth)
{
    constexpr double kDesignedWidth = 1020;
    constexpr double kDesignedX = 440;
    constexpr double kTitleColumnEnd = 270;
    return std::clamp(kDesignedX - (kDesignedWidth - barWidth), kTitleColumnEnd, kDesignedX);
}

double barTitleTop(double barHeight, double plotHeight, int nameLength)
{
    if (barHeight >= plotHeight)
        return std::floor(barHeight / 2) - 600;
    const double lines = std::max(nameLength, 0) + 1.0;
    return std::max(0.0, std::floor((barHeight - 220 * lines) / 2));
}

bool barTitleStacked(const QString& name)
{
    // Kana, kanji and the full-width forms all lie from U+2E80 on.
    return name.isEmpty() ||
           std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 0x2E80; });
}

int turnedTitleLines(double widthTwips, double barHeight, double plotHeight)
{
    constexpr double kLine = 220;
    // A full-height bar's title starts at a fixed place; in a band it is centred.
    const double top = barHeight >= plotHeight ? barTitleTop(barHeight, plotHeight, 0) : 0.0;
    const int room = static_cast<int>(std::floor((barHeight - top) / kLine)) - 1;
    const int needed = static_cast<int>(std::ceil(std::max(widthTwips, 0.0) / kLine));
    return std::max(1, std::min(needed, room));
}

bool tickInBar(int j, double step, double offset, double height)
{
    const double y = j * step;
    return y >= offset && y < offset + height;
}

SeriesAxis seriesAxis(const Catalog& cat, int s)
{
    const SeriesKind kind = seriesKind(s);
    if (kind == SeriesKind::PowerFactor)
        return {kPowerFactorMin, kPowerFactorMax, at(cat.SeriesScale, s, 0)};
    // Leakage and temperature ranges are not decades: their values are never scaled.
    const bool decades = kind == SeriesKind::Normal;
    return {at(cat.SeriesYMin, s, 0.0), at(cat.SeriesYMax, s, 0.0),
            decades ? at(cat.SeriesScale, s, 0) : 0};
}

double ChgValue(Services& svc, int scale, double ymax, double value)
{
    return trapped(
        svc, "ChgValue", 0.0,
        [&] {
            (void)scale; // the cap is the same for every scale step
            if (!std::isfinite(value) || !std::isfinite(ymax))
                throw VbError(ErrorNumber::Overflow, TX("オーバーフローしました。"));
            return std::min(value, 2.0 * ymax);
        },
        ReportTo::StatusBar);
}

double valueToY(double height, double ymin, double ymax, double value)
{
    return height * (ymax - value) / (ymax - ymin);
}

bool bfGraph_Abs(Services& svc, const Catalog& cat, GraphWindowState& window)
{
    return trapped(
        svc, "bfGraph_Abs", false,
        [&] {
            GraphWindowState& st = window;
            for (const int r : cat.AbsSeries) {
                if (r < 0 || r > cat.SeriesLast || !at(cat.SeriesShown, r, false) ||
                    st.GraphPoints < 2)
                    continue;
                if (static_cast<size_t>(r) >= st.GraphValues.size() ||
                    st.GraphValues[static_cast<size_t>(r)].size() <=
                        static_cast<size_t>(st.GraphPoints))
                    throw VbError(ErrorNumber::Subscript,
                                  TX("インデックスが有効範囲にありません。"));
                auto& values = st.GraphValues[static_cast<size_t>(r)];
                for (int u = 1; u <= st.GraphPoints; ++u)
                    if (values[static_cast<size_t>(u)] < 0)
                        values[static_cast<size_t>(u)] = -values[static_cast<size_t>(u)];
            }
            return true;
        },
        ReportTo::StatusBar);
}

std::vector<PlotSegment> plotSegments(const std::vector<long long>& pointSeconds,
                                      const std::vector<double>& ys, int n,
                                      const PlotGeometry& geometry)
{
    std::vector<PlotSegment> out;
    n = std::min({n, static_cast<int>(pointSeconds.size()) - 1, static_cast<int>(ys.size()) - 1});
    if (n < 2 || geometry.width <= 0)
        return out;
    const long long m = n <= geometry.slots ? geometry.slots : n;
    const double dx = geometry.width / static_cast<double>(m - 1);
    graphwalk::walk(pointSeconds.data(), ys.data(), n, dx, std::max(1, geometry.sampleInterval),
                    geometry.width + dx,
                    [&](double x1, double y1, double x2, double y2, bool dotted) {
                        out.push_back({x1, y1, x2, y2, dotted});
                    });
    return out;
}

} // namespace quellin
