#include "cli/CliRecordText.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"

namespace quellin {

namespace {

QString engineering(double v)
{
    return Format(v, QStringLiteral("0.000E+0"));
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

} // namespace quellin
