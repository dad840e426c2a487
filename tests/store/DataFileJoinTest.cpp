// 追加読込: a data file appended to the loaded one when it continues it, and
// refused with the reason otherwise; both files read through the real load path.

#include "store/DataFileJoin.h"
#include "CsvTestSupport.h"
#include "store/CsvLoad.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quellin;
using namespace quellin::test;
using namespace quellin::test::csvdata;

namespace {

struct JoinCase {
    const char* name;
    int hour, minute; // the second file's start (the first: 10:00, 3 records of 10 s)
    int records;
    int interval;
    const char* wiring;
    bool version2;
    const char* refusal; // nullptr: joined
};

class Join : public ::testing::TestWithParam<JoinCase> {};

TEST_P(Join, AppendsAFileThatContinuesTheLoadedOne)
{
    const JoinCase& c = GetParam();
    SCOPED_TRACE(c.name);
    TestContext t;
    Context& ctx = *t.ctx;
    useVersion(ctx, 2);
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.csv"));
    const QString second = dir.filePath(QStringLiteral("second.csv"));
    writeBytes(first, generatedDataFile(at(10, 0, 0), 3, 10, "三相３線式", false));
    writeBytes(second, generatedDataFile(at(c.hour, c.minute, 0), c.records, c.interval, c.wiring,
                                         c.version2));
    ASSERT_TRUE(LoadDataFile(ctx, first));
    const DataSetProperties before = ctx.dataSet().properties();

    EXPECT_EQ(JoinDataFile(ctx, second), c.refusal == nullptr);
    if (c.refusal) {
        ASSERT_EQ(t.msg.shown.size(), 1u);
        EXPECT_TRUE(t.msg.shown[0].text.startsWith(cannotJoinText() + QStringLiteral("\r\n")));
        EXPECT_TRUE(t.msg.shown[0].text.contains(QString::fromUtf8(c.refusal)))
            << t.msg.shown[0].text.toStdString();
        EXPECT_EQ(ctx.dataSet().properties(), before);
        EXPECT_EQ(recordsOf(ctx).size(), 3u);
        return;
    }
    EXPECT_TRUE(t.msg.shown.empty());
    const std::vector<DataRecord> all = recordsOf(ctx);
    ASSERT_EQ(all.size(), static_cast<size_t>(3 + c.records));
    for (size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i].number, static_cast<int>(i)) << "numbered on";
    // The gap stays: the first record of the joined file at its own time.
    EXPECT_EQ(vbdate::secondsBetween(all[3].time(), at(c.hour, c.minute, 0)), 0);
    EXPECT_EQ(ctx.dataSet().FirstTime(), before.FirstTime);
    EXPECT_EQ(vbdate::secondsBetween(ctx.dataSet().LastTime(), all.back().time()), 0);
    EXPECT_NEAR(ctx.dataSet().TotalEnergy(), 2 * before.TotalEnergy, 1e-9);
    EXPECT_EQ(ctx.dataSet().SampleInterval(), 10);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Join,
    ::testing::Values(
        JoinCase{"later", 11, 0, 4, 10, "三相３線式", false, nullptr},
        JoinCase{"overlapping", 10, 0, 4, 10, "三相３線式", false, "より後ではありません"},
        JoinCase{"another period", 11, 0, 4, 20, "三相３線式", false, "記録周期（20秒）"},
        JoinCase{"another wiring", 11, 0, 4, 10, "単相２線式", false, "結線が"},
        JoinCase{"another meter", 11, 0, 4, 10, "三相３線式", true, "測定項目"},
        JoinCase{"beyond the store", 11, 0, kMaxStoredRecords - 2, 10, "三相３線式", false,
                 "件までです"}));

TEST(Join, NeedsALoadedDataSet)
{
    TestContext t;
    useVersion(*t.ctx, 2);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("second.csv"));
    writeBytes(file, generatedDataFile(at(11, 0, 0), 3, 10, "三相３線式", false));
    EXPECT_FALSE(JoinDataFile(*t.ctx, file));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_TRUE(t.msg.shown[0].text.contains(QStringLiteral("先にファイルを読み込んで")));
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 0);
}

} // namespace
