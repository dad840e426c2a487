#pragma once
// The alarms of a measurement, fed with every stored record: a rule's alarm is
// raised once its item has stayed beyond the limit for the hold time (by the
// records' own times) and cleared by the first record back within it. Each
// change is an event; nothing is told twice.
//
// A value that is not a finite number, and an item the data set does not have
// (voltage T of a single-phase 2-wire line, the leakage currents of a
// version-1 meter), neither raise nor clear anything. A record older than the
// one that started the hold (the meter's clock set back) starts it again.

#include "base/DataRecord.h"
#include "measure/AlarmRules.h"

#include <cstdint>
#include <vector>

namespace quellin {

struct AlarmEvent {
    double time = 0; // the record's
    AlarmRule rule;
    double value = 0;
    bool raised = true; // false: cleared
};

// Bit c set: column c is present in the data set.
using ColumnMask = std::uint32_t;
constexpr ColumnMask kAllColumns = ~ColumnMask{0};
class DataSet;
// The columns the data set has.
ColumnMask presentColumns(const DataSet& data);

class AlarmEvaluator {
public:
    explicit AlarmEvaluator(std::vector<AlarmRule> rules = {});
    // New rules, every alarm cleared without an event (a new measurement).
    void reset(std::vector<AlarmRule> rules);
    // The events this record makes, appended to events.
    void evaluate(const DataRecord& record, ColumnMask present, std::vector<AlarmEvent>& events);

    const std::vector<AlarmRule>& rules() const { return rules_; }
    bool raised(std::size_t rule) const { return rule < states_.size() && states_[rule].raised; }
    // Some alarm of column c is raised.
    bool columnRaised(int column) const;
    int raisedCount() const;

private:
    struct State {
        double since = 0;
        bool beyond = false;
        bool raised = false;
    };
    std::vector<AlarmRule> rules_;
    std::vector<State> states_;
};

// The rules on items the data set does not have (they can never be raised),
// named for the user; "" when every rule has its item.
QString absentAlarmRulesText(const std::vector<AlarmRule>& rules, ColumnMask present);

// "2026/12/09 13:00:10 警報 有効電力 > 3000 W（10 秒）: 3050" and
// "… 警報解除 有効電力 > 3000 W: 2990", as quellin-cli writes them.
QString alarmEventText(const AlarmEvent& event);
// The value as the event list and the messages show it.
QString alarmValueText(double value);

} // namespace quellin