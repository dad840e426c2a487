#include "measure/PanelTexts.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"

#include <cmath>

namespace quellin {

namespace {

const QString kOneDecimal = QStringLiteral("0.0");
const QString kWhole = QStringLiteral("0");
const QString kPanelTimePattern = QStringLiteral("mm/dd hh:mm:ss");

} // namespace

ScaledValue scaledValue(double v, const QString& baseUnit)
{
    int d = 0;
    double limit = 10;
    while (d <= 11 && std::fabs(v) >= limit) {
        limit *= 10;
        ++d;
    }
    ScaledValue out;
    if (d <= 2) {
        out.unit = baseUnit;
    } else if (d <= 5) {
        v /= 1000;
        out.unit = QLatin1Char('K') + baseUnit;
    } else if (d <= 8) {
        v /= 1000000;
        out.unit = QLatin1Char('M') + baseUnit;
    } else {
        v /= 1000000000;
        out.unit = QLatin1Char('G') + baseUnit;
    }
    static const QString kPatterns[3] = {QStringLiteral("0.000"), QStringLiteral("0.00"),
                                         QStringLiteral("0.0")};
    out.value = Format(v, d > 11 ? kWhole : kPatterns[d % 3]);
    return out;
}

void FormatScaled(ValuePanel& panel, int item, double v, const QString& baseUnit)
{
    const ScaledValue s = scaledValue(v, baseUnit);
    panel.setValue(item, s.value);
    panel.setUnit(item, s.unit);
}

QString powerFactorText(double pf)
{
    QString text = Format(pf, QStringLiteral("0.000"));
    if (pf >= 0)
        text.append(QLatin1Char(' '));
    text.truncate(6);
    return text;
}

PanelTexts panelTexts(const DataRecord& rec, int wiringMode, int hardVersion)
{
    // The units of the scaled items, made once (this runs for every line).
    static const std::array<QString, kMaxColumns> units = [] {
        std::array<QString, kMaxColumns> out;
        for (int c = 0; c < kMaxColumns; ++c)
            out[static_cast<size_t>(c)] = toQString(measuredItem(c).unit);
        return out;
    }();
    const bool singlePhaseTwoWire = wiringMode == 0;
    PanelTexts out;
    for (int c = 0; c < kMaxColumns && out.count < kPanelItems; ++c) {
        const MeasuredItem& item = measuredItem(c);
        if (item.panelItem < 0 || item.firstVersion > hardVersion)
            continue;
        PanelText& t = out.items[static_cast<size_t>(out.count++)];
        t.item = item.panelItem;
        const double v = rec.column(c);
        if (c == column::kTime) {
            t.value = Format(v, kPanelTimePattern);
        } else if (c == column::kPowerFactor) {
            t.value = powerFactorText(v);
        } else if (item.decimalPrefix) {
            t.writesUnit = true;
            // A two-wire line has no T phase.
            if (!(singlePhaseTwoWire && (c == column::kVoltT || c == column::kCurrT))) {
                ScaledValue s = scaledValue(v, units[static_cast<size_t>(c)]);
                t.value = std::move(s.value);
                t.unit = std::move(s.unit);
            }
        } else {
            t.value = Format(v, item.kind == SeriesKind::Temperature ? kWhole : kOneDecimal);
        }
    }
    return out;
}

void showPanelTexts(ValuePanel& panel, const PanelTexts& texts)
{
    for (int i = 0; i < texts.count; ++i) {
        const PanelText& t = texts.items[static_cast<size_t>(i)];
        panel.setValue(t.item, t.value);
        if (t.writesUnit)
            panel.setUnit(t.item, t.unit);
    }
}

} // namespace quellin
