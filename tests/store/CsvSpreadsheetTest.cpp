// Data files that have been through a spreadsheet (tests/data/spreadsheet: one
// of the program's files as LibreOffice Calc 7.4 saved it back) and the edits
// users make there: fields are read under their own titles, and columns of the
// user's own are ignored wherever they stand. (The one such file that cannot be
// read is among the refused files of CsvBadFileTest.)

#include "CsvTestSupport.h"
#include "store/CsvLoad.h"
#include "store/CsvSave.h"
#include "store/CsvText.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace quellin;
using namespace quellin::test;
using namespace quellin::test::csvdata;

namespace {

QString spreadsheetFile(const char* name)
{
    return QStringLiteral(QUELLIN_TEST_DATA "/spreadsheet/") + QString::fromLatin1(name);
}

QString messages(const TestContext& t)
{
    return t.msg.texts().join(QLatin1Char('|'));
}

// Every record, field by field (NaN-free data, so equality is exact).
void expectSameRecords(const std::vector<DataRecord>& a, const std::vector<DataRecord>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t r = 0; r < a.size(); ++r) {
        EXPECT_EQ(a[r].number, b[r].number) << "record " << r;
        for (int c = 1; c < kMaxColumns; ++c)
            EXPECT_EQ(a[r].column(c), b[r].column(c)) << "record " << r << " column " << c;
    }
}

struct SheetCase {
    const char* file;
    double firstVoltageR; // column 2 of the first record as the file writes it
    double lastEnergy;    // column 11 of the last record
};

class SpreadsheetFile : public ::testing::TestWithParam<SheetCase> {};

TEST_P(SpreadsheetFile, LoadsWithItsOwnValues)
{
    const SheetCase& c = GetParam();
    TestContext t;
    useVersion(*t.ctx, 2);
    ASSERT_TRUE(LoadDataFile(*t.ctx, spreadsheetFile(c.file))) << messages(t).toStdString();
    const DataSetProperties& st = t.ctx->dataSet().properties();
    EXPECT_EQ(st.RecordCount, 256);
    EXPECT_EQ(st.DataWiring, 2);
    EXPECT_EQ(st.SampleInterval, 1);
    EXPECT_EQ(st.FirstTime, *vbdate::fromCivil({2024, 3, 1, 12, 0, 0}));
    EXPECT_EQ(st.LastTime, *vbdate::fromCivil({2024, 3, 1, 12, 4, 15}));
    EXPECT_EQ(st.ColumnPresent, std::vector<bool>(kMaxColumns, true));
    const std::vector<DataRecord> recs = recordsOf(*t.ctx);
    EXPECT_EQ(recs.front().column(2), single(c.firstVoltageR));
    EXPECT_EQ(recs.back().number, 255);
    EXPECT_EQ(recs.back().column(11), single(c.lastEnergy));
    EXPECT_EQ(recs.back().column(15), single(18.1));
    EXPECT_EQ(recs.back().column(17), 30.0);
}

INSTANTIATE_TEST_SUITE_P(Calc, SpreadsheetFile,
                         ::testing::Values(SheetCase{"time-as-text.csv", 230.4, 0.07692},
                                           SheetCase{"utf8-no-bom.csv", 230, 0.0769},
                                           SheetCase{"all-text-quoted.csv", 230, 0.0769},
                                           SheetCase{"japanese-locale-date.csv", 201.9, 0.07692},
                                           SheetCase{"user-column-inserted.csv", 230.4, 0.07692}),
                         [](const auto& info) {
                             std::string n = info.param.file;
                             n = n.substr(0, n.find('.'));
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

// A column of the user's own, anywhere in a file the program saved: the data
// set reads back as from the file itself.
struct ExtraColumn {
    const char* name;
    int position; // field position; -1 after the last field
    QByteArray title;
    QByteArray value;
};

QByteArray sjis(const char* text)
{
    return csv::encodeShiftJis(QString::fromUtf8(text));
}

class UserColumn : public ::testing::TestWithParam<ExtraColumn> {};

TEST_P(UserColumn, IsIgnoredWhereverItStands)
{
    const ExtraColumn& c = GetParam();
    TestContext t;
    useVersion(*t.ctx, 2);
    storeRecords(*t.ctx, knownRecords(), 2);
    const QString saved = t.path(QStringLiteral("saved.csv"));
    ASSERT_TRUE(SaveDataFile(*t.ctx, saved));
    ASSERT_TRUE(LoadDataFile(*t.ctx, saved));
    const std::vector<DataRecord> expected = recordsOf(*t.ctx);

    QList<QByteArray> lines = readBytes(saved).split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        QList<QByteArray> fields = lines[i].chopped(1).split(',');
        const qsizetype at = c.position < 0 ? fields.size() : c.position;
        fields.insert(at, i == 2 ? c.title : c.value);
        lines[i] = fields.join(',') + '\r';
    }
    const QString edited = t.path(QStringLiteral("edited.csv"));
    writeBytes(edited, lines.join('\n'));
    ASSERT_TRUE(LoadDataFile(*t.ctx, edited)) << messages(t).toStdString();
    expectSameRecords(recordsOf(*t.ctx), expected);
    EXPECT_EQ(t.ctx->dataSet().ColumnPresent(), std::vector<bool>(kMaxColumns, true));
}

INSTANTIATE_TEST_SUITE_P(
    Places, UserColumn,
    ::testing::Values(ExtraColumn{"First", 0, sjis("\"メモ\""), "1"},
                      ExtraColumn{"AfterTheTime", 2, sjis("メモ"), "7"},
                      ExtraColumn{"InTheMiddle", 9, sjis("\"備考\""), "-3.5E+1"},
                      ExtraColumn{"Appended", -1, sjis("\"メモ\""), "12"},
                      ExtraColumn{"QuotedWithACommaInside", 3, sjis("\"メモ, 1\""), "\"a,b\""},
                      ExtraColumn{"UntitledAndEmpty", 5, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A sheet saved without the file-name and wiring lines, with rows a spreadsheet
// keeps after their cells were cleared.
TEST(SpreadsheetFiles, AFileThatStartsWithItsTitlesLoadsWithTheWiringUnknown)
{
    TestContext t;
    useVersion(*t.ctx, 2);
    test::props(*t.ctx).DataWiring = 0;
    QList<QByteArray> lines = readBytes(spreadsheetFile("time-as-text.csv")).split('\n');
    lines.remove(0, 2);
    lines.insert(10, ",,,,,,");
    lines.append(",,,,,,,,,,,,,,,,,");
    const QString path = t.path(QStringLiteral("sheet.csv"));
    writeBytes(path, lines.join('\n'));
    ASSERT_TRUE(LoadDataFile(*t.ctx, path)) << messages(t).toStdString();
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 256);
    EXPECT_EQ(t.ctx->dataSet().DataWiring(), 0);
    EXPECT_TRUE(t.ctx->dataSet().TitleLine().isEmpty());
    EXPECT_EQ(recordsOf(*t.ctx).front().column(2), single(230.4));
}

} // namespace
