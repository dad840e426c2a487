#include "SimOptions.h"

#include "OptionTable.h"

#include "LoggingMemory.h"

#include <algorithm>

namespace quellin::sim {

namespace {

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
std::optional<MemoryAdd> parseMemoryAdd(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
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

QString commandWord(const QString& command)
{
    // "SCFnn" + value and "STM" + time carry a value; every other command is
    // its own word (the numbers of "CCFnn", "CMIbk", "SCBn", "CMM..." address
    // what is asked for).
    if (command.startsWith(QLatin1String("SCF")) && command != QLatin1String("SCFW"))
        return command.left(5);
    if (command.startsWith(QLatin1String("STM")))
        return command.left(3);
    return command;
}

bool matchesPattern(const QStringList& patterns, const QString& command)
{
    for (const QString& p : patterns) {
        if (p.endsWith(QLatin1Char('*'))) {
            if (command.startsWith(p.left(p.size() - 1)))
                return true;
        } else if (p == command || p == commandWord(command)) {
            return true;
        }
    }
    return false;
}

} // namespace quellin::sim
