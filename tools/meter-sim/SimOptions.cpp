#include "SimOptions.h"

#include "LoggingMemory.h"

#include <algorithm>

namespace quellin::sim {

namespace {

struct OptionHelp {
    const char* name;
    const char* value; // nullptr: a flag
    const char* text;
};

// The single list behind both the parser and --help, so they cannot drift apart.
constexpr OptionHelp kOptions[] = {
    {"version", "1|2",
     "hardware version (default 2): 1 sends seven readings, 2 adds three "
     "leakage currents and two temperatures"},
    {"ver-text", "TEXT", "the five characters after \"VER\" (default \"1.05A\" / \"2.10A\")"},
    {"wiring", "0|1|2",
     "wiring mode digit (default 2): 0 single-phase two-wire, 1 single-phase "
     "three-wire, 2 three-phase three-wire"},
    {"frequency", "50|60", "mains frequency in Hz (default 50)"},
    {"pt", "N", "PT ratio answered to CCF03, 1-9999 (default 1)"},
    {"ct", "N", "CT ratio answered to CCF04, 1-9999 (default 1)"},
    {"measuring", nullptr, "start with measuring on (CMD answers m = 1)"},
    {"logging", nullptr,
     "start measuring and logging into a new memory block (CMD answers m = 1, "
     "l = 1)"},
    {"start-time", "TIME",
     "the meter's clock at the first measured-data line, "
     "\"yyyy/mm/dd hh:mm:ss\" (default: now); it advances exactly one "
     "second per measured-data line"},
    {"rate", "N", "measured-data lines per second, 0.1-1000 (default 1)"},
    {"seed", "N",
     "seed of the readings and the garbage (default 1); equal seeds give equal "
     "readings"},
    {"flash-time", "MS",
     "pause before \"SCFW\" (write the settings to flash) is answered \"OK\", "
     "0-60000 ms (default 300)"},
    {"clear-time", "MS",
     "time to clear one memory block, or to move one down after a clear, "
     "0-600000 ms (default 2000); a \"CLRn\" or \"CPYn\" line comes at its start "
     "and every second"},
    {"download-baud", "BAUD",
     "pace of the lines of a download (\"CMM\") as a line of BAUD baud carries "
     "them, 300-1000000 (default 9600); 0: as fast as the program reads them"},
    {"logging-rate", "N",
     "records the meter's logging adds per real second, 0.001-100000 "
     "(default: one per logging interval, in real time)"},
    {"memory-preset", nullptr,
     "start with three measurements in memory: block 0, blocks 1-3 (one "
     "measurement of 24800 records) and block 4"},
    {"memory-add", "SPEC",
     "put a finished measurement into memory, after the preset: "
     "\"LINE,INTERVAL,yyyy/mm/dd hh:mm,RECORDS\" with LINE 0-2, INTERVAL code "
     "0-5, RECORDS 1-69993, 9999 a block (repeatable; 7 blocks in all)"},
    {"link", "PATH",
     "make PATH a symbolic link to the device (an old link is replaced; "
     "removed on exit)"},
    {"log", "FILE",
     "write every line sent (\"TX \") and every command received (\"RX \") to "
     "FILE, flushed per line; a line that nobody took off the device in time is "
     "dropped and logged \"DROP \""},
    {"exit-on-hangup", "SECONDS",
     "exit when the program side, once it has sent something, "
     "keeps the device closed for SECONDS"},
    {"silent", "CMD",
     "never answer CMD and ignore it (repeatable; \"CCF*\" matches every "
     "command beginning \"CCF\")"},
    {"ng", "CMD", "answer \"NG\" to CMD and ignore it (repeatable; \"*\" patterns as --silent)"},
    {"ver-ng", nullptr, "the same as --ng VER"},
    {"garbage", nullptr, "replace every 5th measured-data line by printable garbage"},
    {"lf", nullptr, "end every line with CR LF instead of CR"},
    {"overlong", nullptr, "send one 600-character line before the first measured-data line"},
    {"hangup-after", "N", "after N measured-data lines close the device and exit"},
    {"stp-after", "N",
     "after N measured-data lines send \"STP\" and stop streaming and "
     "measuring"},
    {"low-after", "N", "after N measured-data lines send \"LOW\""},
    {"max-lines", "N", "send no more than N measured-data lines in all"},
    {"download-ng-after", "N",
     "after N downloaded record lines in all, send \"NG\" in place of the next "
     "and end that download (once)"},
    {"download-hangup-after", "N",
     "after N downloaded record lines in all, close the device and exit"},
    {"help", nullptr, "show this text"},
};

const OptionHelp* findOption(const QString& name)
{
    for (const OptionHelp& o : kOptions)
        if (name == QLatin1String(o.name))
            return &o;
    return nullptr;
}

bool toInt(const QString& text, int low, int high, int& out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    out = v;
    return true;
}

// "LINE,INTERVAL,yyyy/mm/dd hh:mm,RECORDS".
std::optional<MemoryAdd> parseMemoryAdd(const QString& spec)
{
    const QStringList parts = spec.split(QLatin1Char(','));
    MemoryAdd add;
    if (parts.size() != 4 || !toInt(parts[0], 0, 2, add.wiring) ||
        !toInt(parts[1], 0, 5, add.intervalCode) ||
        !toInt(parts[3], 1, LoggingMemory::kBlocks * LoggingMemory::kRecordsPerBlock, add.records))
        return std::nullopt;
    const QString start = parts[2].trimmed();
    const QDate date = QDate::fromString(start.left(10), QStringLiteral("yyyy/MM/dd"));
    const QTime time = QTime::fromString(start.mid(11), QStringLiteral("HH:mm"));
    if (start.size() != 16 || !date.isValid() || !time.isValid())
        return std::nullopt;
    add.start = QDateTime(date, time, Qt::UTC);
    return add;
}

// Applies one option; false (with error) when its value is out of range.
bool apply(const QString& name, const QString& value, SimOptions& o, QString& error)
{
    const auto bad = [&](const char* expected) {
        error = QStringLiteral("--%1: \"%2\" is not %3").arg(name, value, QLatin1String(expected));
        return false;
    };
    int n = 0;
    if (name == QLatin1String("version")) {
        if (!toInt(value, 1, 2, o.version))
            return bad("1 or 2");
    } else if (name == QLatin1String("ver-text")) {
        if (value.size() != 5 || !std::all_of(value.begin(), value.end(), [](QChar c) {
                return c.unicode() > 0x20 && c.unicode() < 0x7f;
            }))
            return bad("five printable characters");
        o.versionText = value;
    } else if (name == QLatin1String("wiring")) {
        if (!toInt(value, 0, 2, o.wiring))
            return bad("0, 1 or 2");
    } else if (name == QLatin1String("frequency")) {
        if (!toInt(value, 50, 60, n) || (n != 50 && n != 60))
            return bad("50 or 60");
        o.frequency = n;
    } else if (name == QLatin1String("pt")) {
        if (!toInt(value, 1, 9999, o.ptRatio))
            return bad("a ratio 1-9999");
    } else if (name == QLatin1String("ct")) {
        if (!toInt(value, 1, 9999, o.ctRatio))
            return bad("a ratio 1-9999");
    } else if (name == QLatin1String("start-time")) {
        o.startTime = parseMeterTime(value);
        if (!o.startTime.isValid())
            return bad("a time \"yyyy/mm/dd hh:mm:ss\"");
    } else if (name == QLatin1String("rate")) {
        bool ok = false;
        o.rate = value.toDouble(&ok);
        if (!ok || !(o.rate >= 0.1 && o.rate <= 1000))
            return bad("a rate 0.1-1000");
    } else if (name == QLatin1String("seed")) {
        bool ok = false;
        o.seed = value.toULongLong(&ok);
        if (!ok)
            return bad("an unsigned number");
    } else if (name == QLatin1String("link")) {
        if (value.isEmpty())
            return bad("a path");
        o.link = value;
    } else if (name == QLatin1String("log")) {
        if (value.isEmpty())
            return bad("a path");
        o.logPath = value;
    } else if (name == QLatin1String("exit-on-hangup")) {
        bool ok = false;
        const double s = value.toDouble(&ok);
        if (!ok || !(s >= 0 && s <= 3600))
            return bad("seconds 0-3600");
        o.exitOnHangupSeconds = s;
    } else if (name == QLatin1String("silent") || name == QLatin1String("ng")) {
        if (value.isEmpty() || value.contains(QLatin1Char('\r')))
            return bad("a command");
        (name == QLatin1String("ng") ? o.ng : o.silent) << value;
    } else if (name == QLatin1String("hangup-after")) {
        if (!toInt(value, 0, 1 << 30, o.hangupAfter))
            return bad("a count");
    } else if (name == QLatin1String("stp-after")) {
        if (!toInt(value, 0, 1 << 30, o.stpAfter))
            return bad("a count");
    } else if (name == QLatin1String("low-after")) {
        if (!toInt(value, 0, 1 << 30, o.lowAfter))
            return bad("a count");
    } else if (name == QLatin1String("max-lines")) {
        if (!toInt(value, 0, 1 << 30, o.maxLines))
            return bad("a count");
    } else if (name == QLatin1String("download-ng-after")) {
        if (!toInt(value, 0, 1 << 30, o.downloadNgAfter))
            return bad("a count");
    } else if (name == QLatin1String("download-hangup-after")) {
        if (!toInt(value, 0, 1 << 30, o.downloadHangupAfter))
            return bad("a count");
    } else if (name == QLatin1String("flash-time")) {
        if (!toInt(value, 0, 60000, o.flashMs))
            return bad("milliseconds 0-60000");
    } else if (name == QLatin1String("clear-time")) {
        if (!toInt(value, 0, 600000, o.clearMs))
            return bad("milliseconds 0-600000");
    } else if (name == QLatin1String("download-baud")) {
        if (!toInt(value, 0, 1000000, n) || (n != 0 && n < 300))
            return bad("0 or a baud rate 300-1000000");
        o.downloadBaud = n;
    } else if (name == QLatin1String("logging-rate")) {
        bool ok = false;
        o.loggingRate = value.toDouble(&ok);
        if (!ok || !(o.loggingRate >= 0.001 && o.loggingRate <= 100000))
            return bad("a rate 0.001-100000");
    } else if (name == QLatin1String("memory-add")) {
        const std::optional<MemoryAdd> add = parseMemoryAdd(value);
        if (!add)
            return bad("\"LINE,INTERVAL,yyyy/mm/dd hh:mm,RECORDS\"");
        o.memoryAdds.push_back(*add);
    }
    return true;
}

void applyFlag(const QString& name, SimOptions& o)
{
    if (name == QLatin1String("measuring"))
        o.measuring = true;
    else if (name == QLatin1String("logging"))
        o.logging = true;
    else if (name == QLatin1String("ver-ng"))
        o.ng << QStringLiteral("VER");
    else if (name == QLatin1String("garbage"))
        o.garbage = true;
    else if (name == QLatin1String("lf"))
        o.lf = true;
    else if (name == QLatin1String("overlong"))
        o.overlong = true;
    else if (name == QLatin1String("memory-preset"))
        o.memoryPreset = true;
}

// Blocks the memory options take at start; more than the memory holds is an error.
bool memoryFits(const SimOptions& o, QString& error)
{
    int blocks = o.memoryPreset ? LoggingMemory::kPresetBlocks : 0;
    for (const MemoryAdd& add : o.memoryAdds)
        blocks += LoggingMemory::blocksFor(add.records);
    blocks += o.logging ? 1 : 0;
    if (blocks <= LoggingMemory::kBlocks)
        return true;
    error = QStringLiteral("--memory-preset, --memory-add and --logging need %1 memory blocks; "
                           "the meter has %2")
                .arg(blocks)
                .arg(LoggingMemory::kBlocks);
    return false;
}

} // namespace

ParseResult parseOptions(const QStringList& args, SimOptions& options, QString& error)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unexpected argument \"%1\" (see --help)").arg(arg);
            return ParseResult::Error;
        }
        arg.remove(0, 2);
        QString value;
        bool hasInlineValue = false;
        if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); eq >= 0) {
            value = arg.mid(eq + 1);
            arg.truncate(eq);
            hasInlineValue = true;
        }
        const OptionHelp* option = findOption(arg);
        if (!option) {
            error = QStringLiteral("unknown option --%1 (see --help)").arg(arg);
            return ParseResult::Error;
        }
        if (arg == QLatin1String("help"))
            return ParseResult::Help;
        if (!option->value) {
            if (hasInlineValue) {
                error = QStringLiteral("--%1 takes no value").arg(arg);
                return ParseResult::Error;
            }
            applyFlag(arg, options);
            continue;
        }
        if (!hasInlineValue) {
            if (i + 1 >= args.size()) {
                error =
                    QStringLiteral("--%1 needs a value %2").arg(arg, QLatin1String(option->value));
                return ParseResult::Error;
            }
            value = args.at(++i);
        }
        if (!apply(arg, value, options, error))
            return ParseResult::Error;
    }
    return memoryFits(options, error) ? ParseResult::Run : ParseResult::Error;
}

