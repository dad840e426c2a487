#include "app/CommandLine.h"

#include "TestContext.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

struct OptionCase {
    const char* line;
    int expected; // -1: no forced version
};

class VersionOption : public ::testing::TestWithParam<OptionCase> {};

TEST_P(VersionOption, ReadsTheDigitAfterV)
{
    test::TestContext t;
    const auto v = versionOption(*t.ctx, QString::fromUtf8(GetParam().line));
    if (GetParam().expected < 0)
        EXPECT_FALSE(v.has_value()) << GetParam().line;
    else
        EXPECT_EQ(v.value_or(-1), GetParam().expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, VersionOption,
    ::testing::Values(OptionCase{"", -1}, OptionCase{"/v2", 2}, OptionCase{"/V1", 1},
                      OptionCase{"  /  v2  ", 2}, OptionCase{"/x/v1", 1}, OptionCase{"/v25", 2},
                      OptionCase{"/vx", -1}, OptionCase{"/v", -1}, OptionCase{"/v/v2", -1},
                      OptionCase{"v2", 2}, // the text before the first slash is field 1
                      OptionCase{"/verbose", -1}, OptionCase{"/a/b", -1}, OptionCase{"/ｖ２", -1}));

TEST(CommandLineText, JoinsTheArgumentsAfterTheProgram)
{
    EXPECT_EQ(commandLineText({QStringLiteral("quellin"), QStringLiteral("/V2")}),
              QStringLiteral("/V2"));
    EXPECT_EQ(commandLineText({QStringLiteral("quellin")}), QString());
}

} // namespace
} // namespace quellin
