#pragma once
// What every quellin-cli command needs before it talks to the meter: the
// settings, the data folder (locked against a second program), the port and the
// meter's hardware version. It also tells a refusal from a link failure: the
// link's time-out fired, or the port went away.

#include "base/Context.h"
#include "base/LinkClients.h"
#include "cli/CliConsole.h"
#include "cli/CliOptions.h"
#include "cli/CliSignals.h"
#include "link/DialogExchanges.h"
#include "link/FrmComm.h"
#include "platform/CoreServices.h"
#include "settings/ModRegistry.h"
#include "store/DataFolderLock.h"
#include "store/DataSet.h"

#include <cstdio>
#include <functional>
#include <memory>

namespace quellin {

class CliSession : public VersionClient {
public:
    CliSession(const CliOptions& options, std::FILE* out, std::FILE* err);
    ~CliSession() override;
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Settings, data folder, port, version. Done when the meter can be asked;
    // otherwise the exit code (the reason has been written).
    CliExit open();
    // For what needs no meter (a report over a data file): the services and the
    // settings, the full catalogue (a version-2 one reads every data file).
    void openOffline();

    Context& ctx() { return *ctx_; }
    FrmComm& comm() { return *comm_; }
    Sequencer& seq() { return comm_->sequencer(); }
    LinkClients& clients() { return clients_; }
    MemoryExchange& memoryExchange() { return exchanges_->memory; }
    const CliOptions& options() const { return options_; }
    std::FILE* out() const { return out_; }
    std::FILE* err() const { return err_; }
    const QStringList& messages() const { return messages_.shown(); }

    // Runs the event loop until the link has ended or failed an exchange and done()
    // holds, or ms have passed; done()'s last answer.
    bool waitFor(const std::function<bool()>& done, int ms);
    // The command changed what it waits for by itself (a stop was asked for): the
    // wait under way looks at its condition again.
    void recheck();
    // A stop signal (SIGINT, SIGTERM, SIGHUP) while the command runs: handler(n)
    // is called with the number of signals so far and ends the command its own
    // way. Without a handler (the default, and during open()) the wait under way
    // ends and interrupted() holds.
    void onStopSignal(std::function<void(int received)> handler);
    // Ends the wait under way, and every later one, at once.
    void interrupt();
    bool interrupted() const { return interrupted_; }
    // Interrupted (4), after saying so.
    CliExit interruptedExit() const;

    // The link failed since open(): a time-out, or the port went away.
    bool linkFailed() const;
    // Refused (1) unless the link failed (3).
    CliExit failureExit() const { return linkFailed() ? CliExit::LinkFailure : CliExit::Refused; }

    // A data set a crashed program left in TMP.DAT is moved aside, never
    // overwritten; the note says where. False (after saying so) when it cannot
    // be moved: the command must not start over it.
    bool keepLeftoverDataSet();

    // VersionClient
    bool bfVer_NoCheck() override;
    bool askAssumeVersion1() override;

private:
    CliExit askVersion();

    CliOptions options_;
    std::FILE* out_;
    std::FILE* err_;
    ConsoleMessages messages_;
    NoFileDialog files_;
    QtSleep sleep_;
    NoPointer pointer_;
    SystemClock clock_;
    RememberedPanels status_;
    Services services_;
    std::unique_ptr<SettingsStore> settings_;
    CurrentData data_; // the current data set (the list and the graph stay unused)
    std::unique_ptr<Context> ctx_;
    DataFolderLock lock_;
    LinkClients clients_;
    std::unique_ptr<DialogExchanges> exchanges_;
    std::unique_ptr<FrmComm> comm_;
    std::function<void()> recheck_;
    CliSignals signals_;
    std::function<void(int)> stopHandler_;
    bool interrupted_ = false;
    bool timedOut_ = false;
    bool versionUnknown_ = false;
};

} // namespace quellin
