// TMP.DAT: appending, reading back, the list page and the column accessor.

#include "StoreTestUtil.h"
#include "platform/VbError.h"
#include "store/ModFileGraph.h"
#include "support/TestContext.h"

#include <QFile>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

std::vector<DataRecord> sequence(int count)
{
    std::vector<DataRecord> recs;
    for (int i = 0; i < count; ++i)
        recs.push_back(makeRecord(i, at(i), i + 1));
    return recs;
}

void expectSame(const DataRecord& a, const DataRecord& b)
{
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << "record " << a.number << " vs " << b.number;
}

int errorNumberOf(const std::function<void()>& body)
{
    try {
        body();
    } catch (const VbError& e) {
        EXPECT_FALSE(e.description().isEmpty());
        return e.number();
    }
    return 0;
}

TEST(TmpFile, AppendedRecordsReadBackByteForByte)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    const auto recs = sequence(25);
    writeStore(ctx, recs);
    ASSERT_EQ(ctx.dataSet().RecordCount(), 25);
    EXPECT_EQ(QFile(ctx.tmpDatPath()).size(), 25 * kRecordBytes);
    for (int k = 1; k <= 25; ++k)
        expectSame(ctx.dataSet().ReadRecord(k), recs[k - 1]);
    const auto middle = ctx.dataSet().ReadRecords(5, 10);
    ASSERT_EQ(middle.size(), 10u);
    for (int i = 0; i < 10; ++i)
        expectSame(middle[i], recs[4 + i]);
    EXPECT_TRUE(ctx.dataSet().ReadRecords(26, 0).empty());
}

TEST(TmpFile, ReadersSeeAppendsWhileTheWriterIsOpen)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    writeStore(ctx, sequence(3), true);
    ASSERT_TRUE(ctx.dataSet().isOpenForAppend());
    ctx.dataSet().AppendRecord(makeRecord(3, at(3), 4));
    LoadListPage(ctx, 0);
    EXPECT_EQ(ctx.listPage().Rows[4].number, 3);
    EXPECT_TRUE(ctx.listPage().Rows[5].isEmptySlot());
    expectSame(ctx.dataSet().ReadRecord(4), makeRecord(3, at(3), 4));
}

TEST(TmpFile, AForeignBufferedWriterIsFlushedBeforeReading)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    writeStore(ctx, sequence(2));
    auto file = std::make_unique<QFile>(ctx.tmpDatPath());
    ASSERT_TRUE(file->open(QIODevice::ReadWrite)); // buffered, as a caller might open it
    test::DataSetAccess::setWriter(ctx.dataSet(), std::move(file));
    ctx.dataSet().AppendRecord(makeRecord(2, at(2), 3));
    expectSame(ctx.dataSet().ReadRecord(3), makeRecord(2, at(2), 3));
}

TEST(TmpFile, OpeningForANewDataSetDropsStaleRecords)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    writeStore(ctx, sequence(5));
    ResetStore(ctx);
    ctx.dataSet().OpenTmpForAppend();
    EXPECT_EQ(QFile(ctx.tmpDatPath()).size(), 0);
    ctx.dataSet().AppendRecord(makeRecord(0, at(100), 50));
    ctx.dataSet().CloseTmp();
    EXPECT_EQ(QFile(ctx.tmpDatPath()).size(), kRecordBytes);
    EXPECT_EQ(ctx.dataSet().ReadRecord(1).number, 0);
    EXPECT_EQ(ctx.dataSet().ReadRecord(1).time(), at(100));
}

TEST(TmpFile, ReopeningKeepsTheDataSetAndCutsAPartialRecord)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    const auto recs = sequence(2);
    writeStore(ctx, recs);
    {
        QFile f(ctx.tmpDatPath());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray(50, 'x')); // what a failed append may leave behind
    }
    ctx.dataSet().OpenTmpForAppend();
    EXPECT_EQ(ctx.dataSet().RecordCount(), 2);
    ctx.dataSet().AppendRecord(makeRecord(2, at(2), 3));
    ctx.dataSet().CloseTmp();
    EXPECT_EQ(QFile(ctx.tmpDatPath()).size(), 3 * kRecordBytes);
    expectSame(ctx.dataSet().ReadRecord(2), recs[1]);
    expectSame(ctx.dataSet().ReadRecord(3), makeRecord(2, at(2), 3));
}

TEST(TmpFile, ACountBeyondTheFileIsLoweredWhenOpened)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    writeStore(ctx, sequence(3));
    test::props(ctx).RecordCount = 8;
    ctx.dataSet().OpenTmpForAppend();
    EXPECT_EQ(ctx.dataSet().RecordCount(), 3);
    ctx.dataSet().AppendRecord(makeRecord(3, at(3), 4));
    ctx.dataSet().CloseTmp();
    EXPECT_EQ(ctx.dataSet().ReadRecord(4).number, 3);
}

