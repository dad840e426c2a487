#include "cli/CliOptions.h"

#include "platform/Tx.h"
#include "settings/LogPeriod.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

// The help texts are compiled into the core library.
static void registerCliHelp()
{
    Q_INIT_RESOURCE(cli_help);
}

namespace quellin {

namespace {

QString tr(CliLang lang, const char* ja, const char* en)
{
    return lang == CliLang::Ja ? QString::fromUtf8(ja) : QString::fromUtf8(en);
}

std::optional<CliCommand> commandNamed(const QString& name)
{
    if (name == QLatin1String("measure"))
        return CliCommand::Measure;
    if (name == QLatin1String("memory"))
        return CliCommand::Memory;
    if (name == QLatin1String("download"))
        return CliCommand::Download;
    if (name == QLatin1String("report"))
        return CliCommand::Report;
    if (name == QLatin1String("settings"))
        return CliCommand::Settings;
    return std::nullopt;
}

CliParse failure(CliLang lang, const QString& error)
{
    return {std::nullopt, error, lang};
}

const CliOptionEntry* optionNamed(const QString& name)
{
    for (const CliOptionEntry& entry : cliOptionTable())
        if (name == QLatin1String(entry.name))
            return &entry;
    return nullptr;
}

bool takenBy(const CliOptionEntry& entry, std::optional<CliCommand> command)
{
    if (entry.commands.empty())
        return true;
    return command && std::find(entry.commands.begin(), entry.commands.end(), *command) !=
                          entry.commands.end();
}

} // namespace

const std::vector<CliOptionEntry>& cliOptionTable()
{
    using C = CliCommand;
    static const std::vector<CliOptionEntry> table = {
        {"--lang",
         true,
         {},
         [](CliOptions&, const QString& v, CliLang L) {
             // The language itself was taken before every other option.
             return v == QLatin1String("ja") || v == QLatin1String("en")
                        ? QString()
                        : tr(L, "--lang は ja か en です。", "--lang takes ja or en");
         }},
        {"--port",
         true,
         {},
         [](CliOptions& o, const QString& v, CliLang) {
             o.port = v;
             return QString();
         }},
        {"--param",
         true,
         {},
         [](CliOptions& o, const QString& v, CliLang) {
             o.commParam = v;
             return QString();
         }},
        {"--version",
         true,
         {},
         [](CliOptions& o, const QString& v, CliLang L) {
             bool ok = false;
             o.version = v.toInt(&ok);
             return ok && o.version >= 1 && o.version <= 9
                        ? QString()
                        : tr(L, "--version は 1～9 です。", "--version takes 1 to 9");
         }},
        {"--interval",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang) {
             o.interval = v;
             return QString();
         }},
        {"--items",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang) {
             o.items = v;
             return QString();
         }},
        {"--log",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang) {
             o.log = v;
             return QString();
         }},
        {"--append",
         false,
         {C::Measure},
         [](CliOptions& o, const QString&, CliLang) {
             o.append = true;
             return QString();
         }},
        {"--for",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang L) {
             const auto seconds = parseDuration(v);
             if (!seconds || *seconds <= 0)
                 return tr(L, "--for の時間 %1 が読めません（例：90s、15m、2h、1d）。",
                           "--for: cannot read the duration %1 (e.g. 90s, 15m, 2h, 1d)")
                     .arg(v);
             o.forSeconds = *seconds;
             return QString();
         }},
        {"--save",
         true,
         {C::Measure, C::Download},
         [](CliOptions& o, const QString& v, CliLang) {
             o.save = v;
             return QString();
         }},
        {"--quiet",
         false,
         {C::Measure, C::Download},
         [](CliOptions& o, const QString&, CliLang) {
             o.quiet = true;
             return QString();
         }},
        {"--jsonl",
         false,
         {C::Measure},
         [](CliOptions& o, const QString&, CliLang) {
             o.jsonl = true;
             return QString();
         }},
        {"--from",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v, CliLang) {
             o.from = v;
             return QString();
         }},
        {"--to",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v, CliLang) {
             o.to = v;
             return QString();
         }},
        {"--demand",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v, CliLang L) {
             o.demandMinutes = v.toInt();
             return o.demandMinutes == 15 || o.demandMinutes == 30 || o.demandMinutes == 60
                        ? QString()
                        : tr(L, "--demand は 15、30、60 のいずれかです。", "--demand takes 15, 30 or 60");
         }},
        {"--xlsx",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v, CliLang) {
             o.xlsx = v;
             return QString();
         }},
        {"--pdf",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v, CliLang) {
             o.pdf = v;
             return QString();
         }},
        {"--json",
         false,
         {C::Report},
         [](CliOptions& o, const QString&, CliLang) {
             o.json = true;
             return QString();
         }},
        {"--mqtt",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang) {
             const MqttTargetParse p = parseMqttTarget(v);
             o.mqtt = p.target;
             return p.error;
         }},
        {"--mqtt-ca",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang) {
             o.mqttCa = v;
             return QString();
         }},
        {"--mqtt-id",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang L) {
             o.mqttId = v;
             return topicSafeId(v) == v ? QString()
                                        : tr(L, "--mqtt-id は英数字と _ - だけで指定して下さい。",
                                             "--mqtt-id takes letters, digits, _ and - only");
         }},
        {"--influx",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang) {
             const InfluxTargetParse p = parseInfluxTarget(v);
             o.influx = p.target;
             return p.error;
         }},
        {"--influx-token",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang) {
             o.influxToken = v;
             return QString();
         }},
        {"--metrics",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang) {
             const MetricsAddressParse p = parseMetricsAddress(v);
             o.metrics = p.address;
             return p.error;
         }},
        {"--alarm",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v, CliLang L) {
             const AlarmRulesParse p = parseAlarmRules(v);
             if (!p.rejected.isEmpty() || p.rules.empty())
                 return tr(L, "--alarm %1 が読めません（例：power>3000:10、temp1<0）。",
                           "--alarm: cannot read %1 (e.g. power>3000:10, temp1<0)")
                     .arg(p.rejected.isEmpty() ? v : p.rejected.join(QLatin1Char(',')));
             for (const AlarmRule& r : p.rules)
                 putAlarmRule(o.alarms, r);
             return QString();
         }},
        {"--set",
         true,
         {C::Settings},
         [](CliOptions& o, const QString& v, CliLang) {
             o.setFile = v;
             return QString();
         }},
    };
    return table;
}

