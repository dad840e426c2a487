// The alarm rules as the settings file and quellin-cli write them, and the
// evaluator's events over a run of records.

#include "base/MeasuredItems.h"
#include "measure/AlarmEvaluator.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

struct RulesCase {
    const char* text;
    const char* readBack; // alarmRulesText of what was read
    const char* rejected; // joined with "|"
};

TEST(AlarmRules, ReadsWhatItCanAndNamesTheRest)
{
    const RulesCase cases[] = {
        {"power>3000:10", "power>3000:10", ""},
        {" leak1 > 30 ; temp1<-5.5:60 ", "leak1>30;temp1<-5.5:60", ""},
        {"temp1<0,temp1>60:5", "temp1>60:5;temp1<0", ""},
        {"power>1;power>2:3", "power>2:3", ""},
        {"power>1e3", "power>1000", ""},
        {"", "", ""},
        {"watts>3;power=3;power>;power>3:x;power>3:86401;number>1;time>1;power>nan",
         "", "watts>3|power=3|power>|power>3:x|power>3:86401|number>1|time>1|power>nan"},
        {"power>3:86400;;voltT<90", "voltT<90;power>3:86400", ""},
    };
    for (const RulesCase& c : cases) {
        SCOPED_TRACE(c.text);
        const AlarmRulesParse p = parseAlarmRules(QString::fromUtf8(c.text));
        EXPECT_EQ(alarmRulesText(p.rules), QString::fromUtf8(c.readBack));
        EXPECT_EQ(p.rejected.join(QLatin1Char('|')), QString::fromUtf8(c.rejected));
        EXPECT_EQ(parseAlarmRules(alarmRulesText(p.rules)).rules, p.rules);
    }
}

// A rule on an item the meter does not record can never be raised: it is named.
TEST(AlarmRules, RulesWithoutTheirItemAreNamed)
{
    const std::vector<AlarmRule> rules = parseAlarmRules(QStringLiteral("power>3000;leak1>30:5;temp1<0")).rules;
    const auto mask = [](std::initializer_list<int> columns) {
        ColumnMask m = 0;
        for (const int c : columns)
            m |= ColumnMask{1} << c;
        return m;
    };
    const struct {
        ColumnMask present;
        const char* text;
    } cases[] = {
        {kAllColumns, ""},
        {mask({6}), "この計器の記録にない項目の警報は使いません：leak1>30:5、temp1<0"},
        {0, "この計器の記録にない項目の警報は使いません：power>3000、leak1>30:5、temp1<0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(absentAlarmRulesText(rules, c.present), QString::fromUtf8(c.text));
    }
}

// One record per step: seconds from the start, the value of the rule's column
// ("n" not a number, "-" the column absent), and the events it makes.
struct Step {
    double second;
    const char* value;
    const char* events; // "R" raised, "C" cleared, "" nothing
};
struct EvaluatorCase {
    const char* name;
    const char* rule;
    std::vector<Step> steps;
};

TEST(AlarmEvaluator, RaisesAfterTheHoldAndClearsOnReturn)
{
    const EvaluatorCase cases[] = {
        {"at once without a hold", "power>100", {{0, "50", ""}, {1, "101", "R"}, {2, "150", ""}, {3, "100", "C"}}},
        {"after the hold", "power>100:3",
         {{0, "101", ""}, {1, "120", ""}, {2, "130", ""}, {3, "140", "R"}, {4, "150", ""}, {5, "90", "C"}}},
        {"a dip restarts the hold", "power>100:2",
         {{0, "101", ""}, {1, "99", ""}, {2, "101", ""}, {3, "101", ""}, {4, "101", "R"}}},
        {"below", "temp1<0:1", {{0, "-1", ""}, {1, "-2", "R"}, {2, "0", "C"}, {3, "-5", ""}}},
        {"a long period passes the hold in one step", "leak1>30:10", {{0, "31", ""}, {60, "31", "R"}}},
        {"not a number changes nothing", "power>100:1",
         {{0, "101", ""}, {1, "n", ""}, {2, "101", "R"}, {3, "n", ""}, {4, "50", "C"}}},
        {"an absent column changes nothing", "voltT<90", {{0, "-", ""}, {1, "-", ""}, {2, "80", "R"}}},
        {"a clock set back starts the hold again", "power>100:5",
         {{100, "101", ""}, {10, "101", ""}, {14, "101", ""}, {15, "101", "R"}}},
        {"raised, cleared, raised again", "power>100",
         {{0, "101", "R"}, {1, "1", "C"}, {2, "101", "R"}, {3, "1", "C"}}},
    };
    constexpr double kStart = 46000.5;
    for (const EvaluatorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const AlarmRule rule = parseAlarmRules(QString::fromUtf8(c.rule)).rules.at(0);
        AlarmEvaluator evaluator({rule});
        for (const Step& s : c.steps) {
            SCOPED_TRACE(s.second);
            DataRecord r{};
            r.setTime(kStart + s.second / 86400);
            const QString v = QString::fromUtf8(s.value);
            r.setColumn(rule.column, v == u"n" ? std::nan("") : v.toDouble());
            const ColumnMask present = v == u"-" ? kAllColumns & ~(ColumnMask{1} << rule.column) : kAllColumns;
            std::vector<AlarmEvent> events;
            evaluator.evaluate(r, present, events);
            QString got;
            for (const AlarmEvent& e : events) {
                got += e.raised ? QLatin1Char('R') : QLatin1Char('C');
                EXPECT_EQ(e.value, r.column(rule.column));
                EXPECT_EQ(e.time, r.time());
            }
            EXPECT_EQ(got, QString::fromUtf8(s.events));
            EXPECT_EQ(evaluator.columnRaised(rule.column), evaluator.raised(0));
        }
    }
}

TEST(AlarmEvaluator, TellsEachRuleOfAnItemApart)
{
    AlarmEvaluator evaluator(parseAlarmRules(QStringLiteral("temp1>60;temp1<0:1")).rules);
    DataRecord r{};
    QStringList told;
    const double values[] = {70, -1, -1};
    for (int second = 0; second < 3; ++second) {
        r.setTime(46000.5 + second / 86400.0);
        r.setColumn(16, values[second]);
        std::vector<AlarmEvent> events;
        evaluator.evaluate(r, kAllColumns, events);
        for (const AlarmEvent& e : events)
            told << alarmEventText(e);
        told << QStringLiteral("|");
    }
    EXPECT_EQ(told.join('\n'), QStringLiteral("2025/12/09 12:00:00 警報 温度1 > 60 ℃: 70\n|\n"
                                             "2025/12/09 12:00:01 警報解除 温度1 > 60 ℃: -1\n|\n"
                                             "2025/12/09 12:00:02 警報 温度1 < 0 ℃（1 秒）: -1\n|"));
}

} // namespace
} // namespace quellin
