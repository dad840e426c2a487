#include "link/AnswerTests.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

struct EchoCase {
    QString line;
    QString command;
    bool passes;
    QString data;
};

class EchoTest : public ::testing::TestWithParam<EchoCase> {};

TEST_P(EchoTest, ComparesTheEchoedCommandAndKeepsTheRest)
{
    const EchoCase& c = GetParam();
    EXPECT_EQ(echoTest(c.line, c.command), c.passes) << c.line.toStdString();
    if (c.passes) {
        EXPECT_EQ(echoData(c.line, c.command), c.data);
    }
}

INSTANTIATE_TEST_SUITE_P(AnswerTests, EchoTest,
                         ::testing::Values(EchoCase{"RMD010", "CMD", true, "010"},
                                           EchoCase{"RCF031234", "CCF03", true, "1234"},
                                           EchoCase{"RCF04", "CCF04", true, ""},
                                           EchoCase{"RCF041234", "CCF03", false, {}},
                                           EchoCase{"CMD010", "CMD", false, {}},
                                           EchoCase{"RM", "CMD", false, {}},
                                           EchoCase{"\nRMD010", "CMD", false, {}},
                                           EchoCase{"RMD010", "", false, {}},
                                           EchoCase{"RMI011234", "CMI00", false, {}},
                                           EchoCase{"RMI00ABC", "CMI00", true, "ABC"}));

struct FieldCase {
    QString line;
    int length;
    QString prefix;
    int prefixLength;
    bool lengthPasses;
    bool prefixPasses;
};

class LengthAndPrefix : public ::testing::TestWithParam<FieldCase> {};

TEST_P(LengthAndPrefix, CheckTheirOwnField)
{
    const FieldCase& c = GetParam();
    EXPECT_EQ(lengthTest(c.line, c.length), c.lengthPasses) << c.line.toStdString();
    EXPECT_EQ(prefixTest(c.line, c.prefix, c.prefixLength), c.prefixPasses) << c.line.toStdString();
    ExchangeStep step;
    step.ReplyLength = c.length;
    step.ReplyPrefix = c.prefix;
    step.PrefixLength = c.prefixLength;
    EXPECT_EQ(lengthTest(c.line, step), c.lengthPasses);
    EXPECT_EQ(prefixTest(c.line, step), c.prefixPasses);
}

INSTANTIATE_TEST_SUITE_P(AnswerTests, LengthAndPrefix,
                         ::testing::Values(FieldCase{"RMD010", 6, "RMD", 3, true, true},
                                           FieldCase{"RMD01", 6, "RMD", 3, false, true},
                                           FieldCase{"RMD0100", 6, "RMD", 3, false, true},
                                           FieldCase{"XMD010", 6, "RMD", 3, true, false},
                                           FieldCase{"NG", 2, "OK", 2, true, false},
                                           FieldCase{"OK", 2, "OK", 2, true, true},
                                           FieldCase{"NG", 2, "", 0, true, true},
                                           FieldCase{"", 0, "", 0, true, true},
                                           FieldCase{"R", 9, "RCF03", 5, false, false},
                                           FieldCase{"VER3.10A", 8, "VER", 3, true, true}));

TEST(AnswerTests, OkTestWantsExactlyOk)
{
    const std::vector<std::pair<QString, bool>> cases = {
        {"OK", true}, {"NG", false}, {"OK ", false}, {"\nOK", false}, {"", false}, {"O", false}};
    for (const auto& [line, ok] : cases)
        EXPECT_EQ(okTest(line), ok) << line.toStdString();
}

TEST(AnswerTests, DigitAtReadsOnlyDigits)
{
    EXPECT_EQ(digitAt("RMD210", 3), 2);
    EXPECT_EQ(digitAt("RMDX10", 3), -1);
    EXPECT_EQ(digitAt("RMD", 3), -1);
    EXPECT_EQ(digitAt("RMD", -1), -1);
    EXPECT_EQ(digitAt("VER9", 3), 9);
}

} // namespace
} // namespace quellin
