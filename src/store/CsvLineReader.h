#pragma once
// Reads a text file line by line as bytes, in chunks, with a bound on the length
// of a line: a file that is not what it claims (a binary file, a line of a
// megabyte) never makes the program hold more than one bounded line in memory.
//
// A line ends at CR LF, at a lone LF or at a lone CR; the last line of a file
// need not be ended.

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace quellin::csv {

constexpr qsizetype kMaxLineBytes = 64 * 1024;

class CsvLineReader {
public:
    enum class Status { Line, End, TooLong, ReadError };

    explicit CsvLineReader(QIODevice& device, qsizetype maxLineBytes = kMaxLineBytes);

    // The next line without its ending; the view stays valid until the next call.
    Status next(QByteArrayView& line);
    // 1-based number of the line last returned (or of the line that was too long).
    qint64 lineNumber() const { return lineNumber_; }

private:
    bool fill(); // false at the end of the device or on a read error

    QIODevice& device_;
    qsizetype maxLineBytes_;
    QByteArray buffer_;
    qsizetype begin_ = 0; // first unread byte in buffer_
    qsizetype end_ = 0;   // one past the last valid byte in buffer_
    bool atEnd_ = false;
    bool readError_ = false;
    qint64 lineNumber_ = 0;
};

} // namespace quellin::csv
