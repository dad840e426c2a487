#pragma once
// Command-line options of quellin-meter-sim.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace quellin::sim {

// A finished measurement put into the logging memory at start (--memory-add).
struct MemoryAdd {
    int wiring = 0;
    int intervalCode = 0;
    QDateTime start; // whole minutes
    int records = 1;
};

struct SimOptions {
    // Instrument
    int version = 2;        // hardware version: 1 (seven readings) or 2 (+ leakage, temperatures)
    QString versionText;    // the five characters after "VER"; empty: by version
    int wiring = 2;         // 0 single-phase two-wire, 1 single-phase three-wire, 2 three-phase
    int frequency = 50;     // mains: 50 or 60 Hz
    int ptRatio = 1;        // settings item 03
    int ctRatio = 1;        // settings item 04
    bool measuring = false; // measuring at start
    bool logging = false;   // logging into its memory at start (implies measuring)
    QDateTime startTime;    // the meter's clock (UTC-spec, read as civil time); invalid: now
    double rate = 1.0;      // measured-data lines per second
    std::uint64_t seed = 1;

    // Timed answers and the logging memory
    int flashMs = 300;         // pause before "SCFW" is answered
    int clearMs = 2000;        // clearing (or moving down) one memory block
    int downloadBaud = 9600;   // pace of downloaded lines; 0: as fast as they are read
    double loggingRate = 0;    // logged records per real second; 0: one per logging interval
    bool memoryPreset = false; // a few measurements in memory at start
    std::vector<MemoryAdd> memoryAdds;

    // Output
    QString link;    // symlink to the slave device
    QString logPath; // TX/RX log
    std::optional<double> exitOnHangupSeconds;

    // Faults
    QStringList silent;           // commands never answered ("CCF*" matches a prefix)
    QStringList ng;               // commands answered "NG"
    bool garbage = false;         // every 5th streamed line replaced by printable garbage
    bool lf = false;              // CR LF line ends
    bool overlong = false;        // one 600-character line before the first measured-data line
    int hangupAfter = -1;         // close the line and exit after N streamed lines
    int stpAfter = -1;            // "STP" after N streamed lines (stops streaming and measuring)
    int lowAfter = -1;            // "LOW" after N streamed lines
    int maxLines = -1;            // no more measured-data lines after N in all
    int downloadNgAfter = -1;     // "NG" in place of the record line after N in all (once)
    int downloadHangupAfter = -1; // close the line and exit after N downloaded record lines
};

enum class ParseResult { Run, Help, Error };

// Parses the arguments (without the program name). On Error, `error` says what is wrong.
ParseResult parseOptions(const QStringList& args, SimOptions& options, QString& error);

// The --help text: every option, in English.
QString helpText();

// "yyyy/mm/dd hh:mm:ss" (also with "-") read as civil time; invalid when it is not one.
QDateTime parseMeterTime(const QString& text);

// The command without the value it carries: "SCF10" for "SCF1005", "STM" for
// "STM2024/05/01 10:00:00"; other commands are their own word.
QString commandWord(const QString& command);

// True when the command matches a fault pattern: the same text or command
// word, or a prefix ending in "*".
bool matchesPattern(const QStringList& patterns, const QString& command);

} // namespace quellin::sim
