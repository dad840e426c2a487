#pragma once
// A meter driven by hand: commands in, answers out, and a clock that only
// moves when the test moves it, so timed answers are checked without waiting.

#include "Meter.h"

#include <QStringList>
#include <functional>
#include <limits>
#include <ostream>

// Readable test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace quellin::sim::testing {

inline SimOptions harnessOptions()
{
    SimOptions o;
    o.startTime = parseMeterTime(QStringLiteral("2024/12/31 23:59:58"));
    return o;
}

using Setup = std::function<void(SimOptions&)>;

class Harness {
public:
    explicit Harness(const Setup& setup = {}) : meter_(options(setup)) {}

    // Sends one command and returns what is sent by the current time.
    QStringList ask(const QByteArray& command)
    {
        meter_.receive(command + '\r');
        return run(0);
    }
    // Sends the commands one by one, each after the answers to the one before
    // are complete; every line sent, in order.
    QStringList askAll(const QList<QByteArray>& commands)
    {
        QStringList out;
        for (const QByteArray& c : commands) {
            meter_.receive(c + '\r');
            out << untilIdle();
        }
        return out;
    }
    // Moves the clock on by ms; what was sent meanwhile.
    QStringList run(std::int64_t ms, qsizetype room = 1 << 30)
    {
        now_ += ms;
        meter_.advance(now_, room);
        return sent();
    }
    // Moves the clock on until no timed answer runs.
    QStringList untilIdle()
    {
        QStringList out = run(0);
        while (meter_.busy() && !meter_.hangupRequested())
            out << run(std::max<std::int64_t>(0, *meter_.nextDueMs() - now_));
        return out;
    }
    QStringList sent()
    {
        QStringList out;
        for (const Traffic& t : meter_.takeTraffic())
            if (t.kind == Traffic::Kind::Sent)
                out << t.text;
        return out;
    }

    Meter& meter() { return meter_; }
    std::int64_t now() const { return now_; }

private:
    static SimOptions options(const Setup& setup)
    {
        SimOptions o = harnessOptions();
        if (setup)
            setup(o);
        return o;
    }

    Meter meter_;
    std::int64_t now_ = 0;
};

// The reading of field k (from 1) of a memory record or measured-data line:
// 8 hex digits at 5 + 9 * (k - 1) after the three-letter prefix; NaN when absent.
inline float fieldOf(const QString& line, int k)
{
    float v = 0;
    return singleOfHex(line.mid(3 + 4 + 9 * (k - 1), 8), v)
               ? v
               : std::numeric_limits<float>::quiet_NaN();
}

} // namespace quellin::sim::testing
