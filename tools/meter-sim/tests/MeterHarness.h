#pragma once
// A meter driven by hand: commands in, answers out, and a clock that only
// moves when the test moves it, so timed answers are checked without waiting.

#include "Meter.h"

#include <gtest/gtest.h>

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

private:
    static SimOptions options(const Setup& setup)
    {
        SimOptions o;
        o.startTime = parseMeterTime(QStringLiteral("2024/12/31 23:59:58"));
        if (setup)
            setup(o);
        return o;
    }

    Meter meter_;
    std::int64_t now_ = 0;
};

// Record lines shortened to "RMM" and their number, for comparing answers.
inline QStringList heads(const QStringList& lines)
{
    QStringList out;
    for (const QString& l : lines)
        out << (l.startsWith(QLatin1String("RMM")) ? l.left(7) : l);
    return out;
}

// Runs a script "COMMAND > ANSWER, ANSWER | COMMAND > | ..." (no answer after
// an empty ">") and checks the answers to each command, record lines by heads().
inline void expectScript(Harness& h, const char* script)
{
    for (const QString& step : QString::fromLatin1(script).split(QLatin1String(" | "))) {
        const qsizetype arrow = step.indexOf(QLatin1String(" >"));
        const QString answers = step.mid(arrow + 2).trimmed();
        const QStringList expected =
            answers.isEmpty() ? QStringList() : answers.split(QLatin1String(", "));
        EXPECT_EQ(heads(h.askAll({step.left(arrow).toLatin1()})), expected) << step.toStdString();
    }
}

struct ScriptCase {
    const char* name;
    Setup setup;
    const char* script;
    bool hangup = false; // the meter asks the loop to close the line at the end
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
