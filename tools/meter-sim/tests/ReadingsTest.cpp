// Readings, the measured-data line layout and the command-line options.

#include "Readings.h"
#include "SimOptions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quellin::sim {
namespace {

struct HexCase {
    float value;
    const char* hex;
};

class HexOfSingle : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexOfSingle, IsBigEndianUpperCaseAndReadsBack)
{
    EXPECT_EQ(hexOfSingle(GetParam().value), QLatin1String(GetParam().hex));
    float back = -1;
    ASSERT_TRUE(singleOfHex(QLatin1String(GetParam().hex), back));
    EXPECT_EQ(back, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, HexOfSingle,
                         ::testing::Values(HexCase{10.0f, "41200000"}, HexCase{0.0f, "00000000"},
                                           HexCase{-10.0f, "C1200000"}, HexCase{1.0f, "3F800000"},
                                           HexCase{0.5f, "3F000000"},
                                           HexCase{200.25f, "43484000"}));

TEST(HexOfSingle, RefusesWhatIsNotEightHexDigits)
{
    float v = 0;
    for (const char* bad : {"4120000", "412000000", "4120000G", ""})
        EXPECT_FALSE(singleOfHex(QLatin1String(bad), v)) << bad;
}

float fieldAt(const QString& line, int position)
{
    // Positions count from 1 after "RML".
    float v = 0;
    EXPECT_TRUE(singleOfHex(line.mid(3 + position - 1, 8), v)) << position;
    return v;
}

struct LayoutCase {
    int version;
    int length;
};

class MeasuredLineLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MeasuredLineLayout, FieldsSitAtTheirPositions)
{
    Reading r;
    r.voltageR = 101.5f;
    r.voltageT = 100.25f;
    r.currentR = 5.0f;
    r.currentT = 4.5f;
    r.power = 950.0f;
    r.powerFactor = 92.5f;
    r.frequency = 50.02f;
    r.leakage = {1.5f, 2.5f, 3.5f};
    r.temperature = {21.0f, 33.0f};
    const QDateTime t = parseMeterTime(QStringLiteral("2024/02/29 13:05:09"));
    const QString line = measuredLine(GetParam().version, r, t);

    ASSERT_EQ(line.size(), GetParam().length);
    EXPECT_TRUE(line.startsWith(QLatin1String("RML0000")));
    const int positions[] = {5, 14, 23, 32, 41, 50, 59};
    const float values[] = {101.5f, 100.25f, 5.0f, 4.5f, 950.0f, 92.5f, 50.02f};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(fieldAt(line, positions[i]), values[i]) << positions[i];
        EXPECT_EQ(line.at(3 + positions[i] + 8 - 1), QLatin1Char(',')) << positions[i];
    }
    EXPECT_EQ(line.mid(3 + 68 - 1, 19), QLatin1String("2024/02/29 13:05:09"));
    if (GetParam().version >= 2) {
        const int more[] = {88, 97, 106, 115, 124};
        const float moreValues[] = {1.5f, 2.5f, 3.5f, 21.0f, 33.0f};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(fieldAt(line, more[i]), moreValues[i]) << more[i];
            EXPECT_EQ(line.at(3 + more[i] - 2), QLatin1Char(',')) << more[i];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, MeasuredLineLayout,
                         ::testing::Values(LayoutCase{1, 89}, LayoutCase{2, 134}));

struct WiringCase {
    int wiring;
    int frequency;
    double nominalVolts;
};

class GeneratedReadings : public ::testing::TestWithParam<WiringCase> {};

TEST_P(GeneratedReadings, ArePlausibleConsistentAndChanging)
{
    const WiringCase c = GetParam();
    ReadingGenerator gen(7, c.wiring, c.frequency);
    double minCurrent = 1e9, maxCurrent = 0;
    Reading previous = gen.next();
    int changes = 0;
    for (int second = 0; second < 3600; ++second) {
        const Reading r = gen.next();
        ASSERT_NEAR(r.voltageR, c.nominalVolts, 0.05 * c.nominalVolts) << second;
        ASSERT_GE(r.currentR, 0.0f);
        if (c.wiring == 0) {
            ASSERT_EQ(r.voltageT, 0.0f);
            ASSERT_EQ(r.currentT, 0.0f);
        } else {
            ASSERT_NEAR(r.voltageT, c.nominalVolts, 0.05 * c.nominalVolts) << second;
        }
        const double s = apparentPower(c.wiring, r.voltageR, r.currentR, r.voltageT, r.currentT);
        ASSERT_GT(s, 0.0);
        ASSERT_NEAR(100.0 * r.power / s, r.powerFactor, 0.01) << second;
        ASSERT_GE(r.powerFactor, 80.0f);
        ASSERT_LE(r.powerFactor, 100.0f);
        ASSERT_NEAR(r.frequency, c.frequency, 0.0501);
        for (float l : r.leakage) {
            ASSERT_GE(l, 0.0f);
            ASSERT_LE(l, 50.0f);
        }
        for (float t : r.temperature) {
            ASSERT_GE(t, 15.0f);
            ASSERT_LE(t, 40.0f);
        }
        minCurrent = std::min(minCurrent, double(r.currentR));
        maxCurrent = std::max(maxCurrent, double(r.currentR));
        changes += r.voltageR != previous.voltageR && r.power != previous.power;
        previous = r;
    }
    // A load that follows a pattern, not a constant.
    EXPECT_GT(maxCurrent - minCurrent, 2.0);
    EXPECT_GT(changes, 3500);
}

