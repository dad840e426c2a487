// quellin-cli's command line: commands, options, values and usage errors.

#include "cli/CliOptions.h"

#include "support/EnglishTexts.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

CliParse parse(const QStringList& args, Language lang = Language::Ja)
{
    return parseCliArguments(args, lang);
}

TEST(CliArguments, MeasureTakesEveryOption)
{
    const CliParse p = parse({"measure", "--port", "/dev/ttyUSB0", "--interval", "00:00:10",
                              "--items", "1,5", "--log", "a.csv", "--version", "2", "--for", "2h",
                              "--save=b.csv", "--quiet", "--jsonl", "--param", "19200,E,7,2",
                              "--alarm", "power>3000:10", "--alarm", "temp1<0;power>2000"});
    ASSERT_TRUE(p.options) << p.error.toStdString();
    const CliOptions& o = *p.options;
    EXPECT_EQ(o.command, CliCommand::Measure);
    EXPECT_EQ(o.port, "/dev/ttyUSB0");
    EXPECT_EQ(o.interval, "00:00:10");
    EXPECT_EQ(o.items, "1,5");
    EXPECT_EQ(o.log, "a.csv");
    EXPECT_EQ(o.version, 2);
    EXPECT_EQ(o.forSeconds, 7200);
    EXPECT_EQ(o.save, "b.csv");
    EXPECT_TRUE(o.quiet);
    EXPECT_TRUE(o.jsonl);
    EXPECT_EQ(o.commParam, "19200,E,7,2");
    EXPECT_EQ(alarmRulesText(o.alarms), "power>2000;temp1<0");
}

TEST(CliArguments, DownloadTakesTheListNumberAndNeedsAFile)
{
    const CliParse p = parse({"download", "3", "--save", "x.csv"});
    ASSERT_TRUE(p.options) << p.error.toStdString();
    EXPECT_EQ(p.options->command, CliCommand::Download);
    EXPECT_EQ(p.options->downloadNumber, 3);
    EXPECT_FALSE(parse({"download", "3"}).options);
    EXPECT_FALSE(parse({"download", "--save", "x.csv"}).options);
    EXPECT_FALSE(parse({"download", "-1", "--save", "x.csv"}).options);
}

struct UsageCase {
    const char* name;
    QStringList args;
    const char* errorPart; // Japanese
};

void PrintTo(const UsageCase& c, std::ostream* os)
{
    *os << c.name;
}

class CliUsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageErrors, AreRefusedWithTheReason)
{
    const CliParse p = parse(GetParam().args);
    EXPECT_FALSE(p.options);
    EXPECT_TRUE(p.error.contains(QString::fromUtf8(GetParam().errorPart))) << p.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsageErrors,
    ::testing::Values(
        UsageCase{"NoCommand", {}, "コマンド"}, UsageCase{"UnknownCommand", {"start"}, "start"},
        UsageCase{"MeasureWithoutLog", {"measure"}, "--log"},
        UsageCase{"OptionOfAnotherCommand", {"memory", "--log", "a"}, "--log"},
        UsageCase{"OptionWithoutValue", {"measure", "--log"}, "値がありません"},
        UsageCase{"BadVersion", {"memory", "--version", "0"}, "--version"},
        UsageCase{"BadDuration", {"measure", "--log", "a", "--for", "2x"}, "2x"},
        UsageCase{"IntervalOutOfRange",
                  {"measure", "--log", "a", "--interval", "00:61:00"},
                  "分は０～５９"},
        UsageCase{"IntervalZero", {"measure", "--log", "a", "--interval", "0:0:0"}, "周期は"},
        UsageCase{"ExtraArgument", {"memory", "x"}, "x"},
        UsageCase{"BadLanguage", {"memory", "--lang", "fr"}, "--lang"},
        UsageCase{"BadAlarm", {"measure", "--log", "a", "--alarm", "power>3;watts>1"}, "--alarm watts>1"},
        UsageCase{"EmptyAlarm", {"measure", "--log", "a", "--alarm", ";"}, "--alarm ;"}),
    [](const auto& info) { return info.param.name; });

TEST(CliArguments, HelpNeedsNoCommandAndTheLanguageFollowsLangOrTheLocale)
{
    const CliParse ja = parse({"--help"});
    ASSERT_TRUE(ja.options);
    EXPECT_TRUE(ja.options->help);
    EXPECT_EQ(ja.options->lang, Language::Ja);
    EXPECT_EQ(parse({"--help", "--lang", "en"}).options->lang, Language::En);
    EXPECT_EQ(parse({"-h"}, Language::En).options->lang, Language::En);
    EXPECT_EQ(parse({"-h", "--lang=en"}).options->lang, Language::En);
    // A usage error is told in the language installed.
    const EnglishTexts english;
    ASSERT_TRUE(english.loaded());
    const CliParse en = parse({"measure", "--lang", "en"});
    EXPECT_EQ(en.lang, Language::En);
    EXPECT_EQ(en.error, "measure needs --log FILE");

    EXPECT_TRUE(cliHelpText(Language::Ja).contains("使い方"));
    EXPECT_TRUE(cliHelpText(Language::En).contains("usage"));
    EXPECT_TRUE(cliHelpText(Language::En).contains("exit status"));
}

