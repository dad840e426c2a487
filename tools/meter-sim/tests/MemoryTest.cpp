// The logging memory: block descriptions, downloads, logging, clearing and
// the faults that reach them.

#include "MeterHarness.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quellin::sim::testing {
namespace {

const Setup preset = [](SimOptions& o) {
    o.memoryPreset = true;
    o.clearMs = 1500;
    o.downloadBaud = 0;
};

Setup presetAnd(const Setup& more)
{
    return [more](SimOptions& o) {
        preset(o);
        more(o);
    };
}

class MemoryExchange : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(MemoryExchange, AnswersInOrder)
{
    Harness h(GetParam().setup);
    expectScript(h, GetParam().script);
}

const Setup noClearTime = presetAnd([](SimOptions& o) { o.clearMs = 0; });

INSTANTIATE_TEST_SUITE_P(
    Memory, MemoryExchange,
    ::testing::Values(
        ScriptCase{"presetBlocks", preset,
                   "CBN > RBN005 | CMI00 > RMI001 | CMI01 > RMI011 | "
                   "CMI02 > RMI022024/05/13 09:00 | CMI03 > RMI034247EB85 | CMI04 > RMI0496 | "
                   "CMI10 > RMI102 | CMI11 > RMI110 | CMI12 > RMI122024/05/14 08:30 | "
                   "CMI14 > RMI149999 | CMI20 > RMI208 | CMI22 > RMI222024/05/21 07:09 | "
                   "CMI24 > RMI249999 | CMI30 > RMI308 | CMI32 > RMI322024/05/28 05:48 | "
                   "CMI34 > RMI344802 | CMI40 > RMI400 | CMI41 > RMI413 | "
                   "CMI42 > RMI422024/06/03 13:15 | CMI43 > RMI4342700A3D | CMI44 > RMI44672"},
        ScriptCase{"unknownBlocksAndItems", preset,
                   "CMI50 > NG | CMI05 > NG | CMI0 > NG | CMI > NG | CMI010 > NG | "
                   "CMM500000001 > NG | CMM00000001 > NG | CMM0000000A1 > NG | SCB5 > NG | "
                   "SCB07 > NG | SCB > NG"},
        ScriptCase{"emptyMemory", {}, "CBN > RBN000 | CMI00 > NG | SCB7 > OK"},
        ScriptCase{"refusedWhileMeasuring", presetAnd([](SimOptions& o) { o.measuring = true; }),
                   "CBN > NG | CMI00 > NG | CMM000000001 > NG | SCB0 > NG | SCB7 > NG"},
        ScriptCase{"downloadRange", preset,
                   "CMM000940005 > RMM0094, RMM0095, RMME | CMM099990001 > RMME | "
                   "CMM000000000 > RMME"},
        ScriptCase{"clearMeasurementOfThreeBlocks", preset,
                   "SCB1 > CLR1, CLR1, OK | SCB2 > CLR2, CLR2, OK | "
                   "SCB3 > CLR3, CLR3, CPY4, CPY4, OK | CBN > RBN002 | CMI10 > RMI100 | "
                   "CMI14 > RMI14672"},
        ScriptCase{"clearFirstBlockMovesTheRestDown", noClearTime,
                   "SCB0 > CLR0, CPY1, CPY2, CPY3, CPY4, OK | CBN > RBN004 | CMI00 > RMI002 | "
                   "CMI10 > RMI108 | CMI30 > RMI300"},
        ScriptCase{"continuationsGoWithTheirFirstBlock", noClearTime,
                   "SCB1 > CLR1, OK | SCB1 > OK | CBN > RBN002 | CMI10 > RMI100"},
        ScriptCase{"clearAll", noClearTime,
                   "SCB7 > CLR0, CLR1, CLR2, CLR3, CLR4, OK | CBN > RBN000"},
        ScriptCase{"loggingNeedsMeasuring", [](SimOptions& o) { o.loggingRate = 10; },
                   "SMD21 > NG | CMD > RMD200 | SMD11 > OK | SMD21 > OK | CMD > RMD211 | "
                   "SMD10 > NG | CBN > NG | SMD20 > OK | SMD10 > OK | CBN > RBN001"},
        ScriptCase{"faults", presetAnd([](SimOptions& o) {
                       o.ng << "CMM*";
                       o.silent << "CMI*";
                   }),
                   "CMM000000001 > NG | CMI00 > | CBN > RBN005"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LayoutCase {
    int version;
    int block;
    int length;
    int fields;
    float volts; // nominal voltage of the block's wiring
    bool tPhase;
};

class DownloadLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DownloadLayout, RecordsFitTheBlocksWiringAndVersion)
{
    const LayoutCase c = GetParam();
    Harness h(presetAnd([&](SimOptions& o) { o.version = c.version; }));
    const QStringList lines = h.askAll({"CMM" + QByteArray::number(c.block) + "00000050"});
    ASSERT_EQ(lines.size(), 51);
    EXPECT_EQ(lines.last(), "RMME");
    for (int i = 0; i < 50; ++i) {
        const QString& line = lines[i];
        ASSERT_EQ(line.size(), c.length) << line.toStdString();
        EXPECT_EQ(line.left(7), QStringLiteral("RMM%1").arg(i, 4, 10, QLatin1Char('0')));
        for (int k = 1; k <= c.fields; ++k)
            ASSERT_TRUE(std::isfinite(fieldOf(line, k))) << k << " " << line.toStdString();
        EXPECT_NEAR(fieldOf(line, 1), c.volts, 0.05 * c.volts);
        EXPECT_EQ(fieldOf(line, 2) != 0, c.tPhase);
        const int wiring = c.tPhase ? (c.volts > 150 ? 2 : 1) : 0;
        const double s = apparentPower(wiring, fieldOf(line, 1), fieldOf(line, 3), fieldOf(line, 2),
                                       fieldOf(line, 4));
        EXPECT_NEAR(100.0 * fieldOf(line, 5) / s, fieldOf(line, 6), 0.05);
    }
}

INSTANTIATE_TEST_SUITE_P(Blocks, DownloadLayout,
                         ::testing::Values(LayoutCase{2, 0, 105, 11, 100, true},
                                           LayoutCase{2, 2, 105, 11, 200, true},
                                           LayoutCase{1, 4, 60, 6, 100, false}));

TEST(Download, PacedAsTheLineRateCarriesThemAndHeldWithoutRoom)
{
    // 105 characters and CR at 9600 baud: 110.4 ms a line.
    Harness h(presetAnd([](SimOptions& o) { o.downloadBaud = 9600; }));
    EXPECT_EQ(heads(h.ask("CMM000000004")), QStringList{"RMM0000"});
    EXPECT_TRUE(h.run(109).isEmpty());
    EXPECT_EQ(heads(h.run(1)), QStringList{"RMM0001"}); // at 110 ms
    EXPECT_TRUE(h.run(110).isEmpty());
    EXPECT_EQ(heads(h.run(1)), QStringList{"RMM0002"}); // at 221 ms: no drift
    EXPECT_TRUE(h.run(1000, 100).isEmpty());            // no room for the next line
    // Held up, it goes on at its pace from when it got room, without a burst.
    EXPECT_EQ(heads(h.run(0)), QStringList{"RMM0003"});
    EXPECT_TRUE(h.run(110).isEmpty());
    EXPECT_EQ(h.run(1), QStringList{"RMME"});
}

TEST(Download, CommandsWaitForTheEndOfTheDownload)
{
    Harness h(preset);
    h.meter().receive("CMM000000002\rCMD\r");
    EXPECT_EQ(heads(h.run(0)), (QStringList{"RMM0000", "RMM0001", "RMME", "RMD200"}));
}

class DownloadFaults : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(DownloadFaults, ReachTheRecordLines)
{
    Harness h(presetAnd(GetParam().setup));
    expectScript(h, GetParam().script);
    EXPECT_EQ(h.meter().hangupRequested(), GetParam().hangup);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DownloadFaults,
    ::testing::Values(ScriptCase{"ngOnceAfterTwo", [](SimOptions& o) { o.downloadNgAfter = 2; },
                                 "CMM000000003 > RMM0000, RMM0001, NG | "
                                 "CMM400000003 > RMM0000, RMM0001, RMM0002, RMME"},
                      ScriptCase{
                          "hangupAfterFour", [](SimOptions& o) { o.downloadHangupAfter = 4; },
                          "CMM000000003 > RMM0000, RMM0001, RMM0002, RMME | CMM400000003 > RMM0000",
                          true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DownloadFaults, GarbageDamagesEveryFifthRecordLine)
{
    Harness h(presetAnd([](SimOptions& o) { o.garbage = true; }));
    const QStringList lines = h.askAll({"CMM000000015"});
    ASSERT_EQ(lines.size(), 16);
    for (int i = 0; i < 15; ++i) {
        bool sound = lines[i].size() == 105;
        for (int k = 1; k <= 11 && sound; ++k)
            sound = std::isfinite(fieldOf(lines[i], k));
        EXPECT_EQ(sound, (i + 1) % 5 != 0) << i << " " << lines[i].toStdString();
    }
}

TEST(Logging, RecordsFallDueAtTheRateAndFillContinuationBlocks)
{
    Harness h([](SimOptions& o) {
        o.loggingRate = 1000;
        o.startTime = parseMeterTime("2024/05/01 10:00:30");
    });
    h.askAll({"SCF063", "SMD11", "SMD21"});
    h.run(10000); // 10 001 records: the first at once, then one a millisecond
    expectScript(h, "SMD20 > OK | SMD10 > OK | CBN > RBN002 | CMI00 > RMI002 | CMI01 > RMI013 | "
                    "CMI02 > RMI022024/05/01 10:00 | CMI04 > RMI049999 | CMI10 > RMI108 | "
                    "CMI12 > RMI122024/08/13 13:45 | CMI14 > RMI142 | SLG > OK");
    // The clock has run on to the last record.
    h.meter().streamTick();
    EXPECT_EQ(h.sent().value(0).mid(3 + 67, 19), "2024/08/13 14:00:00");
}

TEST(Logging, StopsWhenTheMemoryIsFullAndCannotStartAgain)
{
    Harness h(presetAnd([](SimOptions& o) { o.loggingRate = 100000; }));
    h.askAll({"SMD11", "SMD21"});
    h.run(60000);
    expectScript(h, "CMD > RMD210 | SMD21 > NG | SMD10 > OK | CBN > RBN007 | CMI50 > RMI502 | "
                    "CMI64 > RMI649999");
}

} // namespace
} // namespace quellin::sim::testing
