#pragma once
// Cuts the bytes from the meter into lines. Only a carriage return ends a line and
// nothing else is removed: a line feed becomes the first character of the next line
// (which the answer tests then reject). Each byte is one character (Latin-1).
//
// The line being received is bounded: a line longer than kMaxLine characters (the
// longest answer, a measured-data line, has 134) is discarded whole, and framing
// resumes after its carriage return.

#include <QByteArrayView>
#include <QString>

namespace quellin {

class LineFramer {
public:
    static constexpr int kMaxLine = 512;

    // Calls sink(const QString& line) for every line completed by bytes, in order.
    template <class Sink> void feed(QByteArrayView bytes, Sink&& sink)
    {
        for (const char c : bytes) {
            if (c == '\r') {
                if (!discarding_)
                    sink(static_cast<const QString&>(rxLine_));
                rxLine_.clear();
                discarding_ = false;
            } else if (discarding_) {
                continue;
            } else if (rxLine_.size() >= kMaxLine) {
                rxLine_.clear();
                discarding_ = true;
                ++discardedLines_;
            } else {
                rxLine_.append(QChar(static_cast<uchar>(c)));
            }
        }
    }

    // Forgets a partial line (the port was reopened).
    void clear()
    {
        rxLine_.clear();
        discarding_ = false;
    }

    // RxLine and RxCount: the partial line kept across reads.
    const QString& pending() const { return rxLine_; }
    int pendingCount() const { return static_cast<int>(rxLine_.size()); }
    bool discarding() const { return discarding_; }
    int discardedLines() const { return discardedLines_; }

private:
    QString rxLine_;
    bool discarding_ = false;
    int discardedLines_ = 0;
};

} // namespace quellin
