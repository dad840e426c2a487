#include "catalog/ModVer.h"

#include "base/MeasuredItems.h"
#include "platform/VbError.h"
#include "support/TestContext.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using quellin::MsgAnswer;
using quellin::MsgButtons;
using quellin::MsgIcon;
using quellin::VbError;
using quellin::test::TestContext;

const QString kQuestion = QStringLiteral(
    "現在のハードバージョンが取得できないので、起動後 ハード本体と通信を確認して再起動して下さい。"
    "\r\nハードバージョン １ で起動しますか？\r\n\r\nはい：Ver.１　いいえ：Ver.２");

QStringList utf8List(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* s : items)
        out << QString::fromUtf8(s);
    return out;
}

const QStringList kTitlesV2 = utf8List(
    {"番号", "時刻", "電圧Ｒ(V)", "電圧Ｔ(V)", "電流Ｒ(A)", "電流Ｔ(A)", "有効電力(W)",
     "無効電力(Var)", "皮相電力(VA)", "力率(%)", "周波数(Hz)", "積算電力(kWh)", "積算時間(時間)",
     "漏電電流1(mA)", "漏電電流2(mA)", "漏電電流3(mA)", "温度1(℃)", "温度2(℃)"});
const QStringList kNamesV2 =
    utf8List({"電圧Ｒ", "電圧Ｔ", "電流Ｒ", "電流Ｔ", "有効電力", "無効電力", "皮相電力", "力率",
              "積算電力量", "漏電電流1", "漏電電流2", "漏電電流3", "温度1", "温度2"});
const QStringList kUnitsV2 =
    utf8List({"V", "V", "A", "A", "W", "Var", "VA", "%", "Wh", "mA", "mA", "mA", "℃", "℃"});
const QStringList kPrefixes =
    utf8List({"", "", "", "K", "K", "K", "M", "M", "M", "G", "G", "G", "G"});

// A starter that records what bfVer_Open asked of the link.
class FakeStarter : public quellin::VersionExchangeStarter {
public:
    bool open = false;
    int started = 0;
    bool throwOnStart = false;
    int ended = 0;
    bool portIsOpen() const override { return open; }
    void endExchange() override { ++ended; }
    void startVersionExchange() override
    {
        if (throwOnStart)
            throw VbError(quellin::ErrorNumber::PortUnusable,
                          QStringLiteral("ポートが使えません。"));
        ++started;
    }
};

// ---- the two catalogues -----------------------------------------------------------------

struct VersionCase {
    int hardVersion;
    int columnLast;
    int seriesLast;
};

class Catalogue : public ::testing::TestWithParam<VersionCase> {};

