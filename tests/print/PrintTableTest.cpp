#include "print/PrintTable.h"

#include "TestContext.h"
#include "catalog/ModVer.h"
#include "platform/VbError.h"
#include "store/ModFile.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

// A catalogue of version with every column present and on, and TMP.DAT holding
// the records given (numbers and the values of columns 2..17 from the number).
void giveDataSet(Context& ctx, int version, const std::vector<int>& numbers)
{
    ctx.app.HardVersion = version;
    bfVer_NoCheck(ctx);
    ResetStore(ctx);
    test::props(ctx).ColumnPresent.assign(static_cast<size_t>(ctx.cat.ColumnLast) + 1, true);
    ctx.dataSet().OpenTmpForAppend();
    int i = 0;
    for (const int n : numbers) {
        DataRecord r;
        r.number = n;
        r.setTime(37408.0 + (10 * 3600 + i) / 86400.0); // 2002/06/01 10:00:00 + i s
        r.setColumn(2, 230.4 + i);
        r.setColumn(3, 101.0);
        r.setColumn(4, 5);
        r.setColumn(5, 0.25);
        r.setColumn(6, 1234.5);
        r.setColumn(7, 300);
        r.setColumn(8, 500);
        r.setColumn(9, 0.5);
        r.setColumn(10, 50.0);
        r.setColumn(11, 12.5);
        r.setColumn(12, 1.23456);
        r.setColumn(13, 12.34);
        r.setColumn(14, 0);
        r.setColumn(15, 99.95);
        r.setColumn(16, 25.5);
        r.setColumn(17, -3.4);
        ctx.dataSet().AppendRecord(r);
        ++i;
    }
    ctx.dataSet().CloseTmp();
}

QStringList row(const PrintTable& t, int r)
{
    QStringList out;
    for (int c = 0; c < t.columnCount(); ++c)
        out << t.cell(r, c);
    return out;
}

TEST(PrintTable, VersionOnePrintsTwelveColumnsInTheListsFormats)
{
    test::TestContext t;
    giveDataSet(*t.ctx, 1, {0, 1});
    const PrintTable table = buildPrintTable(*t.ctx);
    EXPECT_EQ(table.headers,
              (QStringList{"番号", "時刻", "電圧Ｒ", "電圧Ｔ", "電流Ｒ", "電流Ｔ", "有効電力",
                           "無効電力", "皮相電力", "力率", "積算電力", "積算時間"}));
    ASSERT_EQ(table.rowCount(), 2);
    // The integration time with three decimals, where the list shows five.
    EXPECT_EQ(row(table, 0), (QStringList{"0", "2002/06/01 10:00:00", "230.4E+0", "101.0E+0",
                                          "500.0E-2", "250.0E-3", "123.5E+1", "300.0E+0",
                                          "500.0E+0", "0.500 ", "125.0E-1", "1.235"}));
    EXPECT_EQ(row(table, 1)[0], QStringLiteral("1"));
    EXPECT_EQ(row(table, 1)[1], QStringLiteral("2002/06/01 10:00:01"));
    EXPECT_EQ(row(table, 1)[2], QStringLiteral("231.4E+0"));
    EXPECT_EQ(table.widthChars.front(), 5.5);
    EXPECT_EQ(table.widthChars[1], 17.5);
}

TEST(PrintTable, VersionTwoAddsLeakageAndTemperatures)
{
    test::TestContext t;
    giveDataSet(*t.ctx, 2, {0});
    const PrintTable table = buildPrintTable(*t.ctx);
    ASSERT_EQ(table.columnCount(), 17);
    EXPECT_EQ(table.headers.mid(12),
              (QStringList{"漏電電流1", "漏電電流2", "漏電電流3", "温度1", "温度2"}));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(row(table, 0).mid(11), (QStringList{"1.235", "12.3", "0.0", "100.0", "26", "-3"}));
    EXPECT_EQ(table.widthChars[12], 7.38);
    EXPECT_EQ(table.widthChars[16], 4.38);
}

TEST(PrintTable, RecordsNumberedMinusOneGiveNoRow)
{
    test::TestContext t;
    giveDataSet(*t.ctx, 1, {0, -1, 2, -1, -1, 5});
    const PrintTable table = buildPrintTable(*t.ctx);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cell(0, 0), QStringLiteral("0"));
    EXPECT_EQ(table.cell(1, 0), QStringLiteral("2"));
    EXPECT_EQ(table.cell(2, 0), QStringLiteral("5"));
    // The rows keep their own times: record 3 of the file was taken at 10:00:02.
    EXPECT_EQ(table.cell(1, 1), QStringLiteral("2002/06/01 10:00:02"));
}

TEST(PrintTable, OnlyPresentAndSwitchedOnColumnsArePrinted)
{
    test::TestContext t;
    giveDataSet(*t.ctx, 2, {0});
    // Single-phase two-wire: no voltage T or current T; the user switched off
    // the integrated energy and the second temperature.
    test::props(*t.ctx).ColumnPresent[3] = false;
    test::props(*t.ctx).ColumnPresent[5] = false;
    t.ctx->cat.ColumnOn[11] = false;
    t.ctx->cat.ColumnOn[17] = false;
    const PrintTable table = buildPrintTable(*t.ctx);
    EXPECT_EQ(table.headers,
              (QStringList{"番号", "時刻", "電圧Ｒ", "電流Ｒ", "有効電力", "無効電力", "皮相電力",
                           "力率", "積算時間", "漏電電流1", "漏電電流2", "漏電電流3", "温度1"}));
    EXPECT_EQ(row(table, 0), (QStringList{"0", "2002/06/01 10:00:00", "230.4E+0", "500.0E-2",
                                          "123.5E+1", "300.0E+0", "500.0E+0", "0.500 ", "1.235",
                                          "12.3", "0.0", "100.0", "26"}));
    EXPECT_EQ(printedGridColumns(*t.ctx),
              (std::vector<int>{1, 2, 3, 5, 7, 8, 9, 10, 12, 13, 14, 15, 16}));
}

TEST(PrintTable, AnEmptyDataSetHasNoRows)
{
    test::TestContext t;
    giveDataSet(*t.ctx, 1, {});
    const PrintTable table = buildPrintTable(*t.ctx);
    EXPECT_EQ(table.columnCount(), 12);
    EXPECT_EQ(table.rowCount(), 0);
}

TEST(PrintTable, AMissingDataFileIsAnError)
{
    test::TestContext t;
    giveDataSet(*t.ctx, 1, {0, 1, 2});
    t.ctx->dataSet().DeleteTmpFile();
    EXPECT_THROW(buildPrintTable(*t.ctx), VbError);
}

} // namespace
} // namespace quellin
