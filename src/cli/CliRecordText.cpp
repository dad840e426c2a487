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

QString measureSummaryText(CliLang lang, int records, qint64 seconds, const QStringList& files)
{
    const qint64 s = std::max<qint64>(seconds, 0);
    const QString duration = QStringLiteral("%1:%2:%3")
                                 .arg(s / 3600)
                                 .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(s % 60, 2, 10, QLatin1Char('0'));
    if (lang == CliLang::Ja)
        return QStringLiteral("計測を終了しました。記録 %1 件、計測時間 %2、書いたファイル：%3")
            .arg(records)
            .arg(duration, files.isEmpty() ? QStringLiteral("なし") : files.join(QStringLiteral("、")));
    return QStringLiteral("measurement ended: %1 records in %2, files written: %3")
        .arg(records)
        .arg(duration, files.isEmpty() ? QStringLiteral("none") : files.join(QStringLiteral(", ")));
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