TEST_P(Catalogue, IsBuiltForTheVersion)
{
    TestContext t;
    const VersionCase& v = GetParam();
    t.ctx->app.HardVersion = v.hardVersion;
    quellin::test::props(*t.ctx).RecordCount = 12;
    ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
    const auto& cat = t.ctx->cat;
    const auto columns = static_cast<size_t>(v.columnLast) + 1;
    const auto series = static_cast<size_t>(v.seriesLast) + 1;
    EXPECT_EQ(cat.ColumnLast, v.columnLast);
    EXPECT_EQ(cat.SeriesLast, v.seriesLast);
    EXPECT_EQ(cat.ColumnTitles, kTitlesV2.mid(0, v.columnLast + 1));
    EXPECT_EQ(cat.SeriesNames, kNamesV2.mid(0, v.seriesLast + 1));
    EXPECT_EQ(cat.SeriesUnits, kUnitsV2.mid(0, v.seriesLast + 1));
    EXPECT_EQ(cat.UnitPrefixes, kPrefixes);
    EXPECT_EQ(cat.AbsSeries[0], 4);
    EXPECT_EQ(cat.AbsSeries[1], 8);
    EXPECT_EQ(cat.LogColumns, std::vector<bool>(columns, true));
    EXPECT_EQ(cat.ColumnOn, std::vector<bool>(columns, true));
    std::vector<bool> shown(series, false);
    shown[4] = shown[8] = true;
    EXPECT_EQ(cat.SeriesShown, shown);
    EXPECT_EQ(cat.SeriesScale, std::vector<int>(series, 0));
    ASSERT_EQ(cat.SeriesYMin.size(), series);
    ASSERT_EQ(cat.SeriesYMax.size(), series);
    for (size_t s = 0; s < series; ++s) {
        // Index 0: a decade for the ordinary series, 100 mA for a leakage current,
        // ±10 ℃ for a temperature.
        const double min = s >= 12 ? -10 : 0;
        const double max = (s >= 9 && s <= 11) ? 100 : 10;
        EXPECT_DOUBLE_EQ(cat.SeriesYMin[s], min) << s;
        EXPECT_DOUBLE_EQ(cat.SeriesYMax[s], max) << s;
    }
    EXPECT_EQ(t.ctx->dataSet().ColumnPresent(), std::vector<bool>(columns, false));
    EXPECT_EQ(t.ctx->graphWindow().GraphValues.size(), series);
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 0);
    EXPECT_EQ(t.pointer.current, 11);
    EXPECT_TRUE(t.msg.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, Catalogue,
                         ::testing::Values(VersionCase{1, 12, 8}, VersionCase{2, 17, 13},
                                           VersionCase{3, 17, 13}, VersionCase{9, 17, 13}));

TEST(Catalogue, AnUnknownVersionBuildsNothing)
{
    for (int version : {0, -1}) {
        TestContext t;
        t.ctx->app.HardVersion = version;
        EXPECT_FALSE(quellin::bfVer_NoCheck(*t.ctx));
        EXPECT_TRUE(t.ctx->cat.ColumnTitles.isEmpty());
        EXPECT_TRUE(t.ctx->cat.SeriesScale.empty());
        EXPECT_TRUE(t.ctx->dataSet().ColumnPresent().empty());
        EXPECT_TRUE(t.msg.shown.empty());
    }
}

TEST(Catalogue, ARepeatedVersionAnswerRebuildsForTheNewVersion)
{
    TestContext t;
    t.ctx->app.HardVersion = 2;
    ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
    quellin::test::props(*t.ctx).ColumnPresent.assign(18, true);
    t.ctx->app.HardVersion = 1;
    ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
    EXPECT_EQ(t.ctx->cat.ColumnTitles.size(), 13);
    EXPECT_EQ(t.ctx->cat.SeriesYMax.size(), 9u);
    EXPECT_EQ(t.ctx->dataSet().ColumnPresent(), std::vector<bool>(13, false));
}

// ---- per-item settings --------------------------------------------------------------------

struct ItemCase {
    const char* name;
    int version;
    const char* stored;
    const char* expected; // the flags as read ("1"/"0"), or the scale indexes as two digits
};

class PerItemSettings : public ::testing::TestWithParam<ItemCase> {};