INSTANTIATE_TEST_SUITE_P(Wirings, GeneratedReadings,
                         ::testing::Values(WiringCase{0, 50, 100.0}, WiringCase{1, 60, 100.0},
                                           WiringCase{2, 50, 200.0}));

TEST(GeneratedReadings, SameSeedSameSequenceOtherSeedOther)
{
    ReadingGenerator a(42, 2, 50), b(42, 2, 50), c(43, 2, 50);
    bool differs = false;
    for (int i = 0; i < 20; ++i) {
        const Reading ra = a.next(), rb = b.next(), rc = c.next();
        EXPECT_EQ(ra.voltageR, rb.voltageR);
        EXPECT_EQ(ra.power, rb.power);
        EXPECT_EQ(ra.temperature, rb.temperature);
        differs = differs || ra.power != rc.power;
    }
    EXPECT_TRUE(differs);
}

TEST(GarbageLine, IsPrintableWithoutLineEnds)
{
    std::mt19937_64 rng(5);
    for (int i = 0; i < 500; ++i) {
        const QString g = garbageLine(rng);
        ASSERT_GE(g.size(), 1);
        ASSERT_LE(g.size(), 140);
        for (QChar ch : g)
            ASSERT_TRUE(ch.unicode() >= 0x20 && ch.unicode() < 0x7f) << g.toStdString();
    }
    EXPECT_EQ(overlongLine().size(), kOverlongLength);
}

struct OptionCase {
    const char* name;
    QStringList args;
    ParseResult result;
    std::function<bool(const SimOptions&)> check;
};

class ParseOptions : public ::testing::TestWithParam<OptionCase> {};

