// The meter's settings: the answers to the read commands, its limits, the
// clock, the measuring line, the flash write, and the refusals while measuring.

#include "MeterHarness.h"

#include <gtest/gtest.h>

namespace quellin::sim::testing {
namespace {

struct ExchangeCase {
    const char* name;
    Setup setup;
    QList<QByteArray> commands;
    QStringList answers;
};

class SettingsExchange : public ::testing::TestWithParam<ExchangeCase> {};

TEST_P(SettingsExchange, answersAsTheProgramReadsAndSetsThem)
{
    Harness h(GetParam().setup);
    EXPECT_EQ(h.askAll(GetParam().commands), GetParam().answers);
}

const Setup v1 = [](SimOptions& o) { o.version = 1; };
const Setup measuring = [](SimOptions& o) { o.measuring = true; };

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingsExchange,
    ::testing::Values(
        // The read list in the program's order; lengths 11, 9, 9, 6, 21, 21, 6, 6, 11.
        ExchangeCase{
            "factoryValues",
            {},
            {"CCF02", "CCF03", "CCF04", "CCF06", "CCF07", "CCF08", "CCF01", "CCF05", "CCM"},
            {"RCF020200.0", "RCF030001", "RCF040001", "RCF061", "RCF072025/01/01 09:00",
             "RCF082025/01/01 17:00", "RCF010", "RCF050", "RCM09600N81"}},
        ExchangeCase{"controlOutputs",
                     {},
                     {"CCF10", "CCF11", "CCF21", "CCF30", "CCF39", "CCF40", "CCF09"},
                     {"RCF1005", "RCF111", "RCF21030.0", "RCF301", "RCF3910", "NG", "NG"}},
        ExchangeCase{"versionOneHasNoOutputs",
                     v1,
                     {"CCF10", "CCF39", "SCF1005", "CCF02"},
                     {"NG", "NG", "NG", "RCF020200.0"}},
        ExchangeCase{"voltageKeptWhileContact",
                     {},
                     {"SCF021123.4", "CCF02", "SCF020", "CCF02"},
                     {"OK", "RCF021123.4", "OK", "RCF020123.4"}},
        ExchangeCase{"voltageForms",
                     {},
                     {"SCF0211234", "SCF021", "SCF022100.0", "SCF02", "SCF0211000.0", "CCF02"},
                     {"NG", "NG", "NG", "NG", "NG", "RCF020200.0"}},
        ExchangeCase{"ratios",
                     {},
                     {"SCF0360", "CCF03", "SCF049999", "SCF040", "SCF0410000", "SCF04+12", "CCF04"},
                     {"OK", "RCF030060", "OK", "NG", "NG", "NG", "RCF049999"}},
        ExchangeCase{"loggingWindow",
                     {},
                     {"SCF072024/02/29 09:00", "SCF072023/02/29 09:00", "SCF082024/06/01 24:00",
                      "SCF082024/6/01 10:00", "SCF081999/12/31 10:00", "CCF07"},
                     {"OK", "NG", "NG", "NG", "NG", "RCF072024/02/29 09:00"}},
        ExchangeCase{"choices",
                     {},
                     {"SCF065", "SCF066", "SCF014", "SCF015", "SCF051", "SCF052", "SCF06"},
                     {"OK", "NG", "OK", "NG", "OK", "NG", "NG"}},
        ExchangeCase{
            "outputLimits",
            {},
            {"SCF10999", "CCF10", "SCF101000", "SCF135", "SCF1350", "CCF13", "SCF1160", "SCF200",
             "SCF21999.9", "SCF21 99.9", "SCF303", "SCF1X5"},
            {"OK", "RCF10999", "NG", "NG", "OK", "RCF1350", "NG", "NG", "OK", "NG", "NG", "NG"}},
        ExchangeCase{"refusedWhileMeasuring",
                     measuring,
                     {"SCF0360", "STM2024/01/01 00:00:00", "SCFW", "SMD00", "CCF03", "CMD"},
                     {"NG", "NG", "NG", "NG", "RCF030001", "RMD210"}},
        ExchangeCase{"measuringLine",
                     {},
                     {"SMD00", "CMD", "SMD01", "CMD", "SMD03", "CMD"},
                     {"OK", "RMD000", "OK", "RMD100", "NG", "RMD100"}},
        ExchangeCase{"clockForms",
                     {},
                     {"STM2024/13/01 00:00:00", "STM2024-01-01 00:00:00", "STM",
                      "STM 2024/01/01 00:00:00", "STM2024/01/01 23:59:59"},
                     {"NG", "NG", "NG", "OK", "OK"}},
        ExchangeCase{"ngFaultMatchesTheSettingWithoutItsValue",
                     [](SimOptions& o) {
                         o.ng << "SCF10"
                              << "STM";
                     },
                     {"SCF1007", "SCF11", "STM2024/01/01 00:00:00", "CCF10", "CCF11"},
                     {"NG", "NG", "NG", "RCF1005", "RCF111"}},
        ExchangeCase{"silentFault",
                     [](SimOptions& o) {
                         o.silent << "SCF*"
                                  << "CCM";
                     },
                     {"SCFW", "SCF0360", "CCM", "CCF03"},
                     {"RCF030001"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every control output takes the ends of its range, in the form the program
// sends, and refuses one step beyond them.
TEST(SettingsLimits, everyControlOutputItemTakesItsRangeAndNothingBeyond)
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
        for (const char* bad : {r.below, r.above})
            if (bad)
                EXPECT_EQ(h.ask(set + bad), QStringList{"NG"}) << item << " " << bad;
    }
}

TEST(SettingsClock, setTimeIsCarriedByTheNextMeasuredDataLine)
{
    Harness h;
    h.askAll({"STM2024/05/01 10:00:00", "SLG"});
    h.meter().streamTick();
    h.meter().streamTick();
    const QStringList lines = h.sent();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].mid(3 + 67, 19), "2024/05/01 10:00:00");
    EXPECT_EQ(lines[1].mid(3 + 67, 19), "2024/05/01 10:00:01");
}

TEST(SettingsWiring, twoWireLineSendsNoTPhase)
{
    Harness h;
    h.askAll({"SMD00", "SLG"});
    h.meter().streamTick();
    const QStringList lines = h.sent();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(fieldOf(lines[0], 2), 0.0f); // voltage T
    EXPECT_EQ(fieldOf(lines[0], 4), 0.0f); // current T
    EXPECT_NEAR(fieldOf(lines[0], 1), 100.0f, 5.0f);
}

TEST(SettingsFlash, writeIsAnsweredAfterItsPauseAndHoldsTheNextCommand)
{
    Harness h([](SimOptions& o) { o.flashMs = 300; });
    EXPECT_TRUE(h.ask("SCFW").isEmpty());
    h.meter().receive("CMD\r");
    EXPECT_TRUE(h.run(299).isEmpty());
    EXPECT_EQ(h.run(1), (QStringList{"OK", "RMD200"}));
}

} // namespace
} // namespace quellin::sim::testing
