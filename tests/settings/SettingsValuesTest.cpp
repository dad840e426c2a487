#include "settings/SettingsValues.h"

#include "settings/ModRegistry.h"
#include "support/TestContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <climits>

namespace {

using quellin::kNonNumericSetting;
using quellin::test::TestContext;

QString dataFolder(const TestContext& t)
{
    return t.ctx->app.AppFolder + QStringLiteral("Data") + QDir::separator();
}

// ---- start-up reads -------------------------------------------------------------------------

TEST(StartupSettings, AnEmptyStoreGivesEveryDefault)
{
    TestContext t;
    auto& app = t.ctx->app;
    app.FilePath = QStringLiteral("stale");
    app.LogingPath = QStringLiteral("stale");
    app.CommPort = QStringLiteral("5");
    app.LogingTime = 77;
    app.GraphXHani = 3;
    quellin::readStartupSettings(*t.ctx);
    EXPECT_EQ(app.FilePath, dataFolder(t));
    EXPECT_EQ(app.CommPort, QStringLiteral("1"));
    EXPECT_EQ(app.CommParam, QStringLiteral("9600,N,8,1"));
    EXPECT_EQ(app.LogingTime, 1);
    EXPECT_EQ(app.LogingPath, dataFolder(t));
    EXPECT_EQ(app.GraphXHani, 1);
    EXPECT_FALSE(QFileInfo::exists(t.iniPath())) << "reading must not create the settings";
    EXPECT_TRUE(t.msg.shown.empty());
}

// The default data folder is made when a setting names it (or is blank and
// becomes it), so that the file dialogs open there; a chosen folder never is.
TEST(StartupSettings, TheDefaultDataFolderIsMadeWhenASettingNamesIt)
{
    struct Case {
        const char* name;
        bool fileDefault, logDefault;
        bool made;
    };
    const Case cases[] = {
        {"both default", true, true, true},
        {"the log's default", false, true, true},
        {"the files' default", true, false, true},
        {"both chosen", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestContext t;
        const QString chosen = t.path(QStringLiteral("stick/survey"));
        t.ctx->app.FilePath = c.fileDefault ? QString() : chosen;
        t.ctx->app.LogingPath = c.logDefault ? dataFolder(t) : chosen;
        EXPECT_TRUE(quellin::makeDefaultDataFolder(*t.ctx));
        EXPECT_EQ(QDir(dataFolder(t)).exists(), c.made);
        EXPECT_FALSE(QDir(chosen).exists());
    }
}

TEST(StartupSettings, StoredValuesAreTakenAsWritten)
{
    TestContext t;
    QFile f(t.iniPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Tarvo]\nFilePath=/srv/files/\nCommPort=4\nCommParam=19200,E,7,2\n"
            "LogingTime=600\nLogingPath=/srv/log/\nGraphXHani=3\n");
    f.close();
    quellin::readStartupSettings(*t.ctx);
    const auto& app = t.ctx->app;
    EXPECT_EQ(app.FilePath, QStringLiteral("/srv/files/"));
    EXPECT_EQ(app.CommPort, QStringLiteral("4"));
    EXPECT_EQ(app.CommParam, QStringLiteral("19200,E,7,2"));
    EXPECT_EQ(app.LogingTime, 600);
    EXPECT_EQ(app.LogingPath, QStringLiteral("/srv/log/"));
    EXPECT_EQ(app.GraphXHani, 3);
}

struct IntCase {
    const char* text;
    int value;
};

class IntegerSetting : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntegerSetting, ConvertsLikeTheOrdinaryIntegerConversion)
{
    EXPECT_EQ(quellin::settingToInt(QString::fromUtf8(GetParam().text)), GetParam().value)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntegerSetting,
    ::testing::Values(IntCase{"1", 1}, IntCase{" 600 ", 600}, IntCase{"-3", -3}, IntCase{"1.5", 2},
                      IntCase{"2.5", 2}, IntCase{"3.5", 4}, IntCase{"-2.5", -2},
                      IntCase{"1e3", 1000}, IntCase{"86400", 86400}, IntCase{"1e20", INT_MAX},
                      IntCase{"-1e20", INT_MIN + 1}, IntCase{"", kNonNumericSetting},
                      IntCase{"abc", kNonNumericSetting}, IntCase{"1 0", kNonNumericSetting},
                      IntCase{"１", kNonNumericSetting}));

// ---- validation -----------------------------------------------------------------------------

struct PortCase {
    const char* port;
    const char* after;
};

