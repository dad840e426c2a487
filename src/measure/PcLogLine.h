#pragma once
// The PC log's data line: the means of the lines summed since the last log line,
// with the newest line's time and its leakage currents and temperatures as they
// are; and its writing to the open log file, one flushed line at a time.

#include "base/DataRecord.h"

#include <QByteArray>
#include <QString>
#include <array>

class QFile;

namespace quellin {

// What one log line is made of.
struct PcLogLineInput {
    const DataRecord* sums = nullptr;    // columns 2..12 summed over the lines
    const DataRecord* current = nullptr; // the newest line's record
    int lines = 1;                       // lines summed (below 1 counts as 1)
    int lineNumber = 0;                  // the log lines written before this one
    int wiringMode = 0;                  // for the mean apparent power
    int columnLast = 0;
    std::array<bool, kMaxColumns> logged{}; // chosen for logging and present
};

// Appends the line's fields, joined by ","; no line end.
void appendPcLogLine(const PcLogLineInput& in, QString& out);
QString pcLogLine(const PcLogLineInput& in);

// Writes log lines into an open file, each ended by CR LF and flushed at once (a
// crash loses at most the line being written). Keeps its buffer between lines.
class PcLogWriter {
public:
    PcLogWriter() { bytes_.reserve(256); }
    // Throws VbError (FileIo), with the reason in the user's words, when the file
    // is not open or the line did not go out whole; what went out of a cut line
    // is taken back (for a file opened unbuffered, as the PC log is).
    void write(QFile* file, const QString& line);

private:
    QByteArray bytes_;
};

} // namespace quellin
