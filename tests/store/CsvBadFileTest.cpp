// Files that are not what they claim: each is refused with a message that says
// what is wrong, nothing of it stays in the store, and the program stays usable.

#include "CsvTestSupport.h"
#include "store/CsvFile.h"
#include "store/CsvLoad.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quellin;
using namespace quellin::test;
using namespace quellin::test::csvdata;

namespace {

struct BadCase {
    const char* name;
    const char* fixture; // tests/data/csv/<fixture>; empty: `content` is written instead
    QByteArray content;
    // Either one of the two plain refusals (critical icon), followed on a line
    // of its own by the reason when reportHas names its parts …
    const char* refusal;
    // … or the common error report for LoadDataFile with these texts in it.
    std::vector<const char*> reportHas;
};

const char* const kNoData = "データが記録されていません。";
const char* const kInvalid = "不正なデータファイルです。";
const char* const kNoTitleLine = "1～3行目に見出しの行（\"番号\",\"時刻\",…）がありません。";

QByteArray megabyteLine()
{
    QByteArray text = fixture(QStringLiteral("v1_three_phase.csv"));
    return text + QByteArray(1 << 20, '9') + "\r\n";
}

class BadFile : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadFile, IsRefusedCleanly)
{
    const BadCase& c = GetParam();
    TestContext t;
    useVersion(*t.ctx, 1);
    // An earlier data set that the refused file must not disturb.
    storeRecords(*t.ctx, knownRecords(), 1);
    test::props(*t.ctx).TitleLine = QStringLiteral("earlier");

    QString path;
    if (*c.fixture) {
        path = fixturePath(QString::fromLatin1(c.fixture));
        ASSERT_TRUE(QFile::exists(path)) << c.fixture;
    } else {
        path = t.path(QStringLiteral("bad.csv"));
        writeBytes(path, c.content);
    }
    EXPECT_FALSE(LoadDataFile(*t.ctx, path));

    ASSERT_EQ(t.msg.shown.size(), 1u) << t.msg.texts().join(QLatin1Char('|')).toStdString();
    const MessageRequest& box = t.msg.shown.front();
    if (c.refusal && c.reportHas.empty()) {
        EXPECT_EQ(box.text, QString::fromUtf8(c.refusal));
        EXPECT_EQ(box.icon, MsgIcon::Critical);
    } else if (c.refusal) {
        EXPECT_TRUE(box.text.startsWith(QString::fromUtf8(c.refusal) + QStringLiteral("\r\n")))
            << box.text.toStdString();
        EXPECT_EQ(box.icon, MsgIcon::Critical);
    } else {
        EXPECT_TRUE(box.text.startsWith(QStringLiteral("LoadDataFileでエラーが起こりました。\r")))
            << box.text.toStdString();
        EXPECT_EQ(box.title, QStringLiteral("エラー"));
    }
    for (const char* part : c.reportHas)
        EXPECT_TRUE(box.text.contains(QString::fromUtf8(part)))
            << box.text.toStdString() << " lacks " << part;

