// The memory dialogs' decisions: the block table from the "CMI" answers, one list
// line per measurement, and the clear and download commands.

#include "Catalogue.h"
#include "TestContext.h"
#include "dialogs/MemoryCommands.h"
#include "link/MemoryInfo.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace quellin {
namespace {

// Five answers per block, in the order of the "CMI" reads.
std::vector<MemoryBlockInfo> blocksOf(const QStringList& answers)
{
    return memoryBlocksFrom(answers);
}

QStringList commands(const std::vector<ExchangeStep>& steps)
{
    QStringList out;
    for (const ExchangeStep& s : steps)
        out << s.Command;
    return out;
}

TEST(MemoryList, FoldsContinuationBlocksSumsTheirCountsAndNumbersMeasurements)
{
    const auto blocks = blocksOf({"8",        "",       "",
                                  "",         "50", // no measurement before it
                                  "1",        "1",      "2024/05/13 09:00",
                                  "42480000", "96", // 50 Hz
                                  "0",        "2",      "2002/06/01 10:00",
                                  "42481EB8", "1234", //
                                  "8",        "7",      "junk",
                                  "ZZ",       "9999", // details not read
                                  "8",        "",       "",
                                  "",         "17", //
                                  "X",        "6",      "2002/06/01 10:00",
                                  "461C3C00", "123456", // 9999.0 Hz, count too big
                                  "9",        "1",      "2002/06/01 10:00",
                                  "7F800000", "-5"}); // codes above 8: no details
    ASSERT_EQ(blocks.size(), 7u);
    EXPECT_EQ(blocks[3].startTime, QString());
    EXPECT_EQ(blocks[5].lineCode, -1);
    EXPECT_EQ(blocks[5].writeCount, 9999);
    EXPECT_EQ(blocks[6].writeCount, 0);
    QStringList texts;
    std::vector<int> firsts;
    for (const MemoryListLine& l : memoryListLines(blocks)) {
        texts << l.text;
        firsts.push_back(l.firstBlock);
    }
    EXPECT_EQ(texts,
              (QStringList{"0： 単相３線式 ・  5 ・ 2024/05/13 09:00 ・   50.0 ・ 96",
                           "1： 単相２線式 ・ 10 ・ 2002/06/01 10:00 ・   50.0 ・ 11250",
                           "2： 2002/06/01 10:00 ・ 9999.0 ・ 9999", "3：  ・    0.0 ・ 0"}));
    EXPECT_EQ(firsts, (std::vector<int>{1, 2, 5, 6}));
    EXPECT_EQ(commands(clearMeasurementSteps(blocks, 2)), (QStringList{"SCB2", "SCB3", "SCB4"}));
    EXPECT_EQ(commands(clearAllSteps()), QStringList{"SCB7"});
    EXPECT_EQ(clearAllSteps()[0].ReplyPrefix, "OK");
}

TEST(DownloadPlan, AsksForEachBlockWithItsCountUpToTheStoresLimit)
{
    const auto first = [](int line, int interval, int count) {
        return MemoryBlockInfo{line, interval, "2002/06/05 10:00", 50, count};
    };
    const MemoryBlockInfo more{kContinuationBlock, -1, {}, 0, 9999};
    const std::vector<MemoryBlockInfo> blocks = {first(0, 2, 120),
                                                 first(1, 5, 9999),
                                                 {kContinuationBlock, -1, {}, 0, 17},
                                                 first(2, 0, 9999),
                                                 more,
                                                 more,
                                                 more,
                                                 {kContinuationBlock, -1, {}, 0, 5},
                                                 first(0, 6, 1),
                                                 {0, 1, "yesterday", 50, 1}};
    const auto planned = [&](int block) {
        return commands(planDownload(blocks, block).plan.value().steps);
    };
    EXPECT_EQ(planned(0), (QStringList{"CMD", "CMM000000120"}));
    EXPECT_EQ(planned(1), (QStringList{"CMD", "CMM100009999", "CMM200000017"}));
    // 32,768 records at most: the fourth block in part, the fifth not at all.
    EXPECT_EQ(planned(3),
              (QStringList{"CMD", "CMM300009999", "CMM400009999", "CMM500009999", "CMM600002771"}));
    const DownloadPlan big = planDownload(blocks, 3).plan.value();
    EXPECT_EQ(big.requested, kMaxStoredRecords);
    EXPECT_EQ(big.available, 4 * 9999 + 5);
    const DownloadPlan hourly = planDownload(blocks, 1).plan.value();
    EXPECT_EQ(hourly.sampleInterval, 3600);
    EXPECT_EQ(hourly.firstTime, *vbdate::parse(u"2002/06/05 10:00"));
    // An unknown interval, a start that is no date, a continuation, no block.
    for (const int block : {8, 9, 2, 10, -1})
        EXPECT_TRUE(planDownload(blocks, block).error.startsWith("ダウンロードできません。\r\n"));
}

// Block numbers are written in as many digits as they have: the tenth block
// and later are asked, read and cleared under their own two or three digits.
TEST(MemoryCommands, BlocksFromTenOnAreNamedInFull)
{
    const auto first = [](int count) {
        return MemoryBlockInfo{0, 2, "2002/06/05 10:00", 50, count};
    };
    std::vector<MemoryBlockInfo> blocks(9, first(1));
    blocks.push_back(first(12));                           // block 9
    blocks.push_back({kContinuationBlock, -1, {}, 0, 30}); // block 10
    blocks.push_back({kContinuationBlock, -1, {}, 0, 7});  // block 11
    blocks.push_back(first(345));                          // block 12
    const std::vector<ExchangeStep> info = memoryInfoList(13);
    const struct {
        const char* name;
        QStringList got;
        QStringList expected;
    } cases[] = {
        {"info of block 1", commands({info.begin() + 5, info.begin() + 6}), {"CMI10"}},
        {"info of block 12",
         commands({info.begin() + 60, info.end()}),
         {"CMI120", "CMI121", "CMI122", "CMI123", "CMI124"}},
        {"download over 9 to 11",
         commands(planDownload(blocks, 9).plan.value().steps),
         {"CMD", "CMM900000012", "CMM1000000030", "CMM1100000007"}},
        {"download of 12",
         commands(planDownload(blocks, 12).plan.value().steps),
         {"CMD", "CMM1200000345"}},
        {"clear over 9 to 11",
         commands(clearMeasurementSteps(blocks, 9)),
         {"SCB9", "SCB10", "SCB11"}},
        {"clear of 12", commands(clearMeasurementSteps(blocks, 12)), {"SCB12"}},
    };
    EXPECT_EQ(info.size(), 65u);
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;
}

TEST(PrepareDownload, StartsANewDataSetWithTheBlocksProperties)
{
    for (const int wiring : {0, 2}) {
        test::TestContext t;
        Context& ctx = *t.ctx;
        test::giveTestCatalogue(ctx, 2);
        ctx.dataSet().OpenTmpForAppend(); // an earlier data set of three records
        for (int i = 0; i < 3; ++i)
            ctx.dataSet().AppendRecord(DataRecord{});
        ctx.app.DataPresent = true;
        DownloadCounts counts;
        prepareDownload(ctx, counts, *planDownload({{wiring, 1, "2002/06/01 10:00", 49.98, 96}}, 0).plan);
        const DataSetProperties& st = ctx.dataSet().properties();
        EXPECT_EQ(st.RecordCount, 0);
        EXPECT_EQ(QFile(ctx.tmpDatPath()).size(), 0);
        EXPECT_FALSE(ctx.app.DataPresent);
        EXPECT_EQ(st.SampleInterval, 300);
        EXPECT_EQ(st.FirstTime, *vbdate::parse(u"2002/06/01 10:00"));
        EXPECT_EQ(st.PeakWatts, -9999.9);
        EXPECT_EQ(st.DataFrequency, 49.98);
        EXPECT_EQ(st.DataWiring, wiring);
        for (int c = 0; c < 18; ++c)
            EXPECT_EQ(st.ColumnPresent[c], wiring != 0 || (c != 3 && c != 5)) << c;
        EXPECT_EQ(counts.Announced, 96);
        ctx.dataSet().CloseTmp();
    }
}

} // namespace
} // namespace quellin
