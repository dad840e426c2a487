#include "analysis/SurveySummary.h"

#include "platform/Format.h"
#include "platform/Tx.h"

namespace quellin {

SummaryRows surveySummaryRows(const SurveyFigures& f)
{
    const auto number = [](double v, const char* format) { return Format(v, QString::fromLatin1(format)); };
    SummaryRows rows = {
        {TX("期間"), surveyTime(f.first) + TX(" ～ ") + surveyTime(f.last)},
        {TX("記録数"), QString::number(f.records)},
        {TX("記録周期"), TX("%1 秒").arg(f.periodSeconds)},
        {TX("欠測"), TX("%1 件（%2 か所）").arg(f.missing).arg(f.gaps.size())},
    };
    if (f.outOfOrder > 0)
        rows.emplace_back(TX("時刻の前後"), TX("%1 件（時刻順に集計）").arg(f.outOfOrder));
    if (!f.byDay.empty())
        rows.emplace_back(TX("電力量"), number(f.energyKWh, "0.000") + QStringLiteral(" kWh"));
    if (f.energyColumnKWh)
        rows.emplace_back(TX("積算電力量の差"), number(*f.energyColumnKWh, "0.000") + QStringLiteral(" kWh"));
    if (!f.demand.intervals.empty())
        rows.emplace_back(TX("最大デマンド"),
                          TX("%1 kW（%2 から%3）")
                              .arg(number(f.demand.maxKW, "0.000"), surveyTime(f.demand.maxStart),
                                   f.demand.maxOverComplete ? QString() : TX("、時限を満たす区間なし")));
    if (f.demand.loadFactor)
        rows.emplace_back(TX("負荷率"), number(*f.demand.loadFactor * 100, "0.0") + QStringLiteral(" %"));
    if (f.powerFactorPercent)
        rows.emplace_back(TX("平均力率"), number(*f.powerFactorPercent, "0.0") + QStringLiteral(" %"));
    return rows;
}

} // namespace quellin
