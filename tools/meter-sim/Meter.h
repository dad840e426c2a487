#pragma once
// The virtual instrument without any I/O: it takes the bytes the program sends,
// answers through a command table, produces the measured-data lines when the
// loop says one is due, and injects the configured faults. The loop (SimLoop)
// moves its traffic to the pseudo-terminal and the log.

#include "Readings.h"
#include "SimOptions.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <functional>
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

    // Bytes from the program: commands end with CR, LF is ignored.
    void receive(const QByteArray& bytes);
    // The loop calls this at the line rate while streaming() is true.
    void streamTick();

    // Unsolicited reports (signals): "STP" also stops streaming and measuring.
    void reportStop();
    void reportLowBattery();

    // Everything received and sent since the last call, in order.
    std::vector<Traffic> takeTraffic();

    // The command table: `pattern` is a whole command, or a prefix ending in "*"
    // (the longest matching prefix wins; a whole command beats any prefix).
    // Later exchanges (settings, memory, download) register here.
    void addCommand(const QString& pattern, Handler handler);

    // For handlers.
    void reply(const QString& line);
    void startStreaming();
    void stopStreaming();
    void setMeasuring(bool on) { measuring_ = on; }
    void setLogging(bool on) { logging_ = on; }
    // Settings items by two-digit number ("03" PT ratio, "04" CT ratio), as answered to "CCFnn".
    void setSetting(const QString& item, const QString& value) { settings_[item] = value; }
    QString setting(const QString& item) const { return settings_.value(item); }

    bool streaming() const { return streaming_; }
    bool measuring() const { return measuring_; }
    bool logging() const { return logging_; }
    // True once --hangup-after is reached: the loop closes the line and exits.
    bool hangupRequested() const { return hangup_; }
    int streamedLines() const { return streamed_; }
    // The time the next measured-data line will carry.
    QDateTime clock() const { return clock_; }
    const SimOptions& options() const { return options_; }

    // Longest command kept; longer input is answered "NG" once its CR arrives.
    static constexpr int kMaxCommandLength = 256;

private:
    void handleCommand(const QString& command);
    const Handler* findHandler(const QString& command) const;
    void afterStreamedLine();
    void registerBasicCommands();

    SimOptions options_;
    ReadingGenerator readings_;
    std::mt19937_64 faultRng_; // separate, so that --garbage leaves the readings unchanged
    QMap<QString, Handler> exact_;
    QMap<QString, Handler> prefixes_;
    QMap<QString, QString> settings_;
    std::vector<Traffic> traffic_;

    QByteArray command_;
    bool commandTooLong_ = false;
    QDateTime clock_;
    bool measuring_ = false;
    bool logging_ = false;
    bool streaming_ = false;
    bool overlongSent_ = false;
    bool stpSent_ = false;
    bool lowSent_ = false;
    bool hangup_ = false;
    int streamed_ = 0;
};

} // namespace quellin::sim
