#include "views/GraphScale.h"

#include "catalog/ModVer.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "store/DataSet.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"
#include "views/GraphLive.h"

#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

constexpr int kLastNormalStep = 12;
constexpr int kLastTenStep = 9; // leakage and temperature lists

const std::vector<double>* pointsOf(const Context& ctx, int s)
{
    const GraphWindowState& st = ctx.graphWindow();
    if (s < 0 || static_cast<size_t>(s) >= st.GraphValues.size() || st.GraphPoints < 1)
        return nullptr;
    const auto& v = st.GraphValues[static_cast<size_t>(s)];
    return v.size() > static_cast<size_t>(st.GraphPoints) ? &v : nullptr;
}

// Missing values (NaN: a record whose reading was not a number) are left out of
// the peaks; a window of nothing else gives NaN, as its first value.
double largest(const std::vector<double>& v, int n)
{
    double m = v[1];
    for (int i = 2; i <= n; ++i) {
        const double x = v[static_cast<size_t>(i)];
        if (!std::isnan(x))
            m = std::isnan(m) ? x : std::max(m, x);
    }
    return m;
}

double largestMagnitude(const std::vector<double>& v, int n)
{
    double m = v[1];
    for (int i = 2; i <= n; ++i) {
        const double x = v[static_cast<size_t>(i)];
        if (!std::isnan(x) && (std::isnan(m) || std::abs(x) > std::abs(m)))
            m = x;
    }
    return m;
}

// The first step whose top lies above peak, or the largest step.
template <class Top> int firstStepAbove(double peak, int lastStep, Top top)
{
    for (int j = 0; j <= lastStep; ++j)
        if (top(j) > peak)
            return j;
    return lastStep;
}

double decadeTop(int j, double ymin)
{
    return std::pow(10.0, j + 1) + ymin;
}

int normalStep(double peak, double ymin)
{
    return firstStepAbove(peak, kLastNormalStep, [&](int j) { return decadeTop(j, ymin); });
}
int leakageStep(double peak)
{
    return firstStepAbove(peak, kLastTenStep, [](int j) { return (j + 1) * 100.0; });
}
int temperatureStep(double peak)
{
    return firstStepAbove(std::abs(peak), kLastTenStep, [](int j) { return (j + 1) * 10.0; });
}

QString number(double v)
{
    return QString::number(v, 'g', 15);
}

} // namespace

int temperatureRangeKind(const std::vector<double>& values, int first, int last)
{
    bool positive = false, negative = false;
    for (int i = first; i <= last && static_cast<size_t>(i) < values.size(); ++i) {
        positive = positive || values[static_cast<size_t>(i)] > 0;
        negative = negative || values[static_cast<size_t>(i)] < 0;
    }
    if (positive && !negative)
        return kTempPositive;
    if (negative && !positive)
        return kTempNegative;
    return kTempSymmetric;
}

void GraphAutoScale(Context& ctx)
{
    GraphAutoScale(
        ctx, std::vector<bool>(static_cast<size_t>(std::max(ctx.cat.SeriesLast + 1, 0)), true));
}

void GraphAutoScale(Context& ctx, const std::vector<bool>& only)
{
    Catalog& cat = ctx.cat;
    const int n = ctx.graphWindow().GraphPoints;
    const int last = std::min({cat.SeriesLast, static_cast<int>(cat.SeriesScale.size()) - 1,
                               static_cast<int>(cat.SeriesYMax.size()) - 1});
    for (int s = 0; s <= last; ++s) {
        const std::vector<double>* v = pointsOf(ctx, s);
        if (!v || !flagAt(only, s))
            continue;
        // A listed step counts from the user's minimum, not from a fitted one.
        if (flagAt(cat.SeriesFitted, s)) {
            cat.SeriesFitted[static_cast<size_t>(s)] = false;
            cat.SeriesYMin[static_cast<size_t>(s)] = 0;
        }
        switch (seriesKind(s)) {
        case SeriesKind::PowerFactor:
            break;
        case SeriesKind::Leakage:
            cat.SeriesScale[static_cast<size_t>(s)] = leakageStep(largest(*v, n));
            bfKizami(ctx, s, -1);
            break;
        case SeriesKind::Temperature: {
            const int mode = temperatureRangeKind(*v, 1, n);
            cat.SeriesScale[static_cast<size_t>(s)] =
                mode * 10 + temperatureStep(largestMagnitude(*v, n));
            bfKizami(ctx, s, mode);
            break;
        }
        case SeriesKind::Normal: {
            const double ymin = cat.SeriesYMin[static_cast<size_t>(s)];
            const int j = normalStep(largest(*v, n), ymin);
            cat.SeriesScale[static_cast<size_t>(s)] = j;
            cat.SeriesYMax[static_cast<size_t>(s)] = decadeTop(j, ymin);
            break;
        }
        }
    }
}