TEST_P(ParseOptions, AcceptsValidAndRefusesInvalid)
{
    SimOptions o;
    QString error;
    EXPECT_EQ(parseOptions(GetParam().args, o, error), GetParam().result) << error.toStdString();
    if (GetParam().result == ParseResult::Error) {
        EXPECT_FALSE(error.isEmpty());
    }
    if (GetParam().check) {
        EXPECT_TRUE(GetParam().check(o));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Args, ParseOptions,
    ::testing::Values(
        OptionCase{"defaults",
                   {},
                   ParseResult::Run,
                   [](const SimOptions& o) {
                       return o.version == 2 && o.wiring == 2 && o.rate == 1.0 && !o.measuring &&
                              !o.startTime.isValid();
                   }},
        OptionCase{"full",
                   {"--version", "1", "--wiring=0", "--rate", "50", "--seed", "9", "--measuring",
                    "--logging", "--start-time", "2024/01/02 03:04:05", "--pt", "60"},
                   ParseResult::Run,
                   [](const SimOptions& o) {
                       return o.version == 1 && o.wiring == 0 && o.rate == 50 && o.seed == 9 &&
                              o.measuring && o.logging && o.ptRatio == 60 &&
                              o.startTime.toString("yyyy/MM/dd HH:mm:ss") == "2024/01/02 03:04:05";
                   }},
        OptionCase{
            "repeatableFaults",
            {"--silent", "CMD", "--silent", "CCF*", "--ng", "SLG", "--ver-ng"},
            ParseResult::Run,
            [](const SimOptions& o) {
                return o.silent == QStringList{"CMD", "CCF*"} && o.ng == QStringList{"SLG", "VER"};
            }},
        OptionCase{"counts",
                   {"--hangup-after", "7", "--stp-after", "3", "--low-after", "2", "--max-lines",
                    "9", "--garbage", "--lf", "--overlong"},
                   ParseResult::Run,
                   [](const SimOptions& o) {
                       return o.hangupAfter == 7 && o.stpAfter == 3 && o.lowAfter == 2 &&
                              o.maxLines == 9 && o.garbage && o.lf && o.overlong;
                   }},
        OptionCase{
            "memoryAndTimedAnswers",
            {"--memory-preset", "--memory-add", "2,0,2024/07/01 08:00,9999", "--logging",
             "--flash-time", "0", "--clear-time", "250", "--download-baud", "0", "--logging-rate",
             "0.5", "--download-ng-after", "3", "--download-hangup-after", "9"},
            ParseResult::Run,
            [](const SimOptions& o) {
                return o.memoryPreset && o.memoryAdds.size() == 1 && o.memoryAdds[0].wiring == 2 &&
                       o.memoryAdds[0].records == 9999 &&
                       o.memoryAdds[0].start == parseMeterTime("2024/07/01 08:00:00") &&
                       o.flashMs == 0 && o.clearMs == 250 && o.downloadBaud == 0 &&
                       o.loggingRate == 0.5 && o.downloadNgAfter == 3 && o.downloadHangupAfter == 9;
            }},
        OptionCase{"memoryTooFull",
                   {"--memory-preset", "--memory-add", "2,0,2024/07/01 08:00,19999"},
                   ParseResult::Error,
                   nullptr},
        OptionCase{"loggingNeedsAFreeBlock",
                   {"--memory-preset", "--memory-add", "2,0,2024/07/01 08:00,19998", "--logging"},
                   ParseResult::Error,
                   nullptr},
        OptionCase{"memoryAddBadTime",
                   {"--memory-add", "2,0,2024/07/01 8:00,10"},
                   ParseResult::Error,
                   nullptr},
        OptionCase{"baudTooSlow", {"--download-baud", "299"}, ParseResult::Error, nullptr},
        OptionCase{"help", {"--rate", "5", "--help"}, ParseResult::Help, nullptr},
        OptionCase{"unknownOption", {"--speed", "5"}, ParseResult::Error, nullptr},
        OptionCase{"bareWord", {"fast"}, ParseResult::Error, nullptr},
        OptionCase{"missingValue", {"--rate"}, ParseResult::Error, nullptr},
        OptionCase{"versionThree", {"--version", "3"}, ParseResult::Error, nullptr},
        OptionCase{"wiringText", {"--wiring", "two"}, ParseResult::Error, nullptr},
        OptionCase{"rateZero", {"--rate", "0"}, ParseResult::Error, nullptr},
        OptionCase{"rateNan", {"--rate", "nan"}, ParseResult::Error, nullptr},
        OptionCase{"frequency55", {"--frequency", "55"}, ParseResult::Error, nullptr},
        OptionCase{"badTime", {"--start-time", "2024/13/01 00:00:00"}, ParseResult::Error, nullptr},
        OptionCase{"negativeCount", {"--max-lines", "-1"}, ParseResult::Error, nullptr},
        OptionCase{"flagWithValue", {"--lf=1"}, ParseResult::Error, nullptr},
        OptionCase{"shortVerText", {"--ver-text", "2.1"}, ParseResult::Error, nullptr},
        OptionCase{"ratioTooBig", {"--ct", "10000"}, ParseResult::Error, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HelpText, NamesEveryOption)
{
    const QString help = helpText();
    for (const char* name : {"--version",
                             "--wiring",
                             "--measuring",
                             "--logging",
                             "--start-time",
                             "--rate",
                             "--seed",
                             "--link",
                             "--log",
                             "--exit-on-hangup",
                             "--silent",
                             "--ng",
                             "--ver-ng",
                             "--garbage",
                             "--lf",
                             "--overlong",
                             "--hangup-after",
                             "--stp-after",
                             "--low-after",
                             "--max-lines",
                             "--help",
                             "--flash-time",
                             "--clear-time",
                             "--download-baud",
                             "--logging-rate",
                             "--memory-preset",
                             "--memory-add",
                             "--download-ng-after",
                             "--download-hangup-after"})
        EXPECT_TRUE(help.contains(QLatin1String(name))) << name;
    for (const QString& line : help.split('\n'))
        EXPECT_LE(line.size(), 80) << line.toStdString();
}

TEST(MeterTime, ReadsSlashAndDashFormsOnly)
{
    EXPECT_TRUE(parseMeterTime("2024-05-06 07:08:09").isValid());
    EXPECT_EQ(parseMeterTime("2024-05-06 07:08:09"), parseMeterTime("2024/05/06 07:08:09"));
    EXPECT_FALSE(parseMeterTime("2024/05/06").isValid());
    EXPECT_FALSE(parseMeterTime("yesterday").isValid());
}

} // namespace
} // namespace quellin::sim