struct FailedAppendCase {
    const char* name;
    int expectedNumber;
    std::function<std::unique_ptr<QFile>(const Context&)> writer;
};

class FailedAppend : public ::testing::TestWithParam<FailedAppendCase> {};

TEST_P(FailedAppend, ThrowsAndLeavesTheStoredRecordsReadable)
{
    const FailedAppendCase& c = GetParam();
    TestContext tc;
    Context& ctx = *tc.ctx;
    const auto recs = sequence(4);
    writeStore(ctx, recs);
    test::DataSetAccess::setWriter(ctx.dataSet(), c.writer(ctx));

    const int number = errorNumberOf([&] { ctx.dataSet().AppendRecord(makeRecord(4, at(4), 5)); });

    EXPECT_EQ(number, c.expectedNumber) << c.name;
    EXPECT_EQ(ctx.dataSet().RecordCount(), 4);
    for (int k = 1; k <= 4; ++k)
        expectSame(ctx.dataSet().ReadRecord(k), recs[k - 1]);
    LoadListPage(ctx, 0);
    EXPECT_EQ(ctx.listPage().Rows[4].number, 3);
    EXPECT_TRUE(ctx.listPage().Rows[5].isEmptySlot());
}

INSTANTIATE_TEST_SUITE_P(
    Writers, FailedAppend,
    ::testing::Values(
        FailedAppendCase{"no handle", 52, [](const Context&) { return std::unique_ptr<QFile>(); }},
        FailedAppendCase{"read-only handle", 52,
                         [](const Context& ctx) {
                             auto f = std::make_unique<QFile>(ctx.tmpDatPath());
                             EXPECT_TRUE(f->open(QIODevice::ReadOnly));
                             return f;
                         }},
        FailedAppendCase{
            "closed handle", 52,
            [](const Context& ctx) { return std::make_unique<QFile>(ctx.tmpDatPath()); }},
        FailedAppendCase{"full disk", 61, [](const Context&) {
                             auto f = std::make_unique<QFile>(QStringLiteral("/dev/full"));
                             EXPECT_TRUE(f->open(QIODevice::WriteOnly | QIODevice::Unbuffered));
                             return f;
                         }}));

struct BadReadCase {
    const char* name;
    int recordCount; // the file holds 5 records
    int first;
    int count;
    int expectedNumber;
};

class BadRead : public ::testing::TestWithParam<BadReadCase> {};

TEST_P(BadRead, IsReportedWithItsNumber)
{
    const BadReadCase& c = GetParam();
    TestContext tc;
    Context& ctx = *tc.ctx;
    writeStore(ctx, sequence(5));
    test::props(ctx).RecordCount = c.recordCount;
    EXPECT_EQ(errorNumberOf([&] { ctx.dataSet().ReadRecords(c.first, c.count); }), c.expectedNumber)
        << c.name;
    if (c.count == 1) {
        EXPECT_EQ(errorNumberOf([&] { ctx.dataSet().ReadRecord(c.first); }), c.expectedNumber)
            << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, BadRead,
                         ::testing::Values(BadReadCase{"record 0", 5, 0, 1, 63},
                                           BadReadCase{"negative record", 5, -3, 1, 63},
                                           BadReadCase{"behind the count", 5, 6, 1, 63},
                                           BadReadCase{"range over the count", 5, 3, 4, 63},
                                           BadReadCase{"negative count", 5, 1, -1, 63},
                                           BadReadCase{"count beyond the file", 7, 6, 1, 62},
                                           BadReadCase{"range beyond the file", 7, 2, 6, 62}));

TEST(TmpFile, AMissingFileIsReportedNotRead)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    writeStore(ctx, sequence(3));
    ASSERT_TRUE(ctx.dataSet().DeleteTmpFile());
    EXPECT_FALSE(QFile::exists(ctx.tmpDatPath()));
    EXPECT_EQ(errorNumberOf([&] { ctx.dataSet().ReadRecord(1); }), 53);
    EXPECT_EQ(errorNumberOf([&] { LoadListPage(ctx, 0); }), 53);
    ctx.graphWindow().GraphStart = at(0);
    ctx.graphWindow().GraphEnd = at(60);
    ctx.graphWindow().GraphPoints = 3;
    EXPECT_EQ(errorNumberOf([&] { LoadGraphWindow(ctx); }), 53);
    EXPECT_EQ(ctx.graphWindow().GraphPoints, 0);
    EXPECT_GE(ctx.graphWindow().GraphTimes.size(), 2u);
    EXPECT_TRUE(ctx.dataSet().DeleteTmpFile()); // nothing left to delete
}

