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
    f.sbText = {"5",  "10", "90", "5",  "123",   "0",  "50", "0",  // power 1, 2
                "30", "5",  "80", "3",  "999.9", "60", "99", "10", // leakage 1, 2
                "60", "30", "90", "10", "0",     "0",  "50", "0"}; // temperature 1, 2
    return f;
}

struct CheckCase {
    const char* name;
    int version;
    std::function<void(DispSetFields&)> change;
    QString message; // empty: valid
    DispSetControl control = DispSetControl::TxtData;
    int index = 0;
    int tab = 0;
};

const QString kNotNumber = "電圧値は数値を設定してください。";
const QString kVoltage = "電圧値の設定を確認してください。";
const QString kOffLevel = "各制御出力のＯＦＦレベルを確認してください。";
const QString kLeakLevel =
    "漏電電流制御出力のレベルは小数点込みの５桁が制限です、確認してください。";

void voltage(DispSetFields& f, const char* text)
{
    f.data[0] = QString::fromUtf8(text);
}

class DispSetChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(DispSetChecks, StopAtTheFirstInvalidField)
{
    const CheckCase& c = GetParam();
    DispSetFields f = validFields();
    if (c.change)
        c.change(f);
    const auto error = checkDispSet(f, c.version);
    if (c.message.isEmpty()) {
        EXPECT_FALSE(error.has_value()) << error->message.toStdString();
        return;
    }
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, c.message);
    EXPECT_EQ(error->control, c.control);
    EXPECT_EQ(error->index, c.index);
    EXPECT_EQ(error->tab, c.tab);
}

using C = DispSetControl;

