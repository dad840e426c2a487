#include "cli/CliRecordText.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "store/DataSet.h"

#include <cmath>

namespace quellin {

namespace {

QString engineering(double v)
{
    return Format(v, QStringLiteral("0.000E+0"));
}

QString jsonNumber(double v)
{
    return std::isfinite(v) ? QString::number(v, 'g', 9) : QStringLiteral("null");
}

} // namespace

QString measureProgressText(CliLang lang, int records, const DataRecord* last, double energyKWh)
{
    const bool ja = lang == CliLang::Ja;
    QString text =
        ja ? QStringLiteral("記録 %1 件").arg(records) : QStringLiteral("records %1").arg(records);
    if (!last)
        return text;
    const QString power = engineering(last->column(column::kActivePower));
    const QString energy = Format(energyKWh, QStringLiteral("0.0000"));
    if (ja)
        return text + QStringLiteral("　有効電力 %1 W　積算電力量 %2 kWh").arg(power, energy);
    return text + QStringLiteral("  active power %1 W  energy %2 kWh").arg(power, energy);
}

QString recordJson(const Context& ctx, const DataRecord& record)
{
    QString json = QStringLiteral("{\"number\":") + QString::number(record.number) +
                   QStringLiteral(",\"time\":\"") +
                   Format(record.time(), QStringLiteral("yyyy/mm/dd hh:mm:ss")) + QLatin1Char('"');
    const int last = std::min(ctx.cat.ColumnLast, kMaxColumns - 1);
    for (int c = column::kVoltR; c <= last; ++c) {
        if (!ctx.dataSet().columnPresent(c))
            continue;
        const std::string_view key = measuredItem(c).key;
        json += QStringLiteral(",\"") +
                QLatin1String(key.data(), static_cast<qsizetype>(key.size())) +
                QStringLiteral("\":") + jsonNumber(record.column(c));
    }
    return json + QLatin1Char('}');
}

} // namespace quellin
