#include "cli/CliReport.h"

#include "analysis/SurveyWorkbook.h"
#include "cli/CliConsole.h"
#include "cli/CliSession.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "print/PrintFiles.h"
#include "print/ReportPages.h"
#include "store/CsvLoad.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace quellin {

namespace {

QJsonValue optional(const std::optional<double>& v)
{
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

} // namespace

QJsonObject surveyJson(const Catalog& cat, const SurveyFigures& f)
{
    QJsonObject o;
    o[QStringLiteral("from")] = surveyTime(f.first);
    o[QStringLiteral("to")] = surveyTime(f.last);
    o[QStringLiteral("records")] = f.records;
    o[QStringLiteral("period_s")] = f.periodSeconds;
    o[QStringLiteral("missing")] = f.missing;
    QJsonArray gaps;
    for (const RecordGap& g : f.gaps)
        gaps.append(QJsonObject{{QStringLiteral("start"), surveyTime(g.after)},
                                {QStringLiteral("end"), surveyTime(g.before)},
                                {QStringLiteral("missing"), g.missing}});
    o[QStringLiteral("gaps")] = gaps;
    o[QStringLiteral("out_of_order")] = f.outOfOrder;
    QJsonObject items;
    for (const ItemFigures& i : f.items)
        items[surveyItemTitle(cat, i.column)] = QJsonObject{{QStringLiteral("min"), i.min},
                                                    {QStringLiteral("min_time"), surveyTime(i.minTime)},
                                                    {QStringLiteral("max"), i.max},
                                                    {QStringLiteral("max_time"), surveyTime(i.maxTime)},
                                                    {QStringLiteral("mean"), i.mean}};
    o[QStringLiteral("items")] = items;
    const bool power = !f.byDay.empty();
    o[QStringLiteral("energy_kwh")] = power ? QJsonValue(f.energyKWh) : QJsonValue(QJsonValue::Null);
    o[QStringLiteral("energy_column_kwh")] = optional(f.energyColumnKWh);
    QJsonArray hours, days;
    for (const EnergySlot& s : f.byHour)
        hours.append(QJsonObject{{QStringLiteral("start"), surveyTime(s.start)}, {QStringLiteral("kwh"), s.kWh}});
    for (const EnergySlot& s : f.byDay)
        days.append(QJsonObject{{QStringLiteral("date"), Format(s.start, QStringLiteral("yyyy/mm/dd"))},
                                {QStringLiteral("kwh"), s.kWh}});
    o[QStringLiteral("by_hour")] = hours;
    o[QStringLiteral("by_day")] = days;
    QJsonArray intervals;
    for (const DemandInterval& in : f.demand.intervals)
        intervals.append(QJsonObject{{QStringLiteral("start"), surveyTime(in.start)},
                                     {QStringLiteral("kw"), in.kW},
                                     {QStringLiteral("records"), in.records},
                                     {QStringLiteral("complete"), in.complete}});
    const bool demand = !f.demand.intervals.empty();
    o[QStringLiteral("demand")] = QJsonObject{
        {QStringLiteral("minutes"), f.demand.minutes},
        {QStringLiteral("intervals"), intervals},
        {QStringLiteral("max_kw"), demand ? QJsonValue(f.demand.maxKW) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("max_start"), demand ? QJsonValue(surveyTime(f.demand.maxStart)) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("max_over_complete"), f.demand.maxOverComplete}};
    o[QStringLiteral("load_factor")] = optional(f.demand.loadFactor);
    o[QStringLiteral("power_factor")] = optional(f.powerFactorPercent);
    return o;
}

QStringList surveyText(const Catalog& cat, const SurveyFigures& f)
{
    const auto num = [](double v, const char* format) { return Format(v, QString::fromLatin1(format)); };
    QStringList out;
    out << TX("期間：%1 ～ %2（記録 %3 件、周期 %4 秒、欠測 %5 件）")
               .arg(surveyTime(f.first), surveyTime(f.last))
               .arg(f.records)
               .arg(f.periodSeconds)
               .arg(f.missing);
    for (const RecordGap& g : f.gaps)
        out << TX("  欠測：%1 ～ %2 の間 %3 件")
                   .arg(surveyTime(g.after), surveyTime(g.before))
                   .arg(g.missing);
    if (f.outOfOrder > 0)
        out << TX("時刻が前の記録より前の記録が %1 件あります（時刻順に並べて集計しました）。")
                   .arg(f.outOfOrder);
    for (const ItemFigures& i : f.items)
        out << TX("%1：最小 %2（%3）最大 %4（%5）平均 %6")
                   .arg(txText(surveyItemTitle(cat, i.column)), num(i.min, "0.000E+0"), surveyTime(i.minTime),
                        num(i.max, "0.000E+0"), surveyTime(i.maxTime), num(i.mean, "0.000E+0"));
    if (!f.byDay.empty()) {
        out << TX("電力量：%1 kWh").arg(num(f.energyKWh, "0.000"));
        for (const EnergySlot& s : f.byDay)
            out << QStringLiteral("  %1  %2 kWh").arg(Format(s.start, QStringLiteral("yyyy/mm/dd")), num(s.kWh, "0.000"));
    }
    if (!f.demand.intervals.empty()) {
        out << TX("最大デマンド（%1分）：%2 kW（%3 から）")
                   .arg(f.demand.minutes)
                   .arg(num(f.demand.maxKW, "0.000"), surveyTime(f.demand.maxStart));
        if (!f.demand.maxOverComplete)
            out << TX("  （時限を満たす区間がないため、全区間の最大です）");
    }
    if (f.demand.loadFactor)
        out << TX("負荷率：%1 %").arg(num(*f.demand.loadFactor * 100, "0.0"));
    if (f.powerFactorPercent)
        out << TX("平均力率：%1 %").arg(num(*f.powerFactorPercent, "0.0"));
    return out;
}

CliExit CliReport::run()
{
    session_.openOffline();
    Context& ctx = session_.ctx();
    const CliOptions& o = session_.options();
    AnalysisPeriod period;
    for (const auto& [text, into] : {std::pair{o.from, &period.from}, std::pair{o.to, &period.to}}) {
        if (text.isEmpty())
            continue;
        *into = vbdate::parse(text);
        if (!*into) {
            writeLine(session_.err(), TX("日時 %1 が読めません（例：2024/05/13 09:00:00）。").arg(text));
            return CliExit::Refused;
        }
    }
    // A file that is no data file is refused with the windows' own message.
    const std::optional<DataSet> data = LoadDataFileAside(ctx, o.reportFile);
    if (!data)
        return CliExit::Refused;
    const SurveyResult result = analyseDataSet(*data, period, o.demandMinutes);
    if (!result.figures) {
        writeLine(session_.err(), result.error);
        return CliExit::Refused;
    }
    if (!o.xlsx.isEmpty()) {
        const QString error = writeSurveyWorkbook(o.xlsx, ctx.cat, *data, period, *result.figures);
        if (!error.isEmpty()) {
            writeLine(session_.err(), error);
            return CliExit::Refused;
        }
    }
    if (!o.pdf.isEmpty()) {
        ReportSection report(ctx.cat, ctx.app.HardVersion, *data, *result.figures,
                                   reportHeading(ctx.app, *data), ctx.svc.clock.now(), ctx.svc);
        const FileWriteResult written =
            writePdfFile(o.pdf, {&report}, reportTitleText());
        if (!written.ok()) {
            writeLine(session_.err(), terminalText(fileWriteMessage(o.pdf, written)));
            return CliExit::Refused;
        }
    }
    if (o.json) {
        writeLine(session_.out(),
                  QString::fromUtf8(QJsonDocument(surveyJson(ctx.cat, *result.figures)).toJson(QJsonDocument::Compact)));
        return CliExit::Done;
    }
    for (const QString& line : surveyText(ctx.cat, *result.figures))
        writeLine(session_.out(), line);
    return CliExit::Done;
}

} // namespace quellin
