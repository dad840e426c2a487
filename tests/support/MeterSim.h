#pragma once
// Starts quellin-meter-sim (the virtual power meter) for an end-to-end test and
// gives its pseudo-terminal, plus a raw line terminal to talk to it directly.
//
//   MeterSim sim;
//   ASSERT_TRUE(sim.start({"--rate", "50", "--version", "1"})) << sim.errorText();
//   qputenv("QUELLIN_COM1", sim.device().toLocal8Bit());
//   ...
//   QStringList sent = sim.sentLines();  // every line the meter sent
//
// Unless the arguments already contain "--log", start() adds a log file in a
// temporary folder of its own, so sentLines() and receivedCommands() work.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

class QProcess;

namespace quellin::test {

class MeterSim {
public:
    MeterSim();
    ~MeterSim();
    MeterSim(const MeterSim&) = delete;
    MeterSim& operator=(const MeterSim&) = delete;

    // The simulator binary: $QUELLIN_METER_SIM when set, else the one built with the tests.
    static QString program();

    // Spawns the simulator and waits (up to timeoutMs) for the device path it prints.
    // False when it could not start or printed nothing usable; errorText() says why.
    bool start(const QStringList& args = {}, int timeoutMs = 5000);
    // SIGTERM, wait for the exit (SIGKILL after 3 s). Safe to call twice.
    void stop();
    bool running() const;
    // Waits until the simulator exits by itself (hang-up faults); true when it did.
    bool waitForExit(int timeoutMs);
    qint64 pid() const;

    // Unsolicited lines on demand: SIGUSR1 makes the meter send "STP", SIGUSR2 "LOW".
    bool sendStp();
    bool sendLow();

    QString device() const { return device_; }
    QString logPath() const { return logPath_; }
    QString errorText() const { return error_; }

    // Lines the meter sent ("TX " entries of the log, without the prefix), in order.
    QStringList sentLines() const;
    // Commands the meter received ("RX " entries of the log).
    QStringList receivedCommands() const;
    // The measured-data lines among sentLines() (those beginning "RML").
    QStringList measuredLines() const;
    // Lines the meter dropped because nobody took them off the device ("DROP " entries).
    QStringList droppedLines() const;

private:
    QStringList logEntries(const QString& prefix) const;

    std::unique_ptr<QProcess> process_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString device_;
    QString logPath_;
    QString error_;
};

// A bare serial terminal on the simulator's pseudo-terminal (raw mode, plain
// POSIX), for tests that speak the wire protocol directly.
class MeterTerminal {
public:
    MeterTerminal() = default;
    ~MeterTerminal();
    MeterTerminal(const MeterTerminal&) = delete;
    MeterTerminal& operator=(const MeterTerminal&) = delete;

    bool open(const QString& device);
    void close();
    bool isOpen() const { return fd_ >= 0; }

    // Writes the command and one CR.
    bool send(const QByteArray& command);
    // Writes bytes exactly as given.
    bool sendRaw(const QByteArray& bytes);
    // The next line ended by CR (the CR removed, nothing else), or nothing after timeoutMs.
    std::optional<QByteArray> readLine(int timeoutMs = 3000);
    // Sends a command and returns the next line.
    std::optional<QByteArray> ask(const QByteArray& command, int timeoutMs = 3000);
    // Reads lines until one begins with prefix (others are skipped).
    std::optional<QByteArray> readLineStartingWith(const QByteArray& prefix, int timeoutMs = 3000);
    // True when the line was closed by the other side (read gave end of file or EIO).
    bool hungUp() const { return hungUp_; }
    // Everything received and not yet returned as a line.
    QByteArray pending() const { return buffer_; }

private:
    bool fill(int timeoutMs);

    int fd_ = -1;
    QByteArray buffer_;
    bool hungUp_ = false;
};

} // namespace quellin::test
