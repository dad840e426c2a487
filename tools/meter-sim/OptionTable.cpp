#include "OptionTable.h"

#include "SimOptions.h"

namespace quellin::sim {

namespace {

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
    {"memory-add", "MEASUREMENT",
     "put a finished measurement into memory, after the preset: "
     "\"LINE,INTERVAL,yyyy/mm/dd hh:mm,RECORDS\" with LINE 0-2, INTERVAL code "
     "0-5, RECORDS 1-69993, 9999 a block (repeatable; 7 blocks in all)"},
    {"link", "PATH",
     "make PATH a symbolic link to the device (an old link is replaced; "
     "removed on exit)"},
    {"log", "FILE",
     "write every line sent (\"TX \") and every command received (\"RX \", "
     "when it arrives, also while a timed answer holds it back) to FILE, flushed "
     "per line; a line that nobody took off the device in time is dropped and "
     "logged \"DROP \""},
    {"exit-on-hangup", "SECONDS",
     "exit when the program side, once it has sent something, "
     "keeps the device closed for SECONDS"},
    {"silent", "CMD",
     "never answer CMD and ignore it (repeatable; \"CCF*\" matches every "
     "command beginning \"CCF\"; a setting matches without its value: \"SCF10\" "
     "matches \"SCF1005\", \"STM\" every clock setting)"},
    {"ng", "CMD", "answer \"NG\" to CMD and ignore it (repeatable; \"*\" patterns as --silent)"},
    {"ver-ng", nullptr, "the same as --ng VER"},
    {"garbage", nullptr,
     "replace every 5th measured-data line by printable garbage, and damage "
     "every 5th downloaded record line (in turn: cut short, a field not hex, "
     "an infinite active power)"},
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

} // namespace

const OptionHelp* findOption(const QString& name)
{
    for (const OptionHelp& o : kOptions)
        if (name == QLatin1String(o.name))
            return &o;
    return nullptr;
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

} // namespace quellin::sim
