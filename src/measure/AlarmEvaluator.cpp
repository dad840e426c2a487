#include "measure/AlarmEvaluator.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "store/DataSet.h"

#include <QStringList>
#include <cmath>

namespace quellin {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Record times are whole seconds held as fractions of a day.
constexpr double kHalfMillisecond = 0.0005;

} // namespace

AlarmEvaluator::AlarmEvaluator(std::vector<AlarmRule> rules)
{
    reset(std::move(rules));
}

void AlarmEvaluator::reset(std::vector<AlarmRule> rules)
{
    rules_ = std::move(rules);
    states_.assign(rules_.size(), State{});
}

void AlarmEvaluator::evaluate(const DataRecord& record, ColumnMask present, std::vector<AlarmEvent>& events)
{
    const double now = record.time();
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        const AlarmRule& rule = rules_[i];
        if (rule.column < column::kVoltR || rule.column >= kMaxColumns ||
            !(present & (ColumnMask{1} << rule.column)))
            continue;
        const double v = record.column(rule.column);
        if (!std::isfinite(v))
            continue;
        State& s = states_[i];
        const bool beyond = rule.direction == AlarmDirection::Above ? v > rule.limit : v < rule.limit;
        if (!beyond) {
            s.beyond = false;
            if (s.raised) {
                s.raised = false;
                events.push_back({now, rule, v, false});
            }
            continue;
        }
        if (s.raised)
            continue;
        if (!s.beyond || now < s.since) {
            s.beyond = true;
            s.since = now;
        }
        if ((now - s.since) * kSecondsPerDay + kHalfMillisecond >= rule.holdSeconds) {
            s.raised = true;
            events.push_back({now, rule, v, true});
        }
    }
}

bool AlarmEvaluator::columnRaised(int column) const
{
    for (std::size_t i = 0; i < rules_.size(); ++i)
        if (rules_[i].column == column && states_[i].raised)
            return true;
    return false;
}

int AlarmEvaluator::raisedCount() const
{
    int n = 0;
    for (const State& s : states_)
        n += s.raised ? 1 : 0;
    return n;
}

ColumnMask presentColumns(const DataSet& data)
{
    ColumnMask mask = 0;
    for (int c = 0; c < kMaxColumns; ++c)
        if (data.columnPresent(c))
            mask |= ColumnMask{1} << c;
    return mask;
}

QString alarmValueText(double value)
{
    return QString::number(value, 'g', 6);
}

QString absentAlarmRulesText(const std::vector<AlarmRule>& rules, ColumnMask present)
{
    QStringList absent;
    for (const AlarmRule& r : rules)
        if (r.column < 0 || r.column >= 32 || !(present & (ColumnMask{1} << r.column)))
            absent << alarmRuleText(r);
    if (absent.isEmpty())
        return {};
    return TX("この計器の記録にない項目の警報は使いません：%1")
        .arg(listText(absent));
}

QString alarmEventText(const AlarmEvent& event)
{
    const QString when = Format(event.time, QStringLiteral("yyyy/mm/dd hh:mm:ss"));
    if (!event.raised)
        return TX("%1 警報解除 %2: %3").arg(when, alarmRuleCaption(event.rule), alarmValueText(event.value));
    if (event.rule.holdSeconds > 0)
        return TX("%1 警報 %2（%3 秒）: %4")
            .arg(when, alarmRuleCaption(event.rule), QString::number(event.rule.holdSeconds),
                 alarmValueText(event.value));
    return TX("%1 警報 %2: %3").arg(when, alarmRuleCaption(event.rule), alarmValueText(event.value));
}

} // namespace quellin
