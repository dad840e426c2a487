// The environment settings as "Name=value" lines: written, read back, refused.

#include "dialogs/DispSetText.h"

#include "dialogs/DispSetCheck.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

// Fields as a version-2 meter's answers fill them.
DispSetFields sampleFields()
{
    DispSetFields f;
    f.denatu = 1;
    f.data = {"200.0", "5", "40", "2002/06/01 10:00", "2002/06/02 10:00", ""};
    f.jikan = 2;
    f.renge = 0;
    f.timer = 1;
    f.comm = {"9600", "NONE", "8", "1"};
    for (const OutputParam& p : outputParams()) {
        if (p.isList)
            f.sb[static_cast<size_t>(p.control)] = 1;
        else
            f.sbText[static_cast<size_t>(p.control)] =
                p.kind == OutputKind::LeakageLevel ? QStringLiteral("30.0")
                : p.kind == OutputKind::OffLevel   ? QStringLiteral("80")
                                                   : QStringLiteral("5");
    }
    return f;
}

TEST(DispSetText, WritesEveryFieldOfTheVersionAndReadsItBack)
{
    const DispSetFields f = sampleFields();
    const QStringList v1 = dispSetLines(f, 1);
    EXPECT_EQ(v1.size(), 10);
    EXPECT_EQ(v1[0], "VoltageInput=1");
    EXPECT_EQ(v1[4], "LoggingInterval=2");
    EXPECT_EQ(v1[9], "MeterComm=9600,NONE,8,1");
    const QStringList v2 = dispSetLines(f, 2);
    ASSERT_EQ(v2.size(), 40);
    EXPECT_EQ(v2[10], "Power1Level=5");
    EXPECT_EQ(v2[11], "Power1Unit=1");      // a unit is its code
    EXPECT_EQ(v2[20], "Leakage1Channel=2"); // a channel is its number
    EXPECT_EQ(v2[21], "Leakage1Level=30.0");
    EXPECT_EQ(v2[39], "Temperature2OffTime=5");

    DispSetFields back;
    EXPECT_FALSE(applyDispSetLines(back, v2, 2));
    back.data[5] = f.data[5];
    EXPECT_EQ(back.data, f.data);
    EXPECT_EQ(back.sb, f.sb);
    EXPECT_EQ(back.sbText, f.sbText);
    EXPECT_EQ(back.jikan, f.jikan);
    EXPECT_EQ(back.timer, f.timer);
    EXPECT_EQ(back.denatu, f.denatu);
}

TEST(DispSetText, KeepsWhatTheLinesDoNotNameAndEmptiesAListWithoutChoice)
{
    DispSetFields f = sampleFields();
    EXPECT_FALSE(applyDispSetLines(f,
                                   {"# a comment", "", "  PtRatio = 10 ", "CurrentRange=",
                                    "MeterComm=19200,EVEN,7,2", "LoggingStart=2002/07/01 09:30"},
                                   1));
    EXPECT_EQ(f.data[1], "10");
    EXPECT_EQ(f.renge, -1);
    EXPECT_EQ(f.comm[0], "9600"); // shown, never set
    EXPECT_EQ(f.data[3], "2002/07/01 09:30");
    EXPECT_EQ(f.data[2], "40");
}

struct BadLine {
    const char* name;
    const char* line;
    int version;
    const char* message;
};

void PrintTo(const BadLine& b, std::ostream* os)
{
    *os << b.name;
}

class DispSetTextRefuses : public ::testing::TestWithParam<BadLine> {};

TEST_P(DispSetTextRefuses, ALineItCannotTakeAndAppliesNothing)
{
    DispSetFields f = sampleFields();
    const DispSetFields before = f;
    const auto error =
        applyDispSetLines(f, {"PtRatio=7", QString::fromUtf8(GetParam().line)}, GetParam().version);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(f, before);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DispSetTextRefuses,
    ::testing::Values(
        BadLine{"NoEquals", "Voltage 100", 2, "設定の 2 行目：「名前=値」の形ではありません。"},
        BadLine{"UnknownName", "Speed=9600", 2, "設定の 2 行目：Speed という設定はありません。"},
        BadLine{"OutputOnVersion1", "Power1Level=5", 1,
                "設定の 2 行目：Power1Level という設定はありません。"},
        BadLine{"LetterInDigits", "CtRatio=4a", 2,
                "設定の 2 行目：CtRatio に 4a は設定できません。"},
        BadLine{"ListCodeOutOfRange", "LoggingInterval=6", 2,
                "設定の 2 行目：LoggingInterval に 6 は設定できません。"},
        BadLine{"ChannelZero", "Leakage1Channel=0", 2,
                "設定の 2 行目：Leakage1Channel に 0 は設定できません。"},
        BadLine{"VoltageInputEmpty", "VoltageInput=", 2,
                "設定の 2 行目：VoltageInput に  は設定できません。"}),
    [](const auto& info) { return info.param.name; });

TEST(DispSetText, ValuesThatPassTheTextStillMeetTheDialogsChecks)
{
    DispSetFields f = sampleFields();
    f.data[5] = QStringLiteral("2002/06/01 10:00:00");
    ASSERT_FALSE(applyDispSetLines(f, {"Power1OnTime=99"}, 2));
    const auto error = checkDispSet(f, 2);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, outputMessage(OutputKind::OnTime));
}

} // namespace
} // namespace quellin::test
