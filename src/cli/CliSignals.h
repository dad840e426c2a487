#pragma once
// The signals that end a command (SIGINT, SIGTERM, SIGHUP) as events of the
// event loop. main() blocks them before anything else starts, so that no thread
// takes them and a signal never cuts a write to the port: every command then
// ends in its own way (a measurement is stopped, a download drains, a settings
// send finishes) instead of leaving the meter half-told. SIGPIPE is ignored: a
// closed standard output fails its writes and stops only that output.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace quellin {

// Before the application exists.
void blockStopSignals();

class CliSignals {
public:
    CliSignals();
    ~CliSignals();
    CliSignals(const CliSignals&) = delete;
    CliSignals& operator=(const CliSignals&) = delete;

    // Called for every stop signal with the number received so far (1, 2, ...).
    std::function<void(int received)> onSignal;
    int received() const { return received_; }

private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    int received_ = 0;
};

} // namespace quellin
