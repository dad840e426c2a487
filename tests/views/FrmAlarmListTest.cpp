// The event list: one row per event, the newest on top, the rule with its hold
// time and whether the alarm was raised or cleared.

#include "views/FrmAlarmList.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

TEST(FrmAlarmList, ListsTheNewestEventFirst)
{
    const std::vector<AlarmRule> rules = parseAlarmRules(QStringLiteral("leak1>30:5;temp2<-10")).rules;
    constexpr double kNoon = 46000.5;
    const struct {
        AlarmEvent event;
        QStringList row;
    } cases[] = {
        {{kNoon, rules[0], 31.25, true}, {"2025/12/09 12:00:00", "漏電電流1", "漏電電流1 > 30 mA（5 秒）", "31.25", "警報"}},
        {{kNoon + 1.0 / 86400, rules[1], -12, true}, {"2025/12/09 12:00:01", "温度2", "温度2 < -10 ℃", "-12", "警報"}},
        {{kNoon + 2.0 / 86400, rules[0], 29.9, false}, {"2025/12/09 12:00:02", "漏電電流1", "漏電電流1 > 30 mA（5 秒）", "29.9", "解除"}},
    };
    FrmAlarmList list;
    list.showEvents({cases[0].event});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.join(' ').toStdString());
        if (&c != cases)
            list.addEvent(c.event);
        EXPECT_EQ(list.row(0), c.row);
    }
    EXPECT_EQ(list.rows(), 3);
}

} // namespace
} // namespace quellin
