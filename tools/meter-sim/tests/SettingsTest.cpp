// The meter's settings: the answers to the read commands, its limits, the
// clock, the measuring line, the flash write, and the refusals while measuring.

#include "MeterHarness.h"

#include <gtest/gtest.h>

namespace quellin::sim::testing {
namespace {

class SettingsExchange : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(SettingsExchange, AnswersAsTheProgramReadsAndSetsThem)
{
    Harness h(GetParam().setup);
    expectScript(h, GetParam().script);
}

const Setup v1 = [](SimOptions& o) { o.version = 1; };
const Setup measuring = [](SimOptions& o) { o.measuring = true; };

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingsExchange,
    ::testing::Values(
        // The read list in the program's order; lengths 11, 9, 9, 6, 21, 21, 6, 6, 11.
        ScriptCase{"factoryValues",
                   {},
                   "CCF02 > RCF020200.0 | CCF03 > RCF030001 | CCF04 > RCF040001 | CCF06 > RCF061 | "
                   "CCF07 > RCF072025/01/01 09:00 | CCF08 > RCF082025/01/01 17:00 | "
                   "CCF01 > RCF010 | CCF05 > RCF050 | CCM > RCM09600N81"},
        ScriptCase{"controlOutputs",
                   {},
                   "CCF10 > RCF1005 | CCF11 > RCF111 | CCF21 > RCF21030.0 | CCF30 > RCF301 | "
                   "CCF39 > RCF3910 | CCF40 > NG | CCF09 > NG"},
        ScriptCase{"versionOneHasNoOutputs", v1,
                   "CCF10 > NG | CCF39 > NG | SCF1005 > NG | CCF02 > RCF020200.0"},
        ScriptCase{"voltageKeptWhileContact",
                   {},
                   "SCF021123.4 > OK | CCF02 > RCF021123.4 | SCF020 > OK | CCF02 > RCF020123.4"},
        ScriptCase{"voltageForms",
                   {},
                   "SCF0211234 > NG | SCF021 > NG | SCF022100.0 > NG | SCF02 > NG | "
                   "SCF0211000.0 > NG | CCF02 > RCF020200.0"},
        ScriptCase{"ratios",
                   {},
                   "SCF0360 > OK | CCF03 > RCF030060 | SCF049999 > OK | SCF040 > NG | "
                   "SCF0410000 > NG | SCF04+12 > NG | CCF04 > RCF049999"},
        ScriptCase{"loggingWindow",
                   {},
                   "SCF072024/02/29 09:00 > OK | SCF072023/02/29 09:00 > NG | "
                   "SCF082024/06/01 24:00 > NG | SCF082024/6/01 10:00 > NG | "
                   "SCF081999/12/31 10:00 > NG | CCF07 > RCF072024/02/29 09:00"},
        ScriptCase{"choices",
                   {},
                   "SCF065 > OK | SCF066 > NG | SCF014 > OK | SCF015 > NG | SCF051 > OK | "
                   "SCF052 > NG | SCF06 > NG"},
        ScriptCase{"outputForms",
                   {},
                   "SCF10999 > OK | CCF10 > RCF10999 | SCF135 > NG | SCF1160 > NG | "
                   "SCF21 99.9 > NG | SCF1X5 > NG"},
        ScriptCase{"refusedWhileMeasuring", measuring,
                   "SCF0360 > NG | STM2024/01/01 00:00:00 > NG | SCFW > NG | SMD00 > NG | "
                   "CCF03 > RCF030001 | CMD > RMD210"},
        ScriptCase{"measuringLine",
                   {},
                   "SMD00 > OK | CMD > RMD000 | SMD01 > OK | CMD > RMD100 | SMD03 > NG | "
                   "CMD > RMD100"},
        ScriptCase{"clockForms",
                   {},
                   "STM2024/13/01 00:00:00 > NG | STM2024-01-01 00:00:00 > NG | STM > NG | "
                   "STM 2024/01/01 00:00:00 > OK | STM2024/01/01 23:59:59 > OK"},
        ScriptCase{"ngFaultMatchesTheSettingWithoutItsValue",
                   [](SimOptions& o) {
                       o.ng << "SCF10"
                            << "STM";
                   },
                   "SCF1007 > NG | SCF11 > NG | STM2024/01/01 00:00:00 > NG | CCF10 > RCF1005 | "
                   "CCF11 > RCF111"},
        ScriptCase{"silentFault",
                   [](SimOptions& o) {
                       o.silent << "SCF*"
                                << "CCM";
                   },
                   "SCFW > | SCF0360 > | CCM > | CCF03 > RCF030001"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every control output takes the ends of its range, in the form the program
// sends, and refuses one step beyond them.
TEST(SettingsLimits, EveryControlOutputItemTakesItsRangeAndNothingBeyond)
{
    struct Range {
        const char* low;
        const char* high;
        const char* below; // nullptr: nothing below can be written
        const char* above;
    };
    const Range onTime{"00", "60", nullptr, "61"}, offLevel{"50", "99", "49", "100"},
        offTime{"00", "10", nullptr, "11"};
    const Range first[3] = {{"00", "999", nullptr, "1000"},         // power level
                            {"1", "3", "0", "4"},                   // leakage channel
                            {"1", "2", "0", "3"}};                  // temperature channel
    const Range second[3] = {{"0", "4", nullptr, "5"},              // power unit
                             {"000.0", "999.9", nullptr, "1000.0"}, // leakage level
                             {"00", "99", nullptr, "100"}};         // temperature level
    Harness h;
    for (int item = 10; item <= 39; ++item) {
        const int group = (item - 10) / 10;
        const Range* ranges[5] = {&first[group], &second[group], &onTime, &offLevel, &offTime};
        const Range& r = *ranges[item % 5];
        const QByteArray set = "SCF" + QByteArray::number(item);
        for (const char* good : {r.low, r.high}) {
            EXPECT_EQ(h.ask(set + good), QStringList{"OK"}) << item << " " << good;
            EXPECT_EQ(h.ask("CCF" + QByteArray::number(item)),
                      QStringList{QString::fromLatin1("RCF%1%2").arg(item).arg(good)});
        }
        for (const char* bad : {r.below, r.above}) {
            if (bad) {
                EXPECT_EQ(h.ask(set + bad), QStringList{"NG"}) << item << " " << bad;
            }
        }
    }
}

// The clock and the measuring line set are what the next measured-data line carries.
TEST(SettingsStream, ClockAndLineShowInTheMeasuredData)
{
    Harness h;
    h.askAll({"STM2024/05/01 10:00:00", "SMD00", "SLG"});
    h.meter().streamTick();
    h.meter().streamTick();
    const QStringList lines = h.sent();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].mid(3 + 67, 19), "2024/05/01 10:00:00");
    EXPECT_EQ(lines[1].mid(3 + 67, 19), "2024/05/01 10:00:01");
    EXPECT_NEAR(fieldOf(lines[0], 1), 100.0f, 5.0f); // voltage R of a single-phase line
    EXPECT_EQ(fieldOf(lines[0], 2), 0.0f);           // no voltage T on two wires
    EXPECT_EQ(fieldOf(lines[0], 4), 0.0f);           // nor current T
}

TEST(SettingsFlash, WriteIsAnsweredAfterItsPauseAndHoldsTheNextCommand)
{
    Harness h([](SimOptions& o) { o.flashMs = 300; });
    EXPECT_TRUE(h.ask("SCFW").isEmpty());
    h.meter().receive("CMD\r");
    EXPECT_TRUE(h.run(299).isEmpty());
    EXPECT_EQ(h.run(1), (QStringList{"OK", "RMD200"}));
}

} // namespace
} // namespace quellin::sim::testing