TEST(TmpFile, DeletingClosesTheWriter)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    writeStore(ctx, sequence(3), true);
    EXPECT_TRUE(ctx.dataSet().DeleteTmpFile());
    EXPECT_FALSE(test::DataSetAccess::writer(ctx.dataSet()));
    EXPECT_FALSE(QFile::exists(ctx.tmpDatPath()));
}

TEST(TmpFile, AnEmptyDataSetNeedsNoFile)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    ResetStore(ctx);
    LoadListPage(ctx, 0);
    for (int i = 1; i <= 14; ++i)
        EXPECT_TRUE(ctx.listPage().Rows[i].isEmptySlot());
    LoadGraphWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphPoints, 0);
    EXPECT_TRUE(ctx.dataSet().ReadRecords(1, 0).empty());
}

TEST(TmpFile, AFullStoreOf32767RecordsIsAcceptedAndReadable)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    test::props(ctx).RecordCount = 0;
    ctx.dataSet().OpenTmpForAppend();
    for (int i = 0; i < kMaxRecords; ++i)
        ctx.dataSet().AppendRecord(makeRecord(i, at(i), i));
    EXPECT_EQ(ctx.dataSet().RecordCount(), 32767);
    EXPECT_EQ(ctx.dataSet().ReadRecord(32767).number, 32766);
    LoadListPage(ctx, 32767 - 14);
    EXPECT_EQ(ctx.listPage().Rows[1].number, 32753);
    EXPECT_EQ(ctx.listPage().Rows[14].number, 32766);
    // Records arriving before the display cycle ends the measurement are kept.
    ctx.dataSet().AppendRecord(makeRecord(32767, at(32767), 32767));
    ctx.dataSet().CloseTmp();
    EXPECT_EQ(ctx.dataSet().RecordCount(), 32768);
    EXPECT_EQ(ctx.dataSet().ReadRecord(32768).time(), at(32767));
}

struct PageCase {
    int recordCount;
    int top;
    int firstFilledSlot; // slots before it and after lastFilledSlot are empty
    int lastFilledSlot;
};

class ListPageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(ListPageTest, FillsTheSlotsOfExistingRecords)
{
    const PageCase& c = GetParam();
    TestContext tc;
    Context& ctx = *tc.ctx;
    writeStore(ctx, sequence(c.recordCount));
    ctx.listPage().Rows[0] = makeRecord(777, at(0), 0);

    LoadListPage(ctx, c.top);

    EXPECT_EQ(ctx.listPage().ListTop, c.top);
    EXPECT_EQ(ctx.listPage().Rows[0].number, 777) << "slot 0 is never filled";
    for (int i = 1; i <= 14; ++i) {
        const DataRecord& slot = ctx.listPage().Rows[i];
        if (i >= c.firstFilledSlot && i <= c.lastFilledSlot) {
            expectSame(slot, makeRecord(c.top + i - 1, at(c.top + i - 1), c.top + i));
        } else {
            EXPECT_TRUE(slot.isEmptySlot()) << "slot " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ListPageTest,
                         ::testing::Values(PageCase{10, 0, 1, 10},  // the last four rows blank
                                           PageCase{14, 0, 1, 14},  // exactly one page
                                           PageCase{20, 6, 1, 14},  // the newest 14 of 20
                                           PageCase{20, 10, 1, 10}, // past the end
                                           PageCase{20, 20, 15, 0}, // nothing left
                                           PageCase{20, -3, 4, 14}, // before record 1
                                           PageCase{0, 0, 15, 0}));

struct ColumnCase {
    int column;
    std::optional<double> expected;
};

class ColumnValue : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ColumnValue, GivesTheFieldOfTheColumn)
{
    DataRecord r = makeRecord(42, at(90), 3);
    EXPECT_EQ(GetColumnValue(r, GetParam().column), GetParam().expected)
        << "column " << GetParam().column;
}

INSTANTIATE_TEST_SUITE_P(Columns, ColumnValue,
                         ::testing::Values(ColumnCase{-1, std::nullopt}, ColumnCase{0, 42.0},
                                           ColumnCase{1, at(90)}, ColumnCase{2, 302.0},
                                           ColumnCase{6, 306.0}, ColumnCase{11, 311.0},
                                           ColumnCase{17, 317.0}, ColumnCase{18, std::nullopt},
                                           ColumnCase{1000, std::nullopt}));

} // namespace
} // namespace quellin::test
