// The environment settings' decisions without a window: the checks before sending
// (message, control, tab), the command list, the reading of the meter's answers
// and the key filters.

#include "dialogs/DispSetCheck.h"
#include "dialogs/DispSetFields.h"

#include <functional>
#include <gtest/gtest.h>

namespace quellin {
namespace {

// A complete, valid set for a version-2 meter.
DispSetFields validFields()
{
    DispSetFields f;
    f.denatu = 1;
    f.data = {"100", "60", "400", "2002/6/2 9:00", "2002/06/02 17:00", "2002/06/01 12:34:56"};
    f.jikan = 3;
    f.renge = 2;
    f.timer = 1;
    f.sb = {1, 2, 0, 2, 0, 1};
    f.sbText = {"5",  "10", "90", "5",  "123",   "0",  "50", "0",  // power outputs 1, 2
                "30", "5",  "80", "3",  "999.9", "60", "99", "10", // leakage 1, 2
                "60", "30", "90", "10", "0",     "0",  "50", "0"}; // temperature 1, 2
    return f;
}

struct CheckCase {
    const char* name;
    int version;
    std::function<void(DispSetFields&)> change;
    const char* message; // "" valid
    DispSetControl control = DispSetControl::TxtData;
    int index = 0;
    int tab = 0;
};

class DispSetChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(DispSetChecks, StopAtTheFirstInvalidField)
{
    const CheckCase& c = GetParam();
    DispSetFields f = validFields();
    if (c.change)
        c.change(f);
    const auto error = checkDispSet(f, c.version);
    ASSERT_EQ(error.has_value(), *c.message != 0);
    if (!error)
        return;
    EXPECT_EQ(error->message, QString::fromUtf8(c.message));
    EXPECT_EQ(error->control, c.control);
    EXPECT_EQ(error->index, c.index);
    EXPECT_EQ(error->tab, c.tab);
}

using C = DispSetControl;
using F = DispSetFields;
const char* const kVoltage = "電圧値の設定を確認してください。";
const char* const kNotNumber = "電圧値は数値を設定してください。";
const char* const kOffLevel = "各制御出力のＯＦＦレベルを確認してください。";
const char* const kLeakLevel =
    "漏電電流制御出力のレベルは小数点込みの５桁が制限です、確認してください。";
std::function<void(F&)> voltage(const char* text)
{
    return [text](F& f) { f.data[0] = QString::fromUtf8(text); };
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DispSetChecks,
    ::testing::Values(
        CheckCase{"valid", 2, nullptr, ""},
        CheckCase{"contactNotChecked", 2, [](F& f) { f.denatu = 0, f.data[0] = "abc"; }, ""},
        CheckCase{"voltage0", 1, voltage("0"), ""},
        CheckCase{"voltage999_94", 1, voltage("999.94"), ""},
        // From 999.95 on the sent "000.0" form would lose its leading digit.
        CheckCase{"voltage999_95", 1, voltage("999.95"), kVoltage},
        CheckCase{"voltage3000", 1, voltage("3000"), kVoltage},
        CheckCase{"voltageNegative", 1, voltage("-1"), kVoltage},
        CheckCase{"voltageEmpty", 1, voltage(""), kNotNumber},
        CheckCase{"voltageTwoPoints", 1, voltage("1.2.3"), kNotNumber},
        CheckCase{"voltageFirst", 2, [](F& f) { f.data[0] = "", f.sb[0] = -1; }, kNotNumber},
        CheckCase{"powerLevel1000", 2, [](F& f) { f.sbText[0] = "1000"; },
                  "電力制御出力のレベル設定を確認してください。", C::TxtDataSb, 0, kTabPower},
        CheckCase{"powerUnitNone", 2, [](F& f) { f.sb[1] = -1; },
                  "電力制御出力の単位設定を確認してください。", C::CmbSb, 1, kTabPower},
        CheckCase{"offLevel49", 2, [](F& f) { f.sbText[2] = "49"; }, kOffLevel, C::TxtDataSb, 2,
                  kTabPower},
        CheckCase{"offLevel100", 2, [](F& f) { f.sbText[14] = "100"; }, kOffLevel, C::TxtDataSb, 14,
                  kTabLeakage},
        CheckCase{"offLevelEmpty", 2, [](F& f) { f.sbText[22] = ""; }, kOffLevel, C::TxtDataSb, 22,
                  kTabTemperature},
        CheckCase{"onTime61", 2, [](F& f) { f.sbText[13] = "61"; },
                  "各制御出力のＯＮ時間を確認してください。", C::TxtDataSb, 13, kTabLeakage},
        CheckCase{"offTime11", 2, [](F& f) { f.sbText[23] = "11"; },
                  "各制御出力のＯＦＦ時間を確認してください。", C::TxtDataSb, 23, kTabTemperature},
        CheckCase{"leakageChannelNone", 2, [](F& f) { f.sb[3] = -1; },
                  "漏電電流制御出力の入力ＣＨ設定を確認してください。", C::CmbSb, 3, kTabLeakage},
        CheckCase{"leakageLevel1000", 2, [](F& f) { f.sbText[8] = "1000"; }, kLeakLevel,
                  C::TxtDataSb, 8, kTabLeakage},
        CheckCase{"temperatureChannelNone", 2, [](F& f) { f.sb[4] = -1; },
                  "温度制御出力の入力ＣＨ設定を確認してください。", C::CmbSb, 4, kTabTemperature},
        CheckCase{"temperatureLevel100", 2, [](F& f) { f.sbText[20] = "100"; },
                  "温度制御出力のレベルを確認してください。", C::TxtDataSb, 20, kTabTemperature},
        // Parameters in number order: 13 before 16 and 39.
        CheckCase{"numberOrder", 2,
                  [](F& f) { f.sbText[23] = "11", f.sb[1] = -1, f.sbText[2] = "10"; }, kOffLevel,
                  C::TxtDataSb, 2, kTabPower},
        CheckCase{"version1HasNoOutputs", 1, [](F& f) { f.sb = {-1, -1, -1, -1, -1, -1}; }, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DispSetCommands, TheOutputsInNumberOrderBetweenTheBasicItemsAndTheTimer)
{
    const QStringList v2 = dispSetCommands(validFields(), 2);
    EXPECT_EQ(v2, (QStringList{"SCF021100.0",
                               "SCF030060",
                               "SCF040400",
                               "SCF063",
                               "SCF072002/06/02 09:00",
                               "SCF082002/06/02 17:00",
                               "SCF012",
                               "SCF1005",
                               "SCF111",
                               "SCF1210",
                               "SCF1390",
                               "SCF1405",
                               "SCF15123",
                               "SCF162",
                               "SCF1700",
                               "SCF1850",
                               "SCF1900",
                               "SCF201",
                               "SCF21030.0",
                               "SCF2205",
                               "SCF2380",
                               "SCF2403",
                               "SCF253",
                               "SCF26999.9",
                               "SCF2760",
                               "SCF2899",
                               "SCF2910",
                               "SCF301",
                               "SCF3160",
                               "SCF3230",
                               "SCF3390",
                               "SCF3410",
                               "SCF352",
                               "SCF3600",
                               "SCF3700",
                               "SCF3850",
                               "SCF3900",
                               "SCF051",
                               "STM2002/06/01 12:34:56",
                               "SCFW"}));
    // Version 1, contact, and lists the meter's answers named no entry of: left out.
    DispSetFields f = validFields();
    f.denatu = 0;
    f.timer = f.jikan = f.renge = -1;
    EXPECT_EQ(dispSetCommands(f, 1),
              (QStringList{"SCF020", "SCF030060", "SCF040400", "SCF072002/06/02 09:00",
                           "SCF082002/06/02 17:00", "STM2002/06/01 12:34:56", "SCFW"}));
}

struct ReadCase {
    const char* name;
    QStringList data; // ReplyData of the read list
    int denatu, jikan, renge, timer;
    const char* voltage;
};

class DispSetReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DispSetReading, ShowsAnswersAndLeavesUnknownChoicesUnselected)
{
    const ReadCase& c = GetParam();
    const DispSetFields f = fieldsFromReplies(c.data, 1);
    EXPECT_EQ(f.denatu, c.denatu);
    EXPECT_EQ(f.data[0], c.voltage);
    EXPECT_EQ(f.jikan, c.jikan);
    EXPECT_EQ(f.renge, c.renge);
    EXPECT_EQ(f.timer, c.timer);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DispSetReading,
    ::testing::Values(
        ReadCase{"nonContact", {"1230.5", "", "", "3", "", "", "2", "1"}, 1, 3, 2, 1, "230.5"},
        ReadCase{"contact", {"0200.0", "", "", "5", "", "", "4", "0"}, 0, 5, 4, 0, "100.0"},
        ReadCase{
            "beyondTheLists", {"2 12.0", "", "", "6", "", "", "5", "2"}, 1, -1, -1, -1, "12.0"},
        ReadCase{"notNumbers", {"X", "", "", "A", "", "", "-1", ""}, 0, -1, -1, -1, "100.0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyFilters, EachFieldLetsThroughOnlyItsCharacters)
{
    const struct {
        KeyFilter filter;
        const char* passing;
        const char* refused;
    } cases[] = {{KeyFilter::Decimal, "0123456789.", "-+e ,/:a１"},
                 {KeyFilter::Digits, "0123456789", ".-e /:a１"},
                 {KeyFilter::DateTime, "0123456789/:", ". -a１"},
                 {KeyFilter::Any, "0.a /:-１", ""}};
    for (const auto& c : cases) {
        for (const QChar k : QString::fromUtf8(c.passing))
            EXPECT_TRUE(keyPasses(c.filter, k)) << QString(k).toStdString();
        for (const QChar k : QString::fromUtf8(c.refused))
            EXPECT_FALSE(keyPasses(c.filter, k)) << QString(k).toStdString();
        EXPECT_TRUE(keyPasses(c.filter, QChar(8)));
        EXPECT_FALSE(keyPasses(c.filter, QChar(13)));
    }
    const KeyFilter data[6] = {KeyFilter::Decimal,  KeyFilter::Digits,   KeyFilter::Digits,
                               KeyFilter::DateTime, KeyFilter::DateTime, KeyFilter::Any};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(txtDataFilter(i), data[i]) << i;
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(txtDataSbFilter(i), i == 8 || i == 12 ? KeyFilter::Decimal : KeyFilter::Digits);
    EXPECT_FALSE(textPasses(KeyFilter::Digits, "12\rSCFW"));
}

} // namespace
} // namespace quellin