QString helpText()
{
    QString text = QStringLiteral(
        "Usage: quellin-meter-sim [options]\n"
        "\n"
        "A virtual portable power meter on a pseudo-terminal, for trying Quellin\n"
        "without hardware, for training and for tests. It prints the device path as\n"
        "the first line on stdout and runs until SIGTERM or SIGINT. SIGUSR1 makes it\n"
        "send \"STP\" (and stop measuring), SIGUSR2 \"LOW\".\n"
        "\n"
        "Commands (ended by CR; LF is ignored): SLE, VER, CMD, SLG, SMD1n (measuring),\n"
        "SMD0n (wiring), SMD2n (logging), CCFnn, CCM, SCFnn, STM, SCFW (settings),\n"
        "CBN, CMIbk, SCBn, CMM (logging memory); anything else is answered \"NG\".\n"
        "After SLG it streams one measured-data line (\"RML...\") per tick until SLE,\n"
        "SMD10 or STP. While measuring it refuses settings and the memory commands;\n"
        "while logging it refuses SMD10. Settings items 10-39 exist from version 2 on.\n"
        "The memory holds 7 blocks of up to 9999 records; SCB7 clears all.\n"
        "\n"
        "Options:\n");
    constexpr qsizetype kIndent = 28;
    constexpr qsizetype kWidth = 80;
    const QString indent(kIndent, QLatin1Char(' '));
    for (const OptionHelp& o : kOptions) {
        QString line = QStringLiteral("  --%1").arg(QLatin1String(o.name));
        if (o.value)
            line += QLatin1Char(' ') + QLatin1String(o.value);
        if (line.size() >= kIndent - 1) {
            text += line + QLatin1Char('\n');
            line = indent;
        } else {
            line = line.leftJustified(kIndent);
        }
        // Word-wrapped description under its column.
        bool first = true;
        for (const QString& word : QString::fromLatin1(o.text).split(QLatin1Char(' '))) {
            if (!first && line.size() + 1 + word.size() > kWidth) {
                text += line + QLatin1Char('\n');
                line = indent;
                first = true;
            }
            if (!first)
                line += QLatin1Char(' ');
            line += word;
            first = false;
        }
        text += line + QLatin1Char('\n');
    }
    return text;
}

QDateTime parseMeterTime(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char('-'), QLatin1Char('/'));
    const QDateTime parsed = QDateTime::fromString(t, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    if (!parsed.isValid())
        return {};
    // Civil time without zone shifts: the meter's clock has no daylight saving.
    return QDateTime(parsed.date(), parsed.time(), Qt::UTC);
}

bool matchesPattern(const QStringList& patterns, const QString& command)
{
    for (const QString& p : patterns) {
        if (p.endsWith(QLatin1Char('*'))) {
            if (command.startsWith(p.left(p.size() - 1)))
                return true;
        } else if (p == command) {
            return true;
        }
    }
    return false;
}

} // namespace quellin::sim
