#pragma once
// The alarm thresholds: per measured item a limit above and one below, each
// with the time the value has to stay beyond it before the alarm is raised.
//
// One rule is written KEY>LIMIT[:HOLD] or KEY<LIMIT[:HOLD]: the item's key as
// quellin-cli's --jsonl writes it ("power", "leak1", "temp1" …), the limit in
// the item's own unit (W, V, A, %, Hz, kWh, hours, mA, ℃) and the hold time in
// whole seconds, 0 to 86400 (0 when left out). The settings file keeps the
// rules in the value "Alarms", separated by ";", and quellin-cli's --alarm takes
// the same text. A part that cannot be read is left out and named, so a
// hand-edited file never stops the program; an item has at most one limit of
// each kind, the later one winning.

#include <QString>
#include <QStringList>
#include <vector>

namespace quellin {

class SettingsStore;

enum class AlarmDirection { Above, Below };

struct AlarmRule {
    int column = 0; // record column 2..17
    AlarmDirection direction = AlarmDirection::Above;
    double limit = 0;
    int holdSeconds = 0;
    bool operator==(const AlarmRule&) const = default;
};

constexpr int kMaxAlarmHoldSeconds = 86400;
inline const QString kAlarmsSetting = QStringLiteral("Alarms");

struct AlarmRulesParse {
    std::vector<AlarmRule> rules; // in column order, above before below
    QStringList rejected;         // the parts left out, as written
};
// Rules separated by ";" or ","; blanks around a part are ignored.
AlarmRulesParse parseAlarmRules(const QString& text);
// "power>3000:10": the text parseAlarmRules reads back as the same rule.
QString alarmRuleText(const AlarmRule& rule);
QString alarmRulesText(const std::vector<AlarmRule>& rules);
// Replaces the rule of the same item and direction, else adds it; in order.
void putAlarmRule(std::vector<AlarmRule>& rules, const AlarmRule& rule);

// The message for parts left out, naming where they came from; "" when none.
QString rejectedAlarmRulesText(const QString& source, const QStringList& rejected);
// The parts of a list in a sentence: "a、b、c" (in English "a, b, c").
QString listText(const QStringList& parts);

AlarmRulesParse readAlarmRules(const SettingsStore& settings);
bool storeAlarmRules(SettingsStore& settings, const std::vector<AlarmRule>& rules);

// "有効電力 > 3000 W" as the windows and messages show a rule, in the program's
// language.
QString alarmRuleCaption(const AlarmRule& rule);
// "power_above": the rule's name in topics and ids.
QString alarmRuleId(const AlarmRule& rule);

} // namespace quellin
