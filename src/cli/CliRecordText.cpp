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

QString measureProgressText(CliLang lang, int records, const DataRecord* last, double energyKWh)
{
    const bool ja = lang == CliLang::Ja;
    QString text =
        ja ? TX("記録 %1 件").arg(records) : QStringLiteral("records %1").arg(records);
    if (!last)
        return text;
    const QString power = engineering(last->column(column::kActivePower));
    const QString energy = Format(energyKWh, QStringLiteral("0.0000"));
    if (ja)
        return text + TX("　有効電力 %1 W　積算電力量 %2 kWh").arg(power, energy);
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
        return TX("計測を終了しました。記録 %1 件、計測時間 %2、書いたファイル：%3")
            .arg(records)
            .arg(duration, files.isEmpty() ? TX("なし") : files.join(TX("、")));
    return QStringLiteral("measurement ended: %1 records in %2, files written: %3")
        .arg(records)
        .arg(duration, files.isEmpty() ? QStringLiteral("none") : files.join(QStringLiteral(", ")));
}

} // namespace quellin
