// The memory dialogs' decisions: the block table from the "CMI" answers, one list
// line per measurement, and the clear and download commands.

#include "Catalogue.h"
#include "TestContext.h"
#include "dialogs/MemoryCommands.h"
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