QString flagsOf(const std::vector<bool>& v)
{
    QString s;
    for (bool b : v)
        s += b ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

QString scalesOf(const std::vector<int>& v)
{
    QString s;
    for (int k : v)
        s += QString::number(k).rightJustified(2, QLatin1Char('0'));
    return s;
}

TEST_P(PerItemSettings, AreTakenOnlyAtTheirExactLength)
{
    TestContext t;
    const ItemCase& c = GetParam();
    const QString name = QString::fromUtf8(c.name);
    ASSERT_TRUE(t.settings->write(name, QString::fromUtf8(c.stored)));
    t.ctx->app.HardVersion = c.version;
    ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
    QString got;
    if (name == QLatin1String("LogingData"))
        got = flagsOf(t.ctx->cat.LogColumns);
    else if (name == QLatin1String("GraphYFlg"))
        got = flagsOf(t.ctx->cat.SeriesShown);
    else
        got = scalesOf(t.ctx->cat.SeriesScale);
    EXPECT_EQ(got, QString::fromUtf8(c.expected)) << c.name << "=" << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    Values, PerItemSettings,
    ::testing::Values(
        ItemCase{"LogingData", 1, "1010101010101", "1010101010101"},
        ItemCase{"LogingData", 1, "x0 0000000000", "1010000000000"},
        // A version-1 string while a version-2 meter is attached: all 18 columns logged.
        ItemCase{"LogingData", 2, "1111111111111", "111111111111111111"},
        ItemCase{"LogingData", 2, "000000000000000001", "000000000000000001"},
        ItemCase{"LogingData", 1, "", "1111111111111"},
        ItemCase{"GraphYFlg", 1, "100000000", "100000000"},
        ItemCase{"GraphYFlg", 1, "10000000", "000010001"},
        ItemCase{"GraphYFlg", 1, "1000000000", "000010001"},
        ItemCase{"GraphYFlg", 2, "100000000", "00001000100000"},
        ItemCase{"GraphYFlg", 2, "00000000011111", "00000000011111"},
        ItemCase{"GraphYKizami", 1, "010203040506070809", "010203040506070809"},
        ItemCase{"GraphYKizami", 1, "0102030405060708", "000000000000000000"},
        // Pairs that are not two digits read as 0.
        ItemCase{"GraphYKizami", 1, "a1-1 1１00102030405", "000000000102030405"},
        ItemCase{"GraphYKizami", 2, "010203040506070809", "0000000000000000000000000000"}));

// ---- Y ranges from the scale indexes -----------------------------------------------------

struct RangeCase {
    int version;
    int series;
    const char* pair;
    double min;
    double max;
    int scaleAfter;
};

class YRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(YRange, FollowsTheScaleIndex)
{
    TestContext t;
    const RangeCase& c = GetParam();
    const int series = c.version == 1 ? 9 : 14;
    QString scales(2 * series, QLatin1Char('0'));
    scales.replace(2 * c.series, 2, QString::fromUtf8(c.pair));
    ASSERT_TRUE(t.settings->write(QStringLiteral("GraphYKizami"), scales));
    t.ctx->app.HardVersion = c.version;
    ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
    const auto s = static_cast<size_t>(c.series);
    EXPECT_DOUBLE_EQ(t.ctx->cat.SeriesYMin[s], c.min) << c.pair;
    EXPECT_DOUBLE_EQ(t.ctx->cat.SeriesYMax[s], c.max) << c.pair;
    EXPECT_EQ(t.ctx->cat.SeriesScale[s], c.scaleAfter) << c.pair;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, YRange,
    ::testing::Values(RangeCase{2, 12, "15", 0, 60, 15}, RangeCase{2, 12, "22", -30, 0, 22},
                      RangeCase{2, 12, "03", -40, 40, 3}, RangeCase{2, 13, "29", -100, 0, 29},
                      RangeCase{2, 13, "10", 0, 10, 10}, RangeCase{2, 13, "09", -100, 100, 9},
                      RangeCase{2, 9, "09", 0, 1000, 9}, RangeCase{2, 11, "00", 0, 100, 0},
                      RangeCase{2, 4, "03", 0, 10000, 3}, RangeCase{1, 4, "03", 0, 10000, 3},
                      RangeCase{1, 0, "12", 0, 1e13, 12}, RangeCase{1, 8, "00", 0, 10, 0}));

// Indexes out of range are repaired before the ranges are set, so range and index agree.
INSTANTIATE_TEST_SUITE_P(Repaired, YRange,
                         ::testing::Values(RangeCase{1, 4, "13", 0, 10, 0},
                                           RangeCase{2, 9, "10", 0, 1000, 9},
                                           RangeCase{2, 12, "30", -100, 100, 9},
                                           RangeCase{2, 13, "99", -100, 100, 9}));

TEST(CatalogueBuild, ChecksTheLoadedSettings)
{
    TestContext t;
    t.ctx->app.CommPort = QStringLiteral("9");
    t.ctx->app.CommParam = QStringLiteral("2400,N,8,1");
    t.ctx->app.LogingTime = 0;
    t.ctx->app.GraphXHani = 7;
    t.ctx->app.HardVersion = 1;
    ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
    EXPECT_EQ(t.ctx->app.CommPort, QStringLiteral("1"));
    EXPECT_EQ(t.ctx->app.CommParam, QStringLiteral("9600,N,8,1"));
    EXPECT_EQ(t.ctx->app.LogingTime, 1);
    EXPECT_EQ(t.ctx->app.GraphXHani, 0);
}

// ---- bfKizami -------------------------------------------------------------------------------

struct KizamiCase {
    int k;
    int mode;
    double min;
    double max;
};

class Kizami : public ::testing::TestWithParam<KizamiCase> {};

TEST_P(Kizami, SetsTheRangeOfTheMode)
{
    TestContext t;
    t.ctx->app.HardVersion = 2;
    ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
    auto& cat = t.ctx->cat;
    cat.SeriesScale[12] = GetParam().k;
    cat.SeriesYMin[12] = -7;
    cat.SeriesYMax[12] = 7;
    EXPECT_TRUE(quellin::bfKizami(*t.ctx, 12, GetParam().mode));
    EXPECT_DOUBLE_EQ(cat.SeriesYMin[12], GetParam().min);
    EXPECT_DOUBLE_EQ(cat.SeriesYMax[12], GetParam().max);
}

INSTANTIATE_TEST_SUITE_P(Modes, Kizami,
                         ::testing::Values(KizamiCase{0, -1, 0, 100}, KizamiCase{9, -1, 0, 1000},
                                           KizamiCase{99, -1, 0, 10000}, KizamiCase{0, 0, -10, 10},
                                           KizamiCase{3, 0, -40, 40}, KizamiCase{10, 1, 0, 10},
                                           KizamiCase{15, 1, 0, 60}, KizamiCase{19, 1, 0, 100},
                                           KizamiCase{20, 2, -10, 0}, KizamiCase{22, 2, -30, 0},
                                           KizamiCase{29, 2, -100, 0}, KizamiCase{5, 3, -7, 7},
                                           KizamiCase{5, -2, -7, 7}));

TEST(Kizami, ASeriesOutsideTheCatalogueIsReportedAndFalse)
{
    TestContext t;
    t.ctx->app.HardVersion = 1;
    ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
    for (int s : {-1, 9, 13}) {
        t.msg.clear();
        EXPECT_FALSE(quellin::bfKizami(*t.ctx, s, 0)) << s;
        ASSERT_EQ(t.msg.shown.size(), 1u);
        EXPECT_EQ(t.msg.shown[0].text,
                  QStringLiteral("bfKizamiでエラーが起こりました。\r"
                                 "エラー：9 / インデックスが有効範囲にありません。"));
    }
}

// ---- start of the version exchange ---------------------------------------------------------

TEST(VersionOpen, WithThePortOpenTheLinkAsksTheMeter)
{
    TestContext t;
    FakeStarter starter;
    starter.open = true;
    EXPECT_TRUE(quellin::bfVer_Open(*t.ctx, starter));
    EXPECT_EQ(starter.started, 1);
    EXPECT_EQ(starter.ended, 0); // the meter's answer ends it
    EXPECT_TRUE(t.msg.shown.empty());
    EXPECT_EQ(t.ctx->app.HardVersion, 0);
    EXPECT_TRUE(t.ctx->cat.ColumnTitles.isEmpty()) << "built only when the answer comes";
}

struct AnswerCase {
    MsgAnswer answer;
    int version;
    int columnLast;
};

class VersionQuestion : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(VersionQuestion, WithThePortClosedTheUserChooses)
{
    TestContext t;
    FakeStarter starter;
    t.msg.answers.push_back(GetParam().answer);
    EXPECT_TRUE(quellin::bfVer_Open(*t.ctx, starter));
    EXPECT_EQ(starter.started, 0);
    ASSERT_EQ(t.msg.shown.size(), 1u);
    const auto& box = t.msg.shown[0];
    EXPECT_EQ(box.text, kQuestion);
    EXPECT_EQ(box.title, QStringLiteral("ハードバージョン確認"));
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(box.foreground);
    EXPECT_EQ(t.ctx->app.HardVersion, GetParam().version);
    EXPECT_EQ(t.ctx->cat.ColumnLast, GetParam().columnLast);
    EXPECT_EQ(starter.ended, 1); // the link goes idle
}

INSTANTIATE_TEST_SUITE_P(Answers, VersionQuestion,
                         ::testing::Values(AnswerCase{MsgAnswer::Yes, 1, 12},
                                           AnswerCase{MsgAnswer::No, 2, 17}));

TEST(VersionOpen, AVersionGivenAtStartIsNotAsked)
{
    TestContext t;
    FakeStarter starter;
    t.ctx->app.HardVersion = 2;
    EXPECT_TRUE(quellin::bfVer_Open(*t.ctx, starter));
    EXPECT_TRUE(t.msg.shown.empty());
    EXPECT_EQ(t.ctx->cat.ColumnLast, 17);
}

TEST(VersionOpen, AnErrorIsReportedUnderItsNameAndGivesFalse)
{
    TestContext t;
    FakeStarter starter;
    starter.open = true;
    starter.throwOnStart = true;
    EXPECT_FALSE(quellin::bfVer_Open(*t.ctx, starter));
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(
        t.msg.shown[0].text,
        QStringLiteral("bfVer_Openでエラーが起こりました。\rエラー：8015 / ポートが使えません。"));
}

TEST(VersionClient, TheLinkReachesTheSameRoutines)
{
    TestContext t;
    quellin::ModVerClient client(*t.ctx);
    t.msg.answers.push_back(MsgAnswer::No);
    EXPECT_FALSE(client.askAssumeVersion1());
    EXPECT_EQ(t.msg.shown.at(0).text, kQuestion);
    EXPECT_FALSE(client.bfVer_NoCheck());
    t.ctx->app.HardVersion = 1;
    EXPECT_TRUE(client.bfVer_NoCheck());
    EXPECT_EQ(t.ctx->cat.SeriesLast, 8);
}

TEST(Defaults, PerItemTextsHaveOneEntryPerItem)
{
    EXPECT_EQ(quellin::defaultLogingData(12), QStringLiteral("1111111111111"));
    EXPECT_EQ(quellin::defaultLogingData(17), QString(18, QLatin1Char('1')));
    EXPECT_EQ(quellin::defaultGraphYFlg(8), QStringLiteral("000010001"));
    EXPECT_EQ(quellin::defaultGraphYFlg(13), QStringLiteral("00001000100000"));
    EXPECT_EQ(quellin::defaultGraphYKizami(8), QString(18, QLatin1Char('0')));
    EXPECT_EQ(quellin::defaultGraphYKizami(13), QString(28, QLatin1Char('0')));
}

// The titles a data file is matched against are the catalogue's, and beyond a
// version-1 catalogue those of version 2.
TEST(LoadedFileTitles, AreThoseOfTheCatalogueAndBeyondItThoseOfVersion2)
{
    using quellin::columnTitle;
    TestContext t;
    for (int version : {1, 2}) {
        t.ctx->app.HardVersion = version;
        ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
        for (int c = 0; c <= t.ctx->cat.ColumnLast; ++c)
            EXPECT_EQ(columnTitle(c), t.ctx->cat.ColumnTitles[c]) << c;
    }
    const QStringList version2 = t.ctx->cat.ColumnTitles;
    t.ctx->app.HardVersion = 1;
    ASSERT_TRUE(quellin::bfVer_NoCheck(*t.ctx));
    for (int c = 13; c < quellin::kMaxColumns; ++c)
        EXPECT_EQ(columnTitle(c), version2[c]) << c;
    EXPECT_TRUE(columnTitle(18).isEmpty());
    EXPECT_TRUE(columnTitle(-1).isEmpty());
}

} // namespace
