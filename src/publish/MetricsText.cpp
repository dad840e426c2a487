#include "publish/MetricsText.h"

#include "base/MeasuredItems.h"
#include "store/DataSet.h"

#include <cmath>

namespace quellin {

namespace {

// Prometheus wants base units: the leakage currents (mA) are given in amperes,
// the energy (kWh) in joules, the integration time (hours) in seconds.
struct Metric {
    const char* name;
    const char* help;
    double factor;
    bool counter;
};
constexpr Metric kMetrics[kMaxColumns] = {
    {nullptr, nullptr, 1, false},
    {nullptr, nullptr, 1, false},
    {"quellin_voltage_r_volts", "Voltage R.", 1, false},
    {"quellin_voltage_t_volts", "Voltage T.", 1, false},
    {"quellin_current_r_amperes", "Current R.", 1, false},
    {"quellin_current_t_amperes", "Current T.", 1, false},
    {"quellin_active_power_watts", "Active power.", 1, false},
    {"quellin_reactive_power_vars", "Reactive power.", 1, false},
    {"quellin_apparent_power_voltamperes", "Apparent power.", 1, false},
    {"quellin_power_factor_percent", "Power factor.", 1, false},
    {"quellin_frequency_hertz", "Line frequency.", 1, false},
    {"quellin_energy_joules_total", "Active energy integrated since the measurement started.", 3.6e6, true},
    {"quellin_integration_seconds", "Time integrated since the measurement started.", 3600, false},
    {"quellin_leakage_current_1_amperes", "Leakage current 1.", 1e-3, false},
    {"quellin_leakage_current_2_amperes", "Leakage current 2.", 1e-3, false},
    {"quellin_leakage_current_3_amperes", "Leakage current 3.", 1e-3, false},
    {"quellin_temperature_1_celsius", "Temperature 1.", 1, false},
    {"quellin_temperature_2_celsius", "Temperature 2.", 1, false},
};

QByteArray number(double v)
{
    if (std::isnan(v))
        return "NaN";
    if (std::isinf(v))
        return v > 0 ? "+Inf" : "-Inf";
    return QByteArray::number(v, 'g', 12);
}

QByteArray labelValue(const QString& value)
{
    QByteArray out;
    for (const char ch : value.toUtf8()) {
        if (ch == '\\' || ch == '"')
            out += '\\';
        if (ch == '\n')
            out += "\\n";
        else
            out += ch;
    }
    return out;
}

void add(QByteArray& out, const char* name, const char* type, const char* help,
         const QByteArray& labels, double value)
{
    out += QByteArray("# HELP ") + name + ' ' + help + "\n# TYPE " + name + ' ' + type + '\n';
    out += QByteArray(name) + labels + ' ' + number(value) + '\n';
}

} // namespace

QByteArray metricsText(const Context& ctx, const MetricsState& state)
{
    const QByteArray labels = "{meter=\"" + labelValue(state.meter) + "\"}";
    QByteArray out;
    add(out, "quellin_records_total", "counter", "Records stored since the outputs started.", labels,
        static_cast<double>(state.records));
    add(out, "quellin_link_up", "gauge", "1 while a measurement runs and the meter sends.", labels,
        state.linkUp ? 1 : 0);
    if (!state.haveRecord)
        return out;
    add(out, "quellin_last_record_age_seconds", "gauge", "Seconds since the last record was stored.",
        labels, state.lastAgeSeconds);
    const int last = std::min(ctx.cat.ColumnLast, kMaxColumns - 1);
    for (int c = column::kVoltR; c <= last; ++c) {
        if (!ctx.dataSet().columnPresent(c))
            continue;
        const Metric& m = kMetrics[c];
        add(out, m.name, m.counter ? "counter" : "gauge", m.help, labels,
            state.last.column(c) * m.factor);
    }
    return out;
}

} // namespace quellin
