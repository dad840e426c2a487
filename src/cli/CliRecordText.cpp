#include "cli/CliRecordText.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/Tx.h"

namespace quellin {

namespace {

QString engineering(double v)
{
    return Format(v, QStringLiteral("0.000E+0"));
}

} // namespace

QString measureProgressText(int records, const DataRecord* last, double energyKWh)
{
    if (!last)
        return TX("記録 %1 件").arg(records);
    const QString power = engineering(last->column(column::kActivePower));
    const QString energy = Format(energyKWh, QStringLiteral("0.0000"));
    return TX("記録 %1 件　有効電力 %2 W　積算電力量 %3 kWh").arg(QString::number(records), power, energy);
}

QString measureSummaryText(int records, qint64 seconds, const QStringList& files)
{
    const qint64 s = std::max<qint64>(seconds, 0);
    const QString duration = QStringLiteral("%1:%2:%3")
                                 .arg(s / 3600)
                                 .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(s % 60, 2, 10, QLatin1Char('0'));
    return TX("計測を終了しました。記録 %1 件、計測時間 %2、書いたファイル：%3")
        .arg(records)
        .arg(duration, files.isEmpty() ? TX("なし") : listText(files));
}

} // namespace quellin