INSTANTIATE_TEST_SUITE_P(
    Fields, DispSetChecks,
    ::testing::Values(
        CheckCase{"validVersion2", 2, nullptr, {}},
        CheckCase{"contactVoltageNotChecked", 2,
                  [](DispSetFields& f) {
                      f.denatu = 0;
                      voltage(f, "abc");
                  },
                  {}},
        CheckCase{"voltageZero", 1, [](DispSetFields& f) { voltage(f, "0"); }, {}},
        CheckCase{"voltage999_9", 1, [](DispSetFields& f) { voltage(f, "999.9"); }, {}},
        CheckCase{"voltage999_94", 1, [](DispSetFields& f) { voltage(f, "999.94"); }, {}},
        // From 999.95 on the sent form would lose its leading digit.
        CheckCase{"voltage999_95", 1, [](DispSetFields& f) { voltage(f, "999.95"); }, kVoltage},
        CheckCase{"voltage1000", 1, [](DispSetFields& f) { voltage(f, "1000"); }, kVoltage},
        CheckCase{"voltage3000", 1, [](DispSetFields& f) { voltage(f, "3000"); }, kVoltage},
        CheckCase{"voltage3000_1", 1, [](DispSetFields& f) { voltage(f, "3000.1"); }, kVoltage},
        CheckCase{"voltageNegative", 1, [](DispSetFields& f) { voltage(f, "-1"); }, kVoltage},
        CheckCase{"voltageEmpty", 1, [](DispSetFields& f) { voltage(f, ""); }, kNotNumber},
        CheckCase{"voltageTwoPoints", 1, [](DispSetFields& f) { voltage(f, "1.2.3"); },
                  kNotNumber},
        // The voltage comes first, on tab 0.
        CheckCase{"voltageBeforeOutputs", 2,
                  [](DispSetFields& f) {
                      voltage(f, "");
                      f.sb[0] = -1;
                  },
                  kNotNumber, C::TxtData, 0, kTabEnvironment},
        CheckCase{"powerLevel999", 2, [](DispSetFields& f) { f.sbText[0] = "999"; }, {}},
        CheckCase{"powerLevel1000", 2, [](DispSetFields& f) { f.sbText[0] = "1000"; },
                  "電力制御出力のレベル設定を確認してください。", C::TxtDataSb, 0, kTabPower},
        CheckCase{"powerUnitNone", 2, [](DispSetFields& f) { f.sb[1] = -1; },
                  "電力制御出力の単位設定を確認してください。", C::CmbSb, 1, kTabPower},
        CheckCase{"offLevel49", 2, [](DispSetFields& f) { f.sbText[2] = "49"; }, kOffLevel,
                  C::TxtDataSb, 2, kTabPower},
        CheckCase{"offLevel100", 2, [](DispSetFields& f) { f.sbText[14] = "100"; }, kOffLevel,
                  C::TxtDataSb, 14, kTabLeakage},
        CheckCase{"offLevelEmpty", 2, [](DispSetFields& f) { f.sbText[22] = ""; }, kOffLevel,
                  C::TxtDataSb, 22, kTabTemperature},
        CheckCase{"onTime61", 2, [](DispSetFields& f) { f.sbText[13] = "61"; },
                  "各制御出力のＯＮ時間を確認してください。", C::TxtDataSb, 13, kTabLeakage},
        CheckCase{"offTime11", 2, [](DispSetFields& f) { f.sbText[23] = "11"; },
                  "各制御出力のＯＦＦ時間を確認してください。", C::TxtDataSb, 23,
                  kTabTemperature},
        CheckCase{"leakageChannelNone", 2, [](DispSetFields& f) { f.sb[3] = -1; },
                  "漏電電流制御出力の入力ＣＨ設定を確認してください。", C::CmbSb, 3, kTabLeakage},
        CheckCase{"leakageLevel1000", 2, [](DispSetFields& f) { f.sbText[8] = "1000"; },
                  kLeakLevel, C::TxtDataSb, 8, kTabLeakage},
        CheckCase{"leakageLevelNotNumber", 2, [](DispSetFields& f) { f.sbText[12] = "."; },
                  kLeakLevel, C::TxtDataSb, 12, kTabLeakage},
        CheckCase{"temperatureChannelNone", 2, [](DispSetFields& f) { f.sb[4] = -1; },
                  "温度制御出力の入力ＣＨ設定を確認してください。", C::CmbSb, 4,
                  kTabTemperature},
        CheckCase{"temperatureLevel100", 2, [](DispSetFields& f) { f.sbText[20] = "100"; },
                  "温度制御出力のレベルを確認してください。", C::TxtDataSb, 20,
                  kTabTemperature},
        // Parameters in number order: 13 before 16 and 39.
        CheckCase{"outputsInNumberOrder", 2,
                  [](DispSetFields& f) {
                      f.sbText[23] = "11";
                      f.sb[1] = -1;
                      f.sbText[2] = "10";
                  },
                  kOffLevel, C::TxtDataSb, 2, kTabPower},
        CheckCase{"version1HasNoOutputs", 1,
                  [](DispSetFields& f) {
                      f.sb = {-1, -1, -1, -1, -1, -1};
                      f.sbText = {};
                  },
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DispSetCommands, Version1SendsTheBasicItemsTheClockAndTheFlashWrite)
{
    const DispSetFields f = validFields();
    EXPECT_EQ(dispSetCommands(f, 1),
              (QStringList{"SCF021100.0", "SCF030060", "SCF040400", "SCF063",
                           "SCF072002/06/02 09:00", "SCF082002/06/02 17:00", "SCF012", "SCF051",
                           "STM2002/06/01 12:34:56", "SCFW"}));
}

TEST(DispSetCommands, Version2SendsTheThirtyOutputsInNumberOrderBeforeTheTimer)
{
    const QStringList commands = dispSetCommands(validFields(), 2);
    ASSERT_EQ(commands.size(), 40);
    EXPECT_EQ(commands.mid(7, 30),
              (QStringList{"SCF1005", "SCF111",  "SCF1210", "SCF1390", "SCF1405",    "SCF15123",
                           "SCF162",  "SCF1700", "SCF1850", "SCF1900", "SCF201",     "SCF21030.0",
                           "SCF2205", "SCF2380", "SCF2403", "SCF253",  "SCF26999.9", "SCF2760",
                           "SCF2899", "SCF2910", "SCF301",  "SCF3160", "SCF3230",    "SCF3390",
                           "SCF3410", "SCF352",  "SCF3600", "SCF3700", "SCF3850",    "SCF3900"}));
    EXPECT_EQ(commands.mid(37), (QStringList{"SCF051", "STM2002/06/01 12:34:56", "SCFW"}));
}

TEST(DispSetCommands, ListsWithoutASelectionAreLeftOut)
{
    DispSetFields f = validFields();
    f.denatu = 0;
    f.timer = -1;
    f.jikan = -1;
    f.renge = -1;
    EXPECT_EQ(dispSetCommands(f, 1),
              (QStringList{"SCF020", "SCF030060", "SCF040400", "SCF072002/06/02 09:00",
                           "SCF082002/06/02 17:00", "STM2002/06/01 12:34:56", "SCFW"}));
}

std::vector<ExchangeStep> replies(const QStringList& data)
{
    std::vector<ExchangeStep> steps;
    for (const QString& d : data) {
        ExchangeStep s;
        s.ReplyData = d;
        steps.push_back(s);
    }
    return steps;
}

TEST(DispSetReading, ShowsEachAnswerInItsControl)
{
    QStringList data = {"1230.5",           "0060", "0400", "3",       "2002/06/02 09:00",
                        "2002/06/02 17:00", "2",    "1",    "19200E71"};
    for (int n = 10; n <= 39; ++n)
        data << QStringLiteral("0%1").arg(n % 3 + 1);
    data[21 - 1] = "030.0"; // item 21, leakage level 1
    const DispSetFields f = fieldsFromReplies(replies(data), 2);
    EXPECT_EQ(f.denatu, 1);
    EXPECT_EQ(f.data[0], "230.5");
    EXPECT_EQ(f.data[1], "60");
    EXPECT_EQ(f.data[2], "400");
    EXPECT_EQ(f.jikan, 3);
    EXPECT_EQ(f.data[3], "2002/06/02 09:00");
    EXPECT_EQ(f.renge, 2);
    EXPECT_EQ(f.timer, 1);
    EXPECT_EQ(f.comm, (std::array<QString, 4>{"19200", "EVEN", "7", "1"}));
    EXPECT_EQ(f.data[5], QString());
    EXPECT_EQ(f.sbText[0], "2"); // item 10 "02"
    EXPECT_EQ(f.sb[0], 3);       // item 11 "03": "ＧＷ"
    EXPECT_EQ(f.sb[2], 2);       // item 20 "03": channel 3
    EXPECT_EQ(f.sb[4], 0);       // item 30 "01": channel 1
    EXPECT_EQ(f.sbText[8], "30.0");
}

struct ReadCase {
    const char* name;
    QStringList data; // answers of the basic read list
    int denatu, jikan, renge, timer;
    QString voltage;
};

class DispSetReadingOdd : public ::testing::TestWithParam<ReadCase> {};

// Answers the lists do not know leave them without a selection; the voltage's
// first character decides contact (0) or not.
TEST_P(DispSetReadingOdd, LeavesUnknownChoicesUnselected)
{
    const ReadCase& c = GetParam();
    const DispSetFields f = fieldsFromReplies(replies(c.data), 1);
    EXPECT_EQ(f.denatu, c.denatu);
    EXPECT_EQ(f.data[0], c.voltage);
    EXPECT_EQ(f.jikan, c.jikan);
    EXPECT_EQ(f.renge, c.renge);
    EXPECT_EQ(f.timer, c.timer);
    EXPECT_EQ(f.sb, (std::array<int, 6>{-1, -1, -1, -1, -1, -1}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DispSetReadingOdd,
    ::testing::Values(
        ReadCase{"contact", {"0200.0", "", "", "5", "", "", "4", "0"}, 0, 5, 4, 0, "100.0"},
        ReadCase{
            "beyondTheLists", {"2 12.0", "", "", "6", "", "", "5", "2"}, 1, -1, -1, -1, "12.0"},
        ReadCase{"notNumbers", {"X", "", "", "A", "", "", "-1", ""}, 0, -1, -1, -1, "100.0"},
        ReadCase{"nothing", {}, 0, -1, -1, -1, "100.0"}),
    [](const auto& info) { return std::string(info.param.name); });

struct KeyCase {
    KeyFilter filter;
    const char* passing;
    const char* refused;
};

class KeyFilters : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyFilters, LetThroughOnlyTheirCharacters)
{
    const KeyCase& c = GetParam();
    for (const QChar k : QString::fromUtf8(c.passing))
        EXPECT_TRUE(keyPasses(c.filter, k)) << QString(k).toStdString();
    for (const QChar k : QString::fromUtf8(c.refused))
        EXPECT_FALSE(keyPasses(c.filter, k)) << QString(k).toStdString();
    EXPECT_TRUE(keyPasses(c.filter, QChar(8)));
    EXPECT_FALSE(keyPasses(c.filter, QChar(13)));
}

INSTANTIATE_TEST_SUITE_P(Filters, KeyFilters,
                         ::testing::Values(KeyCase{KeyFilter::Decimal, "0123456789.", "-+e ,/:a１"},
                                           KeyCase{KeyFilter::Digits, "0123456789", ".-e /:a１"},
                                           KeyCase{KeyFilter::DateTime, "0123456789/:", ". -a１"},
                                           KeyCase{KeyFilter::Any, "0.a /:-１", ""}));

TEST(KeyFilters, EachFieldHasItsFilter)
{
    EXPECT_EQ(txtDataFilter(0), KeyFilter::Decimal);
    EXPECT_EQ(txtDataFilter(1), KeyFilter::Digits);
    EXPECT_EQ(txtDataFilter(2), KeyFilter::Digits);
    EXPECT_EQ(txtDataFilter(3), KeyFilter::DateTime);
    EXPECT_EQ(txtDataFilter(4), KeyFilter::DateTime);
    EXPECT_EQ(txtDataFilter(5), KeyFilter::Any);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(txtDataSbFilter(i), i == 8 || i == 12 ? KeyFilter::Decimal : KeyFilter::Digits)
            << i;
    // A paste is let in only when every character would have been.
    EXPECT_TRUE(textPasses(KeyFilter::DateTime, "2002/06/02"));
    EXPECT_FALSE(textPasses(KeyFilter::Digits, "12\rSCFW"));
}

} // namespace
} // namespace quellin
