// The PC log's data line from its sums: means, the fields chosen, and the lines
// that cannot be averaged.

#include "measure/PcLogLine.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Readable failure messages for texts (internal to this test file).
[[maybe_unused]] static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace quellin {
namespace {

struct LogLineCase {
    const char* name;
    int lines;
    double apparentSum; // column 8 of the sums
    std::vector<int> logged;
    const char* expected;
};

class PcLogLineTest : public ::testing::TestWithParam<LogLineCase> {};

TEST_P(PcLogLineTest, JoinsTheChosenFieldsOfTheMeans)
{
    const LogLineCase& c = GetParam();
    DataRecord sums{};
    sums.setColumn(2, 200); // voltage R
    sums.setColumn(4, 10);  // current R
    sums.setColumn(6, 1600);
    sums.setColumn(8, c.apparentSum);
    DataRecord current{};
    current.setTime(37408.5);
    PcLogLineInput in;
    in.sums = &sums;
    in.current = &current;
    in.lines = c.lines;
    in.lineNumber = 3;
    in.wiringMode = 0;
    in.columnLast = 12;
    for (int col : c.logged)
        in.logged[static_cast<size_t>(col)] = true;
    EXPECT_EQ(pcLogLine(in), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PcLogLineTest,
    ::testing::Values(LogLineCase{"MeansOverTwoLines",
                                  2,
                                  2000,
                                  {0, 1, 2, 8, 9},
                                  "0003,\"2002/06/01 12:00:00\",1.000E+2,5.000E+2,8.000E+1"},
                      LogLineCase{"NoLinesCountAsOne", 0, 2000, {2, 6}, "2.000E+2,1.600E+3"},
                      LogLineCase{"NoApparentPowerGivesPowerFactorZero", 1, 0, {9}, "0.000E+0"},
                      LogLineCase{"NothingChosen", 1, 2000, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quellin
