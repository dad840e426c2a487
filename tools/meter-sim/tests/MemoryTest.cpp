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

struct ExchangeCase {
    const char* name;
    Setup setup;
    QList<QByteArray> commands;
    QStringList answers;
};

class MemoryExchange : public ::testing::TestWithParam<ExchangeCase> {};

// Record lines are compared by "RMM" and their number.
QStringList heads(const QStringList& lines)
{
    QStringList out;
    for (const QString& l : lines)
        out << (l.startsWith(QLatin1String("RMM")) ? l.left(7) : l);
    return out;
}

TEST_P(MemoryExchange, answersInOrder)
{
    Harness h(GetParam().setup);
    EXPECT_EQ(heads(h.askAll(GetParam().commands)), GetParam().answers);
}

INSTANTIATE_TEST_SUITE_P(
    Memory, MemoryExchange,
    ::testing::Values(
        ExchangeCase{"presetBlocks",
                     preset,
                     {"CBN",   "CMI00", "CMI01", "CMI02", "CMI03", "CMI04", "CMI10",
                      "CMI11", "CMI12", "CMI14", "CMI20", "CMI22", "CMI24", "CMI30",
                      "CMI32", "CMI34", "CMI40", "CMI41", "CMI42", "CMI43", "CMI44"},
                     {"RBN005",
                      "RMI001",
                      "RMI011",
                      "RMI022024/05/13 09:00",
                      "RMI034247EB85",
                      "RMI0496",
                      "RMI102",
                      "RMI110",
                      "RMI122024/05/14 08:30",
                      "RMI149999",
                      "RMI208",
                      "RMI222024/05/21 07:09",
                      "RMI249999",
                      "RMI308",
                      "RMI322024/05/28 05:48",
                      "RMI344802",
                      "RMI400",
                      "RMI413",
                      "RMI422024/06/03 13:15",
                      "RMI4342700A3D",
                      "RMI44672"}},
        ExchangeCase{"unknownBlocksAndItems",
                     preset,
                     {"CMI50", "CMI05", "CMI0", "CMI", "CMI010", "CMM500000001", "CMM00000001",
                      "CMM0000000A1", "SCB5", "SCB07", "SCB"},
                     {"NG", "NG", "NG", "NG", "NG", "NG", "NG", "NG", "NG", "NG", "NG"}},
        ExchangeCase{"emptyMemory", {}, {"CBN", "CMI00", "SCB7"}, {"RBN000", "NG", "OK"}},
        ExchangeCase{"refusedWhileMeasuring",
                     presetAnd([](SimOptions& o) { o.measuring = true; }),
                     {"CBN", "CMI00", "CMM000000001", "SCB0", "SCB7"},
                     {"NG", "NG", "NG", "NG", "NG"}},
        ExchangeCase{"downloadRange",
                     preset,
                     {"CMM000940005", "CMM099990001", "CMM000000000"},
                     {"RMM0094", "RMM0095", "RMME", "RMME", "RMME"}},
        ExchangeCase{"clearMeasurementOfThreeBlocks",
                     preset,
                     {"SCB1", "SCB2", "SCB3", "CBN", "CMI10", "CMI14"},
                     {"CLR1", "CLR1", "OK", "CLR2", "CLR2", "OK", "CLR3", "CLR3", "CPY4", "CPY4",
                      "OK", "RBN002", "RMI100", "RMI14672"}},
        ExchangeCase{
            "clearFirstBlockMovesTheRestDown",
            presetAnd([](SimOptions& o) { o.clearMs = 0; }),
            {"SCB0", "CBN", "CMI00", "CMI10", "CMI30"},
            {"CLR0", "CPY1", "CPY2", "CPY3", "CPY4", "OK", "RBN004", "RMI002", "RMI108", "RMI300"}},
        ExchangeCase{"continuationsGoWithTheirFirstBlock",
                     presetAnd([](SimOptions& o) { o.clearMs = 0; }),
                     {"SCB1", "SCB1", "CBN", "CMI10"},
                     {"CLR1", "OK", "OK", "RBN002", "RMI100"}},
        ExchangeCase{"clearAll",
                     presetAnd([](SimOptions& o) { o.clearMs = 0; }),
                     {"SCB7", "CBN"},
                     {"CLR0", "CLR1", "CLR2", "CLR3", "CLR4", "OK", "RBN000"}},
        ExchangeCase{
            "loggingNeedsMeasuring",
            [](SimOptions& o) { o.loggingRate = 10; },
            {"SMD21", "CMD", "SMD11", "SMD21", "CMD", "SMD10", "CBN", "SMD20", "SMD10", "CBN"},
            {"NG", "RMD200", "OK", "OK", "RMD211", "NG", "NG", "OK", "OK", "RBN001"}},
        ExchangeCase{"faults",
                     presetAnd(
                         [](SimOptions& o) {
                             o.ng << "CMM*";
                             o.silent << "CMI*";
                         }),
                     {"CMM000000001", "CMI00", "CBN"},
                     {"NG", "RBN005"}}),
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

TEST_P(DownloadLayout, recordsFitTheBlocksWiringAndVersion)
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

TEST(Download, sameRecordsEveryTimeAndContinuationsGoOn)
{
    Harness h(preset);
    const QStringList first = h.askAll({"CMM100000003"});
    EXPECT_EQ(h.askAll({"CMM100000003"}), first);
    EXPECT_NE(h.askAll({"CMM200000003"}).mid(0, 3), first.mid(0, 3));
}

TEST(Download, pacedAsTheLineRateCarriesThemAndHeldWithoutRoom)
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

TEST(Download, commandsWaitForTheEndOfTheDownload)
{
    Harness h(preset);
    h.meter().receive("CMM000000002\rCMD\r");
    EXPECT_EQ(heads(h.run(0)), (QStringList{"RMM0000", "RMM0001", "RMME", "RMD200"}));
}

struct DownloadFaultCase {
    const char* name;
    Setup setup;
    QStringList heads;
    bool hangup;
};

class DownloadFaults : public ::testing::TestWithParam<DownloadFaultCase> {};

TEST_P(DownloadFaults, reachTheRecordLines)
{
    Harness h(presetAnd(GetParam().setup));
    QStringList lines = h.askAll({"CMM000000003", "CMM400000003"});
    EXPECT_EQ(heads(lines), GetParam().heads);
    EXPECT_EQ(h.meter().hangupRequested(), GetParam().hangup);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DownloadFaults,
    ::testing::Values(DownloadFaultCase{"ngOnceAfterTwo",
                                        [](SimOptions& o) { o.downloadNgAfter = 2; },
                                        {"RMM0000", "RMM0001", "NG", "RMM0000", "RMM0001",
                                         "RMM0002", "RMME"},
                                        false},
                      DownloadFaultCase{"hangupAfterFour",
                                        [](SimOptions& o) { o.downloadHangupAfter = 4; },
                                        {"RMM0000", "RMM0001", "RMM0002", "RMME", "RMM0000"},
                                        true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DownloadFaults, garbageDamagesEveryFifthRecordLine)
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

TEST(Logging, recordsFallDueAtTheRateAndFillContinuationBlocks)
{
    Harness h([](SimOptions& o) {
        o.loggingRate = 1000;
        o.startTime = parseMeterTime("2024/05/01 10:00:30");
    });
    h.askAll({"SCF063", "SMD11", "SMD21"});
    h.run(10000); // 10 001 records: the first at once, then one a millisecond
    EXPECT_EQ(h.askAll({"SMD20", "SMD10", "CBN", "CMI00", "CMI01", "CMI02", "CMI04", "CMI10",
                        "CMI12", "CMI14", "SLG"}),
              (QStringList{"OK", "OK", "RBN002", "RMI002", "RMI013", "RMI022024/05/01 10:00",
                           "RMI049999", "RMI108", "RMI122024/08/13 13:45", "RMI142", "OK"}));
    // The clock has run on to one interval after the last record.
    h.meter().streamTick();
    EXPECT_EQ(h.sent().value(0).mid(3 + 67, 19), "2024/08/13 14:15:00");
}

TEST(Logging, stopsWhenTheMemoryIsFullAndCannotStartAgain)
{
    Harness h(presetAnd([](SimOptions& o) { o.loggingRate = 100000; }));
    h.askAll({"SMD11", "SMD21"});
    h.run(60000);
    EXPECT_EQ(h.askAll({"CMD", "SMD21", "SMD10", "CBN", "CMI50", "CMI64"}),
              (QStringList{"RMD210", "NG", "OK", "RBN007", "RMI502", "RMI649999"}));
}

} // namespace
} // namespace quellin::sim::testing
