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

// The language --lang names (also as --lang=xx), when it names one.
std::optional<Language> languageArgument(const QStringList& args)
{
    std::optional<Language> named;
    for (int i = 0; i < args.size(); ++i) {
        QString value;
        if (args[i] == QLatin1String("--lang") && i + 1 < args.size())
            value = args[i + 1];
        else if (args[i].startsWith(QLatin1String("--lang=")))
            value = args[i].mid(7);
        else
            continue;
        if (value == QLatin1String("ja"))
            named = Language::Ja;
        else if (value == QLatin1String("en"))
            named = Language::En;
    }
    return named;
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

CliParse failure(Language lang, const QString& error)
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
         [](CliOptions&, const QString& v) {
             // The language itself was taken before every other option.
             return v == QLatin1String("ja") || v == QLatin1String("en")
                        ? QString()
                        : TX("--lang は ja か en です。");
         }},
        {"--port",
         true,
         {},
         [](CliOptions& o, const QString& v) {
             o.port = v;
             return QString();
         }},
        {"--param",
         true,
         {},
         [](CliOptions& o, const QString& v) {
             o.commParam = v;
             return QString();
         }},
        {"--version",
         true,
         {},
         [](CliOptions& o, const QString& v) {
             bool ok = false;
             o.version = v.toInt(&ok);
             return ok && o.version >= 1 && o.version <= 9
                        ? QString()
                        : TX("--version は 1～9 です。");
         }},
        {"--interval",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             o.interval = v;
             return QString();
         }},
        {"--items",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             o.items = v;
             return QString();
         }},
        {"--log",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             o.log = v;
             return QString();
         }},
        {"--append",
         false,
         {C::Measure},
         [](CliOptions& o, const QString&) {
             o.append = true;
             return QString();
         }},
        {"--for",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             const auto seconds = parseDuration(v);
             if (!seconds || *seconds <= 0)
                 return TX("--for の時間 %1 が読めません（例：90s、15m、2h、1d）。")
                     .arg(v);
             o.forSeconds = *seconds;
             return QString();
         }},
        {"--save",
         true,
         {C::Measure, C::Download},
         [](CliOptions& o, const QString& v) {
             o.save = v;
             return QString();
         }},
        {"--quiet",
         false,
         {C::Measure, C::Download},
         [](CliOptions& o, const QString&) {
             o.quiet = true;
             return QString();
         }},
        {"--jsonl",
         false,
         {C::Measure},
         [](CliOptions& o, const QString&) {
             o.jsonl = true;
             return QString();
         }},
        {"--from",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v) {
             o.from = v;
             return QString();
         }},
        {"--to",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v) {
             o.to = v;
             return QString();
         }},
        {"--demand",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v) {
             o.demandMinutes = v.toInt();
             return o.demandMinutes == 15 || o.demandMinutes == 30 || o.demandMinutes == 60
                        ? QString()
                        : TX("--demand は 15、30、60 のいずれかです。");
         }},
        {"--xlsx",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v) {
             o.xlsx = v;
             return QString();
         }},
        {"--pdf",
         true,
         {C::Report},
         [](CliOptions& o, const QString& v) {
             o.pdf = v;
             return QString();
         }},
        {"--json",
         false,
         {C::Report},
         [](CliOptions& o, const QString&) {
             o.json = true;
             return QString();
         }},
        {"--mqtt",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             const MqttTargetParse p = parseMqttTarget(v);
             o.mqtt = p.target;
             return p.error;
         }},
        {"--mqtt-ca",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             o.mqttCa = v;
             return QString();
         }},
        {"--mqtt-id",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             o.mqttId = v;
             return topicSafeId(v) == v ? QString()
                                        : TX("--mqtt-id は英数字と _ - だけで指定して下さい。");
         }},
        {"--influx",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             const InfluxTargetParse p = parseInfluxTarget(v);
             o.influx = p.target;
             return p.error;
         }},
        {"--influx-token",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             o.influxToken = v;
             return QString();
         }},
        {"--metrics",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             const MetricsAddressParse p = parseMetricsAddress(v);
             o.metrics = p.address;
             return p.error;
         }},
        {"--alarm",
         true,
         {C::Measure},
         [](CliOptions& o, const QString& v) {
             const AlarmRulesParse p = parseAlarmRules(v);
             if (!p.rejected.isEmpty() || p.rules.empty())
                 return TX("--alarm %1 が読めません（例：power>3000:10、temp1<0）。")
                     .arg(p.rejected.isEmpty() ? v : p.rejected.join(QLatin1Char(',')));
             for (const AlarmRule& r : p.rules)
                 putAlarmRule(o.alarms, r);
             return QString();
         }},
        {"--set",
         true,
         {C::Settings},
         [](CliOptions& o, const QString& v) {
             o.setFile = v;
             return QString();
         }},
    };
    return table;
}

Language cliLanguage(const QStringList& args, const QString& setting, const QStringList& uiLanguages)
{
    if (const auto named = languageArgument(args))
        return *named;
    return chooseLanguage(setting, uiLanguages);
}

CliParse parseCliArguments(const QStringList& args, Language defaultLang)
{
    CliOptions o;
    o.lang = languageArgument(args).value_or(defaultLang);
    const Language L = o.lang;

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
                        L, TX("コマンド %1 はありません。").arg(arg));
            } else {
                positional << arg;
            }
            continue;
        }
        const CliOptionEntry* entry = optionNamed(arg);
        if (!entry || !takenBy(*entry, command))
            return failure(L, TX("オプション %1 はこのコマンドでは使えません。")
                                  .arg(arg));
        if (entry->takesValue && !hasInlineValue) {
            if (i + 1 >= args.size())
                return failure(
                    L,
                    TX("オプション %1 に値がありません。").arg(arg));
            value = args[++i];
        }
        if (const QString refusal = entry->apply(o, value); !refusal.isEmpty())
            return failure(L, refusal);
        if (value.isEmpty() && entry->takesValue)
            return failure(
                L, TX("オプション %1 に値がありません。").arg(arg));
    }
    if (o.help) {
        if (command)
            o.command = *command;
        return {o, {}, L};
    }
    if (!command)
        return failure(L, TX("コマンド（measure、memory、download、settings、report）を指定して下さい。"));
    o.command = *command;

    if (o.command == CliCommand::Download) {
        if (positional.size() != 1)
            return failure(L, TX("download にはメモリ一覧の番号を1つ指定して下さい。"));
        bool ok = false;
        o.downloadNumber = positional[0].toInt(&ok);
        if (!ok || o.downloadNumber < 0)
            return failure(L, TX("メモリ一覧の番号 %1 が読めません。")
                                  .arg(positional[0]));
        if (o.save.isEmpty())
            return failure(L, TX("download には --save FILE.csv が必要です。"));
    } else if (o.command == CliCommand::Report) {
        if (positional.size() != 1)
            return failure(L, TX("report にはデータファイルを1つ指定して下さい。"));
        o.reportFile = positional[0];
    } else if (!positional.isEmpty()) {
        return failure(
            L, TX("余分な引数 %1 があります。").arg(positional[0]));
    }
    if (o.command == CliCommand::Measure && o.log.isEmpty())
        return failure(L,
                       TX("measure には --log FILE が必要です。"));
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

QString cliHelpText(Language lang)
{
    static const bool registered = (registerCliHelp(), true);
    Q_UNUSED(registered);
    QFile file(lang == Language::En ? QStringLiteral(":/cli/help-en.txt")
                                   : QStringLiteral(":/cli/help-ja.txt"));
    // Compiled in: it opens unless the build lost it, and then the help is empty.
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace quellin