CliLang langFromLocale(const QString& localeName)
{
    return localeName.startsWith(QLatin1String("en")) ? CliLang::En : CliLang::Ja;
}

CliParse parseCliArguments(const QStringList& args, CliLang defaultLang)
{
    CliOptions o;
    o.lang = defaultLang;
    // --lang first, so that every later error is in its language.
    for (int i = 0; i + 1 < args.size(); ++i)
        if (args[i] == QLatin1String("--lang")) {
            if (args[i + 1] == QLatin1String("ja"))
                o.lang = CliLang::Ja;
            else if (args[i + 1] == QLatin1String("en"))
                o.lang = CliLang::En;
        }
    const CliLang L = o.lang;

    std::optional<CliCommand> command;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        QString value;
        bool hasInlineValue = false;
        if (arg.startsWith(QLatin1String("--")) && arg.contains(QLatin1Char('='))) {
            value = arg.mid(arg.indexOf(QLatin1Char('=')) + 1);
            arg = arg.left(arg.indexOf(QLatin1Char('=')));
            hasInlineValue = true;
        }
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            o.help = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("-")) || arg == QLatin1String("-")) {
            if (!command) {
                command = commandNamed(arg);
                if (!command)
                    return failure(
                        L, tr(L, "コマンド %1 はありません。", "unknown command %1").arg(arg));
            } else {
                positional << arg;
            }
            continue;
        }
        const CliOptionEntry* entry = optionNamed(arg);
        if (!entry || !takenBy(*entry, command))
            return failure(L, tr(L, "オプション %1 はこのコマンドでは使えません。",
                                 "option %1 is not valid here")
                                  .arg(arg));
        if (entry->takesValue && !hasInlineValue) {
            if (i + 1 >= args.size())
                return failure(
                    L,
                    tr(L, "オプション %1 に値がありません。", "option %1 needs a value").arg(arg));
            value = args[++i];
        }
        if (const QString refusal = entry->apply(o, value, L); !refusal.isEmpty())
            return failure(L, refusal);
        if (value.isEmpty() && entry->takesValue)
            return failure(
                L, tr(L, "オプション %1 に値がありません。", "option %1 needs a value").arg(arg));
    }
    if (o.help) {
        if (command)
            o.command = *command;
        return {o, {}, L};
    }
    if (!command)
        return failure(L, tr(L, "コマンド（measure、memory、download、settings、report）を指定して下さい。",
                             "give a command: measure, memory, download, settings or report"));
    o.command = *command;

    if (o.command == CliCommand::Download) {
        if (positional.size() != 1)
            return failure(L, tr(L, "download にはメモリ一覧の番号を1つ指定して下さい。",
                                 "download takes one number of the memory list"));
        bool ok = false;
        o.downloadNumber = positional[0].toInt(&ok);
        if (!ok || o.downloadNumber < 0)
            return failure(L, tr(L, "メモリ一覧の番号 %1 が読めません。",
                                 "cannot read the memory list number %1")
                                  .arg(positional[0]));
        if (o.save.isEmpty())
            return failure(L, tr(L, "download には --save FILE.csv が必要です。",
                                 "download needs --save FILE.csv"));
    } else if (o.command == CliCommand::Report) {
        if (positional.size() != 1)
            return failure(L, tr(L, "report にはデータファイルを1つ指定して下さい。",
                                 "report takes one data file"));
        o.reportFile = positional[0];
    } else if (!positional.isEmpty()) {
        return failure(
            L, tr(L, "余分な引数 %1 があります。", "unexpected argument %1").arg(positional[0]));
    }
    if (o.command == CliCommand::Measure && o.log.isEmpty())
        return failure(L,
                       tr(L, "measure には --log FILE が必要です。", "measure needs --log FILE"));
    if (o.command == CliCommand::Measure && !o.interval.isEmpty()) {
        const PeriodParse period = parseInterval(o.interval);
        if (!period.error.isEmpty())
            return failure(L, QStringLiteral("--interval: ") + period.error);
    }
    return {o, {}, L};
}