// --lang first, then the settings value, then the system's languages.
TEST(CliArguments, TheLanguageComesFromLangThenTheSettingThenTheSystem)
{
    const struct {
        QStringList args;
        QString setting;
        QStringList uiLanguages;
        Language expected;
    } cases[] = {
        {{"memory", "--lang", "en"}, "ja", {"ja-JP"}, Language::En},
        {{"memory", "--lang=ja"}, "en", {"en-US"}, Language::Ja},
        {{"memory", "--lang", "fr"}, "en", {"ja-JP"}, Language::En},
        {{"memory", "--lang"}, "", {"ja"}, Language::Ja},
        {{"memory"}, "ja", {"en-US"}, Language::Ja},
        {{"memory"}, "", {"en-GB"}, Language::En},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString() + " / " + c.setting.toStdString());
        EXPECT_EQ(cliLanguage(c.args, c.setting, c.uiLanguages), c.expected);
    }
}

// The help and the options table tell the same: every option the table takes
// is explained, and the help names none that the table does not take.
class CliHelp : public ::testing::TestWithParam<Language> {};

TEST_P(CliHelp, NamesEveryOptionOfTheTableAndNoOther)
{
    const QString help = cliHelpText(GetParam());
    QStringList named;
    static const QRegularExpression option(QStringLiteral("--[a-z]+(-[a-z]+)*"));
    for (auto it = option.globalMatch(help); it.hasNext();)
        named << it.next().captured();
    named.removeDuplicates();
    named.removeAll(QStringLiteral("--help")); // not an option of a command
    QStringList table;
    for (const CliOptionEntry& entry : cliOptionTable())
        table << QString::fromLatin1(entry.name);
    named.sort();
    table.sort();
    EXPECT_EQ(named, table);
}

INSTANTIATE_TEST_SUITE_P(Languages, CliHelp, ::testing::Values(Language::Ja, Language::En),
                         [](const auto& info) {
                             return std::string(info.param == Language::Ja ? "Ja" : "En");
                         });

TEST(CliDuration, ReadsSecondsAndUnits)
{
    EXPECT_EQ(parseDuration("90"), 90);
    EXPECT_EQ(parseDuration("90s"), 90);
    EXPECT_EQ(parseDuration("15m"), 900);
    EXPECT_EQ(parseDuration("2h"), 7200);
    EXPECT_EQ(parseDuration("1d"), 86400);
    EXPECT_EQ(parseDuration("1h30m"), 5400);
    EXPECT_FALSE(parseDuration(""));
    EXPECT_FALSE(parseDuration("h"));
    EXPECT_FALSE(parseDuration("30m1h"));
    EXPECT_FALSE(parseDuration("-5"));
    EXPECT_FALSE(parseDuration("9999999999"));
}

TEST(CliInterval, TakesHoursMinutesSecondsAsTheLoggingDialogDoes)
{
    EXPECT_EQ(parseInterval("00:00:10").seconds, 10);
    EXPECT_EQ(parseInterval("01:30:00").seconds, 5400);
    EXPECT_EQ(parseInterval("5:00").seconds, 300);
    EXPECT_EQ(parseInterval("24:00:00").seconds, 86400);
    EXPECT_EQ(parseInterval("24:00:01").error, "周期は１秒～２４時間の範囲で入力してください。");
    EXPECT_EQ(parseInterval("aa:00:00").error, "数値を入力してください。");
    EXPECT_FALSE(parseInterval("1:2:3:4").error.isEmpty());
}

TEST(CliItems, NumberTheColumnsAfterTheTime)
{
    const ItemsParse v1 = parseItems("1,5,11", 12);
    ASSERT_TRUE(v1.error.isEmpty()) << v1.error.toStdString();
    EXPECT_EQ(v1.columns, (std::vector<bool>{true, true, true, false, false, false, true, false,
                                             false, false, false, false, true}));
    EXPECT_FALSE(parseItems("12", 12).error.isEmpty()); // a leakage current on a version-1 meter
    EXPECT_TRUE(parseItems("16", 17).error.isEmpty());
    EXPECT_FALSE(parseItems("0", 17).error.isEmpty());
    EXPECT_FALSE(parseItems("1,,2", 17).error.isEmpty());
    EXPECT_TRUE(parseItems("1,x", 17).columns.empty());
}

} // namespace
} // namespace quellin::test
