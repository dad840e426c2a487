#pragma once
// The virtual instrument without any I/O: it takes the bytes the program sends,
// answers through a command table, produces the measured-data lines when the
// loop says one is due, hands out answers that take time as they fall due,
// logs into its memory, and injects the configured faults. The loop (SimLoop)
// moves its traffic to the pseudo-terminal and the log, and tells it the time.

#include "LoggingMemory.h"
#include "Readings.h"
#include "SettingsTable.h"
#include "SimOptions.h"
#include "TimedOutput.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace quellin::sim {

struct Traffic {
    enum class Kind { Received, Sent };
    Kind kind;
    QString text; // without the line end
};

class Meter {
public:
    using Handler = std::function<void(Meter&, const QString& command)>;

    explicit Meter(const SimOptions& options);

    // Bytes from the program: commands end with CR, LF is ignored. Every
    // command is reported as received at once; while a timed answer runs it
    // waits (up to kMaxWaiting commands, later ones are lost) and is answered
    // after it.
    void receive(const QByteArray& bytes);
    // The loop calls this at the line rate while streaming() is true.
    void streamTick();
    // The time (ms of the loop's steady clock, never going back): logs the
    // records that fell due and sends the timed lines that are due and fit
    // into roomBytes (counting two bytes of line end per line).
    void advance(std::int64_t nowMs, qsizetype roomBytes);
    // When advance() next has something to do; nothing when only new input can
    // give it work. In the past when a due line did not fit.
    std::optional<std::int64_t> nextDueMs() const;

    // Unsolicited reports (signals): "STP" also stops streaming, measuring and logging.
    void reportStop();
    void reportLowBattery();

    // Everything received and sent since the last call, in order.
    std::vector<Traffic> takeTraffic();

    // The command table: `pattern` is a whole command, or a prefix ending in "*"
    // (the longest matching prefix wins; a whole command beats any prefix).
    void addCommand(const QString& pattern, Handler handler);

    // For handlers.
    void reply(const QString& line);
    // Starts a timed answer; the meter is busy until its last line is out.
    void startOutput(std::unique_ptr<TimedOutput> output);
    void startStreaming();
    void stopStreaming();
    void setMeasuring(bool on) { measuring_ = on; }
    // Starts logging into a new memory block at the clock's minute; false when
    // the memory is full.
    bool startLogging();
    void stopLogging();
    void setWiring(int wiring);
    void setClock(const QDateTime& time) { clock_ = time; }
    SettingsTable& settings() { return settings_; }
    LoggingMemory& memory() { return memory_; }
    const LoggingMemory& memory() const { return memory_; }

    bool busy() const { return output_ != nullptr; }
    bool streaming() const { return streaming_; }
    bool measuring() const { return measuring_; }
    bool logging() const { return memory_.logging(); }
    int wiring() const { return wiring_; }
    // True once a hang-up fault is reached: the loop closes the line and exits.
    bool hangupRequested() const { return hangup_; }
    int streamedLines() const { return streamed_; }
    // The time the next measured-data line will carry.
    QDateTime clock() const { return clock_; }
    const SimOptions& options() const { return options_; }

    // Longest command kept; longer input is answered "NG" once its CR arrives.
    static constexpr int kMaxCommandLength = 256;
    static constexpr std::size_t kMaxWaiting = 64;

private:
    struct Command {
        QString text;
        bool tooLong = false;
    };

    void handleCommand(const Command& command);
    void runWaiting();
    const Handler* findHandler(const QString& command) const;
    void afterStreamedLine();
    void fetchNextTimedLine();
    bool sendTimedLine(const TimedLine& line);
    void logDueRecords();
    double recordPeriodMs() const;

    SimOptions options_;
    ReadingGenerator readings_;
    std::mt19937_64 faultRng_; // separate, so that --garbage leaves the readings unchanged
    QMap<QString, Handler> exact_;
    QMap<QString, Handler> prefixes_;
    QDateTime clock_;
    SettingsTable settings_;
    LoggingMemory memory_;
    std::vector<Traffic> traffic_;

    QByteArray command_;
    bool commandTooLong_ = false;
    std::deque<Command> waiting_;
    int wiring_;
    bool measuring_ = false;
    bool streaming_ = false;
    bool overlongSent_ = false;
    bool stpSent_ = false;
    bool lowSent_ = false;
    bool hangup_ = false;
    int streamed_ = 0;

    // Timed answers.
    std::int64_t nowMs_ = 0;
    std::unique_ptr<TimedOutput> output_;
    std::optional<TimedLine> nextLine_;
    std::int64_t nextLineDueMs_ = 0;
    int recordLines_ = 0; // record lines of downloads sent in all
    bool downloadNgSent_ = false;

    // Logging.
    std::int64_t loggingSinceMs_ = 0;
    std::uint64_t measurementsLogged_ = 0;
};

// The command groups (BasicCommands.cpp, SettingsCommands.cpp, MemoryCommands.cpp).
void registerBasicCommands(Meter& meter);
void registerSettingsCommands(Meter& meter);
void registerMemoryCommands(Meter& meter);

} // namespace quellin::sim
