#pragma once
// "警報設定"'s decisions: the four boxes of an item (upper limit and its hold
// time, lower limit and its hold time) from the rules and back, with the
// dialog's checks. An empty limit means no alarm of that kind; an empty hold
// time is 0 seconds.

#include "measure/AlarmRules.h"

#include <QString>
#include <optional>
#include <vector>

namespace quellin {

struct AlarmFields {
    QString above, aboveHold, below, belowHold;
};
enum class AlarmBox { Above, AboveHold, Below, BelowHold };

AlarmFields alarmFieldsFor(const std::vector<AlarmRule>& rules, int column);

struct ShownAlarmFields {
    int column;
    AlarmFields fields;
};
struct AlarmFieldError {
    int column;
    AlarmBox box;
    QString message;
};
struct AlarmFieldsRead {
    std::vector<AlarmRule> rules;
    std::optional<AlarmFieldError> error; // the first failing box, in the dialog's order
};
// The rules of the boxes shown, with those of kept whose item has no boxes
// (the leakage currents while a version-1 meter is attached) left as they were.
AlarmFieldsRead rulesFromFields(const std::vector<ShownAlarmFields>& shown, const std::vector<AlarmRule>& kept);

} // namespace quellin