    // Nothing half-loaded remains; the data set's wiring and title are as before.
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 0);
    EXPECT_FALSE(QFile::exists(t.ctx->tmpDatPath()));
    EXPECT_FALSE(t.ctx->app.DataPresent);
    EXPECT_FALSE(test::DataSetAccess::writer(t.ctx->dataSet()));
    EXPECT_EQ(t.ctx->dataSet().DataWiring(), 1);
    EXPECT_EQ(t.ctx->dataSet().TitleLine(), QStringLiteral("earlier"));
    EXPECT_EQ(t.ctx->dataSet().ColumnPresent(), std::vector<bool>(13, false));

    // And the program goes on: a good file loads right after.
    t.msg.clear();
    EXPECT_TRUE(LoadDataFile(*t.ctx, fixturePath(QStringLiteral("v1_three_phase.csv"))));
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 3);
    EXPECT_TRUE(t.msg.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFile,
    ::testing::Values(
        BadCase{"empty", "bad_empty.csv", {}, kInvalid, {"ファイルが空です。"}},
        BadCase{"headers_only", "bad_headers_only.csv", {}, kNoData, {}},
        BadCase{"one_record", "bad_one_record.csv", {}, kInvalid, {"データが1件しかありません"}},
        BadCase{"first_two_at_the_same_second",
                "bad_same_second.csv",
                {},
                kInvalid,
                {"4行目と5行目の時刻が同じです（2002/06/01 10:00:00）",
                 "秒が保存されていない可能性があります"}},
        BadCase{"no_known_titles", "bad_no_known_titles.csv", {}, kInvalid, {kNoTitleLine}},
        BadCase{"binary", "bad_binary.csv", {}, kInvalid, {kNoTitleLine}},
        BadCase{"short_line",
                "bad_short_line.csv",
                {},
                nullptr,
                {"エラー：321 / ", "5行目", "項目が足りません", "13項目のところ5項目"}},
        BadCase{"not_a_number",
                "bad_not_a_number.csv",
                {},
                nullptr,
                {"エラー：13 / ", "5行目", "電圧Ｒ(V)", "数値ではありません", "\"abc\""}},
        BadCase{"record_number",
                "bad_record_number.csv",
                {},
                nullptr,
                {"エラー：13 / ", "4行目", "番号", "x000"}},
        BadCase{"date",
                "bad_date.csv",
                {},
                nullptr,
                {"エラー：13 / ", "5行目", "時刻", "日付ではありません", "2002/13/01"}},
        BadCase{"overflow",
                "bad_overflow.csv",
                {},
                nullptr,
                {"エラー：6 / ", "5行目", "電圧Ｒ(V)", "範囲を超えています", "1.0E+39"}},
        BadCase{"times_out_of_order",
                "bad_out_of_order.csv",
                {},
                nullptr,
                {"エラー：321 / ", "6行目", "前の行の時刻より前です"}},
        BadCase{"megabyte_line",
                "",
                megabyteLine(),
                nullptr,
                {"エラー：321 / ", "7行目", "長すぎます"}},
        BadCase{"only_a_name_line", "", "ファイル名=\"x.csv\"\r\n", kInvalid, {kNoTitleLine}},
        BadCase{"no_title_line",
                "",
                "ファイル名=\"x.csv\"\r\n\"測定条件　結線＝単相２線式\"\r\n",
                kInvalid,
                {kNoTitleLine}},
        BadCase{"interval_beyond_32_bits",
                "",
                "n\r\nw\r\n\"番号\",\"時刻\"\r\n0,\"0100/01/01 00:00:00\"\r\n"
                "1,\"9999/12/31 00:00:00\"\r\n",
                nullptr,
                {"エラー：6 / ", "5行目", "間隔が長すぎます"}},
        BadCase{"field_shown_shortened",
                "",
                "n\r\nw\r\n\"番号\",\"時刻\"\r\n0," + QByteArray(300, 'z') + "\r\n",
                nullptr,
                {"4行目", "zzzzzzzzzzzzzzzzzzzzzzzz…"}},
        BadCase{"control_bytes_in_a_field",
                "",
                QByteArray("n\r\nw\r\n\"番号\",\"時刻\"\r\n0,\"\x01\x02\"\r\n"),
                nullptr,
                {"4行目", "\"??\""}},
        // A made-up 0 V or 0 W must not enter the data set.
        BadCase{"empty_measured_value",
                "edge_empty_values.csv",
                {},
                nullptr,
                {"エラー：13 / ", "5行目の「電圧Ｒ(V)」が数値ではありません（空欄）"}},
        BadCase{"time_without_seconds",
                "",
                "\"番号\",\"時刻\"\r\n0,2024/3/1 12:00\r\n1,2024/3/1 12:00\r\n",
                nullptr,
                {"エラー：13 / ", "2行目の「時刻」が時:分までしかありません（\"2024/3/1 12:00\"）",
                 "秒が保存されていない可能性があります", "yyyy/mm/dd hh:mm:ss"}},
        BadCase{
            "month_day_year_from_a_spreadsheet",
            "../spreadsheet/us-date-order.csv",
            {},
            nullptr,
            {"4行目の「時刻」の形が違います（\"03/01/2024 12:00:00\"）", "yyyy/mm/dd hh:mm:ss"}},
        BadCase{"no_time_title",
                "",
                "n\r\nw\r\n\"番号\",\"電圧Ｒ(V)\"\r\n0,1\r\n1,2\r\n",
                kInvalid,
                {"見出しの行（3行目）に「時刻」がありません。"}},
        // Three head lines whose titles match nothing, and no data.
        BadCase{"head_only_with_unknown_titles",
                "",
                "n\r\nw\r\n\"メモ\",\"備考\"\r\n,,\r\n",
                kNoData,
                {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BadFileReport, AFolderIsNoDataFile)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    EXPECT_FALSE(LoadDataFile(*t.ctx, t.dir.path()));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 0);
    EXPECT_FALSE(QFile::exists(t.ctx->tmpDatPath()));
}

TEST(BadFileReport, ANonexistentFileIsReportedAsSuch)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    EXPECT_FALSE(LoadDataFile(*t.ctx, t.path(QStringLiteral("gone.csv"))));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_TRUE(t.msg.shown.front().text.contains(QStringLiteral("エラー：53 / ")));
    EXPECT_TRUE(t.msg.shown.front().text.contains(QStringLiteral("gone.csv")));
}

} // namespace