class CommPortCheck : public ::testing::TestWithParam<PortCase> {};

TEST_P(CommPortCheck, KeepsPortsOneToEightAndRepairsTheRest)
{
    TestContext t;
    t.ctx->app.CommPort = QString::fromUtf8(GetParam().port);
    quellin::validateSettings(*t.ctx);
    EXPECT_EQ(t.ctx->app.CommPort, QString::fromUtf8(GetParam().after)) << GetParam().port;
}

INSTANTIATE_TEST_SUITE_P(
    Values, CommPortCheck,
    ::testing::Values(PortCase{"1", "1"}, PortCase{"8", "8"}, PortCase{"4", "4"},
                      PortCase{"0", "1"}, PortCase{"9", "1"}, PortCase{"-1", "1"},
                      PortCase{"", "1"}, PortCase{"COM3", "1"}, PortCase{"1.5", "1"},
                      PortCase{"03", "03"}, PortCase{" 3", " 3"}, PortCase{"1e0", "1"},
                      PortCase{"99999999999", "1"}, PortCase{"3.0", "3.0"}, PortCase{"+3", "+3"},
                      PortCase{"3.5", "1"}, PortCase{"9.0", "1"}));

// The port number as Basic reads the text: signs, blanks and a zero fraction allowed.
TEST(CommPortNumber, ReadsWholeNumbersOneToEight)
{
    const struct {
        const char* text;
        int port; // 0: none
    } cases[] = {{"3", 3},     {" 3 ", 3},  {"03", 3}, {"+3", 3}, {"3.0", 3}, {"3.", 3},
                 {"+3.00", 3}, {"8", 8},    {"0", 0},  {"9", 0},  {"3.5", 0}, {"-3", 0},
                 {"1e0", 0},   {"COM3", 0}, {"", 0},   {"+", 0},  {".0", 0},  {"3.0x", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(quellin::commPortNumber(QString::fromUtf8(c.text)).value_or(0), c.port) << c.text;
}

struct ParamCase {
    const char* param;
    bool valid;
};

class CommParamCheck : public ::testing::TestWithParam<ParamCase> {};

TEST_P(CommParamCheck, AcceptsTheFourFieldsOrRepairsToTheDefault)
{
    TestContext t;
    const QString param = QString::fromUtf8(GetParam().param);
    EXPECT_EQ(quellin::isValidCommParam(param), GetParam().valid) << GetParam().param;
    t.ctx->app.CommParam = param;
    quellin::validateSettings(*t.ctx);
    EXPECT_EQ(t.ctx->app.CommParam, GetParam().valid ? param : QStringLiteral("9600,N,8,1"));
}

INSTANTIATE_TEST_SUITE_P(
    Values, CommParamCheck,
    ::testing::Values(ParamCase{"9600,N,8,1", true}, ParamCase{"19200,E,7,2", true},
                      ParamCase{"4800,O,8,2", true}, ParamCase{"38400,N,7,1", true},
                      ParamCase{"2400,N,8,1", false}, ParamCase{"9600,X,8,1", false},
                      ParamCase{"9600,N,6,1", false}, ParamCase{"9600,N,8,3", false},
                      ParamCase{"9600,n,8,1", false}, ParamCase{"57600,N,8,1", false},
                      ParamCase{"96a0,N,8,1", false}, ParamCase{"9600,N,a,1", false},
                      ParamCase{"9600,N,8,1,x", false}, ParamCase{"9600;N;8;1", false},
                      ParamCase{"9600,N,8", false}, ParamCase{"", false},
                      ParamCase{"09600,N,8,1", true}, ParamCase{" 9600,N,8,1", false},
                      ParamCase{"9600,N,8,1 ", false}, ParamCase{"-9600,N,8,1", false},
                      ParamCase{"+9600,N,8,1", false}));

struct LogingTimeCase {
    int stored;
    int after;
};

class LogingTimeCheck : public ::testing::TestWithParam<LogingTimeCase> {};

TEST_P(LogingTimeCheck, KeepsOneToADay)
{
    TestContext t;
    t.ctx->app.LogingTime = GetParam().stored;
    quellin::validateSettings(*t.ctx);
    EXPECT_EQ(t.ctx->app.LogingTime, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Values, LogingTimeCheck,
                         ::testing::Values(LogingTimeCase{86400, 86400}, LogingTimeCase{1, 1},
                                           LogingTimeCase{600, 600}, LogingTimeCase{86401, 1},
                                           LogingTimeCase{0, 1}, LogingTimeCase{-5, 1},
                                           LogingTimeCase{INT_MAX, 1},
                                           LogingTimeCase{kNonNumericSetting, 1}));

struct HaniCase {
    int stored;
    int after;
};

class GraphXHaniCheck : public ::testing::TestWithParam<HaniCase> {};

TEST_P(GraphXHaniCheck, KeepsZeroToFour)
{
    TestContext t;
    t.ctx->app.GraphXHani = GetParam().stored;
    quellin::validateSettings(*t.ctx);
    EXPECT_EQ(t.ctx->app.GraphXHani, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Values, GraphXHaniCheck,
                         ::testing::Values(HaniCase{0, 0}, HaniCase{1, 1}, HaniCase{4, 4},
                                           HaniCase{5, 0}, HaniCase{-1, 0},
                                           HaniCase{kNonNumericSetting, 0}));

// Non-numeric texts, end to end: stored text → start-up read → validation.
TEST(SettingsValidation, NonNumericTextsBecomeOneAndZero)
{
    TestContext t;
    ASSERT_TRUE(t.settings->write(QStringLiteral("LogingTime"), QStringLiteral("abc")));
    ASSERT_TRUE(t.settings->write(QStringLiteral("GraphXHani"), QStringLiteral("x")));
    quellin::readStartupSettings(*t.ctx);
    quellin::validateSettings(*t.ctx);
    EXPECT_EQ(t.ctx->app.LogingTime, 1);
    EXPECT_EQ(t.ctx->app.GraphXHani, 0);
}

TEST(SettingsValidation, BlankFoldersBecomeTheDataFolder)
{
    TestContext t;
    for (const QString& blank : {QString(), QStringLiteral("   "), QStringLiteral("\t")}) {
        t.ctx->app.FilePath = blank;
        t.ctx->app.LogingPath = blank;
        quellin::validateSettings(*t.ctx);
        EXPECT_EQ(t.ctx->app.FilePath, dataFolder(t));
        EXPECT_EQ(t.ctx->app.LogingPath, dataFolder(t));
    }
    t.ctx->app.FilePath = QStringLiteral(" /x/ ");
    quellin::validateSettings(*t.ctx);
    EXPECT_EQ(t.ctx->app.FilePath, QStringLiteral(" /x/ "));
}

struct ScaleCase {
    int series;
    int stored;
    int after;
};

class SeriesScaleCheck : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(SeriesScaleCheck, KeepsEachKindWithinItsRange)
{
    TestContext t;
    auto& cat = t.ctx->cat;
    cat.SeriesLast = 13;
    cat.SeriesScale.assign(14, 1);
    cat.SeriesScale[static_cast<size_t>(GetParam().series)] = GetParam().stored;
    quellin::validateSettings(*t.ctx);
    for (int s = 0; s < 14; ++s)
        EXPECT_EQ(cat.SeriesScale[static_cast<size_t>(s)],
                  s == GetParam().series ? GetParam().after : 1)
            << "series " << s;
}

INSTANTIATE_TEST_SUITE_P(Values, SeriesScaleCheck,
                         ::testing::Values(ScaleCase{4, 13, 0}, ScaleCase{4, 12, 12},
                                           ScaleCase{4, -1, 0}, ScaleCase{0, 0, 0},
                                           ScaleCase{8, 99, 0}, ScaleCase{9, 10, 9},
                                           ScaleCase{9, 9, 9}, ScaleCase{11, -1, 9},
                                           ScaleCase{10, 0, 0}, ScaleCase{12, 29, 29},
                                           ScaleCase{12, 30, 9}, ScaleCase{13, -1, 9},
                                           ScaleCase{13, 0, 0}));

TEST(SettingsValidation, ValidValuesAreLeftAsTheyAre)
{
    TestContext t;
    auto& app = t.ctx->app;
    app.FilePath = QStringLiteral("/a/");
    app.CommPort = QStringLiteral("8");
    app.CommParam = QStringLiteral("38400,O,7,2");
    app.LogingTime = 86400;
    app.LogingPath = QStringLiteral("/b/");
    app.GraphXHani = 4;
    quellin::validateSettings(*t.ctx);
    EXPECT_EQ(app.FilePath, QStringLiteral("/a/"));
    EXPECT_EQ(app.CommPort, QStringLiteral("8"));
    EXPECT_EQ(app.CommParam, QStringLiteral("38400,O,7,2"));
    EXPECT_EQ(app.LogingTime, 86400);
    EXPECT_EQ(app.LogingPath, QStringLiteral("/b/"));
    EXPECT_EQ(app.GraphXHani, 4);
}

TEST(SettingsValidation, RepairsAreNotWrittenBack)
{
    TestContext t;
    ASSERT_TRUE(t.settings->write(QStringLiteral("CommPort"), QStringLiteral("9")));
    quellin::readStartupSettings(*t.ctx);
    quellin::validateSettings(*t.ctx);
    EXPECT_EQ(t.ctx->app.CommPort, QStringLiteral("1"));
    EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), QString()), QStringLiteral("9"));
}

// ---- per-item values and the writers' texts ---------------------------------------------------

TEST(PerItemSetting, AWrongLengthIsDiscardedWhole)
{
    TestContext t;
    const QString def = QStringLiteral("000010001");
    EXPECT_EQ(quellin::readPerItemSetting(*t.ctx, QStringLiteral("GraphYFlg"), 9, def), def);
    ASSERT_TRUE(t.settings->write(QStringLiteral("GraphYFlg"), QStringLiteral("10000000")));
    EXPECT_EQ(quellin::readPerItemSetting(*t.ctx, QStringLiteral("GraphYFlg"), 9, def), def);
    ASSERT_TRUE(t.settings->write(QStringLiteral("GraphYFlg"), QStringLiteral("100000000")));
    EXPECT_EQ(quellin::readPerItemSetting(*t.ctx, QStringLiteral("GraphYFlg"), 9, def),
              QStringLiteral("100000000"));
    EXPECT_EQ(quellin::readPerItemSetting(*t.ctx, QStringLiteral("GraphYFlg"), 14, def), def);
}

TEST(WriterTexts, SpellFlagsAndTwoDigitIndexesPerItem)
{
    TestContext t;
    auto& cat = t.ctx->cat;
    cat.SeriesLast = 8;
    cat.ColumnLast = 12;
    cat.SeriesShown = {true, false, false, false, true, false, false, false, true};
    cat.SeriesScale = {0, 1, 2, 3, 12, 5, 6, 7, 10};
    cat.LogColumns.assign(13, true);
    cat.LogColumns[3] = false;
    EXPECT_EQ(quellin::graphYFlgText(cat), QStringLiteral("100010001"));
    EXPECT_EQ(quellin::graphYKizamiText(cat), QStringLiteral("000102031205060710"));
    EXPECT_EQ(quellin::logingDataText(cat), QStringLiteral("1110111111111"));

    cat.SeriesLast = 13;
    cat.SeriesShown.assign(14, false);
    cat.SeriesScale.assign(14, 0);
    cat.SeriesScale[12] = 29;
    cat.SeriesScale[13] = -4; // held to two digits: the text keeps its length
    cat.SeriesScale[0] = 123;
    EXPECT_EQ(quellin::graphYFlgText(cat), QStringLiteral("00000000000000"));
    EXPECT_EQ(quellin::graphYKizamiText(cat), QStringLiteral("99"
                                                             "0000000000000000000000"
                                                             "29"
                                                             "00"));
}

TEST(WriterTexts, MissingEntriesCountAsOffAndZero)
{
    TestContext t;
    auto& cat = t.ctx->cat;
    cat.SeriesLast = 8;
    cat.ColumnLast = 12;
    cat.SeriesShown.clear();
    cat.SeriesScale.clear();
    cat.LogColumns.clear();
    EXPECT_EQ(quellin::graphYFlgText(cat), QStringLiteral("000000000"));
    EXPECT_EQ(quellin::graphYKizamiText(cat), QStringLiteral("000000000000000000"));
    EXPECT_EQ(quellin::logingDataText(cat), QStringLiteral("0000000000000"));
}

TEST(GraphSettingsAtEnd, AreStoredAsStringsAndReadBack)
{
    TestContext t;
    auto& cat = t.ctx->cat;
    cat.SeriesLast = 8;
    cat.SeriesShown = {true, false, false, false, false, false, false, false, false};
    cat.SeriesScale = {3, 0, 0, 0, 4, 0, 0, 0, 11};
    t.ctx->app.GraphXHani = 2;
    quellin::storeGraphSettings(*t.ctx);
    QFile f(t.iniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[Tarvo]\nGraphYFlg=100000000\n"
                                      "GraphYKizami=030000000400000011\n"
                                      "GraphYUser=000000000\nGraphXHani=2\n"));
    EXPECT_TRUE(t.msg.shown.empty());
}

} // namespace