std::optional<qint64> parseDuration(const QString& text)
{
    static const QRegularExpression whole(QStringLiteral("^(\\d+)$"));
    static const QRegularExpression parts(
        QStringLiteral("^(?:(\\d+)d)?(?:(\\d+)h)?(?:(\\d+)m)?(?:(\\d+)s)?$"));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (const auto m = whole.match(t); m.hasMatch())
        return m.captured(1).size() > 9 ? std::nullopt
                                        : std::optional<qint64>(m.captured(1).toLongLong());
    const auto m = parts.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    constexpr qint64 factor[] = {86400, 3600, 60, 1};
    qint64 total = 0;
    for (int i = 0; i < 4; ++i) {
        const QString n = m.captured(i + 1);
        if (n.size() > 9)
            return std::nullopt;
        total += n.toLongLong() * factor[i];
    }
    return total;
}

PeriodParse parseInterval(const QString& text)
{
    QStringList parts = text.split(QLatin1Char(':'));
    while (parts.size() < 3)
        parts.prepend(QStringLiteral("0"));
    if (parts.size() > 3)
        return {0, TX("周期は 時:分:秒 の形で指定して下さい。")};
    if (const auto error = checkLogPeriod(parts[0], parts[1], parts[2]))
        return {0, error->message};
    return {logPeriodSeconds(parts[0], parts[1], parts[2]), {}};
}

ItemsParse parseItems(const QString& text, int columnLast)
{
    ItemsParse out;
    const int last = columnLast - 1; // the highest item number
    out.columns.assign(static_cast<size_t>(columnLast) + 1, false);
    out.columns[0] = out.columns[1] = true;
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString& part : parts) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok || n < 1 || n > last) {
            out.error = TX("記録する項目 %1 はありません（1～%2）。")
                            .arg(part.trimmed())
                            .arg(last);
            out.columns.clear();
            return out;
        }
        out.columns[static_cast<size_t>(n) + 1] = true;
    }
    return out;
}

QString cliHelpText(CliLang lang)
{
    static const bool registered = (registerCliHelp(), true);
    Q_UNUSED(registered);
    QFile file(lang == CliLang::En ? QStringLiteral(":/cli/help-en.txt")
                                   : QStringLiteral(":/cli/help-ja.txt"));
    // Compiled in: it opens unless the build lost it, and then the help is empty.
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace quellin