namespace {

void setFitted(Catalog& cat, int s, bool fitted)
{
    if (cat.SeriesFitted.size() < cat.SeriesScale.size())
        cat.SeriesFitted.resize(cat.SeriesScale.size(), false);
    if (static_cast<size_t>(s) < cat.SeriesFitted.size())
        cat.SeriesFitted[static_cast<size_t>(s)] = fitted;
}

// The listed step that holds a fitted range, so that the dialog opens on it and
// the setting stored at the end is one the lists know.
int listedStepHolding(int s, const FittedRange& r)
{
    switch (seriesKind(s)) {
    case SeriesKind::Leakage:
        return leakageStep(r.ymax);
    case SeriesKind::Temperature: {
        const int mode = r.ymin >= 0 ? kTempPositive : (r.ymax <= 0 ? kTempNegative : kTempSymmetric);
        return mode * 10 + temperatureStep(std::max(std::abs(r.ymin), std::abs(r.ymax)));
    }
    default:
        return normalStep(r.ymax, 0.0);
    }
}

// The window's values of series s as the graph draws them: the series of
// AbsSeries are drawn as magnitudes (reverse power flow upwards).
std::optional<ValueExtent> drawnExtent(const Context& ctx, int s)
{
    const std::vector<double>* v = pointsOf(ctx, s);
    auto e = v ? valueExtent(*v, ctx.graphWindow().GraphPoints) : std::nullopt;
    const auto& abs = ctx.cat.AbsSeries;
    if (e && std::find(abs.begin(), abs.end(), s) != abs.end()) {
        const double hi = std::max(std::abs(e->lo), std::abs(e->hi));
        e->lo = (e->lo < 0 && e->hi > 0) ? 0.0 : std::min(std::abs(e->lo), std::abs(e->hi));
        e->hi = hi;
    }
    return e;
}

enum class Fit { Fresh, Grow };

void fitScales(Context& ctx, const std::vector<bool>& only, Fit how)
{
    Catalog& cat = ctx.cat;
    const int last = std::min({cat.SeriesLast, static_cast<int>(cat.SeriesScale.size()) - 1,
                               static_cast<int>(cat.SeriesYMin.size()) - 1,
                               static_cast<int>(cat.SeriesYMax.size()) - 1});
    for (int s = 0; s <= last; ++s) {
        if (!flagAt(only, s) || seriesKind(s) == SeriesKind::PowerFactor)
            continue;
        const auto extent = drawnExtent(ctx, s);
        if (!extent)
            continue;
        const auto i = static_cast<size_t>(s);
        const bool keepZero = fitKeepsZero(s);
        const auto range = how == Fit::Grow && flagAt(cat.SeriesFitted, s)
                               ? grownRange({cat.SeriesYMin[i], cat.SeriesYMax[i], 0}, extent->lo,
                                            extent->hi, keepZero)
                               : fitRange(extent->lo, extent->hi, keepZero);
        if (!range)
            continue;
        cat.SeriesYMin[i] = range->ymin;
        cat.SeriesYMax[i] = range->ymax;
        cat.SeriesScale[i] = listedStepHolding(s, *range);
        setFitted(cat, s, true);
    }
}

} // namespace

void fitSeriesScales(Context& ctx, const std::vector<bool>& only)
{
    fitScales(ctx, only, Fit::Fresh);
}

void growFittedScales(Context& ctx, const std::vector<bool>& only)
{
    fitScales(ctx, only, Fit::Grow);
}

std::optional<FittedRange> fittedRangeOf(const Context& ctx, int s)
{
    if (seriesKind(s) == SeriesKind::PowerFactor)
        return std::nullopt;
    const auto extent = drawnExtent(ctx, s);
    return extent ? fitRange(extent->lo, extent->hi, fitKeepsZero(s)) : std::nullopt;
}

void fitUnchosenScales(Context& ctx)
{
    const Catalog& cat = ctx.cat;
    std::vector<bool> unchosen(static_cast<size_t>(std::max(cat.SeriesLast + 1, 0)), false);
    for (int s = 0; s <= cat.SeriesLast; ++s)
        unchosen[static_cast<size_t>(s)] = !flagAt(cat.SeriesScaleChosen, s);
    fitSeriesScales(ctx, unchosen);
}

QString enterDateText()
{
    return TX("日付を入力してください。");
}

QString withinPeriodText()
{
    return TX("計測期間の範囲で設定してください。");
}

QString enterNumberText()
{
    return TX("数値を入力してください。");
}

