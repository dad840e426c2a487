// The memory list both memory dialogs show: the block table from the "CMI"
// answers and one line per measurement.

#include "dialogs/MemoryList.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

// The five ReplyData of a block, in the order of the "CMI" reads.
struct Answers {
    QString line, interval, start, frequency, count;
};

std::vector<ExchangeStep> infoList(const std::vector<Answers>& blocks)
{
    std::vector<ExchangeStep> list;
    for (const Answers& b : blocks)
        for (const QString& data : {b.line, b.interval, b.start, b.frequency, b.count}) {
            ExchangeStep step;
            step.ReplyData = data;
            list.push_back(step);
        }
    return list;
}

const QString k50Hz = QStringLiteral("42480000"); // 50.0 as an IEEE single
const QString k60Hz = QStringLiteral("42700000");

TEST(MemoryBlocks, AreReadFromTheFiveAnswersOfEachBlock)
{
    const auto blocks = memoryBlocksFrom(infoList({
        {"2", "0", "2024/05/14 08:30", "42481EB8", "9999"},
        {"8", "7", "junk", "42480000", "4802"},
        {"X", "", "", "ZZZZZZZZ", "-5"},
        {"1", "5", "2002/06/01 10:00", "7F800000", "123456"},
    }));
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[0].lineCode, 2);
    EXPECT_EQ(blocks[0].intervalCode, 0);
    EXPECT_EQ(blocks[0].startTime, "2024/05/14 08:30");
    EXPECT_FLOAT_EQ(float(blocks[0].frequency), 50.03f);
    EXPECT_EQ(blocks[0].writeCount, 9999);
    // A continuation block's interval, time and frequency are not read.
    EXPECT_EQ(blocks[1].lineCode, 8);
    EXPECT_EQ(blocks[1].intervalCode, -1);
    EXPECT_EQ(blocks[1].startTime, QString());
    EXPECT_EQ(blocks[1].frequency, 0.0);
    EXPECT_EQ(blocks[1].writeCount, 4802);
    // Damaged answers: unknown codes, no frequency, no records.
    EXPECT_EQ(blocks[2].lineCode, -1);
    EXPECT_EQ(blocks[2].intervalCode, -1);
    EXPECT_EQ(blocks[2].frequency, 0.0);
    EXPECT_EQ(blocks[2].writeCount, 0);
    // An infinite frequency reads 0; a count beyond four digits is the most a block holds.
    EXPECT_EQ(blocks[3].frequency, 0.0);
    EXPECT_EQ(blocks[3].writeCount, 9999);
}

TEST(MemoryListLines, FoldContinuationBlocksAndCountMeasurements)
{
    const auto blocks = memoryBlocksFrom(infoList({
        {"1", "1", "2024/05/13 09:00", k50Hz, "96"},
        {"8", "", "", "", "7"}, // continues block 0
        {"0", "2", "2002/06/01 10:00", k50Hz, "1234"},
        {"8", "", "", "", "9999"},
        {"8", "", "", "", "17"},
        {"2", "5", "2024/06/03 13:15", k60Hz, "672"},
    }));
    const auto lines = memoryListLines(blocks);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text.toStdString(),
              "0： 単相３線式 ・  5 ・ 2024/05/13 09:00 ・   50.0 ・ 103");
    EXPECT_EQ(lines[0].firstBlock, 0);
    EXPECT_EQ(lines[1].text.toStdString(),
              "1： 単相２線式 ・ 10 ・ 2002/06/01 10:00 ・   50.0 ・ 11250");
    EXPECT_EQ(lines[1].firstBlock, 2);
    EXPECT_EQ(lines[2].text.toStdString(),
              "2： 三相３線式 ・ 60 ・ 2024/06/03 13:15 ・   60.0 ・ 672");
    EXPECT_EQ(lines[2].firstBlock, 5);
    EXPECT_EQ(measurementBlocks(blocks, 2), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(measurementRecords(blocks, 2), 1234 + 9999 + 17);
    EXPECT_TRUE(measurementBlocks(blocks, 6).empty());
    EXPECT_TRUE(measurementBlocks(blocks, -1).empty());
}

TEST(MemoryListLines, UnknownCodesLeaveTheirTextOutAndAnOrphanContinuationIsNotListed)
{
    const auto lines = memoryListLines(memoryBlocksFrom(infoList({
        {"8", "", "", "", "50"},
        {"3", "6", "2002/06/01 10:00", "4479C000", "1"}, // frequency 999.0
        {"1", "3", "2002/06/01 10:00", "461C3C00", "2"}, // frequency 9999.0
        {"9", "1", "2002/06/01 10:00", "42480000", "3"}, // codes above 8 carry no details
    })));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text.toStdString(), "0： 2002/06/01 10:00 ・  999.0 ・ 1");
    EXPECT_EQ(lines[0].firstBlock, 1);
    EXPECT_EQ(lines[1].text.toStdString(),
              "1： 単相３線式 ・ 15 ・ 2002/06/01 10:00 ・ 9999.0 ・ 2");
    EXPECT_EQ(lines[2].text.toStdString(), "2：  ・    0.0 ・ 3");
}

TEST(IntervalSeconds, AreThoseOfTheSixCodes)
{
    const int expected[] = {60, 300, 600, 900, 1800, 3600};
    for (int code = 0; code <= 5; ++code)
        EXPECT_EQ(intervalSeconds(code), expected[code]);
    EXPECT_EQ(intervalSeconds(6), 0);
    EXPECT_EQ(intervalSeconds(-1), 0);
}

} // namespace
} // namespace quellin
