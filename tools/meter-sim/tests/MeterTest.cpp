// The virtual instrument without a pseudo-terminal: answers, framing, the
// measured-data stream and the faults.

#include "Meter.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace quellin::sim {
namespace {

QStringList sent(Meter& meter)
{
    QStringList out;
    for (const Traffic& t : meter.takeTraffic())
        if (t.kind == Traffic::Kind::Sent)
            out << t.text;
    return out;
}

QStringList ask(Meter& meter, const QByteArray& bytes)
{
    meter.receive(bytes);
    return sent(meter);
}

SimOptions baseOptions()
{
    SimOptions o;
    o.startTime = parseMeterTime(QStringLiteral("2024/12/31 23:59:58"));
    return o;
}

struct AnswerCase {
    const char* name;
    std::function<void(SimOptions&)> setup;
    QByteArray input;
    QStringList expected;
};

class MeterAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(MeterAnswers, AnswersEveryCommandWithOneLine)
{
    SimOptions o = baseOptions();
    if (GetParam().setup)
        GetParam().setup(o);
    Meter meter(o);
    EXPECT_EQ(ask(meter, GetParam().input), GetParam().expected);
}

const auto noSetup = std::function<void(SimOptions&)>();

INSTANTIATE_TEST_SUITE_P(
    Commands, MeterAnswers,
    ::testing::Values(
        AnswerCase{"sle", noSetup, "SLE\r", {"OK"}},
        AnswerCase{"verDefault", noSetup, "VER\r", {"VER2.10A"}},
        AnswerCase{"verOne", [](SimOptions& o) { o.version = 1; }, "VER\r", {"VER1.05A"}},
        AnswerCase{
            "verText", [](SimOptions& o) { o.versionText = "3.00B"; }, "VER\r", {"VER3.00B"}},
        AnswerCase{"cmdIdle", noSetup, "CMD\r", {"RMD200"}},
        AnswerCase{"cmdWiringZero", [](SimOptions& o) { o.wiring = 0; }, "CMD\r", {"RMD000"}},
        AnswerCase{"cmdMeasuringLogging",
                   [](SimOptions& o) {
                       o.wiring = 1;
                       o.measuring = true;
                       o.logging = true;
                   },
                   "CMD\r",
                   {"RMD111"}},
        AnswerCase{"measuringOnThenStatus", noSetup, "SMD11\rCMD\r", {"OK", "RMD210"}},
        AnswerCase{"measuringOffThenStatus",
                   [](SimOptions& o) { o.measuring = true; },
                   "SMD10\rCMD\r",
                   {"OK", "RMD200"}},
        AnswerCase{"ratios",
                   [](SimOptions& o) {
                       o.ptRatio = 60;
                       o.ctRatio = 1200;
                   },
                   "CCF03\rCCF04\r",
                   {"RCF030060", "RCF041200"}},
        AnswerCase{"unknownSettingsItem", noSetup, "CCF77\r", {"NG"}},
        AnswerCase{"unknownCommand", noSetup, "XYZ\r", {"NG"}},
        AnswerCase{"lowerCaseIsUnknown", noSetup, "cmd\r", {"NG"}},
        AnswerCase{"emptyLine", noSetup, "\r", {"NG"}},
        AnswerCase{"lineFeedIgnored", noSetup, "\nCMD\r\n\nVER\r", {"RMD200", "VER2.10A"}},
        AnswerCase{"noCarriageReturnNoAnswer", noSetup, "CMD", {}},
        AnswerCase{
            "silentExact", [](SimOptions& o) { o.silent << "VER"; }, "VER\rCMD\r", {"RMD200"}},
        AnswerCase{"silentPrefix",
                   [](SimOptions& o) { o.silent << "CCF*"; },
                   "CCF03\rCCF04\rSLE\r",
                   {"OK"}},
        AnswerCase{"silentIgnoresTheCommand",
                   [](SimOptions& o) { o.silent << "SMD11"; },
                   "SMD11\rCMD\r",
                   {"RMD200"}},
        AnswerCase{"ngExact", [](SimOptions& o) { o.ng << "VER"; }, "VER\rCMD\r", {"NG", "RMD200"}},
        AnswerCase{"ngIgnoresTheCommand",
                   [](SimOptions& o) { o.ng << "SMD11"; },
                   "SMD11\rCMD\r",
                   {"NG", "RMD200"}},
        AnswerCase{"ngNeedsTheWholeCommand",
                   [](SimOptions& o) { o.ng << "CCF0"; },
                   "CCF03\r",
                   {"RCF030001"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeterFraming, CommandSplitInEveryPlaceIsAnsweredOnce)
{
    const QByteArray input = "CCF03\r";
    for (qsizetype cut = 1; cut < input.size(); ++cut) {
        Meter meter(baseOptions());
        EXPECT_TRUE(ask(meter, input.left(cut)).isEmpty()) << cut;
        EXPECT_EQ(ask(meter, input.mid(cut)), QStringList{"RCF030001"}) << cut;
    }
}

TEST(MeterFraming, OverlongCommandIsRefusedAndTheNextOneAnswered)
{
    Meter meter(baseOptions());
    const QByteArray junk(Meter::kMaxCommandLength + 50, 'A');
    EXPECT_EQ(ask(meter, junk + "\rCMD\r"), (QStringList{"NG", "RMD200"}));
}

TEST(MeterFraming, ReceivedCommandsAreReportedBeforeTheirAnswers)
{
    Meter meter(baseOptions());
    meter.receive("VER\r");
    const std::vector<Traffic> t = meter.takeTraffic();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].kind, Traffic::Kind::Received);
    EXPECT_EQ(t[0].text, "VER");
    EXPECT_EQ(t[1].kind, Traffic::Kind::Sent);
}

TEST(MeterCommandTable, WholeCommandBeatsPrefixAndLongestPrefixWins)
{
    Meter meter(baseOptions());
    meter.addCommand("CM*", [](Meter& m, const QString& c) { m.reply("short " + c); });
    meter.addCommand("CMI*", [](Meter& m, const QString& c) { m.reply("long " + c); });
    EXPECT_EQ(ask(meter, "CMI00\rCMX\rCMD\r"), (QStringList{"long CMI00", "short CMX", "RMD200"}));
}

QStringList streamLines(Meter& meter, int ticks)
{
    QStringList out;
    for (int i = 0; i < ticks; ++i) {
        meter.streamTick();
        out << sent(meter);
    }
    return out;
}

TEST(MeterStream, NothingIsStreamedBeforeSlgAndAfterSle)
{
    Meter meter(baseOptions());
    EXPECT_TRUE(streamLines(meter, 3).isEmpty());
    EXPECT_EQ(ask(meter, "SLG\r"), QStringList{"OK"});
    EXPECT_EQ(streamLines(meter, 2).size(), 2);
    EXPECT_EQ(ask(meter, "SLE\r"), QStringList{"OK"});
    EXPECT_TRUE(streamLines(meter, 3).isEmpty());
    EXPECT_FALSE(meter.streaming());
}

TEST(MeterStream, StoppingTheMeasurementStopsTheStream)
{
    Meter meter(baseOptions());
    ask(meter, "SMD11\rSLG\r");
    EXPECT_EQ(ask(meter, "SMD10\r"), QStringList{"OK"});
    EXPECT_FALSE(meter.streaming());
    EXPECT_TRUE(streamLines(meter, 2).isEmpty());
}

TEST(MeterStream, ClockStepsOneSecondPerLineAcrossTheYear)
{
    Meter meter(baseOptions());
    ask(meter, "SLG\r");
    const QStringList lines = streamLines(meter, 4);
    const QStringList times = {"2024/12/31 23:59:58", "2024/12/31 23:59:59", "2025/01/01 00:00:00",
                               "2025/01/01 00:00:01"};
    ASSERT_EQ(lines.size(), times.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].mid(3 + 67, 19), times[i]) << i;
    EXPECT_EQ(meter.clock().toString("yyyy/MM/dd HH:mm:ss"), "2025/01/01 00:00:02");
}

struct FaultCase {
    const char* name;
    std::function<void(SimOptions&)> setup;
    int ticks;
    // Expected kinds of the lines after "OK": R measured data, G garbage, O overlong,
    // S "STP", L "LOW".
    const char* kinds;
    bool streamingAfter;
    bool hangup;
};

class MeterFaults : public ::testing::TestWithParam<FaultCase> {};

char kindOf(const QString& line)
{
    if (line == "STP")
        return 'S';
    if (line == "LOW")
        return 'L';
    if (line.size() == kOverlongLength)
        return 'O';
    if (line.startsWith("RML") && line.size() == 134)
        return 'R';
    return 'G';
}

TEST_P(MeterFaults, StreamShowsTheFaultWhereExpected)
{
    SimOptions o = baseOptions();
    GetParam().setup(o);
    Meter meter(o);
    QStringList lines = ask(meter, "SMD11\rSLG\r");
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.mid(0, 2), (QStringList{"OK", "OK"}));
    lines = lines.mid(2) + streamLines(meter, GetParam().ticks);
    QString kinds;
    for (const QString& line : lines)
        kinds += QLatin1Char(kindOf(line));
    EXPECT_EQ(kinds, QLatin1String(GetParam().kinds));
    EXPECT_EQ(meter.streaming(), GetParam().streamingAfter);
    EXPECT_EQ(meter.hangupRequested(), GetParam().hangup);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MeterFaults,
    ::testing::Values(
        FaultCase{"none", [](SimOptions&) {}, 6, "RRRRRR", true, false},
        FaultCase{"garbageEveryFifth", [](SimOptions& o) { o.garbage = true; }, 11, "RRRRGRRRRGR",
                  true, false},
        FaultCase{"overlongOnceFirst", [](SimOptions& o) { o.overlong = true; }, 3, "ORRR", true,
                  false},
        FaultCase{"stpAfterThree", [](SimOptions& o) { o.stpAfter = 3; }, 6, "RRRS", false, false},
        FaultCase{"stpAtOnce", [](SimOptions& o) { o.stpAfter = 0; }, 3, "S", false, false},
        FaultCase{"lowAfterTwo", [](SimOptions& o) { o.lowAfter = 2; }, 4, "RRLRR", true, false},
        FaultCase{"maxLines", [](SimOptions& o) { o.maxLines = 4; }, 8, "RRRR", false, false},
        FaultCase{"hangupAfterTwo", [](SimOptions& o) { o.hangupAfter = 2; }, 5, "RR", false, true},
        FaultCase{"lowThenStop",
                  [](SimOptions& o) {
                      o.lowAfter = 1;
                      o.stpAfter = 1;
                  },
                  3, "RLS", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeterFaults, StopReportEndsMeasuring)
{
    SimOptions o = baseOptions();
    o.stpAfter = 1;
    Meter meter(o);
    ask(meter, "SMD11\rSLG\r");
    streamLines(meter, 1);
    EXPECT_EQ(ask(meter, "CMD\r"), QStringList{"RMD200"});
}

TEST(MeterFaults, GarbageLeavesTheOtherReadingsAsWithout)
{
    SimOptions plain = baseOptions();
    SimOptions noisy = baseOptions();
    noisy.garbage = true;
    Meter a(plain), b(noisy);
    ask(a, "SLG\r");
    ask(b, "SLG\r");
    const QStringList la = streamLines(a, 12), lb = streamLines(b, 12);
    ASSERT_EQ(la.size(), lb.size());
    for (qsizetype i = 0; i < la.size(); ++i) {
        if ((i + 1) % kGarbageEvery == 0) {
            EXPECT_NE(la[i], lb[i]);
            EXPECT_FALSE(lb[i].contains('\r') || lb[i].contains('\n'));
        } else {
            EXPECT_EQ(la[i], lb[i]) << i;
        }
    }
}

TEST(MeterFaults, MaxLinesHoldsAcrossAnotherSlg)
{
    SimOptions o = baseOptions();
    o.maxLines = 2;
    Meter meter(o);
    ask(meter, "SLG\r");
    EXPECT_EQ(streamLines(meter, 5).size(), 2);
    EXPECT_EQ(ask(meter, "SLG\r"), QStringList{"OK"});
    EXPECT_TRUE(streamLines(meter, 3).isEmpty());
}

TEST(MeterFaults, UnsolicitedReportsAnyTime)
{
    Meter meter(baseOptions());
    meter.reportLowBattery();
    meter.reportStop();
    EXPECT_EQ(sent(meter), (QStringList{"LOW", "STP"}));
}

} // namespace
} // namespace quellin::sim
