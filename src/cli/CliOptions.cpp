#include "cli/CliOptions.h"

#include "settings/LogPeriod.h"

#include <QRegularExpression>

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
    if (name == QLatin1String("settings"))
        return CliCommand::Settings;
    return std::nullopt;
}

// The options each command takes (besides --help, --lang, --port, --param, --version).
QStringList optionsOf(CliCommand command)
{
    switch (command) {
    case CliCommand::Measure:
        return {"--interval", "--items", "--log", "--for", "--save", "--quiet", "--jsonl"};
    case CliCommand::Memory:
        return {};
    case CliCommand::Download:
        return {"--save", "--quiet"};
    case CliCommand::Settings:
        return {"--set"};
    }
    return {};
}

bool takesValue(const QString& option)
{
    return option != QLatin1String("--quiet") && option != QLatin1String("--jsonl") &&
           option != QLatin1String("--help");
}

CliParse failure(CliLang lang, const QString& error)
{
    return {std::nullopt, error, lang};
}

} // namespace

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
        static const QStringList common = {"--lang", "--port", "--param", "--version"};
        const bool known = common.contains(arg) || (command && optionsOf(*command).contains(arg));
        if (!known)
            return failure(L, tr(L, "オプション %1 はこのコマンドでは使えません。",
                                 "option %1 is not valid here")
                                  .arg(arg));
        if (takesValue(arg) && !hasInlineValue) {
            if (i + 1 >= args.size())
                return failure(
                    L,
                    tr(L, "オプション %1 に値がありません。", "option %1 needs a value").arg(arg));
            value = args[++i];
        }
        if (arg == QLatin1String("--lang")) {
            if (value != QLatin1String("ja") && value != QLatin1String("en"))
                return failure(L, tr(L, "--lang は ja か en です。", "--lang takes ja or en"));
        } else if (arg == QLatin1String("--port")) {
            o.port = value;
        } else if (arg == QLatin1String("--param")) {
            o.commParam = value;
        } else if (arg == QLatin1String("--version")) {
            bool ok = false;
            o.version = value.toInt(&ok);
            if (!ok || o.version < 1 || o.version > 9)
                return failure(L, tr(L, "--version は 1～9 です。", "--version takes 1 to 9"));
        } else if (arg == QLatin1String("--interval")) {
            o.interval = value;
        } else if (arg == QLatin1String("--items")) {
            o.items = value;
        } else if (arg == QLatin1String("--log")) {
            o.log = value;
        } else if (arg == QLatin1String("--for")) {
            const auto seconds = parseDuration(value);
            if (!seconds || *seconds <= 0)
                return failure(L, tr(L, "--for の時間 %1 が読めません（例：90s、15m、2h、1d）。",
                                     "--for: cannot read the duration %1 (e.g. 90s, 15m, 2h, 1d)")
                                      .arg(value));
            o.forSeconds = *seconds;
        } else if (arg == QLatin1String("--save")) {
            o.save = value;
        } else if (arg == QLatin1String("--quiet")) {
            o.quiet = true;
        } else if (arg == QLatin1String("--jsonl")) {
            o.jsonl = true;
        } else if (arg == QLatin1String("--set")) {
            o.setFile = value;
        }
        if (value.isEmpty() && takesValue(arg))
            return failure(
                L, tr(L, "オプション %1 に値がありません。", "option %1 needs a value").arg(arg));
    }
    if (o.help) {
        if (command)
            o.command = *command;
        return {o, {}, L};
    }
    if (!command)
        return failure(L, tr(L, "コマンド（measure、memory、download、settings）を指定して下さい。",
                             "give a command: measure, memory, download or settings"));
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
        return {0, QStringLiteral("周期は 時:分:秒 の形で指定して下さい。")};
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
            out.error = QStringLiteral("記録する項目 %1 はありません（1～%2）。")
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
    if (lang == CliLang::En)
        return QStringLiteral(
            "quellin-cli: the power meter without windows\n"
            "\n"
            "usage:\n"
            "  quellin-cli measure --log FILE [--interval hh:mm:ss] [--items 1,2,5] [--for 2h]\n"
            "                      [--save FILE.csv] [--quiet] [--jsonl]\n"
            "  quellin-cli memory\n"
            "  quellin-cli download N --save FILE.csv [--quiet]\n"
            "  quellin-cli settings [--set FILE]\n"
            "\n"
            "options of every command:\n"
            "  --port DEVICE     the serial device (default: the program's port setting)\n"
            "  --param TEXT      line settings, e.g. 9600,N,8,1 (default: the setting)\n"
            "  --version N       the meter's hardware version; not asked\n"
            "  --lang ja|en      the language of this help and of usage errors\n"
            "                    (default: English for an English locale, else Japanese)\n"
            "\n"
            "measure   starts a measurement and logs it to FILE in the PC log format (Shift_JIS,\n"
            "          one averaged line per period, flushed per line); the records are also\n"
            "          kept in TMP.DAT of the data folder. SIGINT or SIGTERM stop it (the meter\n"
            "          is told SLE, SMD10), as do --for and the meter's own stop.\n"
            "          --interval  the logging period (default: the setting)\n"
            "          --items     the logged items by number: 1 voltage R, 2 voltage T,\n"
            "                      3 current R, 4 current T, 5 active power, 6 reactive power,\n"
            "                      7 apparent power, 8 power factor, 9 frequency, 10 energy,\n"
            "                      11 elapsed hours; version 2: 12-14 leakage currents,\n"
            "                      15, 16 temperatures\n"
            "          --for       stop after 90s, 15m, 2h, 1d, 1h30m …\n"
            "          --save      write the data set as a data file at the end\n"
            "          --quiet     no progress line on standard error\n"
            "          --jsonl     each stored record as one JSON line on standard output\n"
            "memory    lists the measurements in the meter's logging memory\n"
            "download  downloads measurement N of that list into a data file\n"
            "settings  prints the meter's environment settings as Name=value lines;\n"
            "          --set FILE sends the settings of FILE (with the dialog's checks)\n"
            "          and writes them to the meter's flash\n"
            "\n"
            "exit status: 0 done, 1 refused by the meter or invalid input, 2 usage,\n"
            "             3 port or link failure\n");
    return QStringLiteral(
        "quellin-cli：ウィンドウを使わずに電力計を操作します\n"
        "\n"
        "使い方：\n"
        "  quellin-cli measure --log ファイル [--interval 時:分:秒] [--items 1,2,5] [--for 2h]\n"
        "                      [--save ファイル.csv] [--quiet] [--jsonl]\n"
        "  quellin-cli memory\n"
        "  quellin-cli download 番号 --save ファイル.csv [--quiet]\n"
        "  quellin-cli settings [--set ファイル]\n"
        "\n"
        "どのコマンドにも使えるオプション：\n"
        "  --port デバイス   シリアルポートのデバイス（既定：通信条件設定のポート）\n"
        "  --param 通信条件  例 9600,N,8,1（既定：通信条件設定）\n"
        "  --version N       電力計のハードバージョン（電力計に問い合わせません）\n"
        "  --lang ja|en      このヘルプと使い方の誤りの言語\n"
        "                    （既定：英語のロケールなら英語、それ以外は日本語）\n"
        "\n"
        "measure   計測を開始し、PC ロギングの形式（Shift_JIS、周期ごとの平均、1行ごとに\n"
        "          書き出し）でファイルに記録します。記録はデータフォルダの TMP.DAT にも\n"
        "          残ります。SIGINT・SIGTERM で停止します（電力計に SLE、SMD10 を送ります）。\n"
        "          --for の時間が過ぎたとき、電力計側で中断されたときも停止します。\n"
        "          --interval  記録の周期（既定：ロギング設定）\n"
        "          --items     記録する項目の番号：1 電圧Ｒ、2 電圧Ｔ、3 電流Ｒ、4 電流Ｔ、\n"
        "                      5 有効電力、6 無効電力、7 皮相電力、8 力率、9 周波数、\n"
        "                      10 積算電力量、11 積算時間、ハードバージョン 2 は 12～14\n"
        "                      漏電電流1～3、15・16 温度1・2\n"
        "          --for       指定の時間で停止（90s、15m、2h、1d、1h30m など）\n"
        "          --save      終了時にデータをデータファイル（CSV）に保存\n"
        "          --quiet     標準エラーに経過を表示しない\n"
        "          --jsonl     記録ごとに JSON を1行、標準出力に書く\n"
        "memory    電力計のロギング・メモリの一覧を表示します\n"
        "download  一覧の番号の計測をダウンロードしてデータファイルに保存します\n"
        "settings  電力計の環境設定を 名前=値 の行で表示します。--set ファイル で\n"
        "          ファイルの設定を（画面と同じ確認をして）送信し、FLASH に書き込みます\n"
        "\n"
        "終了コード：0 完了、1 電力計が受け付けない・入力の誤り、2 使い方の誤り、\n"
        "            3 ポートや通信の障害\n");
}

} // namespace quellin
