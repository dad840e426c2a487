#pragma once
// quellin-cli's command line: the subcommands and their options, the help in
// Japanese and English, and the values the options carry (a duration, the
// logging period, the logged items). Pure functions: the commands act on them.

#include "measure/AlarmRules.h"
#include "platform/Language.h"
#include "publish/PublishTargets.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace quellin {

// What quellin-cli returns.
enum class CliExit : int {
    Done = 0,        // the command did what it was asked
    Refused = 1,     // the meter refused, or the input was not valid
    Usage = 2,       // the command line was wrong
    LinkFailure = 3, // the port could not be used, or the meter did not answer
    Interrupted = 4, // a signal ended the command before it was done (cleanly)
};

enum class CliCommand { Measure, Memory, Download, Settings, Report };

struct CliOptions {
    CliCommand command = CliCommand::Measure;
    bool help = false;
    Language lang = Language::Ja; // of the help
    QString port;          // device; empty: the program's port setting
    QString commParam;     // "9600,N,8,1"; empty: the setting
    QString interval;      // "hh:mm:ss"; empty: the logging period setting
    QString items;         // "1,2,5"; empty: the logged items setting
    QString log;           // the PC log file
    bool append = false;   // an existing log is continued, not refused
    int version = 0;       // 0: ask the meter
    qint64 forSeconds = 0; // 0: until stopped
    QString save;          // data file written at the end
    bool quiet = false;
    bool jsonl = false;
    int downloadNumber = -1;
    QString setFile; // settings --set
    // report
    QString reportFile;
    QString from, to; // "yyyy/mm/dd hh:mm:ss"; empty: the first or last record
    int demandMinutes = 30;
    bool json = false;
    QString xlsx; // the workbook written beside the output
    QString pdf;  // the printed report written beside the output
    // The monitoring outputs of measure.
    std::optional<MqttTarget> mqtt;
    QString mqttCa;
    QString mqttId; // empty: the data folder's name
    std::optional<InfluxTarget> influx;
    QString influxToken;
    std::optional<MetricsAddress> metrics;
    // --alarm, as often as given: over the settings file's rules.
    std::vector<AlarmRule> alarms;
};

struct CliParse {
    std::optional<CliOptions> options; // nothing: error says why (exit 2)
    QString error;
    Language lang = Language::Ja; // of the help
};

// The language quellin-cli speaks: --lang ja|en wins; then the settings value
// Language; then the system's first user-interface language (Japanese for ja*,
// English for any other).
Language cliLanguage(const QStringList& args, const QString& setting, const QStringList& uiLanguages);

// One option of the command line: its name, whether a value follows it (as the
// next argument or after "="), the commands that take it (none listed: every
// command), and how it is taken: the message that refuses the value, or "".
// --help (-h) is no option of a command and stands outside the table.
struct CliOptionEntry {
    const char* name;
    bool takesValue;
    std::vector<CliCommand> commands;
    QString (*apply)(CliOptions& options, const QString& value);
};
const std::vector<CliOptionEntry>& cliOptionTable();

// The arguments without the program name; the messages are in the language
// installed, defaultLang is the help's unless --lang names another.
CliParse parseCliArguments(const QStringList& args, Language defaultLang);

// The help of the language (src/cli/help, compiled in).
QString cliHelpText(Language lang);

// "90", "90s", "15m", "2h", "1d", "1h30m": seconds, or nothing.
std::optional<qint64> parseDuration(const QString& text);

// "hh:mm:ss" (or "mm:ss", "ss") checked as "ロギング設定" checks its boxes: the
// period in seconds, or the dialog's message.
struct PeriodParse {
    int seconds = 0;
    QString error;
};
PeriodParse parseInterval(const QString& text);

// "1,2,5": the logged items by their number in "ロギング設定" (1 = 電圧Ｒ, the
// column after the time) for a catalogue whose last column is columnLast; the
// flags per column (number and time always on), or the message.
struct ItemsParse {
    std::vector<bool> columns;
    QString error;
};
ItemsParse parseItems(const QString& text, int columnLast);

} // namespace quellin
