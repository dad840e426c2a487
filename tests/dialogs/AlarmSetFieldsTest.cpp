// 警報設定's boxes read into rules with the dialog's checks.

#include "dialogs/AlarmSetFields.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

constexpr int kPower = 6;

TEST(AlarmSetFields, ReadTheBoxesOrNameTheFirstThatFails)
{
    const struct {
        const char* name;
        AlarmFields power;
        const char* rules; // alarmRulesText, or the failing box's message
        std::optional<AlarmBox> failing;
    } cases[] = {
        {"empty", {}, "leak1>30:5", {}},
        {"both with holds", {" 3000 ", "10", "-5", ""}, "power>3000:10;power<-5;leak1>30:5", {}},
        {"not a number", {"3k", "", "", ""}, "有効電力：上限は数値で入力して下さい。", AlarmBox::Above},
        {"hold too long", {"1", "86401", "", ""}, "有効電力：継続時間は 0～86400 秒の整数で入力して下さい。", AlarmBox::AboveHold},
        {"hold not whole", {"", "", "1", "1.5"}, "有効電力：継続時間は 0～86400 秒の整数で入力して下さい。", AlarmBox::BelowHold},
        {"hold without limit", {"", "", "", "3"}, "有効電力：下限の値がないと継続時間は使えません。", AlarmBox::Below},
        {"limits crossed", {"10", "", "20", ""}, "有効電力：上限は下限より大きな値にして下さい。", AlarmBox::Above},
        {"limits equal", {"10", "", "10", ""}, "有効電力：上限は下限より大きな値にして下さい。", AlarmBox::Above},
    };
    // The leakage current has no boxes (a version-1 meter): its rule stays; the
    // stored power rule is replaced by what the boxes say.
    const std::vector<AlarmRule> stored = parseAlarmRules(QStringLiteral("power>1;leak1>30:5")).rules;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AlarmFieldsRead read = rulesFromFields({{kPower, c.power}}, stored);
        if (c.failing) {
            ASSERT_TRUE(read.error);
            EXPECT_EQ(read.error->message, QString::fromUtf8(c.rules));
            EXPECT_EQ(read.error->box, *c.failing);
            EXPECT_EQ(read.error->column, kPower);
        } else {
            ASSERT_FALSE(read.error) << read.error->message.toStdString();
            EXPECT_EQ(alarmRulesText(read.rules), QString::fromUtf8(c.rules));
        }
    }
}

} // namespace
} // namespace quellin