QString fitChoiceText()
{
    return TX("データに合わせる");
}

int fitChoicePosition(SeriesKind kind)
{
    return kind == SeriesKind::Normal ? kLastNormalStep + 1 : kLastTenStep + 1;
}

QString fittedRangeText(const Context& ctx, int s)
{
    const auto range = fittedRangeOf(ctx, s);
    if (!range)
        return TX("(データなし)");
    const bool prefix = s >= 0 && s < kMaxSeries && seriesItem(s).decimalPrefix;
    const FittedLabels labels = fittedLabels(range->ymin, range->ymax, prefix);
    const QString unit = s < ctx.cat.SeriesUnits.size() ? ctx.cat.SeriesUnits[s] : QString();
    return QLatin1Char('(') + Format(range->ymin / labels.divisor, labels.pattern()) +
           TX(" ～ ") + Format(range->ymax / labels.divisor, labels.pattern()) +
           QLatin1Char(' ') + labels.prefix + unit + QLatin1Char(')');
}

QStringList scaleXChoices()
{
    return {TX("１分間  "), TX("１時間  "), TX("１日　　")};
}

ScaleXEntry checkScaleXStart(const Context& ctx, const QString& text)
{
    const auto start = vbdate::parse(text);
    if (!start)
        return {std::nullopt, enterDateText()};
    if (vbdate::secondsBetween(ctx.dataSet().FirstTime(), *start) < 0)
        return {std::nullopt, withinPeriodText()};
    return {start, {}};
}

void applyScaleX(Context& ctx, int listPosition, double start, bool startEdited)
{
    ctx.app.GraphXHani = listPosition + 1;
    GraphWindowState& window = ctx.graphWindow();
    window.GraphSpan = 0; // the span chosen in the dialog
    window.GraphStart = ctx.app.GraphXHani != 0 ? start : ctx.dataSet().FirstTime();
    SetGraphWindow(ctx, 0);
    if (ctx.app.Measuring) {
        window.GraphFollowing = followsAfterScaleX(window.GraphFollowing, startEdited,
                                                   window.GraphEnd, ctx.dataSet().LastTime());
        stepLiveWindow(ctx);
    }
    if (ctx.app.DataPresent)
        LoadGraphWindow(ctx);
}

QStringList normalScaleChoices()
{
    return {QStringLiteral("10.000  "), QStringLiteral("100.00  "), QStringLiteral("1000.0  "),
            QStringLiteral("10.000 K"), QStringLiteral("100.00 K"), QStringLiteral("1000.0 K"),
            QStringLiteral("10.000 M"), QStringLiteral("100.00 M"), QStringLiteral("1000.0 M"),
            QStringLiteral("10.000 G"), QStringLiteral("100.00 G"), QStringLiteral("1000.0 G"),
            QStringLiteral("10000  G")};
}

QStringList leakageScaleChoices()
{
    return {QStringLiteral("100.0  "), QStringLiteral("200.0  "), QStringLiteral("300.0  "),
            QStringLiteral("400.0  "), QStringLiteral("500.0  "), QStringLiteral("600.0  "),
            QStringLiteral("700.0  "), QStringLiteral("800.0  "), QStringLiteral("900.0  "),
            QStringLiteral("1000.0 ")};
}

QStringList temperatureScaleChoices(const QString& unit)
{
    QStringList list;
    for (int step = 10; step <= 90; step += 10)
        list << QString::number(step) + QStringLiteral("  ") + unit;
    list << QStringLiteral("100 ") + unit;
    return list;
}

QStringList temperatureKindChoices()
{
    return {TX("＋－"), TX("＋"), TX("－")};
}

QString scaleYRangeText(SeriesKind kind, int k, int c, const QString& listText, const QString& unit)
{
    const QString to = TX(" ～ ");
    if (kind == SeriesKind::Temperature) {
        const QString n = number((k + 1) * 10.0);
        if (c == kTempPositive)
            return QStringLiteral("(0") + to + n + unit + QLatin1Char(')');
        if (c == kTempNegative)
            return QLatin1Char('(') + number(-(k + 1) * 10.0) + to + QLatin1Char('0') + unit +
                   QLatin1Char(')');
        return QLatin1Char('(') + number(-(k + 1) * 10.0) + to + n + unit + QLatin1Char(')');
    }
    QString head;
    if (kind == SeriesKind::Leakage)
        head = TX("(0.0   ～ "); // the leakage steps read with one decimal
    else if (k >= kLastNormalStep)
        head = TX("(0     ～ ");
    else if (k % 3 == 0)
        head = TX("(0.000 ～ ");
    else if (k % 3 == 1)
        head = TX("(0.00  ～ ");
    else
        head = TX("(0.0   ～ ");
    return head + listText + QLatin1Char(')');
}

