// Resetting the store and paging the graph's time window.

#include "StoreTestUtil.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

namespace quellin::test {
namespace {

double civil(int y, int mo, int d, int h, int mi, int s)
{
    return *vbdate::fromCivil({y, mo, d, h, mi, s});
}

struct ResetCase {
    int hani;
    int columnLast;
    double expectedEnd; // from a clock at 2002-06-01 10:20:30
};

class ResetStoreTest : public ::testing::TestWithParam<ResetCase> {};

TEST_P(ResetStoreTest, EmptiesTheDataSetAndStartsTheWindowNow)
{
    const ResetCase& c = GetParam();
    TestContext tc;
    Context& ctx = *tc.ctx;
    tc.clock.value = civil(2002, 6, 1, 10, 20, 30);
    ctx.app.GraphXHani = c.hani;
    ctx.cat.ColumnLast = c.columnLast;
    DataSetProperties& st = test::props(ctx);
    st.RecordCount = 77;
    st.SampleInterval = 60;
    ctx.graphWindow().GraphPoints = 5;
    ctx.listPage().ListTop = 40;
    for (auto& slot : ctx.listPage().Rows)
        slot = makeRecord(9, at(9), 9);
    st.ColumnPresent.assign(18, true);

    ResetStore(ctx);

    EXPECT_EQ(st.RecordCount, 0);
    EXPECT_EQ(st.SampleInterval, 1);
    EXPECT_EQ(ctx.graphWindow().GraphPoints, 0);
    EXPECT_EQ(ctx.listPage().ListTop, 1);
    for (int i = 0; i < 15; ++i)
        EXPECT_TRUE(ctx.listPage().Rows[i].isEmptySlot()) << "slot " << i;
    ASSERT_EQ(st.ColumnPresent.size(), static_cast<size_t>(c.columnLast) + 1);
    for (bool present : st.ColumnPresent)
        EXPECT_FALSE(present);
    EXPECT_EQ(st.FirstTime, tc.clock.value);
    EXPECT_EQ(st.LastTime, civil(2002, 6, 1, 11, 20, 30));
    EXPECT_EQ(ctx.graphWindow().GraphStart, st.FirstTime);
    EXPECT_EQ(ctx.graphWindow().GraphEnd, c.expectedEnd);
}

INSTANTIATE_TEST_SUITE_P(ByRange, ResetStoreTest,
                         ::testing::Values(ResetCase{1, 12, civil(2002, 6, 1, 10, 21, 30)},
                                           ResetCase{2, 17, civil(2002, 6, 1, 11, 20, 30)},
                                           ResetCase{3, 17, civil(2002, 6, 2, 10, 20, 30)}));

struct PageCase {
    const char* name;
    int hani;
    double start;
    double first;
    double last;
    int k;
    double expectedStart;
    double expectedEnd;
};

class SetGraphWindowTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(SetGraphWindowTest, MovesWithinTheDataSet)
{
    const PageCase& c = GetParam();
    TestContext tc;
    Context& ctx = *tc.ctx;
    ctx.app.GraphXHani = c.hani;
    ctx.graphWindow().GraphStart = c.start;
    ctx.graphWindow().GraphEnd = 12345.0; // kept when the range value is unknown
    test::props(ctx).FirstTime = c.first;
    test::props(ctx).LastTime = c.last;

    SetGraphWindow(ctx, c.k);

    EXPECT_EQ(ctx.graphWindow().GraphStart, c.expectedStart) << c.name;
    EXPECT_EQ(ctx.graphWindow().GraphEnd, c.expectedEnd) << c.name;
}

const double kNoon = civil(2002, 6, 1, 12, 0, 0);
const double kFar = civil(2010, 1, 1, 0, 0, 0);
const double kEarly = civil(2000, 1, 1, 0, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Steps, SetGraphWindowTest,
    ::testing::Values(
        PageCase{"minute, recompute", 1, kNoon, kEarly, kFar, 0, kNoon,
                 civil(2002, 6, 1, 12, 1, 0)},
        PageCase{"minute forward", 1, kNoon, kEarly, kFar, 1, civil(2002, 6, 1, 12, 1, 0),
                 civil(2002, 6, 1, 12, 2, 0)},
        PageCase{"minute back", 1, kNoon, kEarly, kFar, -1, civil(2002, 6, 1, 11, 59, 0), kNoon},
        PageCase{"back stops before the first record", 1, kNoon, civil(2002, 6, 1, 11, 59, 1), kFar,
                 -1, kNoon, civil(2002, 6, 1, 12, 1, 0)},
        PageCase{"back to exactly the first record", 1, kNoon, civil(2002, 6, 1, 11, 59, 0), kFar,
                 -1, civil(2002, 6, 1, 11, 59, 0), kNoon},
        PageCase{"first record compared in whole seconds", 1, kNoon,
                 vbdate::addSeconds(civil(2002, 6, 1, 11, 59, 0), 0) + 0.4 / 86400, kFar, -1,
                 civil(2002, 6, 1, 11, 59, 0), kNoon},
        PageCase{"hour forward to exactly the last reading", 2, kNoon, kEarly,
                 civil(2002, 6, 1, 13, 0, 0), 1, civil(2002, 6, 1, 13, 0, 0),
                 civil(2002, 6, 1, 14, 0, 0)},
        PageCase{"forward stops after the last reading", 2, kNoon, kEarly,
                 civil(2002, 6, 1, 12, 59, 59), 1, kNoon, civil(2002, 6, 1, 13, 0, 0)},
        PageCase{"recompute keeps a start past the last reading", 2, kNoon, kEarly,
                 civil(2002, 6, 1, 11, 0, 0), 0, kNoon, civil(2002, 6, 1, 13, 0, 0)},
        PageCase{"day forward across January's end", 3, civil(2002, 1, 31, 12, 0, 0), kEarly, kFar,
                 1, civil(2002, 2, 1, 12, 0, 0), civil(2002, 2, 2, 12, 0, 0)},
        PageCase{"day forward onto a leap day", 3, civil(2004, 2, 28, 8, 0, 0), kEarly, kFar, 1,
                 civil(2004, 2, 29, 8, 0, 0), civil(2004, 3, 1, 8, 0, 0)},
        PageCase{"day back across February's end", 3, civil(2002, 3, 1, 6, 0, 0), kEarly, kFar, -1,
                 civil(2002, 2, 28, 6, 0, 0), civil(2002, 3, 1, 6, 0, 0)},
        PageCase{"day forward across the year's end", 3, civil(2002, 12, 31, 23, 0, 0), kEarly,
                 kFar, 1, civil(2003, 1, 1, 23, 0, 0), civil(2003, 1, 2, 23, 0, 0)},
        PageCase{"day back stops before the first record", 3, civil(2002, 3, 1, 6, 0, 0),
                 civil(2002, 2, 28, 6, 0, 1), kFar, -1, civil(2002, 3, 1, 6, 0, 0),
                 civil(2002, 3, 2, 6, 0, 0)},
        PageCase{"unknown range 0 leaves the window", 0, kNoon, kEarly, kFar, 1, kNoon, 12345.0},
        PageCase{"unknown range 4 leaves the window", 4, kNoon, kEarly, kFar, -1, kNoon, 12345.0}),
    [](const ::testing::TestParamInfo<PageCase>& info) {
        return "case" + std::to_string(info.index);
    });

} // namespace
} // namespace quellin::test
