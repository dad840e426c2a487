#include "views/ListTexts.h"

#include "link/MeasuredData.h"

#include "TestContext.h"
#include "catalog/ModVer.h"
#include "store/CsvLoad.h"
#include "store/CsvTestSupport.h"

#include <gtest/gtest.h>

namespace quellin {
namespace {

// A version-1 or version-2 catalogue with every column present and switched on.
void giveCatalogue(Context& ctx, int version)
{
    ctx.app.HardVersion = version;
    dimensionCatalog(ctx.cat, version);
    test::props(ctx).ColumnPresent.assign(static_cast<size_t>(ctx.cat.ColumnLast) + 1, true);
}

DataRecord sample()
{
    DataRecord r;
    r.number = 7;
    r.setTime(37408.0 + (10 * 3600 + 5) / 86400.0); // 2002/06/01 10:00:05
    r.setColumn(2, 230.4);
    r.setColumn(3, 101.0);
    r.setColumn(4, 5);
    r.setColumn(5, 0.25);
    r.setColumn(6, 1234.5);
    r.setColumn(7, 300);
    r.setColumn(8, 500);
    r.setColumn(9, 0.5);
    r.setColumn(10, 50.0);
    r.setColumn(11, 12.5);
    r.setColumn(12, 1.0 / 3600);
    r.setColumn(13, 12.34);
    r.setColumn(14, 0);
    r.setColumn(15, 99.95);
    r.setColumn(16, 25.5);
    r.setColumn(17, -3.4);
    return r;
}

struct CellCase {
    int gridColumn;
    const char* expected;
};

class ListCellText : public ::testing::TestWithParam<CellCase> {};

TEST_P(ListCellText, FormatsEachGridColumn)
{
    test::TestContext t;
    giveCatalogue(*t.ctx, 2);
    EXPECT_EQ(listCellText(*t.ctx, sample(), GetParam().gridColumn),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Version2, ListCellText,
    ::testing::Values(CellCase{1, "7"}, CellCase{2, "2002/06/01 10:00:05"}, CellCase{3, "230.4E+0"},
                      CellCase{4, "101.0E+0"}, CellCase{5, "500.0E-2"}, CellCase{6, "250.0E-3"},
                      CellCase{7, "123.5E+1"}, CellCase{8, "300.0E+0"}, CellCase{9, "500.0E+0"},
                      CellCase{10, "0.500 "}, CellCase{11, "125.0E-1"}, CellCase{12, "0.00028"},
                      CellCase{13, "12.3"}, CellCase{14, "0.0"}, CellCase{15, "100.0"},
                      CellCase{16, "26"}, CellCase{17, "-3"}));

TEST(PowerFactorText, BlankAfterNonNegativeAndCutToSix)
{
    EXPECT_EQ(powerFactorText(0.5), QStringLiteral("0.500 "));
    EXPECT_EQ(powerFactorText(-0.5), QStringLiteral("-0.500"));
    EXPECT_EQ(powerFactorText(1), QStringLiteral("1.000 "));
    EXPECT_EQ(powerFactorText(0), QStringLiteral("0.000 "));
    EXPECT_EQ(powerFactorText(99.5), QStringLiteral("99.500"));
    EXPECT_EQ(powerFactorText(-12.25), QStringLiteral("-12.25"));
}

TEST(ListCellText, AbsentOrSwitchedOffColumnsStayBlank)
{
    test::TestContext t;
    giveCatalogue(*t.ctx, 1);
    // Single-phase two-wire: voltage T and current T are not in the data set.
    test::props(*t.ctx).ColumnPresent[3] = false;
    test::props(*t.ctx).ColumnPresent[5] = false;
    // Integrated energy switched off in the logging choice.
    t.ctx->cat.ColumnOn[11] = false;
    const DataRecord r = sample();
    EXPECT_EQ(listCellText(*t.ctx, r, 4), QString());
    EXPECT_EQ(listCellText(*t.ctx, r, 6), QString());
    EXPECT_EQ(listCellText(*t.ctx, r, 11), QString());
    EXPECT_EQ(listCellText(*t.ctx, r, 3), QStringLiteral("230.4E+0"));
    // Version 1 lists no leakage or temperature columns.
    EXPECT_EQ(listCellText(*t.ctx, r, 13), QString());
}

// A value a record could not be given (NaN) is missing: a blank cell in the
// list and on paper, the rest of the record as usual.
TEST(ListCellText, AMissingValueIsABlankCell)
{
    test::TestContext t;
    giveCatalogue(*t.ctx, 1);
    DataRecord r = sample();
    r.setColumn(6, std::numeric_limits<double>::quiet_NaN());
    for (const ListPurpose purpose : {ListPurpose::Screen, ListPurpose::Print}) {
        int blanks = 0;
        for (int g = 0; g <= 16; ++g) {
            const QString text = listCellText(*t.ctx, r, g, purpose);
            if (recordColumnOfGridColumn(g) == 6) {
                EXPECT_EQ(text, QString());
            }
            blanks += text.isEmpty() ? 1 : 0;
            EXPECT_FALSE(text.contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << g;
        }
        EXPECT_EQ(blanks, [&] {
            int n = 0;
            for (int g = 0; g <= 16; ++g)
                n += listCellText(*t.ctx, sample(), g, purpose).isEmpty() ? 1 : 0;
            return n + 1;
        }());
    }
}

TEST(ListCellText, PrintShowsHoursWithThreeDecimals)
{
    test::TestContext t;
    giveCatalogue(*t.ctx, 1);
    DataRecord r = sample();
    r.setColumn(12, 1.23456);
    EXPECT_EQ(listCellText(*t.ctx, r, 12, ListPurpose::Screen), QStringLiteral("1.23456"));
    EXPECT_EQ(listCellText(*t.ctx, r, 12, ListPurpose::Print), QStringLiteral("1.235"));
}

TEST(ListHeaders, VersionTwoAddsTheSeriesNamesOfItsItems)
{
    test::TestContext t;
    giveCatalogue(*t.ctx, 1);
    EXPECT_EQ(listHeaders(*t.ctx).size(), 12);
    EXPECT_EQ(listHeaders(*t.ctx).last(), QStringLiteral("積算時間"));
    giveCatalogue(*t.ctx, 2);
    const QStringList h = listHeaders(*t.ctx);
    ASSERT_EQ(h.size(), 17);
    EXPECT_EQ(h[12], QStringLiteral("漏電電流1"));
    EXPECT_EQ(h[16], QStringLiteral("温度2"));
}

// A heading too wide for its column breaks at the blank that leaves the wider
// line narrowest; one that fits, or has no blank, is kept (one unit a character).
TEST(ListHeaders, AWideHeadingTakesTwoLines)
{
    const struct { const char* text; double room; const char* shown; } cases[] = {
        {"Voltage R", 9, "Voltage R"},
        {"Leakage current 1", 10, "Leakage\ncurrent 1"},
        {"Reactive power", 8, "Reactive\npower"},
        {"Temperature 1", 4, "Temperature\n1"},
        {"漏電電流1", 3, "漏電電流1"},
        {"a b c d", 4, "a b\nc d"},
    };
    const auto length = [](const QString& t) { return static_cast<double>(t.size()); };
    for (const auto& c : cases)
        EXPECT_EQ(wrappedHeader(QString::fromUtf8(c.text), c.room, length), QString::fromUtf8(c.shown))
            << c.text;
}

TEST(ListScroll, EnabledFromFifteenRecords)
{
    EXPECT_FALSE(listScroll(3).enabled);
    EXPECT_FALSE(listScroll(14).enabled);
    EXPECT_TRUE(listScroll(15).enabled);
    EXPECT_EQ(listScroll(15).maximum, 1);
    EXPECT_EQ(listScroll(32767).maximum, 32753);
    // A taller list scrolls once its rows are full.
    EXPECT_FALSE(listScroll(30, 30).enabled);
    EXPECT_EQ(listScroll(31, 30).maximum, 1);
}

struct MoveCase {
    const char* name;
    ListMove move;
    int top;
    int want;
};

class ListMoves : public ::testing::TestWithParam<MoveCase> {};

// A list of 20 rows over 120 records (tops 0 .. 100).
TEST_P(ListMoves, StayWithinTheRecords)
{
    const MoveCase& c = GetParam();
    EXPECT_EQ(listTopAfter(c.move, c.top, 100, 20), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ListMoves,
    ::testing::Values(MoveCase{"rowDown", ListMove::RowDown, 10, 11},
                      MoveCase{"rowUp", ListMove::RowUp, 10, 9},
                      MoveCase{"rowUpAtTheTop", ListMove::RowUp, 0, 0},
                      MoveCase{"pageDownKeepsTheLastRow", ListMove::PageDown, 10, 29},
                      MoveCase{"pageDownNearTheEnd", ListMove::PageDown, 90, 100},
                      MoveCase{"pageUp", ListMove::PageUp, 50, 31},
                      MoveCase{"end", ListMove::Last, 57, 100},
                      MoveCase{"wheelDown", ListMove::WheelDown, 10, 13},
                      MoveCase{"wheelUpAtTheTop", ListMove::WheelUp, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ListRows, FollowTheGridsHeightButNeverFewerThanFourteen)
{
    struct Case {
        int bodyHeight, rowHeight, rows;
    };
    for (const Case& c : {Case{300, 20, 14}, Case{15 * 20, 20, 14}, Case{16 * 20, 20, 15},
                          Case{16 * 20 + 19, 20, 15}, Case{1000, 20, 49}, Case{1000, 0, 14},
                          Case{1000000, 1, kMostListRows}}) {
        SCOPED_TRACE(testing::Message() << c.bodyHeight << " / " << c.rowHeight);
        EXPECT_EQ(listRowsForHeight(c.bodyHeight, c.rowHeight), c.rows);
    }
}

TEST(GridColumns, FrequencyIsNotListed)
{
    for (int g = 1; g <= 17; ++g)
        EXPECT_NE(recordColumnOfGridColumn(g), 10) << g;
    EXPECT_EQ(recordColumnOfGridColumn(11), 11);
    EXPECT_EQ(recordColumnOfGridColumn(18), -1);
}

// Under a version-1 catalogue a version-2 file's extra columns are present but
// neither read nor listed.
TEST(LoadedFileEdges, Version2ColumnsUnderVersion1AreNotListed)
{
    test::TestContext t;
    test::csvdata::useVersion(*t.ctx, 1);
    ASSERT_TRUE(LoadDataFile(
        *t.ctx, test::csvdata::fixturePath(QStringLiteral("v2_single_three_wire.csv"))));
    LoadListPage(*t.ctx, 0);
    const DataRecord& rec = t.ctx->listPage().Rows[1];
    EXPECT_FALSE(listCellText(*t.ctx, rec, 3).isEmpty()); // voltage R
    for (int grid = 13; grid <= 17; ++grid)
        EXPECT_TRUE(listCellText(*t.ctx, rec, grid).isEmpty()) << grid;
}

} // namespace
} // namespace quellin
