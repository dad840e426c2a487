#pragma once
// The simulator's single-threaded main loop: poll() on the pseudo-terminal
// master and a signalfd, a deadline for the next measured-data line, the
// traffic log, and the bounded output queue.

#include "Meter.h"
#include "Pty.h"
#include "SimOptions.h"

#include <QByteArray>
#include <QFile>
#include <chrono>
#include <optional>

namespace quellin::sim {

// SIGTERM, SIGINT, SIGHUP, SIGUSR1 and SIGUSR2 blocked and read from a signalfd,
// so that they are acted on in the loop and no handler needs global state.
class SignalSource {
public:
    enum class Event { None, Quit, Stop, LowBattery };

    SignalSource() = default;
    ~SignalSource();
    SignalSource(const SignalSource&) = delete;
    SignalSource& operator=(const SignalSource&) = delete;

    bool open(QString& error);
    int fd() const { return fd_; }
    // The next pending signal, without blocking.
    Event read();

private:
    int fd_ = -1;
};

class SimLoop {
public:
    SimLoop(const SimOptions& options, Meter& meter, Pty& pty, SignalSource& signals);

    // Opens the log (when asked for); false with error.
    bool openLog(QString& error);
    // Runs until a quit signal, --hangup-after or --exit-on-hangup; the exit code.
    int run();

    // Output not yet written is bounded: when nobody reads the line, what does not
    // fit is dropped, as on a serial line with no listener.
    static constexpr qsizetype kMaxPending = 16 * 1024;

private:
    using Clock = std::chrono::steady_clock;

    void readMaster(Clock::time_point now);
    void lineClosed(Clock::time_point now);
    bool stillClosed();
    void pumpTraffic();
    void writePending();
    // Bytes the meter's timed lines may add to the output queue now.
    qsizetype roomForTimedLines(Clock::time_point now) const;
    void flushPending(int timeoutMs);
    void hangUp();
    void log(const char* prefix, const QString& text);

    const SimOptions& options_;
    Meter& meter_;
    Pty& pty_;
    SignalSource& signals_;
    QFile log_;
    QByteArray pending_;
    QByteArray lineEnd_;
    bool peerSeen_ = false;
    std::optional<Clock::time_point> closedSince_;
    Clock::time_point lastDrain_ = Clock::now(); // the output queue last shrank or was empty
};

} // namespace quellin::sim