std::optional<double> scaleYImpliedMinimum(SeriesKind kind, int k, int c)
{
    switch (kind) {
    case SeriesKind::Leakage:
        return 0.0;
    case SeriesKind::Temperature:
        return c == kTempPositive ? 0.0 : -(std::clamp(k, 0, kLastTenStep) + 1) * 10.0;
    default:
        return std::nullopt;
    }
}

std::optional<QString> scaleYMinimumText(SeriesKind kind, int k, int c, const QString& minimum)
{
    const auto min = vbdate::parseNumber(minimum);
    if (!min)
        return std::nullopt;
    const QString to = TX(" ～ ");
    switch (kind) {
    case SeriesKind::Leakage:
        return QStringLiteral("( 0.0") + to + Format((k + 1) * 100.0, QStringLiteral("0.0")) +
               QStringLiteral(" )");
    case SeriesKind::Temperature: {
        const QString n = number((k + 1) * 10.0);
        if (c == kTempPositive)
            return QStringLiteral("( 0") + to + n + QStringLiteral(" )");
        if (c == kTempNegative)
            return QStringLiteral("( -") + n + to + QStringLiteral("0 )");
        return QStringLiteral("( -") + n + to + n + QStringLiteral(" )");
    }
    default:
        return QStringLiteral("( ") + Format(*min, QStringLiteral("0.0")) + to +
               Format(*min + std::pow(10.0, k + 1), QStringLiteral("0.0")) + QStringLiteral(" )");
    }
}

std::optional<ScaleYPick> autoScaleYPick(const Context& ctx, int s)
{
    const std::vector<double>* v = pointsOf(ctx, s);
    if (!v)
        return std::nullopt;
    const int n = ctx.graphWindow().GraphPoints;
    switch (seriesKind(s)) {
    case SeriesKind::Leakage:
        return ScaleYPick{0, leakageStep(largest(*v, n))};
    case SeriesKind::Temperature:
        return ScaleYPick{temperatureRangeKind(*v, 1, n), temperatureStep(largestMagnitude(*v, n))};
    case SeriesKind::PowerFactor:
        return std::nullopt;
    case SeriesKind::Normal:
        break;
    }
    const double ymin = static_cast<size_t>(s) < ctx.cat.SeriesYMin.size()
                            ? ctx.cat.SeriesYMin[static_cast<size_t>(s)]
                            : 0.0;
    return ScaleYPick{0, normalStep(largest(*v, n), ymin)};
}

bool applyScaleY(Context& ctx, int s, int k, int c, const QString& minimum)
{
    Catalog& cat = ctx.cat;
    if (s < 0 || static_cast<size_t>(s) >= cat.SeriesScale.size() ||
        static_cast<size_t>(s) >= cat.SeriesYMin.size() ||
        static_cast<size_t>(s) >= cat.SeriesYMax.size())
        return false;
    const auto i = static_cast<size_t>(s);
    const SeriesKind kind = seriesKind(s);
    if (kind != SeriesKind::PowerFactor && k == fitChoicePosition(kind)) {
        // Handed back to the automatic scales; a window without values is fitted
        // by the next measurement, load or download.
        if (i < cat.SeriesScaleChosen.size())
            cat.SeriesScaleChosen[i] = false;
        std::vector<bool> only(i + 1, false);
        only[i] = true;
        fitSeriesScales(ctx, only);
        return true;
    }
    // A scale set here is the user's: the first scale of a measurement keeps it.
    const auto chosen = [&](bool stored) {
        if (stored && i < cat.SeriesScaleChosen.size())
            cat.SeriesScaleChosen[i] = true;
        if (stored)
            setFitted(cat, s, false);
        return stored;
    };
    switch (kind) {
    case SeriesKind::Leakage:
        cat.SeriesScale[i] = std::clamp(k, 0, kLastTenStep);
        return chosen(bfKizami(ctx, s, -1));
    case SeriesKind::Temperature:
        cat.SeriesScale[i] = std::clamp(c, 0, 2) * 10 + std::clamp(k, 0, kLastTenStep);
        return chosen(bfKizami(ctx, s, std::clamp(c, 0, 2)));
    case SeriesKind::PowerFactor:
        return false;
    case SeriesKind::Normal:
        break;
    }
    const auto min = vbdate::parseNumber(minimum);
    if (!min)
        return false;
    cat.SeriesScale[i] = std::clamp(k, 0, kLastNormalStep);
    cat.SeriesYMin[i] = *min;
    cat.SeriesYMax[i] = decadeTop(cat.SeriesScale[i], *min);
    return chosen(true);
}

} // namespace quellin
